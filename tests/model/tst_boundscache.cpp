// The kept boxes of the top-level objects (and the drawing's box the scroll
// range takes) stay equal to a measurement through every kind of change:
// reading, each edit operation with its undo and redo, a zoom and a change
// of resolution.
#include "figfiletest.h"
#include "model/figcompound.h"
#include "model/figline.h"
#include "model/figpoint.h"
#include "model/figspline.h"
#include "support/keptboxes.h"
#include "support/testenv.h"

#include <QtTest>

#include <functional>

using figtest::Document;
using figtest::ownHeader;
using keptboxes::expectKeptEqualsMeasured;

namespace {

using Change = std::function<void(CFigContext&)>;

// A box with a line linked to it, a spline, a turned text, an ellipse, an
// arc with an arrowhead and a compound holding a text and a box.
const QByteArray objects
    = "# METADATA <id>1</id>\n2 2 0 2 1 3 50 -1 20 0.000 0 0 -1 0 0 5\n"
      "\t 600 600 1800 600 1800 1500 600 1500 600 600\n"
      "# METADATA <id>2</id>\n# METADATA <link srcPointIdx=1 targetObjId=1 targetLeftPointIdx=1/>\n"
      "2 1 0 1 0 7 40 -1 -1 0.000 0 0 -1 0 0 2\n\t 3600 300 1800 900\n"
      "# METADATA <id>3</id>\n3 2 0 3 0 7 50 -1 -1 0.000 0 0 0 4\n"
      "\t 2400 2400 3000 1800 3600 2700 4200 2100\n\t 0.000 1.000 1.000 0.000\n"
      "# METADATA <id>4</id>\n4 0 0 30 -1 0 18 0.5236 4 270 2400 3000 4500 Kept box\\001\n"
      "# METADATA <id>5</id>\n1 1 0 2 1 2 60 -1 20 0.000 1 0.3000 5400 3000 900 450 5400 3000 6300 3450\n"
      "# METADATA <id>6</id>\n5 1 0 2 2 7 45 -1 -1 0.000 0 1 1 0 3600.000 6600.000 2400 6600 "
      "3600 5400 4800 6600\n\t 1 1 1.00 60.00 120.00\n"
      "# METADATA <id>7</id>\n6 6000 6000 9000 7500\n"
      "# METADATA <id>8</id>\n4 0 0 50 -1 0 12 0.0000 4 135 900 6000 6300 Member\\001\n"
      "# METADATA <id>9</id>\n2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
      "\t 7500 6600 9000 6600 9000 7500 7500 7500 7500 6600\n-6\n";

FigObject* byId(CFigContext& context, int id)
{
    for (FigObject* object : context.drawing.objects) {
        if (object->id == id)
            return object;
    }
    return nullptr;
}

void selectOnly(CFigContext& context, std::initializer_list<int> ids)
{
    for (FigObject* object : context.drawing.objects)
        object->selected = false;
    for (int id : ids) {
        if (FigObject* object = byId(context, id)) {
            object->selected = true;
            context.currentObject = object;
        }
    }
}

} // namespace

Q_DECLARE_METATYPE(Change)

class TestBoundsCache : public QObject {
    Q_OBJECT
private slots:
    // Each row changes the drawing after its boxes were kept; the kept
    // boxes then equal a measurement, and so after undo and redo of the
    // change when it made an undo step.
    void keptBoxesFollowEveryChange_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("undoable");
        QTest::newRow("another file read") << Change([](CFigContext& c) {
            QTemporaryDir dir;
            const QString file = dir.filePath(QStringLiteral("other.fig"));
            QVERIFY(figtest::writeBytes(file,
                figtest::foreignHeader()
                    + "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 300 300 9000 300 9000 9000 300 9000 300 300\n"));
            QVERIFY(c.loadFile(file));
        }) << false;
        QTest::newRow("linked box nudged") << Change([](CFigContext& c) {
            selectOnly(c, { 1 });
            c.moveSelection(150, -75);
        }) << true;
        QTest::newRow("compound nudged") << Change([](CFigContext& c) {
            selectOnly(c, { 7 });
            c.moveSelection(0, 300);
        }) << true;
        QTest::newRow("spline and text deleted") << Change([](CFigContext& c) {
            selectOnly(c, { 3, 4 });
            delete c.deleteSelection();
        }) << true;
        QTest::newRow("compound made") << Change([](CFigContext& c) {
            selectOnly(c, { 5, 6 });
            c.createCompoundFromSelection();
        }) << true;
        QTest::newRow("compound broken") << Change([](CFigContext& c) {
            selectOnly(c, { 7 });
            c.breakCompound();
        }) << true;
        QTest::newRow("spline made a line") << Change([](CFigContext& c) { c.convertLineSpline(byId(c, 3)); }) << true;
        QTest::newRow("tangent line added")
            << Change([](CFigContext& c) { c.addTangentLine(3000, 3000, 600, 300); }) << true;
        QTest::newRow("zoomed") << Change([](CFigContext& c) { c.zoom = 2.5f; }) << false;
        QTest::newRow("resolution changed") << Change([](CFigContext& c) { c.dpiX = c.dpiY = 120.0f; }) << false;
    }
    void keptBoxesFollowEveryChange()
    {
        QFETCH(Change, change);
        QFETCH(bool, undoable);
        Document doc;
        CFigContext& context = *doc.context;
        QVERIFY(figtest::writeBytes(doc.path(), ownHeader() + objects));
        QVERIFY(context.loadFile(doc.path()));
        expectKeptEqualsMeasured(context, "read");
        const unsigned long long before = context.drawingChangeCount();
        change(context);
        if (QTest::currentTestFailed())
            return;
        expectKeptEqualsMeasured(context, "changed");
        if (!undoable)
            return;
        QVERIFY(context.drawingChangeCount() > before);
        context.undoHistory.undo();
        expectKeptEqualsMeasured(context, "undone");
        context.undoHistory.redo();
        expectKeptEqualsMeasured(context, "redone");
    }

    // Only the objects whose box follows the zoom are measured again after a
    // zoom; a box asked for while the drawing holds still is the kept one,
    // and an object outside the drawing (a clone) is measured.
    void keptBoxesServeWhileTheDrawingHoldsStill()
    {
        Document doc;
        CFigContext& context = *doc.context;
        QVERIFY(figtest::writeBytes(doc.path(), ownHeader() + objects));
        QVERIFY(context.loadFile(doc.path()));
        BoundsCache& cache = context.boundsCache;
        QVERIFY(!cache.fresh(context));
        cache.refresh(context);
        QVERIFY(cache.fresh(context));
        QCOMPARE(cache.linkingObjects().size(), size_t(1));
        QCOMPARE(cache.linkingObjects().front()->id, 2);
        // Nothing bumps the count: the kept box is handed out.
        FigObject* box = byId(context, 1);
        const int kept = cache.entries()[size_t(cache.indexOf(box))].xmax;
        std::unique_ptr<FigObject> clone(box->clone());
        QCOMPARE(cache.indexOf(clone.get()), -1);
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        cache.bounds(context, box, x0, y0, x1, y1);
        QCOMPARE(x1, kept);
        cache.bounds(context, clone.get(), x0, y0, x1, y1);
        QCOMPARE(x1, kept);
        // A counted change makes the boxes stale until the next refresh.
        context.setModified();
        QVERIFY(!cache.fresh(context));
    }
};

TAVREL_TEST_MAIN(TestBoundsCache)
#include "tst_boundscache.moc"
