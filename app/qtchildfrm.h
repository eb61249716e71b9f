#pragma once
// The document window: a scrolled view of one document's canvas, placed by
// the main window as a sub-window of its multiple-document area. Owns the
// document's CFigContext, the off-screen canvas image with the one painter
// that draws into it, up to two rulers and the export dialog; deletes itself
// when it is closed.

#include "model/figobjectlist.h"

#include <QList>
#include <QPainter>
#include <QScrollArea>
#include <QString>

#include <functional>

class CFigContext;
class ExportDlg;
class FigObject;
class QImage;
class QRuler;
class QTMainFrm;

class QTChildFrm : public QScrollArea {
    Q_OBJECT
public:
    explicit QTChildFrm(QTMainFrm* mainFrm = nullptr);
    ~QTChildFrm() override;

    QTChildFrm(const QTChildFrm&) = delete;
    QTChildFrm& operator=(const QTChildFrm&) = delete;

    // ---- Construction and layout ----

    // Rebuilds the layout with or without each ruler.
    void setRulers(bool horz, bool vert);
    QSize sizeHint() const override;
    // The window's size less the scroll bar across it.
    int visibleWidth() const;
    int visibleHeight() const;
    // Calls fn on every window of the list, walking a copy of it.
    static void forEachChildFrame(const QList<QTChildFrm*>& list, const std::function<void(QTChildFrm*)>& fn);

    // ---- Canvas painter ----

    // Begins canvasPainter on the canvas image unless it is active, with the
    // antialiasing hint of the preferences.
    void beginCanvasPainter();
    // Ends the painter and repaints the viewport at once.
    void endCanvasPainter();

    // Redraws, each inside the painter bracket (begun only when inactive).
    void redisplayCanvas();
    // The same made later, once: the canvas is marked for a whole redraw,
    // which the next paint of the viewport makes, or the end of the next
    // drawing step (what that step drew is drawn over then). However many
    // resizes and shows come before, the canvas is drawn once.
    void redisplayCanvasDeferred();
    // Makes the whole redraw asked for by redisplayCanvasDeferred now, when
    // one is pending; the canvas image then shows the drawing.
    void flushDeferredRedisplay();
    bool isRedisplayPending() const { return redisplayPending; }
    // During a long whole-canvas draw: shows the canvas as drawn so far and
    // how far the draw has come in the status bar; at the end the status
    // bar shows the last status message again.
    void showDrawProgress(int percent, bool finished);
    void redrawObject(FigObject* obj, bool omit);
    void redrawObjectList(const FigObjectList* list, bool omit);
    // The current object list at one depth, drawn over the canvas.
    void drawObjectsAtDepth(int depth);
    void redrawCurrentObject();
    void redrawStaleMarkers();
    void markAllObjectsAndRepaint();
    void clearMarkersAndRepaint();
    void showAllMarkers();
    void drawObjectMarkers(FigObject* obj);
    void drawMarkerAt(int x, int y);
    void undo();
    void redo();

    // ---- View ----

    // Maps a viewport position (pixels) to Fig units into figX, figY; with
    // lockAxes, Ctrl keeps the row and Shift the column of the last position.
    // True when the position differs from the last one.
    bool screenToFig(int x, int y, bool lockAxes);
    void setRulerOrigins(int x, int y);
    void updateRulerScale();
    // The scroll bars cover the paper at the current zoom.
    void setScrollRange(int width, int height);
    void updateScrollRange();
    // Sets the bars' values without moving the view.
    void setScrollValues(int x, int y);
    void zoomIn();
    void zoomOut();
    void zoomToSelection();
    void zoomToSelectionRevert();

    // ---- Button states ----

    void updateCompoundButtons();
    void updateConvertButton();
    void updateAlignButtons();
    void emitAddClipToLibraryButtonState();
    // The four above, in this order.
    void refreshButtonStates();

    // ---- Document commands ----

    void copy();
    void cut();
    void paste();
    void selectAll();
    void createSmartLinks();
    void alignSelection();
    void createCompound();
    void breakCompound();
    void openCompound();
    void closeCompound();
    void convertLineSpline();
    void openFigureProperties();
    bool exportFile();
    bool exportAgain();

    // ---- Input ----

