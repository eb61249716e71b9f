#pragma once
// The main window: the one window of the program. Holds the multiple-document
// area whose sub-windows hold the document windows, the form "MainFrmClass"
// (actions, menus, form tool bars, status bar, console dock), the tool panels
// and attribute pages built in code with the attribute handler, the dialogs
// that keep their state between uses and the update checker. It owns all of
// them; its destructor deletes in a fixed order what it made with new.

#include "dialogs/objectcommentdlg.h"

#include <QList>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <QToolButton>

#include <memory>

class ArcAttrsToolbar;
class ArrowAttrsToolbar;
class AttrsToolbarHandler;
class BoxAttrsToolbar;
class CFigContext;
class ClosedSplineAttrsToolbar;
class CompoundAttrsToolbar;
class CoordsToolbar;
class EllipseAttrsToolbar;
class EmptyAttrsToolbar;
class FigColorDlg;
class FigObject;
class FontsDlg;
class LayersToolbar;
class LibraryDlg;
class MetricsDlg;
class OpenSplineAttrsToolbar;
class PicAttrsToolbar;
class PolygonAttrsToolbar;
class PolylineAttrsToolbar;
class PreferencesDlg;
class QComboBox;
class QMdiSubWindow;
class QPlainTextEdit;
class QSignalMapper;
class QStackedWidget;
class QTChildFrm;
class RegpolyAttrsToolbar;
class RotateAttrsToolbar;
class ShapesToolbar;
class TangnormAttrsToolbar;
class TextAttrsToolbar;
class UpdateAttrsToolbar;
class UpdateChecker;

namespace Ui {
class MainFrmClass;
}

class QTMainFrm : public QMainWindow {
    Q_OBJECT
public:
    // Number of entries of the File menu's recent-file list.
    static constexpr int maxRecentFiles = 6;
    // Pages of the attribute stack, numbered 0 to 16.
    static constexpr int attrsPageCount = 17;

    explicit QTMainFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~QTMainFrm() override;

    QTMainFrm(const QTMainFrm&) = delete;
    QTMainFrm& operator=(const QTMainFrm&) = delete;

