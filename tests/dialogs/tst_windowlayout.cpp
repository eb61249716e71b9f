// What a user reads in the windows opened from the main window's menus
// beside the editing dialogs: the export dialog with each of its format
// pages, the shape library and the update information. Each is shown at the
// size it opens with and checked as the layout test checks the dialogs:
// every text, entry and widest number whole, nothing on top of another or
// out of its parent. CTest runs it at the usual font and at a larger one.
//
// With TAVREL_LAYOUT_SHOTS set to a folder, a picture of each window and
// page is left there to look at.
#include "app/updateinfodlg.h"
#include "export/exportdlg.h"
#include "export/exportfixtures.h"
#include "library/librarydlg.h"
#include "library/libraryfixtures.h"
#include "support/formneed.h"
#include "support/layoutcheck.h"
#include "support/testenv.h"

#include <QListWidget>
#include <QScrollBar>
#include <QStackedWidget>

#include <memory>

using exportfixtures::box;
using exportfixtures::Document;
using exportfixtures::figure;
using layoutcheck::report;

namespace {

// Leaves a picture of the window when pictures are asked for.
void keepPicture(QWidget& window, const QString& name)
{
    const QString folder = qEnvironmentVariable("TAVREL_LAYOUT_SHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    const QString dpi = qEnvironmentVariable("QT_FONT_DPI", QStringLiteral("96"));
    window.grab().save(QDir(folder).filePath(QStringLiteral("%1-%2.png").arg(name, dpi)));
}

} // namespace

class TestWindowLayout : public QObject {
    Q_OBJECT

    std::unique_ptr<Document> document;
    std::unique_ptr<ExportDlg> exportDialog;

private slots:
    void initTestCase()
    {
        initDefaultColors();
        // A drawing on a paper size with a long name in the lists.
        document = std::make_unique<Document>(figure(box(0, 0, 2400, 1200), true, "A4"));
        QVERIFY(document->loaded);
        exportDialog = std::make_unique<ExportDlg>(nullptr, Qt::WindowFlags());
        exportDialog->setContext(document->context.get());
        exportDialog->setFileName(QDir::toNativeSeparators(document->path()));
        exportDialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(exportDialog.get()));
    }

    void cleanupTestCase()
    {
        exportDialog.reset();
        document.reset();
    }

    // Every format as the list shows it, at the size the dialog opens with:
    // its form's size where everything fits, more where the font needs it.
    void exportPages_data()
    {
        QTest::addColumn<int>("row");
        auto* list = exportDialog->findChild<QListWidget*>(QStringLiteral("exportFormatList"));
        QVERIFY(list);
        QCOMPARE(list->count(), ExportDlg::formatCount);
        for (int row = 0; row < list->count(); ++row)
            QTest::newRow(qPrintable(list->item(row)->text())) << row;
    }

    void exportPages()
    {
        QFETCH(int, row);
        ExportDlg& dialog = *exportDialog;
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("exportFormatList"));
        auto* stack = dialog.findChild<QStackedWidget*>(QStringLiteral("stackedWidget"));
        list->setCurrentRow(row);
        QApplication::processEvents();
        QCOMPARE(stack->currentIndex(), row);
        keepPicture(dialog, QStringLiteral("export-%1").arg(row, 2, 10, QLatin1Char('0')));

        QStringList faults = layoutcheck::shownFaults(&dialog);
        // The whole list shows, without a scroll bar in either direction.
        if (list->horizontalScrollBar()->isVisible() || list->verticalScrollBar()->isVisible())
            faults << QStringLiteral("the format list scrolls");
        for (int i = 0; i < list->count(); ++i) {
            const QRect item = list->visualItemRect(list->item(i));
            if (!list->viewport()->rect().contains(item))
                faults << QStringLiteral("list entry %1 at %2,%3 %4x%5 is cut by its frame")
                              .arg(list->item(i)->text())
                              .arg(item.x())
                              .arg(item.y())
                              .arg(item.width())
                              .arg(item.height());
        }
        QVERIFY2(faults.isEmpty(), report(faults).constData());
        QCOMPARE(dialog.size(), QSize(610, 680).expandedTo(formNeed(dialog)));
    }

    // The size the dialog opens with holds every page: switching formats
    // never resizes it.
    void exportDialogKeepsItsSize()
    {
        ExportDlg& dialog = *exportDialog;
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("exportFormatList"));
        const QSize opened = dialog.size();
        for (int row = 0; row < list->count(); ++row) {
            list->setCurrentRow(row);
            QApplication::processEvents();
            QCOMPARE(dialog.size(), opened);
        }
        QCOMPARE(dialog.minimumSize(), opened);
        QCOMPARE(dialog.maximumSize(), opened);
    }

    void libraryDialog()
    {
        libraryfixtures::LibraryRoot root;
        root.folder(QStringLiteral("Electrical/Resistors"));
        root.clip(QStringLiteral("Electrical/lamp.fig"), libraryfixtures::threeObjects);
        LibraryDlg dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        keepPicture(dialog, QStringLiteral("library"));
        const QStringList faults = layoutcheck::layoutFaults(&dialog);
        QVERIFY2(faults.isEmpty(), report(faults).constData());
    }

    void updateDialog()
    {
        UpdateInfoDlg dialog(nullptr);
        UpdateInfo info;
        info.publisher = QStringLiteral("Example Publisher");
        info.programName = QStringLiteral("Tavrel");
        info.description = QStringLiteral("An editor for Fig drawings");
        info.version = QStringLiteral("9.9.9");
        info.date = QStringLiteral("2027-01-15");
        info.uri = QStringLiteral("http://127.0.0.1/downloads");
        info.changes = QStringList { QStringLiteral("Faster export"), QStringLiteral("Larger fonts shown whole") };
        dialog.setUpdateInfo(info);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        keepPicture(dialog, QStringLiteral("update"));
        const QStringList faults = layoutcheck::layoutFaults(&dialog);
        QVERIFY2(faults.isEmpty(), report(faults).constData());
    }
};

// On the display the test is started with when there is one, as a user sees
// the windows, else off screen.
TAVREL_TEST_MAIN_ON_DISPLAY(TestWindowLayout)
#include "tst_windowlayout.moc"
