#include "edit/editmodes.h"

#include "edit/arcmode.h"
#include "edit/arrowmode.h"
#include "edit/boxmode.h"
#include "edit/copydeletemodes.h"
#include "edit/dragselection.h"
#include "edit/editstate.h"
#include "edit/ellipsemode.h"
#include "edit/flipmode.h"
#include "edit/floatingobjects.h"
#include "edit/gesturecancel.h"
#include "edit/linemode.h"
#include "edit/pointdeletion.h"
#include "edit/pointinsertion.h"
#include "edit/regularmode.h"
#include "edit/rotatemode.h"
#include "edit/scalemode.h"
#include "edit/selectmode.h"
#include "edit/splinemode.h"
#include "edit/tangentnormal.h"
#include "edit/textmode.h"
#include "edit/updatemode.h"
#include "model/figcontext.h"
#include "model/objectlist.h"

#include <QList>

#include <iterator>

// ---- The mode table ----

// One line per mode: number, set-up, picking, markers on choosing, attribute
// page, status text (and the document set-up of the modes prepared on one).
// clang-format off
const EditModeEntry editModeTable[] = {
    { EditMode::Cbr, initCircleByRadiusMode, false, ModeMarkers::Clear, AttrsPage::Ellipse, "CIRCLE drawing: specify RADIUS" },
    { EditMode::Cbd, initCircleByDiameterMode, false, ModeMarkers::Clear, AttrsPage::Ellipse, "CIRCLE drawing: specify DIAMETER" },
    { EditMode::Ebr, initEllipseByRadiusMode, false, ModeMarkers::Clear, AttrsPage::Ellipse, "ELLIPSE drawing: specify RADIUSES" },
    { EditMode::Ebd, initEllipseByDiameterMode, false, ModeMarkers::Clear, AttrsPage::Ellipse, "ELLIPSE drawing: specify DIAMETERS" },
    { EditMode::Arc, initArcMode, false, ModeMarkers::Clear, AttrsPage::Arc, "ARC drawing: specify three points on the arc" },
    { EditMode::Polyline, initLineMode, false, ModeMarkers::Clear, AttrsPage::Polyline, "POLYLINE drawing" },
    { EditMode::Box, initBoxMode, false, ModeMarkers::Clear, AttrsPage::Box, "Rectangular BOX drawing" },
    { EditMode::Polygon, initLineMode, false, ModeMarkers::Clear, AttrsPage::Polygon, "POLYGON drawing" },
    { EditMode::Text, initTextMode, false, ModeMarkers::Clear, AttrsPage::Text, "TEXT input (from keyboard)" },
    { EditMode::Spline, initSplineMode, false, ModeMarkers::Clear, AttrsPage::OpenSpline, "SPLINE drawing: specify control points" },
    { EditMode::ClosedSpline, initSplineMode, false, ModeMarkers::Clear, AttrsPage::ClosedSpline, "CLOSED SPLINE drawing: specify control points" },
    { EditMode::IntSpline, initSplineMode, false, ModeMarkers::Clear, AttrsPage::OpenSpline, "INTERPOLATED SPLINE drawing" },
    { EditMode::ClosedIntSpline, initSplineMode, false, ModeMarkers::Clear, AttrsPage::ClosedSpline, "CLOSED INTERPOLATED SPLINE drawing" },
    { EditMode::Regular, initRegularPolygonMode, false, ModeMarkers::Clear, AttrsPage::Regular, "Regular Polygon" },
    { EditMode::Picture, initPictureMode, false, ModeMarkers::Clear, AttrsPage::Picture, "PICTURE: add a picture" },
    { EditMode::ScaleComp, initScaleMode, true, ModeMarkers::MarkAll, AttrsPage::NoAttributes, "SCALE COMPOUND object" },
    { EditMode::Copy, initCopyMode, true, ModeMarkers::MarkAll, AttrsPage::NoAttributes, "COPY objects" },
    { EditMode::Delete, initDeleteMode, true, ModeMarkers::MarkAll, AttrsPage::NoAttributes, "REMOVE objects" },
    { EditMode::MovePoint, nullptr, true, ModeMarkers::None, AttrsPage::NoAttributes, nullptr },
    { EditMode::DeletePoint, initDeletePointMode, true, ModeMarkers::MarkAll, AttrsPage::NoAttributes, "DELETE POINTs (from POLYLINE, POLYGON, CLOSED-SPLINE and SPLINE)" },
    { EditMode::AddPoint, nullptr, true, ModeMarkers::MarkAll, AttrsPage::NoAttributes, "ADD POINTs (to POLYLINE, POLYGON, CLOSED-SPLINE and SPLINE)", initAddPointModeOn },
    { EditMode::Arrow, initArrowMode, true, ModeMarkers::ShowAll, AttrsPage::Arrow, "ADD/DELETE arrow head (left button)" },
    { EditMode::Update, initUpdateMode, true, ModeMarkers::MarkAll, AttrsPage::Update, "UPDATE objects to current settings" },
    { EditMode::FlipVert, initFlipVerticalMode, true, ModeMarkers::MarkAll, AttrsPage::NoAttributes, "FLIP objects (left button) or COPY & FLIP (right button) up or down. Set center using SHIFT+LEFT button" },
    { EditMode::FlipHoriz, initFlipHorizontalMode, true, ModeMarkers::MarkAll, AttrsPage::NoAttributes, "FLIP objects (left button) or COPY & FLIP (right button) left or right. Set center using SHIFT+LEFT button" },
    { EditMode::RotateLeft, initRotateLeftMode, true, ModeMarkers::MarkAll, AttrsPage::Rotate, "ROTATE objects (left button) or COPY & ROTATE (right button) 90 degree. Set center using SHIFT+LEFT button" },
    { EditMode::RotateRight, initRotateRightMode, true, ModeMarkers::MarkAll, AttrsPage::Rotate, "ROTATE objects (left button) or COPY & ROTATE (right button) -90 degree. Set center using SHIFT+LEFT button" },
    { EditMode::Select, initSelectMode, true, ModeMarkers::ShowAll, AttrsPage::NoAttributes, "Select objects object with bounding box or via SHIFT SELECT" },
    { EditMode::MoveSelection, nullptr, true, ModeMarkers::None, AttrsPage::NoAttributes, nullptr },
    { EditMode::Paste, nullptr, false, ModeMarkers::None, AttrsPage::NoAttributes, nullptr },
    { EditMode::Tangent, initTangentMode, false, ModeMarkers::Clear, AttrsPage::TangentNormal, "TANGENT: add a tangent to a shape" },
    { EditMode::Normal, initNormalMode, false, ModeMarkers::Clear, AttrsPage::TangentNormal, "NORMAL: add a normal to a shape" },
};
// clang-format on

