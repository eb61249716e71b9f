// Arrow records with corrected values and the conversions between polylines
// and splines (members of CFigContext).

#include "app/statusmessages.h"
#include "model/depths.h"
#include "model/figarrow.h"
#include "model/figcontext.h"
#include "model/figformat.h"
#include "model/figline.h"
#include "model/figpoint.h"
#include "model/figspline.h"
#include "toolbars/drawingattributes.h"

#include <memory>
#include <new>

namespace {

// The attributes a conversion carries over; identifier, sub-type, join
// style, shape factors and the comment are the conversion's own business.
void copyConvertedAttributes(FigObject& to, const FigObject& from)
{
    to.lineStyle = from.lineStyle;
    to.lineWidth = from.lineWidth;
    to.penColor = from.penColor;
    to.fillColor = from.fillColor;
    to.depth = from.depth;
    to.styleVal = from.styleVal;
    to.penStyle = from.penStyle;
    to.fillStyle = from.fillStyle;
}

// Copies of both arrow records; throws std::bad_alloc.
void copyArrows(FigObject& to, const FigObject& from)
{
    if (from.forwArrow)
        to.forwArrow = new FigArrow(*from.forwArrow);
    if (from.backArrow)
        to.backArrow = new FigArrow(*from.backArrow);
}

} // namespace

FigArrow* CFigContext::createArrow(int type, int style, float thickness, float width, float height)
{
    auto* arrow = new (std::nothrow) FigArrow;
    if (!arrow)
        return nullptr;
    if (type > 15) {
        type = 0;
        style = 0;
    } else if (style > 1) {
        style = 0;
    }
    // Written as "not inside the range" so that NaN is replaced too.
    if (!(thickness > 0 && thickness <= 10 * dpiX))
        thickness = currentAttrs.arrowThickness;
    if (!(width > 0))
        width = currentAttrs.arrowWidth;
    if (!(height >= 0 && height <= 50 * dpiX))
        height = currentAttrs.arrowHeight;
    arrow->type = type;
    arrow->style = style;
    arrow->thickness = thickness;
    arrow->width = width;
    arrow->height = height;
    return arrow;
}

FigSpline* CFigContext::convertLineToSpline(const FigLine* line)
{
    if (!line)
        return nullptr;
    if (countPoints(line->points) < 3) {
        showStatusMessage("Not enough points for a spline!");
        return nullptr;
    }
    const bool polygon = line->subType == 3;
    std::unique_ptr<FigSpline> spline;
    try {
        // The same identifier keeps the links of other lines to it valid.
        spline = std::make_unique<FigSpline>(line->id);
        if (line->formerSubType != -1)
            spline->subType = line->formerSubType;
        else
            spline->subType = polygon ? 3 : 2;
        copyConvertedAttributes(*spline, *line);
        spline->capStyle = line->capStyle;
        copyArrows(*spline, *line);
    } catch (const std::bad_alloc&) {
        showStatusMessage("Running out of memory.");
        return nullptr;
    }
    // A polygon's chain ends with a copy of its first point: start after it.
    const FigPoint* from = polygon ? line->points->next : line->points;
    // A closed spline needs three points of its own; a polygon of two
    // corners (three chain points) would give one that no file keeps.
    if (countPoints(from) < minimumSplinePoints(spline->subType)) {
        showStatusMessage("Not enough points for a spline!");
        return nullptr;
    }
    spline->points = from->cloneList(true);
    if (!spline->points || !spline->initShapeFactors()) {
        showStatusMessage("Running out of memory.");
        return nullptr;
    }
    return spline.release();
}

FigLine* CFigContext::convertSplineToLine(const FigSpline* spline)
{
    if (!spline)
        return nullptr;
    const bool closed = spline->subType % 2 != 0;
    std::unique_ptr<FigLine> line;
    try {
        line = std::make_unique<FigLine>(spline->id);
        line->formerSubType = spline->subType;
        line->subType = closed ? 3 : 1;
        line->radius = 7;
        copyConvertedAttributes(*line, *spline);
        line->capStyle = spline->capStyle;
        line->joinStyle = currentAttrs.joinStyle;
        copyArrows(*line, *spline);
        if (spline->points) {
            FigPoint* chain = spline->points->cloneList(true);
            if (!chain)
                throw std::bad_alloc();
            if (closed) {
                // A polygon repeats its first point at the end: put the
                // spline's last point in front, unlinked.
                const FigPoint* last = lastPoint(spline->points);
                auto* first = new (std::nothrow) FigPoint(last->x, last->y);
                if (!first) {
                    line->points = chain; // freed with the line
                    throw std::bad_alloc();
                }
                first->next = chain;
                chain = first;
            }
            line->points = chain;
        }
    } catch (const std::bad_alloc&) {
        showStatusMessage("Running out of memory.");
        return nullptr;
    }
    return line.release();
}
