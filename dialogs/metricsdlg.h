#pragma once
// The grid, page and zoom dialog. Modeless; the main window keeps one for the
// whole run. While it is built it fills the main window's grid menu with one
// entry per grid definition, so that menu and its button must exist first.
// Owns its controls and the mapper of the grid menu's entries.

#include <QDialog>

class CFigContext;
class QComboBox;
class QSignalMapper;
class QTMainFrm;

class MetricsDlg : public QDialog {
    Q_OBJECT
public:
    // parent is the main window.
    explicit MetricsDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // Shows a document's grid settings, or its page and view settings,
    // without acting on them.
    void setGridValues(CFigContext* ctx);
    void setPageValues(CFigContext* ctx);

    // The zoom box: "500%" … "10%" at indices 0 to 7, "fit to page" at 8.
    QComboBox* zoomCombo() const { return zoomBox; }
    QComboBox* gridCombo() const { return gridBox; }

    QTMainFrm* mainFrm; // not owned; null when the parent is no main window

signals:
    void unitChanged(int newValue);
    void gridDeleted(int grid);

public slots:
    // The grid chosen by its index in the grid definitions.
    void onGridMode(int grid);
    // Applies the zoom of an entry of the zoom box to the active document.
    void onZoom(int index);
    // Applies the zoom typed into the zoom box to the active document.
    void onEditZoom();

private:
    QComboBox* gridBox;
    QComboBox* zoomBox;
    QSignalMapper* gridMapper; // child
};
