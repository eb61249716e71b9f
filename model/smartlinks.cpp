#include "model/smartlinks.h"

#include "model/depths.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figpoint.h"
#include "model/figspline.h"
#include "model/objectlist.h"
#include "model/planegeometry.h"
#include "model/units.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include <QSet>

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

// As visitPaths, but the object `skip` (a line or a compound with all its
// members) is passed over.
template <typename Visit> bool visitPathsOutside(const FigObjectList* list, const FigObject* skip, Visit& visit)
{
    if (!list)
        return true;
    for (FigObject* object : *list) {
        if (object == skip)
            continue;
        if (object->type == FigObject::Compound) {
            if (!visitPathsOutside(static_cast<FigCompound*>(object)->members, skip, visit))
                return false;
        } else if (FigPath* path = pathOf(object)) {
            if (!visit(object, path))
                return false;
        }
    }
    return true;
}

// The identifiers a link must name to be linked to the object: its own, or
// for a compound those of its members at every nesting.
void collectTargetIds(const FigObject* object, QSet<int>& ids)
{
    if (!object)
        return;
    if (object->type != FigObject::Compound) {
        ids.insert(object->id);
        return;
    }
    for (const FigObject* member : *static_cast<const FigCompound*>(object)->members)
        collectTargetIds(member, ids);
}

bool linkedToAny(const FigPoint* p, const QSet<int>& ids)
{
    return p->link && p->link->targetObjId != -1 && ids.contains(p->link->targetObjId);
}

void noteChanged(FigObjectList& changed, FigObject* line)
{
    if (std::find(changed.begin(), changed.end(), line) == changed.end())
        changed.push_back(line);
}

// Position of the point in the chain from 0; -1 when absent or null.
int positionInChain(const FigPoint* chain, const FigPoint* point)
{
    if (!point)
        return -1;
    int index = 0;
    for (const FigPoint* p = chain; p; p = p->next, ++index) {
        if (p == point)
            return index;
    }
    return -1;
}

// Calls visit(point) for every point of the lines of the object's tree (the
// object itself when it is a polyline or spline).
template <typename Visit> void visitOwnPoints(FigObject* object, Visit& visit)
{
    if (!object)
        return;
    if (object->type == FigObject::Compound) {
        for (FigObject* member : *static_cast<FigCompound*>(object)->members)
            visitOwnPoints(member, visit);
        return;
    }
    if (FigPath* path = pathOf(object)) {
        for (FigPoint* p = path->points; p; p = p->next)
            visit(p);
    }
}

// Whether the object, or a compound that holds it at any nesting in the
// list, is selected.
bool selectedInTree(const FigObjectList* list, const FigObject* object)
{
    for (const FigObject* o = object; o; o = findCompoundContaining(list, o)) {
        if (o->selected)
            return true;
    }
    return false;
}

} // namespace

// ---- Roles ----

bool isSmartLinkSource(const FigObject* object)
{
    if (!object)
        return false;
    if (object->type == FigObject::Polyline)
        return object->subType == 1;
    if (object->type == FigObject::Spline)
        return object->subType == 0 || object->subType == 2;
    return false;
}

bool isSmartLinkTarget(const FigObject* object)
{
    if (!object)
        return false;
    switch (object->type) {
    case FigObject::Ellipse:
        return true;
    case FigObject::Polyline:
        return object->subType >= 2 && object->subType <= 5;
    case FigObject::Spline:
        return object->subType == 1 || object->subType == 3 || object->subType == 4 || object->subType == 5;
    default:
        return false;
    }
}

// ---- Collecting ----

bool collectSmartLinkedObjects(const FigObjectList* list, const FigObject* object, FigObjectList& out)
{
    if (!object)
        return false;
    QSet<int> ids;
    collectTargetIds(object, ids);
    bool found = false;
    auto visit = [&](FigObject* line, FigPath* path) {
        for (const FigPoint* p = path->points; p; p = p->next) {
            if (linkedToAny(p, ids)) {
                noteChanged(out, line);
                found = true;
                break;
            }
        }
        return true;
    };
    visitPathsOutside(list, object, visit);
    return found;
}

