// The grid and metrics dialog on a real main window: the page controls and
// the paper size they show per unit, zoom typing in both zoom boxes, the
// resolution box, fit to page, the custom grids with the grid menu, the
// colour buttons, and the settings written at exit.
#include "app/mainwindowtestfolder.h"
#include "app/preferences.h"
#include "app/qruler.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/customgriddlg.h"
#include "dialogs/metricsdlg.h"
#include "model/figcontext.h"
#include "model/units.h"
#include "render/griddef.h"
#include "support/colordialogrecorder.h"
#include "support/editsession.h"
#include "support/formneed.h"
#include "support/messageboxrecorder.h"
#include "support/modaldialog.h"
#include "support/testenv.h"
#include "support/testfiles.h"
#include "toolbars/drawingattributes.h"

#include "ui_customgriddlg.h"
#include "ui_metricsdlg.h"

#include <QAction>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>

#include <memory>

namespace {

QByteArray figure(const QByteArray& objects)
{
    return "#FIG 3.2\nPortrait\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n" + objects;
}

// A box of line width 1 from (x0, y0) to (x1, y1).
QByteArray box(int x0, int y0, int x1, int y1)
{
    return QStringLiteral("2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t %1 %2 %3 %2 %3 %4 %1 %4 %1 %2\n")
        .arg(x0)
        .arg(y0)
        .arg(x1)
        .arg(y1)
        .toLatin1();
}

void typeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

class TestMetricsDlg : public QObject {
    Q_OBJECT

    MainWindowTestFolder folder;
    std::unique_ptr<QTMainFrm> window;

    MetricsDlg& dialog() { return *window->metricsDlg; }
    Ui::MetricsDlgForm& form() { return window->metricsDlg->form(); }
    CFigContext& ctx() { return *window->activeMdiChild()->figContext; }

    // A main window, active, with its first empty document.
    bool openWindow()
    {
        window = std::make_unique<QTMainFrm>();
        mainWindow = window.get();
        if (!MainWindowTestFolder::showActive(*window))
            return false;
        dialog().show();
        return window->activeMdiChild() != nullptr;
    }
    // Opens the figure in a new document window, which becomes active.
    bool openFigure(const QByteArray& text)
    {
        const QString name = folder.path(QStringLiteral("figure%1.fig").arg(++figureCount));
        writeFile(name, text);
        window->openFile(name);
        return window->activeMdiChild() && window->activeMdiChild()->curFile.endsWith(QFileInfo(name).fileName());
    }
    int figureCount = 0;

    // Adds a custom grid through the add button, answering its name dialog.
    void addGridByButton(const QString& name)
    {
        answerModalDialog<CustomGridDlg>(this, [name](CustomGridDlg* d) {
            d->form().lineEdit->setText(name);
            d->accept();
        });
        form().openCustomGridDlg->click();
    }

private slots:
    void initTestCase() { folder.initOnce(); }
    void cleanupTestCase() { folder.finishOnce(); }
    void init()
    {
        currentAttrs = DrawingAttributes();
        // Every test starts from the seven built-in grids as made at start.
        deleteGridDefs();
        createBuiltinGrids();
        QVERIFY(folder.reset());
        QVERIFY(openWindow());
    }
    void cleanup()
    {
        window.reset();
        folder.restore();
    }

