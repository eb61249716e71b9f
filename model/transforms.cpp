#include "model/transforms.h"

#include "app/statusmessages.h"
#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/picturedata.h"
#include "model/planegeometry.h"
#include "model/smartlinks.h"
#include "model/units.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr float twoPiF = 6.2831855f;

// Results of integer arithmetic done in 64 bits, saturated back into an int:
// sums and differences of large page coordinates must not wrap.
int saturate(std::int64_t v)
{
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

int addSat(int a, int b)
{
    return saturate(static_cast<std::int64_t>(a) + b);
}

int absSat(int v)
{
    return saturate(v < 0 ? -static_cast<std::int64_t>(v) : v);
}

int mirrorValue(int v, int c)
{
    return saturate(2 * static_cast<std::int64_t>(c) - v);
}

void mirror(int& x, int& y, int cx, int cy, int axis)
{
    if (axis == 1)
        y = mirrorValue(y, cy);
    else if (axis == 2)
        x = mirrorValue(x, cx);
}

void mirror(FigPoint& p, int cx, int cy, int axis)
{
    mirror(p.x, p.y, cx, cy, axis);
}

// The exact integer turn by 90 degrees; s is +1 (clockwise on the screen)
// or -1.
void quarterTurn(int& x, int& y, int cx, int cy, int s)
{
    const std::int64_t nx = cx + static_cast<std::int64_t>(s) * (static_cast<std::int64_t>(cy) - y);
    const std::int64_t ny = cy + static_cast<std::int64_t>(s) * (static_cast<std::int64_t>(x) - cx);
    x = saturate(nx);
    y = saturate(ny);
}

void quarterTurn(FigPoint& p, int cx, int cy, int s)
{
    quarterTurn(p.x, p.y, cx, cy, s);
}

// The general turn; distances in double so that large pages do not overflow.
void rotateCoordinates(int& x, int& y, int cx, int cy, int angle)
{
    const double dx = static_cast<double>(x) - cx;
    const double dy = static_cast<double>(cy) - y; // y up
    if (dx == 0 && dy == 0)
        return;
    double alpha = vectorAngle(dx, dy) - angle * pi / 180;
    if (alpha < 0)
        alpha += 2 * pi;
    else if (alpha >= 2 * pi - 0.001)
        alpha -= 2 * pi;
    const double r = std::sqrt(dx * dx + dy * dy);
    x = roundToInt(cx + r * std::cos(alpha));
    y = roundToInt(cy - r * std::sin(alpha));
}

// Ellipse and text angles follow a turn in single precision, kept in [0, 2pi).
float turnedAngle(float angle, int degrees)
{
    float a = angle - static_cast<float>(degrees) * static_cast<float>(pi) / 180.0f;
    if (a < 0.0f)
        a += twoPiF;
    else if (a >= twoPiF - 0.001f)
        a -= twoPiF;
    return a;
}

// v' = roundToInt((v - c) * s + c), evaluated in single precision.
int scaleValue(int v, float s, int c)
{
    const float fc = static_cast<float>(c);
    const float r = (static_cast<float>(v) - fc) * s + fc;
    return roundToInt(r);
}

bool isPinned(const FigPoint* p)
{
    return p->link && p->link->pinned;
}

void scaleChain(FigPoint* chain, float sx, float sy, int cx, int cy)
{
    for (FigPoint* p = chain; p; p = p->next) {
        if (!isPinned(p))
            p->scale(sx, sy, cx, cy);
    }
}

void translateChain(FigPoint* chain, int dx, int dy)
{
    for (FigPoint* p = chain; p; p = p->next) {
        if (!isPinned(p)) {
            p->x = addSat(p->x, dx);
            p->y = addSat(p->y, dy);
        }
    }
}

void translatePoint(FigPoint& p, int dx, int dy)
{
    p.x = addSat(p.x, dx);
    p.y = addSat(p.y, dy);
}

int uniformValue(int v, float factor, int offset)
{
    const float r = static_cast<float>(v) * factor + static_cast<float>(offset);
    return roundToInt(r);
}

void scalePointUniform(FigPoint& p, float factor, int offset)
{
    p.x = uniformValue(p.x, factor, offset);
    p.y = uniformValue(p.y, factor, offset);
}

void scaleChainUniform(FigPoint* chain, float factor, int offset)
{
    for (FigPoint* p = chain; p; p = p->next)
        scalePointUniform(*p, factor, offset);
}

int scaleRadiusUniform(int r, float factor)
{
    const float v = static_cast<float>(r) * factor;
    return roundToInt(v);
}

float uniformCentre(float v, float factor, int offset)
{
    const float r = v * factor + static_cast<float>(offset);
    return static_cast<float>(roundToInt(r));
}

// Half a box side given in Fig units, in 1/80 inch as the corner radius is.
std::int64_t halfSideInRadiusUnits(std::int64_t side)
{
    return side * 80 / figUnitsPerInch / 2;
}

// An unknown axis mirrors nothing, so it reverses no direction and no
// picture either: that alone would leave the object drawn wrongly.
bool isMirrorAxis(int axis)
{
    return axis == 1 || axis == 2;
}

// Points of other lines linked to the segments at the moved point follow it,
// each point once per operation.
void followMovedPoint(const FigObjectList* drawingList, const FigLine* line, int index, const FigPoint& p, int oldX,
    int oldY, FigObjectList& changed, PointList& handled)
{
    const int dx = saturate(static_cast<std::int64_t>(p.x) - oldX);
    const int dy = saturate(static_cast<std::int64_t>(p.y) - oldY);
    moveLineSmartLinks(line, index, drawingList, dx, dy, changed, handled);
}

} // namespace

