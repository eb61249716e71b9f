#pragma once
// The scale mode: a compound is scaled by dragging a corner of its box
// (both directions, its proportions kept, past the fixed corner it mirrors)
// or an edge (one direction); the opposite corner stays put. While the
// button is held the scaled compound is shown in place of the real one, the
// lines smart-linked to it stretching along; the release scales it as one
// undo step, a right press drops the gesture. With grid snapping on the
// moving corner follows the pointer freely.

#include "model/figobjectlist.h"

class CFigContext;

// The set-up of mode 32.
void initScaleMode();

// The idle left-press handler: starts scaling the compound whose corner or
// edge lies within two screen pixels; nothing otherwise.
void scaleCompoundPress(CFigContext* context, int x, int y);
// The selection move handler while scaling: the preview for (x, y).
void scalePreview(CFigContext* context, FigObjectList* list, int x, int y);
// The left-release handler: scales the compound as one undo step. A factor
// of 0 (the release on the fixed corner's line) is refused.
void finishScale(CFigContext* context, int x, int y);
// The right-press handler while scaling: shows the compound unscaled again.
void cancelScale(CFigContext* context, int x, int y);

// Sets the moving corner (canvasAction's track) from a pointer position by
// the grip: an edge moves in its own direction only, a corner along the
// diagonal's direction by the pointer's distance from the fixed corner.
void constrainScalePoint(int x, int y);
