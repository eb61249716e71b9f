#include "model/smartlinks.h"

#include "model/figcompound.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figpoint.h"
#include "model/figspline.h"
#include "model/planegeometry.h"
#include "model/units.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

constexpr double pi = 3.14159265358979323846;

FigPath* pathOf(FigObject* object)
{
    if (object->type == FigObject::Polyline)
        return static_cast<FigLine*>(object);
    if (object->type == FigObject::Spline)
        return static_cast<FigSpline*>(object);
    return nullptr;
}

// Calls visit(line, path) for every polyline and spline of the tree, members
// of compounds included, until it returns false; false when stopped.
template <typename Visit> bool visitPaths(const FigObjectList* list, Visit& visit)
{
    if (!list)
        return true;
    for (FigObject* object : *list) {
        if (object->type == FigObject::Compound) {
            if (!visitPaths(static_cast<FigCompound*>(object)->members, visit))
                return false;
        } else if (FigPath* path = pathOf(object)) {
            if (!visit(object, path))
                return false;
        }
    }
    return true;
}

void noteChanged(FigObjectList& changed, FigObject* line)
{
    if (std::find(changed.begin(), changed.end(), line) == changed.end())
        changed.push_back(line);
}

int clampToInt(std::int64_t v)
{
    return v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : static_cast<int>(v));
}

// Turns the point about (cx, cy) by whole degrees, clockwise on the screen
// for a positive angle (the rotation arithmetic of the geometric transforms).
void rotateByDegrees(FigPoint& p, int cx, int cy, int degrees)
{
    const double dx = static_cast<double>(p.x) - cx;
    const double dy = static_cast<double>(cy) - p.y;
    if (dx == 0 && dy == 0)
        return;
    double alpha = vectorAngle(dx, dy) - degrees * pi / 180;
    if (alpha < 0)
        alpha += 2 * pi;
    else if (alpha >= 2 * pi - 0.001)
        alpha -= 2 * pi;
    const double r = std::sqrt(dx * dx + dy * dy);
    p.x = roundToInt(cx + r * std::cos(alpha));
    p.y = roundToInt(cy - r * std::sin(alpha));
}

} // namespace

void moveLineSmartLinks(const FigLine* target, int index, const FigObjectList* list, int dx, int dy,
    FigObjectList& changed, PointList& handled)
{
    if (!target)
        return;
    const int targetId = target->id;
    auto follow = [&](FigObject* line, FigPath* path) {
        bool moved = false;
        for (FigPoint* s = path->points; s; s = s->next) {
            if (!s->link || s->link->targetObjId != targetId)
                continue;
            const SmartLink& link = *s->link;
            const bool atLeft = index == link.targetLeftPointIdx;
            if (!atLeft && index != link.targetRightPointIdx)
                continue;
            const FigPoint* left = target->pointAt(link.targetLeftPointIdx);
            const FigPoint* right = target->pointAt(link.targetRightPointIdx);
            if (!left || !right)
                continue;
            // A point already handled in this operation still follows the
            // other end of its segment: when both ends move (a box corner
            // dragged diagonally, a polyline rotated point by point), the two
            // steps together keep it at its place on the segment, where
            // following only the first would leave it off the target.
            if (!handled.contains(s))
                handled.append(s);
            const FigPoint* fixed = atLeft ? right : left;
            const FigPoint* movedEnd = atLeft ? left : right;
            const int oldX = clampToInt(static_cast<std::int64_t>(movedEnd->x) - dx);
            const int oldY = clampToInt(static_cast<std::int64_t>(movedEnd->y) - dy);
            const double nx = static_cast<double>(movedEnd->x) - fixed->x;
            const double ny = static_cast<double>(movedEnd->y) - fixed->y;
            const double ox = static_cast<double>(oldX) - fixed->x;
            const double oy = static_cast<double>(oldY) - fixed->y;
            const double oldLength = std::sqrt(ox * ox + oy * oy);
            // A segment that had no length gives no ratio: the point stays.
            if (oldLength == 0)
                continue;
            const double ratio = std::sqrt(nx * nx + ny * ny) / oldLength;
            int fx = fixed->x;
            int fy = fixed->y;
            scaleSegment(s->x, s->y, fx, fy, ratio, true, false);
            const double angle
                = angleBetweenVectors(fixed->x, fixed->y, oldX, oldY, fixed->x, fixed->y, movedEnd->x, movedEnd->y);
            rotatePoint(fixed->x, fixed->y, s->x, s->y, s->x, s->y, angle);
            moved = true;
        }
        if (moved)
            noteChanged(changed, line);
        return true;
    };
    visitPaths(list, follow);
}

void moveEllipseSmartLinks(const FigEllipse* after, const FigEllipse* before, const FigObjectList* list,
    FigObjectList& changed, PointList& handled)
{
    if (!after || !before)
        return;
    const int targetId = after->id;
    const int cx = before->center.x;
    const int cy = before->center.y;
    const int degrees = roundToInt(before->angle * 180 / pi);
    const bool axisAligned = (after->subType == 1 || after->subType == 2) && before->angle == 0;
    const bool flippedX = after->endFlippedX(*before);
    const bool flippedY = after->endFlippedY(*before);
    const double rx = after->radii.x;
    const double ry = after->radii.y;
    auto follow = [&](FigObject* line, FigPath* path) {
        for (FigPoint* s = path->points; s; s = s->next) {
            if (!s->link || s->link->targetObjId != targetId || handled.contains(s))
                continue;
            const int x0 = s->x;
            const int y0 = s->y;
            // Into the ellipse's own axes.
            rotateByDegrees(*s, cx, cy, degrees);
            handled.append(s);
            bool right = s->x > cx;
            bool below = s->y > cy;
            if (axisAligned) {
                if (flippedX)
                    right = s->x <= cx;
                if (flippedY)
                    below = s->y <= cy;
            }
            bool ok = false;
            const double x = ellipseXAtY(after->center.x, cy, rx, before->radii.y, s->y, right, ok);
            double y = 0;
            if (ok)
                y = ellipseYAtX(after->center.x, after->center.y, rx, ry, x, below, ok);
            if (!ok) {
                s->x = x0;
                s->y = y0;
                return false;
            }
            s->x = roundToInt(x);
            s->y = roundToInt(y);
            rotateByDegrees(*s, cx, cy, -degrees);
            noteChanged(changed, line);
        }
        return true;
    };
    visitPaths(list, follow);
}
