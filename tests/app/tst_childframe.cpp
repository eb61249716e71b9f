// The document window: the mapping of pointer positions to Fig units, the
// zoom steps and the visible centre they keep, the rulers' scale, snapping by
// mode, panning, Ctrl + wheel, the arrow keys and Delete, Escape, the comment
// tip and the canvas painter protocol.
#include "app/preferences.h"
#include "app/qruler.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editobjects.h"
#include "edit/editstate.h"
#include "export/exportdlg.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/figpoint.h"
#include "model/units.h"
#include "render/colors.h"
#include "render/griddef.h"
#include "render/markers.h"
#include "render/resources.h"
#include "support/messageboxrecorder.h"
#include "support/testenv.h"

#include <QDialog>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <cmath>
#include <memory>

namespace {

// An inch document: a box from (1300, 1300) to (2300, 2000) with a comment,
// an open polyline from (3590, 1210) over (4800, 1210) to (4800, 1500) and a
// circle around (6000, 6000).
const char* const boxFigure = "#FIG 3.2\n"
                              "Portrait\n"
                              "Flush left\n"
                              "Inches\n"
                              "Letter\n"
                              "100.00\n"
                              "Single\n"
                              "-2\n"
                              "1200 2\n"
                              "# the box\n"
                              "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
                              "\t 1300 1300 2300 1300 2300 2000 1300 2000 1300 1300\n"
                              "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 3\n"
                              "\t 3590 1210 4800 1210 4800 1500\n"
                              "1 3 0 1 0 7 50 -1 -1 0.000 1 0.0000 6000 6000 300 300 6000 6000 6300 6000\n";

// A shown document window of a fixed size, with the figure loaded.
struct Window {
    explicit Window(QTMainFrm* main = nullptr)
        : frame(new QTChildFrm(main))
    {
        frame->setAttribute(Qt::WA_DeleteOnClose, false);
        frame->resize(400, 300);
        frame->show();
        QCoreApplication::sendPostedEvents();
    }
    ~Window() { delete frame; }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    CFigContext& ctx() { return *frame->figContext; }

    void load(const char* text = boxFigure)
    {
        const QString name = dir.filePath(QStringLiteral("figure.fig"));
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        QVERIFY(frame->loadFile(name));
    }
    FigObject* object(int index)
    {
        auto it = ctx().objects()->begin();
        std::advance(it, index);
        return *it;
    }
    QRect bounds(int index, bool withLineWidth = false)
    {
        int x1, y1, x2, y2;
        object(index)->getBounds(&ctx(), x1, y1, x2, y2, false, withLineWidth);
        return QRect(QPoint(x1, y1), QPoint(x2, y2));
    }

    void mouse(
        QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons, QPoint global = QPoint(-1, -1))
    {
        QMouseEvent event(type, pos, global == QPoint(-1, -1) ? frame->viewport()->mapToGlobal(pos) : global, button,
            buttons, Qt::NoModifier);
        QApplication::sendEvent(frame->viewport(), &event);
    }
    void press(QPoint pos, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QEvent::MouseButtonPress, pos, button, button);
    }
    void move(QPoint pos, Qt::MouseButtons buttons = Qt::NoButton)
    {
        mouse(QEvent::MouseMove, pos, Qt::NoButton, buttons);
    }
    void release(QPoint pos, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
    }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, QEvent::Type type = QEvent::KeyPress)
    {
        QKeyEvent event(type, key, modifiers);
        QApplication::sendEvent(frame, &event);
    }
    void wheel(int delta, Qt::KeyboardModifiers modifiers)
    {
        QWheelEvent event(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
            Qt::NoScrollPhase, false);
        QApplication::sendEvent(frame->viewport(), &event);
    }
    // The viewport pixel of a Fig position.
    QPoint pixelOf(int x, int y) { return ctx().figToPixelPoint(x, y); }

    QTemporaryDir dir;
    QTChildFrm* frame;
};

int pressedHandlerCalls = 0;
bool painterActiveInHandler = false;
bool hintInHandler = false;
void recordingHandler(CFigContext* context, int, int)
{
    ++pressedHandlerCalls;
    painterActiveInHandler = context->painter && context->painter->isActive();
    hintInHandler = painterActiveInHandler && context->painter->testRenderHint(QPainter::Antialiasing);
}

void cancellingHandler(CFigContext* context, int x, int y)
{
    recordingHandler(context, x, y);
}

} // namespace

