#pragma once
// Dragging many objects with the select tool without redrawing them at every
// step: at the first step the canvas is drawn once without them and kept,
// and they are put (with their markers) into a picture; each step then puts
// the kept canvas back where the picture was and the picture where the
// pointer is, so a step costs pixels, not objects. Where nothing else paints
// where the objects are (everything selected, one large compound), the
// picture is the canvas's own pixels of them, taken before they came off,
// and only strips of it are drawn: where the canvas did not show them, and
// where something besides plain background (a page line, another object)
// lies behind them or where they land; meanwhile the event loop's idle time
// draws the picture in tiles, where the next steps may need it first, so
// that a long drag finds it drawn and stops drawing strips. Elsewhere the
// objects are drawn into a transparent picture. The drop (or a cancel) takes
// the picture off and draws the objects' area for real. A whole-canvas
// redraw in between keeps the canvas anew and shows the picture again, so
// the canvas always shows what such a redraw shows. The objects themselves
// never move before the drop, and no copy of them is made.

#include "model/figobjectlist.h"

class CFigContext;

// From how many objects (compound members counted) a drag moves a picture;
// fewer are previewed by redrawing their area. A test seam.
extern int dragLayerThreshold;
// Whether the picture is taken from the canvas where the canvas shows the
// objects alone, instead of drawn. A test seam.
extern bool dragLayerLiftsCanvas;
// Whether the picture shown now was taken from the canvas. A test seam.
bool dragLayerLifted();
// How many steps of the drag shown now, after its first one, drew strips of
// the picture themselves. A test seam.
int dragLayerStripSteps();
// Whether a lifted picture is being drawn in idle time. A test seam.
bool dragLayerCompleting();
// At most how many tiles one idle slice of that drawing draws; 0 for no
// limit but its time. A test seam.
extern int dragLayerSliceTiles;

// Shows the objects of `list` moved by (dx, dy) Fig units as a picture,
// starting the picture at the first call. False, with nothing done, when the
// drag is previewed by redrawing instead: fewer objects than the threshold,
// a compound open for editing, another tool's drag, or no canvas image.
// `linked` tells that lines linked to the objects must stretch: they need a
// real redraw.
bool showDragLayer(CFigContext* context, const FigObjectList* list, bool linked, int dx, int dy);
// Whether showDragLayer would show (or shows) a picture for the drag.
bool dragLayerWanted(CFigContext* context, const FigObjectList* list, bool linked);
// Takes the picture off the canvas (the kept canvas put back where it was)
// and forgets it. True when there was one: the Fig area of the objects
// where they were, markers included, is then given, for the caller to draw
// them where they are or land.
bool finishDragLayer(CFigContext* context, int& x1, int& y1, int& x2, int& y2);
// The Fig area a picture of the objects of `list` covers where they are now,
// markers included: their bounds with a margin.
void dragLayerArea(CFigContext* context, const FigObjectList* list, int& x1, int& y1, int& x2, int& y2);
// Forgets the picture without touching the canvas (the drag ended some
// other way).
void forgetDragLayer();
