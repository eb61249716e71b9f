// A folder of many clips: every clip is listed at once, in name order, but a
// clip is read and its thumbnail made only when its row comes into view;
// scrolling makes the thumbnails of the rows then in view, and out of view
// only a bounded number of loaded clips is kept. A file that cannot be read
// loses its row once it comes into view, with the status message.
#include "app/preferences.h"
#include "library/librarydlg.h"
#include "library/librarylistwidget.h"
#include "library/librarytreewidget.h"
#include "libraryfixtures.h"
#include "model/figcontext.h"
#include "render/colors.h"
#include "render/pens.h"
#include "render/resources.h"
#include "support/statusrecorder.h"
#include "support/testenv.h"

#include <QScrollBar>

#include <memory>

using namespace libraryfixtures;

namespace {

constexpr int clipCount = 3000;

QString clipName(int i)
{
    return QStringLiteral("clip%1.fig").arg(i, 4, 10, QLatin1Char('0'));
}

} // namespace

class TestLibraryRows : public QObject {
    Q_OBJECT

    std::unique_ptr<LibraryRoot> root;
    std::unique_ptr<LibraryDlg> dialog;

    LibraryListWidget* list() { return dialog->findChild<LibraryListWidget*>("thumbnails"); }
    LibraryTreeWidget* tree() { return dialog->findChild<LibraryTreeWidget*>("dirTree"); }

    QStringList rows()
    {
        QStringList names;
        for (int i = 0; i < list()->count(); ++i)
            names << list()->item(i)->text();
        return names;
    }
    QList<int> rowsInView()
    {
        QList<int> inView;
        const QRect view = list()->viewport()->rect();
        for (int i = 0; i < list()->count(); ++i) {
            if (list()->visualItemRect(list()->item(i)).intersects(view))
                inView << i;
        }
        return inView;
    }
    int loadedCount()
    {
        int count = 0;
        for (CFigContext* clip : qAsConst(dialog->clipContexts))
            count += clip ? 1 : 0;
        return count;
    }
    // Whether every row in view has its loaded clip and a thumbnail of its
    // own (rows without one share the blank icon).
    bool viewDone()
    {
        const QList<int> inView = rowsInView();
        if (inView.isEmpty())
            return false;
        const int unloaded = int(dialog->clipContexts.indexOf(nullptr));
        const qint64 blank = unloaded >= 0 ? list()->item(unloaded)->icon().cacheKey() : 0;
        for (int row : inView) {
            if (!dialog->clipContexts.value(row) || list()->item(row)->icon().cacheKey() == blank)
                return false;
        }
        return true;
    }

private slots:
    void initTestCase() { initDrawingResources(); }
    void init()
    {
        preferences = Preferences();
        root = std::make_unique<LibraryRoot>();
        root->folder("Many");
        for (int i = 0; i < clipCount; ++i) {
            // Boxes of different widths, so that no two thumbnails are alike.
            root->clip("Many/" + clipName(i),
                QStringLiteral("2 2 0 0 0 7 50 -1 -1 0.000 0 0 -1 0 0 5\n\t 0 0 %1 0 %1 1200 0 1200 0 0\n")
                    .arg(1200 + i)
                    .toLatin1());
        }
        writeFile(root->file("Many/clip1500b.fig"), "hello\nworld\n");
        dialog = std::make_unique<LibraryDlg>();
        dialog->resize(700, 500);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void cleanup()
    {
        dialog.reset();
        root.reset();
    }

    void onlyTheRowsInViewAreLoaded()
    {
        QTreeWidgetItem* folder = tree()->topLevelItem(0);
        QVERIFY(folder);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(folder).center());
        QStringList expected;
        for (int i = 0; i < clipCount; ++i) {
            expected << clipName(i);
            if (i == 1500)
                expected << "clip1500b.fig";
        }
        // Listed at once, nothing read yet.
        QCOMPARE(rows(), expected);
        QCOMPARE(dialog->clipContexts.size(), clipCount + 1);
        QCOMPARE(loadedCount(), 0);

        QTRY_VERIFY(viewDone());
        const int inView = rowsInView().size();
        QVERIFY2(inView > 0 && inView < 200, qPrintable(QString::number(inView)));
        QCOMPARE(loadedCount(), inView);
        QCOMPARE(list()->item(0)->toolTip(), clipName(0));

        // Scrolling makes the rows then in view; the unreadable file's row
        // goes, with its message.
        StatusRecorder status;
        dialog->loadedClipBudget = 20;
        list()->scrollToItem(list()->item(1500), QAbstractItemView::PositionAtCenter);
        QTRY_VERIFY(list()->count() == clipCount && viewDone());
        QVERIFY(status.messages.contains(QString("Error reading %1/Many/clip1500b.fig").arg(root->path())));
        QVERIFY(!rows().contains("clip1500b.fig"));
        QVERIFY(loadedCount() <= rowsInView().size() + 20);
        QVERIFY(rowsInView().contains(1500));
        QVERIFY(dialog->clipContexts[1500]->fileName.endsWith(clipName(1500)));

        // However far the list is scrolled, no more than the budget stays
        // loaded out of view.
        QScrollBar* bar = list()->verticalScrollBar();
        for (int step = 0; step <= 10; ++step) {
            bar->setValue(bar->maximum() * step / 10);
            QTRY_VERIFY(viewDone());
            QVERIFY2(loadedCount() <= rowsInView().size() + 20, qPrintable(QString::number(loadedCount())));
        }
        QVERIFY(dialog->clipContexts.last()->fileName.endsWith(clipName(clipCount - 1)));

        // A row out of view gives its clip when it is asked for: the first
        // one, long unloaded, reads again.
        QVERIFY(!dialog->clipContexts[0]);
        QVERIFY(dialog->clipOfRow(0));
        QVERIFY(dialog->clipContexts[0]->fileName.endsWith(clipName(0)));
    }
};

TAVREL_TEST_MAIN(TestLibraryRows)
#include "tst_libraryrows.moc"
