#pragma once
// What editing keeps between gestures besides the mode state: the copied
// objects, the scratch list the editing operations hand to the redraw, and
// the two pixmaps of a shape-library clip placement. All belong to the GUI
// thread; the start-up frees whatever is left at exit.

#include "model/figobjectlist.h"

#include <QColor>
#include <QMap>

class QPixmap;

// The copied objects, owned through the list; null until the first copy or cut.
extern FigObjectList* clipboardObjects;
// The user colours the copied objects use, keyed as in the drawing they came
// from (colour number - 32): a paste brings them into the drawing it goes to.
extern QMap<int, QColor> clipboardUserColors;
// Objects an editing operation holds while an action runs; owned.
extern FigObjectList editScratchList;
// The clip drawn on a transparent pixmap, and the canvas under it; owned,
// null until the first placement.
extern QPixmap* libraryPlacementPixmap;
extern QPixmap* libraryPlacementBackground;
