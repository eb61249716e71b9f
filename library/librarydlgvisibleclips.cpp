// The library dialog's clip rows and their loaded clips: a folder lists every
// clip file at once, by name, but reads and paints a clip only when its row
// comes into view (or its clip is asked for), a slice at a time with the
// dialog answering in between, and keeps only the clips in view and a budget
// of recently shown ones. A folder of a hundred thousand clips so opens at
// once and costs the memory of a few hundred.
#include "library/librarydlg.h"

#include "library/itemeditingfinisheddelegate.h"
#include "library/librarystore.h"
#include "model/figcontext.h"

#include "ui_librarydlg.h"

#include <QDir>
#include <QElapsedTimer>
#include <QListWidgetItem>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

namespace {

// How long one slice of thumbnail making keeps the dialog from its events.
constexpr qint64 sliceMilliseconds = 30;

// Marks a row whose file could not be read; the row goes when the list is
// not busy with it.
constexpr int unreadableRole = Qt::UserRole + 1;

} // namespace

void LibraryDlg::onRefreshFolder()
{
    QTreeWidgetItem* folder = getCurrentFolder();
    if (!folder)
        return;
    setCursor(Qt::WaitCursor);
    clearClipList();
    clipsFolder = folder;
    clipsDirectory = folderDirectory(folder);
    QStringList names;
    listFilesMatching(clipsDirectory, QStringLiteral("*.fig"), names);
    if (blankIcon.isNull())
        blankIcon = QIcon(blankThumbnail());
    for (const QString& name : qAsConst(names)) {
        auto* row = new QListWidgetItem(blankIcon, name);
        row->setToolTip(name);
        ui->thumbnails->addItem(row);
        clipContexts.append(nullptr);
    }
    scheduleThumbnails();
    unsetCursor();
}

CFigContext* LibraryDlg::clipOfRow(int row)
{
    if (row < 0 || row >= clipContexts.size())
        return nullptr;
    if (CFigContext* clip = clipContexts.at(row)) {
        touchClip(clip);
        return clip;
    }
    QListWidgetItem* item = ui->thumbnails->item(row);
    if (!item || item->data(unreadableRole).toBool())
        return nullptr;
    QPixmap thumbnail = blankThumbnail();
    CFigContext* clip = loadClip(clipsDirectory + QDir::separator() + item->text(), &thumbnail);
    if (!clip) {
        // Removing the row here could pull it from under the view's own
        // handling of a click on it.
        item->setData(unreadableRole, true);
        scheduleThumbnails();
        return nullptr;
    }
    clipContexts[row] = clip;
    item->setIcon(QIcon(thumbnail));
    touchClip(clip);
    return clip;
}

void LibraryDlg::touchClip(CFigContext* clip)
{
    recentClips.removeOne(clip);
    recentClips.append(clip);
}

void LibraryDlg::removeClipEntry(int row)
{
    if (row < 0 || row >= clipContexts.size())
        return;
    CFigContext* clip = clipContexts.takeAt(row);
    if (clip)
        recentClips.removeOne(clip);
    delete clip;
}

void LibraryDlg::scheduleThumbnails()
{
    if (!thumbnailTimer) {
        thumbnailTimer = new QTimer(this);
        thumbnailTimer->setSingleShot(true);
        thumbnailTimer->setInterval(0);
        connect(thumbnailTimer, &QTimer::timeout, this, &LibraryDlg::makeVisibleThumbnails);
        connect(ui->thumbnails, &LibraryListWidget::aboutToPaint, this, &LibraryDlg::scheduleThumbnails);
    }
    if (!thumbnailTimer->isActive())
        thumbnailTimer->start();
}

void LibraryDlg::visibleRows(int& first, int& last) const
{
    first = 0;
    last = -1;
    QListWidget* list = ui->thumbnails;
    const int count = std::min(list->count(), int(clipContexts.size()));
    const QRect view = list->viewport()->rect();
    if (count == 0 || !list->isVisible() || view.isEmpty())
        return;
    // Rows are laid out in order, line by line, so the bottoms of their
    // boxes never decrease: the first row reaching into view is found by
    // halving, the last by going on while rows begin above the view's end.
    int low = 0;
    int high = count;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (list->visualItemRect(list->item(middle)).bottom() < view.top())
            low = middle + 1;
        else
            high = middle;
    }
    first = low;
    last = first - 1;
    while (last + 1 < count && list->visualItemRect(list->item(last + 1)).top() <= view.bottom())
        ++last;
}

void LibraryDlg::removeUnreadableRows()
{
    const QSignalBlocker blocker(listDelegate);
    for (int row = std::min(ui->thumbnails->count(), int(clipContexts.size())) - 1; row >= 0; --row) {
        QListWidgetItem* item = ui->thumbnails->item(row);
        if (!item->data(unreadableRole).toBool())
            continue;
        removeClipEntry(row);
        delete item;
    }
}

void LibraryDlg::makeVisibleThumbnails()
{
    removeUnreadableRows();
    QElapsedTimer slice;
    slice.start();
    int first = 0;
    int last = -1;
    visibleRows(first, last);
    for (int row = first; row <= last; ++row) {
        // Rows in view are the most recently shown.
        if (CFigContext* clip = clipContexts.at(row)) {
            touchClip(clip);
            continue;
        }
        if (slice.elapsed() >= sliceMilliseconds) {
            // The rest in the next slice, after the dialog's events.
            scheduleThumbnails();
            break;
        }
        clipOfRow(row);
    }
    keepWithinBudget(first, last);
}

void LibraryDlg::keepWithinBudget(int first, int last)
{
    const int current = ui->thumbnails->currentRow();
    int excess = int(recentClips.size()) - std::max(loadedClipBudget, 0) - std::max(last - first + 1, 0);
    for (int i = 0; excess > 0 && i < recentClips.size();) {
        CFigContext* clip = recentClips.at(i);
        const int row = int(clipContexts.indexOf(clip));
        if ((row >= first && row <= last) || row == current) {
            ++i;
            continue;
        }
        recentClips.removeAt(i);
        if (row >= 0) {
            clipContexts[row] = nullptr;
            if (QListWidgetItem* item = ui->thumbnails->item(row))
                item->setIcon(blankIcon);
        }
        delete clip;
        --excess;
    }
}
