#include "edit/editstate.h"

int editMode = -1;
int previousEditMode = -1;
TransformCenter transformCenter;
FigPoint* movingPoint = nullptr;
bool allMarkersShown = false;
bool shiftKeyDown = false;
bool ctrlKeyDown = false;
int dragSnapEdgeX = 5;
int dragSnapEdgeY = 5;
ConstraintModes constraintModes;
AlignMode alignMode;

void clearLineConstraints()
{
    constraintModes = ConstraintModes();
}
