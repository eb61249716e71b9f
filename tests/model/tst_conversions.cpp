// Arrow records and the conversions between polylines and splines. This
// executable replaces the global operator new so that one chosen allocation
// fails; every allocation of a conversion is tried in turn.

#include "model/depths.h"
#include "model/figarrow.h"
#include "modelfixtures.h"
#include "support/failingallocator.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"
#include "toolbars/drawingattributes.h"

#include <cmath>
#include <limits>
#include <memory>

using namespace failingallocator;
using namespace fixtures;

// The value of a data column inside an expression (QFETCH declares a variable).
#define FETCHED(Type, name) (*static_cast<Type*>(QTest::qData(#name, ::qMetaTypeId<Type>())))

using PointList2 = QList<QPoint>;
using ValueList = QList<double>;

Q_DECLARE_METATYPE(PointList2)
Q_DECLARE_METATYPE(ValueList)

namespace {

PointList2 chainOf(const FigPath* path)
{
    PointList2 out;
    for (const FigPoint* p = path->points; p; p = p->next)
        out << QPoint(p->x, p->y);
    return out;
}

ValueList factorsOf(const FigSpline* spline)
{
    ValueList out;
    for (const ShapeFactorNode* n = spline->shapeFactors; n; n = n->next)
        out << n->value;
    return out;
}

FigArrow* makeArrow(int type, float width)
{
    auto* arrow = new FigArrow;
    arrow->type = type;
    arrow->style = 1;
    arrow->thickness = 2.0f;
    arrow->width = width;
    arrow->height = width * 2;
    return arrow;
}

void setAttributes(FigObject* o)
{
    o->lineStyle = 2;
    o->lineWidth = 3;
    o->penColor = 33;
    o->fillColor = 5;
    o->fillStyle = 20;
    o->depth = 42;
    o->penStyle = 7;
    o->styleVal = 4.5f;
    o->comment = QStringLiteral("a comment");
    o->forwArrow = makeArrow(2, 90.0f);
    o->backArrow = makeArrow(3, 45.0f);
}

void compareAttributes(const FigObject* copy, const FigObject* source)
{
    QCOMPARE(copy->id, source->id);
    QCOMPARE(copy->lineStyle, source->lineStyle);
    QCOMPARE(copy->lineWidth, source->lineWidth);
    QCOMPARE(copy->penColor, source->penColor);
    QCOMPARE(copy->fillColor, source->fillColor);
    QCOMPARE(copy->fillStyle, source->fillStyle);
    QCOMPARE(copy->depth, source->depth);
    QCOMPARE(copy->penStyle, source->penStyle);
    QCOMPARE(copy->styleVal, source->styleVal);
    QVERIFY(copy->comment.isEmpty());
    // Arrows are copies of their own.
    QVERIFY(copy->forwArrow && copy->forwArrow != source->forwArrow);
    QVERIFY(copy->backArrow && copy->backArrow != source->backArrow);
    QCOMPARE(copy->forwArrow->type, 2);
    QCOMPARE(copy->forwArrow->width, 90.0f);
    QCOMPARE(copy->backArrow->type, 3);
    QCOMPARE(copy->backArrow->height, 90.0f);
}

// Everything of a path a failed conversion could disturb.
QString describe(const FigPath* path)
{
    QString text;
    for (const FigPoint* p = path->points; p; p = p->next) {
        text += QStringLiteral("(%1,%2").arg(p->x).arg(p->y);
        if (p->link)
            text += QStringLiteral(" %1 %2").arg(quintptr(p->link)).arg(p->link->targetObjId);
        text += QLatin1Char(')');
    }
    return text;
}

struct Outcome {
    int failures = 0;
    bool leaked = false;
    bool succeededDespiteFailure = false;
};

// Runs `run` once for every allocation it makes, failing that one
// allocation, then once without failure. `run` deletes what it made and
// tells whether it produced a result.
template <typename Run> Outcome failEachAllocation(Run run)
{
    Outcome outcome;
    for (long n = 0;; ++n) {
        const long live = liveAllocations;
        failAllocation(n);
        const bool made = run();
        stopFailing();
        if (liveAllocations != live)
            outcome.leaked = true;
        if (!allocationFailed)
            return outcome;
        ++outcome.failures;
        if (made)
            outcome.succeededDespiteFailure = true;
    }
}

} // namespace

