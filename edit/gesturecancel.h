#pragma once
// Cancelling the gesture under way on a document as a right press cancels
// it, for the times when the gesture cannot go on: its window stops being
// the active one or closes, or Escape is pressed. Unlike a right press it
// never finishes anything: a polyline or spline whose right press would
// complete it is dropped instead, a point inserted by the add-point tool is
// taken out again. Nothing is added to the drawing or its history.

class CFigContext;

// Cancels the gesture under way on the document: its rubber band or preview
// is taken off the canvas (the caller keeps the document's painter active),
// copies or pasted objects following the pointer are dropped, and the mode
// waits for its next gesture (a paste or a library clip returns to the mode
// before it). Nothing when no gesture is under way or it belongs to
// another document.
void cancelCanvasGesture(CFigContext* context);

// The gestures that show their objects moved by a preview (a drag of the
// selection, a point move, a scaling): one under way on the document is
// cancelled as a right press cancels it, the preview taken off the canvas
// and nothing moved. False when none is under way. Choosing another tool
// uses it, so that no preview stays behind the new tool.
bool cancelPreviewGesture(CFigContext* context);
