#pragma once
// The flip modes: a left click on an object mirrors it in place, a right
// click adds a mirrored copy and leaves the object; mode 56 mirrors about the
// horizontal line through the centre (up/down), mode 57 about the vertical
// one (left/right). The centre is the transform centre when one is set, else
// the point of the object that was clicked. Shift with the left button sets
// or clears the transform centre, here and in the rotate modes. Each click is
// one undo step.

class CFigContext;
class FigObject;

// The set-ups of modes 56 and 57.
void initFlipVerticalMode();
void initFlipHorizontalMode();

// The object callbacks of the left and the right button (press position x,
// y; hit x, y the nearest point on the object). False without an object.
bool flipObjectPicked(CFigContext* context, FigObject* object, int type, int x, int y, int hitX, int hitY);
bool flipCopyPicked(CFigContext* context, FigObject* object, int type, int x, int y, int hitX, int hitY);

// With a centre set: clears it and draws its cross once more, which removes
// it; without one: sets it at (x, y) and draws the cross there.
void toggleTransformCenter(CFigContext* context, int x, int y);

// Mirrors the object of the Fig object code `type` about the line through
// (cx, cy) of the current axis, in place or as a copy as the last click
// asked; a text is not mirrored.
void flipByType(CFigContext* context, FigObject* object, int type, int x, int y, int cx, int cy);
