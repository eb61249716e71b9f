// Marker states: all objects of the current list at once, stale selection
// markers, the selection's and the current object's markers, and the box
// markers of a compound.
#include "render/drawingfixtures.h"

#include "app/preferences.h"
#include "edit/editstate.h"
#include "render/colors.h"
#include "render/markers.h"
#include "render/pens.h"
#include "render/resources.h"
#include "support/testenv.h"

using namespace drawingfixtures;

namespace {

constexpr QRgb sentinel = 0xff123456;

// Two lines and a compound of a box on a 200 x 200 canvas at 15 Fig units a
// pixel; nothing marked yet.
struct Scene : Canvas {
    Scene()
    {
        context.showPaperFrame = false;
        first = add(lineOf({ { 300, 300 }, { 1200, 300 } }));
        second = add(lineOf({ { 300, 1500 }, { 1200, 2400 } }));
        member = boxOf(1800, 1800, 2400, 2400);
        box = compoundOf({ member });
        box->upperLeft.x = box->upperLeft.y = 1800;
        box->lowerRight.x = box->lowerRight.y = 2400;
        add(box);
        context.drawAllObjects();
    }
    QImage snapshot()
    {
        painter.end();
        QImage copy = image.copy();
        begin();
        return copy;
    }
    // A sentinel pixel painted over a point of the canvas.
    void stain(int x, int y)
    {
        painter.end();
        const QPoint p = context.figToPixelPoint(x, y);
        image.setPixel(p, sentinel);
        begin();
    }
    bool stained(int x, int y) { return pixel(context.figToPixelX(x), context.figToPixelY(y)) == sentinel; }
    // Whether the canvas differs from `other` within two pixels of a point.
    bool changedNear(const QImage& other, int x, int y)
    {
        const QImage now = snapshot();
        const QPoint p = context.figToPixelPoint(x, y);
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (now.pixel(p.x() + dx, p.y() + dy) != other.pixel(p.x() + dx, p.y() + dy))
                    return true;
        return false;
    }

    FigLine* first;
    FigLine* second;
    FigLine* member;
    FigCompound* box;
};

} // namespace

