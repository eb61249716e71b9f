#pragma once
// The folder tree of the library dialog: takes clip thumbnails dropped onto a
// folder and reports each dropped clip row with the folder. The tree owns its
// items.

#include <QTreeWidget>

class LibraryTreeWidget : public QTreeWidget {
    Q_OBJECT
public:
    explicit LibraryTreeWidget(QWidget* parent = nullptr);

    // The one format of a dragged clip, "application/clipitem".
    QStringList mimeTypes() const override;
    // Clips are copied onto a folder, never moved by the drop itself: the
    // dialog removes the row once the file has moved.
    Qt::DropActions supportedDropActions() const override;
    // Emits receivedThumbnail once per row of the payload for a drop on a
    // folder; false for a drop outside every folder.
    bool dropMimeData(QTreeWidgetItem* parent, int index, const QMimeData* data, Qt::DropAction action) override;

signals:
    void receivedThumbnail(QTreeWidgetItem* destItem, int fromIndex);
};
