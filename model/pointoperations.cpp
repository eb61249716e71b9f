#include "model/pointoperations.h"

#include "app/statusmessages.h"
#include "model/depths.h"
#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figpoint.h"
#include "model/figspline.h"
#include "model/objectlist.h"
#include "model/picturedata.h"
#include "model/planegeometry.h"
#include "model/smartlinks.h"
#include "model/units.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

// Coordinate sums saturate instead of wrapping around.
void shiftPoint(FigPoint& p, int dx, int dy)
{
    p.x = clampToInt(static_cast<std::int64_t>(p.x) + dx);
    p.y = clampToInt(static_cast<std::int64_t>(p.y) + dy);
}

std::int64_t absDifference(int a, int b)
{
    return std::llabs(static_cast<std::int64_t>(a) - b);
}

bool isOpenSpline(const FigSpline* spline)
{
    return spline->subType % 2 == 0;
}

// The default shape factor of an inner point (and of every point of a closed
// spline): approximated splines 1, interpolated splines and X-splines -1.
double defaultShapeFactor(const FigSpline* spline)
{
    return spline->subType == 0 || spline->subType == 1 ? 1.0 : -1.0;
}

// For a picture: toggles the flipped flag when a corner is dragged past its
// neighbour along x, and again along y.
void togglePictureFlip(FigLine* box, FigPoint* corner, int dx, int dy)
{
    if (!box->picture)
        return;
    FigPoint* first = box->points;
    const FigPoint* third = box->pointAt(2);
    if (!first || !third)
        return;
    // The closing copy stands for the first point.
    if (!corner->next && corner != first && corner->x == first->x && corner->y == first->y)
        corner = first;

    FigPoint* ul = box->upperLeftCorner();
    FigPoint* ur = box->upperRightCorner();
    FigPoint* ll = box->lowerLeftCorner();
    FigPoint* lr = box->lowerRightCorner();
    const FigPoint* xNeighbour = nullptr;
    const FigPoint* yNeighbour = nullptr;
    if (corner == ul) {
        xNeighbour = ur;
        yNeighbour = ll;
    } else if (corner == ur) {
        xNeighbour = ul;
        yNeighbour = lr;
    } else if (corner == ll) {
        xNeighbour = lr;
        yNeighbour = ul;
    } else if (corner == lr) {
        xNeighbour = ll;
        yNeighbour = ur;
    } else {
        return;
    }

    const std::int64_t w = absDifference(first->x, third->x);
    const std::int64_t h = absDifference(first->y, third->y);
    if (std::llabs(static_cast<std::int64_t>(dx)) > w
        && ((dx > 0 && corner->x < xNeighbour->x) || (dx < 0 && corner->x > xNeighbour->x)))
        box->picture->flipped = 1 - box->picture->flipped;
    if (std::llabs(static_cast<std::int64_t>(dy)) > h
        && ((dy > 0 && corner->y < yNeighbour->y) || (dy < 0 && corner->y > yNeighbour->y)))
        box->picture->flipped = 1 - box->picture->flipped;
}

// A box whose corners all share their x (or their y) lies flat on that axis:
// equal coordinates can no longer tell the moved corner's side from the
// opposite one, and moving every point of that x would move the whole box.
// The side is then the corner with the one chain neighbour it forms that side
// with (and the closing copy of the first corner), so a flat box can be
// opened up again.
struct FlatSide {
    bool flat = false;
    const FigPoint* members[3] = {};
    bool contains(const FigPoint* p) const { return p == members[0] || p == members[1] || p == members[2]; }
};

struct FlatSides {
    FlatSide x; // the points that take the x offset, when flat in x
    FlatSide y; // the points that take the y offset, when flat in y
};

