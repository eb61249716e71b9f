// Whatever the mouse and keys make of a drawing, the file saved afterwards
// is read back whole: by this program's own reader, which removes no object
// of it, and by fig2dev, which converts it without calling anything
// invalid. Each row edits a small drawing that holds the shapes near the
// format's limits (a polygon of two corners, a closed spline of three
// points, a quadrilateral, a dashed line with dashes longer than any
// offered) into one of those limits and saves it.
#include "app/messagebox.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "model/figformat.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/figspline.h"
#include "model/objectlist.h"
#include "support/editsession.h"
#include "support/fig2devverdict.h"
#include "support/messageboxrecorder.h"
#include "support/modaldialog.h"
#include "support/testenv.h"
#include "toolbars/drawingattributes.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <memory>

using editsession::at;
using editsession::Step;
using editsession::Steps;

namespace {

// A polygon of two corners (three chain points, as the reader still takes
// it), a closed spline of three points, a quadrilateral and a dashed line
// whose dashes are far longer than the pages offer (dash length 7000).
const QByteArray figure = editsession::figText("2 3 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 3\n"
                                               "\t 600 600 1800 600 600 600\n"
                                               "3 1 0 1 0 7 50 -1 -1 0.000 0 0 0 3\n"
                                               "\t 600 1800 1200 2400 1800 1800\n"
                                               "\t 1.000 1.000 1.000\n"
                                               "2 3 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
                                               "\t 3000 600 4200 600 4200 1800 3000 1800 3000 600\n"
                                               "2 1 1 1 0 7 50 -1 -1 7000.000 0 0 -1 0 0 2\n"
                                               "\t 3000 3000 4200 3000\n");

const QPoint polygonEdge(1200, 600);
const QPoint splinePoint(1200, 2400);
const QPoint quadEdge(3600, 600);
const QPoint quadCorners[] = { { 4200, 600 }, { 4200, 1800 }, { 3000, 1800 } };
const QPoint dashedEdge(3600, 3000);

int objectCount(const FigObjectList& list)
{
    return static_cast<int>(list.size());
}

// Every chain in the drawing has the points its kind needs, so that what is
// saved is the drawing itself.
void checkPointCounts(const FigObjectList& list)
{
    for (const FigObject* object : list) {
        if (object->type == FigObject::Spline) {
            const auto* spline = static_cast<const FigSpline*>(object);
            QVERIFY(spline->pointCount() >= minimumSplinePoints(spline->subType));
        } else if (object->type == FigObject::Polyline) {
            const auto* line = static_cast<const FigLine*>(object);
            QVERIFY(line->pointCount() >= minimumPolylinePoints(line->subType));
        }
    }
}

// Saves the document and reads the file back both ways: every object comes
// back, and fig2dev calls nothing invalid.
void checkReadBack(QTChildFrm& document)
{
    QVERIFY(!editsession::savedObjectLines(document).isEmpty());
    const QString file = document.curFile;
    QVERIFY(!file.isEmpty());

    MessageBoxRecorder boxes(QMessageBox::No);
    auto reader = std::make_unique<CFigContext>();
    reader->dpiX = reader->dpiY = 80.0f;
    QCOMPARE(reader->readFigFile(file, &reader->drawing, false, 0, 0), 0);
    QCOMPARE(figFileProgress.removedObjects, 0);
    QCOMPARE(objectCount(reader->drawing.objects), objectCount(document.figContext->drawing.objects));

    const Fig2devVerdict verdict = fig2devVerdict(file);
    QCOMPARE(verdict.status, 0);
    const QByteArray& complaints = verdict.complaints;
    QVERIFY2(!complaints.contains("Invalid") && !complaints.contains("malformed") && !complaints.contains("less than"),
        complaints.constData());
}

} // namespace

Q_DECLARE_METATYPE(Steps)

class TestReadBack : public QObject {
    Q_OBJECT

private slots:
    void init() { currentAttrs = DrawingAttributes(); }
    void cleanup() { init(); }

