#pragma once
// Keeps a document window's canvas painter active while a change made
// outside a gesture (a tool bar or dialog value) redraws the document; ends
// it, repainting the view, only when it began it, so that a gesture holding
// the painter keeps it. A window-less document is left alone.

#include "app/qtchildfrm.h"
#include "model/figcontext.h"

class CanvasPainterScope {
public:
    explicit CanvasPainterScope(CFigContext* context)
        : view(context ? context->view : nullptr)
    {
        if (view && !view->canvasPainter.isActive()) {
            view->beginCanvasPainter();
            began = true;
        }
    }
    ~CanvasPainterScope()
    {
        if (began)
            view->endCanvasPainter();
    }
    CanvasPainterScope(const CanvasPainterScope&) = delete;
    CanvasPainterScope& operator=(const CanvasPainterScope&) = delete;

private:
    QTChildFrm* view;
    bool began = false;
};
