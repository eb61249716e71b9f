#pragma once
// The tangent (73) and normal (74) modes: a click on the outline of a line,
// ellipse, arc or spline adds a three-point polyline centred on the hit,
// along the outline's direction there or across it, as long as the current
// tangent length in the document's unit (centimetres or inches). Each line is
// one undo step.

class CFigContext;
class FigObject;

// True in the tangent mode, false in the normal mode.
extern bool tangentWanted;

// The set-ups: the object pick as the left-press handler with
// tangentOrNormalPicked as its callback.
void initTangentMode();
void initNormalMode();

// The object callback (arguments as the object pick passes them): false, and
// nothing added, without an object, without a recorded direction at the hit
// or when the recorded direction is too short to tell.
bool tangentOrNormalPicked(CFigContext* context, FigObject* object, int type, int x, int y, int hitX, int hitY);
