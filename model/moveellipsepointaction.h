#pragma once
// Undoable reshaping of an ellipse by dragging its start point, its end
// point or both ends symmetrically; points smart-linked to the ellipse
// follow its outline. Undo puts back the recorded shape and linked points:
// the reverse drag would not restore a radius that passed through zero, nor
// points that were carried onto the outline. Owns nothing.

#include "model/actionitem.h"
#include "model/geometrysnapshot.h"

class MoveEllipsePointAction : public ActionItem {
public:
    // The lines of `list` smart-linked to the ellipse become the linked
    // objects.
    MoveEllipsePointAction(FigObjectList* list, FigObject* ellipse, int index, int moveX, int moveY);

    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;

    int pointIndex; // -1 both ends, 0 the start, other the end
    int dx;
    int dy;

private:
    GeometrySnapshot before; // the ellipse and its linked lines as the last redo found them
};
