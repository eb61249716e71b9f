#pragma once
// Undoable removal of a point from a polyline. Owns the removed point (with
// its own link record) while it is done; links of other lines naming it move
// to neighbouring segments, and undo puts everything back as it was.

#include "model/actionitem.h"
#include "model/pointundo.h"

class FigLine;

class DeleteLinePointAction : public ActionItem {
public:
    DeleteLinePointAction(FigObjectList* ownerList, FigLine* line, FigPoint* prevPoint, FigPoint* removedPoint);

    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;
    void releaseDone() override;

    FigPoint* prevPoint;
    FigPoint* removedPoint;

private:
    LinePointSnapshot before; // the chain and its linked points before the removal
    bool removed = false; // the last redo took the point out
};
