#pragma once
// Keeps a document window's canvas painter active while a change made
// outside a gesture (a tool bar or dialog value) redraws the document; ends
// it, repainting the view, only when it began it, so that a gesture holding
// the painter keeps it. A window-less document is left alone. The painter
// is reached through the window seam.

#include "model/figcontext.h"
#include "model/windowseam.h"

class CanvasPainterScope {
public:
    explicit CanvasPainterScope(CFigContext* context)
        : context(context && context->view ? context : nullptr)
    {
        if (this->context && !windowSeam().canvasPainterActive(this->context)) {
            windowSeam().beginCanvasPainter(this->context);
            began = true;
        }
    }
    ~CanvasPainterScope()
    {
        if (began)
            windowSeam().endCanvasPainter(context);
    }
    CanvasPainterScope(const CanvasPainterScope&) = delete;
    CanvasPainterScope& operator=(const CanvasPainterScope&) = delete;

private:
    CFigContext* context;
    bool began = false;
};
