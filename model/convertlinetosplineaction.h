#pragma once
// Undoable conversion of a polyline (sub-type 1 or 3) into a spline.

#include "model/conversionaction.h"

class FigLine;

class ConvertLineToSplineAction : public ConversionAction {
public:
    ConvertLineToSplineAction(FigObjectList* ownerList, FigLine* source);

protected:
    FigObject* convert(CFigContext* context) override;
};
