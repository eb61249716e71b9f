#include "model/figcontext.h"

#include "app/preferences.h"
#include "model/actionitem.h"
#include "model/figcompound.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/figpoint.h"
#include "model/figspline.h"
#include "model/objectlist.h"
#include "model/objectplaces.h"
#include "model/windowseam.h"
#include "render/colors.h"

#include <QColor>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <memory>
#include <new>

CFigContext::CFigContext(QTChildFrm* documentView)
    : view(documentView)
    , undoHistory(this, maxUndoSteps)
{
    zoom = 1.0f;
    updateDpi();
    init();
}

CFigContext::CFigContext()
    : CFigContext(nullptr)
{
}

CFigContext::~CFigContext()
{
    // The undo history goes next (it is declared after the drawing), then the
    // drawing with every object, then the file name.
    delete selection;
    delete editCopy;
    delete pendingActions;
    // The points of an object still being drawn belong to nobody else.
    freePointList(newChainHead);
}

void CFigContext::init()
{
    // A context initialised again frees what it owns before forgetting it.
    openCompound = nullptr;
    modified = false;
    delete pendingActions;
    pendingActions = nullptr;
    delete selection;
    selection = nullptr;
    currentObject = nullptr;
    delete editCopy;
    editCopy = nullptr;
    freePointList(newChainHead);
    newChainHead = nullptr;
    newChainTail = nullptr;
    originX = 0;
    originY = 0;
    savedOriginX = 0;
    savedOriginY = 0;
    savedZoom = -1.0f;
    gridOn = preferences.gridOn;
    gridIndex = preferences.gridIndex;
    magnetMode = preferences.magnetMode;
    metric = preferences.metric;
    landscape = false;
    paperIndex = 13;
    showPaperFrame = true;
    flushLeft = true;
    multiplePages = false;
    magnification = 100.0f;
    penColor = 0;
    fillColor = 7;
    fillStyle = -1;
    transparentColor = -2;
    std::fill(std::begin(depthVisible), std::end(depthVisible), true);
    layerDrawMode = 10;
    std::fill(std::begin(depthObjectCount), std::end(depthObjectCount), 0);
    maxDepth = -1;
    minDepth = -1;
    linkCursorShown = false;
    nextId = 0;
}

FigObjectList* CFigContext::objects()
{
    return openCompound ? openCompound : &drawing.objects;
}

int CFigContext::nextObjectId()
{
    return ++nextId;
}

int CFigContext::addUserColor(const QColor& color)
{
    if (!color.isValid())
        return -1;
    int key = 0;
    while (key < maxUserColors && drawing.userColors.contains(key))
        ++key;
    if (key == maxUserColors)
        return -1; // every key is taken: nothing added
    try {
        auto table = std::make_unique<ShadeTable>();
        buildColorShades(*table, color.red(), color.green(), color.blue());
        drawing.userColors.insert(key, color);
        // A key freed by deleting its colour still has its old table: the new
        // one takes its place.
        ShadeTable* old = drawing.userShades.value(key, nullptr);
        try {
            drawing.userShades.insert(key, table.get());
        } catch (const std::bad_alloc&) {
            drawing.userColors.remove(key);
            throw;
        }
        table.release();
        delete old;
    } catch (const std::bad_alloc&) {
        return -1;
    }
    return key;
}

bool CFigContext::hasUserColor(int colorNumber) const
{
    return drawing.userColors.contains(colorNumber - 32);
}

void CFigContext::setModified()
{
    noteDrawingChanged();
    modified = true;
    if (view)
        windowSeam().setWindowModified(this, true);
}

void CFigContext::clearModified()
{
    modified = false;
    if (view)
        windowSeam().setWindowModified(this, false);
}

void CFigContext::saveViewport()
{
    savedOriginX = originX;
    savedOriginY = originY;
    savedZoom = zoom;
}

void CFigContext::restoreViewport()
{
    originX = savedOriginX;
    originY = savedOriginY;
    zoom = savedZoom;
}

void CFigContext::updateDpi()
{
    switch (preferences.dpiAtZoom100) {
    case 1:
        // A window-less context keeps what its creator set from its own device.
        if (view) {
            float x;
            float y;
            if (windowSeam().windowDpi(this, x, y)) {
                dpiX = x;
                dpiY = y;
            }
        }
        break;
    case 2:
        dpiX = dpiY = 72.0f;
        break;
    default:
        dpiX = dpiY = 80.0f;
        break;
    }
}

void CFigContext::setPainter(QPainter* newPainter)
{
    painter = newPainter;
}

