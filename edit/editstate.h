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