void collectLinkedObjectsOfList(const FigObjectList* list, const FigObjectList* objects, FigObjectList& out)
{
    if (!objects || objects->empty())
        return;
    // One walk of the tree for the whole list: a line counts when one of its
    // points names an object of the list and the line itself is not one of
    // them nor inside one of them (links inside a compound do not count,
    // and lines that move along are no followers).
    QSet<int> ids;
    QSet<const FigObject*> inside;
    auto noteInside = [&inside](const FigObject* object, auto& self) -> void {
        inside.insert(object);
        if (object->type == FigObject::Compound) {
            for (const FigObject* member : *static_cast<const FigCompound*>(object)->members)
                self(member, self);
        }
    };
    for (const FigObject* object : *objects) {
        if (!object)
            continue;
        collectTargetIds(object, ids);
        noteInside(object, noteInside);
    }
    QSet<const FigObject*> taken;
    for (const FigObject* line : out)
        taken.insert(line);
    auto visit = [&](FigObject* line, FigPath* path) {
        if (inside.contains(line) || taken.contains(line))
            return true;
        for (const FigPoint* p = path->points; p; p = p->next) {
            if (linkedToAny(p, ids)) {
                out.push_back(line);
                taken.insert(line);
                break;
            }
        }
        return true;
    };
    visitPaths(list, visit);
    out.remove_if([&inside](FigObject* line) { return inside.contains(line); });
}

bool collectPointsLinkedTo(const FigObjectList* list, const FigObject* object, PointList& out)
{
    if (!object)
        return false;
    QSet<int> ids;
    collectTargetIds(object, ids);
    bool found = false;
    auto visit = [&](FigObject*, FigPath* path) {
        for (FigPoint* p = path->points; p; p = p->next) {
            if (linkedToAny(p, ids)) {
                found = true;
                if (!out.contains(p))
                    out.append(p);
            }
        }
        return true;
    };
    visitPathsOutside(list, object, visit);
    return found;
}

bool collectLinkRecordsTo(const FigObjectList* list, const FigObject* object, SmartLinkList& out)
{
    if (!object)
        return false;
    QSet<int> ids;
    collectTargetIds(object, ids);
    bool found = false;
    auto visit = [&](FigObject*, FigPath* path) {
        for (FigPoint* p = path->points; p; p = p->next) {
            if (linkedToAny(p, ids)) {
                found = true;
                if (!out.contains(p->link))
                    out.append(p->link);
            }
        }
        return true;
    };
    visitPathsOutside(list, object, visit);
    return found;
}

void collectLinkRecordsOfList(const FigObjectList* list, SmartLinkList& out)
{
    auto visit = [&out](FigObject*, FigPath* path) {
        collectLinkRecordsOfChain(path->points, out);
        return true;
    };
    visitPaths(list, visit);
}

void collectLinkRecordsOfChain(FigPoint* chain, SmartLinkList& out)
{
    for (FigPoint* p = chain; p; p = p->next) {
        if (p->link && !out.contains(p->link))
            out.append(p->link);
    }
}

// ---- Detaching and reattaching ----

void detachLinksOfList(const FigObjectList* list)
{
    auto visit = [](FigObject*, FigPath* path) {
        detachChainLinks(path->points);
        return true;
    };
    visitPaths(list, visit);
}

void detachChainLinks(FigPoint* chain)
{
    for (FigPoint* p = chain; p; p = p->next)
        p->link = nullptr;
}

void detachLinkRecords(const SmartLinkList& records)
{
    for (SmartLink* record : records) {
        // A point that has meanwhile taken another record keeps that one.
        if (record && record->sourcePoint && record->sourcePoint->link == record)
            record->sourcePoint->link = nullptr;
    }
}

void reattachLinkRecords(const SmartLinkList& records)
{
    for (SmartLink* record : records) {
        if (record && record->sourcePoint)
            record->sourcePoint->link = record;
    }
}

// ---- Chain utilities ----

FigPoint* nextToLastPoint(FigPoint* chain)
{
    if (!chain || !chain->next)
        return chain;
    FigPoint* p = chain;
    while (p->next->next)
        p = p->next;
    return p;
}

FigPoint* chainPredecessor(FigPoint* chain, const FigPoint* point)
{
    if (!point)
        return nullptr;
    for (FigPoint* p = chain; p; p = p->next) {
        if (p->next == point)
            return p;
    }
    return nullptr;
}

