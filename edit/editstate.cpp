#include "edit/editstate.h"

int editMode = -1;
int previousEditMode = -1;
TransformCenter transformCenter;
FigPoint* movingPoint = nullptr;
bool allMarkersShown = false;
