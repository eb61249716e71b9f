#pragma once
// The check shared by the tests of the kept boxes of a drawing's top-level
// objects: after whatever changed the drawing, the kept boxes, places,
// linking objects and the drawing's box equal a measurement of the drawing
// as it is.

#include "model/boundscache.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figpoint.h"
#include "model/figspline.h"

#include <QString>
#include <QtTest>

#include <algorithm>
#include <iterator>

namespace keptboxes {

// Whether the object is, or holds, a line or spline with a linked point.
inline bool holdsLink(const FigObject* object)
{
    if (object->type == FigObject::Compound) {
        for (const FigObject* member : *static_cast<const FigCompound*>(object)->members) {
            if (holdsLink(member))
                return true;
        }
        return false;
    }
    const FigPoint* points = object->type == FigObject::Polyline ? static_cast<const FigLine*>(object)->points
        : object->type == FigObject::Spline                      ? static_cast<const FigSpline*>(object)->points
                                                                 : nullptr;
    for (const FigPoint* p = points; p; p = p->next) {
        if (p->link)
            return true;
    }
    return false;
}

// What the kept boxes say against a measurement of the drawing as it is.
inline void expectKeptEqualsMeasured(CFigContext& context, const char* when)
{
    BoundsCache& cache = context.boundsCache;
    cache.refresh(context);
    QVERIFY2(cache.fresh(context), when);
    FigObjectList& list = context.drawing.objects;
    QCOMPARE(cache.entries().size(), list.size());
    FigObjectList linking;
    auto it = list.begin();
    for (const BoundsCache::Entry& entry : cache.entries()) {
        QCOMPARE(entry.object, *it);
        QVERIFY(entry.at == it);
        QCOMPARE(cache.indexOf(*it), int(&entry - cache.entries().data()));
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        (*it)->getBounds(&context, x0, y0, x1, y1, true, true);
        QVERIFY2(entry.xmin == x0 && entry.ymin == y0 && entry.xmax == x1 && entry.ymax == y1,
            qPrintable(QStringLiteral("%1: object %2 kept %3 %4 %5 %6, measured %7 %8 %9 %10")
                           .arg(QLatin1String(when))
                           .arg((*it)->id)
                           .arg(entry.xmin)
                           .arg(entry.ymin)
                           .arg(entry.xmax)
                           .arg(entry.ymax)
                           .arg(x0)
                           .arg(y0)
                           .arg(x1)
                           .arg(y1)));
        if (holdsLink(*it))
            linking.push_back(*it);
        ++it;
    }
    QVERIFY2(cache.linkingObjects() == linking, when);
    int m[4] = {};
    context.getObjectListBounds(&list, m[0], m[1], m[2], m[3], false, true, true);
    int k[4] = {};
    cache.drawingBounds(context, k[0], k[1], k[2], k[3]);
    QVERIFY2(std::equal(std::begin(m), std::end(m), std::begin(k)), when);
    context.getDrawingBounds(k[0], k[1], k[2], k[3]);
    QVERIFY2(std::equal(std::begin(m), std::end(m), std::begin(k)), when);
}

} // namespace keptboxes
