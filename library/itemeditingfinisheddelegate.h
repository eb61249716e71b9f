#pragma once
// The item delegate of the library's folder tree and clip list while one
// item is edited in place: reports the end of the editing together with the
// item and its text from before. Holds the item without owning it; the
// dialog installs a new delegate for every editing it starts.

#include <QModelIndex>
#include <QString>
#include <QStyledItemDelegate>

class QListWidgetItem;
class QTreeWidgetItem;

class ItemEditingFinishedDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    ItemEditingFinishedDelegate(QTreeWidgetItem* item, const QString& oldName, QObject* parent);
    ItemEditingFinishedDelegate(QListWidgetItem* item, const QString& oldName, QObject* parent);

    // Lets the base class destroy the editor and then reports the end of the
    // editing of the item (for a tree item only in column 0). The edited text
    // is in the item by then: a committed editing has written it, a cancelled
    // one left the text from before.
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

    QTreeWidgetItem* treeItem = nullptr; // not owned
    QListWidgetItem* listItem = nullptr; // not owned
    QString oldName;

signals:
    void editingFinished(QModelIndex index, QTreeWidgetItem* item, QString oldName) const;
    void editingFinished(QModelIndex index, QListWidgetItem* item, QString oldName) const;
};
