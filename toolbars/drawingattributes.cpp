#include "toolbars/drawingattributes.h"

DrawingAttributes currentAttrs;
