#pragma once
// Rubber-band feedback of the edit modes: the outlines that follow the mouse
// while a shape is drawn or a rectangle is pulled, and the move handlers that
// keep them in step with the pointer. Every outline is drawn with the black
// one-pixel inverting pen, so that drawing the same outline a second time
// restores the canvas: a move erases at the old track point and draws at the
// new one. Outlines read the anchor, track and angle of canvasAction; all
// coordinates are Fig units. Nothing is drawn without an active painter.

#include "edit/canvashandlers.h"

class CFigContext;

// One line (x1, y1)-(x2, y2).
void drawRubberSegment(CFigContext* context, int x1, int y1, int x2, int y2);
// The rectangle with corners (x1, y1) and (x2, y2) as four lines, solid or
// with the dashed pen (3 on, 3 off).
void drawRubberRectangle(CFigContext* context, int x1, int y1, int x2, int y2);
void drawDashedRubberRectangle(CFigContext* context, int x1, int y1, int x2, int y2);

// Circles and ellipses from canvasAction's anchor and track. Each has a
// second form with the elastic handler's arguments, which it ignores.
// A circle through anchor and track, around their middle (halves truncated).
void drawRubberCircleByDiameter(CFigContext* context);
void drawRubberCircleByDiameter(CFigContext* context, int, int, int, int);
// A circle around the anchor through the track.
void drawRubberCircleByRadius(CFigContext* context);
void drawRubberCircleByRadius(CFigContext* context, int, int, int, int);
// The ellipse inside the box of anchor and track, turned by rubberAngle.
void drawRubberEllipseByDiameters(CFigContext* context);
void drawRubberEllipseByDiameters(CFigContext* context, int, int, int, int);
// The ellipse around the anchor with the track's offsets as radii, turned by
// rubberAngle.
void drawRubberEllipseByRadii(CFigContext* context);
void drawRubberEllipseByRadii(CFigContext* context, int, int, int, int);

// The regular polygon with centre (cx, cy), first vertex (px, py) and n
// vertices; n = 1 gives a dot at the vertex, n < 1 nothing.
void drawRubberRegularPolygon(CFigContext* context, int cx, int cy, int px, int py, int n);
// The same with the anchor as centre, the track as first vertex and the
// current attributes' number of sides, in the elastic handler's form.
void drawRubberRegularPolygonElastic(CFigContext* context, int cx, int cy, int px, int py);

// The first press of a gesture that shows a rubber band: anchor and track
// at (x, y), the outline drawn there at zero size, the canvas action begun
// and the outline made the elastic handler, so that every whole-canvas
// redraw during the gesture (a zoom, a scroll) draws it anew where it now
// lies and the gesture's erasing still takes it off.
void startRubberBand(CFigContext* context, int x, int y, ElasticHandler outline);

// Move handlers: each erases its outline at (anchor, old track), takes the
// new track and draws the outline there.
// The rubber line to the pointer.
void freeLineMove(CFigContext* context, int x, int y);
// The rubber line bent onto horizontal, vertical or diagonal directions by
// the manhattan and mountain constraints.
void axisDiagonalMove(CFigContext* context, int x, int y);
// The rubber line on the nearest slope of LaTeX lines (or arrows), its
// length a multiple of the slope's quantum.
void latexSlopeMove(CFigContext* context, int x, int y);
void boxRubberMove(CFigContext* context, int x, int y);
void dashedRectangleMove(CFigContext* context, int x, int y);
void circleByDiameterMove(CFigContext* context, int x, int y);
void circleByRadiusMove(CFigContext* context, int x, int y);
void ellipseByDiametersMove(CFigContext* context, int x, int y);
void ellipseByRadiiMove(CFigContext* context, int x, int y);
void regularPolygonMove(CFigContext* context, int x, int y);
