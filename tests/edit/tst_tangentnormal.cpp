// The tangent and normal tools in a running program: a click on a line or a
// circle adds a three-point polyline centred on the hit, along the outline or
// across it, as long as the current length in the document's unit, as one
// undo step that leaves the new line the only selected object; a click where
// no direction can be told adds nothing.
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

const QByteArray objects = "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 600 1200 3000 1200\n"
                           "1 3 0 1 0 7 50 -1 -1 0.000 1 0.0000 2400 3600 600 600 2400 3600 3000 3600\n"
                           "4 0 0 50 -1 0 12 0.0000 4 135 390 4800 600 text\\001\n";

QByteArray header(bool metric)
{
    return QByteArray("#FIG 3.2\nLandscape\nCenter\n") + (metric ? "Metric\nA4\n" : "Inches\nLetter\n")
        + "100.00\nSingle\n-2\n1200 2\n";
}

// A new line with the start attributes and the new document's colours.
QByteArray newLine(int forward = 0)
{
    return "2 1 0 1 0 7 50 0 -1 4.000 0 0 0 " + QByteArray::number(forward) + " 0 3";
}

} // namespace

class TestTangentNormal : public QObject {
    Q_OBJECT

private slots:
    void init() { currentAttrs = DrawingAttributes(); }
    void cleanup() { init(); }

    void lines_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<QByteArray>("points");
        QTest::addColumn<QString>("message");
        const int tangent = EditMode::Tangent;
        const int normal = EditMode::Normal;
        // An inch long, or a centimetre: 472.44 units, 236 each side.
        QTest::newRow("tangent to a line, inches")
            << tangent << false << QPoint(1800, 1200) << QByteArray("\t 1200 1200 1800 1200 2400 1200")
            << "added tangent";
        QTest::newRow("tangent to a line, centimetres")
            << tangent << true << QPoint(1800, 1200) << QByteArray("\t 1564 1200 1800 1200 2036 1200")
            << "added tangent";
        QTest::newRow("normal to a line, inches")
            << normal << false << QPoint(1800, 1200) << QByteArray("\t 1800 600 1800 1200 1800 1800")
            << "added normal";
        QTest::newRow("normal to a line, centimetres")
            << normal << true << QPoint(1800, 1200) << QByteArray("\t 1800 964 1800 1200 1800 1436")
            << "added normal";
        // The circle around (2400, 3600) with radius 600.
        QTest::newRow("tangent at the top of a circle")
            << tangent << false << QPoint(2400, 3000) << QByteArray("\t 1800 3000 2400 3000 3000 3000")
            << "added tangent";
        QTest::newRow("normal at the top of a circle")
            << normal << false << QPoint(2400, 3000) << QByteArray("\t 2400 2400 2400 3000 2400 3600")
            << "added normal";
        QTest::newRow("tangent at the right of a circle")
            << tangent << false << QPoint(3000, 3600) << QByteArray("\t 3000 4200 3000 3600 3000 3000")
            << "added tangent";
        QTest::newRow("normal at the right of a circle, centimetres")
            << normal << true << QPoint(3000, 3600) << QByteArray("\t 2764 3600 3000 3600 3236 3600")
            << "added normal";
    }
    void lines()
    {
        QFETCH(int, mode);
        QFETCH(bool, metric);
        QFETCH(QPoint, click);
        QFETCH(QByteArray, points);
        QFETCH(QString, message);
        const QByteArray figure = header(metric) + objects;
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            QToolButton* button = window.shapesToolbar->modeButton(mode);
            QVERIFY(button);
            button->click();
            QCOMPARE(editMode, mode);
            CFigContext* ctx = document.figContext;
            QCOMPARE(ctx->metric, metric);
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            const int steps = ctx->undoHistory.undoSteps.size();

            StatusRecorder status;
            editsession::CanvasInput input(document);
            input.move(click.x(), click.y());
            input.click(click.x(), click.y());
            QCOMPARE(status.messages.value(status.messages.size() - 1), message);
            QCOMPARE(ctx->undoHistory.undoSteps.size(), steps + 1);

            // The new line is the current object and the only selected one.
            FigObject* line = ctx->currentObject;
            QVERIFY(line);
            QCOMPARE(line, ctx->drawing.objects.back());
            QCOMPARE(line->markerState, 2);
            for (FigObject* object : ctx->drawing.objects)
                QCOMPARE(object->selected, object == line);

            QCOMPARE(editsession::savedObjectLines(document), before + QList<QByteArray>({ newLine(), points }));
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), before);
        });
    }

    // With forward arrows on, the tangent gets one from the current arrow
    // attributes; the tool stays for the next click.
    void withForwardArrow()
    {
        editsession::run(header(false) + objects, [&](QTMainFrm& window, QTChildFrm& document) {
            currentAttrs.forwArrowOn = true;
            currentAttrs.forwArrow = 2;
            window.shapesToolbar->modeButton(EditMode::Tangent)->click();
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            editsession::CanvasInput input(document);
            input.click(1800, 1200);
            input.click(1200, 1200);
            QCOMPARE(editsession::savedObjectLines(document),
                before
                    + QList<QByteArray>({ newLine(1), "\t1 1 1.00 60.00 120.00", "\t 1200 1200 1800 1200 2400 1200",
                        newLine(1), "\t1 1 1.00 60.00 120.00", "\t 600 1200 1200 1200 1800 1200" }));
        });
    }

    // Where the outline gives no direction (the circle's centre), on a text
    // and beside every object nothing is added and the document stays
    // unmodified; only the centre says why.
    void nothingAdded_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPoint>("click");
        QTest::addColumn<QStringList>("messages");
        const QStringList singularity { "singularity, can't draw tangent/normal" };
        QTest::newRow("tangent at the centre of a circle") << int(EditMode::Tangent) << QPoint(2400, 3600) << singularity;
        QTest::newRow("normal at the centre of a circle") << int(EditMode::Normal) << QPoint(2400, 3600) << singularity;
        QTest::newRow("tangent on a text") << int(EditMode::Tangent) << QPoint(4800, 600) << QStringList();
        QTest::newRow("normal beside everything") << int(EditMode::Normal) << QPoint(6000, 6000) << QStringList();
    }
    void nothingAdded()
    {
        QFETCH(int, mode);
        QFETCH(QPoint, click);
        QFETCH(QStringList, messages);
        editsession::run(header(false) + objects, [&](QTMainFrm& window, QTChildFrm& document) {
            window.shapesToolbar->modeButton(mode)->click();
            CFigContext* ctx = document.figContext;
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            ctx->clearModified();
            StatusRecorder status;
            editsession::CanvasInput input(document);
            input.move(click.x(), click.y());
            input.click(click.x(), click.y());
            QCOMPARE(status.messages, messages);
            QVERIFY(!ctx->modified);
            QCOMPARE(ctx->undoHistory.undoSteps.size(), 0);
            QCOMPARE(editsession::savedObjectLines(document), before);
        });
    }
};

TAVREL_TEST_MAIN(TestTangentNormal)
#include "tst_tangentnormal.moc"