void updateLinkIndices(const PointList& linkedPoints, const FigPoint* targetChain)
{
    for (FigPoint* point : linkedPoints) {
        if (!point || !point->link)
            continue;
        SmartLink* link = point->link;
        link->targetLeftPointIdx = positionInChain(targetChain, link->targetLeftPoint);
        link->targetRightPointIdx = positionInChain(targetChain, link->targetRightPoint);
    }
}

void rebindLinksToChain(
    const FigObjectList* list, const FigObject* target, const FigPoint* from, FigPoint* to, int shift)
{
    int count = 0;
    for (const FigPoint* p = to; p; p = p->next)
        ++count;
    if (!target || count == 0)
        return;
    auto rebind = [&](FigPoint*& end, int& index) {
        const int at = positionInChain(from, end);
        if (at < 0)
            return; // not a point of the replaced chain
        int place = at + shift;
        if (place < 0 || place >= count)
            place = count - 1;
        FigPoint* p = to;
        for (int i = 0; i < place; ++i)
            p = p->next;
        end = p;
        index = place;
    };
    PointList linked;
    collectPointsLinkedTo(list, target, linked);
    for (FigPoint* point : linked) {
        if (SmartLink* link = point->link) {
            rebind(link->targetLeftPoint, link->targetLeftPointIdx);
            rebind(link->targetRightPoint, link->targetRightPointIdx);
        }
    }
}

void rebindConvertedLinks(const FigObjectList* list, const FigObject* from, FigObject* to)
{
    if (!from || !to)
        return;
    FigPath* toPath = pathOf(to);
    const FigPath* fromPath = pathOf(const_cast<FigObject*>(from));
    if (!toPath || !fromPath)
        return;
    int shift = 0;
    if (from->type == FigObject::Polyline && from->subType == 3 && to->type == FigObject::Spline)
        shift = -1;
    else if (from->type == FigObject::Spline && to->type == FigObject::Polyline && to->subType == 3)
        shift = 1;
    rebindLinksToChain(list, to, fromPath->points, toPath->points, shift);
}

void CFigContext::unlinkRemovedPoint(FigLine* target, FigPoint* chain, bool open, FigPoint* point)
{
    if (!target || !chain || !point)
        return;
    PointList linked;
    collectPointsLinkedTo(objects(), target, linked);
    for (FigPoint* s : linked) {
        SmartLink* link = s->link;
        if (!link || link->targetObjId != target->id)
            continue;
        if (link->targetLeftPoint == point) {
            if (point != chain) {
                link->targetLeftPoint = chainPredecessor(chain, point);
                --link->targetLeftPointIdx;
                if (link->targetRightPointIdx != 0)
                    --link->targetRightPointIdx;
            } else if (open) {
                delete link;
                s->link = nullptr;
            } else {
                // The first point of a closed polyline goes: the closing
                // segment from the last corner to the new first point takes
                // the link.
                link->targetLeftPoint = nextToLastPoint(chain);
                link->targetLeftPointIdx = positionInChain(chain, link->targetLeftPoint) - 1;
                link->targetRightPoint = point->next;
                link->targetRightPointIdx = 0;
            }
        } else if (link->targetRightPoint == point) {
            if (!point->next) {
                if (open) {
                    delete link;
                    s->link = nullptr;
                } else {
                    // The closing point goes and its predecessor moves onto
                    // point 0 to close the chain, so the last corner is
                    // gone: the link moves to the edge before it, which now
                    // ends at point 0 as every closing edge does. Keeping the
                    // pointer would leave the record naming a freed point.
                    FigPoint* previous = chainPredecessor(chain, point);
                    if (previous && link->targetLeftPoint == previous && previous != chain) {
                        link->targetLeftPoint = chainPredecessor(chain, previous);
                        link->targetLeftPointIdx = positionInChain(chain, link->targetLeftPoint);
                    }
                    link->targetRightPoint = chain;
                    link->targetRightPointIdx = 0;
                }
            } else if (open) {
                link->targetRightPoint = point->next;
            } else if (!point->next->next) {
                link->targetRightPoint = chain;
                link->targetRightPointIdx = 0;
            } else {
                link->targetRightPoint = point->next;
                if (point == chain)
                    --link->targetLeftPointIdx;
            }
        }
    }
}

// ---- Making links ----

