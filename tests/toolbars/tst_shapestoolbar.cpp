// The tool panel in a running program: every button with its tool tip,
// icon, mode, status text and attribute page; one checked button at a time;
// a mode change leaves no current object, selection or transform centre
// and reports the button states; the add-point button needs a document.
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "app/statusmessages.h"
#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "edit/linemode.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "support/editsession.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"
#include "toolbars/shapestoolbar.h"
#include "ui_qtmainfrm.h"

#include <QGridLayout>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QToolButton>

namespace {

// Two lines and a box, the second line with a comment.
const QByteArray figure = editsession::figText("2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n"
                                               "\t 600 600 1800 600\n"
                                               "# a note\n"
                                               "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n"
                                               "\t 600 1200 1800 1200\n"
                                               "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n"
                                               "\t 2400 600 3000 600 3000 1200 2400 1200 2400 600\n");

QList<QToolButton*> panelButtons(QTMainFrm& window)
{
    return window.shapesToolbar->layoutWidget->findChildren<QToolButton*>();
}

int checkedCount(QTMainFrm& window)
{
    int count = 0;
    for (QToolButton* button : panelButtons(window))
        count += button->isChecked() ? 1 : 0;
    return count;
}

int shownPage(QTMainFrm& window)
{
    return window.attrsStack->currentIndex();
}

} // namespace

