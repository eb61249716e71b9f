#include "edit/editobjects.h"

FigObjectList* clipboardObjects = nullptr;
FigObjectList editScratchList;
QPixmap* libraryPlacementPixmap = nullptr;
QPixmap* libraryPlacementBackground = nullptr;
