#pragma once
// What mirroring and turning one object about a centre share as undo steps.
// While the motion is in force the object's own smart links (of a polyline, a
// spline or the lines inside a compound) are detached; the action holds those
// records and owns them in the done state. Undo puts back the geometry the
// redo found (the object and the lines linked to it) instead of moving back,
// which rounding would leave a unit off.

#include "model/actionitem.h"
#include "model/geometrysnapshot.h"

#include <QList>

struct SmartLink;

class RigidMotionAction : public ActionItem {
public:
    // The lines of `list` smart-linked to the object become the linked
    // objects.
    RigidMotionAction(FigObjectList* list, FigObject* subject, int cx, int cy);

    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;
    void releaseDone() override;

    // Appends the records held by the object's own link sources (a polyline,
    // a spline, or every line inside a compound) to `out` and detaches them
    // without deleting; other kinds hold none.
    static void detachOwnLinks(FigObject* object, QList<SmartLink*>& out);

    int centerX;
    int centerY;
    QList<SmartLink*> savedLinks; // detached records, owned in the done state

protected:
    // Moves `object` (its links already detached).
    virtual void apply(CFigContext* context) = 0;

private:
    GeometrySnapshot before; // the object and its linked lines as the last redo found them
};
