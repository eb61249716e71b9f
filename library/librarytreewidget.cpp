#include "library/librarytreewidget.h"

#include "library/librarylistwidget.h"

#include <QDataStream>
#include <QMimeData>

LibraryTreeWidget::LibraryTreeWidget(QWidget* parent)
    : QTreeWidget(parent)
{
}

QStringList LibraryTreeWidget::mimeTypes() const
{
    return { clipItemMimeType() };
}

Qt::DropActions LibraryTreeWidget::supportedDropActions() const
{
    return Qt::CopyAction;
}

bool LibraryTreeWidget::dropMimeData(QTreeWidgetItem* parent, int index, const QMimeData* data, Qt::DropAction action)
{
    Q_UNUSED(index)
    Q_UNUSED(action)
    if (!parent || !data)
        return false;
    QByteArray bytes = data->data(clipItemMimeType());
    QDataStream stream(&bytes, QIODevice::ReadOnly);
    QVariantMap map;
    stream >> map;
    const QVariantList rows = map.value(QStringLiteral("rows")).toList();
    for (const QVariant& row : rows)
        emit receivedThumbnail(parent, row.toInt());
    return true;
}
