// The measurement panel's texts: where the pointer is, in canvas pixels and in
// the document's unit, and the measures of the gesture under way, which
// depend on the edit mode (a segment's length, a box's sides, a circle's
// radius and diameter, an ellipse's radii or diameters, the distances of a
// dragged polyline point to its neighbours or the sides of a box whose corner
// is dragged).

#include "edit/coordinatetexts.h"

#include "edit/canvashandlers.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "edit/pointmove.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/figpoint.h"
#include "model/units.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

double lengthUnitInFigUnits(bool metric)
{
    return metric ? figUnitsPerCentimetre : double(figUnitsPerInch);
}

QString lengthUnitText(bool metric)
{
    return metric ? QStringLiteral("cm") : QStringLiteral("in");
}

QString formatLength(const char* format, double figUnits, bool metric)
{
    return QString::asprintf(
        format, figUnits / lengthUnitInFigUnits(metric), lengthUnitText(metric).toLatin1().constData());
}

namespace {

// "X=%3d pt": the canvas pixel at the zoom, without the scroll origin.
QString pixelText(char axis, int value, float zoom, float dpi)
{
    const int pixel = roundToInt(double(value) * zoom * dpi / figUnitsPerInch);
    return QString::asprintf("%c=%3d pt", axis, pixel);
}

// "X=%2d.%02d %s": hundredths of the unit in integer arithmetic. A negative
// position keeps its sign in front instead of on both parts.
QString unitText(char axis, int value, bool metric)
{
    const std::int64_t hundredths = roundToInt(double(value) * 100.0 / lengthUnitInFigUnits(metric));
    const QByteArray unit = lengthUnitText(metric).toLatin1();
    if (hundredths < 0) {
        const std::int64_t magnitude = -hundredths;
        return QString::asprintf("%c=-%lld.%02lld %s", axis, static_cast<long long>(magnitude / 100),
            static_cast<long long>(magnitude % 100), unit.constData());
    }
    return QString::asprintf("%c=%2d.%02d %s", axis, int(hundredths / 100), int(hundredths % 100), unit.constData());
}

// The distance of two points in single precision, the differences taken in
// 64 bits so that far points do not wrap.
float distance(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2)
{
    const auto dx = float(x2 - x1);
    const auto dy = float(y2 - y1);
    return std::sqrt(dx * dx + dy * dy);
}

// A point of a polyline or polygon dragged or added between its neighbours:
// the distance to each, shown on the side where the neighbour lies.
void neighbourMeasures(int x, int y, bool metric, QString& measure1, QString& measure2)
{
    const FigPoint* prev = movingPointPrev;
    const FigPoint* next = movingPointNext;
    if (prev) {
        const float d = distance(prev->x, prev->y, x, y);
        if (next && prev->x >= next->x)
            measure2 = formatLength("right=%5.2f %s", d, metric);
        else
            measure1 = formatLength("left=%5.2f %s", d, metric);
    }
    if (next) {
        const float d = distance(next->x, next->y, x, y);
        if (prev && next->x < prev->x)
            measure1 = formatLength("left%5.2f %s", d, metric);
        else
            measure2 = formatLength("right=%5.2f %s", d, metric);
    }
}

// A corner of a box, rounded box or picture dragged from the anchor: its
// sides as they would be, signed.
void boxCornerMeasures(const FigLine* box, int x, int y, bool metric, QString& measure1, QString& measure2)
{
    const std::int64_t width = box->boxWidth();
    const std::int64_t height = box->boxHeight();
    const std::int64_t ax = canvasAction.anchorX;
    const std::int64_t ay = canvasAction.anchorY;
    std::int64_t w = 0;
    std::int64_t h = 0;
    if (movingPoint == box->upperLeftCorner()) {
        w = width + ax - x;
        h = height + ay - y;
    }
    if (movingPoint == box->upperRightCorner()) {
        w = width + x - ax;
        h = height + ay - y;
    }
    if (movingPoint == box->lowerLeftCorner()) {
        w = width + ax - x;
        h = height + y - ay;
    }
    if (movingPoint == box->lowerRightCorner()) {
        w = width + x - ax;
        h = height + y - ay;
    }
    measure1 = formatLength("w=%5.2f %s", double(w), metric);
    measure2 = formatLength("h=%5.2f %s", double(h), metric);
}

void pointMoveMeasures(CFigContext* context, int x, int y, QString& measure1, QString& measure2)
{
    const FigObject* current = context->currentObject;
    if (!current || current->type != FigObject::Polyline || !movingPoint)
        return;
    const auto* line = static_cast<const FigLine*>(current);
    switch (line->subType) {
    case 1:
    case 3:
        neighbourMeasures(x, y, context->metric, measure1, measure2);
        break;
    case 2:
    case 4:
    case 5:
        boxCornerMeasures(line, x, y, context->metric, measure1, measure2);
        break;
    default:
        break;
    }
}

// What each mode measures while its gesture runs; modes not listed
// measure nothing.
enum class Measure { SegmentLength, BoxSides, CircleByRadius, CircleByDiameter, EllipseRadii, EllipseDiameters,
    PointNeighbours };

struct ModeMeasure {
    int mode;
    Measure measure;
};

// clang-format off
const ModeMeasure modeMeasures[] = {
    { EditMode::Cbr, Measure::CircleByRadius },
    { EditMode::Cbd, Measure::CircleByDiameter },
    { EditMode::Ebr, Measure::EllipseRadii },
    { EditMode::Ebd, Measure::EllipseDiameters },
    { EditMode::Polyline, Measure::SegmentLength },
    { EditMode::Box, Measure::BoxSides },
    { EditMode::Spline, Measure::SegmentLength },
    { EditMode::ClosedSpline, Measure::SegmentLength },
    { EditMode::IntSpline, Measure::SegmentLength },
    { EditMode::ClosedIntSpline, Measure::SegmentLength },
    { EditMode::Picture, Measure::BoxSides },
    { EditMode::MovePoint, Measure::PointNeighbours },
    { EditMode::AddPoint, Measure::PointNeighbours },
};
// clang-format on

const ModeMeasure* measureOfMode(int mode)
{
    for (const ModeMeasure& entry : modeMeasures) {
        if (entry.mode == mode)
            return &entry;
    }
    return nullptr;
}

} // namespace

