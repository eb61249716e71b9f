#include "library/librarylistwidget.h"

#include <QDataStream>
#include <QMimeData>

QString clipItemMimeType()
{
    return QStringLiteral("application/clipitem");
}

LibraryListWidget::LibraryListWidget(QWidget* parent)
    : QListWidget(parent)
{
}

QMimeData* LibraryListWidget::mimeData(const QList<QListWidgetItem*> items) const
{
    QVariantList rows;
    for (QListWidgetItem* item : items)
        rows << QVariant(row(item));
    QVariantMap map;
    map.insert(QStringLiteral("rows"), rows);
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << map;
    auto* data = new QMimeData;
    data->setData(clipItemMimeType(), bytes);
    return data;
}

void LibraryListWidget::paintEvent(QPaintEvent* event)
{
    emit aboutToPaint();
    QListWidget::paintEvent(event);
}
