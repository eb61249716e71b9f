#include "edit/rubberband.h"

#include "app/preferences.h"
#include "edit/canvashandlers.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "model/planegeometry.h"
#include "model/units.h"
#include "render/pens.h"
#include "toolbars/drawingattributes.h"

#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

constexpr int solidPen = 0;
constexpr int dashedPen = 2;
constexpr int inverting = 1;
constexpr int snapGridBit = 1;
constexpr double pi = 3.14159265358979323846;

void drawRectangle(CFigContext* context, int x1, int y1, int x2, int y2, int pen)
{
    if (!context)
        return;
    context->drawRubberBand(x1, y1, x1, y2, pen, inverting);
    context->drawRubberBand(x1, y2, x2, y2, pen, inverting);
    context->drawRubberBand(x2, y2, x2, y1, pen, inverting);
    context->drawRubberBand(x2, y1, x1, y1, pen, inverting);
}

// Erases the outline at the old track, moves the track, draws it again.
template <typename Outline> void moveTrack(CFigContext* context, int x, int y, Outline outline)
{
    CanvasActionState& a = canvasAction;
    outline(context, a.anchorX, a.anchorY, a.trackX, a.trackY);
    a.trackX = x;
    a.trackY = y;
    outline(context, a.anchorX, a.anchorY, a.trackX, a.trackY);
}

// The track of the manhattan and mountain constraints for the pointer at
// (x, y); false when the pointer is on the track already or too near the
// anchor for a direction.
bool axisDiagonalTrack(int x, int y, int& tx, int& ty)
{
    const int ax = canvasAction.anchorX;
    const int ay = canvasAction.anchorY;
    if (x == canvasAction.trackX && y == canvasAction.trackY)
        return false;
    const std::int64_t dx = std::int64_t(x) - ax;
    const std::int64_t dy = std::int64_t(y) - ay;
    if (std::hypot(double(dx), double(dy)) < 2.0)
        return false;
    // Degrees between -90 and 90, y pointing up.
    const double g = dx == 0 ? -90.0 : std::atan(double(-dy) / double(dx)) * 180.0 / pi;
    const bool steep = std::llabs(dx) < std::llabs(dy);
    const auto horizontal = [&] {
        tx = x;
        ty = ay;
    };
    const auto vertical = [&] {
        tx = ax;
        ty = y;
    };
    // A: x and y grow together; B: x grows while y shrinks.
    const auto diagonalA = [&] {
        tx = steep ? clampToInt(ax + dy) : x;
        ty = steep ? y : clampToInt(ay + dx);
    };
    const auto diagonalB = [&] {
        tx = steep ? clampToInt(ax - dy) : x;
        ty = steep ? y : clampToInt(ay - dx);
    };
    const bool manhattan = constraintModes.manhattan != 0;
    const bool mountain = constraintModes.mountain != 0;
    if (manhattan && mountain) {
        if (g < -67.5)
            vertical();
        else if (g < -22.5)
            diagonalA();
        else if (g < 22.5)
            horizontal();
        else if (g < 67.5)
            diagonalB();
        else
            vertical();
    } else if (manhattan) {
        if (g >= -45.0 && g < 45.0)
            horizontal();
        else
            vertical();
    } else if (mountain) {
        if (g < 0.0)
            diagonalA();
        else
            diagonalB();
    } else {
        tx = x;
        ty = y;
    }
    return true;
}

} // namespace

// ---- Outlines ----

void drawRubberSegment(CFigContext* context, int x1, int y1, int x2, int y2)
{
    if (context)
        context->drawRubberBand(x1, y1, x2, y2, solidPen, inverting);
}

void drawRubberRectangle(CFigContext* context, int x1, int y1, int x2, int y2)
{
    drawRectangle(context, x1, y1, x2, y2, solidPen);
}