class TestShapesToolbar : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        transformCenter = TransformCenter();
        editMode = -1;
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("page");
        struct Row {
            const char* name;
            int row;
            int column;
            int mode;
            const char* toolTip;
            const char* status;
            int page;
        };
        const Row rows[] = {
            { "toolButtonSelect", 0, 0, 67, "Select object(s) for moving or cut/copy/paste",
                "Select objects object with bounding box or via SHIFT SELECT", 6 },
            { "toolButtonCopy", 0, 1, 34, "COPY objects", "COPY objects", 6 },
            { "toolButtonCbr", 1, 0, 1, "CIRCLE drawing: specify RADIUS", "CIRCLE drawing: specify RADIUS", 5 },
            { "toolButtonCbd", 1, 1, 2, "CIRCLE drawing: specify DIAMETER", "CIRCLE drawing: specify DIAMETER", 5 },
            { "toolButtonEbr", 2, 0, 3, "ELLIPSE drawing: specify RADIUSES", "ELLIPSE drawing: specify RADIUSES", 5 },
            { "toolButtonEbd", 2, 1, 4, "ELLIPSE drawing: specify DIAMETERS", "ELLIPSE drawing: specify DIAMETERS", 5 },
            { "toolButtonClosedSpline", 3, 0, 11, "CLOSED SPLINE drawing: specify control points",
                "CLOSED SPLINE drawing: specify control points", 11 },
            { "toolButtonSpline", 3, 1, 10, "SPLINE drawing: specify control points",
                "SPLINE drawing: specify control points", 12 },
            { "toolButtonClosedIntSpline", 4, 0, 13, "CLOSED INTERPOLATED SPLINE drawing",
                "CLOSED INTERPOLATED SPLINE drawing", 11 },
            { "toolButtonIntSpline", 4, 1, 12, "INTERPOLATED SPLINE drawing", "INTERPOLATED SPLINE drawing", 12 },
            { "toolButtonBox", 5, 0, 7, "Rectangular BOX drawing", "Rectangular BOX drawing", 3 },
            { "toolButtonRegular", 5, 1, 15, "Regular Polygon", "Regular Polygon", 10 },
            { "toolButtonPolygon", 6, 0, 8, "POLYGON drawing", "POLYGON drawing", 7 },
            { "toolButtonPolyline", 6, 1, 6, "POLYLINE drawing", "POLYLINE drawing", 8 },
            { "toolButtonText", 7, 0, 9, "TEXT input", "TEXT input (from keyboard)", 13 },
            { "toolButtonArc", 7, 1, 5, "ARC drawing: specify three points on the arc",
                "ARC drawing: specify three points on the arc", 1 },
            { "toolButtonArrow", 8, 0, 44, "ADD/DELETE arrow head", "ADD/DELETE arrow head (left button)", 2 },
            { "toolButtonPicture", 8, 1, 16, "PICTURE: add a picture", "PICTURE: add a picture", 9 },
            { "toolButtonTangent", 9, 0, 73, "TANGENT: add a tangent to a shape", "TANGENT: add a tangent to a shape",
                15 },
            { "toolButtonNormal", 9, 1, 74, "NORMAL: add a normal to a shape", "NORMAL: add a normal to a shape", 15 },
            { "toolButtonFlipVert", 10, 0, 56,
                "FLIP objects (left button) or COPY & FLIP (right button) up or down. Set center using SHIFT+LEFT "
                "button",
                "FLIP objects (left button) or COPY & FLIP (right button) up or down. Set center using SHIFT+LEFT "
                "button",
                6 },
            { "toolButtonRotateLeft", 10, 1, 58,
                "ROTATE objects (left button) or COPY & ROTATE (right button) 90 degree. Set center using "
                "SHIFT+LEFT button",
                "ROTATE objects (left button) or COPY & ROTATE (right button) 90 degree. Set center using "
                "SHIFT+LEFT button",
                14 },
            { "toolButtonFlipHoriz", 11, 0, 57,
                "FLIP objects (left button) or COPY & FLIP (right button) left or right. Set center using "
                "SHIFT+LEFT button",
                "FLIP objects (left button) or COPY & FLIP (right button) left or right. Set center using "
                "SHIFT+LEFT button",
                6 },
            { "toolButtonRotateRight", 11, 1, 59,
                "ROTATE objects (left button) or COPY & ROTATE (right button) -90 degree. Set center using "
                "SHIFT+LEFT button",
                "ROTATE objects (left button) or COPY & ROTATE (right button) -90 degree. Set center using "
                "SHIFT+LEFT button",
                14 },
            { "toolButtonAddPoint", 12, 0, 39, "ADD POINTs (to POLYLINE, POLYGON, CLOSED-SPLINE and SPLINE)",
                "ADD POINTs (to POLYLINE, POLYGON, CLOSED-SPLINE and SPLINE)", 6 },
            { "toolButtonDeletePoint", 12, 1, 38, "DELETE POINTs (from POLYLINE, POLYGON, CLOSED-SPLINE and SPLINE)",
                "DELETE POINTs (from POLYLINE, POLYGON, CLOSED-SPLINE and SPLINE)", 6 },
            { "toolButtonUpdate", 13, 0, 47, "UPDATE objects attribute to current settings",
                "UPDATE objects to current settings", 16 },
            { "toolButtonScaleComp", 13, 1, 32, "SCALE COMPOUND object", "SCALE COMPOUND object", 6 },
            { "toolButtonDelete", 14, 1, 36, "REMOVE object", "REMOVE objects", 6 },
        };
        for (const Row& r : rows) {
            QTest::newRow(r.name) << r.name << r.row << r.column << r.mode << r.toolTip << r.status << r.page;
        }
    }
    // Each button in its place with its tip and icon; a click makes its mode
    // current with its status text and page, and leaves it the one checked
    // button, also when it was checked already.
    void buttons()
    {
        QFETCH(QString, name);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, mode);
        QFETCH(QString, toolTip);
        QFETCH(QString, status);
        QFETCH(int, page);
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm&) {
            QCOMPARE(panelButtons(window).size(), 29);
            auto* button = window.shapesToolbar->layoutWidget->findChild<QToolButton*>(name);
            QVERIFY(button);
            QCOMPARE(window.shapesToolbar->modeButton(mode), button);
            auto* grid = qobject_cast<QGridLayout*>(window.shapesToolbar->layoutWidget->layout());
            QVERIFY(grid);
            QCOMPARE(grid->itemAtPosition(row, column)->widget(), button);
            QCOMPARE(button->toolTip(), toolTip);
            QCOMPARE(button->iconSize(), QSize(24, 24));
            QVERIFY(!button->icon().pixmap(24, 24).isNull());
            QVERIFY(button->isCheckable() && button->autoRaise());

            // The start chose the select mode.
            QVERIFY(window.shapesToolbar->modeButton(EditMode::Select)->isChecked());
            QCOMPARE(checkedCount(window), 1);

            for (int click = 0; click < 2; ++click) {
                StatusRecorder recorder;
                // The set-up runs again on the second click: nothing of the
                // handlers planted here stays.
                canvasHandlers.leftPressHandler = polylineAddPoint;
                button->click();
                QCOMPARE(editMode, mode);
                QVERIFY(button->isChecked());
                QCOMPARE(checkedCount(window), 1);
                QCOMPARE(statusText, status);
                QVERIFY(recorder.messages.contains(status));
                QCOMPARE(shownPage(window), page);
                QVERIFY(canvasHandlers.leftPressHandler != polylineAddPoint);
            }
        });
    }

    // The select button shows another icon while it is the mode.
    void selectIconFollowsTheMode()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm&) {
            QToolButton* select = window.shapesToolbar->modeButton(EditMode::Select);
            const QIcon icon = select->icon();
            QVERIFY(icon.pixmap(24, 24, QIcon::Normal, QIcon::On).toImage()
                != icon.pixmap(24, 24, QIcon::Normal, QIcon::Off).toImage());
        });
    }

    // Choosing by number: the same as the button; a number without a button
    // unchecks the checked one and changes nothing else.
    void setMode()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm&) {
            ShapesToolbar& panel = *window.shapesToolbar;
            panel.setMode(EditMode::Arc);
            QCOMPARE(editMode, int(EditMode::Arc));
            QVERIFY(panel.modeButton(EditMode::Arc)->isChecked());
            QCOMPARE(checkedCount(window), 1);
            QCOMPARE(shownPage(window), 1);
            panel.modeButton(EditMode::Box)->click();
            QVERIFY(!panel.modeButton(EditMode::Arc)->isChecked());
            QCOMPARE(checkedCount(window), 1);
            setEditMode(EditMode::Text);
            QCOMPARE(editMode, int(EditMode::Text));
            QVERIFY(panel.modeButton(EditMode::Text)->isChecked());
            QCOMPARE(checkedCount(window), 1);

            for (int mode : { int(EditMode::Paste), -1 }) {
                canvasHandlers.leftPressHandler = polylineAddPoint;
                panel.setMode(mode);
                QCOMPARE(checkedCount(window), 0);
                QCOMPARE(editMode, int(EditMode::Text));
                QVERIFY(canvasHandlers.leftPressHandler == polylineAddPoint);
                QCOMPARE(shownPage(window), 13);
            }
            canvasHandlers = CanvasHandlers();
            panel.modeButton(EditMode::Polyline)->click();
            QCOMPARE(checkedCount(window), 1);
            panel.modeButton(EditMode::Text)->click();
            QVERIFY(!panel.modeButton(EditMode::Polyline)->isChecked());
            QCOMPARE(checkedCount(window), 1);
        });
    }

    // Two objects selected in the select mode, one of them current with a
    // comment; the polyline button: nothing is selected or current, the
    // comment icons, the conversion and the align actions are off, and the
    // compound state was reported with the two still selected.
    void modeChangeResetsTheSelection()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext& context = *document.figContext;
            FigObject* first = context.drawing.objects.front();
            FigObject* second = *std::next(context.drawing.objects.begin());
            QVERIFY(!second->comment.isEmpty());
            first->selected = second->selected = true;
            context.currentObject = second;
            window.ui.actionAlignLeft->setEnabled(true);
            window.ui.actionConvertLineSpline->setEnabled(true);

            ShapesToolbar& panel = *window.shapesToolbar;
            QSignalSpy compound(&document, &QTChildFrm::compoundButtonsStateChanged);
            QList<QByteArray> order;
            QObject context2;
            connect(&panel, &ShapesToolbar::commentChanged, &context2, [&](bool on) {
                QVERIFY(!on);
                order << "comment";
            });
            connect(&panel, &ShapesToolbar::convertLineSplineButtonStateChanged, &context2, [&](bool on) {
                QVERIFY(!on);
                order << "convert";
            });
            connect(&panel, &ShapesToolbar::alignButtonsStateChanged, &context2, [&](bool on) {
                QVERIFY(!on);
                order << "align";
            });
            panel.modeButton(EditMode::Polyline)->click();

            QVERIFY(!first->selected && !second->selected);
            QVERIFY(!context.currentObject);
            QCOMPARE(order, QList<QByteArray>({ "comment", "convert", "align" }));
            QVERIFY(!window.ui.actionAlignLeft->isEnabled());
            QVERIFY(!window.ui.actionConvertLineSpline->isEnabled());
            QCOMPARE(compound.size(), 1);
            QCOMPARE(compound.at(0).at(0).toBool(), true); // something selected
            QCOMPARE(compound.at(0).at(1).toBool(), false); // no current compound
        });
    }

    // The modes that mark all objects deselect them first: the compound
    // state reports nothing selected.
    void markingModesDeselectFirst()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            CFigContext& context = *document.figContext;
            for (FigObject* object : context.drawing.objects)
                object->selected = true;
            QSignalSpy compound(&document, &QTChildFrm::compoundButtonsStateChanged);
            window.shapesToolbar->modeButton(EditMode::Copy)->click();
            QCOMPARE(compound.size(), 1);
            QCOMPARE(compound.at(0).at(0).toBool(), false);
            for (FigObject* object : context.drawing.objects) {
                QVERIFY(!object->selected);
                QCOMPARE(object->markerState, 1);
            }
            // The creation modes clear the markers.
            window.shapesToolbar->modeButton(EditMode::Box)->click();
            for (FigObject* object : context.drawing.objects)
                QCOMPARE(object->markerState, 0);
        });
    }

    // A transform centre goes with any mode change, its cross off the canvas.
    void transformCentreIsRemoved()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm& document) {
            ShapesToolbar& panel = *window.shapesToolbar;
            panel.setMode(EditMode::RotateLeft);
            const QImage clean = document.canvasImage->copy();
            document.beginCanvasPainter();
            document.figContext->drawCrossHair(1500, 1500);
            document.endCanvasPainter();
            transformCenter = { true, 1500, 1500 };
            QVERIFY(*document.canvasImage != clean);
            panel.setMode(EditMode::RotateLeft);
            QVERIFY(!transformCenter.isSet);
            QVERIFY(*document.canvasImage == clean);
        });
    }

    // Without a document every button but add-point still chooses its mode;
    // add-point (button and number) does nothing at all.
    void withoutADocument()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm&) {
            ShapesToolbar& panel = *window.shapesToolbar;
            window.closeAllChilds();
            QVERIFY(!window.activeMdiChild());

            panel.modeButton(EditMode::Box)->click();
            QCOMPARE(editMode, int(EditMode::Box));
            QCOMPARE(statusText, QStringLiteral("Rectangular BOX drawing"));
            QCOMPARE(shownPage(window), 3);

            QToolButton* addPoint = panel.modeButton(EditMode::AddPoint);
            addPoint->click();
            QCOMPARE(editMode, int(EditMode::Box));
            QVERIFY(!addPoint->isChecked());
            QVERIFY(panel.modeButton(EditMode::Box)->isChecked());
            QCOMPARE(panel.currentButton, panel.modeButton(EditMode::Box));
            QCOMPARE(shownPage(window), 3);
            QCOMPARE(statusText, QStringLiteral("Rectangular BOX drawing"));

            panel.setMode(EditMode::AddPoint);
            QCOMPARE(editMode, int(EditMode::Box));
            QVERIFY(panel.modeButton(EditMode::Box)->isChecked());
            QCOMPARE(checkedCount(window), 1);
        });
    }

    // With a document the add-point mode is chosen like any other.
    void addPointWithADocument()
    {
        editsession::run(figure, [&](QTMainFrm& window, QTChildFrm&) {
            window.shapesToolbar->modeButton(EditMode::AddPoint)->click();
            QCOMPARE(editMode, int(EditMode::AddPoint));
            QCOMPARE(checkedCount(window), 1);
            QCOMPARE(statusText, QStringLiteral("ADD POINTs (to POLYLINE, POLYGON, CLOSED-SPLINE and SPLINE)"));
        });
    }
};

TAVREL_TEST_MAIN(TestShapesToolbar)
#include "tst_shapestoolbar.moc"
