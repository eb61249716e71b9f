#pragma once
// Undoable insertion of a point into a polyline. Owns the new point while it
// is undone; links of other lines to the polyline follow the split segment.

#include "model/actionitem.h"
#include "model/pointundo.h"

class FigLine;

class AddLinePointAction : public ActionItem {
public:
    // The new point (its position set) goes after `prevPoint` (in front
    // when null).
    AddLinePointAction(FigObjectList* ownerList, FigLine* line, FigPoint* prevPoint, FigPoint* newPoint);

    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;
    void releaseDone() override;
    void releaseUndone() override;

    FigPoint* prevPoint;
    FigPoint* newPoint;

private:
    LinePointSnapshot before; // the chain and its linked points before the insertion
    bool entered = false; // the point has been in the chain (not owned when done)
};
