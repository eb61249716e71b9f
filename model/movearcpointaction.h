#pragma once
// Undoable move of one of the three points of an arc; the centre and the
// direction follow. Owns nothing.

#include "model/actionitem.h"
#include "model/geometrysnapshot.h"

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

private:
    // The arc as the last redo found it: moving the point back recomputes
    // the centre, which can come out a rounding away from where it was.
    GeometrySnapshot before;
};
