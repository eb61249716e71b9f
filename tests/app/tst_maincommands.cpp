// The main window's commands: opening files, the align, constraint, snap and
// grid settings, the attribute page of a picked object or a mode, and the
// comment tip.
#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/metricsdlg.h"
#include "edit/editstate.h"
#include "mainwindowtestfolder.h"
#include "model/figarc.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "render/griddef.h"
#include "render/resources.h"
#include "support/filedialogrecorder.h"
#include "support/logrecorder.h"
#include "support/messageboxrecorder.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"
#include "support/testfiles.h"
#include "toolbars/drawingattributes.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QSettings>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolTip>

#include <functional>

namespace {

const QByteArray fixture = "#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n"
                           "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 1200 2400 2400\n";

QImage iconImage(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

QStringList recentFiles()
{
    QSettings settings(settingsOrganization, settingsApplication);
    return settings.value("recentFileList").toStringList();
}

using Slot = void (QTMainFrm::*)(bool);

// Shows the main window and makes it the active one, as at start-up: only
// then does its MDI area keep an active sub-window.
bool showActive(QTMainFrm& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

} // namespace

Q_DECLARE_METATYPE(Slot)

class TestMainCommands : public QObject {
    Q_OBJECT

    MainWindowTestFolder folder;

private slots:
    void initTestCase() { folder.initOnce(); }
    void cleanupTestCase() { folder.finishOnce(); }
    void init()
    {
        currentAttrs = DrawingAttributes();
        QVERIFY(folder.reset());
    }
    void cleanup() { folder.restore(); }

    void openReadsAFileOnce()
    {
        const QString file = QDir(folder.dir->path()).filePath("x.fig");
        writeFile(file, fixture);
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        FileDialogRecorder names({ file, file });
        window.open();
        QCOMPARE(names.requests.first().caption, QString("Open"));
        QCOMPARE(names.requests.first().directory, QString());
        QCOMPARE(names.requests.first().filter, QString("FIG files (*.fig *.FIG)"));
        QCOMPARE(window.childFrames().size(), 2);
        QTChildFrm* opened = window.activeMdiChild();
        QCOMPARE(opened->curFile, QFileInfo(file).canonicalFilePath());
        QCOMPARE(recentFiles(), QStringList { opened->curFile });

        // The next dialog starts in the file's folder; the same file again
        // activates its window and reads nothing.
        window.mdiArea->activatePreviousSubWindow();
        QVERIFY(window.activeMdiChild() != opened);
        opened->figContext->setModified();
        window.open();
        QCOMPARE(names.requests.last().directory, QDir::toNativeSeparators(QFileInfo(file).absolutePath()));
        QCOMPARE(window.childFrames().size(), 2);
        QCOMPARE(window.activeMdiChild(), opened);
        QVERIFY(opened->figContext->modified);
        QCOMPARE(recentFiles(), QStringList { opened->curFile });
    }

    void openFailureLeavesNoWindow()
    {
        const QString file = QDir(folder.dir->path()).filePath("notes.txt");
        writeFile(file, "Dear diary,\nno drawing today.\n");
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        StatusRecorder status;
        FileDialogRecorder names({ file });
        window.open();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(window.childFrames().size(), 1);
        QCOMPARE(window.mdiArea->subWindowList().size(), 1);
        QCOMPARE(status.messages.last(), QString("Not a Fig file"));
        QVERIFY(recentFiles().isEmpty());
    }

    // A file that cannot be opened or is no drawing says why, in the status
    // bar and in the log, leaves no window behind, and the shortcuts go on
    // working; each way of opening: the Open dialog, the command line, a
    // recent file.
    void failedOpens_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("way");
        const QString missing = QStringLiteral("Couldn't open file %1, No such file or directory");
        const QString notFig = QStringLiteral("Not a Fig file");
        const QString empty = QStringLiteral("File \"%1\" is empty.");
        for (int way = 0; way < 3; ++way) {
            const char* const ways[] = { "dialog", "command line", "recent file" };
            QTest::addRow("missing folder, %s", ways[way]) << "gone/a.fig" << QByteArray() << missing << way;
            QTest::addRow("folder as file, %s", ways[way])
                << "folder.fig" << QByteArray() << QStringLiteral("Couldn't open file %1, ") << way;
            QTest::addRow("one line of text, %s", ways[way]) << "note.fig" << QByteArray("Dear diary") << notFig << way;
            QTest::addRow("text, %s", ways[way])
                << "notes.fig" << QByteArray("Dear diary,\nno drawing.\n") << notFig << way;
            QTest::addRow("empty, %s", ways[way]) << "empty.fig" << QByteArray("") << empty << way;
            QTest::addRow("magic line only, %s", ways[way]) << "magic.fig" << QByteArray("#FIG 3.2\n") << empty << way;
        }
    }
    void failedOpens()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        QFETCH(int, way);
        const QString file = QDir(folder.dir->path()).filePath(name);
        if (name == "folder.fig")
            QVERIFY(QDir().mkpath(file));
        else if (!name.startsWith("gone/"))
            writeFile(file, contents);
        LogRecorder log;
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        const int windows = window.childFrames().size();
        StatusRecorder status;
        MessageBoxRecorder boxes;
        if (way == 0) {
            FileDialogRecorder names({ file });
            window.open();
        } else if (way == 1) {
            window.openFile(file.toUtf8().constData());
        } else {
            window.updateRecentFiles(file);
            window.recentFileActs[0]->trigger();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QStringList records = log.records;
        QCOMPARE(window.childFrames().size(), windows);
        QCOMPARE(window.mdiArea->subWindowList().size(), windows);
        const QString expected = message.arg(file);
        QVERIFY2(status.messages.last().startsWith(expected), qPrintable(status.messages.last()));
        QCOMPARE(statusText, status.messages.last());
        QVERIFY2(records.size() == 1 && records.first().startsWith("ERROR ")
                && records.first().contains(status.messages.last()),
            qPrintable(records.join('\n')));
        QVERIFY(boxes.boxes.isEmpty());
        // The shortcuts still reach the window's actions.
        QTest::keyClick(window.focusWidget() ? window.focusWidget() : &window, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(window.childFrames().size(), windows + 1);
    }

    // What reading corrects goes to the log as warnings, what it leaves out
    // as errors; objects left out are told in a box once the drawing is open.
    void readerReportsAfterOpening()
    {
        const QString file = QDir(folder.dir->path()).filePath("damaged.fig");
        writeFile(file,
            QByteArray("#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n")
                + "2 1 0 1 0 7 1500 -1 -1 0.000 0 0 -1 0 0 2\n\t 1200 1200 2400 2400\n"
                  "2 2 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 4\n\t 0 0 600 0 600 600 0 600\n"
                  "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 2000000000 0 600 600\n"
                  "2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 600 600 1200 1200\n");
        LogRecorder log;
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        MessageBoxRecorder boxes;
        StatusRecorder status;
        window.openFile(file.toUtf8().constData());
        const QStringList records = log.records;

        QTChildFrm* child = window.activeMdiChild();
        QVERIFY(child && child->curFile == QFileInfo(file).canonicalFilePath());
        QCOMPARE(child->figContext->objects()->size(), size_t(2));
        const QString name = QDir::toNativeSeparators(file);
        const QStringList expected {
            "WARN : " + name + ": Depth > Maximum allowed (999), setting to 999 in line 10.",
            "ERROR: " + name + ": Deleting zero-size box at line 12",
            "ERROR: " + name + ": Value out of range in polyline at line 15, removing it.",
        };
        QStringList readerRecords;
        for (const QString& record : qAsConst(records)) {
            if (record.contains(name + ": "))
                readerRecords << record.left(5) + ": " + record.mid(5 + 1 + 23).trimmed();
        }
        QCOMPARE(readerRecords, expected);
        QCOMPARE(boxes.boxes.size(), 1);
        const MessageBoxRequest& box = boxes.boxes.first();
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.parent, &window);
        QCOMPARE(box.text,
            QString("2 object(s) of \"%1\" could not be read and were left out:\n\n"
                    "Deleting zero-size box at line 12\n"
                    "Value out of range in polyline at line 15, removing it.\n\n"
                    "Saving the drawing will not keep them.")
                .arg(name));
        // The status bar keeps the last word of the reading.
        QVERIFY(statusText.startsWith("Opened "));

        // Opening a sound file asks nothing.
        const QString sound = QDir(folder.dir->path()).filePath("sound.fig");
        writeFile(sound, fixture);
        window.openFile(sound.toUtf8().constData());
        QCOMPARE(boxes.boxes.size(), 1);
    }

    void recentEntriesAreAbsolute()
    {
        // A name relative to the current folder, which the load changes.
        QDir(folder.dir->path()).mkpath("sub");
        writeFile(QDir(folder.dir->path()).filePath("sub/y.fig"), fixture);
        QDir::setCurrent(folder.dir->path());
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        window.openFile("sub/y.fig");
        const QString expected = QFileInfo(QDir(folder.dir->path()).filePath("sub/y.fig")).canonicalFilePath();
        QCOMPARE(recentFiles(), QStringList { expected });
        QCOMPARE(QDir::currentPath(), QFileInfo(expected).absolutePath());
        // Save records it again, still absolute.
        window.activeMdiChild()->figContext->setModified();
        window.save();
        QCOMPARE(recentFiles(), QStringList { expected });
        // Save leaves the writer's message, no "File saved".
        QCOMPARE(statusText, QString("1 object(s) saved in \"%1\"").arg(expected));
        QCOMPARE(window.statusBar()->currentMessage(), QString());
    }

    void alignModes_data()
    {
        QTest::addColumn<QString>("slot");
        QTest::addColumn<int>("horizontal");
        QTest::addColumn<int>("vertical");
        QTest::newRow("left") << "alignLeft" << 1 << 0;
        QTest::newRow("top") << "alignTop" << 0 << 1;
        QTest::newRow("right") << "alignRight" << 3 << 0;
        QTest::newRow("bottom") << "alignBottom" << 0 << 3;
        QTest::newRow("centre horizontally") << "alignCenterH" << 2 << 0;
        QTest::newRow("centre vertically") << "alignCenterV" << 0 << 2;
        QTest::newRow("centre") << "alignCenterHV" << 2 << 2;
    }
    void alignModes()
    {
        QFETCH(QString, slot);
        QFETCH(int, horizontal);
        QFETCH(int, vertical);
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        // Each command sets both parts, whatever was set before.
        alignMode.horizontal = 3;
        alignMode.vertical = 3;
        QVERIFY(QMetaObject::invokeMethod(&window, slot.toLatin1().constData()));
        QCOMPARE(alignMode.horizontal, horizontal);
        QCOMPARE(alignMode.vertical, vertical);
    }

    void constraints_data()
    {
        QTest::addColumn<Slot>("slot");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVector<int>>("flags"); // manhattan, mountain, latexLine, latexArrow
        const QString path = ":/constraints/images/constraints/%1.png";
        QTest::newRow("unconstraint") << &QTMainFrm::setUnconstraint << path.arg("unconstraint")
                                      << "UNCONSTRAINT geometry (for POLYLINE and SPLINE)"
                                      << QVector<int> { 0, 0, 0, 0 };
        QTest::newRow("mounthattan") << &QTMainFrm::setMounthattan << path.arg("mounthattan")
                                     << "MOUNT-HATTAN geometry (for POLYLINE and SPLINE)"
                                     << QVector<int> { 1, 1, 0, 0 };
        QTest::newRow("manhattan") << &QTMainFrm::setManhattan << path.arg("manhattan")
                                   << "MANHATTAN geometry (for POLYLINE and SPLINE)" << QVector<int> { 1, 0, 0, 0 };
        QTest::newRow("mountain") << &QTMainFrm::setMountain << path.arg("mountain")
                                  << "MOUNTAIN geometry (for POLYLINE and SPLINE)" << QVector<int> { 0, 1, 0, 0 };
        QTest::newRow("latex arrow") << &QTMainFrm::setLatexarrow << path.arg("latexarrow")
                                     << "LATEX ARROW geometry: allow only LaTeX arrow slopes"
                                     << QVector<int> { 0, 0, 0, 1 };
        QTest::newRow("latex line") << &QTMainFrm::setLatexline << path.arg("latexline")
                                    << "LATEX LINE geometry: allow only LaTeX line slopes"
                                    << QVector<int> { 0, 0, 1, 0 };
    }
    void constraints()
    {
        QFETCH(Slot, slot);
        QFETCH(QString, icon);
        QFETCH(QString, text);
        QFETCH(QVector<int>, flags);
        QTMainFrm window;
        constraintModes = { 1, 1, 1, 1 };
        // The checked state of the menu entry does not matter.
        (window.*slot)(false);
        QCOMPARE(QVector<int>({ constraintModes.manhattan, constraintModes.mountain, constraintModes.latexLine,
                     constraintModes.latexArrow }),
            flags);
        QCOMPARE(statusText, text);
        QCOMPARE(iconImage(window.constraintButton.icon()), iconImage(QIcon(icon)));
        constraintModes = {};
    }

    void snapModes()
    {
        QTMainFrm window;
        // Without a document nothing changes.
        mainWindow = &window;
        QVERIFY(showActive(window));
        const QList<QMdiSubWindow*> windows = window.mdiArea->subWindowList();
        window.mdiArea->setActiveSubWindow(nullptr);
        if (!window.activeMdiChild()) {
            window.setSnapModeMagnet(true);
            QCOMPARE(preferences.snapMode, 0);
        }
        window.mdiArea->setActiveSubWindow(windows.first());
        QVERIFY(window.activeMdiChild());

        window.setSnapModeMagnet(true);
        QCOMPARE(statusText, QString("Snap points to grid"));
        window.setSnapModeVertex(true);
        QCOMPARE(statusText, QString("Snap points to vertex"));
        QCOMPARE(preferences.snapMode, 3);
        QVERIFY(window.snapButton.isChecked());
        window.setSnapModeMagnet(false);
        QCOMPARE(preferences.snapMode, 2);
        QVERIFY(window.snapButton.isChecked());
        window.setSnapModeVertex(false);
        QCOMPARE(preferences.snapMode, 0);
        QVERIFY(!window.snapButton.isChecked());
    }

    void grids()
    {
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        CFigContext* context = window.activeMdiChild()->figContext;
        window.setGrid(2);
        QCOMPARE(context->gridIndex, 2);
        QVERIFY(context->gridOn);
        QCOMPARE(preferences.gridIndex, 2);
        QVERIFY(preferences.gridOn);
        QCOMPARE(window.metricsDlg->gridCombo()->currentIndex(), 2);
        QCOMPARE(iconImage(window.gridButton.icon()), iconImage(QIcon(gridDefs.at(2)->icon)));

        // An index past the grids is ignored.
        window.setGrid(gridDefs.size());
        QCOMPARE(context->gridIndex, 2);

        window.setGrid(0);
        QVERIFY(!context->gridOn);
        QVERIFY(!preferences.gridOn);
        QCOMPARE(preferences.gridIndex, 0);
        QCOMPARE(statusText, QString("No GRID"));
    }

    void objectAttributes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("subType");
        QTest::addColumn<int>("page"); // -1: stays
        QTest::addColumn<bool>("taken");
        QTest::addColumn<bool>("colours"); // the document takes the pen colour
        QTest::newRow("ellipse") << 1 << 3 << 5 << true << true;
        QTest::newRow("polyline") << 2 << 1 << 8 << true << true;
        QTest::newRow("box") << 2 << 2 << 3 << true << true;
        QTest::newRow("polygon") << 2 << 3 << 7 << true << true;
        QTest::newRow("arc box") << 2 << 4 << 3 << true << true;
        QTest::newRow("picture") << 2 << 5 << 9 << true << false;
        QTest::newRow("polyline of an unknown kind") << 2 << 9 << -1 << true << true;
        QTest::newRow("open spline") << 3 << 4 << 12 << true << true;
        QTest::newRow("closed spline") << 3 << 5 << 11 << true << true;
        QTest::newRow("spline of an unknown kind") << 3 << 7 << -1 << false << false;
        QTest::newRow("text") << 4 << 0 << 13 << true << true;
        QTest::newRow("arc") << 5 << 1 << 1 << true << true;
        QTest::newRow("compound") << 6 << 0 << 4 << false << false;
    }
    void objectAttributes()
    {
        QFETCH(int, type);
        QFETCH(int, subType);
        QFETCH(int, page);
        QFETCH(bool, taken);
        QFETCH(bool, colours);
        QTMainFrm window;
        mainWindow = &window;
        QVERIFY(showActive(window));
        CFigContext* context = window.activeMdiChild()->figContext;
        std::unique_ptr<FigObject> object;
        switch (type) {
        case 1:
            object = std::make_unique<FigEllipse>(1);
            break;
        case 2:
            object = std::make_unique<FigLine>(1);
            break;
        case 3:
            object = std::make_unique<FigSpline>(1);
            break;
        case 4:
            object = std::make_unique<FigText>(1);
            static_cast<FigText*>(object.get())->color = 4;
            break;
        case 5:
            object = std::make_unique<FigArc>(1);
            break;
        default:
            object = std::make_unique<FigCompound>(1);
            break;
        }
        object->subType = subType;
        object->depth = 40;
        object->penColor = 4;
        object->comment = "a remark";
        window.attrsStack->setCurrentIndex(16);
        QSignalSpy comments(&window, &QTMainFrm::commentChanged);

        window.showObjectAttributes(nullptr, object.get());
        QCOMPARE(window.attrsStack->currentIndex(), page == -1 ? 16 : page);
        QCOMPARE(currentAttrs.depth, taken ? 40 : 50);
        QCOMPARE(context->penColor, colours ? 4 : 0);
        QCOMPARE(comments.size(), 1);
        QCOMPARE(comments.first().first().toBool(), true);

        // Without an object: the empty page, no comment.
        window.showObjectAttributes(context, nullptr);
        QCOMPARE(window.attrsStack->currentIndex(), 6);
        QCOMPARE(comments.size(), 2);
        QCOMPARE(comments.last().first().toBool(), false);
    }

