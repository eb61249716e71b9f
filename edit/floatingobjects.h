#pragma once
// The objects that follow the pointer in the copy and paste modes: clones in
// a document's current list, outside undo, until a click places them as one
// undo step. Only one gesture at a time holds such objects. Whatever would
// see the drawing with them (choosing another tool, saving, closing the
// document) takes them out first, so that they are never written, counted
// twice or left behind. The objects are counted per depth while they float
// (and uncounted when they leave), so that they are drawn at any depth.

#include "model/figobjectlist.h"

class CFigContext;

enum class FloatingKind { None, Copy, Paste };

// Records that the document's `selection` list holds floating objects, all
// of them added to `list` with CFigContext::addObject.
void setFloatingObjects(CFigContext* context, FigObjectList* list, FloatingKind kind);
// The document holding floating objects, or null.
CFigContext* floatingObjectsDocument();
FloatingKind floatingObjectsKind();
// Takes the floating objects of the document out of their list again
// (uncounted) without deleting them: the document's `selection` list keeps
// them. Forgets the record. False when the document holds none.
bool takeFloatingObjects(CFigContext* context);
// Takes them out and deletes them, the selection list and the preview, and
// redraws where the preview was (when `redraw` is set). Leaves the modes
// alone. With a null document, whichever document holds them.
void discardFloatingObjects(CFigContext* context, bool redraw = true);
// A right press would do this: the floating objects of the document are
// discarded and the copy mode waits for the next object, or the paste mode
// returns to the mode before it. Nothing when the document holds none.
void cancelFloatingObjects(CFigContext* context);
