// The library dialog's construction, its library root, the folder tree and
// the folder operations, and the button states. The clip operations are in
// librarydlgclips.cpp, the loading and painting of clips in
// librarydlgthumbnails.cpp, the clip rows and when their clips are loaded in
// librarydlgvisibleclips.cpp.
#include "library/librarydlg.h"

#include "app/filedialog.h"
#include "app/messagebox.h"
#include "app/preferences.h"
#include "app/qtmainfrm.h"
#include "dialogs/formfit.h"
#include "library/itemeditingfinisheddelegate.h"
#include "library/librarystore.h"
#include "model/figcontext.h"
#include "model/objectlist.h"

#include "ui_librarydlg.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalBlocker>

namespace {

// The text of a new folder or clip until the user names it.
const QString enterName = QStringLiteral("<enter name>");

} // namespace

LibraryDlg::LibraryDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::LibraryDlg>())
{
    ui->setupUi(this);
    // The location buttons are held narrow by the form: let them show their
    // text at every font.
    formfit::fitToContents(this);
    ui->renderTex->setCheckState(preferences.renderLatexInLibraries ? Qt::Checked : Qt::Unchecked);
    disableSelectionButtons();
    // Folders are renamed only through the dialog, which gives every editing
    // its own delegate; an editing started by the view itself (F2) would
    // report to the delegate of an earlier one, whose item may be gone.
    ui->dirTree->setEditTriggers(QAbstractItemView::NoEditTriggers);

    if (!preferences.libraryRoot.trimmed().isEmpty()) {
        ui->lbLocation->setText(preferences.libraryRoot);
        if (!QDir(preferences.libraryRoot).exists())
            QDir().mkpath(preferences.libraryRoot);
        loadFolders();
    } else {
        useDefaultRoot();
    }

    connect(ui->changeLibraryRoot, &QPushButton::clicked, this, &LibraryDlg::changeLibraryRoot);
    connect(ui->setLibraryRootDefault, &QPushButton::clicked, this, &LibraryDlg::setLibraryRootDefault);
    connect(ui->createFolder, &QPushButton::clicked, this, &LibraryDlg::onCreateFolder);
    connect(ui->deleteFolder, &QPushButton::clicked, this, &LibraryDlg::onDeleteFolder);
    connect(ui->renameFolder, &QPushButton::clicked, this, &LibraryDlg::onRenameFolder);
    connect(ui->dirTree, &QTreeWidget::itemClicked, this, &LibraryDlg::folderClicked);
    connect(ui->dirTree, &QTreeWidget::itemDoubleClicked, this, &LibraryDlg::folderDoubleClicked);
    connect(ui->addClip, &QPushButton::clicked, this, &LibraryDlg::onAddClipToLibrary);
    connect(ui->deleteClip, &QPushButton::clicked, this, &LibraryDlg::onDeleteClipFromLibrary);
    connect(ui->useClip, &QPushButton::clicked, this, &LibraryDlg::onUseClip);
    connect(ui->refreshFolders, &QPushButton::clicked, this, &LibraryDlg::onRefreshFolders);
    connect(ui->thumbnails, &QListWidget::itemClicked, this, &LibraryDlg::itemClicked);
    connect(ui->thumbnails, &QListWidget::itemDoubleClicked, this, &LibraryDlg::onSelect);
    connect(ui->dirTree, &LibraryTreeWidget::receivedThumbnail, this, &LibraryDlg::moveClip);
    connect(ui->comments, &QPlainTextEdit::textChanged, this, &LibraryDlg::commentChanged);
    connect(ui->saveComment, &QPushButton::clicked, this, &LibraryDlg::saveComment);
    connect(ui->renderTex, &QCheckBox::stateChanged, this, &LibraryDlg::onRenderTex);
    connect(ui->Close, &QPushButton::clicked, this, &QDialog::reject);

    ui->dirTree->setAcceptDrops(true);
    ui->thumbnails->setDragEnabled(true);
}

LibraryDlg::~LibraryDlg()
{
    // The loaded clips go before the widgets; no editing may report while
    // the views are torn down.
    if (treeDelegate)
        treeDelegate->blockSignals(true);
    if (listDelegate)
        listDelegate->blockSignals(true);
    deleteClipContexts(clipContexts);
}

// ---- Library root and folder tree ----

QString LibraryDlg::libraryRoot() const
{
    return preferences.libraryRoot;
}

QString LibraryDlg::folderDirectory(QTreeWidgetItem* folder) const
{
    return libraryRoot() + QDir::separator() + libraryItemPath(folder);
}

void LibraryDlg::useDefaultRoot()
{
    preferences.libraryRoot = defaultLibraryRoot();
    ui->lbLocation->setText(preferences.libraryRoot);
    if (!QDir(preferences.libraryRoot).exists())
        QDir().mkpath(preferences.libraryRoot);
    loadFolders();
}

