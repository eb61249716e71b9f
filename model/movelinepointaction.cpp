#include "model/movelinepointaction.h"

#include "edit/editstate.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figpoint.h"
#include "model/objectlist.h"
#include "model/pointoperations.h"
#include "model/smartlinks.h"

#include <climits>
#include <cstdint>

namespace {

int addSat(int a, int b)
{
    const std::int64_t sum = static_cast<std::int64_t>(a) + b;
    return sum > INT_MAX ? INT_MAX : (sum < INT_MIN ? INT_MIN : static_cast<int>(sum));
}

} // namespace

MoveLinePointAction::MoveLinePointAction(
    FigObjectList* list, FigObject* line, FigPoint* movedPoint, int moveX, int moveY)
    : ActionItem(list, line)
    , point(movedPoint)
    , dx(moveX)
    , dy(moveY)
{
    collectSmartLinkedObjects(list, line, linkedObjectList);
}

void MoveLinePointAction::movePoint(CFigContext* context, int offsetX, int offsetY)
{
    if (!object || object->type != FigObject::Polyline)
        return;
    auto* line = static_cast<FigLine*>(object);
    if (line->subType == 2 || line->subType == 4 || line->subType == 5)
        moveBoxCorner(&context->drawing.objects, line, offsetX, offsetY, point);
    else
        moveLinePoint(&context->drawing.objects, line, offsetX, offsetY, point);
}

void MoveLinePointAction::exchangeLinks()
{
    SmartLink* current = point->link;
    point->link = nullptr;
    reattachLinkRecords(savedLinks);
    savedLinks.clear();
    if (current)
        savedLinks.append(current);
}

bool MoveLinePointAction::redo(CFigContext* context)
{
    before.clear();
    if (!object || !point)
        return true;
    FigObjectList followers;
    collectSmartLinkedObjects(&context->drawing.objects, object, followers);
    before.capture(object);
    before.captureList(&followers);

    movePoint(context, addSat(dx, snapX), addSat(dy, snapY));
    exchangeLinks();
    // Only an end point of an open line takes a link, and only while an end
    // of the line is being dragged on the canvas; the link is made once.
    if (linkOnRedo && !point->link && isPathEndPoint(object, movingPoint) && isPathEndPoint(object, point)) {
        const int x = point->x;
        const int y = point->y;
        point->link = context->makeSmartLink(ownerList, point, object);
        snapX = point->x - x;
        snapY = point->y - y;
        linkOnRedo = false;
    }
    // Followers inside compounds moved: the compounds' corners follow at
    // once, as the history's redo makes them, so that the first execution
    // leaves the drawing as every later one does.
    context->updateParentCompoundBounds(&followers);
    return true;
}

bool MoveLinePointAction::undo(CFigContext* context)
{
    Q_UNUSED(context)
    if (!object || !point)
        return true;
    before.restore();
    exchangeLinks();
    return true;
}

void MoveLinePointAction::releaseDone()
{
    qDeleteAll(savedLinks);
    savedLinks.clear();
}

void MoveLinePointAction::releaseUndone()
{
    qDeleteAll(savedLinks);
    savedLinks.clear();
}
