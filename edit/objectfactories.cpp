// The factories of new shapes: every creation mode and every drawing script
// builds its objects here, from the current drawing attributes and the
// document's own colours and area fill.

#include "edit/objectfactories.h"

#include "edit/linemode.h"
#include "model/depths.h"
#include "model/figarc.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figformat.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/objectlist.h"
#include "model/picturedata.h"
#include "model/planegeometry.h"
#include "model/units.h"
#include "toolbars/drawingattributes.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <memory>
#include <new>

FigPoint arcPoints[3];

namespace {

constexpr double pi = 3.14159265358979323846;

// centre + roundToInt(offset), kept within the int range.
int offsetCoordinate(int centre, double offset)
{
    const std::int64_t v = static_cast<std::int64_t>(centre) + roundToInt(offset);
    return v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : static_cast<int>(v));
}

// The style value of a new object: the attribute is given per line width.
float newStyleValue()
{
    // Attributes taken from a file's object may go beyond what the pages
    // offer; the product is kept to what the format's converters accept.
    const double value = (currentAttrs.lineWidth + 1.0) * static_cast<double>(currentAttrs.styleVal) * 0.5;
    return static_cast<float>(convertibleStyleValue(value));
}

// The colours and area fill every new object takes from its document.
void takeDocumentColors(const CFigContext* context, FigObject* object)
{
    object->penColor = context->penColor;
    object->fillColor = context->fillColor;
    object->fillStyle = context->fillStyle;
}

// Line style, width, style value and depth from the current attributes,
// pen style 0.
void takeLineAttributes(FigObject* object)
{
    object->lineStyle = currentAttrs.lineStyle;
    object->lineWidth = currentAttrs.lineWidth;
    object->depth = currentAttrs.depth;
    object->penStyle = 0;
    object->styleVal = newStyleValue();
}

} // namespace

FigLine* CFigContext::createPolygonLine()
{
    FigLine* line = createLine(3, nullptr);
    if (line)
        line->penStyle = -1;
    return line;
}

FigLine* CFigContext::createBox()
{
    FigLine* box = createLine(currentAttrs.boxType, nullptr);
    if (box)
        box->radius = currentAttrs.boxCornerRadius;
    return box;
}

FigLine* CFigContext::createPicture()
{
    auto picture = std::unique_ptr<FigLine>(new (std::nothrow) FigLine(nextObjectId()));
    auto* data = new (std::nothrow) PictureData;
    if (!picture || !data) {
        delete data;
        return nullptr;
    }
    data->fileName = QStringLiteral("<empty>");
    picture->picture = data;
    picture->subType = 5;
    picture->lineStyle = 0;
    picture->lineWidth = 0;
    picture->penStyle = 0;
    picture->styleVal = 0.0f;
    picture->capStyle = 0;
    picture->joinStyle = 0;
    picture->radius = 0;
    picture->penColor = penColor;
    picture->fillColor = fillColor;
    picture->fillStyle = -1;
    picture->depth = currentAttrs.depth;
    return picture.release();
}

FigSpline* CFigContext::createSpline(int subType, FigPoint* chain)
{
    auto* spline = new (std::nothrow) FigSpline(nextObjectId());
    if (!spline)
        return nullptr;
    spline->subType = subType;
    takeLineAttributes(spline);
    takeDocumentColors(this, spline);
    spline->capStyle = currentAttrs.capStyle;
    spline->points = chain;
    // Too few points for its kind (a script's closed spline through two
    // points): the last one is repeated, as the spline modes do.
    FigPoint* last = chain ? lastPoint(chain) : nullptr;
    for (int n = countPoints(chain); last && n < minimumSplinePoints(subType); ++n) {
        FigPoint* tail = last;
        appendChainPoint(last->x, last->y, tail);
        if (tail == last)
            break; // no memory: the writer repeats the point instead
        last = tail;
    }
    return spline;
}

FigEllipse* CFigContext::createEllipse()
{
    auto* ellipse = new (std::nothrow) FigEllipse(nextObjectId());
    if (!ellipse)
        return nullptr;
    takeLineAttributes(ellipse);
    takeDocumentColors(this, ellipse);
    ellipse->direction = 1;
    return ellipse;
}

FigArc* CFigContext::createArc()
{
    auto arc = std::unique_ptr<FigArc>(new (std::nothrow) FigArc(nextObjectId()));
    if (!arc)
        return nullptr;
    arc->subType = currentAttrs.arcType;
    takeLineAttributes(arc.get());
    takeDocumentColors(this, arc.get());
    arc->capStyle = currentAttrs.capStyle;
    arc->direction = arcDirection(
        arcPoints[0].x, arcPoints[0].y, arcPoints[1].x, arcPoints[1].y, arcPoints[2].x, arcPoints[2].y);
    if (!addCurrentArrows(arc.get()))
        return nullptr;
    return arc.release();
}

FigText* CFigContext::createText(const QString& string, int x, int y)
{
    auto* text = new (std::nothrow) FigText(nextObjectId());
    if (!text)
        return nullptr;
    const DrawingAttributes& a = currentAttrs;
    text->text = string;
    text->subType = a.textAlign;
    text->font = (a.textFlags & 4) ? a.psFont : a.latexFont;
    text->fontSize = a.fontSize;
    text->angle = a.textAngle;
    text->fontFlags = a.textFlags;
    text->depth = a.depth;
    text->color = penColor;
    // A text has no pen or fill colour of its own.
    text->penColor = -1;
    text->fillColor = -1;
    text->penStyle = 0;
    text->x = x;
    text->y = y;
    computeTextMetrics(text, zoom);
    return text;
}

FigPoint* regularPolygonPoints(int cx, int cy, double radius, double startAngle)
{
    const int n = currentAttrs.numSides;
    if (n < 1)
        return nullptr;
    FigPoint* head = nullptr;
    FigPoint* tail = nullptr;
    for (int i = 0; i < n; ++i) {
        double a = startAngle + i * 2 * pi / n;
        if (a < 0)
            a += 2 * pi;
        FigPoint* before = tail;
        appendChainPoint(offsetCoordinate(cx, radius * std::cos(a)), offsetCoordinate(cy, radius * std::sin(a)), tail);
        if (tail == before) {
            freePointList(head);
            return nullptr;
        }
        if (!head)
            head = tail;
    }
    FigPoint* before = tail;
    appendChainPoint(head->x, head->y, tail);
    if (tail == before) {
        freePointList(head);
        return nullptr;
    }
    return head;
}