class TestMarkerStates : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        initResources();
        initDefaultColors();
        loadFillPatterns();
    }
    void cleanupTestCase() { releaseMarkerPixmaps(); }
    void init()
    {
        preferences = Preferences();
        preferences.antialiasing = false;
        allMarkersShown = false;
    }

    // Only objects whose state changes are redrawn; a compound takes the
    // state itself and its members keep theirs.
    void setMarkerStateRedrawsWhatChanged()
    {
        Scene s;
        s.member->markerState = 2;
        s.first->skipRedraw = true;
        s.stain(750, 300);
        allMarkersShown = true;
        s.context.setMarkerState(0);
        QVERIFY(s.stained(750, 300)); // nothing changed, nothing redrawn
        QVERIFY(!allMarkersShown);
        QVERIFY(!s.first->skipRedraw);

        const QImage unmarked = s.snapshot();
        s.context.setMarkerState(1);
        QVERIFY(!s.stained(750, 300));
        for (FigObject* object : s.context.drawing.objects)
            QCOMPARE(object->markerState, 1);
        QCOMPARE(s.member->markerState, 2);
        QVERIFY(s.changedNear(unmarked, 1200, 2400)); // the point markers
        QVERIFY(s.changedNear(unmarked, 2100, 1800)); // a box marker

        s.stain(750, 300);
        s.context.clearMarkers();
        QVERIFY(!s.stained(750, 300));
        for (FigObject* object : s.context.drawing.objects)
            QCOMPARE(object->markerState, 0);
        QVERIFY(s.snapshot() == Scene().snapshot());
    }

    void showAllMarkersMarksTheUnmarked()
    {
        Scene s;
        s.first->selected = true;
        s.second->markerState = 1;
        const QImage before = s.snapshot();
        s.context.showAllMarkers();
        QVERIFY(allMarkersShown);
        QCOMPARE(s.first->markerState, 2);
        QCOMPARE(s.box->markerState, 1);
        QVERIFY(s.changedNear(before, 300, 300));
        QVERIFY(!s.changedNear(before, 300, 1500)); // was marked: not drawn again

        // Without a painter only the states follow.
        Scene off;
        off.painter.end();
        off.context.showAllMarkers();
        QCOMPARE(off.first->markerState, 1);
        QCOMPARE(off.box->markerState, 1);
    }

    // Objects showing selection markers that are no longer selected lose
    // them; still selected ones keep theirs.
    void staleSelectionMarkers_data()
    {
        QTest::addColumn<bool>("allShown");
        QTest::addColumn<int>("state");
        QTest::newRow("markers hidden") << false << 0;
        QTest::newRow("all markers shown") << true << 1;
    }
    void staleSelectionMarkers()
    {
        QFETCH(bool, allShown);
        QFETCH(int, state);
        Scene s;
        const QImage unmarked = s.snapshot();
        s.first->selected = true;
        s.second->selected = true;
        s.context.drawSelectionMarkers(nullptr);
        QCOMPARE(s.first->markerState, 2);
        QCOMPARE(s.second->markerState, 2);
        s.first->selected = false;
        allMarkersShown = allShown;
        s.context.redrawStaleMarkers();
        QCOMPARE(s.first->markerState, state);
        QCOMPARE(s.second->markerState, 2);
        QCOMPARE(s.changedNear(unmarked, 300, 300), allShown);
        QVERIFY(s.changedNear(unmarked, 300, 1500));
    }

    void selectionAndCurrentObjectMarkers()
    {
        Scene s;
        const QImage unmarked = s.snapshot();
        s.first->selected = true;
        s.second->selected = true;
        s.context.drawSelectionMarkers(s.first);
        QCOMPARE(s.first->markerState, 0);
        QCOMPARE(s.second->markerState, 2);
        QVERIFY(!s.changedNear(unmarked, 300, 300));

        s.context.drawCurrentObjectMarkers(); // no current object: nothing
        QCOMPARE(s.first->markerState, 0);
        s.context.currentObject = s.first;
        s.context.drawCurrentObjectMarkers();
        QCOMPARE(s.first->markerState, 2);
        QVERIFY(s.changedNear(unmarked, 300, 300));
    }

    // The eight markers of a compound's box, clockwise from the upper-left
    // corner; middles are truncated towards zero.
    void compoundBoxHandles_data()
    {
        QTest::addColumn<QRect>("box");
        QTest::addColumn<QList<int>>("handles"); // x, y of each
        QTest::newRow("(0, 0) to (5, 3)")
            << QRect(QPoint(0, 0), QPoint(5, 3)) << QList<int> { 0, 0, 2, 0, 5, 0, 5, 1, 5, 3, 2, 3, 0, 3, 0, 1 };
        QTest::newRow("(-5, -3) to (0, 0)") << QRect(QPoint(-5, -3), QPoint(0, 0))
                                            << QList<int> { -5, -3, -3, -3, 0, -3, 0, -2, 0, 0, -3, 0, -5, 0, -5, -2 };
    }
    void compoundBoxHandles()
    {
        QFETCH(QRect, box);
        QFETCH(QList<int>, handles);
        FigCompound compound(1);
        compound.upperLeft.x = box.left();
        compound.upperLeft.y = box.top();
        compound.lowerRight.x = box.right();
        compound.lowerRight.y = box.bottom();
        int points[8][2];
        ::compoundBoxHandles(&compound, points);
        QList<int> got;
        for (const auto& p : points)
            got << p[0] << p[1];
        QCOMPARE(got, handles);
    }

    void compoundBoxMarkersOnlyWithAShownMember()
    {
        Scene s;
        const QImage before = s.snapshot();
        s.context.depthVisible[50] = false;
        s.context.drawCompoundBoxMarkers(s.box);
        QVERIFY(s.snapshot() == before);
        s.context.depthVisible[50] = true;
        s.context.drawCompoundBoxMarkers(s.box);
        for (const QPoint& p : { QPoint(1800, 1800), QPoint(2100, 1800), QPoint(2400, 2100), QPoint(1800, 2100) })
            QVERIFY2(s.changedNear(before, p.x(), p.y()), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
        QCOMPARE(s.box->markerState, 0); // box markers change no state
    }
};

TAVREL_TEST_MAIN(TestMarkerStates)
#include "tst_markerstates.moc"
