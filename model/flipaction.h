#pragma once
// Undoable mirroring of one object about a horizontal or vertical line. While
// the mirror is in force the object's own smart links (of a polyline, a
// spline or the lines inside a compound) are detached; the action holds those
// records and owns them in the done state. Undo puts back the geometry the
// redo found (the object and the lines linked to it): mirroring back would
// leave linked points and turned ellipses a unit off.

#include "model/actionitem.h"
#include "model/geometrysnapshot.h"

#include <QList>

struct SmartLink;

class FlipAction : public ActionItem {
public:
    // Axis 1 mirrors about the horizontal line through (cx, cy), 2 about the
    // vertical one. The lines of `list` smart-linked to the object become
    // the linked objects.
    FlipAction(FigObjectList* list, FigObject* subject, int cx, int cy, int mirrorAxis);

    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;
    void releaseDone() override;

    // Appends the records held by the object's own link sources (a polyline,
    // a spline, or every line inside a compound) to `out` and detaches them
    // without deleting; other kinds hold none. Turning uses it too.
    static void detachOwnLinks(FigObject* object, QList<SmartLink*>& out);

    int centerX;
    int centerY;
    int axis;
    QList<SmartLink*> savedLinks; // detached records, owned in the done state

private:
    GeometrySnapshot before; // the object and its linked lines as the last redo found them
};