FlatSides flatSidesOf(const FigLine* box, const FigPoint* corner)
{
    FlatSides sides;
    FigPoint* c[5] = {};
    int n = 0;
    for (FigPoint* p = box->points; p; p = p->next) {
        if (n == 5)
            return sides; // not the four corners and the closing copy
        c[n++] = p;
    }
    if (n != 5 || c[4]->x != c[0]->x || c[4]->y != c[0]->y)
        return sides;
    int ci = -1;
    for (int i = 0; i < 5; ++i) {
        if (c[i] == corner)
            ci = i % 4;
    }
    if (ci < 0)
        return sides;
    const bool flatX = c[1]->x == c[0]->x && c[2]->x == c[0]->x && c[3]->x == c[0]->x;
    const bool flatY = c[1]->y == c[0]->y && c[2]->y == c[0]->y && c[3]->y == c[0]->y;
    FigPoint* self = c[ci];
    FigPoint* prev = c[(ci + 3) % 4];
    FigPoint* next = c[(ci + 1) % 4];
    auto fill = [&](FlatSide& side, FigPoint* partner) {
        side.flat = true;
        side.members[0] = self;
        side.members[1] = partner;
        side.members[2] = self == c[0] || partner == c[0] ? c[4] : nullptr;
    };
    // Of a box flat on both axes any neighbour will do, as long as the two
    // axes take different ones.
    if (flatX)
        fill(sides.x, !flatY && next->y != self->y ? next : prev);
    if (flatY)
        fill(sides.y, !flatX && prev->x != self->x ? prev : next);
    return sides;
}

bool swapArrow(FigObject* object, int end, FigArrow* newArrow, FigArrow*& previous)
{
    FigArrow*& slot = end != 0 ? object->forwArrow : object->backArrow;
    previous = slot;
    slot = newArrow;
    return true;
}

} // namespace

// Point moves -----------------------------------------------------------------

bool moveArcPoint(FigArc* arc, int dx, int dy, int pointIndex)
{
    if (!arc || pointIndex < 0 || pointIndex > 2)
        return false;
    int x[3];
    int y[3];
    for (int i = 0; i < 3; ++i) {
        x[i] = arc->points[i].x;
        y[i] = arc->points[i].y;
    }
    x[pointIndex] = clampToInt(static_cast<std::int64_t>(x[pointIndex]) + dx);
    y[pointIndex] = clampToInt(static_cast<std::int64_t>(y[pointIndex]) + dy);
    float cx = 0.0f;
    float cy = 0.0f;
    if (!computeArcCenter(x[0], y[0], x[1], y[1], x[2], y[2], cx, cy))
        return false;
    arc->points[pointIndex].x = x[pointIndex];
    arc->points[pointIndex].y = y[pointIndex];
    arc->centerX = cx;
    arc->centerY = cy;
    arc->direction = arcDirection(x[0], y[0], x[1], y[1], x[2], y[2]);
    return true;
}

void moveBoxCorner(const FigObjectList* list, FigLine* box, int dx, int dy, FigPoint* corner)
{
    if (!box || !corner || !chainContainsPoint(box->points, corner))
        return;
    if (box->subType == 5)
        togglePictureFlip(box, corner, dx, dy);

    const int x0 = corner->x;
    const int y0 = corner->y;
    const FlatSides flat = flatSidesOf(box, corner);
    FigObjectList changed;
    PointList handled;
    int index = 0;
    for (FigPoint* p = box->points; p; p = p->next, ++index) {
        const int sx = (flat.x.flat ? flat.x.contains(p) : p->x == x0) ? dx : 0;
        const int sy = (flat.y.flat ? flat.y.contains(p) : p->y == y0) ? dy : 0;
        if (sx == 0 && sy == 0)
            continue;
        shiftPoint(*p, sx, sy);
        moveLineSmartLinks(box, index, list, sx, sy, changed, handled);
    }
}