class TestConversions : public QObject {
    Q_OBJECT

    DrawingAttributes savedAttrs;

private slots:
    void init() { savedAttrs = currentAttrs; }
    void cleanup() { currentAttrs = savedAttrs; }

    // ---- Arrow records ----

    void createArrow_data()
    {
        QTest::addColumn<float>("dpi");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("style");
        QTest::addColumn<float>("thickness");
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("height");
        QTest::addColumn<int>("newType");
        QTest::addColumn<int>("newStyle");
        QTest::addColumn<float>("newThickness");
        QTest::addColumn<float>("newWidth");
        QTest::addColumn<float>("newHeight");

        // The current arrow attributes are 2.5, 77 and 155 in this test.
        const float nan = std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("in range") << 80.0f << 3 << 1 << 2.0f << 90.0f << 180.0f << 3 << 1 << 2.0f << 90.0f << 180.0f;
        QTest::newRow("type 20") << 80.0f << 20 << 1 << 2.0f << 90.0f << 180.0f << 0 << 0 << 2.0f << 90.0f << 180.0f;
        QTest::newRow("type 16") << 80.0f << 16 << 0 << 2.0f << 90.0f << 180.0f << 0 << 0 << 2.0f << 90.0f << 180.0f;
        QTest::newRow("type 15") << 80.0f << 15 << 1 << 2.0f << 90.0f << 180.0f << 15 << 1 << 2.0f << 90.0f << 180.0f;
        QTest::newRow("style 2") << 80.0f << 3 << 2 << 2.0f << 90.0f << 180.0f << 3 << 0 << 2.0f << 90.0f << 180.0f;
        QTest::newRow("negative type and style")
            << 80.0f << -2 << -1 << 2.0f << 90.0f << 180.0f << -2 << -1 << 2.0f << 90.0f << 180.0f;
        QTest::newRow("thickness 0") << 80.0f << 1 << 0 << 0.0f << 90.0f << 180.0f << 1 << 0 << 2.5f << 90.0f << 180.0f;
        QTest::newRow("negative thickness")
            << 80.0f << 1 << 0 << -1.0f << 90.0f << 180.0f << 1 << 0 << 2.5f << 90.0f << 180.0f;
        QTest::newRow("thickness at the bound")
            << 80.0f << 1 << 0 << 800.0f << 90.0f << 180.0f << 1 << 0 << 800.0f << 90.0f << 180.0f;
        QTest::newRow("thickness past the bound")
            << 80.0f << 1 << 0 << 800.5f << 90.0f << 180.0f << 1 << 0 << 2.5f << 90.0f << 180.0f;
        QTest::newRow("thickness bound follows dpi")
            << 100.0f << 1 << 0 << 900.0f << 90.0f << 180.0f << 1 << 0 << 900.0f << 90.0f << 180.0f;
        QTest::newRow("thickness NaN") << 80.0f << 1 << 0 << nan << 90.0f << 180.0f << 1 << 0 << 2.5f << 90.0f
                                       << 180.0f;
        QTest::newRow("width 0") << 80.0f << 1 << 0 << 2.0f << 0.0f << 180.0f << 1 << 0 << 2.0f << 77.0f << 180.0f;
        QTest::newRow("negative width") << 80.0f << 1 << 0 << 2.0f << -5.0f << 180.0f << 1 << 0 << 2.0f << 77.0f
                                        << 180.0f;
        QTest::newRow("huge width") << 80.0f << 1 << 0 << 2.0f << 1e6f << 180.0f << 1 << 0 << 2.0f << 1e6f << 180.0f;
        QTest::newRow("height 0") << 80.0f << 1 << 0 << 2.0f << 90.0f << 0.0f << 1 << 0 << 2.0f << 90.0f << 0.0f;
        QTest::newRow("negative height") << 80.0f << 1 << 0 << 2.0f << 90.0f << -1.0f << 1 << 0 << 2.0f << 90.0f
                                         << 155.0f;
        QTest::newRow("height at the bound")
            << 80.0f << 1 << 0 << 2.0f << 90.0f << 4000.0f << 1 << 0 << 2.0f << 90.0f << 4000.0f;
        QTest::newRow("height past the bound")
            << 80.0f << 1 << 0 << 2.0f << 90.0f << 4001.0f << 1 << 0 << 2.0f << 90.0f << 155.0f;
    }

