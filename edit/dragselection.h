#pragma once
// Showing objects dragged by the mouse without moving them: moved clones are
// put into the drawing in place of the objects (found by identifier), their
// area is redrawn, and the objects go back. The clones drawn by the last
// preview are kept so that the next one also clears where they were. Used by
// the drag of the selection, the copy and paste modes and the point moves.

#include "model/figobjectlist.h"

class CFigContext;

// Clones of what the last preview drew (owned); emptied at every drop and
// cancel.
extern FigObjectList dragPreviewObjects;

// Deletes the clones of the last preview.
void clearDragPreview();
// Makes the preview clones copies of `list` (the old ones deleted).
void keepDragPreview(const FigObjectList* list);

// The selection move handler: shows the objects of `list` moved by the
// pointer's offset from canvasAction's anchor, with the lines smart-linked
// to them stretching along. The objects themselves never move; whatever ends
// the drag applies the offset. Nothing for a missing or empty list.
void dragSelection(CFigContext* context, FigObjectList* list, int x, int y);

// Whether the select tool's drag of `list` will move a picture of the
// objects (edit/draglayer.h) rather than redraw clones of them: then no
// clones need to be kept at its start.
bool dragMovesPicture(CFigContext* context, FigObjectList* list);
