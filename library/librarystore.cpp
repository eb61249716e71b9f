#include "library/librarystore.h"

#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QTreeWidgetItem>

namespace {

bool isInside(const QString& path, const QString& top)
{
    return path == top || path.startsWith(top.endsWith(QLatin1Char('/')) ? top : top + QLatin1Char('/'));
}

// `top` is the canonical path of the directory the walk started in;
// `chain` holds the canonical paths of the directories being walked, from
// the top down to dirPath.
void addDirItems(
    const QString& dirPath, QTreeWidget* tree, QTreeWidgetItem* parent, const QString& top, QSet<QString>& chain)
{
    const QFileInfoList entries = QDir(dirPath).entryInfoList();
    for (const QFileInfo& entry : entries) {
        if (entry.fileName() == QLatin1String(".") || entry.fileName() == QLatin1String(".."))
            continue;
        if (!entry.isDir())
            continue;
        QTreeWidgetItem* item = makeLibraryFolderItem(entry.fileName());
        if (parent)
            parent->addChild(item);
        else
            tree->addTopLevelItem(item);
        // A link into the tree would show its target twice (or without end,
        // when the target holds the link); any directory met again on the way
        // down closes a loop.
        const QString canonical = entry.canonicalFilePath();
        if (canonical.isEmpty() || chain.contains(canonical))
            continue;
        if (entry.isSymLink() && isInside(canonical, top))
            continue;
        chain.insert(canonical);
        addDirItems(entry.absoluteFilePath(), tree, item, top, chain);
        chain.remove(canonical);
    }
}

} // namespace

QString defaultLibraryRoot()
{
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        + QDir::separator() + QStringLiteral("Libraries"));
}

QTreeWidgetItem* makeLibraryFolderItem(const QString& name)
{
    auto* item = new QTreeWidgetItem(QStringList { name });
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    item->setSizeHint(0, QSize(0, 20));
    item->setIcon(0, QFileIconProvider().icon(QFileIconProvider::Folder));
    return item;
}

void addLibraryDirItems(const QString& dirPath, QTreeWidget* tree, QTreeWidgetItem* parent, bool recursive)
{
    Q_UNUSED(recursive)
    if (!tree && !parent)
        return;
    const QString top = QFileInfo(dirPath).canonicalFilePath();
    if (top.isEmpty())
        return; // a missing directory has no folders
    QSet<QString> chain { top };
    addDirItems(dirPath, tree, parent, top, chain);
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
    if (trimmed.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c == QChar(0))
            return false;
    }
    return true;
}