    void createArrow()
    {
        currentAttrs.arrowThickness = 2.5f;
        currentAttrs.arrowWidth = 77.0f;
        currentAttrs.arrowHeight = 155.0f;
        CFigContext ctx;
        ctx.dpiX = FETCHED(float, dpi);
        std::unique_ptr<FigArrow> arrow(ctx.createArrow(FETCHED(int, type), FETCHED(int, style),
            FETCHED(float, thickness), FETCHED(float, width), FETCHED(float, height)));
        QVERIFY(arrow);
        QCOMPARE(arrow->type, FETCHED(int, newType));
        QCOMPARE(arrow->style, FETCHED(int, newStyle));
        QCOMPARE(arrow->thickness, FETCHED(float, newThickness));
        QCOMPARE(arrow->width, FETCHED(float, newWidth));
        QCOMPARE(arrow->height, FETCHED(float, newHeight));
    }

    // ---- Polyline to spline ----

    void lineToSpline_data()
    {
        QTest::addColumn<int>("subType");
        QTest::addColumn<int>("formerSubType");
        QTest::addColumn<int>("splineSubType");
        QTest::addColumn<PointList2>("chain");
        QTest::addColumn<ValueList>("factors");

        // The polyline is a b c, the polygon a b c a.
        const QPoint a(0, 0), b(100, 0), c(100, 100);
        QTest::newRow("polyline") << 1 << -1 << 2 << PointList2 { a, b, c } << ValueList { 0, -1, 0 };
        QTest::newRow("polygon") << 3 << -1 << 3 << PointList2 { b, c, a } << ValueList { -1, -1, -1 };
        QTest::newRow("polyline once approximated") << 1 << 0 << 0 << PointList2 { a, b, c } << ValueList { 0, 1, 0 };
        QTest::newRow("polyline once an X-spline") << 1 << 4 << 4 << PointList2 { a, b, c } << ValueList { 0, -1, 0 };
        QTest::newRow("polygon once closed approximated")
            << 3 << 1 << 1 << PointList2 { b, c, a } << ValueList { 1, 1, 1 };
        QTest::newRow("polygon once a closed X-spline")
            << 3 << 5 << 5 << PointList2 { b, c, a } << ValueList { -1, -1, -1 };
    }

    void lineToSpline()
    {
        QFETCH(int, subType);
        CFigContext ctx;
        std::unique_ptr<FigLine> line(subType == 3 ? makeLine(7, { { 0, 0 }, { 100, 0 }, { 100, 100 }, { 0, 0 } }, 3)
                                                   : makeLine(7, { { 0, 0 }, { 100, 0 }, { 100, 100 } }, 1));
        line->formerSubType = FETCHED(int, formerSubType);
        std::unique_ptr<FigSpline> spline(ctx.convertLineToSpline(line.get()));
        QVERIFY(spline);
        QCOMPARE(spline->type, int(FigObject::Spline));
        QCOMPARE(spline->id, 7);
        QCOMPARE(spline->subType, FETCHED(int, splineSubType));
        QCOMPARE(chainOf(spline.get()), FETCHED(PointList2, chain));
        QCOMPARE(factorsOf(spline.get()), FETCHED(ValueList, factors));
    }

    void lineToSplineCarriesAttributesAndLinks()
    {
        CFigContext ctx;
        std::unique_ptr<FigLine> line(makeLine(7, { { 0, 0 }, { 100, 0 }, { 100, 100 }, { 200, 50 } }, 1));
        setAttributes(line.get());
        line->capStyle = 2;
        line->joinStyle = 1;
        line->selected = true;
        SmartLink* link = linkPoint(lastPoint(line->points), 12, nullptr, 3, 4);
        const QString before = describe(line.get());

        std::unique_ptr<FigSpline> spline(ctx.convertLineToSpline(line.get()));
        QVERIFY(spline);
        compareAttributes(spline.get(), line.get());
        QCOMPARE(spline->capStyle, 2);
        QCOMPARE(spline->formerSubType, -1);
        QVERIFY(!spline->selected);
        QVERIFY(!spline->points->link);
        const SmartLink* copy = lastPoint(spline->points)->link;
        QVERIFY(copy && copy != link);
        QCOMPARE(copy->targetObjId, 12);
        QCOMPARE(copy->sourcePoint, lastPoint(spline->points));
        QCOMPARE(copy->targetLeftPointIdx, 3);
        QCOMPARE(describe(line.get()), before);
    }

