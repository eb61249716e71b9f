#pragma once
// The editing step of figbench: every object of the drawing selected and
// moved by one grid step as a drag of the select tool does (the drag's start
// and its drop, one undo step), then undone and redone. Header-only, since
// figbench is built from one source file.

#include "bench/benchtiming.h"
#include "edit/canvashandlers.h"
#include "edit/dragselection.h"
#include "edit/selectmode.h"
#include "model/depths.h"
#include "model/figcontext.h"
#include "model/units.h"

#include <QElapsedTimer>

namespace benchedit {

// One step of the document's grid, of the first grid when it shows none.
inline int gridStep(CFigContext& context)
{
    int step = roundToInt(static_cast<float>(context.snapStep()));
    if (step <= 0) {
        const int shown = context.gridIndex;
        context.gridIndex = 1;
        step = roundToInt(static_cast<float>(context.snapStep()));
        context.gridIndex = shown;
    }
    return step > 0 ? step : 75;
}

// The milliseconds the three took.
inline double moveAllUndoRedo(CFigContext& context)
{
    QElapsedTimer timer;
    timer.start();
    FigObjectList* list = context.objects();
    setObjectsSelected(list, true);
    context.currentObject = list->empty() ? nullptr : list->front();
    const int step = gridStep(context);
    // Picked at the origin, dragged one step to the right.
    canvasAction.anchorX = canvasAction.trackX = 0;
    canvasAction.anchorY = canvasAction.trackY = 0;
    startSelectionDrag(&context, 0, 0);
    canvasAction.trackX = step;
    dropSelection(&context, step, 0);
    context.undoHistory.undo();
    context.undoHistory.redo();
    const double ms = benchtiming::elapsedMs(timer);
    setObjectsSelected(list, false);
    context.currentObject = nullptr;
    clearDragPreview();
    return ms;
}

} // namespace benchedit
