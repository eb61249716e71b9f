#pragma once
// Undoable scaling of one or more objects about a centre, with the smart-
// linked points of the follower lines scaled along. Undo puts back the
// coordinates recorded before the scaling instead of dividing by the factors,
// which rounding would not invert. Owns no objects in either state.

#include "model/actionitem.h"
#include "model/geometrysnapshot.h"

class ScaleAction : public ActionItem {
public:
    // Factors with an absolute value below this are refused: they would
    // press the objects flat beyond recovery.
    static constexpr float minimumFactor = 0.001f;

    // `linked`: the lines and splines of the drawing smart-linked to the
    // objects, the objects themselves excluded (collectLinkedObjectsOfList);
    // they become both the linked objects and the followers.
    ScaleAction(FigObjectList* list, const FigObjectList& subjects, const FigObjectList& linked, float sx, float sy,
        int cx, int cy);

    // False, nothing changed, when a factor is refused; the caller then
    // pushes no step.
    bool redo(CFigContext* context) override;
    // False when there is nothing to put back (redo refused).
    bool undo(CFigContext* context) override;

    float scaleX;
    float scaleY;
    int centerX;
    int centerY;
    FigObjectList followers; // not owned

private:
    GeometrySnapshot before; // the geometry as the last redo found it
    bool scaled = false; // the last redo was carried out
};
