#include "edit/regularmode.h"

#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/linemode.h"
#include "edit/rubberband.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/objectlist.h"
#include "model/planegeometry.h"
#include "model/units.h"
#include "toolbars/drawingattributes.h"

#include <climits>
#include <cmath>
#include <cstdint>

namespace {

constexpr double pi = 3.14159265358979323846;

int offsetCoordinate(int centre, double offset)
{
    const std::int64_t v = static_cast<std::int64_t>(centre) + roundToInt(offset);
    return v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : static_cast<int>(v));
}

void eraseRubberPolygon(CFigContext* context)
{
    const CanvasActionState& a = canvasAction;
    drawRubberRegularPolygonElastic(context, a.anchorX, a.anchorY, a.trackX, a.trackY);
}

// The closed chain from the vertex (x, y) around the centre (cx, cy), the
// corners following each other clockwise on the screen. Null when no memory
// is left.
FigPoint* polygonChain(int cx, int cy, int x, int y, int n)
{
    FigPoint* tail = nullptr;
    appendChainPoint(x, y, tail);
    FigPoint* head = tail;
    if (!head)
        return nullptr;
    const double dx = static_cast<double>(x) - cx;
    const double dy = static_cast<double>(y) - cy;
    const double r = std::sqrt(dx * dx + dy * dy);
    const double a0 = vectorAngle(dx, dy);
    int count = 1;
    for (int i = 1; i < n; ++i) {
        double a = a0 - i * 2 * pi / n;
        if (a < 0)
            a += 2 * pi;
        appendChainPoint(offsetCoordinate(cx, std::cos(a) * r), offsetCoordinate(cy, std::sin(a) * r), tail);
        ++count;
    }
    appendChainPoint(x, y, tail);
    ++count;
    int made = 0;
    for (FigPoint* p = head; p; p = p->next)
        ++made;
    if (made != count) {
        freePointList(head);
        return nullptr;
    }
    return head;
}

} // namespace

void initRegularPolygonMode()
{
    registerCancelHandler(regularPolygonCancel);
    setCanvasHandlers(nullptr, regularPolygonFirstPoint, nullptr);
    endCanvasAction();
}

void regularPolygonFirstPoint(CFigContext* context, int x, int y)
{
    context->currentObject = nullptr;
    setCanvasHandlers(regularPolygonMove, regularPolygonFinish, regularPolygonCancel);
    startRubberBand(context, x, y, drawRubberRegularPolygonElastic);
}

void regularPolygonFinish(CFigContext* context, int x, int y)
{
    // A vertex on the centre gives no polygon; the gesture goes on.
    if (x == canvasAction.anchorX && y == canvasAction.anchorY)
        return;
    eraseRubberPolygon(context);
    FigPoint* chain = polygonChain(canvasAction.anchorX, canvasAction.anchorY, x, y, currentAttrs.numSides);
    FigLine* polygon = chain ? context->createPolygonLine() : nullptr;
    if (!polygon) {
        freePointList(chain);
    } else {
        polygon->points = chain;
        addCreatedObject(context, polygon);
    }
    initRegularPolygonMode();
}

void regularPolygonCancel(CFigContext* context, int, int)
{
    eraseRubberPolygon(context);
    initRegularPolygonMode();
}
