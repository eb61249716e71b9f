#include "render/griddef.h"

#include <QtGlobal>

#include <cmath>

QList<GridDef*> gridDefs;

namespace {

// Fig units per centimetre and per inch.
constexpr double figUnitsPerCm = 472.440944;
constexpr double figUnitsPerInch = 1200;

// A step that is not a positive finite number would make the grid drawing
// and snapping loop endlessly or divide by zero; it is taken as 1 like a
// step of 0.
float usableStep(float step)
{
    return (std::isfinite(step) && step > 0) ? step : 1.0f;
}

} // namespace

GridDef::GridDef(
    const QString& name, const QString& statusTip, float step, const QColor& color, int penStyle, const QString& icon)
    : name(name)
    , statusTip(statusTip)
    , color(color)
    , penStyle(penStyle)
    , icon(icon)
    , step(usableStep(step))
    , metricStep(this->step * figUnitsPerCm)
    , inchStep(this->step * figUnitsPerInch)
    , metricHalfStep(metricStep / 2)
    , inchHalfStep(inchStep / 2)
{
}

void createBuiltinGrids()
{
    const QColor gridGrey(220, 220, 220);
    const int dotLine = Qt::DotLine;
    gridDefs.append(new GridDef("None", "Grid is off", 0, gridGrey, dotLine, ":/grid/images/grid/grid_none.png"));
    gridDefs.append(new GridDef("Small", "Half %1 GRID", 0.5f, gridGrey, dotLine, ":/grid/images/grid/grid_small.png"));
    gridDefs.append(new GridDef("Medium", "One %1 GRID", 1, gridGrey, dotLine, ":/grid/images/grid/grid_medium.png"));
    gridDefs.append(new GridDef("Large", "Two %1 GRID", 2, gridGrey, dotLine, ":/grid/images/grid/grid_large.png"));
    gridDefs.append(new GridDef(
        "Small isometric", "Half %1 GRID", 0.5f, gridGrey, dotLine, ":/grid/images/grid/grid_iso_small.png"));
    gridDefs.append(
        new GridDef("Medium isometric", "One %1 GRID", 1, gridGrey, dotLine, ":/grid/images/grid/grid_iso_medium.png"));
    gridDefs.append(
        new GridDef("Large isometric", "Two %1 GRID", 2, gridGrey, dotLine, ":/grid/images/grid/grid_iso_large.png"));
}

void deleteGridDefs()
{
    qDeleteAll(gridDefs);
    gridDefs.clear();
}
