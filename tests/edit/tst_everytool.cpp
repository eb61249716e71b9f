// Every button of the tool panel, clicked on a freshly started program, makes
// its mode do one thing with real mouse input: each gesture adds exactly one
// undo step and changes the drawing (its object count or its saved lines).

#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/picturedlg.h"
#include "dialogs/textenterdlg.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "model/objectlist.h"
#include "support/editsession.h"
#include "support/modaldialog.h"
#include "support/testenv.h"
#include "support/tooldialogs.h"
#include "toolbars/drawingattributes.h"
#include "toolbars/shapestoolbar.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using editsession::Step;
using editsession::Steps;

namespace {

// A thick box, an open three-point line, a circle and a compound of one box,
// with room below for new objects.
const QByteArray objects = "2 2 0 3 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
                           "\t 600 600 1800 600 1800 1200 600 1200 600 600\n"
                           "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 3\n"
                           "\t 3000 600 3600 600 3600 1200\n"
                           "1 3 0 1 0 7 50 -1 -1 0.000 1 0.0000 2400 3600 600 600 2400 3600 3000 3600\n"
                           "6 4193 2393 5408 3008\n"
                           "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
                           "\t 4200 2400 5400 2400 5400 3000 4200 3000 4200 2400\n"
                           "-6\n";

} // namespace

Q_DECLARE_METATYPE(ToolDialog)
Q_DECLARE_METATYPE(Steps)

class TestEveryTool : public QObject {
    Q_OBJECT
private slots:
    // The current attributes follow the objects earlier rows touched; every
    // row starts from the program's own.
    void init() { currentAttrs = DrawingAttributes(); }