    void formAndGridMenu()
    {
        QCOMPARE(dialog().windowTitle(), QString("Grid and Metrics"));
        const QSize size = sizeOrNeed(dialog(), QSize(480, 550));
        QCOMPARE(dialog().minimumSize(), size);
        QCOMPARE(dialog().maximumSize(), size);
        QCOMPARE(form().cbPageFormat->count(), 29);
        QCOMPARE(form().cbPageFormat->itemText(0), QString("Letter  "));
        QCOMPARE(form().cbPageFormat->itemText(3), QString("A"));
        QCOMPARE(form().cbPageFormat->itemText(13), QString("A4"));
        QCOMPARE(form().cbDpiAtZoom100->itemText(1), QString("%1 dpi (screen resolution)").arg(dialog().logicalDpiY()));
        QStringList pens;
        for (int i = 0; i < form().cbPenStyle->count(); ++i)
            pens << form().cbPenStyle->itemText(i);
        QCOMPARE(pens, QStringList({ "Dot", "Dash", "Dash Dot", "Dash Dot Dot", "Solid" }));
        QCOMPARE(form().cbGridMode->count(), 7);
        QVERIFY(form().cbGridMode->isEditable());
        // A built-in grid is active: its step, pen and deletion are locked.
        QVERIFY(!form().deleteCustomGrid->isEnabled());
        QVERIFY(!form().stepSize->isEnabled());

        const QList<QAction*> actions = window->gridMenu.actions();
        QCOMPARE(actions.size(), 7);
        for (int i = 0; i < actions.size(); ++i) {
            QCOMPARE(actions.at(i), gridDefs.at(i)->action);
            QCOMPARE(actions.at(i)->text(), gridDefs.at(i)->name);
        }
        // A menu entry chooses its grid for the active document.
        actions.at(3)->trigger();
        QCOMPARE(ctx().gridIndex, 3);
        QVERIFY(ctx().gridOn);
        QCOMPARE(form().cbGridMode->currentIndex(), 3);
    }

    // The size fields show the paper in the document's unit, turned in
    // landscape; each change reaches the document, whose file holds it.
    void pageSetup_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("paper");
        QTest::addColumn<QString>("sizeX");
        QTest::addColumn<QString>("sizeY");
        QTest::newRow("A4, metric, portrait") << 0 << 0 << 13 << "21.00"
                                              << "29.70";
        QTest::newRow("A4, imperial, landscape") << 1 << 1 << 13 << "11.69"
                                                 << "8.27";
        QTest::newRow("Letter, imperial, portrait") << 1 << 0 << 0 << "8.50"
                                                    << "11.00";
        QTest::newRow("ANSI A, metric, landscape") << 0 << 1 << 3 << "27.94"
                                                   << "21.59";
        QTest::newRow("B0, imperial, portrait") << 1 << 0 << 28 << "40.55"
                                                << "57.32";
    }
    void pageSetup()
    {
        QFETCH(int, unit);
        QFETCH(int, orientation);
        QFETCH(int, paper);
        QFETCH(QString, sizeX);
        QFETCH(QString, sizeY);
        form().cbUnit->setCurrentIndex(unit);
        form().cbOrientation->setCurrentIndex(orientation);
        form().cbPageFormat->setCurrentIndex(paper);
        QCOMPARE(ctx().metric, unit == 0);
        QCOMPARE(ctx().landscape, orientation == 1);
        QCOMPARE(ctx().paperIndex, paper);
        QCOMPARE(form().pageSizeX->text(), sizeX);
        QCOMPARE(form().pageSizeY->text(), sizeY);
        QVERIFY(!form().pageSizeX->isEnabled());

        // Another document shows its own page; coming back shows this one.
        window->newFile();
        QCOMPARE(form().cbPageFormat->currentIndex(), ctx().paperIndex);
        window->mdiArea->activatePreviousSubWindow();
        QCOMPARE(form().pageSizeX->text(), sizeX);
        QCOMPARE(form().cbUnit->currentIndex(), unit);
    }

