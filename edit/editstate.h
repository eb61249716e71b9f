#pragma once
// The program-wide editing state besides the handler table: the current and
// the previous edit mode, the centre of rotating and flipping, the point being
// dragged and whether all markers are shown. Owns nothing.

class FigPoint;

// The current edit mode number (EditMode), -1 before the first choice.
extern int editMode;
// The mode to return to after a paste or a library clip placement.
extern int previousEditMode;

struct TransformCenter {
    bool isSet = false;
    int x = 0; // Fig units
    int y = 0;
};

extern TransformCenter transformCenter;

// The object point dragged by the point-moving and point-adding modes; not
// owned.
extern FigPoint* movingPoint;

// The markers of all objects of the current list are shown.
extern bool allMarkersShown;

// Whether Shift and Ctrl are held, as seen by the last key event of a
// document window. While the pointer moves, Ctrl keeps its row and Shift its
// column; the flip, rotate and select modes read them too.
extern bool shiftKeyDown;
extern bool ctrlKeyDown;

// Which edges of the selection snap to the grid while it is dragged, set by
// the select mode when a drag starts: x 1 left, 3 right, 5 the pointer
// itself; y 2 top, 4 bottom, 5 the pointer itself.
extern int dragSnapEdgeX;
extern int dragSnapEdgeY;

// The drawing constraints of the creation modes; 0 off.
struct ConstraintModes {
    int manhattan = 0;
    int mountain = 0;
    int latexLine = 0;
    int latexArrow = 0;
};

extern ConstraintModes constraintModes;

// Sets the four constraint flags to 0.
void clearLineConstraints();

// How the selection is aligned: 0 none, 1 left or top, 2 centre, 3 right or
// bottom.
struct AlignMode {
    int horizontal = 0;
    int vertical = 0;
};

extern AlignMode alignMode;
