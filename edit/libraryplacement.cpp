// Placing a shape-library clip into a document with the mouse. The start
// paints the clip once into a transparent pixmap and keeps a copy of the
// canvas; while the pointer moves, the canvas under the old position is put
// back from that copy and the clip pasted at the new one, so no object is
// redrawn. Copies of the clip's objects with fresh identifiers wait outside
// the drawing (counted in the depth tables, as the layers show them) until a
// left press adds them where the pointer is, as one undo step, with the
// clip's user colours merged into the document's first.
#include "edit/libraryplacement.h"

#include "edit/canvashandlers.h"
#include "edit/canvaspainterscope.h"
#include "edit/editmodes.h"
#include "edit/editobjects.h"
#include "edit/editstate.h"
#include "edit/floatingobjects.h"
#include "model/addaction.h"
#include "model/figcontext.h"
#include "model/figdrawing.h"
#include "model/objectlist.h"
#include "model/transforms.h"
#include "model/undohistory.h"
#include "model/units.h"
#include "model/windowseam.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <memory>

namespace {

enum PreviewStep { DrawPreview = 3, RestoreBackground = 4 };

struct Placement {
    CFigContext* document = nullptr; // not owned
    // The copies waiting to be placed; the list and, until placed, the
    // objects are owned.
    FigObjectList* copies = nullptr;
    // The clip's user colours, merged into the document's when placing.
    std::unique_ptr<FigDrawing> colours;
    int extentX = 0; // Fig units: right and bottom edge of the clip
    int extentY = 0;
    bool previewShown = false;
};

Placement placement;

// Forgets the placement and hands back its copies (the caller owns list and
// objects); the canvas handlers are emptied and the canvas action ends.
FigObjectList* takePlacement()
{
    FigObjectList* copies = placement.copies;
    placement.copies = nullptr;
    placement.document = nullptr;
    placement.colours.reset();
    placement.previewShown = false;
    canvasHandlers = CanvasHandlers();
    endCanvasAction();
    return copies;
}

void freeCopies(FigObjectList* copies)
{
    if (!copies)
        return;
    deleteAllObjects(copies);
    delete copies;
}

// Takes the picture off the document's canvas (with the document's painter,
// begun here when no gesture holds it).
void hidePreview(CFigContext* context)
{
    if (!placement.previewShown || !context)
        return;
    CanvasPainterScope scope(context);
    if (canDraw(context))
        context->drawPlacementPreview(RestoreBackground);
    placement.previewShown = false;
}

// The whole canvas has been drawn anew (scrolled, resized, redisplayed): the
// canvas under the picture is taken again from it, and the picture put back.
void placementAfterRedraw(CFigContext* context, int /*anchorX*/, int /*anchorY*/, int /*trackX*/, int /*trackY*/)
{
    const QImage* canvas = context == placement.document ? windowSeam().canvasImage(context) : nullptr;
    if (!canvas)
        return;
    delete libraryPlacementBackground;
    libraryPlacementBackground = new QPixmap(QPixmap::fromImage(*canvas));
    if (placement.previewShown)
        context->drawPlacementPreview(DrawPreview);
}

} // namespace

void CFigContext::drawPlacementPreview(int how)
{
    if (!canDraw(this) || !libraryPlacementPixmap || !libraryPlacementBackground)
        return;
    const float sx = zoom * dpiX / 1200.0f;
    const float sy = zoom * dpiY / 1200.0f;
    const int px = roundToInt(sx * static_cast<float>(canvasAction.trackX - placement.extentX / 2)) - originX;
    const int py = roundToInt(sy * static_cast<float>(canvasAction.trackY - placement.extentY / 2)) - originY;
    const QPainter::CompositionMode mode = painter->compositionMode();
    if (how == DrawPreview) {
        painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter->drawPixmap(px, py, *libraryPlacementPixmap);
    } else if (how == RestoreBackground) {
        // The canvas as it was, pixels replaced rather than blended.
        painter->setCompositionMode(QPainter::CompositionMode_Source);
        painter->drawPixmap(px, py, *libraryPlacementBackground, px, py, libraryPlacementPixmap->width() + 1,
            libraryPlacementPixmap->height() + 1);
    }
    painter->setCompositionMode(mode);
}

