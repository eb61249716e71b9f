#pragma once
// The rotate modes: a left click turns an object in place by the rotation
// angle of the current attributes, a right click adds that many turned
// copies (the k-th at k times the angle) and leaves the object; mode 58
// turns one way, mode 59 the other. The centre is the transform centre when
// one is set (Shift with the left button sets and clears it, as in the flip
// modes), else the press position for a turn in place and the point of the
// object that was clicked for copies. A box turned by an angle that is not a
// quarter turn becomes a polygon within the same undo step; arc-boxes and
// pictures refuse such angles, and so does a compound holding one.

#include "model/figobjectlist.h"

class CFigContext;
class FigObject;

// The set-ups of modes 58 and 59.
void initRotateLeftMode();
void initRotateRightMode();

// The object callbacks of the left and the right button. False without an
// object.
bool rotateObjectPicked(CFigContext* context, FigObject* object, int type, int x, int y, int hitX, int hitY);
bool rotateCopiesPicked(CFigContext* context, FigObject* object, int type, int x, int y, int hitX, int hitY);

// Checks that the object may turn by the angle under way and turns it (or a
// copy of it, as the last click asked) about (cx, cy) as one undo step;
// false, with a message, when the angle is refused.
bool rotateByType(CFigContext* context, FigObject* object, int type, int cx, int cy);

// Whether every member, at any nesting, may turn by the angle: always for a
// multiple of 90 degrees, else not when an arc-box or a picture is among
// them.
bool canRotateCompound(const FigObjectList* members, int angle);
