#pragma once
// The layers panel: one checkable entry per depth of a document that holds
// objects, ticked while the depth is shown, buttons that show, hide or invert
// all listed depths, and the draw mode of hidden depths. Holds no state of its
// own: every rebuild reads the document's tables, and every user action
// changes the active document. Its controls are children of the form's inner
// widget `layoutWidget`, which the main window places into one of its tool
// bars.

#include <QWidget>

#include <memory>

class CFigContext;
class QComboBox;
class QListWidget;
class QListWidgetItem;
class QTMainFrm;

namespace Ui {
class LayersForm;
}

class LayersToolbar : public QWidget {
    Q_OBJECT
public:
    explicit LayersToolbar(QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~LayersToolbar() override;

    QTMainFrm* mainWindow; // not owned; kept for the main window's use
    // Parts of the form (owned by the widgets that hold them).
    QWidget* layoutWidget;
    QComboBox* cbDrawMode;
    QListWidget* lstLayers;

public slots:
    // Show every listed depth of the active document, hide every one, or
    // invert each one; depths without objects keep their flags.
    void onAllOn(bool checked);
    void onAllOff(bool checked);
    void onToggle(bool checked);
    // The draw mode of hidden depths of the active document: 0 dimmed,
    // 1 grayed, 2 not drawn.
    void onDrawMode(int index);
    // Ticking or unticking an entry shows or hides that depth of the active
    // document.
    void itemChanged(QListWidgetItem* item);
    // Lists the used depths of the document (none for a null one or one
    // without objects) and shows its draw mode without changing any
    // document.
    void drawLayerButtons(CFigContext* fgc);

private:
    // The three buttons: lists the used depths of the active document, each
    // flag first replaced by rule(flag).
    void setAllListed(bool (*rule)(bool shown));
    // A checkable entry for the depth, ticked when shown.
    void appendItem(int depth, bool shown);
    void connectItems();
    void disconnectItems();

    std::unique_ptr<Ui::LayersForm> ui;
};