    void lineToSplineNeedsThreePoints_data()
    {
        QTest::addColumn<int>("points");
        QTest::newRow("none") << 0;
        QTest::newRow("one") << 1;
        QTest::newRow("two") << 2;
    }

    void lineToSplineNeedsThreePoints()
    {
        CFigContext ctx;
        std::unique_ptr<FigLine> line(makeLine(1, { { 0, 0 }, { 100, 0 } }));
        if (FETCHED(int, points) < 2) {
            freePointList(line->points->next);
            line->points->next = nullptr;
        }
        if (FETCHED(int, points) == 0) {
            freePointList(line->points);
            line->points = nullptr;
        }
        StatusRecorder status;
        QVERIFY(!ctx.convertLineToSpline(line.get()));
        QCOMPARE(status.messages, QStringList { "Not enough points for a spline!" });
        QVERIFY(!ctx.convertLineToSpline(nullptr));
    }

    // ---- Spline to polyline ----

    void splineToLine_data()
    {
        QTest::addColumn<int>("subType");
        QTest::addColumn<int>("lineSubType");
        QTest::addColumn<PointList2>("chain");

        // The spline is b c a.
        const QPoint a(0, 0), b(100, 0), c(100, 100);
        QTest::newRow("open approximated") << 0 << 1 << PointList2 { b, c, a };
        QTest::newRow("closed approximated") << 1 << 3 << PointList2 { a, b, c, a };
        QTest::newRow("open interpolated") << 2 << 1 << PointList2 { b, c, a };
        QTest::newRow("closed interpolated") << 3 << 3 << PointList2 { a, b, c, a };
        QTest::newRow("open X-spline") << 4 << 1 << PointList2 { b, c, a };
        QTest::newRow("closed X-spline") << 5 << 3 << PointList2 { a, b, c, a };
    }

    void splineToLine()
    {
        QFETCH(int, subType);
        CFigContext ctx;
        std::unique_ptr<FigSpline> spline(makeSpline(9, { { 100, 0 }, { 100, 100 }, { 0, 0 } }, subType));
        std::unique_ptr<FigLine> line(ctx.convertSplineToLine(spline.get()));
        QVERIFY(line);
        QCOMPARE(line->type, int(FigObject::Polyline));
        QCOMPARE(line->id, 9);
        QCOMPARE(line->subType, FETCHED(int, lineSubType));
        QCOMPARE(line->formerSubType, subType);
        QCOMPARE(line->radius, 7);
        QCOMPARE(chainOf(line.get()), FETCHED(PointList2, chain));
    }

    void splineToLineCarriesAttributesAndLinks()
    {
        currentAttrs.joinStyle = 2;
        CFigContext ctx;
        std::unique_ptr<FigSpline> spline(makeSpline(9, { { 100, 0 }, { 100, 100 }, { 0, 0 } }, 3));
        setAttributes(spline.get());
        spline->capStyle = 1;
        linkPoint(lastPoint(spline->points), 12);
        linkPoint(spline->points, 13);
        const QString before = describe(spline.get());

        std::unique_ptr<FigLine> line(ctx.convertSplineToLine(spline.get()));
        QVERIFY(line);
        compareAttributes(line.get(), spline.get());
        QCOMPARE(line->capStyle, 1);
        QCOMPARE(line->joinStyle, 2);
        // The added first point (at the spline's last) is not linked; the
        // copied chain keeps its links.
        QVERIFY(!line->points->link);
        QCOMPARE(line->pointAt(1)->link->targetObjId, 13);
        QCOMPARE(line->pointAt(1)->link->sourcePoint, line->pointAt(1));
        QVERIFY(!line->pointAt(2)->link);
        QCOMPARE(lastPoint(line->points)->link->targetObjId, 12);
        QVERIFY(lastPoint(line->points)->link != lastPoint(spline->points)->link);
        QCOMPARE(describe(spline.get()), before);
        QVERIFY(!ctx.convertSplineToLine(nullptr));
    }

