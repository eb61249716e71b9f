#pragma once
// The marker images: one cached pixmap per marker kind, loaded from the
// built-in resources on first use and freed at exit. The markers themselves
// are drawn by CFigContext members (render/markers.cpp).

class FigCompound;
class QPixmap;

// Marker kinds, indexes into markerPixmaps.
enum MarkerKind : int {
    MarkerNormal = 0, // a point of a marked object that is not selected
    MarkerSelected, // a point of a selected object
    MarkerHighlighted, // a point whose marker state is 3
    MarkerLinked, // a point that carries a smart link
    MarkerCompound, // a box handle of a compound that is not selected
    MarkerCompoundSelected, // a box handle of a selected compound
    markerKindCount
};

// Owned pixmaps (null until loaded); an image that cannot be read leaves an
// empty pixmap, which draws nothing.
extern QPixmap* markerPixmaps[markerKindCount];

// Loads every marker pixmap that is not loaded yet.
void loadMarkerPixmaps();
// Deletes the cached pixmaps; a later load reads them again.
void releaseMarkerPixmaps();

// The eight box handles of a compound in Fig units, clockwise from the
// upper-left corner: corner, middle of the top edge, corner, middle of the
// right edge, and so on; a middle is a + (b - a) / 2, truncated.
void compoundBoxHandles(const FigCompound* compound, int handles[8][2]);
