#include "edit/editobjects.h"

FigObjectList* clipboardObjects = nullptr;
QMap<int, QColor> clipboardUserColors;
FigObjectList editScratchList;
QPixmap* libraryPlacementPixmap = nullptr;
QPixmap* libraryPlacementBackground = nullptr;