    // Paper, orientation and unit are saved in the file, so changing them
    // leaves the document modified; choosing what it has does not.
    void pageChangesMarkTheDocumentModified_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("change");
        QTest::addColumn<QByteArray>("headerLine");
        QTest::newRow("unit") << "cbUnit" << true << QByteArray("Metric");
        QTest::newRow("orientation") << "cbOrientation" << true << QByteArray("Landscape");
        QTest::newRow("paper") << "cbPageFormat" << true << QByteArray("A3");
        QTest::newRow("same unit") << "cbUnit" << false << QByteArray("Inches");
        QTest::newRow("same paper") << "cbPageFormat" << false << QByteArray("Letter  ");
    }
    void pageChangesMarkTheDocumentModified()
    {
        QFETCH(QString, control);
        QFETCH(bool, change);
        QFETCH(QByteArray, headerLine);
        QVERIFY(openFigure(figure(box(1200, 1200, 2400, 2400))));
        QVERIFY(!ctx().modified);
        auto* combo = dialog().findChild<QComboBox*>(control);
        QVERIFY(combo);
        int index = combo->currentIndex();
        if (change)
            index = control == "cbPageFormat" ? 14 : 1 - index;
        combo->setCurrentIndex(index);
        // Choosing the same entry again, as the user can, changes nothing.
        if (control == "cbUnit")
            dialog().onUnit(index);
        if (control == "cbPageFormat")
            dialog().onPageFormat(index);
        QCOMPARE(ctx().modified, change);
        QCOMPARE(window->activeMdiChild()->isWindowModified(), change);

        QVERIFY(window->activeMdiChild()->save());
        const QList<QByteArray> lines = readFile(window->activeMdiChild()->curFile).split('\n');
        QVERIFY2(lines.contains(headerLine), lines.join('\n').constData());
    }

    void unitChangedOnEveryChoice()
    {
        QSignalSpy spy(&dialog(), &MetricsDlg::unitChanged);
        form().cbUnit->setCurrentIndex(1);
        dialog().onUnit(1);
        form().cbUnit->setCurrentIndex(0);
        QCOMPARE(spy.size(), 3);
        QCOMPARE(spy.at(0).at(0).toInt(), 1);
        QCOMPARE(spy.at(1).at(0).toInt(), 1);
        QCOMPARE(spy.at(2).at(0).toInt(), 0);
    }

    // Typed zooms: a number with or without one trailing "%"; anything else,
    // and zero or negative zooms, change nothing; the rest is held within
    // 0.01 to 99.99.
    void zoomTyping_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<QString>("shown");
        QTest::newRow("150") << "150" << 1.5f << "150%";
        QTest::newRow("150%") << "150%" << 1.5f << "150%";
        QTest::newRow("33.3") << "33.3" << 0.333f << "33.3%";
        QTest::newRow("150%x") << "150%x" << 1.0f << "150%x";
        QTest::newRow("%150") << "%150" << 1.0f << "%150";
        QTest::newRow("abc") << "abc" << 1.0f << "abc%";
        QTest::newRow("0") << "0" << 1.0f << "0%";
        QTest::newRow("-50") << "-50" << 1.0f << "-50%";
        QTest::newRow("above the range") << "20000" << 99.99f << "9999%";
        QTest::newRow("below the range") << "0.5" << 0.01f << "1%";
        QTest::newRow("nan") << "nan" << 1.0f << "nan%";
        QTest::newRow("inf") << "inf" << 1.0f << "inf%";
    }
    void zoomTyping()
    {
        QFETCH(QString, typed);
        QFETCH(float, zoom);
        QFETCH(QString, shown);
        typeInto(form().zoom->lineEdit(), typed);
        QCOMPARE(ctx().zoom, zoom);
        QCOMPARE(form().zoom->currentText(), shown);
        QCOMPARE(form().dpi->value(), roundToDecimals(double(80.0f * ctx().zoom), 2));
        if (zoom != 1.0f)
            QCOMPARE(window->zoomCombo->currentText(), shown);

        // Whatever happened, both fields go on reacting.
        typeInto(form().zoom->lineEdit(), "75");
        QCOMPARE(ctx().zoom, 0.75f);
        form().dpi->setValue(160);
        QCOMPARE(ctx().zoom, 2.0f);
        QCOMPARE(form().zoom->currentIndex(), 1);
    }

    // The main tool bar's box hands its text to the dialog.
    // A zoom chosen in a zoom box from a view scrolled to the far corner
    // of a large drawing leaves the view within the new range, the scroll
    // bars showing it, and the canvas showing what a whole redraw shows.
    void zoomBoxesKeepTheCanvasAndBarsTogether()
    {
        QVERIFY(openWindow());
        QVERIFY(openFigure(figure(box(600, 600, 30000, 24000))));
        QTChildFrm* child = window->activeMdiChild();
        QScrollBar* h = child->horizontalScrollBar();
        QScrollBar* v = child->verticalScrollBar();
        auto toFarCorner = [&]() {
            h->setValue(h->maximum());
            v->setValue(v->maximum());
            QTest::qWait(20);
        };
        auto shownAsRedrawn = [&]() {
            QTest::qWait(20);
            QCOMPARE(h->value(), ctx().originX);
            QCOMPARE(v->value(), ctx().originY);
            QCOMPARE(editsession::pixelsOffRedraw(*child), 0);
        };
        typeInto(window->zoomCombo->lineEdit(), "250");
        toFarCorner();
        typeInto(window->zoomCombo->lineEdit(), "50");
        shownAsRedrawn();
        form().zoom->setCurrentIndex(2);
        toFarCorner();
        form().zoom->setCurrentIndex(6);
        shownAsRedrawn();
        typeInto(form().zoom->lineEdit(), "300");
        shownAsRedrawn();
    }

    void zoomTypedInTheMainToolBar()
    {
        typeInto(window->zoomCombo->lineEdit(), "250");
        QCOMPARE(ctx().zoom, 2.5f);
        QCOMPARE(form().zoom->currentText(), QString("250%"));
        QCOMPARE(window->zoomCombo->currentText(), QString("250%"));
        typeInto(window->zoomCombo->lineEdit(), "-3");
        QCOMPARE(ctx().zoom, 2.5f);
    }

    void zoomShownForTheDocument_data()
    {
        QTest::addColumn<float>("zoom");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::newRow("1.33") << 1.33f << -1 << "133%";
        QTest::newRow("0.5") << 0.5f << 5 << "50%";
        QTest::newRow("5") << 5.0f << 0 << "500%";
        QTest::newRow("0.014") << 0.014f << -1 << "1%";
    }
    void zoomShownForTheDocument()
    {
        QFETCH(float, zoom);
        QFETCH(int, index);
        QFETCH(QString, text);
        ctx().zoom = zoom;
        dialog().setPageValues(&ctx());
        QCOMPARE(form().zoom->currentIndex(), index);
        QCOMPARE(window->zoomCombo->currentIndex(), index);
        QCOMPARE(form().zoom->currentText(), text);
        QCOMPARE(window->zoomCombo->currentText(), text);
        // Showing the zoom does not set it.
        QCOMPARE(ctx().zoom, zoom);
    }

    void zoomEntries()
    {
        window->zoomCombo->setCurrentIndex(6);
        QCOMPARE(ctx().zoom, 0.25f);
        QCOMPARE(form().dpi->value(), 20.0);
        form().zoom->setCurrentIndex(0);
        QCOMPARE(ctx().zoom, 5.0f);
        QCOMPARE(window->zoomCombo->currentIndex(), 0);
    }

    // The resolution box sets the zoom for the dots per inch it shows.
    void resolutionBox_data()
    {
        QTest::addColumn<double>("dpi");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("shown");
        QTest::newRow("160") << 160.0 << 2.0f << 1 << 160.0;
        QTest::newRow("100") << 100.0 << 1.25f << -1 << 100.0;
        QTest::newRow("40") << 40.0 << 0.5f << 5 << 40.0;
        QTest::newRow("0 is refused") << 0.0 << 1.0f << 3 << 80.0;
        QTest::newRow("held at the largest zoom") << 10000.0 << 99.99f << -1 << 7999.2;
    }
    void resolutionBox()
    {
        QFETCH(double, dpi);
        QFETCH(float, zoom);
        QFETCH(int, index);
        QFETCH(double, shown);
        QCOMPARE(form().dpi->value(), 80.0);
        form().dpi->setValue(dpi);
        QCOMPARE(ctx().zoom, zoom);
        QCOMPARE(form().zoom->currentIndex(), index);
        QCOMPARE(window->zoomCombo->currentIndex(), index);
        QCOMPARE(form().dpi->value(), shown);
    }

    // Fit to page fits the drawing into the window less 60 pixels; flat and
    // empty drawings keep the view, and the zoom stays within its range.
    void fitToPage_data()
    {
        QTest::addColumn<QByteArray>("objects");
        QTest::addColumn<float>("zoom"); // 0: fitted to the window
        QTest::newRow("empty drawing") << QByteArray() << 1.0f;
        QTest::newRow("horizontal line") << QByteArray(
            "2 1 0 0 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 1200 4800 1200\n")
                                         << 1.0f;
        QTest::newRow("tiny box") << box(1200, 1200, 1204, 1204) << 99.99f;
        QTest::newRow("huge box") << box(1200, 1200, 3001200, 3001200) << 0.01f;
        QTest::newRow("box") << box(1200, 1200, 13200, 7200) << 0.0f;
    }
    void fitToPage()
    {
        QFETCH(QByteArray, objects);
        QFETCH(float, zoom);
        MessageBoxRecorder boxes;
        QVERIFY(openFigure(figure(objects)));
        QVERIFY(boxes.boxes.isEmpty());
        QTChildFrm* view = window->activeMdiChild();
        const int originX = ctx().originX;
        const int originY = ctx().originY;
        form().zoom->setCurrentIndex(8);
        QCOMPARE(window->zoomCombo->currentIndex(), 8);
        if (zoom > 0) {
            QCOMPARE(ctx().zoom, zoom);
        } else {
            // The box with its line width, at the new zoom, fits the window
            // less the margin, which it fills in one direction (as far as
            // a zoom of two decimals allows).
            const double pixels = 80.0 / 1200.0 * ctx().zoom;
            const double w = 12001 * pixels / (view->visibleWidth() - 60);
            const double h = 6001 * pixels / (view->visibleHeight() - 60);
            const double slack = 0.006 / ctx().zoom;
            const QString sizes = QString("%1 %2 at %3").arg(w).arg(h).arg(ctx().zoom);
            QVERIFY2(w <= 1 + slack && h <= 1 + slack, qPrintable(sizes));
            QVERIFY2(w >= 1 - slack || h >= 1 - slack, qPrintable(sizes));
        }
        if (zoom == 1.0f) {
            QCOMPARE(ctx().originX, originX);
            QCOMPARE(ctx().originY, originY);
        }
        QCOMPARE(form().dpi->value(), roundToDecimals(double(80.0f * ctx().zoom), 2));
        // The canvas follows the scroll bars.
        QCOMPARE(ctx().originX,
            view->horizontalScrollBar()->isVisible() ? view->horizontalScrollBar()->value() : ctx().originX);
    }

    void customGridAddRenameAndDelete()
    {
        MessageBoxRecorder boxes;
        addGridByButton("Fine");
        QCOMPARE(gridDefs.size(), 8);
        const GridDef* grid = gridDefs.at(7);
        QCOMPARE(grid->name, QString("Fine"));
        QCOMPARE(grid->statusTip, QString("Fine"));
        QCOMPARE(grid->step, 1.0f);
        QCOMPARE(grid->penStyle, int(Qt::DotLine));
        QCOMPARE(grid->color, preferences.gridColor);
        QCOMPARE(grid->icon, QString(":/grid/images/grid/grid_custom.png"));
        QCOMPARE(ctx().gridIndex, 7);
        QVERIFY(ctx().gridOn);
        QCOMPARE(preferences.gridIndex, 7);
        QCOMPARE(form().cbGridMode->currentIndex(), 7);
        QCOMPARE(form().cbGridMode->itemText(7), QString("Fine"));
        QCOMPARE(window->gridMenu.actions().size(), 8);
        QCOMPARE(window->gridMenu.actions().at(7)->text(), QString("Fine"));
        QVERIFY(form().stepSize->isEnabled());
        QVERIFY(form().cbPenStyle->isEnabled());
        QVERIFY(form().deleteCustomGrid->isEnabled());
        QCOMPARE(form().stepSize->value(), 1.0);
        QCOMPARE(form().cbPenStyle->currentIndex(), 0);

        // Renamed in the box: the menu entry follows, the status tip stays.
        form().cbGridMode->setEditText("Finer");
        QCOMPARE(grid->name, QString("Finer"));
        QCOMPARE(grid->statusTip, QString("Fine"));
        QCOMPARE(window->gridMenu.actions().at(7)->text(), QString("Finer"));
        QCOMPARE(form().cbGridMode->itemText(7), QString("Finer"));

        form().stepSize->setValue(2.5);
        form().cbPenStyle->setCurrentIndex(4);
        QCOMPARE(grid->step, 2.5f);
        QCOMPARE(grid->metricStep, 2.5 * 472.440944);
        QCOMPARE(grid->metricHalfStep, 2.5 * 472.440944 / 2);
        QCOMPARE(grid->inchStep, 3000.0);
        QCOMPARE(grid->inchHalfStep, 1500.0);
        QCOMPARE(grid->penStyle, int(Qt::SolidLine));
        QVERIFY(boxes.boxes.isEmpty());

        form().deleteCustomGrid->click();
        QCOMPARE(gridDefs.size(), 7);
        QCOMPARE(form().cbGridMode->count(), 7);
        QCOMPARE(window->gridMenu.actions().size(), 7);
        QCOMPARE(ctx().gridIndex, 0);
        QVERIFY(!ctx().gridOn);
        QVERIFY(!preferences.gridOn);
        QCOMPARE(preferences.gridIndex, 0);
        QVERIFY(!form().deleteCustomGrid->isEnabled());
    }

    void addingIsCancelled()
    {
        answerModalDialog<CustomGridDlg>(this, [](CustomGridDlg* d) {
            d->form().lineEdit->setText("Fine");
            d->reject();
        });
        form().openCustomGridDlg->click();
        QCOMPARE(gridDefs.size(), 7);
        QCOMPARE(window->gridMenu.actions().size(), 7);
    }

    // A step of 0 or less is never a grid's step: the last usable one stays,
    // also in the settings, and the dialog stays open while the box shows it.
    void zeroStepIsNeverStored_data()
    {
        QTest::addColumn<double>("typed");
        QTest::newRow("0") << 0.0;
        QTest::newRow("0.00001") << 0.00001; // 0 at four decimals
    }
    void zeroStepIsNeverStored()
    {
        QFETCH(double, typed);
        addGridByButton("Fine");
        form().stepSize->setValue(3);
        form().stepSize->setValue(typed);
        const GridDef* grid = gridDefs.at(7);
        QCOMPARE(grid->step, 3.0f);
        QCOMPARE(grid->inchStep, 3600.0);

        MessageBoxRecorder boxes;
        form().buttonBox->button(QDialogButtonBox::Close)->click();
        QVERIFY(dialog().isVisible());
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes.first().title, QString("Warning"));
        QCOMPARE(boxes.boxes.first().text, QString("Please enter a value greater than 0 for grid Fine"));
        QCOMPARE(boxes.boxes.first().parent, static_cast<QWidget*>(&dialog()));
        QTest::keyClick(&dialog(), Qt::Key_Escape);
        QVERIFY(dialog().isVisible());
        QCOMPARE(boxes.boxes.size(), 2);

        writeSettings();
        const QJsonArray stored = QJsonDocument::fromJson(
            QSettings(settingsOrganization, settingsApplication).value("custom grids").toByteArray())
                                      .array();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.at(0).toObject().value("STEPSIZE").toDouble(), 3.0);

        form().stepSize->setValue(0.5);
        form().buttonBox->button(QDialogButtonBox::Close)->click();
        QVERIFY(!dialog().isVisible());
        QCOMPARE(boxes.boxes.size(), 2);
    }

    // The custom grids reach the settings with their names, steps, colours
    // and pens when the program exits.
    void customGridsInTheSettings()
    {
        addGridByButton("Fine");
        form().stepSize->setValue(0.25);
        form().cbPenStyle->setCurrentIndex(1);
        addGridByButton("Coarse");
        form().stepSize->setValue(4);
        writeSettings();

        QSettings settings(settingsOrganization, settingsApplication);
        const QJsonArray stored = QJsonDocument::fromJson(settings.value("custom grids").toByteArray()).array();
        QCOMPARE(stored.size(), 2);
        QCOMPARE(stored.at(0).toObject().value("NAME").toString(), QString("Fine"));
        QCOMPARE(stored.at(0).toObject().value("STATUS_TIP").toString(), QString("Fine"));
        QCOMPARE(stored.at(0).toObject().value("STEPSIZE").toDouble(), 0.25);
        QCOMPARE(stored.at(0).toObject().value("PENSTYLE").toInt(), int(Qt::DashLine));
        QCOMPARE(stored.at(1).toObject().value("NAME").toString(), QString("Coarse"));
        QCOMPARE(stored.at(1).toObject().value("STEPSIZE").toDouble(), 4.0);
        QCOMPARE(stored.at(1).toObject().value("PENSTYLE").toInt(), int(Qt::DotLine));
        QCOMPARE(settings.value("grid index").toInt(), 8);
        QCOMPARE(settings.value("grid on").toBool(), true);

        // Read back at the next start after the built-in grids.
        deleteGridDefs();
        createBuiltinGrids();
        readSettings();
        QCOMPARE(gridDefs.size(), 9);
        QCOMPARE(gridDefs.at(7)->name, QString("Fine"));
        QCOMPARE(gridDefs.at(7)->step, 0.25f);
        QCOMPARE(gridDefs.at(8)->name, QString("Coarse"));
        // The window's menu refers to the definitions made before.
        dialog().rebuildGridList();
    }

    void builtInGridsAreNotDeleted()
    {
        window->setGrid(2);
        form().deleteCustomGrid->setEnabled(true);
        form().deleteCustomGrid->click();
        QCOMPARE(gridDefs.size(), 7);
        QCOMPARE(form().cbGridMode->count(), 7);
        QCOMPARE(ctx().gridIndex, 2);
        // The grid box still chooses grids.
        form().cbGridMode->setCurrentIndex(3);
        QCOMPARE(ctx().gridIndex, 3);
    }

    // After a deletion every grid menu entry chooses the grid it names, and
    // every open document has its grid index reset.
    void menuAfterADeletion_data()
    {
        QTest::addColumn<int>("deleted");
        QTest::newRow("grid 8 of 10") << 8;
        QTest::newRow("grid 7 of 10") << 7;
        QTest::newRow("the last grid") << 9;
    }
    void menuAfterADeletion()
    {
        QFETCH(int, deleted);
        for (const char* name : { "Seven", "Eight", "Nine" })
            addGridByButton(name);
        QCOMPARE(gridDefs.size(), 10);
        CFigContext& first = ctx();
        window->newFile();
        CFigContext& second = ctx();
        QVERIFY(&first != &second);
        window->setGrid(2, &first);
        window->setGrid(deleted, &second);
        const QString deletedName = gridDefs.at(deleted)->name;

        form().deleteCustomGrid->click();
        QCOMPARE(gridDefs.size(), 9);
        QCOMPARE(first.gridIndex, 0);
        QCOMPARE(second.gridIndex, 0);
        const QList<QAction*> actions = window->gridMenu.actions();
        QCOMPARE(actions.size(), 9);
        for (int i = 0; i < actions.size(); ++i) {
            QVERIFY(actions.at(i)->text() != deletedName);
            QCOMPARE(actions.at(i)->text(), gridDefs.at(i)->name);
            QCOMPARE(form().cbGridMode->itemText(i), gridDefs.at(i)->name);
            actions.at(i)->trigger();
            QCOMPARE(second.gridIndex, i);
            QCOMPARE(second.gridOn, i != 0);
        }
        QCOMPARE(first.gridIndex, 0);
    }

    void colourButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QColor>("answer");
        QTest::newRow("grid colour") << "gridColor" << QColor(10, 20, 30);
        QTest::newRow("grid colour cancelled") << "gridColor" << QColor();
        QTest::newRow("background colour") << "backgroundColor" << QColor(250, 240, 200);
        QTest::newRow("background colour cancelled") << "backgroundColor" << QColor();
    }
    void colourButtons()
    {
        QFETCH(QString, button);
        QFETCH(QColor, answer);
        addGridByButton("Fine");
        const bool grid = button == "gridColor";
        const QColor before = grid ? preferences.gridColor : preferences.backgroundColor;
        const QColor otherBefore = grid ? preferences.backgroundColor : preferences.gridColor;
        ColorDialogRecorder colours({ answer });
        dialog().findChild<QPushButton*>(button)->click();
        QCOMPARE(colours.requests.size(), 1);
        QCOMPARE(colours.requests.first().initial, before);
        const QColor expected = answer.isValid() ? answer : before;
        QCOMPARE(grid ? preferences.gridColor : preferences.backgroundColor, expected);
        QCOMPARE(grid ? preferences.backgroundColor : preferences.gridColor, otherBefore);
        const QImage swatch = dialog().findChild<QPushButton*>(button)->icon().pixmap(16, 16).toImage();
        QCOMPARE(swatch.pixelColor(8, 8), expected);
        if (grid) {
            for (const GridDef* def : qAsConst(gridDefs))
                QCOMPARE(def->color, expected);
        }
    }

    // Controls that set preferences and every document window.
    void viewSettings()
    {
        form().cbMagnetMode->setCurrentIndex(1);
        QCOMPARE(ctx().magnetMode, 1);
        QCOMPARE(preferences.magnetMode, 1);
        form().snapToGridUsingLineWidth->setChecked(true);
        QVERIFY(preferences.snapToGridUsingLineWidth);
        form().showMargin->setChecked(!ctx().showPaperFrame);
        QCOMPARE(ctx().showPaperFrame, form().showMargin->isChecked());
        form().fontBase72dpi->setChecked(false);
        QVERIFY(!preferences.fontBase72dpi);

        QTChildFrm* first = window->activeMdiChild();
        QTChildFrm* second = window->newFile();
        form().horzRuler->setChecked(false);
        QVERIFY(!preferences.horzRuler);
        QVERIFY(!first->horzRuler);
        QVERIFY(!second->horzRuler);
        QVERIFY(second->vertRuler);

        form().cbDpiAtZoom100->setCurrentIndex(2);
        QCOMPARE(preferences.dpiAtZoom100, 2);
        QCOMPARE(first->figContext->dpiX, 72.0f);
        QCOMPARE(second->figContext->dpiY, 72.0f);
        QCOMPARE(form().dpi->value(), 72.0);
    }

    // Without an active document the controls that act on one do nothing,
    // not even open their dialogs.
    void noActiveDocument()
    {
        window->closeAllChilds();
        window->mdiArea->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window->activeMdiChild());
        ColorDialogRecorder colours({ QColor(1, 2, 3), QColor(1, 2, 3) });
        const Preferences before = preferences;
        bool asked = false;
        answerModalDialog<CustomGridDlg>(this, [&asked](CustomGridDlg* d) {
            asked = true;
            d->reject();
        });
        form().openCustomGridDlg->click();
        QCoreApplication::processEvents();
        QVERIFY(!asked);
        form().gridColor->click();
        form().backgroundColor->click();
        QVERIFY(colours.requests.isEmpty());
        form().cbMagnetMode->setCurrentIndex(0);
        QCOMPARE(preferences.magnetMode, before.magnetMode);
        form().cbDpiAtZoom100->setCurrentIndex(1);
        QCOMPARE(preferences.dpiAtZoom100, before.dpiAtZoom100);
        typeInto(form().zoom->lineEdit(), "200");
        form().zoom->setCurrentIndex(8);
    }
};

TAVREL_TEST_MAIN(TestMetricsDlg)
#include "tst_metricsdlg.moc"