// Copies with fresh identifiers -------------------------------------------

FigObject* CFigContext::cloneObject(const FigObject* object)
{
    if (!object)
        return nullptr;
    FigObject* copy = object->clone();
    if (copy)
        copy->id = nextObjectId();
    return copy;
}

FigObject* CFigContext::cloneCompound(const FigCompound* compound)
{
    if (!compound)
        return nullptr;
    auto* copy = static_cast<FigCompound*>(compound->clone());
    if (copy)
        renumberCompound(copy);
    return copy;
}

void CFigContext::renumberCompound(FigCompound* compound)
{
    if (!compound)
        return;
    compound->id = nextObjectId();
    for (FigObject* member : *compound->members) {
        if (member->type == FigObject::Compound)
            renumberCompound(static_cast<FigCompound*>(member));
        else
            member->id = nextObjectId();
    }
}

FigObject* CFigContext::clonePath(const FigObject* path, bool keepLinks)
{
    if (!path || (path->type != FigObject::Polyline && path->type != FigObject::Spline))
        return nullptr;
    FigObject* copy = path->clone();
    if (!copy)
        return nullptr;
    copy->id = nextObjectId();
    if (!keepLinks) {
        FigPath* chain = copy->type == FigObject::Polyline ? static_cast<FigPath*>(static_cast<FigLine*>(copy))
                                                           : static_cast<FigPath*>(static_cast<FigSpline*>(copy));
        for (FigPoint* p = chain->points; p; p = p->next) {
            delete p->link;
            p->link = nullptr;
        }
    }
    return copy;
}

FigObject* CFigContext::cloneUnlinked(const FigObject* object)
{
    if (!object)
        return nullptr;
    switch (object->type) {
    case FigObject::Polyline:
    case FigObject::Spline:
        return clonePath(object, false);
    case FigObject::Compound:
        return cloneCompound(static_cast<const FigCompound*>(object));
    case FigObject::Ellipse:
    case FigObject::Text:
    case FigObject::Arc:
        return cloneObject(object);
    default:
        return nullptr;
    }
}

// Identifiers and copies of lists ----------------------------------------

void CFigContext::renumberWithIdMap(const FigObjectList* list, ObjectIdMap& ids)
{
    if (!list)
        return;
    for (FigObject* object : *list) {
        const int oldId = object->id;
        object->id = nextObjectId();
        ids.insert(oldId, object->id);
        if (object->type == FigObject::Compound)
            renumberWithIdMap(static_cast<FigCompound*>(object)->members, ids);
    }
}

int CFigContext::replaceObjectsById(const FigObjectList* list)
{
    if (!list || list->empty())
        return 0;
    // A few objects are searched one by one: each search stops where it
    // finds its object.
    constexpr size_t fewObjects = 4;
    if (list->size() <= fewObjects) {
        int replaced = 0;
        for (FigObject* object : *list) {
            if (replaceObjectById(&drawing.objects, object))
                ++replaced;
        }
        return replaced;
    }
    // One walk of the drawing finds the place of every identifier asked for
    // (the first one in the order replaceObjectById searches), so that a long
    // list costs one walk instead of one search per object.
    QSet<int> wanted;
    for (const FigObject* object : *list) {
        if (object)
            wanted.insert(object->id);
    }
    ObjectPlaces places(&drawing.objects, wanted);
    int replaced = 0;
    for (FigObject* object : *list) {
        if (object && places.replace(object))
            ++replaced;
    }
    return replaced;
}

FigObjectList* CFigContext::cloneObjectListWithIds(const FigObjectList* list)
{
    FigObjectList* copy = cloneObjectList(list);
    if (!copy)
        return nullptr;
    try {
        ObjectIdMap ids;
        renumberWithIdMap(copy, ids);
        remapSmartLinkTargets(copy, ids);
    } catch (const std::bad_alloc&) {
        deleteAllObjects(copy);
        delete copy;
        return nullptr;
    }
    return copy;
}

// Compounds ----------------------------------------------------------------

FigCompound* CFigContext::parentCompoundOf(const FigObjectList* list, const FigObject* compound)
{
    if (!list)
        return nullptr;
    for (FigObject* object : *list) {
        if (object->type != FigObject::Compound)
            continue;
        if (object == compound)
            return findParentCompound(&drawing.objects, list);
        if (FigCompound* holder = findContainerInCompound(static_cast<FigCompound*>(object), compound))
            return holder;
    }
    return nullptr;
}

