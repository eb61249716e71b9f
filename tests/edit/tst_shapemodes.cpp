// Drawing boxes, pictures, circles, ellipses, arcs, regular polygons and
// splines with the mouse in a running program: the tool panel chooses the
// mode, presses on the document window's canvas make the object, the saved
// file holds exactly its lines and one undo gives the file back. A right
// press during a gesture leaves drawing and canvas as they were; shapes the
// file cannot hold or fig2dev refuses (a radius of 0, an ellipse of radii
// 1 and 1, a picture frame or a rounded box without width, an arc through
// three points on a line) are not made.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/picturedlg.h"
#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "edit/linemode.h"
#include "edit/objectfactories.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/objectlist.h"
#include "support/editsession.h"
#include "support/fig2devverdict.h"
#include "support/modaldialog.h"
#include "support/testenv.h"
#include "toolbars/drawingattributes.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

// One line far from where the tests draw, so that no press snaps to it.
const QByteArray figure = editsession::figText("2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n"
                                               "\t 4500 4500 5400 4500\n");

// The common fields of a new object with the start attributes and the new
// document's colours, after object code and sub-type.
const QByteArray common = " 0 1 0 7 50 0 -1 4.000 ";

struct Press {
    int x;
    int y;
    bool right;
};

using Presses = QList<Press>;
using Lines = QList<QByteArray>;

// Each press with a move to it first, as a hand on the mouse makes them.
void pressAll(editsession::CanvasInput& input, const Presses& presses)
{
    for (const Press& p : presses) {
        input.move(p.x, p.y);
        input.click(p.x, p.y, p.right ? Qt::RightButton : Qt::LeftButton);
    }
}

// The attributes a row changes before drawing.
enum Setting { Plain, RoundedBox, ArcWedgeWithArrows, ArrowsOn, TurnedEllipse, FourSides, OneSide };

void apply(Setting setting)
{
    switch (setting) {
    case RoundedBox:
        currentAttrs.boxType = 4;
        currentAttrs.boxCornerRadius = 12;
        break;
    case ArcWedgeWithArrows:
        currentAttrs.arcType = 1;
        currentAttrs.forwArrowOn = currentAttrs.backArrowOn = true;
        currentAttrs.forwArrow = 2; // type 1, filled
        currentAttrs.backArrow = 0; // type 0
        break;
    case ArrowsOn:
        currentAttrs.forwArrowOn = currentAttrs.backArrowOn = true;
        currentAttrs.forwArrow = 2;
        currentAttrs.backArrow = 0;
        break;
    case TurnedEllipse:
        currentAttrs.ellipseAngle = 0.5f;
        break;
    case FourSides:
        currentAttrs.numSides = 4;
        break;
    case OneSide:
        currentAttrs.numSides = 1;
        break;
    case Plain:
        break;
    }
}

// Whether two canvas images differ at most in the shading of smoothed
// edges (a turned ellipse redrawn in its area or with the whole canvas);
// a line left behind by a rubber band differs by far more.
bool sameUpToSmoothing(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (qAbs(qRed(p) - qRed(q)) > 8 || qAbs(qGreen(p) - qGreen(q)) > 8 || qAbs(qBlue(p) - qBlue(q)) > 8)
                return false;
        }
    }
    return true;
}

const QByteArray forwardArrow = "\t1 1 1.00 60.00 120.00";
const QByteArray backwardArrow = "\t0 0 1.00 60.00 120.00";

} // namespace

Q_DECLARE_METATYPE(Presses)
Q_DECLARE_METATYPE(Setting)

class TestShapeModes : public QObject {
    Q_OBJECT

private slots:
    void init() { currentAttrs = DrawingAttributes(); }
    void cleanup() { init(); }

    void drawing_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<Setting>("setting");
        QTest::addColumn<Presses>("presses");
        QTest::addColumn<Lines>("object");

