#include "model/geometrysnapshot.h"

#include "model/figarc.h"
#include "model/figcompound.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/picturedata.h"

namespace {

// One walk serves both directions, so that reading and writing can never
// disagree on the order of the values.
class Reader {
public:
    Reader(QVector<int>& i, QVector<float>& f)
        : ints(i)
        , floats(f)
    {
    }
    void value(int& v) { ints.append(v); }
    void value(float& v) { floats.append(v); }
    bool chainLength(int length)
    {
        ints.append(length);
        return true;
    }
    QVector<int>& ints;
    QVector<float>& floats;
};

class Writer {
public:
    Writer(const QVector<int>& i, const QVector<float>& f, int firstInt, int firstFloat)
        : ints(i)
        , floats(f)
        , nextInt(firstInt)
        , nextFloat(firstFloat)
    {
    }
    void value(int& v)
    {
        if (!broken)
            v = ints.value(nextInt++);
    }
    void value(float& v)
    {
        if (!broken)
            v = floats.value(nextFloat++);
    }
    // False when a chain or member list changed its length since the
    // capture: the rest of this object is then left as it is.
    bool chainLength(int length)
    {
        if (!broken && ints.value(nextInt++) != length)
            broken = true;
        return !broken;
    }
    const QVector<int>& ints;
    const QVector<float>& floats;
    int nextInt;
    int nextFloat;
    bool broken = false;
};

template <typename Walk> void walkPoint(FigPoint& p, Walk& walk)
{
    walk.value(p.x);
    walk.value(p.y);
}

template <typename Walk> void walkChain(FigPoint* chain, Walk& walk)
{
    int length = 0;
    for (const FigPoint* p = chain; p; p = p->next)
        ++length;
    if (!walk.chainLength(length))
        return;
    for (FigPoint* p = chain; p; p = p->next)
        walkPoint(*p, walk);
}

template <typename Walk> void walkObject(FigObject* object, Walk& walk)
{
    switch (object->type) {
    case FigObject::Ellipse: {
        auto* e = static_cast<FigEllipse*>(object);
        walkPoint(e->center, walk);
        walkPoint(e->radii, walk);
        walkPoint(e->start, walk);
        walkPoint(e->end, walk);
        walk.value(e->subType);
        walk.value(e->angle);
        walk.value(e->direction);
        break;
    }
    case FigObject::Polyline: {
        auto* line = static_cast<FigLine*>(object);
        walkChain(line->points, walk);
        // The sub-type and the corner radius too: a turn makes a box a
        // polygon, scaling changes an arc-box's radius.
        walk.value(line->subType);
        walk.value(line->radius);
        if (line->picture)
            walk.value(line->picture->flipped);
        break;
    }
    case FigObject::Spline:
        walkChain(static_cast<FigSpline*>(object)->points, walk);
        break;
    case FigObject::Text: {
        auto* text = static_cast<FigText*>(object);
        walk.value(text->x);
        walk.value(text->y);
        walk.value(text->fontSize);
        walk.value(text->angle);
        walk.value(text->length);
        walk.value(text->ascent);
        walk.value(text->descent);
        walk.value(text->width);
        walk.value(text->pixelHeight);
        walk.value(text->metricsZoom);
        break;
    }
    case FigObject::Arc: {
        auto* arc = static_cast<FigArc*>(object);
        for (FigPoint& p : arc->points)
            walkPoint(p, walk);
        walk.value(arc->centerX);
        walk.value(arc->centerY);
        walk.value(arc->direction);
        break;
    }
    case FigObject::Compound: {
        auto* compound = static_cast<FigCompound*>(object);
        walkPoint(compound->upperLeft, walk);
        walkPoint(compound->lowerRight, walk);
        if (!walk.chainLength(static_cast<int>(compound->members->size())))
            break;
        for (FigObject* member : *compound->members)
            walkObject(member, walk);
        break;
    }
    default:
        break;
    }
}

} // namespace

void GeometrySnapshot::capture(FigObject* object)
{
    if (!object)
        return;
    objects.append({ object, ints.size(), floats.size() });
    Reader reader(ints, floats);
    walkObject(object, reader);
}

void GeometrySnapshot::captureList(const FigObjectList* list)
{
    if (!list)
        return;
    for (FigObject* object : *list)
        capture(object);
}

void GeometrySnapshot::restore() const
{
    for (const Entry& entry : objects) {
        Writer writer(ints, floats, entry.firstInt, entry.firstFloat);
        walkObject(entry.object, writer);
    }
}

void GeometrySnapshot::clear()
{
    objects.clear();
    ints.clear();
    floats.clear();
}
