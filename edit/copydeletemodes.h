#pragma once
// The copy mode (34): a left click on an object makes an unlinked copy with
// fresh identifiers that follows the pointer; the next left click places it
// as one undo step, a right click drops it. The delete mode (36): each left
// click on an object removes it as one undo step. Both stay until another
// mode is chosen.

class CFigContext;
class FigObject;

void initCopyMode();
// The object callback of the copy mode: the copy starts following the
// pointer. False without an object.
bool copyObjectPicked(CFigContext* context, FigObject* object, int type, int x, int y, int hitX, int hitY);
// The left press while a copy follows the pointer: places it.
void placeCopy(CFigContext* context, int x, int y);
// The right press while a copy follows the pointer: drops it.
void cancelCopy(CFigContext* context, int x, int y);

void initDeleteMode();
// The object callback of the delete mode: removes the object as one undo
// step. Always false.
bool deleteObjectPicked(CFigContext* context, FigObject* object, int type, int x, int y, int hitX, int hitY);
