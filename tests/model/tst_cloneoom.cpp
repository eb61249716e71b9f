// Copies when memory runs out. This executable replaces the global operator
// new so that a chosen allocation of the current thread fails; every
// allocation point of each copy is tried in turn.

#include "model/figarrow.h"
#include "model/picturedata.h"
#include "modelfixtures.h"
#include "render/colors.h"
#include "support/failingallocator.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"

#include <QPixmap>

#include <functional>

using namespace fixtures;
using namespace failingallocator;

namespace {

QString ptr(const void* p)
{
    return QString::number(quintptr(p), 16);
}

// Everything an object holds, pointers included, so that any change to the
// source shows.
QString describe(const FigObject* o);

QString describeList(const FigObjectList* list)
{
    QString text = QStringLiteral("[");
    for (const FigObject* o : *list)
        text += describe(o) + QLatin1Char(';');
    return text + QLatin1Char(']');
}

QString describeChain(const FigPoint* p)
{
    QString text;
    for (; p; p = p->next) {
        text += QStringLiteral("(%1 %2,%3 m%4").arg(ptr(p)).arg(p->x).arg(p->y).arg(p->markerState);
        if (const SmartLink* l = p->link)
            text += QStringLiteral(" link %1 %2 %3 %4 %5 %6 %7 %8")
                        .arg(ptr(l))
                        .arg(l->targetObjId)
                        .arg(ptr(l->sourcePoint))
                        .arg(ptr(l->targetLeftPoint))
                        .arg(ptr(l->targetRightPoint))
                        .arg(l->targetLeftPointIdx)
                        .arg(l->targetRightPointIdx)
                        .arg(l->pinned);
        text += QLatin1Char(')');
    }
    return text;
}

QString describeArrow(const FigArrow* a)
{
    if (!a)
        return QStringLiteral("-");
    return QStringLiteral("%1:%2/%3/%4/%5/%6")
        .arg(ptr(a))
        .arg(a->type)
        .arg(a->style)
        .arg(a->thickness)
        .arg(a->width)
        .arg(a->height);
}

QString describe(const FigObject* o)
{
    QString text = QStringLiteral("%1 t%2 id%3 s%4 %5 %6 %7 %8 %9 ")
                       .arg(ptr(o))
                       .arg(o->type)
                       .arg(o->id)
                       .arg(o->subType)
                       .arg(o->selected)
                       .arg(o->markerState)
                       .arg(o->penColor)
                       .arg(o->depth)
                       .arg(o->comment);
    text += describeArrow(o->forwArrow) + QLatin1Char(' ') + describeArrow(o->backArrow) + QLatin1Char(' ');
    switch (o->type) {
    case FigObject::Polyline: {
        auto* line = static_cast<const FigLine*>(o);
        text += describeChain(line->points);
        if (const PictureData* p = line->picture)
            text += QStringLiteral(" pic %1 %2 %3 %4 %5")
                        .arg(ptr(p), p->fileName, ptr(p->pixmap))
                        .arg(p->pixmapWidth)
                        .arg(p->rotation);
        break;
    }
    case FigObject::Spline: {
        auto* spline = static_cast<const FigSpline*>(o);
        text += describeChain(spline->points);
        for (const ShapeFactorNode* n = spline->shapeFactors; n; n = n->next)
            text += QStringLiteral(" sf %1 %2").arg(ptr(n)).arg(n->value);
        break;
    }
    case FigObject::Text: {
        auto* t = static_cast<const FigText*>(o);
        text += t->text;
        for (const auto& table : t->latexPixmaps) {
            for (auto it = table.cbegin(); it != table.cend(); ++it)
                text += QStringLiteral(" img %1 %2").arg(it.key()).arg(ptr(it.value()));
        }
        break;
    }
    case FigObject::Compound:
        text += describeList(static_cast<const FigCompound*>(o)->members);
        break;
    default:
        break;
    }
    return text;
}

FigArrow* arrow()
{
    auto* a = new FigArrow;
    a->width = 60;
    return a;
}

FigLine* richLine(int id)
{
    FigLine* line = makeLine(id, { { 0, 0 }, { 100, 0 }, { 100, 100 }, { 0, 100 }, { 0, 0 } }, 5);
    line->forwArrow = arrow();
    line->backArrow = arrow();
    linkPoint(line->points, 70, nullptr, 1, 2);
    linkPoint(line->pointAt(4), 71);
    line->picture = new PictureData;
    line->picture->fileName = QStringLiteral("p.png");
    line->picture->pixmap = new QPixmap(3, 3);
    line->picture->pixmapWidth = 3;
    return line;
}

FigSpline* richSpline(int id)
{
    FigSpline* spline = makeSpline(id, { { 0, 0 }, { 10, 10 }, { 20, 0 } }, 2);
    spline->forwArrow = arrow();
    linkPoint(spline->points, 72);
    return spline;
}

FigText* richText(int id)
{
    FigText* text = makeText(id, QStringLiteral("latex"));
    text->latexPixmaps[0].insert(80, new QPixmap(2, 2));
    text->latexPixmaps[2].insert(96, new QPixmap(2, 2));
    return text;
}

FigArc* richArc(int id)
{
    auto* arc = new FigArc(id);
    arc->forwArrow = arrow();
    arc->backArrow = arrow();
    return arc;
}

struct Outcome {
    int failures = 0;
    int failuresWithMessage = 0;
};

// Runs `copy` with the first, second, ... allocation failing until it
// succeeds. Every failed run must return null, show nothing but the memory
// message, leave the source as it was and, with `countLive`, leave nothing
// allocated (containers that keep their grown storage are not counted so).
Outcome failEachAllocation(
    const std::function<QString()>& describeSource, const std::function<bool()>& copy, bool countLive = true)
{
    Outcome outcome;
    const QString before = describeSource();
    for (long n = 0; n < 100000; ++n) {
        StatusRecorder recorder;
        const long live = liveAllocations;
        failAllocation(n);
        const bool made = copy();
        stopFailing();
        if (made)
            return outcome;
        ++outcome.failures;
        if (countLive && liveAllocations != live) {
            QTest::qFail(
                qPrintable(
                    QStringLiteral("allocation %1: %2 allocation(s) left behind").arg(n).arg(liveAllocations - live)),
                __FILE__, __LINE__);
            return outcome;
        }
        if (describeSource() != before) {
            QTest::qFail(qPrintable(QStringLiteral("allocation %1: the source changed").arg(n)), __FILE__, __LINE__);
            return outcome;
        }
        for (const QString& message : qAsConst(recorder.messages)) {
            if (message != QLatin1String("Running out of memory.")) {
                QTest::qFail(qPrintable(QStringLiteral("unexpected message: ") + message), __FILE__, __LINE__);
                return outcome;
            }
        }
        if (!recorder.messages.isEmpty())
            ++outcome.failuresWithMessage;
    }
    QTest::qFail("the copy never succeeded", __FILE__, __LINE__);
    return outcome;
}

} // namespace