    // The document window of the active sub-window, or null.
    QTChildFrm* activeMdiChild() const;
    // The document windows of all sub-windows in the given order.
    QList<QTChildFrm*> childFrames(QMdiArea::WindowOrder order = QMdiArea::CreationOrder) const;
    // The sub-window holding the file (compared by canonical path), or null.
    QMdiSubWindow* findMdiChild(const QString& fileName) const;
    // The log view the start-up attaches to the logger.
    QPlainTextEdit* logView() const;
    // Opens a Fig file in a new document window without asking for a name;
    // a file that cannot be read leaves no window behind.
    void openFile(const char* path);
    void openFile(const QString& path);
    // Cancels the gesture in progress in the active document window.
    void cancelActiveChildMode();
    // Shows the attribute page of an edit mode (-1: the current one).
    void selectAttrsToolbarPage(int mode);
    // Takes the object's attributes as the current ones and shows its page
    // of the attribute stack; context null: the active document's.
    void showObjectAttributes(CFigContext* context, FigObject* object);
    // Binds the colour dialog, the metrics dialog and the layers panel to the
    // active document; to none when there is none or it is `closing`.
    void followActiveDocument(const QTChildFrm* closing = nullptr);

signals:
    void commentChanged(bool hasComment);

public slots:
    QTChildFrm* newFile();
    void open();
    void save();
    void saveAs();
    void exportFile();
    void exportAgain();
    void closeActiveChild();
    void closeAllChilds();
    void openFigureProperties();
    void updateRecentFiles(const QString& fileName);
    void setCurrentFile(const QString& fileName);
    QString currentFile();
    void updateRecentFileActions();
    void openRecentFile();
    QString strippedName(const QString& fullFileName);
    void refreshScriptActions();
    void loadScriptActions(const QString& rootdir, QMenu* menu);
    void runScript();
    void undo();
    void redo();
    void cut();
    void copy();
    void paste();
    void selectAll();
    void createSmartLinks();
    void zoomIn();
    void zoomOut();
    void zoomToSelection();
    void zoomToSelectionRevert();
    void onOpenMetricsDlg();
    void onOpenLibraryDlg();
    void onOpenPreferencesDlg();
    void onOpenConsoleView();
    void onCreateCompound();
    void onBreakCompound();
    void onOpenCompound();
    void onCloseCompound();
    void onConvertLineSpline();
    void alignLeft();
    void alignTop();
    void alignRight();
    void alignBottom();
    void alignCenterH();
    void alignCenterV();
    void alignCenterHV();
    void about();
    void checkForUpdates();
    void updateMenus();
    void updateWindowMenu();
    QTChildFrm* createMdiChild();
    QMdiSubWindow* findSubWindow(QTChildFrm* child);
    void switchLayoutDirection();
    void setActiveSubWindow(QWidget* window);
    void setUnconstraint(bool checked);
    void setMounthattan(bool checked);
    void setManhattan(bool checked);
    void setMountain(bool checked);
    void setLatexarrow(bool checked);
    void setLatexline(bool checked);
    void showCommentTip();
    void subWindowActivated(QMdiSubWindow* window);
    void onClearLog(bool checked);
    void onExecuteScript(bool checked);
    void onClearScript(bool checked);
    void onEditZoom();
    void setGrid(int grid, CFigContext* fgc);
    void setGrid(int grid);
    void setSnapModeMagnet(bool checked);
    void setSnapModeVertex(bool checked);
    void redisplayCanvas();
    void setCompoundButtonsState(bool btCreate, bool btBreak, bool btOpen, bool btClose);
    void setConvertLineSplineButtonState(bool enabled);
    void setAlignButtonsState(bool enabled);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBars();
    void readWindowSettings();
    // Reads a file into a new document window; on failure the window is
    // closed and its sub-window removed.
    void loadIntoNewChild(const QString& fileName);
    // Sets the align mode and aligns the active document's selection.
    void alignActiveDocument(int horizontal, int vertical);
    // Shows a line constraint on its button and in the status bar and makes
    // its flags the only ones set.
    void applyConstraint(
        const char* icon, const char* text, int manhattan, int mountain, int latexLine, int latexArrow);

public:
    // Panels and pages made with new and without Qt parent; all deleted by
    // the destructor.
    ShapesToolbar* shapesToolbar = nullptr;
    CoordsToolbar* coordsToolbar = nullptr;
    EmptyAttrsToolbar* emptyAttrsToolbar = nullptr;
    ArcAttrsToolbar* arcAttrsToolbar = nullptr;
    ArrowAttrsToolbar* arrowAttrsToolbar = nullptr;
    BoxAttrsToolbar* boxAttrsToolbar = nullptr;
    CompoundAttrsToolbar* compoundAttrsToolbar = nullptr;
    EllipseAttrsToolbar* ellipseAttrsToolbar = nullptr;
    EmptyAttrsToolbar* emptyAttrsToolbar2 = nullptr;
    PolygonAttrsToolbar* polygonAttrsToolbar = nullptr;
    PolylineAttrsToolbar* polylineAttrsToolbar = nullptr;
    PicAttrsToolbar* picAttrsToolbar = nullptr;
    RegpolyAttrsToolbar* regpolyAttrsToolbar = nullptr;
    ClosedSplineAttrsToolbar* closedSplineAttrsToolbar = nullptr;
    OpenSplineAttrsToolbar* openSplineAttrsToolbar = nullptr;
    TextAttrsToolbar* textAttrsToolbar = nullptr;
    RotateAttrsToolbar* rotateAttrsToolbar = nullptr;
    TangnormAttrsToolbar* tangnormAttrsToolbar = nullptr;
    UpdateAttrsToolbar* updateAttrsToolbar = nullptr;
    QStackedWidget* attrsStack = nullptr; // child of ui.attrsToolbar
    AttrsToolbarHandler* attrsHandler = nullptr;
    QTimer commentTipTimer;
    FigObject* hoveredObject = nullptr; // not owned
    QPoint commentTipPos;
    QString commentTipText;
    ObjectCommentDlg commentDlg;
    FigColorDlg* colorDlg = nullptr;
    LayersToolbar* layersToolbar = nullptr;
    MetricsDlg* metricsDlg = nullptr;
    PreferencesDlg* preferencesDlg = nullptr;
    LibraryDlg* libraryDlg = nullptr;
    FontsDlg* fontsDlg = nullptr;
    QComboBox* zoomCombo = nullptr; // child of ui.mainToolbar
    QToolButton gridButton;
    QMenu gridMenu;
    QMdiArea* mdiArea = nullptr;
    QSignalMapper* windowMapper = nullptr;
    QMenu* windowMenu = nullptr; // owned by the menu bar
    QMenu* helpMenu = nullptr; // owned by the menu bar
    // The form "MainFrmClass"; its widgets and actions belong to the window.
    std::unique_ptr<Ui::MainFrmClass> form;
    Ui::MainFrmClass& ui;
    QAction* tileAct = nullptr;
    QAction* cascadeAct = nullptr;
    QAction* nextAct = nullptr;
    QAction* previousAct = nullptr;
    QAction* separatorAct = nullptr;
    QAction* aboutAct = nullptr;
    QAction* aboutQtAct = nullptr;
    QAction* checkForUpdatesAct = nullptr;
    QMenu constraintMenu;
    QToolButton constraintButton;
    QAction* constraintActions[6] = {}; // children of constraintButton
    QMenu snapMenu;
    QAction* snapGridAction = nullptr; // child of snapButton
    QAction* snapVertexAction = nullptr; // child of snapButton
    QToolButton snapButton;
    QString lastOpenDir;
    QAction* recentFileActs[maxRecentFiles] = {}; // children of the window
    QList<QAction*> scriptActions; // children of the window
    UpdateChecker* updateChecker = nullptr;
};

// The one main window; null until start-up has constructed it (and so while
// its constructor runs).
extern QTMainFrm* mainWindow;

// The context of the active document window, or null when there is none.
CFigContext* activeFigContext();