// ---- Points ----

void FigPoint::rotate(int cx, int cy, int angle)
{
    rotateCoordinates(x, y, cx, cy, angle);
}

void FigPoint::scale(float sx, float sy, int cx, int cy)
{
    x = scaleValue(x, sx, cx);
    y = scaleValue(y, sy, cy);
}

// ---- Mirroring ----

void FigArc::flip(int cx, int cy, int axis)
{
    if (!isMirrorAxis(axis))
        return;
    for (FigPoint& p : points)
        mirror(p, cx, cy, axis);
    if (axis == 1)
        centerY = 2.0f * static_cast<float>(cy) - centerY;
    else if (axis == 2)
        centerX = 2.0f * static_cast<float>(cx) - centerX;
    direction = direction ? 0 : 1;
}

void FigSpline::flip(int cx, int cy, int axis)
{
    for (FigPoint* p = points; p; p = p->next)
        mirror(*p, cx, cy, axis);
}

void FigText::flip(int cx, int cy, int axis)
{
    mirror(x, y, cx, cy, axis);
}

void flipLine(FigObjectList* drawingList, FigLine* line, int cx, int cy, int axis)
{
    if (!line || !isMirrorAxis(axis))
        return;
    FigObjectList changed;
    PointList handled;
    int index = 0;
    for (FigPoint* p = line->points; p; p = p->next, ++index) {
        const int oldX = p->x;
        const int oldY = p->y;
        mirror(*p, cx, cy, axis);
        followMovedPoint(drawingList, line, index, *p, oldX, oldY, changed, handled);
    }
    if (line->subType == 5 && line->picture)
        line->picture->flipped = 1 - line->picture->flipped;
}

void flipEllipse(FigObjectList* drawingList, FigEllipse* ellipse, int cx, int cy, int axis)
{
    if (!ellipse || !isMirrorAxis(axis))
        return;
    // Turning by the angle in whole degrees brings the axes onto the
    // coordinate axes; the mirror turns the second turn into the inverse of
    // the first, so the pair mirrors the centre and the angle.
    const int a = roundToInt(static_cast<double>(ellipse->angle) * 180 / pi);
    ellipse->rotate(cx, cy, a);
    mirror(ellipse->center, cx, cy, axis);
    mirror(ellipse->start, cx, cy, axis);
    mirror(ellipse->end, cx, cy, axis);
    ellipse->direction = ellipse->direction ? 0 : 1;
    ellipse->rotate(cx, cy, a);
    FigObjectList changed;
    PointList handled;
    flipEllipseSmartLinks(ellipse, cx, cy, axis, drawingList, changed, handled);
}

