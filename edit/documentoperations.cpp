// Operations on a document's selection and view that the document window and
// the main window call: scroll origins for zooming, moving, deleting and
// cutting the selection as undo steps, and compounds. Drawing
// goes through the context's painter and happens only while it is active.

#include "app/statusmessages.h"
#include "edit/editobjects.h"
#include "edit/editstate.h"
#include "model/addaction.h"
#include "model/deleteaction.h"
#include "model/depths.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/figspline.h"
#include "model/objectlist.h"
#include "model/smartlinks.h"
#include "model/translateaction.h"
#include "model/units.h"
#include "model/windowseam.h"

#include <QPainter>

#include <algorithm>

bool CFigContext::isCompoundOpen(const CFigContext* ctx)
{
    return ctx && ctx->openCompound;
}

// ---- Scroll origins ----

void CFigContext::scrollOriginForZoom(int& ox, int& oy, int originX, int originY, float oldZoom, float newZoom) const
{
    const QSize visible = view ? windowSeam().visibleSize(this) : QSize(0, 0);
    const int w = visible.width();
    const int h = visible.height();
    const auto axis = [oldZoom, newZoom](float u, int origin, int extent) {
        // The Fig coordinate of the visible centre, then its new origin.
        const int c = int(u * (float(origin) / oldZoom)) + int(u * (float(extent) / oldZoom)) / 2;
        return std::max(0, int(float(c) * newZoom / u) - extent / 2);
    };
    ox = axis(displayPixelSize(dpiX), originX, w);
    oy = axis(displayPixelSize(dpiY), originY, h);
}

void CFigContext::centeredScrollOrigin(int& ox, int& oy, int cx, int cy, float zoom) const
{
    const QSize visible = view ? windowSeam().visibleSize(this) : QSize(0, 0);
    const int w = visible.width();
    const int h = visible.height();
    const auto axis = [zoom](float u, int centre, int extent) {
        const int half = int(u * (float(extent) / zoom)) / 2;
        return std::max(0, roundToInt(1.0f / u * zoom * float(centre - half)));
    };
    ox = axis(displayPixelSize(dpiX), cx, w);
    oy = axis(displayPixelSize(dpiY), cy, h);
}

// ---- Selection as undo steps ----

FigObjectList* CFigContext::deleteSelection()
{
    FigObjectList* list = objects();
    auto* removed = new FigObjectList;
    collectSelectedObjects(list, *removed);
    if (removed->empty())
        return removed;
    auto* step = new ActionStep;
    for (FigObject* object : *removed) {
        if (currentObject == object)
            currentObject = nullptr;
        auto* action = new DeleteAction(list, object);
        action->redo(this);
        step->append(action);
    }
    undoHistory.pushActionList(step);
    return removed;
}

FigObjectList* CFigContext::cutSelection()
{
    FigObjectList selected;
    collectSelectedObjects(objects(), selected);
    auto* clones = new FigObjectList;
    for (const FigObject* object : selected) {
        // The identifiers stay, so that the links among the cut objects do.
        FigObject* copy = object->clone();
        if (!copy) {
            // Without a copy for the clipboard nothing is cut.
            deleteAllObjects(clones);
            clones->clear();
            return clones;
        }
        clones->push_back(copy);
    }
    dropForeignSmartLinks(clones, clones, false);
    delete deleteSelection();
    return clones;
}
