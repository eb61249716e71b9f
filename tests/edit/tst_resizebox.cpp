// Giving a box or picture a width and height: the first corner stays, the
// third moves towards or away from it, and the change is one undo step.
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/picturedata.h"
#include "support/documentwindow.h"
#include "support/testenv.h"
#include "support/writtendrawing.h"

using PointList2 = QList<QPoint>;

Q_DECLARE_METATYPE(PointList2)

namespace {

QString pointsLine(const PointList2& points)
{
    QString line = QStringLiteral("\t");
    for (const QPoint& p : points)
        line += QStringLiteral(" %1 %2").arg(p.x()).arg(p.y());
    return line;
}

} // namespace

class TestResizeBox : public QObject {
    Q_OBJECT

private slots:
    void resize_data()
    {
        QTest::addColumn<int>("subType");
        QTest::addColumn<PointList2>("box");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<PointList2>("expected");

        QTest::newRow("larger") << 2 << PointList2 { { 0, 0 }, { 100, 0 }, { 100, 50 }, { 0, 50 }, { 0, 0 } } << 300
                                << 200 << PointList2 { { 0, 0 }, { 300, 0 }, { 300, 200 }, { 0, 200 }, { 0, 0 } };
        // The third corner lies left of and above the first: it moves to
        // x1 - 100 and y1 - 100.
        QTest::newRow("third corner up and left")
            << 2 << PointList2 { { 1000, 1000 }, { 500, 1000 }, { 500, 400 }, { 1000, 400 }, { 1000, 1000 } } << 100
            << 100 << PointList2 { { 1000, 1000 }, { 900, 1000 }, { 900, 900 }, { 1000, 900 }, { 1000, 1000 } };
        // Where the corners share their x the third goes left of the first.
        QTest::newRow("picture of width 0")
            << 5 << PointList2 { { 0, 0 }, { 0, 50 }, { 0, 50 }, { 0, 0 }, { 0, 0 } } << 90 << 50
            << PointList2 { { 0, 0 }, { 0, 50 }, { -90, 50 }, { -90, 0 }, { 0, 0 } };
        QTest::newRow("the same size") << 2 << PointList2 { { 0, 0 }, { 100, 0 }, { 100, 50 }, { 0, 50 }, { 0, 0 } }
                                       << 100 << 50
                                       << PointList2 { { 0, 0 }, { 100, 0 }, { 100, 50 }, { 0, 50 }, { 0, 0 } };
    }

    void resize()
    {
        QFETCH(PointList2, box);
        QFETCH(PointList2, expected);
        CFigContext context;
        auto* line = new FigLine(1);
        QFETCH(int, subType);
        line->subType = subType;
        FigPoint** tail = &line->points;
        for (const QPoint& p : box) {
            *tail = new FigPoint(p.x(), p.y());
            tail = &(*tail)->next;
        }
        if (line->subType == 5) {
            line->picture = new PictureData;
            line->picture->fileName = QStringLiteral("<empty>");
        }
        context.addObject(&context.drawing.objects, line);
        const QStringList before = documentwindow::objectLines(writtendrawing::writtenDrawing(context));

        QFETCH(int, width);
        QFETCH(int, height);
        context.resizeBox(line, width, height);
        const QStringList after = documentwindow::objectLines(writtendrawing::writtenDrawing(context));
        QCOMPARE(after.last(), pointsLine(expected));
        // One step, also when nothing moved.
        QCOMPARE(context.undoHistory.undoSteps.size(), 1);
        QVERIFY(context.modified);
        context.undoHistory.undo();
        QCOMPARE(documentwindow::objectLines(writtendrawing::writtenDrawing(context)), before);
    }
};

TAVREL_TEST_MAIN(TestResizeBox)
#include "tst_resizebox.moc"
