#include "model/figobject.h"

#include "model/figarrow.h"

FigObject::~FigObject()
{
    delete forwArrow;
    delete backArrow;
}

FigObject* FigObject::clone() const
{
    return nullptr;
}

void FigObject::getBounds(CFigContext*, int& xmin, int& ymin, int& xmax, int& ymax, bool, bool)
{
    xmin = ymin = xmax = ymax = 0;
}

void FigObject::copyAttributes(const FigObject& other)
{
    selected = other.selected;
    markerState = other.markerState;
    skipRedraw = other.skipRedraw;
    formerSubType = other.formerSubType;
    type = other.type;
    id = other.id;
    subType = other.subType;
    lineStyle = other.lineStyle;
    lineWidth = other.lineWidth;
    penColor = other.penColor;
    fillColor = other.fillColor;
    fillStyle = other.fillStyle;
    depth = other.depth;
    penStyle = other.penStyle;
    styleVal = other.styleVal;
    comment = other.comment;
}

void FigObject::cloneArrowsInto(FigObject& copy) const
{
    if (forwArrow)
        copy.forwArrow = new FigArrow(*forwArrow);
    if (backArrow)
        copy.backArrow = new FigArrow(*backArrow);
}
