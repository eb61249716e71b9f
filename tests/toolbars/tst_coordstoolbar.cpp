// The measurement panel: the pointer position in canvas pixels and in the
// document's unit, and the measures of the gesture under way by edit mode,
// of a dragged polyline point and of a dragged circle or ellipse point; in a
// running program its labels follow the pointer on the canvas.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "edit/pointmove.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "support/editsession.h"
#include "support/testenv.h"
#include "toolbars/coordstoolbar.h"
#include "toolbars/drawingattributes.h"
#include "toolbars/shapestoolbar.h"

#include <QLabel>
#include <QToolButton>

namespace {

QStringList labelTexts(const CoordsToolbar& panel)
{
    QStringList texts;
    for (const QLabel* label : panel.coords)
        texts << label->text();
    return texts;
}

// The panel with "keep5" and "keep6" in its measure labels, which a mode that
// measures nothing leaves there.
void prefill(CoordsToolbar& panel)
{
    panel.coords[4]->setText(QStringLiteral("keep5"));
    panel.coords[5]->setText(QStringLiteral("keep6"));
}

// A polyline of the given sub-type through the points.
FigLine* lineThrough(int subType, const QList<QPoint>& points)
{
    auto* line = new FigLine(1);
    line->subType = subType;
    FigPoint** link = &line->points;
    for (const QPoint& p : points) {
        *link = new FigPoint(p.x(), p.y());
        link = &(*link)->next;
    }
    return line;
}

FigPoint* pointAt(FigLine* line, int index)
{
    FigPoint* p = line->points;
    while (p && index-- > 0)
        p = p->next;
    return p;
}

void resetEditing()
{
    editMode = -1;
    canvasAction.actionInProgress = 0;
    canvasAction.anchorX = canvasAction.anchorY = 0;
    canvasAction.lastClickPoint.x = canvasAction.lastClickPoint.y = 0;
    movingPoint = movingPointPrev = movingPointNext = nullptr;
}

} // namespace