    void everyButton_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<ToolDialog>("dialog");
        QTest::addColumn<int>("objectsAdded");
        // Two clicks, and clicks closed by a right click, in the free area.
        const Steps two { { 'c', 900, 4800 }, { 'c', 1800, 5400 } };
        const Steps three { { 'c', 600, 4800 }, { 'c', 1200, 5400 }, { 'm', 1800, 4800 }, { 'R', 1800, 4800 } };
        const Steps arc { { 'c', 600, 5400 }, { 'c', 1200, 6000 }, { 'c', 1800, 5400 } };
        QTest::newRow("select: drag the box by its edge")
            << "toolButtonSelect" << Steps { { 'm', 1200, 600 }, { 'd', 1500, 900 } } << NoDialog << 0;
        QTest::newRow("copy: drag a copy of the box")
            << "toolButtonCopy" << Steps { { 'c', 1200, 600 }, { 'm', 1350, 4650 }, { 'c', 1500, 4800 } } << NoDialog
            << 1;
        QTest::newRow("circle by radius") << "toolButtonCbr" << two << NoDialog << 1;
        QTest::newRow("circle by diameter") << "toolButtonCbd" << two << NoDialog << 1;
        QTest::newRow("ellipse by radii") << "toolButtonEbr" << two << NoDialog << 1;
        QTest::newRow("ellipse by diameters") << "toolButtonEbd" << two << NoDialog << 1;
        QTest::newRow("closed approximated spline") << "toolButtonClosedSpline" << three << NoDialog << 1;
        QTest::newRow("open approximated spline") << "toolButtonSpline" << three << NoDialog << 1;
        QTest::newRow("closed interpolated spline") << "toolButtonClosedIntSpline" << three << NoDialog << 1;
        QTest::newRow("open interpolated spline") << "toolButtonIntSpline" << three << NoDialog << 1;
        QTest::newRow("box") << "toolButtonBox" << two << NoDialog << 1;
        QTest::newRow("regular polygon") << "toolButtonRegular" << two << NoDialog << 1;
        QTest::newRow("polygon") << "toolButtonPolygon" << three << NoDialog << 1;
        QTest::newRow("polyline") << "toolButtonPolyline" << three << NoDialog << 1;
        QTest::newRow("text") << "toolButtonText" << Steps { { 'c', 600, 5400 } } << TypeText << 1;
        QTest::newRow("arc") << "toolButtonArc" << arc << NoDialog << 1;
        QTest::newRow("arrow at the open line's end")
            << "toolButtonArrow" << Steps { { 'c', 3600, 1200 } } << NoDialog << 0;
        QTest::newRow("picture frame") << "toolButtonPicture" << two << RejectPicture << 1;
        QTest::newRow("tangent at the top of the circle")
            << "toolButtonTangent" << Steps { { 'c', 2400, 3000 } } << NoDialog << 1;
        QTest::newRow("normal at the top of the circle")
            << "toolButtonNormal" << Steps { { 'c', 2400, 3000 } } << NoDialog << 1;
        QTest::newRow("flip the open line vertically")
            << "toolButtonFlipVert" << Steps { { 'c', 3300, 600 } } << NoDialog << 0;
        QTest::newRow("flip the open line horizontally")
            << "toolButtonFlipHoriz" << Steps { { 'c', 3300, 600 } } << NoDialog << 0;
        QTest::newRow("rotate the open line left")
            << "toolButtonRotateLeft" << Steps { { 'c', 3300, 600 } } << NoDialog << 0;
        QTest::newRow("rotate the open line right")
            << "toolButtonRotateRight" << Steps { { 'c', 3300, 600 } } << NoDialog << 0;
        QTest::newRow("add a point to the open line")
            << "toolButtonAddPoint" << Steps { { 'm', 3300, 600 }, { 'd', 3300, 300 } } << NoDialog << 0;
        QTest::newRow("delete the open line's corner")
            << "toolButtonDeletePoint" << Steps { { 'c', 3600, 600 } } << NoDialog << 0;
        QTest::newRow("update the thick box") << "toolButtonUpdate" << Steps { { 'c', 1200, 600 } } << NoDialog << 0;
        QTest::newRow("scale the compound by its right edge")
            << "toolButtonScaleComp" << Steps { { 'm', 5400, 2700 }, { 'd', 6000, 2700 } } << NoDialog << 0;
        QTest::newRow("delete the box") << "toolButtonDelete" << Steps { { 'c', 1200, 600 } } << NoDialog << -1;
    }
    void everyButton()
    {
        QFETCH(QString, button);
        QFETCH(Steps, steps);
        QFETCH(ToolDialog, dialog);
        QFETCH(int, objectsAdded);
        editsession::run(editsession::figText(objects), [&](QTMainFrm& window, QTChildFrm& document) {
            auto* toolButton = window.findChild<QToolButton*>(button);
            QVERIFY2(toolButton, qPrintable(button));
            QTest::mouseClick(toolButton, Qt::LeftButton);
            QVERIFY(toolButton->isChecked() || window.shapesToolbar->currentButton == toolButton);

            CFigContext& context = *document.figContext;
            const QList<QByteArray> before = editsession::savedObjectLines(document);
            QCOMPARE(before, editsession::objectLines(editsession::figText(objects)));
            const int count = int(context.objects()->size());
            const int undoSteps = context.undoHistory.undoSteps.size();

            editsession::CanvasInput input(document);
            QVERIFY(input.visibleFigArea().contains(QRect(0, 0, 6600, 6600)));
            if (dialog == NoDialog) {
                editsession::play(input, steps);
            } else {
                editsession::play(input, steps.mid(0, steps.size() - 1));
                answerToolDialog(&window, dialog, QStringLiteral("every tool"));
                editsession::play(input, steps.mid(steps.size() - 1));
            }

            QCOMPARE(context.undoHistory.undoSteps.size(), undoSteps + 1);
            QCOMPARE(int(context.objects()->size()), count + objectsAdded);
            const QList<QByteArray> after = editsession::savedObjectLines(document);
            QVERIFY(!after.isEmpty());
            QVERIFY2(after != before, after.join('\n').constData());

            // One undo gives the drawing back, in its order.
            window.undo();
            QCOMPARE(editsession::savedObjectLines(document), before);
        });
    }
};

TAVREL_TEST_MAIN_ON_DISPLAY(TestEveryTool)
#include "tst_everytool.moc"
