#pragma once
// The grid and metrics dialog: the grid, snap fraction, page, unit, zoom and
// display settings of the active document, the program-wide colours and
// rulers, and the custom grids. Modeless and built once by the main window;
// it holds no document of its own, every change acts at once on the active
// one, and the main window keeps its controls showing that document. Its grid
// list also fills the main window's grid menu, so that menu and its button
// must exist before the dialog. Owns its form and the mapper of the grid
// menu's entries.

#include <QDialog>
#include <QString>

#include <memory>

class CFigContext;
class QColor;
class QComboBox;
class QPushButton;
class QSignalMapper;
class QTMainFrm;

namespace Ui {
class MetricsDlgForm;
}

class MetricsDlg : public QDialog {
    Q_OBJECT
public:
    // The Qt pen style of each entry of the pen style box.
    static const int gridPenStyles[5];

    // parent is the main window.
    explicit MetricsDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~MetricsDlg() override;

    MetricsDlg(const MetricsDlg&) = delete;
    MetricsDlg& operator=(const MetricsDlg&) = delete;

    // Show a document's grid settings, or its page and view settings,
    // without acting on them. Null shows nothing.
    void setGridValues(CFigContext* fgc);
    void setPageValues(CFigContext* fgc);

    // The zoom box: "500%" … "10%" at indices 0 to 7, "fit to page" at 8.
    QComboBox* zoomCombo() const;
    // The grid box: one entry per grid definition, at the grid's index.
    QComboBox* gridCombo() const;
    // The form, for the tests that work the controls.
    Ui::MetricsDlgForm& form() const { return *ui; }

    // Refills the grid box and the main window's grid menu from the grid
    // definitions.
    void rebuildGridList();

    // Closes only when every grid has a step above 0.
    void done(int r) override;

signals:
    void unitChanged(int newValue);
    void gridDeleted(int grid);

public slots:
    void onGridMode(int index);
    void onStepSize(double value);
    void onPenStyle(int index);
    void onMagnetMode(int index);
    void onSnapToGridUsingLineWidth(int state);
    void onUnit(int index);
    void onOpenCustomGridDlg(bool checked);
    void onDeleteCustomGrid(bool checked);
    void onCustomGridNameChanged(const QString& text);
    void onZoom(int index);
    void onEditZoom();
    void onDpi(double value);
    void onBackgroundColor(bool checked);
    void onGridColor(bool checked);
    void onPageFormat(int index);
    void onOrientation(int index);
    void onShowMargin(int state);
    void onHorzRuler(int state);
    void onVertRuler(int state);
    void onFontBase(int state);
    void onDpiAtZoom100(int index);

private:
    // The handler groups. Each connection exists at most once; every
    // operation that breaks them while it sets controls makes them again
    // before it returns.
    void connectGridControls();
    void disconnectGridControls();
    void connectGridModeIndex();
    bool disconnectGridModeIndex();
    void connectPageControls();
    void disconnectPageControls();
    void connectDpi();
    bool disconnectDpi();

    // The active document of the main window, or null.
    CFigContext* activeContext() const;
    // Selects the zoom entry of exactly this percentage in both zoom boxes,
    // or shows the rounded percentage in their edit fields.
    void setZoomText(float percent);
    void showPageSize(CFigContext* fgc);
    // Warns of every grid without a usable step; true when none was found.
    bool validateGridSteps();
    // The document's zoom shown in the dpi box, without acting on it.
    void showDpi(CFigContext* fgc);
    // Scroll range, ruler scale and canvas of the document's window after a
    // zoom change.
    void refreshZoomedView(CFigContext* fgc);
    static void paintSwatch(QPushButton* button, const QColor& color);

    std::unique_ptr<Ui::MetricsDlgForm> ui;
    QSignalMapper* signalMapper = nullptr; // child; replaced by rebuildGridList
    QTMainFrm* mainWindow; // not owned; null when the parent is no main window
};
