#include "render/griddef.h"

#include "app/preferences.h"
#include "app/statusmessages.h"
#include "edit/canvashandlers.h"
#include "model/figcontext.h"
#include "model/figformat.h"
#include "model/figobject.h"
#include "model/figpoint.h"
#include "model/units.h"
#include "model/windowseam.h"
#include "render/canvaslines.h"

#include <QPainter>
#include <QPen>
#include <QtGlobal>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <utility>

QList<GridDef*> gridDefs;

namespace {

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
    , metricStep(this->step * figUnitsPerCentimetre)
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

bool isIsometricGrid(int index)
{
    return index >= 4 && index <= 6;
}

namespace {

// Isometric lattice columns lie step × cos 30° apart.
constexpr double cos30 = 0.86602540378443864676;

// The grid of an index, null for no grid (0) and for an index outside the list.
const GridDef* gridAt(int index)
{
    return index > 0 && index < gridDefs.size() ? gridDefs.at(index) : nullptr;
}

// The magnet mode divides the grid step into finer snap steps.
double magnetDivisor(int mode)
{
    switch (mode) {
    case 0:
        return 10;
    case 1:
        return 5;
    case 2:
        return 4;
    case 3:
        return 2;
    default:
        return 1;
    }
}

// A step that would make the snapping produce NaN (and so move points to 0)
// or the grid drawing loop without end is not used.
bool positiveFinite(double step)
{
    return std::isfinite(step) && step > 0;
}

// The nearest multiple of h (half-width l = h / 2), a value exactly half-way
// going away from zero.
double nearestMultiple(double v, double h, double l)
{
    const double r = std::fmod(v, h);
    if (std::fabs(r) < l)
        return v - r;
    return v >= 0 ? v - r + h : v - r - h;
}

// The remainder in [0, m): edges and scroll origins left of or above the
// origin measure their distance to the grid line below them, as those at 0
// and beyond do.
double positiveRemainder(double v, double m)
{
    double r = std::fmod(v, m);
    if (r < 0) {
        r += m;
        if (r >= m)
            r = 0; // a tiny negative remainder rounds up to m itself
    }
    return r;
}

// The chosen edges of the selection's bounds (edge codes: 1 left, 3 right,
// 2 top, 4 bottom, anything else 0). False when nothing of the current list
// is selected; the edges are then 0.
bool selectionEdges(CFigContext& context, int horizontalEdge, int verticalEdge, int& ex, int& ey)
{
    ex = ey = 0;
    const FigObjectList* list = context.objects();
    const bool any = list && std::any_of(list->begin(), list->end(), [](const FigObject* o) { return o->selected; });
    if (!any)
        return false;
    int xmin, ymin, xmax, ymax;
    context.getObjectListBounds(list, xmin, ymin, xmax, ymax, true, false, preferences.snapToGridUsingLineWidth);
    if (horizontalEdge == 1)
        ex = xmin;
    else if (horizontalEdge == 3)
        ex = xmax;
    if (verticalEdge == 2)
        ey = ymin;
    else if (verticalEdge == 4)
        ey = ymax;
    return true;
}

} // namespace

// ---- Snapping ----

double CFigContext::snapStep() const
{
    const GridDef* grid = gridAt(gridIndex);
    if (!grid)
        return 0;
    return (metric ? grid->metricStep : grid->inchStep) / magnetDivisor(magnetMode);
}

void CFigContext::snapToGrid(int* x, int* y)
{
    const GridDef* grid = gridAt(gridIndex);
    if (!x || !y || !grid || !(preferences.snapMode & 1))
        return;
    const double divisor = magnetDivisor(magnetMode);
    const double h = (metric ? grid->metricStep : grid->inchStep) / divisor;
    const double l = (metric ? grid->metricHalfStep : grid->inchHalfStep) / divisor;
    if (!positiveFinite(h) || !positiveFinite(l))
        return;
    double sx;
    double sy;
    if (isIsometricGrid(gridIndex)) {
        const double u = h * cos30;
        sx = nearestMultiple(*x, u, l * cos30);
        // The column number from the snapped x rounded to a whole number: the
        // quotient of a multiple of u by u may miss it by a hair, and a
        // fractional test would take an even column for an odd one.
        const double column = std::round(sx / u);
        const bool odd = std::fmod(std::fabs(column), 2.0) == 1.0;
        sy = odd ? nearestMultiple(double(*y) + l, h, l) - l : nearestMultiple(*y, h, l);
    } else {
        sx = nearestMultiple(*x, h, l);
        sy = nearestMultiple(*y, h, l);
    }
    *x = roundToInt(sx);
    *y = roundToInt(sy);
}

bool CFigContext::snapToVertex(int* x, int* y)
{
    if (!x || !y || !(preferences.snapMode & 2))
        return false;
    // Five screen pixels at the current zoom.
    const int tolerance = roundToInt(1200 / dpiX / zoom * 5);
    const FigPoint* vertex = findVertexNear(currentObject, tolerance, *x, *y);
    if (!vertex)
        return false;
    *x = vertex->x;
    *y = vertex->y;
    return true;
}

void CFigContext::snapSelectionToGrid(int horizontalEdge, int verticalEdge, int* x, int* y)
{
    if (!x || !y || !gridAt(gridIndex))
        return;
    if (horizontalEdge == 5 && verticalEdge == 5) {
        snapToGrid(x, y);
        return;
    }
    int ex;
    int ey;
    if (!selectionEdges(*this, horizontalEdge, verticalEdge, ex, ey)) {
        snapToGrid(x, y);
        return;
    }
    const double s = snapStep();
    if (!positiveFinite(s))
        return;
    const double sy = s;
    const double sx = isIsometricGrid(gridIndex) ? s * cos30 : s;

    const int ax = canvasAction.anchorX;
    const int ay = canvasAction.anchorY;
    int sax = ax;
    int say = ay;
    snapToGrid(&sax, &say);

    // Whole steps from the snapped anchor, half-way rounded away, plus what
    // takes the edge from where it lies to its nearest grid line.
    const double n = std::trunc(((*x > ax ? sx : -sx) / 2 + double(*x) - sax) / sx);
    const double r = positiveRemainder(ex, sx);
    const std::int64_t dx = roundToInt(n * sx - r + (r > sx / 2 ? sx : 0));

    const double m = std::trunc(((*y > ay ? sy : -sy) / 2 + double(*y) - say) / sy);
    const double q = positiveRemainder(ey, sy);
    const std::int64_t dy = roundToInt(roundToInt(q > sy / 2 ? sy - q : -q) + m * sy);

    *x = clampToInt(ax + dx);
    *y = clampToInt(ay + dy);
}

void CFigContext::gridOffsetForSelection(int horizontalEdge, int verticalEdge, int* dx, int* dy)
{
    int ex;
    int ey;
    selectionEdges(*this, horizontalEdge, verticalEdge, ex, ey);
    const double s = snapStep();
    if (!positiveFinite(s))
        return;
    const double sy = s;
    const double sx = isIsometricGrid(gridIndex) ? s * cos30 : s;
    const int dir = (horizontalEdge == 3 || verticalEdge == 4) ? 1 : -1;

    // An edge on a grid line already (within one Fig unit) goes a whole step.
    const double r = positiveRemainder(ex, sx);
    std::int64_t t = roundToInt(horizontalEdge == 3 ? sx - r : -r);
    if (std::abs(t) <= 1)
        t = std::int64_t(roundToInt(sx)) * dir;
    std::int64_t nx = ex + t;

    const double q = positiveRemainder(ey, sy);
    std::int64_t tv = roundToInt(verticalEdge == 4 ? sy - q : -q);
    if (std::abs(tv) <= 1)
        tv = std::int64_t(roundToInt(sy)) * dir;
    std::int64_t ny = ey + tv;

    // An edge is never moved past the positions a coordinate holds: that
    // direction then does not move at all.
    const bool xFits = nx == clampToInt(nx);
    const bool yFits = ny == clampToInt(ny);
    if (!isIsometricGrid(gridIndex)) {
        int snappedX = xFits ? int(nx) : ex;
        int snappedY = yFits ? int(ny) : ey;
        snapToGrid(&snappedX, &snappedY);
        nx = snappedX;
        ny = snappedY;
    }
    if (dx)
        *dx = xFits ? clampToInt(nx - ex) : 0;
    if (dy)
        *dy = yFits ? clampToInt(ny - ey) : 0;
}

// ---- Drawing ----

namespace {

// The Qt pen style of a grid; a stored value that names none draws solid.
Qt::PenStyle gridPenStyle(int style)
{
    return style >= Qt::NoPen && style <= Qt::DashDotDotLine ? static_cast<Qt::PenStyle>(style) : Qt::SolidLine;
}

// The grid in canvas pixels: how far apart its vertical lines (columns) and
// horizontal lines (rows) are, and its step down. An isometric grid has no
// rows: its columns are the step times cos 30 apart, and its other lines
// slant through the lattice. The step is in centimetres in a metric document.
struct GridSpacing {
    double columns = 0;
    double rows = 0;
    double step = 0;
};

// False when the step gives no positive number of pixels (nothing is drawn).
bool gridSpacing(const CFigContext& context, const GridDef& grid, GridSpacing& spacing)
{
    double px = double(grid.step) * context.zoom * context.dpiX;
    double py = double(grid.step) * context.zoom * context.dpiY;
    if (context.metric) {
        px /= 2.54;
        py /= 2.54;
    }
    if (!positiveFinite(px) || !positiveFinite(py))
        return false;
    spacing.step = py;
    if (isIsometricGrid(context.gridIndex)) {
        spacing.columns = py * cos30;
        spacing.rows = 0;
    } else {
        spacing.columns = px;
        spacing.rows = py;
    }
    return true;
}

// The canvas pixels the painter may still paint on: the document window
// (a window-less context: the painter's device) within the painter's clip.
QRect paintableCanvas(const CFigContext& context)
{
    QSize size;
    if (context.view)
        size = windowSeam().canvasSize(&context);
    else
        size = QSize(context.painter->device()->width(), context.painter->device()->height());
    QRect area(QPoint(0, 0), size);
    if (context.painter->hasClipping())
        area &= context.painter->clipBoundingRect().toAlignedRect();
    return area;
}

} // namespace

bool CFigContext::gridLeavesOutEdgeLine(bool columns, int origin) const
{
    const GridDef* grid = gridOn ? gridAt(gridIndex) : nullptr;
    GridSpacing spacing;
    if (!grid || !gridSpacing(*this, *grid, spacing) || gridPenStyle(grid->penStyle) == Qt::NoPen)
        return false;
    return CanvasLines::leavesOutEdgeLine(columns ? spacing.columns : spacing.rows, origin);
}

void CFigContext::drawGrid()
{
    const GridDef* grid = gridAt(gridIndex);
    if (!grid || !painter || !painter->isActive())
        return;
    GridSpacing spacing;
    if (!gridSpacing(*this, *grid, spacing))
        return;

    QPen pen(preferences.gridColor, 1, gridPenStyle(grid->penStyle), Qt::FlatCap);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->setRenderHint(QPainter::Antialiasing, false);

    CanvasLines lines(paintableCanvas(*this), QPoint(originX, originY), pen.style());
    lines.addColumns(spacing.columns);
    lines.addRows(spacing.rows);
    if (isIsometricGrid(gridIndex)) {
        // The slanted lines climb half a step per column, so that they meet
        // the columns at the lattice rows (half a step lower on odd columns):
        // the lattice point of column k and row j lies at
        // (k × c, j × step + k × step / 2) in drawing pixels.
        const double slope = (spacing.step / 2) / spacing.columns;
        lines.addSlanted(spacing.step, slope);
        lines.addSlanted(spacing.step, -slope);
    }
    lines.draw(painter);

    painter->setRenderHint(QPainter::Antialiasing, preferences.antialiasing);
}

// ---- Paper ----

void CFigContext::paperSizeCm(float* width, float* height) const
{
    float w = 0;
    float h = 0;
    if (paperIndex >= 0 && paperIndex < paperSizeCount) {
        // Whole centimetres: A4 is framed 21 x 30.
        const PaperSize& paper = paperSizes[paperIndex];
        w = float(roundToInt(float(paper.width) / 472.44095f));
        h = float(roundToInt(float(paper.height) / 472.44095f));
        if (landscape)
            std::swap(w, h);
    }
    if (width)
        *width = w;
    if (height)
        *height = h;
}

void CFigContext::paperSizeFigUnits(int* width, int* height) const
{
    int w = 0;
    int h = 0;
    if (paperIndex >= 0 && paperIndex < paperSizeCount) {
        w = paperSizes[paperIndex].width;
        h = paperSizes[paperIndex].height;
        if (landscape)
            std::swap(w, h);
    }
    if (width)
        *width = w;
    if (height)
        *height = h;
}

void CFigContext::drawPaperFrame()
{
    if (!showPaperFrame || !painter || !painter->isActive())
        return;
    float w;
    float h;
    paperSizeCm(&w, &h);
    const std::int64_t width = roundToInt(dpiX / 2.54 * w * zoom);
    const std::int64_t height = roundToInt(dpiY / 2.54 * h * zoom);
    // The page's corners on the canvas, in 64 bits: a far scroll origin must
    // not wrap around.
    const int left = clampToInt(-std::int64_t(originX));
    const int top = clampToInt(-std::int64_t(originY));
    const int right = clampToInt(width - originX);
    const int bottom = clampToInt(height - originY);

    const QPen pen(Qt::black, 1, Qt::DotLine, Qt::FlatCap);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->setRenderHint(QPainter::Antialiasing, false);
    // Each edge runs from one corner up to the next, that corner left to the
    // edge that starts there. The left and top edges lie off the canvas
    // unless the page is scrolled away from the canvas's corner.
    CanvasLines lines(paintableCanvas(*this), QPoint(originX, originY), pen.style());
    if (originX < 0)
        lines.addColumn(left, bottom, std::int64_t(top) + 1);
    if (originY < 0)
        lines.addRow(top, left, std::int64_t(right) - 1);
    lines.addRow(bottom, left, std::int64_t(right) - 1);
    lines.addColumn(right, bottom, std::int64_t(top) + 1);
    lines.draw(painter);
    painter->setRenderHint(QPainter::Antialiasing, preferences.antialiasing);
}

// ---- Status ----

void CFigContext::gridStatusText()
{
    const GridDef* grid = gridAt(gridIndex);
    QString text;
    if (!grid)
        text = QStringLiteral("No GRID");
    else if (gridIndex >= builtinGridCount)
        text = QStringLiteral("Custom grid with step size %1").arg(double(grid->step));
    else
        text = grid->statusTip.arg(metric ? QStringLiteral("centimeter") : QStringLiteral("inch"));
    showStatusMessage(text.toLatin1().constData());
}