void CFigContext::flipCompound(FigCompound* compound, int cx, int cy, int axis)
{
    if (!compound)
        return;
    FigPoint& ul = compound->upperLeft;
    FigPoint& lr = compound->lowerRight;
    mirror(ul, cx, cy, axis);
    mirror(lr, cx, cy, axis);
    if (ul.x > lr.x)
        std::swap(ul.x, lr.x);
    if (ul.y > lr.y)
        std::swap(ul.y, lr.y);
    for (FigObject* member : *compound->members)
        flipObject(member, cx, cy, axis);
}

void CFigContext::flipObject(FigObject* object, int cx, int cy, int axis)
{
    if (!object)
        return;
    switch (object->type) {
    case FigObject::Ellipse:
        flipEllipse(&drawing.objects, static_cast<FigEllipse*>(object), cx, cy, axis);
        break;
    case FigObject::Polyline:
        flipLine(&drawing.objects, static_cast<FigLine*>(object), cx, cy, axis);
        break;
    case FigObject::Spline:
        static_cast<FigSpline*>(object)->flip(cx, cy, axis);
        break;
    case FigObject::Text:
        static_cast<FigText*>(object)->flip(cx, cy, axis);
        break;
    case FigObject::Arc:
        static_cast<FigArc*>(object)->flip(cx, cy, axis);
        break;
    case FigObject::Compound:
        flipCompound(static_cast<FigCompound*>(object), cx, cy, axis);
        break;
    default:
        break;
    }
}

// ---- Rotating ----

void FigEllipse::rotate(int cx, int cy, int degrees)
{
    if (degrees == 90 || degrees == -90) {
        const int s = degrees > 0 ? 1 : -1;
        quarterTurn(center, cx, cy, s);
        quarterTurn(start, cx, cy, s);
        quarterTurn(end, cx, cy, s);
    } else {
        center.rotate(cx, cy, degrees);
        start.rotate(cx, cy, degrees);
        end.rotate(cx, cy, degrees);
    }
    angle = turnedAngle(angle, degrees);
}

void rotateEllipse(FigObjectList* drawingList, FigEllipse* ellipse, int cx, int cy, int angle)
{
    if (!ellipse)
        return;
    ellipse->rotate(cx, cy, angle);
    FigObjectList changed;
    PointList handled;
    rotateEllipseSmartLinks(ellipse, cx, cy, angle, drawingList, changed, handled);
}

void FigArc::rotate(int cx, int cy, int angle)
{
    if (angle == 90) {
        for (FigPoint& p : points)
            quarterTurn(p, cx, cy, 1);
        const float fx = static_cast<float>(cx);
        const float fy = static_cast<float>(cy);
        const float newX = fx + (fy - centerY);
        const float newY = fy + (centerX - fx);
        centerX = newX;
        centerY = newY;
        return;
    }
    int x[3], y[3];
    for (int i = 0; i < 3; ++i) {
        x[i] = points[i].x;
        y[i] = points[i].y;
        rotateCoordinates(x[i], y[i], cx, cy, angle);
    }
    float ncx, ncy;
    if (!computeArcCenter(x[0], y[0], x[1], y[1], x[2], y[2], ncx, ncy))
        return;
    for (int i = 0; i < 3; ++i) {
        points[i].x = x[i];
        points[i].y = y[i];
    }
    centerX = ncx;
    centerY = ncy;
    direction = arcDirection(x[0], y[0], x[1], y[1], x[2], y[2]);
}

void rotateLine(FigObjectList* drawingList, FigLine* line, int cx, int cy, int angle)
{
    if (!line)
        return;
    FigObjectList changed;
    PointList handled;
    int index = 0;
    for (FigPoint* p = line->points; p; p = p->next, ++index) {
        const int oldX = p->x;
        const int oldY = p->y;
        if (angle == 90 || angle == -90)
            quarterTurn(*p, cx, cy, angle > 0 ? 1 : -1);
        else
            p->rotate(cx, cy, angle);
        followMovedPoint(drawingList, line, index, *p, oldX, oldY, changed, handled);
    }
}

