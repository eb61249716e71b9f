#pragma once
// Undoable move of one of the three points of an arc; the centre and the
// direction follow. Owns nothing.

#include "model/actionitem.h"

class MoveArcPointAction : public ActionItem {
public:
    MoveArcPointAction(FigObjectList* list, FigObject* arc, int index, int moveX, int moveY);

    // False, the arc unchanged, when no circle passes through the moved
    // points.
    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;

    int pointIndex; // 0, 1 or 2
    int dx;
    int dy;
};