class TestCoordsToolbar : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        currentAttrs = DrawingAttributes();
        resetEditing();
    }
    void cleanup() { resetEditing(); }

    void form()
    {
        CoordsToolbar panel(nullptr);
        QCOMPARE(panel.windowTitle(), QStringLiteral("Form"));
        QCOMPARE(panel.layoutWidget->objectName(), QStringLiteral("layoutWidget"));
        QCOMPARE(panel.layoutWidget->frameShape(), QFrame::Box);
        QCOMPARE(panel.layoutWidget->frameShadow(), QFrame::Sunken);
        QCOMPARE(labelTexts(panel), QStringList({ "1", "2", "3", "4", "5", "6" }));
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(panel.coords[i]->objectName(), QStringLiteral("coords%1").arg(i + 1));
            QCOMPARE(panel.coords[i]->parentWidget(), panel.layoutWidget);
        }
        // Without a document every label is emptied.
        panel.showCoords(nullptr, 1200, 1200);
        QCOMPARE(labelTexts(panel), QStringList({ "", "", "", "", "", "" }));
    }

    void texts_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("gesture");
        QTest::addColumn<QPoint>("lastClick");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QStringList>("texts");
        const QPoint origin(0, 0);
        QTest::newRow("an inch, no gesture")
            << false << 1.0f << int(EditMode::Polyline) << false << origin << QPoint(1200, 600)
            << QStringList({ "X= 80 pt", "X= 1.00 in", "Y= 40 pt", "Y= 0.50 in", "keep5", "keep6" });
        QTest::newRow("472 units are a centimetre")
            << true << 1.0f << int(EditMode::Polyline) << false << origin << QPoint(472, 945)
            << QStringList({ "X= 31 pt", "X= 1.00 cm", "Y= 63 pt", "Y= 2.00 cm", "keep5", "keep6" });
        QTest::newRow("pixels at twice the zoom")
            << false << 2.0f << int(EditMode::Polyline) << false << origin << QPoint(1200, 15000)
            << QStringList({ "X=160 pt", "X= 1.00 in", "Y=2000 pt", "Y=12.50 in", "keep5", "keep6" });
        QTest::newRow("negative positions keep one sign")
            << true << 1.0f << int(EditMode::Polyline) << false << origin << QPoint(-236, -945)
            << QStringList({ "X=-16 pt", "X=-0.50 cm", "Y=-63 pt", "Y=-2.00 cm", "keep5", "keep6" });
        QTest::newRow("segment of a polyline")
            << false << 1.0f << int(EditMode::Polyline) << true << QPoint(600, 600) << QPoint(1500, 1800)
            << QStringList({ "X=100 pt", "X= 1.25 in", "Y=120 pt", "Y= 1.50 in", "keep5", "l= 1.25 in" });
        QTest::newRow("segment of a closed interpolated spline")
            << true << 1.0f << int(EditMode::ClosedIntSpline) << true << QPoint(0, 0) << QPoint(0, 945)
            << QStringList({ "X=  0 pt", "X= 0.00 cm", "Y= 63 pt", "Y= 2.00 cm", "keep5", "l= 2.00 cm" });
        QTest::newRow("box")
            << false << 1.0f << int(EditMode::Box) << true << QPoint(1800, 1500) << QPoint(600, 600)
            << QStringList({ "X= 40 pt", "X= 0.50 in", "Y= 40 pt", "Y= 0.50 in", "w= 1.00 in", "h= 0.75 in" });
        QTest::newRow("picture")
            << false << 1.0f << int(EditMode::Picture) << true << QPoint(0, 0) << QPoint(2400, 1200)
            << QStringList({ "X=160 pt", "X= 2.00 in", "Y= 80 pt", "Y= 1.00 in", "w= 2.00 in", "h= 1.00 in" });
        QTest::newRow("circle by radius")
            << false << 1.0f << int(EditMode::Cbr) << true << origin << QPoint(1200, 0)
            << QStringList({ "X= 80 pt", "X= 1.00 in", "Y=  0 pt", "Y= 0.00 in", "r= 1.00 in", "d= 2.00 in" });
        QTest::newRow("circle by diameter")
            << false << 1.0f << int(EditMode::Cbd) << true << origin << QPoint(1200, 0)
            << QStringList({ "X= 80 pt", "X= 1.00 in", "Y=  0 pt", "Y= 0.00 in", "r= 0.50 in", "d= 1.00 in" });
        QTest::newRow("circle by radius, centimetres")
            << true << 1.0f << int(EditMode::Cbr) << true << QPoint(945, 945) << QPoint(945, 0)
            << QStringList({ "X= 63 pt", "X= 2.00 cm", "Y=  0 pt", "Y= 0.00 cm", "r= 2.00 cm", "d= 4.00 cm" });
        QTest::newRow("ellipse by radii")
            << true << 1.0f << int(EditMode::Ebr) << true << QPoint(945, 945) << QPoint(0, 472)
            << QStringList({ "X=  0 pt", "X= 0.00 cm", "Y= 31 pt", "Y= 1.00 cm", "r1= 2.00 cm", "r2= 1.00 cm" });
        QTest::newRow("ellipse by diameters")
            << false << 1.0f << int(EditMode::Ebd) << true << origin << QPoint(2400, 1200)
            << QStringList({ "X=160 pt", "X= 2.00 in", "Y= 80 pt", "Y= 1.00 in", "d1= 2.00 in", "d2= 1.00 in" });
        QTest::newRow("a mode without measures")
            << false << 1.0f << int(EditMode::Select) << true << origin << QPoint(1200, 0)
            << QStringList({ "X= 80 pt", "X= 1.00 in", "Y=  0 pt", "Y= 0.00 in", "keep5", "keep6" });
    }
    void texts()
    {
        QFETCH(bool, metric);
        QFETCH(float, zoom);
        QFETCH(int, mode);
        QFETCH(bool, gesture);
        QFETCH(QPoint, lastClick);
        QFETCH(QPoint, pointer);
        QFETCH(QStringList, texts);
        CFigContext ctx;
        ctx.metric = metric;
        ctx.zoom = zoom;
        editMode = mode;
        canvasAction.actionInProgress = gesture ? 1 : 0;
        canvasAction.lastClickPoint.x = lastClick.x();
        canvasAction.lastClickPoint.y = lastClick.y();
        CoordsToolbar panel(nullptr);
        prefill(panel);
        panel.showCoords(&ctx, pointer.x(), pointer.y());
        QCOMPARE(labelTexts(panel), texts);
    }

    // A point of the current polyline dragged (37) or added (39): the
    // distances to its neighbours, or the sides of a box whose corner it is.
    void pointMeasures_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("subType");
        QTest::addColumn<QList<QPoint>>("points");
        QTest::addColumn<int>("moving");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QString>("measure1");
        QTest::addColumn<QString>("measure2");
        const QList<QPoint> rightwards { { 600, 600 }, { 1200, 600 }, { 2400, 600 } };
        const QList<QPoint> leftwards { { 2400, 600 }, { 1200, 600 }, { 600, 600 } };
        const QList<QPoint> box { { 600, 600 }, { 1800, 600 }, { 1800, 1500 }, { 600, 1500 }, { 600, 600 } };
        const int move = EditMode::MovePoint;
        QTest::newRow("between neighbours left and right")
            << move << 1 << rightwards << 1 << QPoint(1200, 1500) << "left= 0.90 in" << "right= 1.25 in";
        QTest::newRow("between neighbours right and left")
            << move << 1 << leftwards << 1 << QPoint(1200, 1500) << "left 0.90 in" << "right= 1.25 in";
        QTest::newRow("last point of an open polyline")
            << move << 1 << rightwards << 2 << QPoint(2400, 1500) << "left= 1.25 in" << "keep6";
        QTest::newRow("first point of a polygon, added")
            << int(EditMode::AddPoint) << 3 << rightwards << 0 << QPoint(1200, 1500) << "keep5"
            << "right= 0.75 in";
        QTest::newRow("lower right corner of a box")
            << move << 2 << box << 2 << QPoint(2400, 1800) << "w= 1.50 in" << "h= 1.00 in";
        QTest::newRow("upper left corner of a picture")
            << move << 5 << box << 0 << QPoint(1200, 1200) << "w= 0.50 in" << "h= 0.25 in";
        QTest::newRow("upper right corner dragged across")
            << move << 4 << box << 1 << QPoint(0, 600) << "w=-0.50 in" << "h= 0.75 in";
    }
    void pointMeasures()
    {
        QFETCH(int, mode);
        QFETCH(int, subType);
        QFETCH(QList<QPoint>, points);
        QFETCH(int, moving);
        QFETCH(QPoint, pointer);
        QFETCH(QString, measure1);
        QFETCH(QString, measure2);
        CFigContext ctx;
        ctx.metric = false;
        FigLine* line = lineThrough(subType, points);
        ctx.addObject(&ctx.drawing.objects, line);
        ctx.currentObject = line;
        editMode = mode;
        canvasAction.actionInProgress = 1;
        movingPoint = pointAt(line, moving);
        // The neighbours of an open chain's ends, or of a polygon's first
        // point (whose predecessor is the point before the closing copy).
        movingPointPrev = moving > 0 ? pointAt(line, moving - 1) : nullptr;
        movingPointNext = movingPoint->next;
        canvasAction.anchorX = movingPoint->x;
        canvasAction.anchorY = movingPoint->y;
        CoordsToolbar panel(nullptr);
        prefill(panel);
        panel.showCoords(&ctx, pointer.x(), pointer.y());
        QCOMPARE(labelTexts(panel).value(4), measure1);
        QCOMPARE(labelTexts(panel).value(5), measure2);
    }

    void ellipseMeasures_data()
    {
        QTest::addColumn<int>("subType");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QPoint>("end");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("circle by radius") << 3 << false << QPoint(0, 0) << QPoint(1200, 0)
                                          << QStringList({ "r= 1.00 in", "d= 2.00 in" });
        QTest::newRow("circle by diameter") << 4 << false << QPoint(0, 0) << QPoint(1200, 0)
                                            << QStringList({ "r= 0.50 in", "d= 1.00 in" });
        QTest::newRow("ellipse by radii as by diameter") << 1 << false << QPoint(0, 0) << QPoint(0, 1200)
                                                         << QStringList({ "r= 0.50 in", "d= 1.00 in" });
        QTest::newRow("ellipse by diameters") << 2 << false << QPoint(0, 0) << QPoint(2400, 1200)
                                              << QStringList({ "d1= 2.00 in", "d2= 1.00 in" });
        QTest::newRow("ellipse by diameters, ends exchanged")
            << 2 << false << QPoint(2400, 1200) << QPoint(0, 0) << QStringList({ "d1= 2.00 in", "d2= 1.00 in" });
        QTest::newRow("circle by radius, centimetres") << 3 << true << QPoint(100, 100) << QPoint(1045, 100)
                                                       << QStringList({ "r= 2.00 cm", "d= 4.00 cm" });
        QTest::newRow("unknown sub-type") << 0 << false << QPoint(0, 0) << QPoint(1200, 0)
                                          << QStringList({ "", "" });
    }
    void ellipseMeasures()
    {
        QFETCH(int, subType);
        QFETCH(bool, metric);
        QFETCH(QPoint, start);
        QFETCH(QPoint, end);
        QFETCH(QStringList, texts);
        FigEllipse ellipse(1);
        ellipse.subType = subType;
        ellipse.start.x = start.x();
        ellipse.start.y = start.y();
        ellipse.end.x = end.x();
        ellipse.end.y = end.y();
        CoordsToolbar panel(nullptr);
        panel.showEllipseMeasures(metric, &ellipse);
        QCOMPARE(labelTexts(panel), QStringList({ "1", "2", "3", "4" }) + texts);
    }

    // On the canvas of a running program, while a polyline segment is drawn
    // in an inch and in a centimetre document.
    void followsThePointer_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("inches") << false
                                << QStringList({ "X=120 pt", "X= 1.50 in", "Y= 80 pt", "Y= 1.00 in", "5", "l= 1.12 in" });
        QTest::newRow("centimetres")
            << true << QStringList({ "X=120 pt", "X= 3.81 cm", "Y= 80 pt", "Y= 2.54 cm", "5", "l= 2.84 cm" });
    }
    void followsThePointer()
    {
        QFETCH(bool, metric);
        QFETCH(QStringList, texts);
        const QByteArray figure = QByteArray("#FIG 3.2\nLandscape\nCenter\n") + (metric ? "Metric\nA4\n" : "Inches\nLetter\n")
            + "100.00\nSingle\n-2\n1200 2\n2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 4500 4500 5400 4500\n";
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            QCOMPARE(document.figContext->metric, metric);
            window.shapesToolbar->modeButton(EditMode::Polyline)->click();
            CoordsToolbar* panel = window.coordsToolbar;
            editsession::CanvasInput input(document);
            input.move(600, 600);
            QCOMPARE(labelTexts(*panel).mid(4), QStringList({ "5", "6" }));
            input.click(600, 600);
            input.move(1800, 1200);
            QCOMPARE(labelTexts(*panel), texts);
        });
    }
};

TAVREL_TEST_MAIN(TestCoordsToolbar)
#include "tst_coordstoolbar.moc"
