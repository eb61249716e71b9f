#pragma once
// The table through which a document window's mouse and key events reach the
// current edit mode, and the drawing state that the modes, the document
// window and the redraw share. Both are program-wide: a gesture always
// belongs to the active document window. The table holds plain function
// pointers and owns nothing.

#include "model/figobjectlist.h"
#include "model/figpoint.h"

class CFigContext;

// (document, x, y) in Fig units, already mapped and snapped.
using PointHandler = void (*)(CFigContext*, int, int);
// (document, the document's selection list, x, y).
using SelectionMoveHandler = void (*)(CFigContext*, FigObjectList*, int, int);
// (document, anchor x, anchor y, track x, track y): draws the rubber band of
// the gesture in progress once.
using ElasticHandler = void (*)(CFigContext*, int, int, int, int);
using ReturnHandler = void (*)();

struct CanvasHandlers {
    PointHandler moveHandler = nullptr;
    SelectionMoveHandler selectionMoveHandler = nullptr;
    PointHandler leftPressHandler = nullptr;
    PointHandler leftReleaseHandler = nullptr;
    PointHandler rightPressHandler = nullptr;
    // Copied into rightPressHandler once a point-collecting mode has its
    // minimum number of points; never called directly.
    PointHandler pendingRightPressHandler = nullptr;
    PointHandler shiftKeyHandler = nullptr; // (document, 0, 0); no mode installs it
    ElasticHandler elasticHandler = nullptr;
    ReturnHandler returnHandler = nullptr;
};

extern CanvasHandlers canvasHandlers;

// Installs the three handlers of a mode's idle state and empties
// shiftKeyHandler; the other slots keep their values.
void setCanvasHandlers(PointHandler moveHandler, PointHandler leftPressHandler, PointHandler rightPressHandler);

struct CanvasActionState {
    int actionInProgress = 0; // non-zero while a gesture of the current mode runs
    int pointCount = 0;
    int minPointCount = 0;
    int anchorX = 0; // Fig units: the fixed point of the rubber band
    int anchorY = 0;
    int trackX = 0; // Fig units: the moving point
    int trackY = 0;
    float rubberAngle = 0.0f; // radians
    FigPoint lastClickPoint; // only x and y are used
};

extern CanvasActionState canvasAction;

// True while the document's painter is active, so the canvas can be drawn
// on now; false for a null document or one without a painter.
bool canDraw(const CFigContext* context);

// A gesture begins: actionInProgress := 1.
void beginCanvasAction();
// A gesture ends: actionInProgress := 0 and the elastic handler is emptied,
// so that a later whole-canvas redraw draws no rubber band.
void endCanvasAction();

// Whether a gesture is under way: a canvas action, or a press whose release
// is awaited. Commands that change the selection or the drawing from outside
// the gesture (copy, cut, paste, delete, nudging) wait until it is over.
bool isGestureInProgress();

// The document whose window began the gesture under way: the gesture
// belongs to it alone, its points and drawing never come from another
// window. Null when no gesture is under way or none was claimed.
CFigContext* canvasGestureDocument();
// Called after a document window (or a command of it) handed something to
// the current mode: a gesture under way now is this document's.
void claimCanvasGesture(CFigContext* context);
// The document goes away: no gesture is recorded as its any more.
void forgetCanvasGestureDocument(const CFigContext* context);

// Leaves the gesture under way on the document when another mode is chosen:
// erases its rubber band through the elastic handler (only while the
// document's painter is active), frees the point chain it was building and
// redraws the segments it had placed, then ends the canvas action. Nothing
// but the ending without a gesture in progress; a null document only ends
// the action.
void abandonCanvasGesture(CFigContext* context);