    void roundTrips()
    {
        CFigContext ctx;
        // Polygon a b c a -> closed interpolated spline b c a -> polygon a b c a
        // that remembers sub-type 3 -> closed interpolated spline again.
        std::unique_ptr<FigLine> polygon(makeLine(1, { { 0, 0 }, { 100, 0 }, { 100, 100 }, { 0, 0 } }, 3));
        std::unique_ptr<FigSpline> spline(ctx.convertLineToSpline(polygon.get()));
        QVERIFY(spline);
        std::unique_ptr<FigLine> back(ctx.convertSplineToLine(spline.get()));
        QVERIFY(back);
        QCOMPARE(back->subType, 3);
        QCOMPARE(back->formerSubType, 3);
        QCOMPARE(chainOf(back.get()), chainOf(polygon.get()));
        std::unique_ptr<FigSpline> again(ctx.convertLineToSpline(back.get()));
        QVERIFY(again);
        QCOMPARE(again->subType, 3);
        QCOMPARE(chainOf(again.get()), chainOf(spline.get()));

        // An open X-spline comes back as an X-spline, with default factors.
        std::unique_ptr<FigSpline> xspline(makeSpline(2, { { 0, 0 }, { 50, 50 }, { 100, 0 }, { 150, 50 } }, 4));
        std::unique_ptr<FigLine> line(ctx.convertSplineToLine(xspline.get()));
        QVERIFY(line);
        QCOMPARE(line->subType, 1);
        std::unique_ptr<FigSpline> xagain(ctx.convertLineToSpline(line.get()));
        QVERIFY(xagain);
        QCOMPARE(xagain->subType, 4);
        QCOMPARE(chainOf(xagain.get()), chainOf(xspline.get()));
        QCOMPARE(factorsOf(xagain.get()), (ValueList { 0, -1, -1, 0 }));
    }

    // ---- Running out of memory ----

    void conversionsWithoutMemory()
    {
        CFigContext ctx;
        std::unique_ptr<FigLine> line(makeLine(7, { { 0, 0 }, { 100, 0 }, { 100, 100 }, { 0, 0 } }, 3));
        setAttributes(line.get());
        linkPoint(line->pointAt(1), 12);
        std::unique_ptr<FigSpline> spline(makeSpline(9, { { 100, 0 }, { 100, 100 }, { 0, 0 } }, 3));
        setAttributes(spline.get());
        linkPoint(spline->points, 12);
        const QString lineBefore = describe(line.get());
        const QString splineBefore = describe(spline.get());

        Outcome outcome = failEachAllocation([&] {
            FigSpline* made = ctx.convertLineToSpline(line.get());
            delete made;
            return made != nullptr;
        });
        QVERIFY(outcome.failures >= 6); // spline, two arrows, three points, a link, three factors
        QVERIFY(!outcome.leaked);
        QVERIFY(!outcome.succeededDespiteFailure);
        QCOMPARE(describe(line.get()), lineBefore);

        outcome = failEachAllocation([&] {
            FigLine* made = ctx.convertSplineToLine(spline.get());
            delete made;
            return made != nullptr;
        });
        QVERIFY(outcome.failures >= 6);
        QVERIFY(!outcome.leaked);
        QVERIFY(!outcome.succeededDespiteFailure);
        QCOMPARE(describe(spline.get()), splineBefore);

        outcome = failEachAllocation([&] {
            FigArrow* made = ctx.createArrow(1, 1, 1, 1, 1);
            delete made;
            return made != nullptr;
        });
        QCOMPARE(outcome.failures, 1);
        QVERIFY(!outcome.leaked);
        QVERIFY(!outcome.succeededDespiteFailure);
    }

    void splinePointsWithoutMemory()
    {
        std::unique_ptr<FigSpline> spline(makeSpline(1, { { 0, 0 }, { 10, 0 }, { 20, 0 } }, 2));
        QCOMPARE(spline->initShapeFactors(), 1);
        const ValueList factors = factorsOf(spline.get());
        auto* point = new FigPoint(5, 5);
        failAllocation(0);
        const bool inserted = spline->insertPoint(spline->points, point, spline->pointAt(1));
        stopFailing();
        QVERIFY(!inserted);
        QCOMPARE(spline->pointCount(), 3);
        QCOMPARE(factorsOf(spline.get()), factors);
        delete point;

        // The defaults cannot all be made: 0, and the partial list belongs to
        // the spline (freed with it).
        failAllocation(2);
        const int made = spline->initShapeFactors();
        stopFailing();
        QCOMPARE(made, 0);
        QCOMPARE(factorsOf(spline.get()), (ValueList { 0, -1 }));
    }
};

TAVREL_TEST_MAIN(TestConversions)
#include "tst_conversions.moc"