void moveEllipsePoint(const FigObjectList* list, FigEllipse* ellipse, int dx, int dy, int pointIndex)
{
    if (!ellipse || ellipse->subType < 1 || ellipse->subType > 4)
        return;
    // The shape before the move, for the linked points.
    FigEllipse before(ellipse->id);
    before.subType = ellipse->subType;
    before.angle = ellipse->angle;
    before.center.x = ellipse->center.x;
    before.center.y = ellipse->center.y;
    before.radii.x = ellipse->radii.x;
    before.radii.y = ellipse->radii.y;
    before.start.x = ellipse->start.x;
    before.start.y = ellipse->start.y;
    before.end.x = ellipse->end.x;
    before.end.y = ellipse->end.y;

    FigPoint& start = ellipse->start;
    FigPoint& end = ellipse->end;
    switch (ellipse->subType) {
    case 1:
        ellipse->radii.x = clampToInt(std::llabs(static_cast<std::int64_t>(ellipse->radii.x) + dx));
        ellipse->radii.y = clampToInt(std::llabs(static_cast<std::int64_t>(ellipse->radii.y) + dy));
        shiftPoint(end, dx, dy);
        break;
    case 3: {
        shiftPoint(end, dx, dy);
        const double ex = static_cast<double>(end.x) - start.x;
        const double ey = static_cast<double>(end.y) - start.y;
        const int r = roundToInt(std::sqrt(ex * ex + ey * ey));
        ellipse->radii.x = r;
        ellipse->radii.y = r;
        break;
    }
    default: // 2 and 4, by diameters
        if (pointIndex == -1) {
            shiftPoint(start, -dx, -dy);
            shiftPoint(end, dx, dy);
        } else {
            shiftPoint(ellipse->center, dx / 2, dy / 2);
            shiftPoint(pointIndex == 0 ? start : end, dx, dy);
        }
        if (ellipse->subType == 2) {
            ellipse->radii.x = clampToInt(absDifference(end.x, start.x) / 2);
            ellipse->radii.y = clampToInt(absDifference(end.y, start.y) / 2);
        } else {
            const double hx = static_cast<double>((static_cast<std::int64_t>(end.x) - start.x) / 2);
            const double hy = static_cast<double>((static_cast<std::int64_t>(end.y) - start.y) / 2);
            const int r = roundToInt(std::sqrt(hx * hx + hy * hy));
            ellipse->radii.x = r;
            ellipse->radii.y = r;
        }
        break;
    }

    FigObjectList changed;
    PointList handled;
    moveEllipseSmartLinks(ellipse, &before, list, changed, handled);
}

void moveLinePoint(const FigObjectList* list, FigLine* line, int dx, int dy, FigPoint* point)
{
    if (!line || !point)
        return;
    const int index = line->indexOf(point);
    if (index < 0)
        return;
    if (line->subType == 3 && point == line->points) {
        FigPoint* closing = lastPoint(line->points);
        if (closing != point)
            shiftPoint(*closing, dx, dy);
    }
    shiftPoint(*point, dx, dy);
    FigObjectList changed;
    PointList handled;
    moveLineSmartLinks(line, index, list, dx, dy, changed, handled);
}

void moveSplinePoint(const FigObjectList*, FigSpline* spline, int dx, int dy, FigPoint* point)
{
    if (!spline || !point || !chainContainsPoint(spline->points, point))
        return;
    shiftPoint(*point, dx, dy);
}

// Inserting and removing points -------------------------------------------

void FigLine::insertPoint(FigPoint* previous, FigPoint* point)
{
    if (!point || chainContainsPoint(points, point))
        return;
    if (previous && !chainContainsPoint(points, previous))
        return;
    if (previous) {
        point->next = previous->next;
        previous->next = point;
    } else {
        point->next = points;
        points = point;
    }
    if (subType != 3)
        return;
    if (point == points) {
        FigPoint* closing = lastPoint(points);
        closing->x = point->x;
        closing->y = point->y;
    } else if (!point->next) {
        points->x = point->x;
        points->y = point->y;
    }
}

void FigLine::removePoint(FigPoint* point)
{
    if (!point || !points)
        return;
    FigPoint* previous = nullptr;
    if (point != points) {
        previous = predecessor(point);
        if (!previous)
            return; // not one of this line's points
    }
    // The removed point keeps its own successor, so that an undo can put it back.
    if (subType == 1) {
        (previous ? previous->next : points) = point->next;
        return;
    }
    if (!previous) {
        points = point->next;
        if (points) {
            FigPoint* closing = lastPoint(points);
            closing->x = points->x;
            closing->y = points->y;
        }
    } else if (!point->next) {
        previous->next = nullptr;
        previous->x = points->x;
        previous->y = points->y;
    } else {
        previous->next = point->next;
    }
}

