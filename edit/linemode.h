#pragma once
// The polyline and polygon modes: each left press places a point, a rubber
// line follows the pointer from the last placed one (bent by the drawing
// constraints), and the right press places its own point and adds the
// object as one undo step. The point chain under construction is held by
// the document (newChainHead, newChainTail) until the new object takes it.
// The first-point, next-point and finish handlers, the chain helpers and the
// finishing of a new object are shared with the other creation modes.

class CFigContext;
class FigObject;
class FigPoint;

// The set-up of the polyline (6) and polygon (8) modes.
void initLineMode();

// A left press with no point placed: forgets the current object and starts
// the chain with a rubber line at (x, y).
void polylineFirstPoint(CFigContext* context, int x, int y);
// Steps of the first press after forgetting the current object: the chain
// of one point, the gesture begun, the constrained move handler, the next
// press and finish handlers armed and the rubber line drawn. Nothing when
// the point cannot be made.
void startPointChain(CFigContext* context, int x, int y);
// Every further left press: the point where the constraint puts it.
void polylineAddPoint(CFigContext* context, int x, int y);
// The right press: places its point (unless it repeats the last one) and
// adds the polyline or polygon.
void polylineFinish(CFigContext* context, int x, int y);

// Appends a new point (x, y) after `tail` and makes it the new tail; nothing
// when no memory is left.
void appendChainPoint(int x, int y, FigPoint*& tail);
// Appends a new point (x, y) after the last point of the chain from `head`.
void closeChain(int x, int y, FigPoint* head);

// The end of every creation gesture: adds the new object to the current
// list as one undo step, deselects and unmarks the other objects, selects
// and marks the new one, redraws its area, makes it the current object and
// shows it in the attribute tool bars.
void addCreatedObject(CFigContext* context, FigObject* object);
