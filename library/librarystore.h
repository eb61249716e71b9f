#pragma once
// The shape library on disk: the library root holds folders (directories at
// any depth) whose "*.fig" files are the clips. There is no index file; these
// helpers read the tree and the clip names from disk and build the paths of
// tree items. Stateless; the tree items belong to the tree they are put in.

#include <QString>
#include <QStringList>

class QTreeWidget;
class QTreeWidgetItem;

// The writable data location followed by the folder "Libraries", with
// native separators.
QString defaultLibraryRoot();

// A new folder item: the name in column 0, editable, 20 pixels high, with the
// platform's folder icon. The caller puts it into a tree.
QTreeWidgetItem* makeLibraryFolderItem(const QString& name);

// Adds one folder item per sub-directory of dirPath (below `parent`, or at
// the top of the tree without one), in name order ignoring case, and the
// depth below each. A link to a directory is shown but not entered, so the
// scan never leaves dirPath nor comes round again. The scan stops at 10000
// folders and 64 levels, with a warning in the log. `recursive` has no
// effect.
void addLibraryDirItems(const QString& dirPath, QTreeWidget* tree, QTreeWidgetItem* parent, bool recursive);

// The item's text after those of its ancestors, outermost first, joined by
// the native separator; empty for no item.
QString libraryItemPath(QTreeWidgetItem* item);
// The same without the item itself (empty for a top-level item).
QString libraryParentPath(QTreeWidgetItem* item);

// Appends the names of the plain files of dirPath matching `filter` or
// `filter` in upper case, in name order ignoring case. Nothing for a missing
// directory.
void listFilesMatching(const QString& dirPath, const QString& filter, QStringList& out);

// Takes a top-level item out of the tree, then deletes the item (a child
// leaves its parent as it is deleted).
void removeTopLevelItem(QTreeWidget* tree, QTreeWidgetItem* item);

// Whether a folder or clip name typed by the user names one visible entry
// inside its folder: not empty after trimming, not beginning with a dot, and
// without "/", "\", ":" or a null character.
bool isUsableLibraryName(const QString& name);

// Whether the entry at `path` itself (a file, a folder, or a link, which is
// not followed) lies in the library: the folder holding it resolves to the
// library root or to a folder below it. Removing, renaming or moving the
// entry then acts inside the library, wherever the path's links lead.
bool libraryEntryIsInside(const QString& root, const QString& path);
// Whether writing to `path` lands in the library: the entry lies in it and,
// when it exists, resolves (links followed to their end) below the root.
bool libraryTargetIsInside(const QString& root, const QString& path);
