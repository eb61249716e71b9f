// The main window's seven align commands on the selection of the active
// document: the written objects after each, one undo step that undo takes
// back, the current object as the reference, objects on hidden depths left in
// place, and no step at all when nothing has to move.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "support/documentwindow.h"
#include "support/mainwindowdocuments.h"
#include "support/testenv.h"
#include "support/writtendrawing.h"
#include "toolbars/shapestoolbar.h"

#include <QMetaObject>

namespace {

const QByteArray header = "#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n";

// Three objects of different line widths; at 80 dots per inch a line width of
// 1 is 15 Fig units, so their boxes are:
//   box A (width 2)    1185 1185 2415 1815
//   box B (width 4)    2970 2370 3630 3630
//   circle C (width 2) 5385 3885 6615 5115
// and all three together 1185 1185 6615 5115, centre 3900 3150.
const QByteArray threeObjects = header
    + "2 2 0 2 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 1200 1200 2400 1200 2400 1800 1200 1800 1200 1200\n"
      "2 2 0 4 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 3000 2400 3600 2400 3600 3600 3000 3600 3000 2400\n"
      "1 3 0 2 0 7 60 -1 -1 0.000 1 0.0000 6000 4500 600 600 6000 4500 6600 4500\n";

QString boxA(int dx, int dy)
{
    return QStringLiteral("\t %1 %2 %3 %2 %3 %4 %1 %4 %1 %2")
        .arg(1200 + dx)
        .arg(1200 + dy)
        .arg(2400 + dx)
        .arg(1800 + dy);
}

QString boxB(int dx, int dy)
{
    return QStringLiteral("\t %1 %2 %3 %2 %3 %4 %1 %4 %1 %2")
        .arg(3000 + dx)
        .arg(2400 + dy)
        .arg(3600 + dx)
        .arg(3600 + dy);
}

QString circleC(int dx, int dy)
{
    const int x = 6000 + dx;
    const int y = 4500 + dy;
    return QStringLiteral("1 3 0 2 0 7 60 -1 -1 0.000 1 0.0000 %1 %2 600 600 %1 %2 %3 %2").arg(x).arg(y).arg(x + 600);
}

// The written objects with A, B and C moved by the offsets.
QStringList moved(int ax, int ay, int bx, int by, int cx, int cy)
{
    return { "2 2 0 2 0 7 50 -1 -1 0.000 0 0 -1 0 0 5", boxA(ax, ay), "2 2 0 4 0 7 50 -1 -1 0.000 0 0 -1 0 0 5",
        boxB(bx, by), circleC(cx, cy) };
}

QStringList linesOf(QTChildFrm* child)
{
    return documentwindow::objectLines(writtendrawing::writtenDrawing(*child->figContext));
}

int steps(QTChildFrm* child)
{
    return child->figContext->undoHistory.undoSteps.size();
}

// Selects every object of the active document as the Select all command does.
void selectAll(MainWindowDocuments& documents)
{
    documents.window().shapesToolbar->setMode(67);
    documents.window().selectAll();
}

void runCommand(MainWindowDocuments& documents, const char* command)
{
    QVERIFY(QMetaObject::invokeMethod(&documents.window(), command));
}

} // namespace

