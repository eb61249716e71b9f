#include "edit/tangentnormal.h"

#include "app/statusmessages.h"
#include "edit/canvashandlers.h"
#include "edit/coordinatetexts.h"
#include "edit/linemode.h"
#include "edit/picking.h"
#include "model/addaction.h"
#include "model/depths.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/figpoint.h"
#include "model/geometricqueries.h"
#include "model/objectlist.h"
#include "model/units.h"
#include "toolbars/drawingattributes.h"

#include <QPainter>

#include <climits>
#include <cmath>
#include <cstdint>

bool tangentWanted = true;

namespace {

void initTangentOrNormal(bool tangent)
{
    setLeftObjectCallback(tangentOrNormalPicked);
    setRightObjectCallback(nullptr);
    setCanvasHandlers(nullptr, pressHandler<pickObjectLeft>, nullptr);
    endCanvasAction();
    tangentWanted = tangent;
}

// A coordinate moved by an offset, kept within the int range.
int offsetCoordinate(int value, int offset)
{
    const std::int64_t moved = std::int64_t(value) + offset;
    return int(moved < INT_MIN ? INT_MIN : moved > INT_MAX ? INT_MAX : moved);
}

} // namespace

void initTangentMode()
{
    initTangentOrNormal(true);
}

void initNormalMode()
{
    initTangentOrNormal(false);
}

bool tangentOrNormalPicked(
    CFigContext* context, FigObject* object, int /*type*/, int /*x*/, int /*y*/, int hitX, int hitY)
{
    if (!context || !object || !tangentSegmentValid)
        return false;
    const auto dx = float(std::int64_t(tangentSegment.x2) - tangentSegment.x1);
    const auto dy = float(std::int64_t(tangentSegment.y2) - tangentSegment.y1);
    const float length = std::sqrt(dx * dx + dy * dy);
    if ((dx == 0.0f && dy == 0.0f) || length < 2.0f) {
        showStatusMessage("singularity, can't draw tangent/normal");
        return false;
    }
    const auto half = float(double(currentAttrs.tangormLength) * lengthUnitInFigUnits(context->metric) * 0.5);
    float a = 0.0f;
    float b = 0.0f;
    if (tangentWanted) {
        a = half * dx / length;
        b = half * dy / length;
    } else {
        a = -half * dy / length;
        b = half * dx / length;
    }
    context->addTangentLine(hitX, hitY, a, b);
    showStatusMessage(tangentWanted ? "added tangent" : "added normal");
    return true;
}

void CFigContext::addTangentLine(int hitX, int hitY, float a, float b)
{
    const int ra = roundToInt(a);
    const int rb = roundToInt(b);
    FigPoint* head = nullptr;
    appendChainPoint(offsetCoordinate(hitX, -ra), offsetCoordinate(hitY, -rb), head);
    if (!head)
        return;
    FigPoint* tail = head;
    appendChainPoint(hitX, hitY, tail);
    appendChainPoint(offsetCoordinate(hitX, ra), offsetCoordinate(hitY, rb), tail);
    FigLine* line = createLine(1, head);
    if (!line) {
        freePointList(head);
        return;
    }
    addCurrentArrows(line);

    FigObjectList* list = objects();
    auto* action = new AddAction(list, line);
    action->redo(this);
    undoHistory.pushAction(action);
    setObjectsSelected(list, false);
    clearMarkers();
    line->selected = true;
    line->markerState = 2;
    if (canDraw(this))
        redrawObject(line, false);
    currentObject = line;
}
