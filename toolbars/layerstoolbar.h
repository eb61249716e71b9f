#pragma once
// The layers panel: one checkable entry per depth of a document that holds
// objects, ticked while the depth is shown, and the draw mode of hidden
// depths. Holds no state of its own: every rebuild reads the document's
// tables. Its widgets are children of the inner widget `layoutWidget`, which
// the main window places into one of its tool bars.

#include <QWidget>

class CFigContext;
class QComboBox;
class QListWidget;
class QListWidgetItem;
class QTMainFrm;

class LayersToolbar : public QWidget {
    Q_OBJECT
public:
    explicit LayersToolbar(QTMainFrm* mainWindow, Qt::WindowFlags flags = {});

    QTMainFrm* mainWindow; // not owned; kept for the main window's use
    QWidget* layoutWidget;
    QComboBox* cbDrawMode;
    QListWidget* lstLayers;

public slots:
    // Ticking or unticking an entry shows or hides that depth of the active
    // document.
    void itemChanged(QListWidgetItem* item);
    // Lists the used depths of the document (none for a null one or one
    // without objects) and shows its draw mode.
    void drawLayerButtons(CFigContext* fgc);
};
