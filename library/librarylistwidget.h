#pragma once
// The clip list of the library dialog: thumbnails of the clips of one folder,
// dragged onto the folder tree with their rows as payload. The list owns its
// items. It tells when it paints, so that thumbnails are made as their rows
// come into view.

#include <QListWidget>
#include <QString>

// The drag format of a clip row.
QString clipItemMimeType();

class LibraryListWidget : public QListWidget {
    Q_OBJECT
public:
    explicit LibraryListWidget(QWidget* parent = nullptr);

    // "application/clipitem": a QVariantMap written with QDataStream, whose
    // one key "rows" holds the rows of the items as a list of ints.
    QMimeData* mimeData(const QList<QListWidgetItem*> items) const override;

signals:
    // The rows in view are about to be painted: scrolled, resized, shown or
    // changed. Thumbnails are made for the rows in view only.
    void aboutToPaint();

protected:
    void paintEvent(QPaintEvent* event) override;
};
