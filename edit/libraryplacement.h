#pragma once
// Placing a shape-library clip with the mouse: a picture of the clip follows
// the pointer over the document's canvas until a left press places copies of
// its objects there as one undo step, or a right press drops them. Only one
// placement runs at a time, in one document; it owns the copies until they
// are placed and a copy of the clip's user colours, so the library may drop
// its clip meanwhile.

class CFigContext;

// The canvas handlers of a placement (document, x, y in Fig units).
void libraryPlacementFirstMove(CFigContext* context, int x, int y);
void libraryPlacementMove(CFigContext* context, int x, int y);
// Left press: places the copies at the last pointer position, then the
// previous edit mode returns.
void placeLibraryClip(CFigContext* context, int x, int y);
// Right press: drops the copies, then the previous edit mode returns.
void cancelLibraryPlacement(CFigContext* context, int x, int y);

// The document in which a clip follows the pointer, or null.
CFigContext* libraryPlacementDocument();
// Ends a placement in progress without placing anything: the picture is
// taken off the canvas, the copies are uncounted and freed, the canvas
// action ends. The edit mode is left to the caller (another tool is being
// chosen). Nothing when no placement runs.
void dropLibraryPlacement();
// The same followed by the return to the previous edit mode (the document is
// being saved or closed).
void abandonLibraryPlacement();
// The document goes away: a placement in it ends without touching it again.
void forgetLibraryPlacement(const CFigContext* context);