FigObject* CFigContext::findLinkTarget(
    const FigObjectList* list, int x, int y, int& hitX, int& hitY, const FigObject* exclude)
{
    // Two screen pixels at the document's horizontal resolution and zoom.
    const double pixels = (dpiX > 0 && zoom > 0) ? 2.0 * (1200.0 / dpiX) / zoom : 0.0;
    const int t = roundToInt(pixels);
    if (FigObject* line = findLineNear(list, x, y, t, hitX, hitY, exclude))
        return line;
    if (FigObject* ellipse = findEllipseNear(list, x, y, t, hitX, hitY)) {
        if (ellipse != exclude)
            return ellipse;
    }
    // The source is passed over here too: an open spline's curve runs through
    // its own end point, and finding it would refuse every later spline.
    return findSplineNear(list, x, y, t, hitX, hitY, exclude);
}

bool CFigContext::snapToLinkTarget(int& x, int& y, const FigObject* object)
{
    int hitX = x;
    int hitY = y;
    const FigObject* target = findLinkTarget(objects(), x, y, hitX, hitY, object);
    if (!target || (object && target->id == object->id) || !isSmartLinkTarget(target))
        return false;
    x = hitX;
    y = hitY;
    return true;
}

namespace {

// The record for a point found on `target` at (hitX, hitY); the point moves
// there. A polyline target records the segment under the hit.
SmartLink* newLinkRecord(const CFigContext& context, FigObject* target, FigPoint* point, int hitX, int hitY)
{
    auto* link = new SmartLink;
    link->targetObjId = target->id;
    link->sourcePoint = point;
    if (target->type == FigObject::Polyline) {
        FigPoint* left = nullptr;
        FigPoint* right = nullptr;
        int leftIndex = -1;
        int rightIndex = -1;
        int segmentX = 0;
        int segmentY = 0;
        if (context.findLineSegmentNear(
                static_cast<FigLine*>(target), left, right, leftIndex, rightIndex, hitX, hitY, 1, segmentX, segmentY)) {
            link->targetLeftPoint = left;
            link->targetRightPoint = right;
            link->targetLeftPointIdx = leftIndex;
            link->targetRightPointIdx = rightIndex;
        }
    }
    point->x = hitX;
    point->y = hitY;
    return link;
}

} // namespace

SmartLink* CFigContext::makeSmartLink(const FigObjectList* list, FigPoint* point, const FigObject* source)
{
    if (!point)
        return nullptr;
    int hitX = point->x;
    int hitY = point->y;
    FigObject* target = findLinkTarget(list, point->x, point->y, hitX, hitY, source);
    if (!target || (source && target->id == source->id) || !isSmartLinkTarget(target))
        return nullptr;
    return newLinkRecord(*this, target, point, hitX, hitY);
}

bool CFigContext::linkEndPoint(
    const FigObject* source, FigPoint* point, const FigObjectList* list, QList<SmartLink*>& made)
{
    if (!source || !point || !list)
        return false;
    for (FigObject* object : *list) {
        if (object->type == FigObject::Compound) {
            linkEndPoint(source, point, static_cast<FigCompound*>(object)->members, made);
            continue;
        }
        if (!isSmartLinkTarget(object))
            continue;
        int hitX = point->x;
        int hitY = point->y;
        FigObject* target = findLinkTarget(list, point->x, point->y, hitX, hitY, source);
        if (!target || target->id == source->id || !isSmartLinkTarget(target))
            continue;
        SmartLink* link = newLinkRecord(*this, target, point, hitX, hitY);
        // A record made by an earlier search for the same point (inside a
        // compound) gives way; the point owns its record, so the old one
        // must go rather than leak or stay in `made` detached.
        if (point->link) {
            made.removeAll(point->link);
            delete point->link;
        }
        point->link = link;
        made.append(link);
        return true;
    }
    return false;
}

void CFigContext::createSmartLinksForList(
    const FigObjectList* searchList, const FigObjectList* walkList, QList<SmartLink*>& made)
{
    if (!walkList)
        return;
    for (FigObject* object : *walkList) {
        if (object->type == FigObject::Compound) {
            createSmartLinksForList(searchList, static_cast<FigCompound*>(object)->members, made);
            continue;
        }
        if (!isSmartLinkSource(object))
            continue;
        FigPoint* first = pathOf(object)->points;
        if (!first)
            continue;
        linkEndPoint(object, first, searchList, made);
        linkEndPoint(object, lastPoint(first), searchList, made);
    }
}

// ---- Following ----

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
            s->rotate(cx, cy, degrees);
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
            s->rotate(cx, cy, -degrees);
            noteChanged(changed, line);
        }
        return true;
    };
    visitPaths(list, follow);
}