// The chain tells where the point goes: the successor the caller expects is
// the previous point's own, and the chain's is used should they differ.
bool FigSpline::insertPoint(FigPoint* previous, FigPoint* point, FigPoint* /*following*/)
{
    if (!point || chainContainsPoint(points, point))
        return false;
    ShapeFactorNode* previousNode = nullptr;
    if (previous) {
        previousNode = shapeFactorOf(previous);
        if (!previousNode)
            return false; // not one of this spline's points
    }
    auto* node = new (std::nothrow) ShapeFactorNode;
    if (!node) {
        showStatusMessage("Running out of memory.");
        return false;
    }
    const double v = defaultShapeFactor(this);
    const bool open = isOpenSpline(this);
    if (!previous) {
        if (open) {
            node->value = 0.0;
            // The former first point becomes an inner one, unless it is also
            // the last and so stays an end.
            if (shapeFactors && points && points->next)
                shapeFactors->value = v;
        } else {
            node->value = v;
        }
        node->next = shapeFactors;
        shapeFactors = node;
        point->next = points;
        points = point;
        return true;
    }
    const bool becomesLast = !previous->next;
    if (open && becomesLast) {
        node->value = 0.0;
        if (previous != points) // a lone point stays the first end
            previousNode->value = v;
    } else {
        node->value = v;
    }
    node->next = previousNode->next;
    previousNode->next = node;
    point->next = previous->next;
    previous->next = point;
    return true;
}

// The chain's own predecessor is used, whatever the caller passes.
void FigSpline::removePoint(FigPoint* /*previous*/, FigPoint* point)
{
    if (!point || !points)
        return;
    const int index = indexOf(point);
    if (index < 0)
        return;
    const bool open = isOpenSpline(this);
    int dropped = index;
    if (index == 0) {
        points = point->next;
        // An open spline keeps the end's 0.0 on its new first point.
        if (open && shapeFactors && shapeFactors->next)
            dropped = 1;
    } else {
        FigPoint* before = predecessor(point);
        const bool wasLast = !point->next;
        before->next = point->next;
        if (open && wasLast)
            dropped = index - 1;
    }
    // Unlink node number `dropped` from the factor list.
    ShapeFactorNode** link = &shapeFactors;
    for (int i = 0; *link && i < dropped; ++i)
        link = &(*link)->next;
    if (ShapeFactorNode* node = *link) {
        *link = node->next;
        delete node;
    }
}

int FigSpline::initShapeFactors()
{
    // A list left from before would otherwise be lost.
    freeShapeFactorList(shapeFactors);
    shapeFactors = nullptr;
    const double v = defaultShapeFactor(this);
    const bool open = isOpenSpline(this);
    ShapeFactorNode** tail = &shapeFactors;
    for (const FigPoint* p = points; p; p = p->next) {
        auto* node = new (std::nothrow) ShapeFactorNode;
        if (!node)
            return 0;
        node->value = open && (p == points || !p->next) ? 0.0 : v;
        *tail = node;
        tail = &node->next;
    }
    return 1;
}

// Arrows --------------------------------------------------------------------

bool swapArcArrow(FigArc* arc, int end, FigArrow* newArrow, FigArrow*& previous)
{
    if (!arc)
        return false;
    return swapArrow(arc, end, newArrow, previous);
}

bool swapLineArrow(FigLine* line, int end, FigArrow* newArrow, FigArrow*& previous)
{
    if (!acceptsArrows(line))
        return false;
    return swapArrow(line, end, newArrow, previous);
}

bool swapSplineArrow(FigSpline* spline, int end, FigArrow* newArrow, FigArrow*& previous)
{
    if (!acceptsArrows(spline))
        return false;
    return swapArrow(spline, end, newArrow, previous);
}

bool acceptsArrows(const FigObject* object)
{
    if (!object)
        return false;
    switch (object->type) {
    case FigObject::Arc:
        return true;
    case FigObject::Polyline: {
        const auto* line = static_cast<const FigLine*>(object);
        return !(line->subType >= 2 && line->subType <= 4) && line->points && line->points->next;
    }
    case FigObject::Spline:
        return isOpenSpline(static_cast<const FigSpline*>(object));
    default:
        return false;
    }
}
