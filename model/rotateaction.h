#pragma once
// Undoable turn of one object about a centre by whole degrees (positive
// clockwise on the screen). As with mirroring, the object's own smart links
// are detached while the turn is in force and owned here in the done state.
// Undo puts back the geometry the redo found instead of turning back, which
// rounding would leave a unit off; a box member that the turn made a polygon
// stays a polygon.

#include "model/actionitem.h"
#include "model/geometrysnapshot.h"

#include <QList>

struct SmartLink;

class RotateAction : public ActionItem {
public:
    // The lines of `list` smart-linked to the object become the linked
    // objects.
    RotateAction(FigObjectList* list, FigObject* subject, int cx, int cy, int degrees);

    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;
    void releaseDone() override;

    int centerX;
    int centerY;
    int angle;
    QList<SmartLink*> savedLinks; // detached records, owned in the done state

private:
    GeometrySnapshot before; // the object and its linked lines as the last redo found them
};