void drawDashedRubberRectangle(CFigContext* context, int x1, int y1, int x2, int y2)
{
    drawRectangle(context, x1, y1, x2, y2, dashedPen);
}

void drawRubberCircleByDiameter(CFigContext* context)
{
    if (!context)
        return;
    const CanvasActionState& a = canvasAction;
    // Integer halves, truncated towards zero.
    const std::int64_t hx = (std::int64_t(a.trackX) - a.anchorX) / 2;
    const std::int64_t hy = (std::int64_t(a.trackY) - a.anchorY) / 2;
    const int r = roundToInt(std::sqrt(double(hx) * double(hx) + double(hy) * double(hy)));
    context->drawRubberEllipse(clampToInt(a.anchorX + hx), clampToInt(a.anchorY + hy), r, r, 0.0f);
}

void drawRubberCircleByDiameter(CFigContext* context, int, int, int, int)
{
    drawRubberCircleByDiameter(context);
}

void drawRubberCircleByRadius(CFigContext* context)
{
    if (!context)
        return;
    const CanvasActionState& a = canvasAction;
    const double dx = double(a.trackX) - a.anchorX;
    const double dy = double(a.trackY) - a.anchorY;
    const int r = roundToInt(std::sqrt(dx * dx + dy * dy));
    context->drawRubberEllipse(a.anchorX, a.anchorY, r, r, 0.0f);
}

void drawRubberCircleByRadius(CFigContext* context, int, int, int, int)
{
    drawRubberCircleByRadius(context);
}

void drawRubberEllipseByDiameters(CFigContext* context)
{
    if (!context)
        return;
    const CanvasActionState& a = canvasAction;
    const int cx = clampToInt((std::int64_t(a.anchorX) + a.trackX) / 2);
    const int cy = clampToInt((std::int64_t(a.anchorY) + a.trackY) / 2);
    const int rx = clampToInt(std::llabs(std::int64_t(a.trackX) - a.anchorX) / 2);
    const int ry = clampToInt(std::llabs(std::int64_t(a.trackY) - a.anchorY) / 2);
    context->drawRubberEllipse(cx, cy, rx, ry, a.rubberAngle);
}

void drawRubberEllipseByDiameters(CFigContext* context, int, int, int, int)
{
    drawRubberEllipseByDiameters(context);
}

void drawRubberEllipseByRadii(CFigContext* context)
{
    if (!context)
        return;
    const CanvasActionState& a = canvasAction;
    const int rx = clampToInt(std::int64_t(a.trackX) - a.anchorX);
    const int ry = clampToInt(std::int64_t(a.trackY) - a.anchorY);
    context->drawRubberEllipse(a.anchorX, a.anchorY, rx, ry, a.rubberAngle);
}

void drawRubberEllipseByRadii(CFigContext* context, int, int, int, int)
{
    drawRubberEllipseByRadii(context);
}

void CFigContext::drawRubberEllipse(int cx, int cy, int rx, int ry, float angle)
{
    if (rx == 0 || ry == 0 || !painter || !painter->isActive())
        return;
    const QPoint centre = figToPixelPoint(cx, cy);
    const int pixelsX = roundToInt(double(canvasScaleX()) * std::fabs(double(rx)));
    const int pixelsY = roundToInt(double(canvasScaleY()) * std::fabs(double(ry)));
    // An outline that covers other pixels each time would not erase itself:
    // it is drawn without antialiasing whatever the painter's hint.
    const bool antialiased = painter->testRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::Antialiasing, false);
    setRubberBandPen(painter, inverting);
    painter->setBrush(Qt::NoBrush);
    const QTransform before = painter->worldTransform();
    painter->translate(centre);
    painter->rotate(roundToInt(-double(angle) * 180.0 / pi));
    painter->drawEllipse(QPoint(0, 0), pixelsX, pixelsY);
    painter->setWorldTransform(before);
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter->setRenderHint(QPainter::Antialiasing, antialiased);
}