void CFigContext::formatCoordinateTexts(int x, int y, QString* xPixels, QString* xUnits, QString* yPixels,
    QString* yUnits, QString* measure1, QString* measure2)
{
    if (!xPixels || !xUnits || !yPixels || !yUnits || !measure1 || !measure2)
        return;
    *xPixels = pixelText('X', x, zoom, dpiX);
    *xUnits = unitText('X', x, metric);
    *yPixels = pixelText('Y', y, zoom, dpiY);
    *yUnits = unitText('Y', y, metric);
    const ModeMeasure* entry = measureOfMode(editMode);
    if (!canvasAction.actionInProgress || !entry)
        return;

    const std::int64_t lx = canvasAction.lastClickPoint.x;
    const std::int64_t ly = canvasAction.lastClickPoint.y;
    const double d = distance(lx, ly, x, y);
    const auto across = double(std::llabs(lx - x));
    const auto down = double(std::llabs(ly - y));
    switch (entry->measure) {
    case Measure::SegmentLength:
        *measure2 = formatLength("l=%5.2f %s", d, metric);
        break;
    case Measure::BoxSides:
        *measure1 = formatLength("w=%5.2f %s", across, metric);
        *measure2 = formatLength("h=%5.2f %s", down, metric);
        break;
    case Measure::CircleByRadius:
        *measure1 = formatLength("r=%5.2f %s", d, metric);
        *measure2 = formatLength("d=%5.2f %s", 2.0 * d, metric);
        break;
    case Measure::CircleByDiameter:
        *measure1 = formatLength("r=%5.2f %s", d / 2.0, metric);
        *measure2 = formatLength("d=%5.2f %s", d, metric);
        break;
    case Measure::EllipseRadii:
        *measure1 = formatLength("r1=%5.2f %s", across, metric);
        *measure2 = formatLength("r2=%5.2f %s", down, metric);
        break;
    case Measure::EllipseDiameters:
        *measure1 = formatLength("d1=%5.2f %s", across, metric);
        *measure2 = formatLength("d2=%5.2f %s", down, metric);
        break;
    case Measure::PointNeighbours:
        pointMoveMeasures(this, x, y, *measure1, *measure2);
        break;
    }
}
