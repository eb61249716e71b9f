#pragma once
// The arc mode (5): three left presses give the first end, a point on the
// arc and the other end; a rubber line follows the pointer from the last
// placed point and the segment between the first two stays visible until the
// arc is made. Three points on one straight line make no arc. A right press
// during the gesture cancels it. The points are kept in arcPoints
// (edit/objectfactories.h).

class CFigContext;

void initArcMode();
void arcFirstPoint(CFigContext* context, int x, int y);
void arcNextPoint(CFigContext* context, int x, int y);
void arcFinish(CFigContext* context, int x, int y);
void arcCancel(CFigContext* context, int x, int y);
