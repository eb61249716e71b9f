#pragma once
// Undoable move of one point of a polyline (a box corner with the points
// sharing its x or y). The first execution of a drag that ends an open line
// on a link target makes a smart link for the point; redo and undo then
// exchange the point's link record with the one it had before. Each record
// not on the point is held in `savedLinks` and freed by either release.

#include "model/actionitem.h"
#include "model/geometrysnapshot.h"

#include <QList>

class FigPoint;
struct SmartLink;

class MoveLinePointAction : public ActionItem {
public:
    // The lines of `list` smart-linked to the object become the linked
    // objects.
    MoveLinePointAction(FigObjectList* list, FigObject* line, FigPoint* movedPoint, int moveX, int moveY);

    bool redo(CFigContext* context) override;
    // Puts back the point, the points that moved with it and the points of
    // other lines that followed, as the last redo found them.
    bool undo(CFigContext* context) override;
    void releaseDone() override;
    void releaseUndone() override;

    FigPoint* point; // not owned
    int dx;
    int dy;
    bool linkOnRedo = true;
    QList<SmartLink*> savedLinks; // the records not on the point, owned

protected:
    // Moves `point` by the offset with the operation of the object's kind.
    virtual void movePoint(CFigContext* context, int offsetX, int offsetY);

private:
    void exchangeLinks();

    // The link made by the first execution moved the point onto its target;
    // later redos add that shift so that they end where the first one did.
    int snapX = 0;
    int snapY = 0;
    GeometrySnapshot before;
};