    // Each row's input, then the file saved and read back; `added` is how
    // many objects the input leaves more (or fewer) than the drawing had.
    void savedFileReadsBack_data()
    {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<int>("added");
        const int deletePoint = EditMode::DeletePoint;
        QTest::newRow("the drawing as it was read") << Steps {} << 0;
        QTest::newRow("a polygon of two corners converted to a closed spline")
            << Steps { at('c', polygonEdge), { 'T' } } << 0;
        QTest::newRow("the conversion tried, undone and redone")
            << Steps { at('c', polygonEdge), { 'T' }, { 'k', Qt::Key_Z }, { 'k', Qt::Key_Y } } << 0;
        QTest::newRow("a point deleted from a closed spline of three points")
            << Steps { { 'M', deletePoint }, at('c', splinePoint) } << 0;
        QTest::newRow("a quadrilateral converted, then its points deleted") << Steps { at('c', quadEdge), { 'T' },
            { 'M', deletePoint }, at('c', quadCorners[0]), at('c', quadCorners[1]), at('c', quadCorners[2]) }
                                                                            << 0;
        QTest::newRow("converted and thinned, all undone and redone") << Steps { at('c', quadEdge), { 'T' },
            { 'M', deletePoint }, at('c', quadCorners[0]), at('c', quadCorners[1]), { 'k', Qt::Key_Z },
            { 'k', Qt::Key_Z }, { 'k', Qt::Key_Y }, { 'k', Qt::Key_Y } }
                                                                      << 0;
        QTest::newRow("a spline made of the converted quadrilateral, back to a polygon") << Steps { at('c', quadEdge),
            { 'T' }, { 'M', deletePoint }, at('c', quadCorners[0]), { 'M', int(EditMode::Select) },
            at('c', quadCorners[1]), { 'T' }, { 'T' } } << 0;
        // The right press on the second point repeats it.
        QTest::newRow("a polygon of two places converted") << Steps { { 'M', int(EditMode::Polygon) },
            { 'c', 600, 3600 }, { 'c', 1800, 3600 }, { 'R', 1800, 3600 }, { 'T' } }
                                                           << 1;
        QTest::newRow("a closed spline of two places") << Steps { { 'M', int(EditMode::ClosedSpline) },
            { 'c', 600, 4200 }, { 'c', 1800, 4200 }, { 'R', 1800, 4200 } }
                                                       << 1;
        QTest::newRow("an ellipse by radii from two presses at one spot")
            << Steps { { 'M', int(EditMode::Ebr) }, { 'c', 5400, 600 }, { 'c', 5400, 600 } } << 0;
        QTest::newRow("an ellipse by diameters from two presses at one spot")
            << Steps { { 'M', int(EditMode::Ebd) }, { 'c', 5400, 600 }, { 'c', 5400, 600 } } << 0;
        QTest::newRow("a picture frame from two presses on one column")
            << Steps { { 'M', int(EditMode::Picture) }, { 'c', 5400, 1200 }, { 'c', 5400, 2400 } } << 0;
        QTest::newRow("a picture frame from two presses on one row")
            << Steps { { 'M', int(EditMode::Picture) }, { 'c', 5400, 1200 }, { 'c', 6600, 1200 } } << 0;
        // The line's attributes become the current ones; the new line's style
        // value would be the same 7000.
        QTest::newRow("a line drawn after the long dashes were shown")
            << Steps { at('c', dashedEdge), { 'M', int(EditMode::Polyline) }, { 'c', 600, 4650 }, { 'R', 1800, 4650 } }
            << 1;
    }
    void savedFileReadsBack()
    {
        QFETCH(Steps, steps);
        QFETCH(int, added);
        editsession::run(figure, [&](QTMainFrm&, QTChildFrm& document) {
            editsession::CanvasInput input(document);
            QVERIFY(input.visibleFigArea().contains(QRect(0, 0, 6600, 4800)));
            const int before = objectCount(document.figContext->drawing.objects);
            DialogWatch watch;
            editsession::play(input, steps);
            QVERIFY(!watch.asked);
            QVERIFY(!canvasAction.actionInProgress);
            QCOMPARE(objectCount(document.figContext->drawing.objects), before + added);
            checkPointCounts(document.figContext->drawing.objects);
            checkReadBack(document);
        });
    }
};

TAVREL_TEST_MAIN(TestReadBack)
#include "tst_readback.moc"