class TestAlignment : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { documentwindow::initResources(); }
    void cleanupTestCase() { documentwindow::releaseResources(); }

    void alignsTheSelection_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("current"); // object index, -1 none
        QTest::addColumn<QStringList>("expected");

        // The whole selection is the reference.
        QTest::newRow("left") << QByteArray("alignLeft") << -1 << moved(0, 0, -1785, 0, -4200, 0);
        QTest::newRow("centre horizontally") << QByteArray("alignCenterH") << -1 << moved(2100, 0, 600, 0, -2100, 0);
        QTest::newRow("right") << QByteArray("alignRight") << -1 << moved(4200, 0, 2985, 0, 0, 0);
        QTest::newRow("top") << QByteArray("alignTop") << -1 << moved(0, 0, 0, -1185, 0, -2700);
        QTest::newRow("centre vertically") << QByteArray("alignCenterV") << -1 << moved(0, 1650, 0, 150, 0, -1350);
        QTest::newRow("bottom") << QByteArray("alignBottom") << -1 << moved(0, 3300, 0, 1485, 0, 0);
        QTest::newRow("centre") << QByteArray("alignCenterHV") << -1 << moved(2100, 1650, 600, 150, -2100, -1350);
        // The current object is the reference and stays.
        QTest::newRow("left of the current box B") << QByteArray("alignLeft") << 1 << moved(1785, 0, 0, 0, -2415, 0);
        QTest::newRow("bottom of the current circle C")
            << QByteArray("alignBottom") << 2 << moved(0, 3300, 0, 1485, 0, 0);
        QTest::newRow("centre of the current box A")
            << QByteArray("alignCenterHV") << 0 << moved(0, 0, -1500, -1500, -4200, -3000);
    }
    void alignsTheSelection()
    {
        QFETCH(QByteArray, command);
        QFETCH(int, current);
        QFETCH(QStringList, expected);
        MainWindowDocuments documents;
        QVERIFY(documents.isActive());
        QTChildFrm* child = documents.open(threeObjects, "three.fig");
        QVERIFY(child);
        const QStringList original = linesOf(child);
        QCOMPARE(original, moved(0, 0, 0, 0, 0, 0));
        selectAll(documents);
        if (current >= 0)
            child->figContext->currentObject = *std::next(child->figContext->drawing.objects.begin(), current);

        runCommand(documents, command.constData());
        QCOMPARE(linesOf(child), expected);
        QCOMPARE(steps(child), 1);
        QVERIFY(child->figContext->modified);

        // Aligned once, they are aligned: the same command moves nothing and
        // adds no step.
        runCommand(documents, command.constData());
        QCOMPARE(linesOf(child), expected);
        QCOMPARE(steps(child), 1);

        child->undo();
        QCOMPARE(linesOf(child), original);
        QCOMPARE(steps(child), 0);
        child->redo();
        QCOMPARE(linesOf(child), expected);
    }

    // A drawing read with its objects already aligned stays unmodified.
    void nothingToMoveMakesNoStep_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("figure");
        // Left edges with the line widths at 1185: box A, a box of width 4
        // whose points start at 1215, a polyline of width 0 starting at 1185.
        const QByteArray leftAligned = header
            + "2 2 0 2 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 1200 1200 2400 1200 2400 1800 1200 1800 1200 1200\n"
              "2 2 0 4 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 1215 2400 1815 2400 1815 3600 1215 3600 1215 2400\n"
              "2 1 0 0 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1185 4000 3000 4500\n";
        QTest::newRow("left") << QByteArray("alignLeft") << leftAligned;
        // A text on the bottom edge of a box: its base line is its bottom.
        const QByteArray onTheEdge = header
            + "2 2 0 2 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 1200 1200 2400 1200 2400 1800 1200 1800 1200 1200\n"
              "4 0 0 50 -1 0 12 0.0000 4 135 450 3000 1815 Text\\001\n";
        QTest::newRow("text on the bottom edge") << QByteArray("alignBottom") << onTheEdge;
    }
    void nothingToMoveMakesNoStep()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, figure);
        MainWindowDocuments documents;
        QVERIFY(documents.isActive());
        QTChildFrm* child = documents.open(figure, "aligned.fig");
        QVERIFY(child);
        const QStringList original = linesOf(child);
        selectAll(documents);
        runCommand(documents, command.constData());
        QCOMPARE(linesOf(child), original);
        QCOMPARE(steps(child), 0);
        QVERIFY(!child->figContext->modified);
    }

    // A text is aligned by its base line: its y.
    void textsByTheirBaseLine_data()
    {
        QTest::addColumn<int>("current"); // object index, -1 none
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("textEnd");
        QTest::newRow("selection as reference") << -1 << boxA(0, 1185) << " 3000 3000 Text\\001";
        QTest::newRow("box as reference") << 0 << boxA(0, 0) << " 3000 1815 Text\\001";
    }
    void textsByTheirBaseLine()
    {
        QFETCH(int, current);
        QFETCH(QString, box);
        QFETCH(QString, textEnd);
        const QByteArray figure = header
            + "2 2 0 2 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 1200 1200 2400 1200 2400 1800 1200 1800 1200 1200\n"
              "4 0 0 50 -1 0 12 0.0000 4 135 450 3000 3000 Text\\001\n";
        MainWindowDocuments documents;
        QVERIFY(documents.isActive());
        QTChildFrm* child = documents.open(figure, "text.fig");
        QVERIFY(child);
        selectAll(documents);
        if (current >= 0)
            child->figContext->currentObject = child->figContext->drawing.objects.front();
        runCommand(documents, "alignBottom");
        const QStringList lines = linesOf(child);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.at(1), box);
        QVERIFY2(lines.at(2).endsWith(textEnd), qPrintable(lines.at(2)));
        QCOMPARE(steps(child), 1);
        runCommand(documents, "alignBottom");
        QCOMPARE(linesOf(child), lines);
        QCOMPARE(steps(child), 1);
    }

    // Objects on hidden depths, and a compound all of whose members lie on
    // hidden depths, keep their places; the others are aligned.
    void hiddenDepthsStay()
    {
        const QByteArray figure = threeObjects
            + "6 5000 6000 6615 7215\n"
              "2 2 0 2 0 7 60 -1 -1 0.000 0 0 -1 0 0 5\n\t 5000 6000 6600 6000 6600 7200 5000 7200 5000 6000\n"
              "-6\n";
        MainWindowDocuments documents;
        QVERIFY(documents.isActive());
        QTChildFrm* child = documents.open(figure, "hidden.fig");
        QVERIFY(child);
        const QStringList original = linesOf(child);
        child->figContext->depthVisible[60] = false;
        selectAll(documents);
        runCommand(documents, "alignLeft");
        QStringList expected = original;
        expected[3] = boxB(-1785, 0);
        QCOMPARE(linesOf(child), expected);
        QCOMPARE(steps(child), 1);
        child->undo();
        QCOMPARE(linesOf(child), original);
    }
};

TAVREL_TEST_MAIN(TestAlignment)
#include "tst_alignment.moc"
