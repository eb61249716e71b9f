#pragma once
// Undoable mirroring of one object about a horizontal or vertical line (see
// RigidMotionAction for the links and the undo).

#include "model/rigidmotionaction.h"

class FlipAction : public RigidMotionAction {
public:
    // Axis 1 mirrors about the horizontal line through (cx, cy), 2 about the
    // vertical one. The lines of `list` smart-linked to the object become
    // the linked objects.
    FlipAction(FigObjectList* list, FigObject* subject, int cx, int cy, int mirrorAxis);

    int axis;

protected:
    void apply(CFigContext* context) override;
};
