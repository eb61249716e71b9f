// Converting the current object between polyline and spline from the main
// window's command: a polyline drawn with the mouse becomes a spline through
// its points and back, each one undo step, the result selected and current;
// objects that cannot be converted stay as they are, without an undo step
// and without marking the document modified.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "support/editsession.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"
#include "toolbars/drawingattributes.h"
#include "toolbars/shapestoolbar.h"

#include <QToolButton>

namespace {

const QByteArray twoPoints = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 4500 4500 5400 4500\n";
const QByteArray polygon = "2 3 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 4\n\t 3000 2400 3900 2400 3900 3300 3000 2400\n";
const QByteArray box = "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 3000 600 3900 600 3900 1500 3000 1500 3000 600\n";
const QByteArray spline = "3 1 0 1 0 7 50 -1 -1 0.000 0 0 0 3\n\t 600 3000 1200 3600 1800 3000\n\t 1.000 1.000 1.000\n";
const QByteArray arc = "5 1 0 1 0 7 50 -1 -1 0.000 0 0 0 0 1500.000 6000.000 600 6000 1500 5100 2400 6000\n";

const QByteArray figure = editsession::figText(twoPoints + polygon + box + spline + arc);

// The object of the document at a place of its top-level list.
FigObject* objectAt(CFigContext* ctx, int index)
{
    auto it = ctx->drawing.objects.begin();
    std::advance(it, index);
    return *it;
}

// The object lines of the file with the object at `index` replaced by
// `replacement`, which goes to the end of the list, as a conversion puts it.
QList<QByteArray> replaced(int index, const QByteArray& replacement)
{
    QList<QByteArray> parts { twoPoints, polygon, box, spline, arc };
    parts.removeAt(index);
    return editsession::objectLines(editsession::figText(parts.join() + replacement));
}

} // namespace

class TestConversion : public QObject {
    Q_OBJECT

private slots:
    void init() { currentAttrs = DrawingAttributes(); }
    void cleanup() { init(); }

    // A polyline drawn with the mouse, to a spline and back, then both undone.
    void drawnPolylineThereAndBack()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            QToolButton* button = window.shapesToolbar->modeButton(EditMode::Polyline);
            QVERIFY(button);
            button->click();
            CFigContext* ctx = document.figContext;
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            editsession::CanvasInput input(document);
            input.click(600, 600);
            input.move(1800, 600);
            input.click(1800, 600);
            input.move(1800, 1500);
            input.click(1800, 1500, Qt::RightButton);
            const QList<QByteArray> polyline
                = before + QList<QByteArray>({ "2 1 0 1 0 7 50 0 -1 4.000 0 0 0 0 0 3", "\t 600 600 1800 600 1800 1500" });
            QCOMPARE(editsession::savedObjectLines(document), polyline);
            const int steps = ctx->undoHistory.undoSteps.size();

            window.onConvertLineSpline();
            const QList<QByteArray> asSpline = before
                + QList<QByteArray>({ "3 2 0 1 0 7 50 0 -1 4.000 0 0 0 3", "\t 600 600 1800 600 1800 1500",
                    "\t 0.000 -1.000 0.000" });
            QCOMPARE(editsession::savedObjectLines(document), asSpline);
            QCOMPARE(ctx->undoHistory.undoSteps.size(), steps + 1);
            FigObject* current = ctx->currentObject;
            QVERIFY(current);
            QCOMPARE(current->type, int(FigObject::Spline));
            QVERIFY(current->selected);
            QVERIFY(current->markerState != 0);

            window.onConvertLineSpline();
            QCOMPARE(ctx->currentObject->type, int(FigObject::Polyline));
            QCOMPARE(ctx->undoHistory.undoSteps.size(), steps + 2);
            const QList<QByteArray> back = editsession::savedObjectLines(document);
            QCOMPARE(back.mid(0, before.size()), before);
            QCOMPARE(back.mid(before.size()),
                QList<QByteArray>({ "2 1 0 1 0 7 50 0 -1 4.000 0 0 7 0 0 3", "\t 600 600 1800 600 1800 1500" }));

            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), asSpline);
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), polyline);
        });
    }

    // The objects of the file made current one at a time (as a click of the
    // select tool does) and converted.
    void currentObjects_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<QByteArray>>("after");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("polygon to a closed spline")
            << 1
            << replaced(1,
                   "3 3 0 1 0 7 50 -1 -1 0.000 0 0 0 3\n\t 3900 2400 3900 3300 3000 2400\n\t -1.000 -1.000 -1.000\n")
            << QStringList();
        QTest::newRow("closed spline to a polygon")
            << 3
            << replaced(3,
                   "2 3 0 1 0 7 50 -1 -1 0.000 0 0 7 0 0 4\n\t 1800 3000 600 3000 1200 3600 1800 3000\n")
            << QStringList();
        QTest::newRow("two points are too few for a spline")
            << 0 << editsession::objectLines(figure) << QStringList({ "Not enough points for a spline!" });
        QTest::newRow("a box stays") << 2 << editsession::objectLines(figure) << QStringList();
        QTest::newRow("an arc stays") << 4 << editsession::objectLines(figure) << QStringList();
    }
    void currentObjects()
    {
        QFETCH(int, index);
        QFETCH(QList<QByteArray>, after);
        QFETCH(QStringList, messages);
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext* ctx = document.figContext;
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            QCOMPARE(before, editsession::objectLines(figure));
            ctx->clearModified();
            ctx->currentObject = objectAt(ctx, index);
            const bool changes = after != before;

            StatusRecorder status;
            window.onConvertLineSpline();
            QCOMPARE(status.messages, messages);
            QCOMPARE(ctx->modified, changes);
            QCOMPARE(ctx->undoHistory.undoSteps.size(), changes ? 1 : 0);
            QVERIFY(ctx->currentObject);
            QCOMPARE(editsession::savedObjectLines(document), after);
            if (changes) {
                QVERIFY(ctx->currentObject->selected);
                // Undo puts the object back at its place in the list; redo
                // gives the converted object the place of the first time.
                window.undo();
                QCOMPARE(editsession::savedObjectLines(document), before);
                window.redo();
                QCOMPARE(editsession::savedObjectLines(document), after);
            }
        });
    }
};

TAVREL_TEST_MAIN(TestConversion)
#include "tst_conversion.moc"
