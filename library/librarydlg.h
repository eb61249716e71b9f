#pragma once
// The shape library dialog: the folders below the library root as a tree,
// the clips of one folder as thumbnails, and the operations on both (create,
// rename and delete folders; add the selection as a clip, comment, delete,
// move and use clips). Modeless; the main window keeps one for the whole run.
// Owns its form, the loaded clips of the listed rows, the clip being added
// and the copy of the clip last handed to a document for placing.

#include "model/figobjectlist.h"

#include <QDialog>
#include <QIcon>
#include <QList>
#include <QModelIndex>
#include <QString>

#include <memory>

class CFigContext;
class FigDrawing;
class ItemEditingFinishedDelegate;
class QListWidgetItem;
class QPaintDevice;
class QPixmap;
class QTimer;
class QTreeWidgetItem;

namespace Ui {
class LibraryDlg;
}

class LibraryDlg : public QDialog {
    Q_OBJECT
public:
    explicit LibraryDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~LibraryDlg() override;

    LibraryDlg(const LibraryDlg&) = delete;
    LibraryDlg& operator=(const LibraryDlg&) = delete;

    // The drawing of the loaded clip of the current row, or null.
    FigDrawing* currentClip();
    // The loaded clip of a row, loaded (its thumbnail made) when it is not;
    // null for the row of a clip being added, and for a file that cannot be
    // read or holds no object (its row goes soon after, with the status
    // message).
    CFigContext* clipOfRow(int row);
    // Shows the current clip's comment in the comment box (empty without one).
    void showClipComment();
    // Deletes every loaded clip of the list and empties it.
    static void deleteClipContexts(QList<CFigContext*>& contexts);
    // Rebuilds the folder tree from the root; no folder is listed afterwards.
    void loadFolders();

    // A new window-less context holding the clip file, moved to the origin
    // (several top-level objects wrapped into one compound) and painted into
    // the device; null, with a status message, when the file cannot be read
    // or holds no object.
    CFigContext* loadClip(const QString& path, QPaintDevice* device);
    // The same for objects nobody owns yet (the context takes them; the
    // caller frees only the list). The objects themselves are moved to the
    // origin. The user colours of `source` that the objects use come along
    // under their numbers. Null for an empty list.
    CFigContext* makeThumbnail(FigObjectList* objects, QPaintDevice* device, const FigDrawing* source = nullptr);

    // The folder whose clips the list shows: every clip operation works in
    // it, whatever the tree's selection has become since. Null when no
    // folder's clips are listed.
    QTreeWidgetItem* listedFolder() const { return clipsFolder; }
    // The copy of the clip last handed to a document for placing; it lives
    // until the next clip is used, whatever happens to the list meanwhile.
    CFigContext* clipInPlacement() const { return placementClip.get(); }

    // Owned; entry i is the clip of row i, null until the row comes into
    // view or its clip is asked for, and again once it has been out of view
    // long enough (see loadedClipBudget).
    QList<CFigContext*> clipContexts;
    // How many loaded clips out of view are kept (with their thumbnails),
    // the most recently shown first; beyond, they are loaded again when
    // they come back into view. A folder of any size so costs the memory
    // of the clips in view and this many.
    int loadedClipBudget = 256;
    std::unique_ptr<CFigContext> pendingClip; // the clip being added, until written
    QTreeWidgetItem* lastClickedFolder = nullptr; // not owned

public slots:
    void folderClicked(QTreeWidgetItem* folderItem, int column);
    void folderDoubleClicked(QTreeWidgetItem* folderItem, int column);
    void onCreateFolder();
    void onDeleteFolder();
    void onRenameFolder();
    void onRefreshFolders();
    void onRefreshFolder();
    void onAddClipToLibrary();
    void onDeleteClipFromLibrary();
    void onUseClip();
    void onSelect(QListWidgetItem* item);
    void itemClicked(QListWidgetItem* item);
    QTreeWidgetItem* getCurrentFolder();
    void changeLibraryRoot();
    void setLibraryRootDefault();
    void commentChanged();
    void saveComment();
    void onRenderTex(int state);
    void folderCreatingFinished(QModelIndex index, QTreeWidgetItem* folderItem, QString oldName);
    void folderRenamingFinished(QModelIndex index, QTreeWidgetItem* folderItem, QString oldName);
    void clipAddingFinished(QModelIndex index, QListWidgetItem* clipItem, QString oldName);
    void moveClip(QTreeWidgetItem* destFolderItem, int fromIndex);
    // Enables "Create clip" exactly when the active document has a selected
    // object in its current list; nothing changes without a document.
    void setAddClipToLibraryButtonState();

private:
    // The root as the user set it, or the default root when none is set.
    QString libraryRoot() const;
    // Makes the default root the root, creating it when missing, and reads
    // the tree.
    void useDefaultRoot();
    // The root, a separator and the item's path.
    QString folderDirectory(QTreeWidgetItem* folder) const;
    // Forgets the listed clips: loaded clips, rows and a clip being added.
    void clearClipList();
    // Removes an item from the tree without reporting the end of an editing
    // that its removal closes.
    void removeFolderItem(QTreeWidgetItem* item);
    // The seven buttons that depend on the selection.
    void disableSelectionButtons();
    // Folder buttons on, clip buttons off (a folder was chosen).
    void setFolderChosenStates();
    // Installs a new editing delegate on the tree or list for one item.
    ItemEditingFinishedDelegate* installTreeDelegate(QTreeWidgetItem* item, const QString& oldName);
    ItemEditingFinishedDelegate* installListDelegate(QListWidgetItem* item);
    // Starts renaming the folder in place.
    void startRenaming(QTreeWidgetItem* folder);
    // Refuses an unusable name typed by the user with a box; true when usable.
    bool acceptName(const QString& name);
    // Paints the thumbnail of a prepared clip context into the device.
    void fitAndPaint(CFigContext* clip, QPaintDevice* device);
    // A white pixmap of the list's icon size.
    QPixmap blankThumbnail() const;
    // Makes the thumbnails of the rows in view soon, a slice at a time so
    // that the dialog answers meanwhile.
    void scheduleThumbnails();
    void makeVisibleThumbnails();
    // The first and last row in view; last < first when none is.
    void visibleRows(int& first, int& last) const;
    // Marks a loaded clip as the most recently used one.
    void touchClip(CFigContext* clip);
    // Unloads the least recently used clips out of view beyond the budget.
    void keepWithinBudget(int first, int last);
    // Takes the row's entry out of the list (deleting its loaded clip).
    void removeClipEntry(int row);
    // Removes the rows whose files turned out unreadable.
    void removeUnreadableRows();
    void showFailure(const QString& title, const QString& text);

    std::unique_ptr<Ui::LibraryDlg> ui;
    QTreeWidgetItem* clipsFolder = nullptr; // not owned; see listedFolder()
    QString clipsDirectory; // the listed folder's directory when it was listed
    QList<CFigContext*> recentClips; // the loaded clips, least recently used first
    QTimer* thumbnailTimer = nullptr; // child of the dialog
    QIcon blankIcon; // shared by every row without a thumbnail
    std::unique_ptr<CFigContext> placementClip;
    ItemEditingFinishedDelegate* treeDelegate = nullptr; // child of the dialog
    ItemEditingFinishedDelegate* listDelegate = nullptr; // child of the dialog
};