void CFigContext::startLibraryPlacement(CFigContext* clip)
{
    if (!clip || clip == this)
        return;
    std::unique_ptr<FigObjectList> copies(cloneObjectListWithIds(&clip->drawing.objects));
    if (!copies || copies->empty()) {
        if (copies)
            deleteAllObjects(copies.get());
        return;
    }
    // One placement at a time: one started before, here or in another
    // document, gives way, and so does a gesture under way.
    {
        CanvasPainterScope scope(this);
        discardFloatingObjects(nullptr);
        abandonCanvasGesture(this);
    }

    // The tool to return to; a mode that only another's gesture or command
    // enters (a paste, a drag) has no tool of its own: the select tool then.
    const EditModeEntry* entry = findEditMode(editMode);
    previousEditMode = (entry && !isChoosableMode(*entry)) ? int(EditMode::Select) : editMode;
    beginCanvasAction();

    int xmin = 0;
    int ymin = 0;
    int xmax = 0;
    int ymax = 0;
    clip->getObjectListBounds(&clip->drawing.objects, xmin, ymin, xmax, ymax, false, true, true);
    const int w = roundToInt(zoom * dpiX / 1200.0f * static_cast<float>(static_cast<double>(xmax) - xmin));
    const int h = roundToInt(zoom * dpiY / 1200.0f * static_cast<float>(static_cast<double>(ymax) - ymin));

    delete libraryPlacementPixmap;
    libraryPlacementPixmap = new QPixmap(std::max(w, 0) + 1, std::max(h, 0) + 1);
    libraryPlacementPixmap->fill(Qt::transparent);
    clip->renderObjectsToPixmap(
        libraryPlacementPixmap, libraryPlacementPixmap->width(), libraryPlacementPixmap->height());
    delete libraryPlacementBackground;
    libraryPlacementBackground = nullptr;
    windowSeam().flushDeferredRedisplay(this); // the background is the drawing
    if (const QImage* canvas = windowSeam().canvasImage(this))
        libraryPlacementBackground = new QPixmap(QPixmap::fromImage(*canvas));

    placement.document = this;
    placement.copies = copies.release();
    addObjectsToDepths(placement.copies);
    placement.colours = std::make_unique<FigDrawing>();
    placement.colours->userColors = clip->drawing.userColors;
    placement.extentX = xmax;
    placement.extentY = ymax;
    placement.previewShown = false;

    // No handler of the mode before may answer while the clip follows.
    canvasHandlers = CanvasHandlers();
    setCanvasHandlers(libraryPlacementFirstMove, placeLibraryClip, cancelLibraryPlacement);
    canvasHandlers.elasticHandler = placementAfterRedraw;
    claimCanvasGesture(this);
}

void libraryPlacementFirstMove(CFigContext* context, int x, int y)
{
    if (context != placement.document)
        return;
    canvasAction.trackX = x;
    canvasAction.trackY = y;
    if (canDraw(context)) {
        context->drawPlacementPreview(DrawPreview);
        placement.previewShown = true;
    }
    canvasHandlers.moveHandler = libraryPlacementMove;
}

void libraryPlacementMove(CFigContext* context, int x, int y)
{
    if (context != placement.document)
        return;
    if (placement.previewShown && canDraw(context))
        context->drawPlacementPreview(RestoreBackground);
    canvasAction.trackX = x;
    canvasAction.trackY = y;
    placement.previewShown = canDraw(context);
    if (placement.previewShown)
        context->drawPlacementPreview(DrawPreview);
}

void placeLibraryClip(CFigContext* context, int /*x*/, int /*y*/)
{
    CFigContext* document = placement.document;
    if (context != document) {
        // A press in another document window: the placement gives way.
        abandonLibraryPlacement();
        return;
    }
    hidePreview(document);
    std::unique_ptr<FigDrawing> colours = std::move(placement.colours);
    FigObjectList* copies = takePlacement();

    if (copies && !copies->empty()) {
        document->importUserColors(colours.get(), copies);
        windowSeam().refreshUserColorLists();
        // The last pointer position, not the press, is where the picture was.
        translateObjectList(
            copies, canvasAction.trackX - placement.extentX / 2, canvasAction.trackY - placement.extentY / 2);
        document->removeObjectsFromDepths(copies);
        FigObjectList* list = document->objects();
        auto* step = new ActionStep;
        for (FigObject* object : *copies) {
            auto* action = new AddAction(list, object);
            action->redo(document);
            step->append(action);
        }
        document->undoHistory.pushActionList(step);
        {
            CanvasPainterScope scope(document);
            if (canDraw(document))
                document->redrawObjectList(copies, false);
        }
    }
    delete copies; // the objects belong to the undo step now
    {
        CanvasPainterScope scope(document);
        document->showAllMarkers();
    }
    windowSeam().setEditMode(previousEditMode);
}

void cancelLibraryPlacement(CFigContext* /*context*/, int /*x*/, int /*y*/)
{
    abandonLibraryPlacement();
}

CFigContext* libraryPlacementDocument()
{
    return placement.document;
}

void dropLibraryPlacement()
{
    CFigContext* document = placement.document;
    if (!document)
        return;
    hidePreview(document);
    FigObjectList* copies = takePlacement();
    document->removeObjectsFromDepths(copies);
    freeCopies(copies);
}

void abandonLibraryPlacement()
{
    if (!placement.document)
        return;
    dropLibraryPlacement();
    windowSeam().setEditMode(previousEditMode);
}

void forgetLibraryPlacement(const CFigContext* context)
{
    if (!context || placement.document != context)
        return;
    freeCopies(takePlacement());
}
