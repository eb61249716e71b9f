#pragma once
// The drawing core's one way to the windows. model/, render/ and edit/ ask
// this seam for what only a window can do or know: a document window's
// title, size, canvas image and painter, its redisplay, the main window's
// layers panel, colour lists, tool panel and comment tip, and the modal
// dialogs a gesture opens. Every call does nothing (or answers "no window")
// here; the application installs its windows' implementation when it makes
// its first window, so a document without a window (the benchmark, tests)
// runs on these defaults. The seam owns nothing.

#include <QSize>

class CFigContext;
class FigLine;
class FigObject;
class QImage;
class QString;

class WindowSeam {
public:
    virtual ~WindowSeam() = default;

    // ---- The document's window ----

    // Shows in the window's title whether the document has unsaved changes.
    virtual void setWindowModified(CFigContext* context, bool modified);
    // The window's logical dots per inch; false (and nothing written) without
    // a window.
    virtual bool windowDpi(const CFigContext* context, float& dpiX, float& dpiY) const;
    // The whole window in pixels, and the part of the canvas the scroll area
    // shows; 0 x 0 without a window.
    virtual QSize canvasSize(const CFigContext* context) const;
    virtual QSize visibleSize(const CFigContext* context) const;
    // What the window's canvas shows now; null without a window.
    virtual const QImage* canvasImage(const CFigContext* context) const;

    // The canvas painter of the window (the document's painter): whether it
    // is active, beginning it on the canvas, and ending it, which shows the
    // canvas in the window.
    virtual bool canvasPainterActive(const CFigContext* context) const;
    virtual void beginCanvasPainter(CFigContext* context);
    virtual void endCanvasPainter(CFigContext* context);

    // Draws the whole canvas anew and shows it.
    virtual void redisplayCanvas(CFigContext* context);
    // Makes a redraw the window put off (after resizes, before its first
    // paint) now, so that the canvas image shows the drawing.
    virtual void flushDeferredRedisplay(CFigContext* context);
    // Draws the objects of one depth over the canvas and shows it.
    virtual void drawObjectsAtDepth(CFigContext* context, int depth);
    // A whole-canvas draw that takes long: the window shows the canvas as
    // drawn so far and how far the draw has come (per cent); `finished`
    // comes once at the end of a draw that reported progress.
    virtual void showDrawProgress(CFigContext* context, int percent, bool finished);

    // ---- The main window ----

    // Rebuilds the layers panel for the document.
    virtual void refreshLayers(CFigContext* context);
    // The user colours of the active document changed: the colour lists
    // that offer them are filled again.
    virtual void refreshUserColorLists();
    // The object leaves the drawing: the comment tip must not reach for it.
    virtual void forgetHoveredObject(const FigObject* object);
    // Chooses an edit mode through the tool panel, as its button does.
    virtual void setEditMode(int mode);

    // ---- Dialogs ----

    // Asks for one line of text, preset with `preset`, in a modal dialog
    // over the document's window; false when it is cancelled (and always
    // without windows).
    virtual bool askForText(CFigContext* context, const QString& preset, QString& answer);
    // The modal picture dialog for a picture just added to the document.
    virtual void editPicture(CFigContext* context, FigLine* picture);
};

// The seam in force: the installed one, else the do-nothing defaults.
WindowSeam& windowSeam();
// Installs a seam (not owned; it must outlive its use); null puts the
// defaults back.
void installWindowSeam(WindowSeam* seam);