void FigSpline::rotate(int cx, int cy, int angle)
{
    for (FigPoint* p = points; p; p = p->next) {
        if (angle == 90 || angle == -90)
            quarterTurn(*p, cx, cy, angle > 0 ? 1 : -1);
        else
            p->rotate(cx, cy, angle);
    }
}

void FigText::rotate(int cx, int cy, int degrees)
{
    if (degrees == 90 || degrees == -90)
        quarterTurn(x, y, cx, cy, degrees > 0 ? 1 : -1);
    else
        rotateCoordinates(x, y, cx, cy, degrees);
    angle = turnedAngle(angle, degrees);
    if (std::fabs(angle) < 0.01f || std::fabs(angle - twoPiF) < 0.01f)
        angle = 0.0f;
}

void CFigContext::rotateCompound(FigCompound* compound, int cx, int cy, int angle)
{
    if (!compound)
        return;
    for (FigObject* member : *compound->members)
        rotateObject(member, cx, cy, angle);
    recomputeCorners(compound);
}

void CFigContext::rotateObject(FigObject* object, int cx, int cy, int angle)
{
    if (!object)
        return;
    switch (object->type) {
    case FigObject::Arc:
        static_cast<FigArc*>(object)->rotate(cx, cy, angle);
        break;
    case FigObject::Ellipse:
        rotateEllipse(&drawing.objects, static_cast<FigEllipse*>(object), cx, cy, angle);
        break;
    case FigObject::Spline:
        static_cast<FigSpline*>(object)->rotate(cx, cy, angle);
        break;
    case FigObject::Text:
        static_cast<FigText*>(object)->rotate(cx, cy, angle);
        break;
    case FigObject::Compound:
        rotateCompound(static_cast<FigCompound*>(object), cx, cy, angle);
        break;
    case FigObject::Polyline: {
        auto* line = static_cast<FigLine*>(object);
        if (angle % 90 != 0) {
            if (line->subType == 4 || line->subType == 5) {
                showStatusMessage("This object can't be rotated by angles other than 90 degrees!");
                return;
            }
            // A box only has axis-parallel sides; turned it is a polygon, and
            // stays one when the turn is undone.
            if (line->subType == 2) {
                line->subType = 3;
                line->radius = 0;
                showStatusMessage("Converted box into polygon!");
            }
        }
        rotateLine(&drawing.objects, line, cx, cy, angle);
        break;
    }
    default:
        break;
    }
}

// ---- Scaling ----

void scaleArc(FigArc* arc, float sx, float sy, int cx, int cy)
{
    if (!arc)
        return;
    int oldX[3], oldY[3];
    for (int i = 0; i < 3; ++i) {
        oldX[i] = arc->points[i].x;
        oldY[i] = arc->points[i].y;
        arc->points[i].scale(sx, sy, cx, cy);
    }
    FigPoint* p = arc->points;
    // The old centre scaled with the points stands in for the case that no
    // circle passes through them; the unscaled one would be far off.
    const float fx = static_cast<float>(cx);
    const float fy = static_cast<float>(cy);
    arc->centerX = (arc->centerX - fx) * sx + fx;
    arc->centerY = (arc->centerY - fy) * sy + fy;
    if (!computeArcCenter(p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y, arc->centerX, arc->centerY)) {
        // Points pressed together: separate them by one unit on the side
        // where they lay before, and try once more.
        if (p[1].x == p[0].x)
            p[1].x = addSat(p[1].x, oldX[1] > oldX[0] ? 1 : -1);
        if (p[1].y == p[0].y)
            p[1].y = addSat(p[1].y, oldY[1] > oldY[0] ? 1 : -1);
        if (p[2].x == p[0].x && p[2].y == p[0].y)
            p[2].x = addSat(p[2].x, 1);
        computeArcCenter(p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y, arc->centerX, arc->centerY);
    }
    arc->direction = arcDirection(p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y);
}

