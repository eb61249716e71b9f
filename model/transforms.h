#pragma once
// Geometric transforms of drawing objects in place. So far the operations
// that reading files and placing lists need: translating objects and lists,
// and the uniform rescaling of a whole list to another resolution. A point
// whose smart link is pinned stays where it is when its line is translated.

#include "model/figobjectlist.h"

class FigCompound;
class FigObject;
struct FigArrow;

// Moves one object by kind (null and unknown kinds are left alone).
void translateObject(FigObject* object, int dx, int dy);
// Moves the corners and every member.
void translateCompound(FigCompound* compound, int dx, int dy);
void translateObjectList(const FigObjectList* list, int dx, int dy);

// Every position p of every object of the list becomes
// roundToInt(p * factor + offset), computed in single precision; ellipse
// radii are scaled without the offset. Line widths, arrow thicknesses,
// corner radii, font sizes, angles and sub-types stay.
void scaleObjectListUniform(const FigObjectList* list, float factor, float offset);
void scaleCompoundUniform(FigCompound* compound, float factor, float offset);
// Width and height of an arrowhead, with the offset; null is left alone.
void scaleArrowUniform(FigArrow* arrow, float factor, float offset);
