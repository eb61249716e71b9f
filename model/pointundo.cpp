#include "model/pointundo.h"

#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/objectlist.h"
#include "model/smartlinks.h"

namespace {

// The polyline or spline of the list's tree whose chain holds the point.
FigObject* pathHoldingPoint(const FigObjectList* list, const FigPoint* point)
{
    if (!list)
        return nullptr;
    for (FigObject* object : *list) {
        const FigPoint* chain = nullptr;
        if (object->type == FigObject::Polyline)
            chain = static_cast<FigLine*>(object)->points;
        else if (object->type == FigObject::Spline)
            chain = static_cast<FigSpline*>(object)->points;
        else if (object->type == FigObject::Compound) {
            if (FigObject* found = pathHoldingPoint(static_cast<FigCompound*>(object)->members, point))
                return found;
            continue;
        }
        if (chainContainsPoint(chain, point))
            return object;
    }
    return nullptr;
}

} // namespace

void insertLinkedLinePoint(
    CFigContext* context, const FigObjectList* ownerList, FigLine* line, FigPoint* previous, FigPoint* point)
{
    line->insertPoint(previous, point);
    PointList linked;
    collectPointsLinkedTo(context->objects(), line, linked);
    const FigPoint* following = point->next;
    for (FigPoint* s : linked) {
        SmartLink* link = s->link;
        if (!link)
            continue;
        const bool leftSplit = previous && link->targetLeftPoint == previous;
        const bool rightSplit = following && link->targetRightPoint == following;
        if (!leftSplit && !rightSplit)
            continue;
        // The segment the point was on is split: find which half it is on now.
        const FigObject* source = pathHoldingPoint(&context->drawing.objects, s);
        if (SmartLink* fresh = context->makeSmartLink(ownerList, s, source)) {
            link->targetLeftPoint = fresh->targetLeftPoint;
            link->targetRightPoint = fresh->targetRightPoint;
            link->targetLeftPointIdx = fresh->targetLeftPointIdx;
            link->targetRightPointIdx = fresh->targetRightPointIdx;
            delete fresh;
        }
    }
    updateLinkIndices(linked, line->points);
}

void removeLinkedLinePoint(CFigContext* context, FigLine* line, FigPoint* point)
{
    context->unlinkRemovedPoint(line, line->points, line->subType == 1, point);
    PointList linked;
    collectPointsLinkedTo(context->objects(), line, linked);
    line->removePoint(point);
    updateLinkIndices(linked, line->points);
}

// Snapshot of a polyline edit ---------------------------------------------------

void LinePointSnapshot::take(CFigContext* context, const FigLine* line)
{
    chain.clear();
    linked.clear();
    for (const FigPoint* p = line->points; p; p = p->next)
        chain.append(QPoint(p->x, p->y));
    PointList points;
    collectPointsLinkedTo(&context->drawing.objects, line, points);
    for (FigPoint* p : points) {
        LinkedPoint saved { p, p->x, p->y, p->link != nullptr, SmartLink() };
        if (p->link)
            saved.link = *p->link;
        linked.append(saved);
    }
}

void LinePointSnapshot::restore(FigLine* line) const
{
    if (line->pointCount() == chain.size()) {
        int i = 0;
        for (FigPoint* p = line->points; p; p = p->next, ++i) {
            p->x = chain[i].x();
            p->y = chain[i].y();
        }
    }
    for (const LinkedPoint& saved : linked) {
        saved.point->x = saved.x;
        saved.point->y = saved.y;
        if (!saved.hasLink)
            continue;
        // The record keeps its identity (other actions may name it); only a
        // record given up on the way is made anew.
        if (saved.point->link)
            *saved.point->link = saved.link;
        else
            saved.point->link = new SmartLink(saved.link);
    }
}

// Links to an object's chain ---------------------------------------------------

void LinkTargetSnapshot::take(const FigObjectList* list, const FigObject* target)
{
    entries.clear();
    targetId = target ? target->id : -1;
    PointList points;
    collectPointsLinkedTo(list, target, points);
    for (FigPoint* p : points) {
        const SmartLink* link = p->link;
        entries.append(Entry {
            p, link->targetLeftPoint, link->targetRightPoint, link->targetLeftPointIdx, link->targetRightPointIdx });
    }
}

void LinkTargetSnapshot::restore() const
{
    for (const Entry& entry : entries) {
        SmartLink* link = entry.point->link;
        if (!link || link->targetObjId != targetId)
            continue;
        link->targetLeftPoint = entry.left;
        link->targetRightPoint = entry.right;
        link->targetLeftPointIdx = entry.leftIndex;
        link->targetRightPointIdx = entry.rightIndex;
    }
}

void updateSplineLinkIndices(const FigObjectList* list, FigSpline* spline)
{
    PointList linked;
    collectPointsLinkedTo(list, spline, linked);
    updateLinkIndices(linked, spline->points);
}

void releaseSplineLinksOfPoint(const FigObjectList* list, FigSpline* spline, const FigPoint* point)
{
    PointList linked;
    collectPointsLinkedTo(list, spline, linked);
    FigPoint* replacement = spline->predecessor(point);
    if (!replacement && point == spline->points)
        replacement = point->next;
    for (FigPoint* p : linked) {
        SmartLink* link = p->link;
        if (link->targetLeftPoint == point)
            link->targetLeftPoint = replacement;
        if (link->targetRightPoint == point)
            link->targetRightPoint = replacement;
    }
}

// Spline points with their shape factors ---------------------------------------

bool isOpenSplineKind(const FigSpline* spline)
{
    return spline->subType % 2 == 0;
}

QVector<double> shapeFactorValues(const FigSpline* spline)
{
    QVector<double> values;
    for (const ShapeFactorNode* node = spline->shapeFactors; node; node = node->next)
        values.append(node->value);
    return values;
}

void setShapeFactorValues(FigSpline* spline, const QVector<double>& values)
{
    int count = 0;
    for (const ShapeFactorNode* node = spline->shapeFactors; node; node = node->next)
        ++count;
    if (count != values.size())
        return;
    int i = 0;
    for (ShapeFactorNode* node = spline->shapeFactors; node; node = node->next)
        node->value = values[i++];
}

ShapeFactorNode* unlinkSplinePoint(FigSpline* spline, FigPoint* point)
{
    const int index = spline->indexOf(point);
    if (index < 0)
        return nullptr;
    FigPoint* previous = spline->predecessor(point);
    (previous ? previous->next : spline->points) = point->next;
    ShapeFactorNode** link = &spline->shapeFactors;
    for (int i = 0; *link && i < index; ++i)
        link = &(*link)->next;
    ShapeFactorNode* node = *link;
    if (node)
        *link = node->next;
    else
        node = new ShapeFactorNode; // a factor list shorter than the chain
    node->next = nullptr;
    return node;
}

bool relinkSplinePoint(FigSpline* spline, FigPoint* previous, FigPoint* point, ShapeFactorNode* node)
{
    int index = 0;
    if (previous) {
        const int at = spline->indexOf(previous);
        if (at < 0)
            return false;
        index = at + 1;
    }
    point->next = previous ? previous->next : spline->points;
    (previous ? previous->next : spline->points) = point;
    ShapeFactorNode** link = &spline->shapeFactors;
    for (int i = 0; *link && i < index; ++i)
        link = &(*link)->next;
    node->next = *link;
    *link = node;
    return true;
}