void CFigContext::scaleObject(FigObject* object, float sx, float sy, int cx, int cy)
{
    if (!object)
        return;
    switch (object->type) {
    case FigObject::Ellipse: {
        auto* ellipse = static_cast<FigEllipse*>(object);
        ellipse->center.scale(sx, sy, cx, cy);
        ellipse->start.scale(sx, sy, cx, cy);
        ellipse->end.scale(sx, sy, cx, cy);
        // Along the coordinate axes whatever the angle.
        ellipse->radii.x = absSat(roundToInt(static_cast<float>(ellipse->radii.x) * sx));
        ellipse->radii.y = absSat(roundToInt(static_cast<float>(ellipse->radii.y) * sy));
        const bool round = ellipse->radii.x == ellipse->radii.y;
        if ((ellipse->subType == 3 || ellipse->subType == 4) && !round)
            ellipse->subType -= 2;
        else if ((ellipse->subType == 1 || ellipse->subType == 2) && round)
            ellipse->subType += 2;
        break;
    }
    case FigObject::Polyline: {
        auto* line = static_cast<FigLine*>(object);
        scaleChain(line->points, sx, sy, cx, cy);
        if (line->subType == 4) {
            line->radius = roundToInt((sx + sy) * static_cast<float>(line->radius) * 0.5f);
            const FigPoint* first = line->points;
            const FigPoint* third = line->pointAt(2);
            if (first && third) {
                // The radius counts in 1/80 inch, the corners in Fig units:
                // compare and clamp in the radius's unit.
                const std::int64_t halfW
                    = halfSideInRadiusUnits(std::llabs(static_cast<std::int64_t>(first->x) - third->x));
                const std::int64_t halfH
                    = halfSideInRadiusUnits(std::llabs(static_cast<std::int64_t>(first->y) - third->y));
                if (line->radius > halfW || line->radius > halfH)
                    line->radius = saturate(std::min(halfW, halfH));
            }
            // A square corner would make it a box in all but its sub-type.
            if (line->radius <= 0)
                line->radius = 1;
        }
        break;
    }
    case FigObject::Spline:
        scaleChain(static_cast<FigSpline*>(object)->points, sx, sy, cx, cy);
        break;
    case FigObject::Text: {
        auto* text = static_cast<FigText*>(object);
        text->x = scaleValue(text->x, sx, cx);
        text->y = scaleValue(text->y, sy, cy);
        if (text->fontFlags != -1 && !(text->fontFlags & 1)) {
            text->fontSize = roundToInt(static_cast<float>(text->fontSize) * sx);
            computeTextMetrics(text, zoom);
        }
        break;
    }
    case FigObject::Arc:
        scaleArc(static_cast<FigArc*>(object), sx, sy, cx, cy);
        break;
    case FigObject::Compound:
        scaleCompound(static_cast<FigCompound*>(object), sx, sy, cx, cy);
        break;
    default:
        break;
    }
}

void CFigContext::scaleCompound(FigCompound* compound, float sx, float sy, int cx, int cy)
{
    if (!compound)
        return;
    for (FigObject* member : *compound->members)
        scaleObject(member, sx, sy, cx, cy);
    recomputeCorners(compound);
}

// ---- Uniform rescaling ----

void scaleArrowUniform(FigArrow* arrow, float factor, int offset)
{
    if (!arrow)
        return;
    const float w = arrow->width * factor + static_cast<float>(offset);
    const float h = arrow->height * factor + static_cast<float>(offset);
    arrow->width = static_cast<float>(roundToInt(w));
    arrow->height = static_cast<float>(roundToInt(h));
}

void scaleCompoundUniform(FigCompound* compound, float factor, int offset)
{
    if (!compound)
        return;
    scalePointUniform(compound->upperLeft, factor, offset);
    scalePointUniform(compound->lowerRight, factor, offset);
    scaleObjectListUniform(compound->members, factor, offset);
}

