// Grids and snapping of a document.

#include "model/figcontext.h"
#include "render/griddef.h"

double CFigContext::snapStep() const
{
    if (gridIndex <= 0 || gridIndex >= gridDefs.size())
        return 0.0;
    const GridDef* grid = gridDefs.at(gridIndex);
    const double step = metric ? grid->metricStep : grid->inchStep;
    switch (magnetMode) {
    case 0:
        return step / 10;
    case 1:
        return step / 5;
    case 2:
        return step / 4;
    case 3:
        return step / 2;
    default:
        return step;
    }
}