void drawRubberRegularPolygon(CFigContext* context, int cx, int cy, int px, int py, int n)
{
    if (!context || n < 1)
        return;
    if (n == 1) {
        drawRubberSegment(context, px, py, px, py);
        return;
    }
    const double dx = double(px) - cx;
    const double dy = double(py) - cy;
    const double r = std::sqrt(dx * dx + dy * dy);
    const double a0 = vectorAngle(dx, dy);
    int lastX = px;
    int lastY = py;
    for (int i = 1; i < n; ++i) {
        // The angle in single precision, as the polygon itself is computed.
        float a = float(a0) - float(i) * 2.0f * float(pi) / float(n);
        if (a < 0.0f)
            a += 2.0f * float(pi);
        const int vx = clampToInt(cx + std::int64_t(roundToInt(std::cos(a) * r)));
        const int vy = clampToInt(cy + std::int64_t(roundToInt(std::sin(a) * r)));
        drawRubberSegment(context, lastX, lastY, vx, vy);
        lastX = vx;
        lastY = vy;
    }
    drawRubberSegment(context, lastX, lastY, px, py);
}

void drawRubberRegularPolygonElastic(CFigContext* context, int cx, int cy, int px, int py)
{
    drawRubberRegularPolygon(context, cx, cy, px, py, currentAttrs.numSides);
}

void startRubberBand(CFigContext* context, int x, int y, ElasticHandler outline)
{
    canvasAction.anchorX = canvasAction.trackX = x;
    canvasAction.anchorY = canvasAction.trackY = y;
    outline(context, x, y, x, y);
    beginCanvasAction();
    canvasHandlers.elasticHandler = outline;
}

// ---- Move handlers ----

void freeLineMove(CFigContext* context, int x, int y)
{
    moveTrack(context, x, y, drawRubberSegment);
}

void axisDiagonalMove(CFigContext* context, int x, int y)
{
    int tx = 0;
    int ty = 0;
    if (axisDiagonalTrack(x, y, tx, ty))
        moveTrack(context, tx, ty, drawRubberSegment);
}

void latexSlopeMove(CFigContext* context, int x, int y)
{
    if (!context)
        return;
    // Without a grid the step would be 0: the slope still holds, with
    // lengths in whole Fig units.
    const int step = (preferences.snapMode & snapGridBit) ? 1 : std::max(1, roundToInt(context->snapStep()));
    int tx = x;
    int ty = y;
    latexConstrainedEnd(
        canvasAction.anchorX, canvasAction.anchorY, x, y, tx, ty, constraintModes.latexArrow != 0, step);
    moveTrack(context, tx, ty, drawRubberSegment);
}

void boxRubberMove(CFigContext* context, int x, int y)
{
    moveTrack(context, x, y, drawRubberRectangle);
}

void dashedRectangleMove(CFigContext* context, int x, int y)
{
    moveTrack(context, x, y, drawDashedRubberRectangle);
}

void circleByDiameterMove(CFigContext* context, int x, int y)
{
    moveTrack(context, x, y, [](CFigContext* c, int, int, int, int) { drawRubberCircleByDiameter(c); });
}

void circleByRadiusMove(CFigContext* context, int x, int y)
{
    moveTrack(context, x, y, [](CFigContext* c, int, int, int, int) { drawRubberCircleByRadius(c); });
}

void ellipseByDiametersMove(CFigContext* context, int x, int y)
{
    moveTrack(context, x, y, [](CFigContext* c, int, int, int, int) { drawRubberEllipseByDiameters(c); });
}

void ellipseByRadiiMove(CFigContext* context, int x, int y)
{
    moveTrack(context, x, y, [](CFigContext* c, int, int, int, int) { drawRubberEllipseByRadii(c); });
}

void regularPolygonMove(CFigContext* context, int x, int y)
{
    moveTrack(context, x, y, drawRubberRegularPolygonElastic);
}
