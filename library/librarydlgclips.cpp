// The library dialog's clip operations: choosing a clip and its comment,
// adding the selection of the active document as a clip, deleting clips,
// moving them to another folder and handing one to the active document for
// placing. Every clip path is built from the folder whose clips are listed.
#include "library/librarydlg.h"

#include "app/messagebox.h"
#include "app/qtmainfrm.h"
#include "library/itemeditingfinisheddelegate.h"
#include "library/librarystore.h"
#include "model/figcontext.h"
#include "model/objectlist.h"
#include "render/colors.h"

#include "ui_librarydlg.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalBlocker>

#include <new>

namespace {

const QString enterName = QStringLiteral("<enter name>");
const QString clipSuffix = QStringLiteral(".fig");

// Binds the link records of the objects to the objects of the same list:
// records naming an object outside it are dropped, the others point at the
// chains of the list's own objects. Identifiers are kept.
void keepOwnLinksOnly(FigObjectList* objects)
{
    ObjectIdMap ids;
    collectObjectIds(objects, ids);
    remapSmartLinkTargets(objects, ids);
}

// A window-less context with copies of the clip's objects (identifiers
// kept), user colours, comment and view; null when memory runs out.
std::unique_ptr<CFigContext> copyOfClip(const CFigContext* clip)
{
    try {
        auto copy = std::make_unique<CFigContext>();
        copy->dpiX = clip->dpiX;
        copy->dpiY = clip->dpiY;
        copy->zoom = clip->zoom;
        copy->fileName = clip->fileName;
        copy->nextId = clip->nextId;
        copy->drawing.comment = clip->drawing.comment;
        copy->drawing.upperLeft.x = clip->drawing.upperLeft.x;
        copy->drawing.upperLeft.y = clip->drawing.upperLeft.y;
        copy->drawing.lowerRight.x = clip->drawing.lowerRight.x;
        copy->drawing.lowerRight.y = clip->drawing.lowerRight.y;
        for (auto it = clip->drawing.userColors.constBegin(); it != clip->drawing.userColors.constEnd(); ++it) {
            auto table = std::make_unique<ShadeTable>();
            buildColorShades(*table, it.value().red(), it.value().green(), it.value().blue());
            copy->drawing.userColors.insert(it.key(), it.value());
            copy->drawing.userShades.insert(it.key(), table.release());
        }
        std::unique_ptr<FigObjectList> objects(cloneObjectList(&clip->drawing.objects));
        if (!objects)
            return nullptr;
        copy->drawing.objects.splice(copy->drawing.objects.end(), *objects);
        keepOwnLinksOnly(&copy->drawing.objects);
        copy->showAllDepths();
        copy->clearDepthObjectCounts();
        copy->addObjectsToDepths(&copy->drawing.objects);
        return copy;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

} // namespace

FigDrawing* LibraryDlg::currentClip()
{
    CFigContext* clip = clipOfRow(ui->thumbnails->currentRow());
    return clip ? &clip->drawing : nullptr;
}

void LibraryDlg::showClipComment()
{
    const FigDrawing* clip = currentClip();
    ui->comments->setPlainText(clip ? clip->comment : QString());
}

void LibraryDlg::itemClicked(QListWidgetItem* item)
{
    Q_UNUSED(item)
    if (!currentClip())
        return;
    ui->deleteFolder->setEnabled(false);
    ui->renameFolder->setEnabled(false);
    ui->useClip->setEnabled(true);
    ui->deleteClip->setEnabled(true);
    ui->renameClip->setEnabled(true);
    ui->saveComment->setEnabled(false);
    showClipComment();
}

void LibraryDlg::commentChanged()
{
    const FigDrawing* clip = currentClip();
    ui->saveComment->setEnabled(clip && ui->comments->toPlainText() != clip->comment);
}

void LibraryDlg::saveComment()
{
    CFigContext* clip = clipOfRow(ui->thumbnails->currentRow());
    if (!clip)
        return;
    clip->drawing.comment = ui->comments->toPlainText();
    // A clip listed through a link that leads out of the library is read,
    // never written.
    if (!libraryTargetIsInside(libraryRoot(), clip->fileName) || !clip->saveFile(clip->fileName))
        showFailure(tr("Writing failed!"), tr("Could not write to file ") + QDir::toNativeSeparators(clip->fileName));
}

// ---- Adding a clip ----

ItemEditingFinishedDelegate* LibraryDlg::installListDelegate(QListWidgetItem* item)
{
    listDelegate = new ItemEditingFinishedDelegate(item, QString(), this);
    ui->thumbnails->setItemDelegate(listDelegate);
    return listDelegate;
}

void LibraryDlg::onAddClipToLibrary()
{
    if (!clipsFolder) {
        MessageBoxRequest box;
        box.parent = this;
        box.icon = QMessageBox::Information;
        box.title = tr("No folder selected!");
        box.text = tr("Please select a target folder.\nIf no folder exists, create a folder first using the "
                      "\"create folder\" button");
        box.buttons = QMessageBox::Ok;
        showMessageBox(box);
        return;
    }
    CFigContext* document = activeFigContext();
    if (!document)
        return;
    FigObjectList selected;
    collectSelectedObjects(document->objects(), selected);
    if (selected.empty())
        return;
    std::unique_ptr<FigObjectList> clones(cloneObjectList(&selected));
    if (!clones)
        return;
    keepOwnLinksOnly(clones.get());
    QPixmap thumbnail = blankThumbnail();
    std::unique_ptr<CFigContext> clip(makeThumbnail(clones.get(), &thumbnail, &document->drawing));
    if (!clip)
        return;

    // An earlier clip that was never named gives way, with its row.
    if (pendingClip && ui->thumbnails->count() > clipContexts.size()) {
        const QSignalBlocker blocker(listDelegate);
        delete ui->thumbnails->item(ui->thumbnails->count() - 1);
    }
    pendingClip = std::move(clip);
    auto* row = new QListWidgetItem(QIcon(thumbnail), enterName);
    row->setFlags(row->flags() | Qt::ItemIsEditable);
    ui->thumbnails->addItem(row);
    ItemEditingFinishedDelegate* delegate = installListDelegate(row);
    connect(delegate,
        QOverload<QModelIndex, QListWidgetItem*, QString>::of(&ItemEditingFinishedDelegate::editingFinished), this,
        &LibraryDlg::clipAddingFinished);
    ui->thumbnails->setCurrentItem(row);
    ui->thumbnails->editItem(row);
}

void LibraryDlg::clipAddingFinished(QModelIndex index, QListWidgetItem* clipItem, QString oldName)
{
    Q_UNUSED(index)
    Q_UNUSED(oldName)
    if (!clipItem)
        return;
    const auto dropRow = [this, clipItem]() {
        {
            const QSignalBlocker blocker(listDelegate);
            delete clipItem;
        }
        pendingClip.reset();
        showClipComment();
    };
    const auto editAgain = [this, clipItem]() {
        ui->thumbnails->editItem(clipItem);
        activateWindow();
        showClipComment();
    };
    QString name = clipItem->text();
    QTreeWidgetItem* folder = clipsFolder;
    if (name == enterName || name.isEmpty() || !folder || !pendingClip) {
        dropRow();
        return;
    }
    if (!acceptName(name)) {
        editAgain();
        return;
    }
    if (!name.endsWith(clipSuffix)) {
        name += clipSuffix;
        clipItem->setText(name);
    }
    const QString path = folderDirectory(folder) + QDir::separator() + name;
    const QFileInfo existing(path);
    if (existing.exists() || existing.isSymLink()) {
        MessageBoxRequest box;
        box.parent = this;
        box.icon = QMessageBox::Warning;
        box.title = tr("Name exists!");
        box.text = tr("A clip with the name ") + name + tr(" exists!\nPlease choose a different name.");
        box.buttons = QMessageBox::Ok;
        showMessageBox(box);
        editAgain();
        return;
    }
    if (!libraryTargetIsInside(libraryRoot(), path) || !pendingClip->saveFile(path)) {
        showFailure(tr("Writing failed!"), tr("Could not write to file ") + QDir::toNativeSeparators(path));
        dropRow();
        return;
    }
    pendingClip->fileName = path;
    clipContexts.append(pendingClip.release());
    touchClip(clipContexts.last());
    clipItem->setFlags(clipItem->flags() & ~Qt::ItemIsEditable);
    clipItem->setToolTip(name);
    showClipComment();
    ui->saveComment->setEnabled(false);
}

// ---- Deleting, moving and using clips ----

void LibraryDlg::onDeleteClipFromLibrary()
{
    QListWidgetItem* item = ui->thumbnails->currentItem();
    if (!item || !clipsFolder)
        return;
    const QString path = folderDirectory(clipsFolder) + QDir::separator() + item->text();
    if (!libraryEntryIsInside(libraryRoot(), path) || !QFile::remove(path)) {
        showFailure(tr("Deleting failed!"), tr("Could not delete the file ") + QDir::toNativeSeparators(path));
        return;
    }
    removeClipEntry(ui->thumbnails->row(item));
    {
        const QSignalBlocker blocker(listDelegate);
        delete item;
    }
    const bool rowLeft = ui->thumbnails->currentItem() != nullptr;
    ui->useClip->setEnabled(rowLeft);
    ui->deleteClip->setEnabled(rowLeft);
    ui->renameClip->setEnabled(rowLeft);
    ui->saveComment->setEnabled(false);
    showClipComment();
}

void LibraryDlg::moveClip(QTreeWidgetItem* destFolderItem, int fromIndex)
{
    if (!destFolderItem || !clipsFolder || destFolderItem == clipsFolder)
        return;
    QListWidgetItem* item = ui->thumbnails->item(fromIndex);
    if (!item)
        return;
    const QString source = folderDirectory(clipsFolder) + QDir::separator() + item->text();
    const QString target = folderDirectory(destFolderItem) + QDir::separator() + item->text();
    const bool inside = libraryEntryIsInside(libraryRoot(), source) && libraryEntryIsInside(libraryRoot(), target);
    if (!inside || !QFile::rename(source, target)) {
        showFailure(tr("Error"),
            tr("Could not move clip to new path!\n") + QDir::toNativeSeparators(target) + QLatin1Char('\n')
                + tr("File may already exists or folder is not writable."));
        return;
    }
    removeClipEntry(fromIndex);
    const QSignalBlocker blocker(listDelegate);
    delete item;
}

void LibraryDlg::onUseClip()
{
    CFigContext* document = activeFigContext();
    if (!document) {
        close();
        return;
    }
    const CFigContext* clip = clipOfRow(ui->thumbnails->currentRow());
    if (!clip)
        return;
    // The document reads the clip until the user has placed it; it gets a copy
    // of its own, so that refreshing, deleting or moving clips in the dialog
    // meanwhile cannot take it away.
    std::unique_ptr<CFigContext> copy = copyOfClip(clip);
    if (!copy)
        return;
    close();
    std::unique_ptr<CFigContext> previous = std::move(placementClip);
    placementClip = std::move(copy);
    document->startLibraryPlacement(placementClip.get());
    // `previous` goes only now: a placement still in progress with it has
    // been replaced by the new one.
}

void LibraryDlg::onSelect(QListWidgetItem* item)
{
    Q_UNUSED(item)
    onUseClip();
}