class TestChildFrame : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        initResources();
        createBuiltinGrids();
        initDefaultColors();
    }
    void cleanupTestCase()
    {
        releaseMarkerPixmaps();
        deleteGridDefs();
        if (clipboardObjects) {
            deleteAllObjects(clipboardObjects);
            delete clipboardObjects;
            clipboardObjects = nullptr;
        }
    }
    void init()
    {
        preferences = Preferences();
        editMode = -1;
        canvasAction.actionInProgress = 0;
        canvasAction.anchorX = canvasAction.anchorY = 0;
        canvasAction.trackX = canvasAction.trackY = 0;
        canvasHandlers = CanvasHandlers();
        shiftKeyDown = false;
        ctrlKeyDown = false;
        dragSnapEdgeX = 5;
        dragSnapEdgeY = 5;
        allMarkersShown = false;
        movingPoint = nullptr;
        pressedHandlerCalls = 0;
    }
    void cleanup() { init(); }

    // ---- Mapping ----

    // Near halves single precision rounds the other way than double: the
    // double formula would give one Fig unit more or less.
    void screenToFigIsSinglePrecision_data()
    {
        QTest::addColumn<float>("dpi");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<int>("origin");
        QTest::addColumn<int>("pixel");
        QTest::addColumn<int>("fig");
        QTest::newRow("72 dpi, 133 %") << 72.0f << 1.33f << 2000 << 410 << 30200; // double: 30201
        QTest::newRow("80 dpi, 83 %") << 80.0f << 0.83f << 3000 << 230 << 58374; // double: 58373
        QTest::newRow("72 dpi, 91 %") << 72.0f << 0.91f << 3600 << 49 << 66832; // double: 66831
        QTest::newRow("left of the viewport counts as 0") << 72.0f << 1.33f << 2410 << -15 << 30200;
        QTest::newRow("100 %, 80 dpi") << 80.0f << 1.0f << 0 << 100 << 1500;
    }
    void screenToFigIsSinglePrecision()
    {
        QFETCH(float, dpi);
        QFETCH(float, zoom);
        QFETCH(int, origin);
        QFETCH(int, pixel);
        QFETCH(int, fig);
        Window w;
        w.ctx().dpiX = w.ctx().dpiY = dpi;
        w.ctx().zoom = zoom;
        w.ctx().originX = w.ctx().originY = origin;
        QVERIFY(w.frame->screenToFig(pixel, pixel, false));
        QCOMPARE(w.frame->figX, fig);
        QCOMPARE(w.frame->figY, fig);
        QVERIFY(!w.frame->screenToFig(pixel, pixel, false)); // the same position again
    }

    void ctrlKeepsTheRowAndShiftTheColumn()
    {
        Window w;
        QVERIFY(w.frame->screenToFig(10, 20, true));
        ctrlKeyDown = true;
        QVERIFY(w.frame->screenToFig(30, 40, true));
        QCOMPARE(QPoint(w.frame->figX, w.frame->figY), QPoint(450, 300));
        QVERIFY(!w.frame->screenToFig(30, 90, true)); // only y moved: locked away
        ctrlKeyDown = false;
        shiftKeyDown = true;
        QVERIFY(w.frame->screenToFig(70, 80, true));
        QCOMPARE(QPoint(w.frame->figX, w.frame->figY), QPoint(450, 1200));
        QVERIFY(w.frame->screenToFig(70, 80, false)); // unlocked
        QCOMPARE(w.frame->figX, 1050);
    }

    // ---- Zoom ----

    void zoomSteps_data()
    {
        QTest::addColumn<float>("start");
        QTest::addColumn<bool>("in");
        QTest::addColumn<QList<float>>("steps");
        QTest::newRow("in from 100 %") << 1.0f << true << QList<float> { 1.1f, 1.21f, 1.33f, 1.46f };
        QTest::newRow("out from 100 %") << 1.0f << false << QList<float> { 0.91f, 0.83f, 0.75f, 0.68f };
        QTest::newRow("in stops at 99.99") << 95.0f << true << QList<float> { 99.99f, 99.99f };
        QTest::newRow("out stops at 0.05") << 0.06f << false << QList<float> { 0.05f, 0.05f };
        QTest::newRow("0.04 does not grow") << 0.04f << true << QList<float> { 0.04f };
        QTest::newRow("out never below 0.01") << 0.005f << false << QList<float> { 0.01f };
    }
    void zoomSteps()
    {
        QFETCH(float, start);
        QFETCH(bool, in);
        QFETCH(QList<float>, steps);
        Window w;
        w.ctx().zoom = start;
        for (float expected : steps) {
            in ? w.frame->zoomIn() : w.frame->zoomOut();
            QCOMPARE(w.ctx().zoom, expected);
        }
        QVERIFY(!w.frame->canvasPainter.isActive());
    }

    // The Fig point at the middle of the visible area stays there, give or
    // take the pixel that the integer arithmetic rounds away.
    void zoomKeepsTheVisibleCentre_data()
    {
        QTest::addColumn<bool>("in");
        QTest::addColumn<int>("times");
        QTest::newRow("in once") << true << 1;
        QTest::newRow("in five times") << true << 5;
        QTest::newRow("out once") << false << 1;
        QTest::newRow("out three times") << false << 3;
    }
    void zoomKeepsTheVisibleCentre()
    {
        QFETCH(bool, in);
        QFETCH(int, times);
        Window w;
        // A drawing far larger than its paper: the view never reaches the
        // end of the scroll range, where it would stop.
        QByteArray text = QByteArray(boxFigure) + "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 1\n\t 90000 90000\n";
        text.replace("Inches", "Metric");
        w.load(text.constData());
        w.frame->horizontalScrollBar()->setValue(300);
        w.frame->verticalScrollBar()->setValue(400);
        QCOMPARE(w.ctx().originX, 300);
        QCOMPARE(w.ctx().originY, 400);
        const int cx = w.frame->visibleWidth() / 2;
        const int cy = w.frame->visibleHeight() / 2;
        int figX = w.ctx().pixelToFigX(cx);
        int figY = w.ctx().pixelToFigY(cy);
        for (int i = 0; i < times; ++i) {
            in ? w.frame->zoomIn() : w.frame->zoomOut();
            const int tolerance = roundToInt(2 * 15 / w.ctx().zoom) + 2;
            QVERIFY2(std::abs(w.ctx().pixelToFigX(cx) - figX) <= tolerance,
                qPrintable(QString::number(w.ctx().pixelToFigX(cx) - figX)));
            QVERIFY(std::abs(w.ctx().pixelToFigY(cy) - figY) <= tolerance);
            figX = w.ctx().pixelToFigX(cx);
            figY = w.ctx().pixelToFigY(cy);
        }
        // The rulers start at the new origin and have the new scale.
        QCOMPARE(w.frame->horzRuler->origin, double(-w.ctx().originX));
        QCOMPARE(w.frame->vertRuler->origin, double(-w.ctx().originY));
        QCOMPARE(w.frame->horzRuler->rulerUnit, 80 / 2.54 * double(w.ctx().zoom) / 100);
    }

    void ctrlWheelZoomsAndThePlainWheelDoesNot()
    {
        Window w;
        w.wheel(120, Qt::ControlModifier);
        QCOMPARE(w.ctx().zoom, 1.1f);
        w.wheel(-120, Qt::ControlModifier);
        QCOMPARE(w.ctx().zoom, 1.0f);
        w.wheel(-120, Qt::NoModifier);
        QCOMPARE(w.ctx().zoom, 1.0f);
    }

    void zoomToSelectionAndBack()
    {
        Window w;
        w.load();
        w.frame->zoomToSelection(); // nothing selected: nothing happens
        QCOMPARE(w.ctx().zoom, 1.0f);
        QCOMPARE(w.ctx().savedZoom, -1.0f);
        w.frame->zoomToSelectionRevert();
        QCOMPARE(w.ctx().zoom, 1.0f);

        w.object(0)->selected = true;
        w.frame->zoomToSelection();
        // The box, 1000 x 700 Fig units (67 x 47 pixels), fills 80 % of the
        // window's width or height, whichever is tighter.
        const QRect box = w.bounds(0);
        int x0, y0, x1, y1;
        w.ctx().getSelectionBounds(w.ctx().objects(), x0, y0, x1, y1);
        const int width = roundToInt((x1 - x0) / 15.0f);
        const int height = roundToInt((y1 - y0) / 15.0f);
        const float fit = std::min(float(400 * 0.8 / width), float(300 * 0.8 / height));
        QCOMPARE(w.ctx().zoom, float(roundToDecimals(fit, 2)));
        const QPoint centre = w.pixelOf(box.center().x(), box.center().y());
        QVERIFY(std::abs(centre.x() - w.frame->visibleWidth() / 2) <= 2);
        QVERIFY(std::abs(centre.y() - w.frame->visibleHeight() / 2) <= 2);
        w.frame->zoomToSelectionRevert();
        QCOMPARE(w.ctx().zoom, 1.0f);
        QCOMPARE(w.ctx().originX, 0);
    }

    // ---- Scrolling ----

    // The scroll bars show where the view is after every zoom step, and
    // dragging a thumb moves the view with it without changing the thumb.
    void scrollBarsFollowTheView()
    {
        Window w;
        w.load();
        QScrollBar* bars[] = { w.frame->horizontalScrollBar(), w.frame->verticalScrollBar() };
        auto origin = [&](int axis) { return axis == 0 ? w.ctx().originX : w.ctx().originY; };
        auto check = [&](const char* step) {
            QCoreApplication::sendPostedEvents();
            for (int axis = 0; axis < 2; ++axis) {
                QVERIFY2(bars[axis]->value() == origin(axis),
                    qPrintable(QStringLiteral("%1, axis %2: bar %3, view %4")
                                   .arg(step)
                                   .arg(axis)
                                   .arg(bars[axis]->value())
                                   .arg(origin(axis))));
                QVERIFY(origin(axis) >= 0 && origin(axis) <= qMax(0, bars[axis]->maximum()));
            }
        };
        check("opened");
        for (int i = 0; i < 4; ++i) {
            w.frame->zoomIn();
            check("zoom in");
        }
        // Somewhere in the middle, then at the far end.
        for (QScrollBar* bar : bars)
            bar->setValue(bar->maximum() / 2);
        check("scrolled");
        for (int i = 0; i < 2; ++i) {
            w.frame->zoomIn();
            check("zoom in again");
        }
        for (QScrollBar* bar : bars)
            bar->setValue(bar->maximum());
        check("scrolled to the end");
        for (int i = 0; i < 2; ++i) {
            w.frame->zoomIn();
            check("zoom in at the end");
        }
        for (int i = 0; i < 9; ++i) {
            w.frame->zoomOut();
            check("zoom out");
        }
        for (int i = 0; i < 5; ++i) {
            w.frame->zoomIn();
            check("zoom in at last");
        }

        // Dragging the thumbs.
        for (int axis = 0; axis < 2; ++axis) {
            QScrollBar* bar = bars[axis];
            QVERIFY(bar->maximum() > 100);
            const int pageStep = bar->pageStep();
            const int maximum = bar->maximum();
            bar->setSliderDown(true);
            for (const int position : { 0, 10, 60, maximum / 2, maximum, 30 }) {
                bar->setSliderPosition(position);
                QCoreApplication::sendPostedEvents();
                QCOMPARE(bar->value(), position);
                QCOMPARE(origin(axis), position);
                QCOMPARE(bar->pageStep(), pageStep);
                QCOMPARE(bar->maximum(), maximum);
            }
            bar->setSliderDown(false);
        }

        // Dragging the thumbs with the mouse.
        for (int axis = 0; axis < 2; ++axis) {
            QScrollBar* bar = bars[axis];
            bar->setValue(0);
            QCoreApplication::sendPostedEvents();
            const int pageStep = bar->pageStep();
            const int maximum = bar->maximum();
            QStyleOptionSlider option;
            option.initFrom(bar);
            option.orientation = bar->orientation();
            option.minimum = bar->minimum();
            option.maximum = bar->maximum();
            option.sliderPosition = bar->sliderPosition();
            option.sliderValue = bar->value();
            option.singleStep = bar->singleStep();
            option.pageStep = bar->pageStep();
            option.upsideDown = bar->invertedAppearance();
            const QRect thumb
                = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
            QPoint at = thumb.center();
            QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, at);
            int last = 0;
            for (int step = 0; step < 5; ++step) {
                at += axis == 0 ? QPoint(15, 0) : QPoint(0, 15);
                QMouseEvent moveEvent(
                    QEvent::MouseMove, at, bar->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(bar, &moveEvent);
                QCoreApplication::sendPostedEvents();
                QVERIFY2(bar->value() > last, qPrintable(QString::number(bar->value())));
                last = bar->value();
                QCOMPARE(origin(axis), bar->value());
                QCOMPARE(bar->pageStep(), pageStep);
                QCOMPARE(bar->maximum(), maximum);
            }
            QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, at);
            QCOMPARE(origin(axis), bar->value());
        }
    }

    // The scroll range covers the paper and the drawing together, so every
    // part of a drawing larger than its paper can be scrolled to, and the
    // paper's far corner too.
    void scrollRangeCoversPaperAndDrawing_data()
    {
        QTest::addColumn<QByteArray>("object");
        QTest::addColumn<QPoint>("corner");
        QTest::addColumn<float>("zoom");
        const QByteArray large = "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
                                 "\t 1200 1200 30000 1200 30000 24000 1200 24000 1200 1200\n";
        QTest::newRow("drawing larger than the paper") << large << QPoint(30000, 24000) << 1.0f;
        QTest::newRow("larger, zoomed in") << large << QPoint(30000, 24000) << 1.46f;
        // The paper frame of Letter, in whole centimetres: 22 x 28.
        QTest::newRow("drawing on the paper") << QByteArray() << QPoint(10394, 13228) << 1.0f;
        QTest::newRow("on the paper, zoomed in") << QByteArray() << QPoint(10394, 13228) << 2.15f;
    }
    void scrollRangeCoversPaperAndDrawing()
    {
        QFETCH(QByteArray, object);
        QFETCH(QPoint, corner);
        QFETCH(float, zoom);
        Window w;
        w.load((QByteArray(boxFigure) + object).constData());
        while (w.ctx().zoom < zoom)
            w.frame->zoomIn();
        QCOMPARE(w.ctx().zoom, zoom);
        QCoreApplication::sendPostedEvents();
        w.frame->horizontalScrollBar()->setValue(w.frame->horizontalScrollBar()->maximum());
        w.frame->verticalScrollBar()->setValue(w.frame->verticalScrollBar()->maximum());
        // The far corner is at the edges of the view, give or take a pixel.
        const QPoint p = w.pixelOf(corner.x(), corner.y());
        const QSize view = w.frame->viewport()->size();
        QVERIFY2(p.x() <= view.width() && p.x() >= view.width() - 2,
            qPrintable(QStringLiteral("%1 of %2").arg(p.x()).arg(view.width())));
        QVERIFY2(p.y() <= view.height() && p.y() >= view.height() - 2,
            qPrintable(QStringLiteral("%1 of %2").arg(p.y()).arg(view.height())));
    }

    // ---- Rulers ----

    void rulerScaleFollowsZoomAndUnit_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<double>("unitPixels"); // pixels of a whole centimetre or inch
        QTest::newRow("cm at 100 %") << true << 1.0f << 80 / 2.54;
        QTest::newRow("cm at 200 %") << true << 2.0f << 160 / 2.54;
        QTest::newRow("inch at 100 %") << false << 1.0f << 80.0;
        QTest::newRow("inch at 200 %") << false << 2.0f << 160.0;
    }
    void rulerScaleFollowsZoomAndUnit()
    {
        QFETCH(bool, metric);
        QFETCH(float, zoom);
        QFETCH(double, unitPixels);
        Window w;
        w.ctx().metric = metric;
        w.ctx().zoom = zoom;
        w.frame->updateRulerScale();
        QVERIFY(std::abs(w.frame->horzRuler->rulerUnit * 100 - unitPixels) < 1e-9);
        QVERIFY(std::abs(w.frame->vertRuler->rulerUnit * 100 - unitPixels) < 1e-9);
    }

    // The rulers count in the unit of the document from the moment it is
    // opened: inches for an inch file, centimetres for a metric one.
    void rulerUnitOfAnOpenedFile_data()
    {
        QTest::addColumn<bool>("metricDefault");
        QTest::addColumn<QByteArray>("units");
        QTest::addColumn<double>("unitPixels");
        QTest::newRow("inch file, metric default") << true << QByteArray("Inches") << 80.0;
        QTest::newRow("metric file, inch default") << false << QByteArray("Metric") << 80 / 2.54;
    }
    void rulerUnitOfAnOpenedFile()
    {
        QFETCH(bool, metricDefault);
        QFETCH(QByteArray, units);
        QFETCH(double, unitPixels);
        Window w;
        w.ctx().metric = metricDefault;
        w.frame->updateRulerScale();
        QByteArray text(boxFigure);
        text.replace("Inches", units);
        w.load(text.constData());
        QCOMPARE(w.ctx().metric, units == "Metric");
        QVERIFY(std::abs(w.frame->horzRuler->rulerUnit * 100 - unitPixels) < 1e-9);
        QVERIFY(std::abs(w.frame->vertRuler->rulerUnit * 100 - unitPixels) < 1e-9);
    }

    void rulersByPreference_data()
    {
        QTest::addColumn<bool>("horz");
        QTest::addColumn<bool>("vert");
        QTest::addColumn<QSize>("corner");
        QTest::newRow("both") << true << true << QSize(20, 20);
        QTest::newRow("no horizontal ruler") << false << true << QSize(20, 0);
        QTest::newRow("no vertical ruler") << true << false << QSize(0, 20);
    }
    void rulersByPreference()
    {
        QFETCH(bool, horz);
        QFETCH(bool, vert);
        QFETCH(QSize, corner);
        preferences.horzRuler = horz;
        preferences.vertRuler = vert;
        Window w;
        QCOMPARE(w.frame->horzRuler != nullptr, horz);
        QCOMPARE(w.frame->vertRuler != nullptr, vert);
        QCOMPARE(w.frame->rulerCorner->size(), corner);
        const int frame = w.frame->frameWidth();
        QCOMPARE(w.frame->viewport()->geometry().topLeft(), QPoint(corner.width() + frame, corner.height() + frame));
        w.frame->setRulers(false, false);
        QVERIFY(!w.frame->horzRuler && !w.frame->vertRuler && !w.frame->rulerCorner);
    }

    // The pointer mark follows the snapped position.
    void rulerMarksTheSnappedPointer()
    {
        Window w;
        w.ctx().metric = false;
        w.ctx().gridIndex = 2; // one inch
        preferences.snapMode = 1;
        canvasAction.actionInProgress = 1;
        editMode = EditMode::Polyline;
        w.move(QPoint(87, 77)); // (1305, 1155) snaps to (1200, 1200)
        QCOMPARE(QPoint(w.frame->figX, w.frame->figY), QPoint(1200, 1200));
        QCOMPARE(w.frame->horzRuler->cursorPos.x(), 80);
        QCOMPARE(w.frame->vertRuler->cursorPos.y(), 80);
    }

    // ---- Snapping ----

    // The inch grid of one inch (1200 Fig units); the pointer at pixel
    // (87, 77) is (1305, 1155), the grid point (1200, 1200); the polyline's
    // vertex (3590, 1210) lies within five pixels of pixel (240, 80).
    void snappingByMode_data()
    {
        QTest::addColumn<int>("snapMode");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("event");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QPoint>("fig");
        const QPoint off(87, 77);
        const QPoint nearVertex(240, 80);
        QTest::newRow("press in a creation mode before the gesture")
            << 1 << 6 << 0 << "press" << off << QPoint(1200, 1200);
        QTest::newRow("move in a creation mode before the gesture")
            << 1 << 6 << 0 << "move" << off << QPoint(1305, 1155);
        QTest::newRow("move during the gesture") << 1 << 6 << 1 << "move" << off << QPoint(1200, 1200);
        QTest::newRow("release during the gesture") << 1 << 6 << 1 << "release" << off << QPoint(1200, 1200);
        QTest::newRow("release without gesture") << 1 << 6 << 0 << "release" << off << QPoint(1305, 1155);
        QTest::newRow("press in a picking mode without gesture")
            << 1 << 36 << 0 << "press" << off << QPoint(1305, 1155);
        QTest::newRow("press in a picking mode during a gesture")
            << 1 << 37 << 1 << "press" << off << QPoint(1200, 1200);
        QTest::newRow("never while selecting") << 1 << 67 << 1 << "move" << off << QPoint(1305, 1155);
        QTest::newRow("snapping off") << 0 << 6 << 1 << "move" << off << QPoint(1305, 1155);
        QTest::newRow("vertex before grid") << 3 << 6 << 1 << "move" << nearVertex << QPoint(3590, 1210);
        QTest::newRow("vertex before grid at a press") << 3 << 6 << 0 << "press" << nearVertex << QPoint(3590, 1210);
        QTest::newRow("grid only") << 1 << 6 << 1 << "move" << nearVertex << QPoint(3600, 1200);
        QTest::newRow("vertex only, none near") << 2 << 6 << 1 << "move" << off << QPoint(1305, 1155);
        QTest::newRow("dragging the selection by the pointer") << 1 << 68 << 1 << "move" << off << QPoint(1200, 1200);
    }
    void snappingByMode()
    {
        QFETCH(int, snapMode);
        QFETCH(int, mode);
        QFETCH(int, action);
        QFETCH(QString, event);
        QFETCH(QPoint, pixel);
        QFETCH(QPoint, fig);
        Window w;
        w.load();
        w.ctx().gridIndex = 2;
        preferences.snapMode = snapMode;
        editMode = mode;
        canvasAction.actionInProgress = action;
        if (event == QLatin1String("press"))
            w.press(pixel);
        else if (event == QLatin1String("move"))
            w.move(pixel);
        else
            w.release(pixel);
        QCOMPARE(QPoint(w.frame->figX, w.frame->figY), fig);
    }

    // While the selection is dragged, its chosen edge goes onto the grid
    // rather than the pointer.
    void draggedSelectionSnapsItsEdge()
    {
        Window w;
        w.load();
        w.ctx().gridIndex = 2;
        preferences.snapMode = 1;
        editMode = EditMode::MoveSelection;
        w.object(0)->selected = true; // left edge at 1300
        canvasAction.actionInProgress = 1;
        canvasAction.anchorX = 1300;
        canvasAction.anchorY = 1300;
        dragSnapEdgeX = 1;
        dragSnapEdgeY = 2;
        w.move(QPoint(160, 127)); // (2400, 1905): the box moved by (1100, 605)
        // Moved by (1100, 1100): the left edge at 2400, the top at 2400.
        QCOMPARE(QPoint(w.frame->figX, w.frame->figY), QPoint(2400, 2400));
        QCOMPARE((w.frame->figX - canvasAction.anchorX + 1300) % 1200, 0);
    }

    // ---- Keys ----

    // With the grid of one inch, an arrow takes the selection's edge in its
    // direction to the next grid line; otherwise the selection moves one
    // screen pixel (15 Fig units at 80 dots per inch).
    void arrowKeysNudgeTheSelection_data()
    {
        QTest::addColumn<int>("snapMode");
        QTest::addColumn<int>("grid");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("ctrl");
        QTest::addColumn<QPoint>("offset");
        QTest::newRow("right to the grid") << 1 << 2 << 1.0f << int(Qt::Key_Right) << false << QPoint(100, 0);
        QTest::newRow("left to the grid") << 1 << 2 << 1.0f << int(Qt::Key_Left) << false << QPoint(-100, 0);
        QTest::newRow("down to the grid") << 1 << 2 << 1.0f << int(Qt::Key_Down) << false << QPoint(0, 400);
        QTest::newRow("up to the grid") << 1 << 2 << 1.0f << int(Qt::Key_Up) << false << QPoint(0, -100);
        QTest::newRow("one pixel right without grid") << 1 << 0 << 1.0f << int(Qt::Key_Right) << false << QPoint(15, 0);
        QTest::newRow("one pixel up without snapping") << 0 << 2 << 1.0f << int(Qt::Key_Up) << false << QPoint(0, -15);
        QTest::newRow("one pixel with Ctrl") << 1 << 2 << 1.0f << int(Qt::Key_Left) << true << QPoint(-15, 0);
        QTest::newRow("one pixel at 200 %") << 0 << 0 << 2.0f << int(Qt::Key_Down) << false << QPoint(0, 8);
    }
    void arrowKeysNudgeTheSelection()
    {
        QFETCH(int, snapMode);
        QFETCH(int, grid);
        QFETCH(float, zoom);
        QFETCH(int, key);
        QFETCH(bool, ctrl);
        QFETCH(QPoint, offset);
        Window w;
        w.load();
        w.ctx().gridIndex = grid;
        w.ctx().zoom = zoom;
        preferences.snapMode = snapMode;
        editMode = EditMode::Select;
        w.object(0)->selected = true;
        const QRect before = w.bounds(0);
        const QRect other = w.bounds(1);
        w.key(key, ctrl ? Qt::ControlModifier : Qt::NoModifier);
        QCOMPARE(w.bounds(0), before.translated(offset));
        QCOMPARE(w.bounds(1), other); // not selected: stays
        QCOMPARE(w.ctx().undoHistory.undoSteps.size(), 1);
        QVERIFY(!w.frame->canvasPainter.isActive());
        w.frame->undo();
        QCOMPARE(w.bounds(0), before);
    }

    // Arrows and Delete act in the select, drag, point-moving and creation
    // modes only, and never while a gesture is in progress: the gesture
    // would lose the objects it works on.
    void keysLeaveTheSelectionAlone_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("key");
        QTest::newRow("arrow in the copy mode") << 34 << 0 << int(Qt::Key_Right);
        QTest::newRow("arrow in the flip mode") << 56 << 0 << int(Qt::Key_Up);
        QTest::newRow("Delete in the copy mode") << 34 << 0 << int(Qt::Key_Delete);
        QTest::newRow("arrow during a drag") << 68 << 1 << int(Qt::Key_Left);
        QTest::newRow("arrow while a polyline is drawn") << 6 << 1 << int(Qt::Key_Down);
        QTest::newRow("Delete during a drag") << 68 << 1 << int(Qt::Key_Delete);
        QTest::newRow("Delete while moving a point") << 37 << 1 << int(Qt::Key_Delete);
    }
    void keysLeaveTheSelectionAlone()
    {
        QFETCH(int, mode);
        QFETCH(int, action);
        QFETCH(int, key);
        Window w;
        w.load();
        editMode = mode;
        canvasAction.actionInProgress = action;
        w.object(0)->selected = true;
        const QRect before = w.bounds(0);
        w.key(key);
        QCOMPARE(w.ctx().objects()->size(), size_t(3));
        QCOMPARE(w.bounds(0), before);
        QVERIFY(w.ctx().undoHistory.undoSteps.isEmpty());
    }

    void deleteRemovesTheSelectionAsOneStep()
    {
        Window w;
        w.load();
        editMode = EditMode::Select;
        w.object(0)->selected = true;
        w.object(2)->selected = true;
        w.ctx().currentObject = w.object(0);
        w.key(Qt::Key_Delete);
        QCOMPARE(w.ctx().objects()->size(), size_t(1));
        QCOMPARE(w.ctx().currentObject, nullptr);
        QCOMPARE(w.ctx().undoHistory.undoSteps.size(), 1);
        w.frame->undo();
        QCOMPARE(w.ctx().objects()->size(), size_t(3));
    }

    void escapeDeselectsInEveryMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("page");
        QTest::newRow("copy") << 34 << 6; // the empty attribute page
        QTest::newRow("select") << 67 << 6;
        QTest::newRow("polyline") << 6 << 3; // a creation mode keeps its page
    }
    void escapeDeselectsInEveryMode()
    {
        QFETCH(int, mode);
        QFETCH(int, page);
        QTMainFrm main;
        Window w(&main);
        w.load();
        main.attrsStack->setCurrentIndex(3);
        QSignalSpy comment(&main, &QTMainFrm::commentChanged);
        editMode = mode;
        w.object(0)->selected = true;
        w.object(0)->markerState = 2;
        w.ctx().currentObject = w.object(0);
        w.key(Qt::Key_Escape);
        QVERIFY(!w.object(0)->selected);
        QCOMPARE(w.object(0)->markerState, 0);
        QCOMPARE(w.ctx().currentObject, nullptr);
        QCOMPARE(main.attrsStack->currentIndex(), page);
        QVERIFY(!comment.isEmpty());
        QCOMPARE(comment.last(), QVariantList({ false }));
    }

    void shiftAndCtrlFollowTheKeys()
    {
        Window w;
        int calls = 0;
        static int* counter = nullptr;
        counter = &calls;
        canvasHandlers.shiftKeyHandler = [](CFigContext*, int, int) { ++*counter; };
        // The events carry the modifiers held before the key itself; Qt
        // adds or removes the key's own modifier.
        w.key(Qt::Key_Shift, Qt::NoModifier);
        QVERIFY(shiftKeyDown);
        w.key(Qt::Key_A, Qt::ShiftModifier); // still down: no second call
        QCOMPARE(calls, 1);
        w.key(Qt::Key_Control, Qt::ShiftModifier);
        QVERIFY(ctrlKeyDown);
        w.key(Qt::Key_Shift, Qt::ShiftModifier | Qt::ControlModifier, QEvent::KeyRelease);
        QVERIFY(!shiftKeyDown);
        QVERIFY(ctrlKeyDown);
        QCOMPARE(calls, 2);
        w.key(Qt::Key_Control, Qt::ControlModifier, QEvent::KeyRelease);
        QVERIFY(!ctrlKeyDown);
    }

    // ---- Mouse ----

    void rightDragPansTheView()
    {
        Window w;
        w.ctx().originX = 100;
        w.ctx().originY = 100;
        w.press(QPoint(200, 150), Qt::RightButton);
        w.move(QPoint(170, 140), Qt::RightButton);
        QCOMPARE(QPoint(w.ctx().originX, w.ctx().originY), QPoint(130, 110));
        w.move(QPoint(180, 160), Qt::RightButton);
        QCOMPARE(QPoint(w.ctx().originX, w.ctx().originY), QPoint(120, 90));
        QCOMPARE(w.frame->horzRuler->origin, -120.0);
        QCOMPARE(w.frame->vertRuler->origin, -90.0);
        QCOMPARE(w.frame->horizontalScrollBar()->value(), 120);
        w.release(QPoint(180, 160), Qt::RightButton);
        w.move(QPoint(10, 10)); // released: no pan
        QCOMPARE(QPoint(w.ctx().originX, w.ctx().originY), QPoint(120, 90));
        QVERIFY(!w.frame->canvasPainter.isActive());
    }

    void rightClickInACreationModeWithoutHandlerCancels()
    {
        Window w;
        w.load();
        editMode = EditMode::Polyline;
        w.object(1)->selected = true;
        w.ctx().currentObject = w.object(1);
        w.press(QPoint(5, 5), Qt::RightButton);
        QVERIFY(!w.object(1)->selected);
        QCOMPARE(w.ctx().currentObject, nullptr);
    }

    // A handler runs with the painter begun and the antialiasing hint of the
    // preference; the painter is ended before the event returns.
    void handlersRunInsideThePainterBracket()
    {
        Window w;
        preferences.antialiasing = true;
        canvasHandlers.leftPressHandler = recordingHandler;
        canvasHandlers.leftReleaseHandler = recordingHandler;
        canvasHandlers.moveHandler = recordingHandler;
        editMode = EditMode::Delete;
        w.press(QPoint(10, 10));
        QVERIFY(painterActiveInHandler);
        QVERIFY(hintInHandler);
        w.move(QPoint(12, 10));
        QVERIFY(painterActiveInHandler);
        QVERIFY(hintInHandler);
        editMode = EditMode::Select; // no antialiasing while selecting
        w.move(QPoint(13, 10));
        QVERIFY(!hintInHandler);
        w.release(QPoint(13, 10));
        QVERIFY(!hintInHandler);
        QCOMPARE(pressedHandlerCalls, 4);
        QVERIFY(!w.frame->canvasPainter.isActive());
        w.move(QPoint(13, 10)); // the same position: nothing
        QCOMPARE(pressedHandlerCalls, 4);
    }

    // A creation mode's cancel handler draws without antialiasing, any other
    // right-press handler with the preference.
    void rightPressHandlersAndTheirHint()
    {
        Window w;
        preferences.antialiasing = true;
        registerCancelHandler(cancellingHandler);
        canvasHandlers.rightPressHandler = cancellingHandler;
        w.press(QPoint(10, 10), Qt::RightButton);
        QVERIFY(painterActiveInHandler);
        QVERIFY(!hintInHandler);
        canvasHandlers.rightPressHandler = recordingHandler;
        w.press(QPoint(10, 10), Qt::RightButton);
        QVERIFY(hintInHandler);
        QVERIFY(!w.frame->canvasPainter.isActive());
    }

    // Dragging an end point of an open polyline over a possible link target
    // shows the cross cursor; leaving it brings the arrow back.
    void linkTargetFeedback()
    {
        Window w;
        w.load();
        editMode = EditMode::MovePoint;
        canvasAction.actionInProgress = 1;
        auto* line = static_cast<FigLine*>(w.object(1));
        w.ctx().currentObject = line;
        movingPoint = line->points; // its first point
        const QPoint onBox = w.pixelOf(1300, 1600);
        w.move(onBox);
        QCOMPARE(w.frame->viewport()->cursor().shape(), Qt::CrossCursor);
        QVERIFY(w.ctx().linkCursorShown);
        w.move(QPoint(300, 250));
        QCOMPARE(w.frame->viewport()->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!w.ctx().linkCursorShown);
        // A middle point takes no link.
        movingPoint = line->points->next;
        w.move(onBox);
        QCOMPARE(w.frame->viewport()->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!w.ctx().linkCursorShown);
        movingPoint = nullptr;
    }

    // A redraw inside a gesture that began the painter leaves it active for
    // the gesture; on its own it ends it.
    void redrawsNestInAGesture()
    {
        Window w;
        w.frame->redisplayCanvas();
        QVERIFY(!w.frame->canvasPainter.isActive());
        w.frame->beginCanvasPainter();
        w.frame->redisplayCanvas();
        w.frame->redrawObjectList(w.ctx().objects(), false);
        w.frame->drawMarkerAt(100, 100);
        QVERIFY(w.frame->canvasPainter.isActive());
        w.frame->endCanvasPainter();
        QVERIFY(!w.frame->canvasPainter.isActive());
    }

    void resizeReplacesTheCanvasImage()
    {
        Window w;
        QCOMPARE(w.frame->canvasImage->size(), QSize(400, 300));
        const QImage* image = w.frame->canvasImage;
        QResizeEvent same(QSize(400, 300), QSize(400, 300));
        QApplication::sendEvent(w.frame, &same);
        QCOMPARE(w.frame->canvasImage, image);
        w.frame->resize(500, 350);
        QCoreApplication::processEvents();
        QCOMPARE(w.frame->canvasImage->size(), QSize(500, 350));
        QCOMPARE(QSize(w.frame->imageWidth, w.frame->imageHeight), QSize(500, 350));
    }

    // The tip appears at the pointer: QToolTip takes global coordinates.
    void commentTipAtThePointer()
    {
        QTMainFrm main;
        Window w(&main);
        w.load();
        preferences.commentTipDelay = 700;
        const QPoint onBox = w.pixelOf(1300, 1600);
        w.mouse(QEvent::MouseMove, onBox, Qt::NoButton, Qt::NoButton, QPoint(1234, 567));
        QVERIFY(main.commentTipTimer.isActive());
        QCOMPARE(main.commentTipTimer.interval(), 700);
        QCOMPARE(main.commentTipPos, QPoint(1234, 567));
        QCOMPARE(main.commentTipText, QStringLiteral("the box"));
        QCOMPARE(main.hoveredObject, w.object(0));

        w.move(onBox + QPoint(0, 1)); // on the box still: started again
        QVERIFY(main.commentTipTimer.isActive());
        w.move(QPoint(300, 250)); // away from every object
        QVERIFY(!main.commentTipTimer.isActive());
        QCOMPARE(main.hoveredObject, nullptr);
        w.move(onBox);
        w.press(onBox);
        QVERIFY(!main.commentTipTimer.isActive());

        // No tip while a gesture runs.
        w.release(onBox);
        canvasAction.actionInProgress = 1;
        w.move(onBox + QPoint(1, 0));
        QVERIFY(!main.commentTipTimer.isActive());
    }

    // Closing a document while the pointer rests on one of its objects leaves
    // no tip pending on the freed object.
    void closingForgetsThePendingTip()
    {
        QTMainFrm main;
        auto w = std::make_unique<Window>(&main);
        w->load();
        w->move(w->pixelOf(1300, 1600));
        QVERIFY(main.commentTipTimer.isActive());
        QVERIFY(main.hoveredObject);
        w.reset();
        QVERIFY(!main.commentTipTimer.isActive());
        QCOMPARE(main.hoveredObject, nullptr);
    }

    void copyCutAndPasteWaitForTheGesture()
    {
        Window w;
        w.load();
        w.object(0)->selected = true;
        canvasAction.actionInProgress = 1;
        w.frame->copy();
        QCOMPARE(clipboardObjects, nullptr);
        w.frame->cut();
        QCOMPARE(w.ctx().objects()->size(), size_t(3));
        canvasAction.actionInProgress = 0;

        w.frame->copy();
        QVERIFY(clipboardObjects);
        QCOMPARE(clipboardObjects->size(), size_t(1));
        QVERIFY(!clipboardObjects->front()->selected);
        QVERIFY(clipboardObjects->front()->id != w.object(0)->id);

        w.frame->cut();
        QCOMPARE(w.ctx().objects()->size(), size_t(2));
        QCOMPARE(clipboardObjects->size(), size_t(1));
        editMode = EditMode::Select;
        w.frame->paste();
        QCOMPARE(editMode, int(EditMode::Paste));
        QCOMPARE(previousEditMode, int(EditMode::Select));
    }

    void buttonStatesFollowTheSelection()
    {
        Window w;
        w.load();
        QSignalSpy compound(w.frame, &QTChildFrm::compoundButtonsStateChanged);
        QSignalSpy convert(w.frame, &QTChildFrm::convertLineSplineButtonStateChanged);
        QSignalSpy align(w.frame, &QTChildFrm::alignButtonsStateChanged);
        QSignalSpy clip(w.frame, &QTChildFrm::addClipToLibraryButtonStateChanged);
        w.object(1)->selected = true;
        w.ctx().currentObject = w.object(1); // an open polyline
        w.release(QPoint(5, 5));
        QCOMPARE(compound.last(), QVariantList({ true, false, false, false }));
        QCOMPARE(convert.last(), QVariantList({ true }));
        QCOMPARE(align.last(), QVariantList({ true }));
        QCOMPARE(clip.count(), 1);
        w.ctx().currentObject = w.object(0); // a box
        w.object(1)->selected = false;
        w.frame->refreshButtonStates();
        QCOMPARE(convert.last(), QVariantList({ false }));
        QCOMPARE(align.last(), QVariantList({ false }));
    }

    // ---- Document commands ----

    void compoundsAsUndoSteps()
    {
        Window w;
        w.load();
        w.object(0)->selected = true;
        w.object(1)->selected = true;
        w.frame->createCompound();
        QCOMPARE(w.ctx().objects()->size(), size_t(2));
        FigObject* compound = w.ctx().objects()->back();
        QCOMPARE(compound->type, int(FigObject::Compound));
        QCOMPARE(static_cast<FigCompound*>(compound)->members->size(), size_t(2));
        QCOMPARE(w.ctx().undoHistory.undoSteps.size(), 1);

        // Open for editing: its members become the list worked on.
        w.ctx().currentObject = compound;
        w.frame->openCompound();
        QCOMPARE(w.ctx().objects(), static_cast<FigCompound*>(compound)->members);
        QVERIFY(allMarkersShown);
        w.frame->closeCompound();
        QCOMPARE(w.ctx().objects(), &w.ctx().drawing.objects);

        compound->selected = true;
        w.frame->breakCompound();
        QCOMPARE(w.ctx().objects()->size(), size_t(3));
        QCOMPARE(w.ctx().undoHistory.undoSteps.size(), 2);
        w.frame->undo();
        w.frame->undo();
        QCOMPARE(w.ctx().objects()->size(), size_t(3));
        QVERIFY(!w.frame->canvasPainter.isActive());
    }

    void alignmentMovesEachObjectToTheEdge()
    {
        Window w;
        w.load();
        w.object(0)->selected = true; // left edge 1300
        w.object(1)->selected = true; // left edge 3590
        alignMode.horizontal = 1;
        alignMode.vertical = 0;
        w.frame->alignSelection();
        alignMode = AlignMode();
        // The outlines' edges, strokes included, line up.
        QCOMPARE(w.bounds(1, true).left(), w.bounds(0, true).left());
        QCOMPARE(w.bounds(1).top(), 1210);
        QCOMPARE(w.ctx().undoHistory.undoSteps.size(), 1);
        QCOMPARE(w.ctx().undoHistory.undoSteps.first()->size(), 1); // the box stayed
    }

    void convertLineSplineOnlyWithACurrentObject()
    {
        Window w;
        w.load();
        w.frame->convertLineSpline(); // no current object: nothing
        QVERIFY(w.ctx().undoHistory.undoSteps.isEmpty());
        w.ctx().currentObject = w.object(1);
        w.frame->convertLineSpline();
        QCOMPARE(w.object(2)->type, int(FigObject::Spline)); // in place of the polyline, at the end
        QCOMPARE(w.ctx().undoHistory.undoSteps.size(), 1);
        w.frame->undo();
        QCOMPARE(w.object(1)->type, int(FigObject::Polyline)); // back at its place
        w.frame->redo();
        QCOMPARE(w.object(2)->type, int(FigObject::Spline));
        w.frame->undo();

        // A two-point polyline cannot become a spline: no step.
        FigPoint* second = static_cast<FigLine*>(w.object(1))->points->next;
        delete second->next;
        second->next = nullptr;
        w.ctx().currentObject = w.object(1);
        w.frame->convertLineSpline();
        QCOMPARE(w.object(1)->type, int(FigObject::Polyline));
        QCOMPARE(w.ctx().undoHistory.undoSteps.size(), 0);
    }

    void smartLinksAskFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("steps");
        QTest::newRow("cancelled") << int(QMessageBox::Cancel) << 0;
        QTest::newRow("confirmed") << int(QMessageBox::Yes) << 1;
    }
    void smartLinksAskFirst()
    {
        QFETCH(int, answer);
        QFETCH(int, steps);
        Window w;
        w.load();
        MessageBoxRecorder boxes { QMessageBox::StandardButton(answer) };
        w.frame->createSmartLinks();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes.first().title, QStringLiteral("Create Smart Links?"));
        QCOMPARE(boxes.boxes.first().defaultButton, QMessageBox::Yes);
        QCOMPARE(w.ctx().undoHistory.undoSteps.size(), steps);
        QCOMPARE(w.ctx().modified, steps > 0);
    }

    void selectAllOnlyWhilePicking_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("selects");
        QTest::newRow("select") << 67 << true;
        QTest::newRow("drag") << 68 << true;
        QTest::newRow("move point") << 37 << true;
        QTest::newRow("polyline") << 6 << false;
        QTest::newRow("copy") << 34 << false;
    }
    void selectAllOnlyWhilePicking()
    {
        QFETCH(int, mode);
        QFETCH(bool, selects);
        Window w;
        w.load();
        editMode = mode;
        QSignalSpy align(w.frame, &QTChildFrm::alignButtonsStateChanged);
        w.frame->selectAll();
        for (int i = 0; i < 3; ++i)
            QCOMPARE(w.object(i)->selected, selects);
        QCOMPARE(align.count(), selects ? 1 : 0);
    }

    // Select All shows what it selected: the selection markers of every
    // object, also after the next redraw.
    void selectAllShowsTheSelectionMarkers()
    {
        Window w;
        w.load();
        editMode = 67;
        w.frame->redisplayCanvas();
        const QList<QPoint> corners { { 1300, 1300 }, { 2300, 2000 }, { 3590, 1210 }, { 4800, 1500 } };
        auto red = [&](const QPoint& p) {
            return (w.frame->canvasImage->pixel(w.pixelOf(p.x(), p.y())) & 0xffffff) == 0xff0000;
        };
        for (const QPoint& p : corners)
            QVERIFY(!red(p));
        w.frame->selectAll();
        for (int i = 0; i < 3; ++i)
            QCOMPARE(w.object(i)->markerState, 2);
        for (const QPoint& p : corners)
            QVERIFY2(red(p), qPrintable(QStringLiteral("%1 %2").arg(p.x()).arg(p.y())));
        w.frame->redisplayCanvas();
        for (const QPoint& p : corners)
            QVERIFY(red(p));
        // Escape takes the selection and its markers away again.
        w.key(Qt::Key_Escape);
        for (const QPoint& p : corners)
            QVERIFY(!red(p));
    }

    void figurePropertiesMarkTheDocumentModified_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void figurePropertiesMarkTheDocumentModified()
    {
        QFETCH(bool, accept);
        Window w;
        w.load();
        QTimer::singleShot(0, w.frame, [accept] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                accept ? dialog->accept() : dialog->reject();
        });
        w.frame->openFigureProperties();
        QCOMPARE(w.ctx().modified, accept);
    }

    // The pointer finds an arc along its curve between its end points, not on
    // the rest of its circle.
    void objectUnderThePointerOnAnArc_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("found");
        QTest::newRow("top of the arc") << QPoint(3000, 3410) << true;
        QTest::newRow("on its slope") << QPoint(3424, 3576) << true;
        QTest::newRow("end point") << QPoint(3610, 4000) << true;
        QTest::newRow("other half of the circle") << QPoint(3000, 4600) << false;
        QTest::newRow("inside the circle") << QPoint(3000, 3700) << false;
    }
    void objectUnderThePointerOnAnArc()
    {
        QFETCH(QPoint, at);
        QFETCH(bool, found);
        Window w;
        w.load("#FIG 3.2\nPortrait\nFlush left\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n"
               "# upper half\n"
               "5 1 0 1 0 7 50 -1 -1 0.000 0 0 0 0 3000.000 4000.000 2400 4000 3000 3400 3600 4000\n");
        int hitX = 0;
        int hitY = 0;
        FigObject* object = w.ctx().findObjectUnderCursor(at.x(), at.y(), hitX, hitY);
        QCOMPARE(object != nullptr, found);
        if (found) {
            QCOMPARE(object->comment, QStringLiteral("upper half"));
            // The hit is a pixel of the traced curve: within one pixel (15
            // Fig units here) of the exact circle.
            QVERIFY(std::abs(std::hypot(hitX - 3000, hitY - 4000) - 600) <= 15 * std::sqrt(2.0));
        }
    }

    // Both export commands hand the document and its file to the dialog; with
    // no export made yet, export-again shows the dialog too.
    void exportHandsOverTheDocument_data()
    {
        QTest::addColumn<bool>("again");
        QTest::newRow("export") << false;
        QTest::newRow("export again, none made yet") << true;
    }
    void exportHandsOverTheDocument()
    {
        QFETCH(bool, again);
        Window w;
        w.load();
        bool shown = false;
        QTimer::singleShot(0, w.frame, [&shown] {
            if (auto* dialog = qobject_cast<ExportDlg*>(QApplication::activeModalWidget())) {
                shown = true;
                dialog->reject();
            }
        });
        QVERIFY(!(again ? w.frame->exportAgain() : w.frame->exportFile()));
        QVERIFY(shown);
        QCOMPARE(w.frame->exportDlg->context(), w.frame->figContext);
        QCOMPARE(w.frame->exportDlg->fileName(), QDir::toNativeSeparators(w.frame->curFile));
    }

    void deletedGridSwitchesToNone()
    {
        Window w;
        w.ctx().gridIndex = 8;
        w.frame->gridDeleted(8);
        QCOMPARE(w.ctx().gridIndex, 0);
    }
};

TAVREL_TEST_MAIN(TestChildFrame)
#include "tst_childframe.moc"