void LibraryDlg::changeLibraryRoot()
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Directory;
    request.parent = this;
    request.caption = tr("Select new location");
    request.directory = libraryRoot();
    const QString root = askFileName(request);
    if (root.isEmpty())
        return;
    preferences.libraryRoot = root;
    ui->lbLocation->setText(root);
    loadFolders();
}

void LibraryDlg::setLibraryRootDefault()
{
    useDefaultRoot();
}

void LibraryDlg::onRenderTex(int state)
{
    preferences.renderLatexInLibraries = state == Qt::Checked;
}

void LibraryDlg::loadFolders()
{
    clearClipList();
    {
        const QSignalBlocker blocker(treeDelegate);
        ui->dirTree->clear();
    }
    lastClickedFolder = nullptr;
    disableSelectionButtons();
    addLibraryDirItems(libraryRoot(), ui->dirTree, nullptr, true);
}

void LibraryDlg::onRefreshFolders()
{
    loadFolders();
    if (QTreeWidgetItem* first = ui->dirTree->topLevelItem(0))
        ui->dirTree->scrollToItem(first, QAbstractItemView::EnsureVisible);
}

QTreeWidgetItem* LibraryDlg::getCurrentFolder()
{
    const QList<QTreeWidgetItem*> selected = ui->dirTree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void LibraryDlg::clearClipList()
{
    {
        const QSignalBlocker blocker(listDelegate);
        recentClips.clear();
        deleteClipContexts(clipContexts);
        ui->thumbnails->clear();
    }
    pendingClip.reset();
    clipsFolder = nullptr;
    clipsDirectory.clear();
}

void LibraryDlg::deleteClipContexts(QList<CFigContext*>& contexts)
{
    qDeleteAll(contexts);
    contexts.clear();
}

void LibraryDlg::removeFolderItem(QTreeWidgetItem* item)
{
    const QSignalBlocker blocker(treeDelegate);
    removeTopLevelItem(ui->dirTree, item);
}

// ---- Button states ----

void LibraryDlg::disableSelectionButtons()
{
    for (QPushButton* button : { ui->deleteFolder, ui->renameFolder, ui->addClip, ui->useClip, ui->deleteClip,
             ui->renameClip, ui->saveComment })
        button->setEnabled(false);
}

void LibraryDlg::setFolderChosenStates()
{
    ui->deleteFolder->setEnabled(true);
    ui->renameFolder->setEnabled(true);
    for (QPushButton* button : { ui->useClip, ui->deleteClip, ui->renameClip, ui->saveComment })
        button->setEnabled(false);
}

void LibraryDlg::setAddClipToLibraryButtonState()
{
    CFigContext* ctx = activeFigContext();
    if (!ctx)
        return;
    FigObjectList selected;
    collectSelectedObjects(ctx->objects(), selected);
    ui->addClip->setEnabled(!selected.empty());
}

// ---- Folder operations ----

void LibraryDlg::folderClicked(QTreeWidgetItem* folderItem, int column)
{
    if (folderItem == lastClickedFolder) {
        lastClickedFolder = nullptr;
        clearClipList();
        disableSelectionButtons();
        ui->dirTree->setCurrentItem(nullptr);
        return;
    }
    lastClickedFolder = folderItem;
    if (!folderItem || column != 0)
        return;
    onRefreshFolder();
    showClipComment();
    setAddClipToLibraryButtonState();
    setFolderChosenStates();
}

ItemEditingFinishedDelegate* LibraryDlg::installTreeDelegate(QTreeWidgetItem* item, const QString& oldName)
{
    treeDelegate = new ItemEditingFinishedDelegate(item, oldName, this);
    ui->dirTree->setItemDelegate(treeDelegate);
    return treeDelegate;
}

void LibraryDlg::onCreateFolder()
{
    QTreeWidgetItem* parentFolder = getCurrentFolder();
    QTreeWidgetItem* item = makeLibraryFolderItem(enterName);
    if (parentFolder)
        parentFolder->addChild(item);
    else
        ui->dirTree->addTopLevelItem(item);
    ItemEditingFinishedDelegate* delegate = installTreeDelegate(item, QString());
    connect(delegate,
        QOverload<QModelIndex, QTreeWidgetItem*, QString>::of(&ItemEditingFinishedDelegate::editingFinished), this,
        &LibraryDlg::folderCreatingFinished);
    ui->dirTree->scrollToItem(item, QAbstractItemView::PositionAtCenter);
    ui->dirTree->editItem(item, 0);
    showClipComment();
}

void LibraryDlg::folderCreatingFinished(QModelIndex index, QTreeWidgetItem* folderItem, QString oldName)
{
    Q_UNUSED(index)
    Q_UNUSED(oldName)
    if (!folderItem)
        return;
    const QString name = folderItem->text(0);
    if (name == enterName || name.isEmpty() || !acceptName(name)) {
        removeFolderItem(folderItem);
        return;
    }
    // Below a link that leads out of the library nothing is made.
    if (!libraryEntryIsInside(libraryRoot(), folderDirectory(folderItem))
        || !QDir(libraryRoot()).mkdir(libraryItemPath(folderItem))) {
        showFailure(tr("Error"), tr("Could not create the folder!"));
        removeFolderItem(folderItem);
        return;
    }
    clearClipList();
    ui->dirTree->sortItems(0, Qt::AscendingOrder);
    ui->dirTree->setCurrentItem(folderItem);
    // The new folder is the selected one and its (empty) clip list is shown.
    clipsFolder = folderItem;
    setAddClipToLibraryButtonState();
    setFolderChosenStates();
    lastClickedFolder = folderItem;
    showClipComment();
}

void LibraryDlg::startRenaming(QTreeWidgetItem* folder)
{
    ItemEditingFinishedDelegate* delegate = installTreeDelegate(folder, folder->text(0));
    connect(delegate,
        QOverload<QModelIndex, QTreeWidgetItem*, QString>::of(&ItemEditingFinishedDelegate::editingFinished), this,
        &LibraryDlg::folderRenamingFinished);
    ui->dirTree->scrollToItem(folder, QAbstractItemView::PositionAtCenter);
    ui->dirTree->editItem(folder, 0);
}

void LibraryDlg::onRenameFolder()
{
    if (QTreeWidgetItem* folder = getCurrentFolder())
        startRenaming(folder);
}

void LibraryDlg::folderDoubleClicked(QTreeWidgetItem* folderItem, int column)
{
    Q_UNUSED(column)
    if (folderItem)
        startRenaming(folderItem);
}

void LibraryDlg::folderRenamingFinished(QModelIndex index, QTreeWidgetItem* folderItem, QString oldName)
{
    Q_UNUSED(index)
    if (!folderItem)
        return;
    const QString name = folderItem->text(0);
    if (name.isEmpty()) {
        folderItem->setText(0, oldName);
        return;
    }
    if (!acceptName(name)) {
        folderItem->setText(0, oldName);
        return;
    }
    // An unchanged name needs nothing on disk (and a rename onto itself
    // would be refused as the target existing).
    if (name != oldName) {
        const QString parentPath = libraryRoot() + QDir::separator() + libraryParentPath(folderItem);
        const bool inside = libraryEntryIsInside(libraryRoot(), parentPath + QDir::separator() + oldName)
            && libraryEntryIsInside(libraryRoot(), parentPath + QDir::separator() + name);
        if (!inside || !QDir(parentPath).rename(oldName, name)) {
            showFailure(tr("Error"), tr("Could not rename the folder!"));
            folderItem->setText(0, oldName);
            return;
        }
    }
    ui->dirTree->sortItems(0, Qt::AscendingOrder);
    ui->dirTree->setCurrentItem(folderItem);
    ui->dirTree->scrollToItem(folderItem, QAbstractItemView::PositionAtCenter);
    setFolderChosenStates();
    showClipComment();
}

void LibraryDlg::onDeleteFolder()
{
    MessageBoxRequest question;
    question.parent = this;
    question.icon = QMessageBox::Warning;
    question.title = tr("Delete?");
    question.text = tr("Are you sure you want to delete the folder?");
    question.buttons = QMessageBox::Yes | QMessageBox::Cancel;
    question.defaultButton = QMessageBox::Yes;
    if (showMessageBox(question) != QMessageBox::Yes)
        return;
    QTreeWidgetItem* folder = getCurrentFolder();
    if (!folder || libraryItemPath(folder).isEmpty())
        return;
    const QString directory = folderDirectory(folder);
    // A folder that is a link goes alone; what it points to stays. Nothing
    // is removed below a link that leads out of the library.
    const bool removed = libraryEntryIsInside(libraryRoot(), directory)
        && (QFileInfo(directory).isSymLink() ? QFile::remove(directory) : QDir(directory).removeRecursively());
    if (!removed) {
        showFailure(tr("Error"), tr("Could not delete the folder!"));
        return;
    }
    lastClickedFolder = nullptr;
    clearClipList();
    removeFolderItem(folder);
    disableSelectionButtons();
    ui->dirTree->setCurrentItem(nullptr);
    showClipComment();
}

// ---- Shared helpers ----

bool LibraryDlg::acceptName(const QString& name)
{
    if (isUsableLibraryName(name))
        return true;
    MessageBoxRequest box;
    box.parent = this;
    box.icon = QMessageBox::Warning;
    box.title = tr("Invalid name!");
    box.text = tr("The name \"%1\" cannot be used.\nA name must not be empty or begin with \".\", "
                  "and must not contain \"/\", \"\\\" or \":\".")
                   .arg(name);
    box.buttons = QMessageBox::Ok;
    showMessageBox(box);
    return false;
}

void LibraryDlg::showFailure(const QString& title, const QString& text)
{
    MessageBoxRequest box;
    box.parent = this;
    box.icon = QMessageBox::Critical;
    box.title = title;
    box.text = text;
    box.buttons = QMessageBox::Ok;
    showMessageBox(box);
}