    void modePages_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("page");
        QTest::newRow("circle") << 1 << 5;
        QTest::newRow("arc") << 5 << 1;
        QTest::newRow("polyline") << 6 << 8;
        QTest::newRow("box") << 7 << 3;
        QTest::newRow("polygon") << 8 << 7;
        QTest::newRow("text") << 9 << 13;
        QTest::newRow("closed spline") << 13 << 11;
        QTest::newRow("regular polygon") << 15 << 10;
        QTest::newRow("picture") << 16 << 9;
        QTest::newRow("arrows") << 44 << 2;
        QTest::newRow("update") << 47 << 16;
        QTest::newRow("rotate") << 59 << 14;
        QTest::newRow("normal") << 74 << 15;
        QTest::newRow("select") << 67 << 6;
        QTest::newRow("current mode") << -1 << 12;
    }
    void modePages()
    {
        QFETCH(int, mode);
        QFETCH(int, page);
        QTMainFrm window;
        const int savedMode = editMode;
        editMode = 10;
        window.selectAttrsToolbarPage(mode);
        editMode = savedMode;
        QCOMPARE(window.attrsStack->currentIndex(), page);
    }

    void commentTip()
    {
        QTMainFrm window;
        FigLine line(1);
        line.comment = "look here";
        window.commentTipPos = QPoint(40, 50);
        window.commentTipText = line.comment;
        window.hoveredObject = nullptr;
        window.showCommentTip();
        QVERIFY(!QToolTip::isVisible());
        window.hoveredObject = &line;
        window.showCommentTip();
        QCOMPARE(QToolTip::text(), QString("look here"));
        QToolTip::hideText();
        window.hoveredObject = nullptr;
    }
};

TAVREL_TEST_MAIN(TestMainCommands)
#include "tst_maincommands.moc"