void CFigContext::collectParentCompounds(const FigObjectList* list, FigObjectList& out)
{
    if (!list)
        return;
    for (const FigObject* object : *list) {
        FigCompound* holder = findCompoundContaining(&drawing.objects, object);
        if (holder && !pointerListContains(&out, holder))
            out.push_back(holder);
    }
}

void CFigContext::recomputeCorners(FigCompound* compound)
{
    int xmin, ymin, xmax, ymax;
    compound->getBounds(this, xmin, ymin, xmax, ymax, true, true);
    compound->upperLeft.x = xmin;
    compound->upperLeft.y = ymin;
    compound->lowerRight.x = xmax;
    compound->lowerRight.y = ymax;
}

void CFigContext::updateParentCompoundBounds(const FigObjectList* list)
{
    if (!list)
        return;
    QSet<const FigCompound*> holders;
    for (const FigObject* object : *list) {
        if (const FigCompound* holder = findCompoundContaining(&drawing.objects, object))
            holders.insert(holder);
    }
    if (holders.isEmpty())
        return;
    // Nested compounds before the compound that holds them; only the direct
    // holders are recomputed, not the compounds around them.
    auto walk = [this, &holders](const FigObjectList* objects, auto& self) -> void {
        for (FigObject* object : *objects) {
            if (object->type != FigObject::Compound)
                continue;
            auto* compound = static_cast<FigCompound*>(object);
            self(compound->members, self);
            if (holders.contains(compound))
                recomputeCorners(compound);
        }
    };
    walk(&drawing.objects, walk);
}

void CFigContext::closeCompound(bool redraw)
{
    forEachObject(openCompound, deselectObject);
    FigCompound* compound = findParentCompound(&drawing.objects, openCompound);
    if (!compound) {
        // The open list is no longer part of the drawing: editing must not
        // go on in it, so it falls back to the top-level list.
        currentObject = nullptr;
        openCompound = nullptr;
        if (redraw)
            redrawCanvas();
        return;
    }
    FigCompound* parent = parentCompoundOf(&drawing.objects, compound);
    if (compound->members->empty()) {
        // All members were deleted while it was open. It stays where it is:
        // the undo steps of those deletions put the members back into its
        // member list, which must therefore remain part of the drawing.
        currentObject = nullptr;
    } else {
        currentObject = compound;
        compound->selected = true;
        compound->markerState = 1;
        recomputeCorners(compound);
    }
    openCompound = parent ? parent->members : nullptr;
    if (redraw)
        redrawCanvas();
}

void CFigContext::getObjectListBounds(const FigObjectList* list, int& xmin, int& ymin, int& xmax, int& ymax,
    bool selectedOnly, bool withTextDescent, bool withLineWidth)
{
    xmin = ymin = xmax = ymax = 0;
    if (!list)
        return;
    bool first = true;
    for (FigObject* object : *list) {
        if (selectedOnly && !object->selected)
            continue;
        int x0, y0, x1, y1;
        object->getBounds(this, x0, y0, x1, y1, withTextDescent, withLineWidth);
        if (first) {
            xmin = x0;
            ymin = y0;
            xmax = x1;
            ymax = y1;
            first = false;
        } else {
            xmin = std::min(xmin, x0);
            ymin = std::min(ymin, y0);
            xmax = std::max(xmax, x1);
            ymax = std::max(ymax, y1);
        }
    }
}

void CFigContext::getDrawingBounds(int& xmin, int& ymin, int& xmax, int& ymax)
{
    DrawingBounds& b = drawingBounds;
    if (!b.valid || b.changeCount != changeCount || b.dpiX != dpiX || b.dpiY != dpiY
        || boundsCache.hasUnsteadyBoxes()) {
        boundsCache.drawingBounds(*this, b.xmin, b.ymin, b.xmax, b.ymax);
        b.valid = true;
        b.changeCount = changeCount;
        b.dpiX = dpiX;
        b.dpiY = dpiY;
        b.zoom = zoom;
    }
#ifndef NDEBUG
    else if (b.zoom == zoom) {
        // A change that did not count would leave the kept box behind.
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        getObjectListBounds(&drawing.objects, x0, y0, x1, y1, false, true, true);
        if (x0 != b.xmin || y0 != b.ymin || x1 != b.xmax || y1 != b.ymax)
            qFatal("The kept drawing box (%d %d %d %d) differs from the drawing's (%d %d %d %d)", b.xmin, b.ymin,
                b.xmax, b.ymax, x0, y0, x1, y1);
    }
#endif
    xmin = b.xmin;
    ymin = b.ymin;
    xmax = b.xmax;
    ymax = b.ymax;
}
