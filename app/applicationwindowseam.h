#pragma once
// The window seam of the application: the drawing core's calls reach the
// document's window (its QTChildFrm), the main window's panels and the
// modal dialogs. A document without a window, or a call made while there is
// no main window, does what the defaults do. Holds no state of its own.

#include "model/windowseam.h"

class ApplicationWindowSeam : public WindowSeam {
public:
    void setWindowModified(CFigContext* context, bool modified) override;
    bool windowDpi(const CFigContext* context, float& dpiX, float& dpiY) const override;
    QSize canvasSize(const CFigContext* context) const override;
    QSize visibleSize(const CFigContext* context) const override;
    const QImage* canvasImage(const CFigContext* context) const override;

    bool canvasPainterActive(const CFigContext* context) const override;
    void beginCanvasPainter(CFigContext* context) override;
    void endCanvasPainter(CFigContext* context) override;

    void redisplayCanvas(CFigContext* context) override;
    void flushDeferredRedisplay(CFigContext* context) override;
    void drawObjectsAtDepth(CFigContext* context, int depth) override;
    void showDrawProgress(CFigContext* context, int percent, bool finished) override;

    void refreshLayers(CFigContext* context) override;
    void refreshUserColorLists() override;
    void forgetHoveredObject(const FigObject* object) override;
    void setEditMode(int mode) override;

    bool askForText(CFigContext* context, const QString& preset, QString& answer) override;
    void editPicture(CFigContext* context, FigLine* picture) override;
};

// Installs the application's seam; every window does it when it is made, so
// that the core reaches the windows as soon as there are any. Installing it
// again is harmless.
void installApplicationWindowSeam();
