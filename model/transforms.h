#pragma once
// The per-kind geometric transforms that work without a document context:
// mirroring, turning, scaling and moving objects in place, and the uniform
// rescaling of a whole list. The undo actions call them for their subject and
// again with inverse arguments; the Fig reader uses the uniform rescaling.
//
// Conventions: coordinates are ints in Fig units, y down, rounded with
// roundToInt. A mirror axis 1 mirrors about the horizontal line through the
// centre (y changes), 2 about the vertical one (x changes); other values
// change nothing. A rotation angle is whole degrees, positive clockwise on the
// screen. Scale factors are floats about an int centre, computed in single
// precision. Points whose smart link is pinned stay put when moved or scaled.

#include "model/figobjectlist.h"

class FigArc;
class FigCompound;
class FigEllipse;
class FigLine;
class FigObject;
struct FigArrow;

// Ellipses and polylines get the drawing's top-level list (compounds inside
// it searched too), where the points of other objects linked to them live.
void flipEllipse(FigObjectList* drawingList, FigEllipse* ellipse, int cx, int cy, int axis);
void flipLine(FigObjectList* drawingList, FigLine* line, int cx, int cy, int axis);
void rotateEllipse(FigObjectList* drawingList, FigEllipse* ellipse, int cx, int cy, int angle);
void rotateLine(FigObjectList* drawingList, FigLine* line, int cx, int cy, int angle);

// Scales the points, then puts the centre on the circle through them; when
// the scaled points allow none, the scaled old centre is kept.
void scaleArc(FigArc* arc, float sx, float sy, int cx, int cy);

// v' = roundToInt(v * factor + offset) in single precision for every
// coordinate; radii are scaled without the offset. Widths, radii of corners,
// angles and sub-types stay.
void scaleObjectListUniform(const FigObjectList* list, float factor, int offset);
void scaleCompoundUniform(FigCompound* compound, float factor, int offset);
void scaleArrowUniform(FigArrow* arrow, float factor, int offset);

// Moves an object by kind; a null object or one of no Fig kind stays.
void translateObject(FigObject* object, int dx, int dy);
void translateCompound(FigCompound* compound, int dx, int dy);
void translateObjectList(const FigObjectList* list, int dx, int dy);
