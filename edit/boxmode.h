#pragma once
// The box (7) and picture (16) modes: two left presses at opposite corners
// make a rectangle, a solid rubber rectangle (a dashed one for the picture)
// following the pointer between them; a right press in between cancels.
// A new picture shows no image yet: the picture dialog opens on it at once.

class CFigContext;

void initBoxMode();
void boxFirstPoint(CFigContext* context, int x, int y);
void boxFinish(CFigContext* context, int x, int y);
void boxCancel(CFigContext* context, int x, int y);

void initPictureMode();
void pictureFirstPoint(CFigContext* context, int x, int y);
void pictureFinish(CFigContext* context, int x, int y);
void pictureCancel(CFigContext* context, int x, int y);