void flipEllipseSmartLinks(const FigEllipse* target, int axisX, int axisY, int axis, const FigObjectList* list,
    FigObjectList& changed, PointList& handled)
{
    if (!target || (axis != 1 && axis != 2))
        return;
    const int targetId = target->id;
    auto follow = [&](FigObject* line, FigPath* path) {
        for (FigPoint* s = path->points; s; s = s->next) {
            if (!s->link || s->link->targetObjId != targetId || handled.contains(s))
                continue;
            if (axis == 1)
                s->y = clampToInt(2 * static_cast<std::int64_t>(axisY) - s->y);
            else
                s->x = clampToInt(2 * static_cast<std::int64_t>(axisX) - s->x);
            handled.append(s);
            noteChanged(changed, line);
        }
        return true;
    };
    visitPaths(list, follow);
}

void rotateEllipseSmartLinks(const FigEllipse* target, int cx, int cy, int angle, const FigObjectList* list,
    FigObjectList& changed, PointList& handled)
{
    if (!target)
        return;
    const int targetId = target->id;
    auto follow = [&](FigObject* line, FigPath* path) {
        for (FigPoint* s = path->points; s; s = s->next) {
            if (!s->link || s->link->targetObjId != targetId || handled.contains(s))
                continue;
            s->rotate(cx, cy, angle);
            handled.append(s);
            noteChanged(changed, line);
        }
        return true;
    };
    visitPaths(list, follow);
}

void scaleSmartLinks(const FigObject* target, float sx, float sy, int cx, int cy, const FigObjectList* list,
    FigObjectList& changed, PointList& handled)
{
    if (!target)
        return;
    QSet<int> ids;
    collectTargetIds(target, ids);
    auto follow = [&](FigObject* line, FigPath* path) {
        for (FigPoint* s = path->points; s; s = s->next) {
            if (!linkedToAny(s, ids) || handled.contains(s))
                continue;
            s->scale(sx, sy, cx, cy);
            handled.append(s);
            noteChanged(changed, line);
        }
        return true;
    };
    visitPathsOutside(list, target, follow);
}

void translateSmartLinks(const FigObject* target, const FigObjectList* list, int dx, int dy, FigObjectList& changed,
    const FigObjectList* only, PointList& handled)
{
    // Only the given lines follow, and there are none.
    if (!target || (only && only->empty()))
        return;
    QSet<int> ids;
    collectTargetIds(target, ids);
    auto follow = [&](FigObject* line, FigPath* path) {
        for (FigPoint* s = path->points; s; s = s->next) {
            if (!linkedToAny(s, ids) || handled.contains(s))
                continue;
            s->x = clampToInt(static_cast<std::int64_t>(s->x) + dx);
            s->y = clampToInt(static_cast<std::int64_t>(s->y) + dy);
            handled.append(s);
            noteChanged(changed, line);
        }
        return true;
    };
    if (!only) {
        visitPathsOutside(list, target, follow);
        return;
    }
    // Only the given lines follow: they are looked at directly instead of
    // walking the whole drawing for every moved object.
    QSet<const FigObject*> own;
    auto visitOwn = [&own](FigObject* line, FigPath*) {
        own.insert(line);
        return true;
    };
    if (target->type == FigObject::Compound)
        visitPaths(static_cast<const FigCompound*>(target)->members, visitOwn);
    for (FigObject* line : *only) {
        if (line == target || own.contains(line))
            continue;
        if (FigPath* path = pathOf(line))
            follow(line, path);
    }
}

void pinLinksOutside(FigObject* object, const FigObjectList* drawingList, const FigObjectList* moved)
{
    auto pin = [&](FigPoint* p) {
        if (!p->link)
            return;
        const FigObject* target = findObjectById(drawingList, p->link->targetObjId);
        p->link->pinned = !target || !listContainsObject(moved, target);
    };
    visitOwnPoints(object, pin);
}

void pinLinksToUnselected(FigObject* object, const FigObjectList* drawingList)
{
    auto pin = [&](FigPoint* p) {
        if (!p->link)
            return;
        const FigObject* target = findObjectById(drawingList, p->link->targetObjId);
        p->link->pinned = !target || !selectedInTree(drawingList, target);
    };
    visitOwnPoints(object, pin);
}
