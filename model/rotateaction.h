#pragma once
// Undoable turn of one object about a centre by whole degrees (positive
// clockwise on the screen); see RigidMotionAction for the links and the undo.
// A box turned off the quarter turns becomes a polygon, an arc-box or a
// picture is not turned by such an angle (CFigContext::rotateObject); undo
// gives back the box.

#include "model/rigidmotionaction.h"

class RotateAction : public RigidMotionAction {
public:
    // The lines of `list` smart-linked to the object become the linked
    // objects.
    RotateAction(FigObjectList* list, FigObject* subject, int cx, int cy, int degrees);

    int angle;

protected:
    void apply(CFigContext* context) override;
};