void scaleObjectListUniform(const FigObjectList* list, float factor, int offset)
{
    if (!list)
        return;
    for (FigObject* object : *list) {
        switch (object->type) {
        case FigObject::Ellipse: {
            auto* ellipse = static_cast<FigEllipse*>(object);
            scalePointUniform(ellipse->center, factor, offset);
            scalePointUniform(ellipse->start, factor, offset);
            scalePointUniform(ellipse->end, factor, offset);
            ellipse->radii.x = scaleRadiusUniform(ellipse->radii.x, factor);
            ellipse->radii.y = scaleRadiusUniform(ellipse->radii.y, factor);
            break;
        }
        case FigObject::Polyline:
            scaleChainUniform(static_cast<FigLine*>(object)->points, factor, offset);
            scaleArrowUniform(object->forwArrow, factor, offset);
            scaleArrowUniform(object->backArrow, factor, offset);
            break;
        case FigObject::Spline:
            scaleChainUniform(static_cast<FigSpline*>(object)->points, factor, offset);
            scaleArrowUniform(object->forwArrow, factor, offset);
            scaleArrowUniform(object->backArrow, factor, offset);
            break;
        case FigObject::Text: {
            auto* text = static_cast<FigText*>(object);
            text->x = uniformValue(text->x, factor, offset);
            text->y = uniformValue(text->y, factor, offset);
            break;
        }
        case FigObject::Arc: {
            auto* arc = static_cast<FigArc*>(object);
            arc->centerX = uniformCentre(arc->centerX, factor, offset);
            arc->centerY = uniformCentre(arc->centerY, factor, offset);
            for (FigPoint& p : arc->points)
                scalePointUniform(p, factor, offset);
            scaleArrowUniform(object->forwArrow, factor, offset);
            scaleArrowUniform(object->backArrow, factor, offset);
            break;
        }
        case FigObject::Compound:
            scaleCompoundUniform(static_cast<FigCompound*>(object), factor, offset);
            break;
        default:
            break;
        }
    }
}

// ---- Translation ----

void translateObject(FigObject* object, int dx, int dy)
{
    if (!object)
        return;
    switch (object->type) {
    case FigObject::Ellipse: {
        auto* ellipse = static_cast<FigEllipse*>(object);
        translatePoint(ellipse->center, dx, dy);
        translatePoint(ellipse->start, dx, dy);
        translatePoint(ellipse->end, dx, dy);
        break;
    }
    case FigObject::Polyline:
        translateChain(static_cast<FigLine*>(object)->points, dx, dy);
        break;
    case FigObject::Spline:
        translateChain(static_cast<FigSpline*>(object)->points, dx, dy);
        break;
    case FigObject::Text: {
        auto* text = static_cast<FigText*>(object);
        text->x = addSat(text->x, dx);
        text->y = addSat(text->y, dy);
        break;
    }
    case FigObject::Arc: {
        auto* arc = static_cast<FigArc*>(object);
        arc->centerX += static_cast<float>(dx);
        arc->centerY += static_cast<float>(dy);
        for (FigPoint& p : arc->points)
            translatePoint(p, dx, dy);
        break;
    }
    case FigObject::Compound:
        translateCompound(static_cast<FigCompound*>(object), dx, dy);
        break;
    default:
        break;
    }
}

void translateCompound(FigCompound* compound, int dx, int dy)
{
    if (!compound)
        return;
    translatePoint(compound->upperLeft, dx, dy);
    translatePoint(compound->lowerRight, dx, dy);
    translateObjectList(compound->members, dx, dy);
}

void translateObjectList(const FigObjectList* list, int dx, int dy)
{
    if (!list)
        return;
    for (FigObject* object : *list)
        translateObject(object, dx, dy);
}

// ---- Visibility ----

bool CFigContext::isObjectVisible(const FigObject* object) const
{
    if (!object)
        return false;
    if (object->type == FigObject::Compound)
        return compoundHasVisibleMember(static_cast<const FigCompound*>(object));
    return object->depth >= 0 && object->depth < depthCount && depthVisible[object->depth];
}

bool CFigContext::compoundHasVisibleMember(const FigCompound* compound) const
{
    if (!compound)
        return false;
    for (const FigObject* member : *compound->members) {
        if (member->type == FigObject::Compound) {
            if (compoundHasVisibleMember(static_cast<const FigCompound*>(member)))
                return true;
        } else if (member->depth >= 0 && member->depth < depthCount && depthVisible[member->depth]) {
            return true;
        }
    }
    return false;
}