const int editModeTableSize = int(std::size(editModeTable));

const EditModeEntry* findEditMode(int mode)
{
    for (const EditModeEntry& entry : editModeTable) {
        if (entry.mode == mode)
            return &entry;
    }
    return nullptr;
}

bool isChoosableMode(const EditModeEntry& entry)
{
    return entry.setUp || entry.documentSetUp;
}

bool modeNeedsDocument(const EditModeEntry& entry)
{
    return entry.documentSetUp != nullptr;
}

int attrsPageOfMode(int mode)
{
    const EditModeEntry* entry = findEditMode(mode);
    return entry ? entry->page : AttrsPage::NoAttributes;
}

namespace {

// What a preview of the gesture left half-way still shows (an added point
// being dragged) leaves the canvas: its area is drawn as the drawing is now.
// Nor may the preview stand in for its objects in a later whole-canvas
// redraw.
void dropLeftoverPreview(CFigContext* context)
{
    if (context) {
        FigObjectList shown = dragPreviewObjects;
        if (context->editCopy)
            shown.push_back(context->editCopy);
        if (!shown.empty() && canDraw(context)) {
            forEachObject(&context->drawing.objects, clearSkipRedraw);
            context->redrawListArea(nullptr, &shown, nullptr);
        }
        delete context->editCopy;
        context->editCopy = nullptr;
    }
    clearDragPreview();
}

} // namespace

bool chooseEditMode(CFigContext* context, int mode)
{
    const EditModeEntry* entry = findEditMode(mode);
    if (!entry || !isChoosableMode(*entry) || (modeNeedsDocument(*entry) && !context))
        return false;
    // Copies or pasted objects still following the pointer go first, and a
    // drag shows its objects where they are again.
    discardFloatingObjects(nullptr);
    cancelPreviewGesture(context);
    abandonCanvasGesture(context);
    dropLeftoverPreview(context);
    if (context && context->pendingActions) {
        // An add-point drag left half-way has already inserted its point:
        // the step goes into the history now, never staying outside it.
        ActionStep* step = context->pendingActions;
        context->pendingActions = nullptr;
        context->undoHistory.pushActionList(step);
    }
    // A set-up fills only the slots its mode uses: a release or selection
    // handler of the old mode would otherwise still answer in the new one.
    canvasHandlers = CanvasHandlers();
    editMode = mode;
    if (entry->documentSetUp)
        entry->documentSetUp(context);
    else
        entry->setUp();
    return true;
}

void initModeWithoutHandlers()
{
    setCanvasHandlers(nullptr, nullptr, nullptr);
    endCanvasAction();
}

void initDocumentModeWithoutHandlers(CFigContext*)
{
    initModeWithoutHandlers();
}

// ---- Predicates ----

bool isCreationMode(int mode)
{
    return mode >= EditMode::Cbr && mode <= EditMode::Picture && mode != 14;
}

bool isCurrentModeCreation()
{
    return isCreationMode(editMode);
}

bool isMovePointMode(int mode)
{
    return mode == EditMode::MovePoint;
}

bool isCopyOrDragMode()
{
    return editMode == EditMode::Copy || editMode == EditMode::MoveSelection;
}

bool isPlainPickMode(int mode)
{
    return mode != EditMode::Select && !isCreationMode(mode);
}

bool isPickingMode(int mode)
{
    const EditModeEntry* entry = findEditMode(mode);
    return entry && entry->picking;
}

namespace {

QList<PointHandler>& cancelHandlers()
{
    static QList<PointHandler> handlers;
    return handlers;
}

} // namespace

bool isCancelHandler(PointHandler handler)
{
    return handler && cancelHandlers().contains(handler);
}

void registerCancelHandler(PointHandler handler)
{
    if (handler && !cancelHandlers().contains(handler))
        cancelHandlers().append(handler);
}
