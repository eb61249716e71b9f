#include "library/itemeditingfinisheddelegate.h"

ItemEditingFinishedDelegate::ItemEditingFinishedDelegate(QTreeWidgetItem* item, const QString& oldName, QObject* parent)
    : QStyledItemDelegate(parent)
    , treeItem(item)
    , oldName(oldName)
{
}

ItemEditingFinishedDelegate::ItemEditingFinishedDelegate(QListWidgetItem* item, const QString& oldName, QObject* parent)
    : QStyledItemDelegate(parent)
    , listItem(item)
    , oldName(oldName)
{
}

void ItemEditingFinishedDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const
{
    if (treeItem) {
        QAbstractItemDelegate::destroyEditor(editor, index);
        if (index.column() == 0)
            emit editingFinished(index, treeItem, oldName);
        return;
    }
    if (listItem) {
        QAbstractItemDelegate::destroyEditor(editor, index);
        emit editingFinished(index, listItem, oldName);
    }
}
