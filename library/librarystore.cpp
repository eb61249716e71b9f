#include "library/librarystore.h"

#include "app/qslog.h"

#include <QDir>
#include <QDirIterator>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include <algorithm>
#include <deque>

namespace {

// The scan shows a tree a person can browse; a root that holds far more (a
// link to "/" made by mistake, a mounted archive) must not keep the editor
// from starting, so it stops at these bounds and says so in the log.
constexpr int maxLibraryFolders = 10000;
constexpr int maxLibraryDepth = 64;

bool isInside(const QString& path, const QString& top)
{
    return path == top || path.startsWith(top.endsWith(QLatin1Char('/')) ? top : top + QLatin1Char('/'));
}

// The canonical path of the library root; empty when it does not exist.
QString realRoot(const QString& root)
{
    return root.isEmpty() ? QString() : QFileInfo(root).canonicalFilePath();
}

// The visible sub-directories of dirPath (links to directories included),
// in name order ignoring case; at most `limit` of them are read.
QFileInfoList subDirectories(const QString& dirPath, int limit)
{
    QFileInfoList found;
    QDirIterator it(dirPath, QDir::Dirs | QDir::NoDotAndDotDot);
    while (found.size() < limit && it.hasNext()) {
        it.next();
        found << it.fileInfo();
    }
    std::sort(found.begin(), found.end(), [](const QFileInfo& a, const QFileInfo& b) {
        const int folded = a.fileName().toLower().compare(b.fileName().toLower());
        return folded != 0 ? folded < 0 : a.fileName() < b.fileName();
    });
    return found;
}

QTreeWidgetItem* makeFolderItem(const QString& name, const QIcon& icon)
{
    auto* item = new QTreeWidgetItem(QStringList { name });
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    item->setSizeHint(0, QSize(0, 20));
    item->setIcon(0, icon);
    return item;
}

// A directory whose sub-directories are still to be read.
struct PendingDir {
    QString path;
    QTreeWidgetItem* item; // not owned
    int depth;
};

} // namespace

QString defaultLibraryRoot()
{
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        + QDir::separator() + QStringLiteral("Libraries"));
}

QTreeWidgetItem* makeLibraryFolderItem(const QString& name)
{
    return makeFolderItem(name, QFileIconProvider().icon(QFileIconProvider::Folder));
}

void addLibraryDirItems(const QString& dirPath, QTreeWidget* tree, QTreeWidgetItem* parent, bool recursive)
{
    Q_UNUSED(recursive)
    if (!tree && !parent)
        return;
    const QString top = QFileInfo(dirPath).canonicalFilePath();
    if (top.isEmpty())
        return; // a missing directory has no folders
    // Level by level, so that the bounds keep the upper levels whole. A link
    // is shown but never entered: inside the library its target is a folder
    // of the tree already, and outside it the library ends. The items grow
    // below a holder outside the tree and join it in one insertion at the
    // end, not one update of the tree's model per folder.
    QTreeWidgetItem holder;
    // One icon shared by all items: each icon the provider makes keeps
    // pixmaps of its own.
    const QIcon folderIcon = QFileIconProvider().icon(QFileIconProvider::Folder);
    QSet<QString> visited { top };
    std::deque<PendingDir> pending { { dirPath, &holder, 0 } };
    int folders = 0;
    bool full = false;
    bool tooDeep = false;
    while (!pending.empty() && !full) {
        const PendingDir dir = pending.front();
        pending.pop_front();
        const QFileInfoList entries = subDirectories(dir.path, maxLibraryFolders - folders + 1);
        for (const QFileInfo& entry : entries) {
            if (folders == maxLibraryFolders) {
                full = true;
                break;
            }
            QTreeWidgetItem* item = makeFolderItem(entry.fileName(), folderIcon);
            dir.item->addChild(item);
            ++folders;
            if (entry.isSymLink())
                continue;
            const QString canonical = entry.canonicalFilePath();
            if (canonical.isEmpty() || !isInside(canonical, top) || visited.contains(canonical))
                continue;
            if (dir.depth + 1 >= maxLibraryDepth) {
                tooDeep = tooDeep || !subDirectories(entry.absoluteFilePath(), 1).isEmpty();
                continue;
            }
            visited.insert(canonical);
            pending.push_back({ entry.absoluteFilePath(), item, dir.depth + 1 });
        }
    }
    const QList<QTreeWidgetItem*> items = holder.takeChildren();
    if (parent)
        parent->addChildren(items);
    else
        tree->addTopLevelItems(items);
    if (full) {
        QLOG_WARN().noquote() << QStringLiteral("Library folders of \"%1\": only the first %2 are shown")
                                     .arg(QDir::toNativeSeparators(dirPath))
                                     .arg(maxLibraryFolders);
    }
    if (tooDeep) {
        QLOG_WARN().noquote() << QStringLiteral("Library folders of \"%1\": no more than %2 levels are shown")
                                     .arg(QDir::toNativeSeparators(dirPath))
                                     .arg(maxLibraryDepth);
    }
}

QString libraryItemPath(QTreeWidgetItem* item)
{
    if (!item)
        return QString();
    QString path = item->text(0);
    for (QTreeWidgetItem* up = item->parent(); up; up = up->parent())
        path = up->text(0) + QDir::separator() + path;
    return path;
}

QString libraryParentPath(QTreeWidgetItem* item)
{
    return item ? libraryItemPath(item->parent()) : QString();
}

void listFilesMatching(const QString& dirPath, const QString& filter, QStringList& out)
{
    QDir dir(dirPath);
    dir.setNameFilters({ filter, filter.toUpper() });
    const QFileInfoList entries = dir.entryInfoList();
    for (const QFileInfo& entry : entries) {
        if (entry.fileName() == QLatin1String(".") || entry.fileName() == QLatin1String(".."))
            continue;
        if (entry.isFile())
            out << entry.fileName();
    }
}

void removeTopLevelItem(QTreeWidget* tree, QTreeWidgetItem* item)
{
    if (!item)
        return;
    if (tree) {
        const int index = tree->indexOfTopLevelItem(item);
        if (index >= 0)
            tree->takeTopLevelItem(index);
    }
    delete item;
}

bool isUsableLibraryName(const QString& name)
{
    const QString trimmed = name.trimmed();
    // A name beginning with a dot would be hidden: the scan and the clip
    // list never show it, so the folder or clip could not be reached again.
    if (trimmed.isEmpty() || name.startsWith(QLatin1Char('.')))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c == QChar(0))
            return false;
    }
    return true;
}

bool libraryEntryIsInside(const QString& root, const QString& path)
{
    const QString top = realRoot(root);
    const QFileInfo entry(path);
    const QString name = entry.fileName();
    if (top.isEmpty() || name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    const QString holder = QFileInfo(entry.absolutePath()).canonicalFilePath();
    return !holder.isEmpty() && isInside(holder, top);
}

bool libraryTargetIsInside(const QString& root, const QString& path)
{
    if (!libraryEntryIsInside(root, path))
        return false;
    const QFileInfo entry(path);
    if (!entry.exists() && !entry.isSymLink())
        return true; // made new in a folder of the library
    // An existing entry is written through: a link must end inside too (a
    // link that leads nowhere ends nowhere).
    const QString target = entry.canonicalFilePath();
    return !target.isEmpty() && isInside(target, realRoot(root));
}