class TestCloneOutOfMemory : public QObject {
    Q_OBJECT
private slots:
    void objectClones_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("chainMessage");
        QTest::newRow("picture polyline") << 2 << true;
        QTest::newRow("spline") << 3 << true;
        QTest::newRow("text with images") << 4 << false;
        QTest::newRow("arc") << 5 << false;
        QTest::newRow("ellipse") << 1 << false;
        QTest::newRow("nested compound") << 6 << true;
    }
    void objectClones()
    {
        QFETCH(int, kind);
        QFETCH(bool, chainMessage);
        std::unique_ptr<FigObject> source;
        switch (kind) {
        case 1:
            source.reset(new FigEllipse(1));
            break;
        case 2:
            source.reset(richLine(1));
            break;
        case 3:
            source.reset(richSpline(1));
            break;
        case 4:
            source.reset(richText(1));
            break;
        case 5:
            source.reset(richArc(1));
            break;
        default:
            source.reset(makeCompound(1, { richText(2), makeCompound(3, { richLine(4), richSpline(5) }), richArc(6) }));
            break;
        }
        const Outcome outcome = failEachAllocation([&] { return describe(source.get()); },
            [&] {
                std::unique_ptr<FigObject> copy(source->clone());
                return copy != nullptr;
            });
        QVERIFY(outcome.failures > 0);
        // The message belongs to the point chains and shape factors only.
        QCOMPARE(outcome.failuresWithMessage > 0, chainMessage);
        QVERIFY(outcome.failuresWithMessage < outcome.failures);
    }

    void listCopies()
    {
        CFigContext ctx;
        OwnedList source { richLine(10), makeCompound(11, { richSpline(12), richText(13) }), richArc(14) };
        linkPoint(static_cast<FigLine*>(source.list.front())->points, 12);
        const auto describeSource = [&] { return describeList(&source.list); };

        Outcome outcome = failEachAllocation(describeSource, [&] {
            FigObjectList* copy = cloneObjectList(&source.list);
            deleteAllObjects(copy);
            delete copy;
            return copy != nullptr;
        });
        QVERIFY(outcome.failures > 0);

        outcome = failEachAllocation(describeSource, [&] {
            FigObjectList* copy = ctx.cloneObjectListWithIds(&source.list);
            deleteAllObjects(copy);
            delete copy;
            return copy != nullptr;
        });
        QVERIFY(outcome.failures > 0);

        // The target keeps its objects when the copies cannot be made.
        OwnedList target { makeText(90) };
        const FigObject* kept = target.list.front();
        outcome = failEachAllocation(describeSource, [&] {
            replaceWithClones(&source.list, &target.list);
            return target.list.front() != kept;
        });
        QVERIFY(outcome.failures > 0);
        QCOMPARE(idsInOrder(&target.list), idsInOrder(&source.list));
    }

    void userColorWithoutMemory()
    {
        CFigContext ctx;
        ctx.addUserColor(QColor(Qt::blue));
        ctx.drawing.userColors.remove(0); // key 0 keeps its old table
        const auto state = [&] {
            return QStringLiteral("%1 %2").arg(ctx.drawing.userColors.size()).arg(ctx.drawing.userShades.size());
        };
        const Outcome outcome = failEachAllocation(
            state,
            [&] {
                const int key = ctx.addUserColor(QColor(Qt::red));
                if (key != -1 && key != 0)
                    qFatal("unexpected key %d", key);
                return key == 0;
            },
            false);
        QVERIFY(outcome.failures > 0);
        QCOMPARE(ctx.drawing.userColors.value(0), QColor(Qt::red));
        QVERIFY(ctx.drawing.userShades.value(0));
        QCOMPARE(ctx.drawing.userShades.value(0)->shade[20], 0xff0000);
    }
};

TAVREL_TEST_MAIN(TestCloneOutOfMemory)
#include "tst_cloneoom.moc"
