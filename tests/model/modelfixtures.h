#pragma once
// Small builders for the model tests: objects, chains, links and compounds
// made in a line, and a list that deletes its objects when it goes.

#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/figpoint.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/objectlist.h"

#include <QList>
#include <QPoint>
#include <QString>

#include <initializer_list>

namespace fixtures {

inline FigPoint* makeChain(std::initializer_list<QPoint> points)
{
    FigPoint* head = nullptr;
    FigPoint* tail = nullptr;
    for (const QPoint& p : points) {
        auto* point = new FigPoint(p.x(), p.y());
        (tail ? tail->next : head) = point;
        tail = point;
    }
    return head;
}

inline FigLine* makeLine(int id, std::initializer_list<QPoint> points, int subType = 1)
{
    auto* line = new FigLine(id);
    line->subType = subType;
    line->points = makeChain(points);
    return line;
}

inline FigSpline* makeSpline(int id, std::initializer_list<QPoint> points, int subType = 0)
{
    auto* spline = new FigSpline(id);
    spline->subType = subType;
    spline->points = makeChain(points);
    ShapeFactorNode** tail = &spline->shapeFactors;
    double value = -1.0;
    for (FigPoint* p = spline->points; p; p = p->next) {
        *tail = new ShapeFactorNode;
        (*tail)->value = value;
        value += 0.5;
        tail = &(*tail)->next;
    }
    return spline;
}

inline FigText* makeText(int id, const QString& text = QStringLiteral("text"))
{
    auto* t = new FigText(id);
    t->text = text;
    return t;
}

// A 12-point text at (x, y).
inline FigText* makePlacedText(int id, int x, int y, const QString& string = QStringLiteral("label"))
{
    FigText* t = makeText(id, string);
    t->x = x;
    t->y = y;
    t->fontSize = 12;
    t->fontFlags = 4;
    return t;
}

// An arrow record of the type, 60 wide and 120 long.
inline FigArrow* makeArrow(int type)
{
    auto* a = new FigArrow;
    a->type = type;
    a->thickness = 1.0f;
    a->width = 60.0f;
    a->height = 120.0f;
    return a;
}

// Corners as the compound bookkeeping computes them.
inline void fitCorners(CFigContext& context, FigCompound* compound)
{
    int xmin, ymin, xmax, ymax;
    compound->getBounds(&context, xmin, ymin, xmax, ymax, true, true);
    compound->upperLeft.x = xmin;
    compound->upperLeft.y = ymin;
    compound->lowerRight.x = xmax;
    compound->lowerRight.y = ymax;
}

// As after reading a file: texts measured, compound corners fitted to their
// members, so that recomputing them later changes nothing.
inline void settle(CFigContext& context, FigObject* object)
{
    if (object->type == FigObject::Text) {
        context.computeTextMetrics(static_cast<FigText*>(object), context.zoom);
    } else if (object->type == FigObject::Compound) {
        auto* compound = static_cast<FigCompound*>(object);
        for (FigObject* member : *compound->members)
            settle(context, member);
        fitCorners(context, compound);
    }
}

// An ellipse with every point given.
inline FigEllipse* makeEllipse(
    int id, int subType, QPoint center, QPoint radii, QPoint start, QPoint end, float angle = 0.0f)
{
    auto* e = new FigEllipse(id);
    e->subType = subType;
    e->angle = angle;
    e->center.x = center.x();
    e->center.y = center.y();
    e->radii.x = radii.x();
    e->radii.y = radii.y();
    e->start.x = start.x();
    e->start.y = start.y();
    e->end.x = end.x();
    e->end.y = end.y();
    return e;
}

// An ellipse as drawing one makes it: by radius (kinds 1 and 3) from the
// centre to the corner of its box, by diameter (2 and 4) corner to corner.
inline FigEllipse* makeEllipse(int id, QPoint center, QPoint radii, int subType = 1, float angle = 0.0f)
{
    const bool byDiameter = subType == 2 || subType == 4;
    return makeEllipse(id, subType, center, radii, byDiameter ? center - radii : center, center + radii, angle);
}

// An arc through three points, with its centre and direction.
inline FigArc* makeArc(
    int id, QPoint p1, QPoint p2, QPoint p3, float centerX = 0.0f, float centerY = 0.0f, int direction = 0)
{
    auto* arc = new FigArc(id);
    const QPoint points[3] = { p1, p2, p3 };
    for (int i = 0; i < 3; ++i) {
        arc->points[i].x = points[i].x();
        arc->points[i].y = points[i].y();
    }
    arc->centerX = centerX;
    arc->centerY = centerY;
    arc->direction = direction;
    return arc;
}

// A closed rectangle from (x0, y0) to (x1, y1) of the polyline kind
// (2 box, 3 polygon, 4 arc-box with a radius of 6, 5 picture).
inline FigLine* makeBox(int id, int x0, int y0, int x1, int y1, int subType = 2)
{
    FigLine* box = makeLine(id, { { x0, y0 }, { x1, y0 }, { x1, y1 }, { x0, y1 }, { x0, y0 } }, subType);
    if (subType == 4)
        box->radius = 6;
    return box;
}

inline FigCompound* makeCompound(int id, std::initializer_list<FigObject*> members)
{
    auto* compound = new FigCompound(id);
    for (FigObject* member : members)
        compound->members->push_back(member);
    return compound;
}

// Attaches `point` to the object `targetId`; the target points are those at
// the given indices of `target` (a polyline) when it is given.
inline SmartLink* linkPoint(
    FigPoint* point, int targetId, const FigPath* target = nullptr, int leftIdx = -1, int rightIdx = -1)
{
    auto* link = new SmartLink;
    link->targetObjId = targetId;
    link->sourcePoint = point;
    link->targetLeftPointIdx = leftIdx;
    link->targetRightPointIdx = rightIdx;
    if (target) {
        link->targetLeftPoint = target->pointAt(leftIdx);
        link->targetRightPoint = target->pointAt(rightIdx);
    }
    delete point->link;
    point->link = link;
    return link;
}

// Identifiers depth first, a compound before its members.
inline QList<int> idsInOrder(const FigObjectList* list)
{
    QList<int> ids;
    if (!list)
        return ids;
    for (const FigObject* object : *list) {
        ids << object->id;
        if (object->type == FigObject::Compound)
            ids << idsInOrder(static_cast<const FigCompound*>(object)->members);
    }
    return ids;
}

// A list that owns its objects, as the drawing's list does.
struct OwnedList {
    OwnedList() = default;
    OwnedList(std::initializer_list<FigObject*> objects)
        : list(objects)
    {
    }
    ~OwnedList() { deleteAllObjects(&list); }
    OwnedList(const OwnedList&) = delete;
    OwnedList& operator=(const OwnedList&) = delete;
    FigObjectList list;
};

// An object of no Fig kind with a box given by the test.
class BoxObject : public FigObject {
public:
    BoxObject(int objectId, int x0, int y0, int x1, int y1)
        : box { x0, y0, x1, y1 }
    {
        type = 99;
        id = objectId;
    }
    void getBounds(CFigContext*, int& xmin, int& ymin, int& xmax, int& ymax, bool, bool) override
    {
        xmin = box[0];
        ymin = box[1];
        xmax = box[2];
        ymax = box[3];
    }
    int box[4];
};

// A compound whose box is the union of its members' boxes; it records the
// flags it was last asked with.
class BoundedCompound : public FigCompound {
public:
    explicit BoundedCompound(int objectId, std::initializer_list<FigObject*> objects = {})
        : FigCompound(objectId)
    {
        for (FigObject* member : objects)
            members->push_back(member);
    }
    void getBounds(CFigContext* context, int& xmin, int& ymin, int& xmax, int& ymax, bool withTextDescent,
        bool withLineWidth) override
    {
        ++boundsCalls;
        lastFlags = { withTextDescent, withLineWidth };
        context->getObjectListBounds(members, xmin, ymin, xmax, ymax, false, withTextDescent, withLineWidth);
    }
    int boundsCalls = 0;
    std::pair<bool, bool> lastFlags { false, false };
};

} // namespace fixtures