    // Snaps a pointer position of a move or release while a gesture runs.
    void snapPointerPosition(CFigContext* context, int& x, int& y);
    // Deselects everything of the current list and forgets the current
    // object; the mode and a gesture in progress stay.
    void cancelCurrentOperation();
    // Chooses an edit mode for this document (chooseEditMode, edit/editmodes.h)
    // with the canvas painter begun, so that the rubber band of a gesture
    // under way is erased; false for a number without a set-up.
    bool chooseEditMode(int mode);
    // Cancels the gesture under way on this document as a right press
    // would, without finishing anything (cancelCanvasGesture,
    // edit/gesturecancel.h), with the canvas painter begun so that its
    // rubber band or preview leaves this window's canvas. Nothing when no
    // gesture is under way or it belongs to another document.
    void cancelGesture();

    // ---- Fields ----

    QTMainFrm* mainFrm; // not owned
    QRuler* horzRuler = nullptr; // child widget, or null
    QRuler* vertRuler = nullptr; // child widget, or null
    QWidget* rulerCorner = nullptr; // child widget, or null
    CFigContext* figContext = nullptr; // owned
    QPainter canvasPainter; // the context draws with it too
    QImage* canvasImage = nullptr; // owned
    ExportDlg* exportDlg = nullptr; // owned

    // ---- Document files ----

    // Makes the window an untitled new document named after "document%1.fig"
    // with the next number of the run.
    void newFile();
    // Reads a Fig file into the document; false when it cannot be read (the
    // reader tells why in the status bar).
    bool loadFile(const QString& fileName);
    // Records the file as the document's file and titles the window after it.
    void setCurrentFile(const QString& fileName);
    // curFile without its directory.
    QString currentFileName() const;
    // When the document is modified, asks whether to save it; true when the
    // caller may go on (saved or changes discarded), false to stop.
    bool maybeSave();
    // Saves under the current name, or asks for one when untitled.
    bool save();
    // Asks for a name and saves under it.
    bool saveAs();
    // Backs up the existing file to <name>.bak and writes the document; true
    // when the file was written. A failure is reported in a message box and
    // leaves the document modified and its name as it was.
    bool saveFile(const QString& fileName);

protected:
    // Asks to save a modified document; a cancelled answer keeps the window.
    void closeEvent(QCloseEvent* event) override;

public:
    QString curFile; // the file path; for an untitled document its proposed name
    bool isUntitled = true;

    // ---- Pointer state ----

    int figX = 0; // pointer position in Fig units, possibly snapped
    int figY = 0;
    int panX = 0; // viewport position of the last right-button press or pan step
    int panY = 0;
    int lastX = -1; // viewport position last handed to screenToFig
    int lastY = -1;
    int imageWidth = 0; // size of the canvas image as last set by the resize handling
    int imageHeight = 0;

signals:
    void compoundButtonsStateChanged(bool btCreate, bool btBreak, bool btOpen, bool btClose);
    void convertLineSplineButtonStateChanged(bool enabled);
    void alignButtonsStateChanged(bool enabled);
    void addClipToLibraryButtonStateChanged();
    void coordsChanged(CFigContext* fgc, int x, int y);
    void redisplayCanvasSignal();

public slots:
    void onScrollByX(int value);
    void onScrollByY(int value);
    void gridDeleted(int grid);
    void redisplayCanvasOnSignal();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Whether the gesture under way began in another document window: this
    // window's events are then not that gesture's.
    bool gestureIsElsewhere() const;
    // A press or key here means the user works in this window: a gesture
    // begun in another one is cancelled there first.
    void cancelGestureElsewhere();
    void connectScrollBars();
    // Moves the view by (dx, dy) pixels after the origin has moved by as
    // much: the pixels already drawn move with the drawing and only the
    // strip uncovered is drawn; a whole redraw when that cannot be done.
    void scrollCanvas(int dx, int dy);
    void disconnectScrollBars();
    // The view after a zoom or origin change: rulers, scroll bars, canvas.
    void applyViewChange();

    bool redisplayPending = false; // a whole redraw is owed to the canvas
    bool settlingScrollBars = false; // updateScrollRange lays the bars out
};

// Numbers the untitled documents of a run; only grows.
extern int untitledCounter;
