#pragma once
// Undoable conversion of a spline into a polyline (a polygon when closed).

#include "model/conversionaction.h"

class FigSpline;

class ConvertSplineToLineAction : public ConversionAction {
public:
    ConvertSplineToLineAction(FigObjectList* ownerList, FigSpline* source);

protected:
    FigObject* convert(CFigContext* context) override;
};