        QTest::newRow("box: corners in row order, the corner radius kept")
            << int(EditMode::Box) << Plain << Presses { { 600, 600, false }, { 1800, 1200, false } }
            << Lines { "2 2" + common + "0 0 7 0 0 5", "\t 600 600 1800 600 1800 1200 600 1200 600 600" };
        QTest::newRow("rounded box") << int(EditMode::Box) << RoundedBox
                                     << Presses { { 1800, 1200, false }, { 600, 600, false } }
                                     << Lines { "2 4" + common + "0 0 12 0 0 5",
                                            "\t 1800 1200 600 1200 600 600 1800 600 1800 1200" };
        QTest::newRow("box on one spot: five equal points")
            << int(EditMode::Box) << Plain << Presses { { 900, 900, false }, { 900, 900, false } }
            << Lines { "2 2" + common + "0 0 7 0 0 5", "\t 900 900 900 900 900 900 900 900 900 900" };
        QTest::newRow("circle by radius")
            << int(EditMode::Cbr) << Plain << Presses { { 600, 600, false }, { 1050, 1200, false } }
            << Lines { "1 3" + common + "1 0.0000 600 600 750 750 600 600 1050 1200" };
        // The centre's halves are truncated; the radius reaches the second press.
        QTest::newRow("circle by diameter")
            << int(EditMode::Cbd) << Plain << Presses { { 600, 600, false }, { 2115, 600, false } }
            << Lines { "1 4" + common + "1 0.0000 1357 600 758 758 600 600 2115 600" };
        QTest::newRow("ellipse by radii: one unit more than the offsets")
            << int(EditMode::Ebr) << Plain << Presses { { 1200, 1200, false }, { 1500, 1650, false } }
            << Lines { "1 1" + common + "1 0.0000 1200 1200 301 451 1200 1200 1500 1650" };
        QTest::newRow("ellipse by radii on one column")
            << int(EditMode::Ebr) << Plain << Presses { { 1200, 1200, false }, { 1200, 1800, false } }
            << Lines { "1 1" + common + "1 0.0000 1200 1200 1 601 1200 1200 1200 1800" };
        QTest::newRow("ellipse by diameters, turned")
            << int(EditMode::Ebd) << TurnedEllipse << Presses { { 600, 600, false }, { 1815, 1215, false } }
            << Lines { "1 2" + common + "1 0.5000 1207 907 607 307 600 600 1815 1215" };
        QTest::newRow("arc from left over the bottom to the right: counter-clockwise")
            << int(EditMode::Arc) << Plain
            << Presses { { 600, 1200, false }, { 1200, 1800, false }, { 1800, 1200, false } }
            << Lines { "5 1" + common + "0 1 0 0 1200.000 1200.000 600 1200 1200 1800 1800 1200" };
        QTest::newRow("arc the other way round, a second press on the first point ignored")
            << int(EditMode::Arc) << Plain
            << Presses { { 1800, 1200, false }, { 1800, 1200, false }, { 1200, 1800, false }, { 600, 1200, false } }
            << Lines { "5 1" + common + "0 0 0 0 1200.000 1200.000 1800 1200 1200 1800 600 1200" };
        QTest::newRow("pie wedge arc with both arrows")
            << int(EditMode::Arc) << ArcWedgeWithArrows
            << Presses { { 600, 1200, false }, { 1200, 600, false }, { 1800, 1200, false } }
            << Lines { "5 2" + common + "0 0 1 1 1200.000 1200.000 600 1200 1200 600 1800 1200", forwardArrow,
                   backwardArrow };
        QTest::newRow("regular polygon, four sides: clockwise on the screen from the vertex")
            << int(EditMode::Regular) << FourSides << Presses { { 1200, 1200, false }, { 1800, 1200, false } }
            << Lines { "2 3 0 1 0 7 50 -1 -1 4.000 0 0 0 0 0 5", "\t 1800 1200 1200 600 600 1200 1200 1800 1800 1200" };
        QTest::newRow("regular polygon, six sides, a press on the centre ignored")
            << int(EditMode::Regular) << Plain
            << Presses { { 1200, 1200, false }, { 1200, 1200, false }, { 1800, 1500, false } }
            << Lines { "2 3 0 1 0 7 50 -1 -1 4.000 0 0 0 0 0 7", "\t 1800 1500 1760 830 1160 530 600 900 640 1570 1240 1870",
                   "\t 1800 1500" };
        // The vertex twice; written three times, as a polygon needs three
        // points to be read back.
        QTest::newRow("regular polygon of one side: the vertex repeated")
            << int(EditMode::Regular) << OneSide << Presses { { 1200, 1200, false }, { 1800, 1500, false } }
            << Lines { "2 3 0 1 0 7 50 -1 -1 4.000 0 0 0 0 0 3", "\t 1800 1500 1800 1500 1800 1500" };
        QTest::newRow("open approximated spline")
            << int(EditMode::Spline) << Plain
            << Presses { { 600, 600, false }, { 1200, 1200, false }, { 1800, 600, true } }
            << Lines { "3 0" + common + "0 0 0 3", "\t 600 600 1200 1200 1800 600", "\t 0.000 1.000 0.000" };
        QTest::newRow("open spline of one left and one right press on the same spot")
            << int(EditMode::Spline) << Plain << Presses { { 900, 900, false }, { 900, 900, true } }
            << Lines { "3 0" + common + "0 0 0 2", "\t 900 900 900 900", "\t 0.000 0.000" };
        QTest::newRow("closed approximated spline: the right press repeats the last point")
            << int(EditMode::ClosedSpline) << Plain
            << Presses { { 600, 600, false }, { 1200, 600, true }, { 1200, 1200, false }, { 1200, 1200, true } }
            << Lines { "3 1" + common + "0 0 0 3", "\t 600 600 1200 1200 1200 1200", "\t 1.000 1.000 1.000" };
        QTest::newRow("open interpolated spline with arrows")
            << int(EditMode::IntSpline) << ArrowsOn
            << Presses { { 600, 600, false }, { 1200, 1200, false }, { 1800, 600, false }, { 2400, 1200, true } }
            << Lines { "3 2" + common + "0 1 1 4", forwardArrow, backwardArrow,
                   "\t 600 600 1200 1200 1800 600 2400 1200", "\t 0.000 -1.000 -1.000 0.000" };
        QTest::newRow("closed interpolated spline never has arrows")
            << int(EditMode::ClosedIntSpline) << ArrowsOn
            << Presses { { 600, 600, false }, { 1200, 1200, false }, { 1800, 600, true } }
            << Lines { "3 3" + common + "0 0 0 3", "\t 600 600 1200 1200 1800 600", "\t -1.000 -1.000 -1.000" };
    }
    void drawing()
    {
        QFETCH(int, mode);
        QFETCH(Setting, setting);
        QFETCH(Presses, presses);
        QFETCH(Lines, object);
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            apply(setting);
            const Lines before = editsession::savedObjectLines(document);
            QCOMPARE(before, editsession::objectLines(figure));
            editsession::chooseMode(window, mode);
            editsession::CanvasInput input(document);
            const int steps = document.figContext->undoHistory.undoSteps.size();
            pressAll(input, presses);
            QCOMPARE(editsession::savedObjectLines(document), before + object);
            QCOMPARE(document.figContext->undoHistory.undoSteps.size(), steps + 1);
            // The new object is the current, selected one; the mode is ready
            // for the next.
            FigObject* current = document.figContext->currentObject;
            QVERIFY(current);
            QVERIFY(current->selected);
            QCOMPARE(current->markerState, 2);
            QVERIFY(!canvasAction.actionInProgress);
            QVERIFY(!document.figContext->newChainHead);
            // The rubber band left nothing behind.
            const QImage afterDrawing = document.canvasImage->copy();
            document.redisplayCanvas();
            QVERIFY(sameUpToSmoothing(*document.canvasImage, afterDrawing));
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), before);
        });
    }

    // The picture frame turns the other way round; the picture dialog opens
    // on it once it is in the drawing, and cancelling the dialog keeps it.
    // The canvas shows what a full redraw makes of the drawing.
    void picture()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            const Lines before = editsession::savedObjectLines(document);
            editsession::chooseMode(window, EditMode::Picture);
            editsession::CanvasInput input(document);
            input.move(600, 600);
            input.click(600, 600);
            input.move(1800, 1200);
            bool asked = false;
            answerModalDialog<PictureDlg>(&window, [&](PictureDlg* dialog) {
                asked = true;
                // Already in the drawing while the dialog runs.
                QCOMPARE(document.figContext->objects()->size(), 2);
                // A redraw meanwhile brings back no rubber rectangle.
                document.redisplayCanvas();
                dialog->reject();
            });
            input.click(1800, 1200);
            QVERIFY(asked);
            const QImage afterDrawing = document.canvasImage->copy();
            document.redisplayCanvas();
            QCOMPARE(*document.canvasImage, afterDrawing);
            const Lines drawn { "2 5 0 0 0 7 50 0 -1 0.000 0 0 0 0 0 5", "\t0 <empty>",
                "\t 600 600 600 1200 1800 1200 1800 600 600 600" };
            QCOMPARE(editsession::savedObjectLines(document), before + drawn);
            QVERIFY(!canvasAction.actionInProgress);
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), before);
        });
    }

    // A right press during the gesture takes the rubber band (and the cross
    // or the fixed arc segment) away: nothing is made, no undo step pushed,
    // the canvas is as before and the next gesture starts afresh.
    void rightPressCancels_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<Presses>("presses");
        QTest::addColumn<bool>("bySwitch");
        const Presses one { { 900, 900, false } };
        const Presses two { { 900, 900, false }, { 1500, 1200, false } };
        const struct {
            const char* name;
            int mode;
            Presses presses;
        } gestures[] = {
            { "box", EditMode::Box, one },
            { "picture", EditMode::Picture, one },
            { "circle by radius", EditMode::Cbr, one },
            { "circle by diameter", EditMode::Cbd, one },
            { "ellipse by radii", EditMode::Ebr, one },
            { "ellipse by diameters", EditMode::Ebd, one },
            { "arc after one point", EditMode::Arc, one },
            { "arc after two points", EditMode::Arc, two },
            { "regular polygon", EditMode::Regular, one },
        };
        for (const auto& g : gestures) {
            QTest::addRow("%s, right press", g.name) << g.mode << g.presses << false;
            QTest::addRow("%s, another mode chosen", g.name) << g.mode << g.presses << true;
        }
    }
    void rightPressCancels()
    {
        QFETCH(int, mode);
        QFETCH(Presses, presses);
        QFETCH(bool, bySwitch);
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            editsession::chooseMode(window, mode);
            const Lines before = editsession::savedObjectLines(document);
            document.redisplayCanvas();
            const QImage clean = document.canvasImage->copy();
            const int steps = document.figContext->undoHistory.undoSteps.size();
            editsession::CanvasInput input(document);
            pressAll(input, presses);
            input.move(2100, 1800);
            QVERIFY(canvasAction.actionInProgress);
            QVERIFY(*document.canvasImage != clean);
            if (bySwitch)
                editsession::chooseMode(window, EditMode::Polyline);
            else
                input.click(2400, 2100, Qt::RightButton);
            QVERIFY(!canvasAction.actionInProgress);
            QCOMPARE(*document.canvasImage, clean);
            QCOMPARE(document.figContext->undoHistory.undoSteps.size(), steps);
            QCOMPARE(editsession::savedObjectLines(document), before);
            if (bySwitch)
                return;
            // The mode starts over with the next left press.
            input.move(600, 600);
            input.click(600, 600);
            QVERIFY(canvasAction.actionInProgress);
            input.click(600, 600, Qt::RightButton);
            QVERIFY(!canvasAction.actionInProgress);
        });
    }

    // Shapes the file cannot hold are refused: the gesture ends, nothing is
    // added, no undo step is pushed and the canvas is left clean.
    void refusedShapes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<Presses>("presses");
        QTest::newRow("circle by radius on one spot")
            << int(EditMode::Cbr) << Presses { { 900, 900, false }, { 900, 900, false } };
        QTest::newRow("circle by diameter on one spot")
            << int(EditMode::Cbd) << Presses { { 900, 900, false }, { 900, 900, false } };
        // Radii 1 and 1: the converters refuse an ellipse that small.
        QTest::newRow("ellipse by radii on one spot")
            << int(EditMode::Ebr) << Presses { { 900, 900, false }, { 900, 900, false } };
        // A frame without width or height: no picture dialog either.
        QTest::newRow("picture frame on one column")
            << int(EditMode::Picture) << Presses { { 900, 900, false }, { 900, 1800, false } };
        QTest::newRow("picture frame on one row")
            << int(EditMode::Picture) << Presses { { 900, 900, false }, { 1800, 900, false } };
        QTest::newRow("ellipse by diameters on one row")
            << int(EditMode::Ebd) << Presses { { 900, 900, false }, { 1800, 900, false } };
        QTest::newRow("ellipse by diameters on one column")
            << int(EditMode::Ebd) << Presses { { 900, 900, false }, { 900, 1800, false } };
        QTest::newRow("arc on a line, in press order")
            << int(EditMode::Arc) << Presses { { 600, 600, false }, { 1200, 900, false }, { 1800, 1200, false } };
        QTest::newRow("arc on a line, the first point between the others")
            << int(EditMode::Arc) << Presses { { 1200, 900, false }, { 600, 600, false }, { 1800, 1200, false } };
        QTest::newRow("arc on a line, the last point between the others")
            << int(EditMode::Arc) << Presses { { 600, 600, false }, { 1800, 1200, false }, { 1200, 900, false } };
        QTest::newRow("arc ending on its first point")
            << int(EditMode::Arc) << Presses { { 600, 600, false }, { 1800, 1200, false }, { 600, 600, false } };
    }
    void refusedShapes()
    {
        QFETCH(int, mode);
        QFETCH(Presses, presses);
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            editsession::chooseMode(window, mode);
            const Lines before = editsession::savedObjectLines(document);
            document.redisplayCanvas();
            const QImage clean = document.canvasImage->copy();
            const int steps = document.figContext->undoHistory.undoSteps.size();
            editsession::CanvasInput input(document);
            DialogWatch watch;
            pressAll(input, presses);
            QVERIFY(!watch.asked);
            QVERIFY(!canvasAction.actionInProgress);
            QVERIFY(!document.figContext->currentObject);
            QCOMPARE(document.figContext->undoHistory.undoSteps.size(), steps);
            QCOMPARE(*document.canvasImage, clean);
            QCOMPARE(editsession::savedObjectLines(document), before);
            QVERIFY(!document.figContext->modified);
        });
    }

    // A box of no height or no width, drawn with the mouse: with rounded
    // corners it is a line fig2dev refuses, so none is made (the rubber box
    // erased, no undo step); a plain one, or a rounded one on one spot, is
    // made. Whatever the presses, fig2dev takes the saved file.
    void zeroSizeBoxes_data()
    {
        QTest::addColumn<Setting>("setting");
        QTest::addColumn<QPoint>("second"); // the first press is at (900, 900)
        QTest::addColumn<bool>("made");
        const struct {
            const char* name;
            QPoint second;
        } shapes[] = { { "one row", { 1800, 900 } }, { "one column", { 900, 1800 } }, { "one spot", { 900, 900 } } };
        for (const auto& shape : shapes) {
            QTest::addRow("rounded box on %s", shape.name)
                << RoundedBox << shape.second << (shape.second == QPoint(900, 900));
            QTest::addRow("plain box on %s", shape.name) << Plain << shape.second << true;
        }
    }
    void zeroSizeBoxes()
    {
        QFETCH(Setting, setting);
        QFETCH(QPoint, second);
        QFETCH(bool, made);
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            apply(setting);
            editsession::chooseMode(window, EditMode::Box);
            const Lines before = editsession::savedObjectLines(document);
            document.redisplayCanvas();
            const QImage clean = document.canvasImage->copy();
            const int steps = document.figContext->undoHistory.undoSteps.size();
            editsession::CanvasInput input(document);
            pressAll(input, Presses { { 900, 900, false }, { second.x(), second.y(), false } });
            QVERIFY(!canvasAction.actionInProgress);
            QCOMPARE(document.figContext->undoHistory.undoSteps.size(), steps + (made ? 1 : 0));
            const Lines after = editsession::savedObjectLines(document);
            QCOMPARE(after.size(), before.size() + (made ? 2 : 0));
            if (!made) {
                QVERIFY(!document.figContext->currentObject);
                QCOMPARE(*document.canvasImage, clean);
            }
            const Fig2devVerdict verdict = fig2devVerdict(document.curFile);
            QVERIFY2(verdict.status == 0 && !verdict.complaints.contains("malformed"), verdict.complaints.constData());
        });
    }

    // The factories that scripts call: a text takes the LaTeX or the
    // PostScript font by the flag and the document's pen colour; the corners
    // of a regular polygon turn the other way from the mode's.
    void factories()
    {
        editsession::run(figure, [&](QTMainFrm&, QTChildFrm& document) {
            CFigContext* context = document.figContext;
            context->penColor = 4;
            currentAttrs.psFont = 7;
            currentAttrs.latexFont = 3;
            currentAttrs.textFlags = 2;
            FigText* latex = context->createText(QStringLiteral("a"), 300, 600);
            QVERIFY(latex);
            QCOMPARE(latex->font, 3);
            QCOMPARE(latex->color, 4);
            QCOMPARE(latex->fontFlags, 2);
            QCOMPARE(QPoint(latex->x, latex->y), QPoint(300, 600));
            QVERIFY(latex->length > 0);
            delete latex;
            currentAttrs.textFlags = 6;
            FigText* postscript = context->createText(QStringLiteral("b"), 0, 0);
            QCOMPARE(postscript->font, 7);
            delete postscript;

            currentAttrs.numSides = 4;
            FigPoint* corners = regularPolygonPoints(0, 0, 100, 0);
            QList<QPoint> points;
            for (FigPoint* p = corners; p; p = p->next)
                points << QPoint(p->x, p->y);
            freePointList(corners);
            const QList<QPoint> expected { { 100, 0 }, { 0, 100 }, { -100, 0 }, { 0, -100 }, { 100, 0 } };
            QCOMPARE(points, expected);
            currentAttrs.numSides = 0;
            QVERIFY(!regularPolygonPoints(0, 0, 100, 0));
        });
    }

    // A spline a script asks for with too few points for its kind gets its
    // last point repeated, as the spline modes do, so that a file keeps it;
    // a new object's style value stays within what the converters read.
    void factoriesKeepSplinesReadable_data()
    {
        QTest::addColumn<int>("subType");
        QTest::addColumn<int>("given");
        QTest::addColumn<int>("made");
        QTest::newRow("closed spline through two points") << 3 << 2 << 3;
        QTest::newRow("closed spline through one point") << 1 << 1 << 3;
        QTest::newRow("open spline through one point") << 0 << 1 << 2;
        QTest::newRow("open spline through two points") << 2 << 2 << 2;
        QTest::newRow("closed spline through four points") << 1 << 4 << 4;
    }
    void factoriesKeepSplinesReadable()
    {
        QFETCH(int, subType);
        QFETCH(int, given);
        QFETCH(int, made);
        editsession::run(figure, [&](QTMainFrm&, QTChildFrm& document) {
            FigPoint* chain = nullptr;
            FigPoint* tail = nullptr;
            for (int i = 0; i < given; ++i) {
                appendChainPoint(600 * i, 300, tail);
                if (!chain)
                    chain = tail;
            }
            // Taken from a file's line: width 150, dash length 150.
            currentAttrs.lineWidth = 150;
            currentAttrs.styleVal = 150.0f;
            FigSpline* spline = document.figContext->createSpline(subType, chain);
            QVERIFY(spline);
            QCOMPARE(spline->pointCount(), made);
            const FigPoint* last = spline->points;
            while (last->next)
                last = last->next;
            QCOMPARE(QPoint(last->x, last->y), QPoint(600 * (given - 1), 300));
            QCOMPARE(spline->styleVal, 6400.0f);
            delete spline;
        });
    }
};

TAVREL_TEST_MAIN(TestShapeModes)
#include "tst_shapemodes.moc"
