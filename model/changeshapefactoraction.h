#pragma once
// Undoable change of the shape factor of one spline point. The point is
// named by its position, and its factor node is looked up at each execution:
// deleting a point frees a node, so a kept node pointer could dangle. Owns
// nothing.

#include "model/actionitem.h"

class ChangeShapeFactorAction : public ActionItem {
public:
    // The old value is read from the spline's node at `index` (0.0 when
    // there is none). The lines of `list` smart-linked to the spline become
    // the linked objects.
    ChangeShapeFactorAction(FigObjectList* list, FigObject* spline, int index, double value);

    // False, nothing changed, when the spline has no node at the index.
    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;

    int pointIndex; // from 0, in point order
    double newValue;
    double oldValue = 0.0;

private:
    bool setValue(double value) const;
};
