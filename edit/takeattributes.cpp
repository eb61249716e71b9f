// Taking an object's attributes as the current ones, when it is shown in the
// attribute tool bars: the pages then show its values and the next object
// drawn looks like it.
#include "edit/takeattributes.h"

#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "toolbars/drawingattributes.h"

namespace {

// The style value as the pages show it: independent of the line width.
float normalisedStyleVal(const FigObject* object)
{
    return static_cast<float>(static_cast<double>(object->styleVal) * 2.0 / (object->lineWidth + 1));
}

// Depth and line of every kind but texts.
void takeLineAttributes(const FigObject* object)
{
    currentAttrs.depth = object->depth;
    currentAttrs.lineWidth = object->lineWidth;
    currentAttrs.lineStyle = object->lineStyle;
    // A line width of -1 has no base value to show; the stored one stays.
    if (object->lineWidth + 1 != 0)
        currentAttrs.styleVal = normalisedStyleVal(object);
}

void takeBackwardArrow(const FigObject* object)
{
    currentAttrs.backArrowOn = object->backArrow != nullptr;
    if (object->backArrow)
        currentAttrs.backArrow = arrowKindOf(object->backArrow);
}

void takeArrowSizes(const FigArrow* arrow, int lineWidth)
{
    const auto width = static_cast<float>(lineWidth);
    currentAttrs.arrowThickness = arrow->thickness;
    currentAttrs.arrowWidth = arrow->width;
    currentAttrs.arrowHeight = arrow->height;
    currentAttrs.arrowThicknessRel = arrow->thickness / width;
    currentAttrs.arrowWidthRel = arrow->width / width;
    currentAttrs.arrowHeightRel = arrow->height / width;
}

void takeColors(CFigContext* context, const FigObject* object)
{
    context->penColor = object->penColor;
    context->fillColor = object->fillColor;
    context->fillStyle = object->fillStyle;
}

} // namespace

int arrowTypeOfKind(int kind)
{
    return (kind + 1) / 2;
}

int arrowStyleOfKind(int kind)
{
    return kind == 0 ? 0 : (kind + 1) % 2;
}

int arrowKindOf(const FigArrow* arrow)
{
    return arrow->type == 0 ? 0 : 2 * arrow->type + arrow->style - 1;
}

void takeArrowAttributes(const FigObject* object)
{
    if (!object)
        return;
    currentAttrs.forwArrowOn = object->forwArrow != nullptr;
    if (object->forwArrow)
        currentAttrs.forwArrow = arrowKindOf(object->forwArrow);
    // Sizes relative to a zero width mean nothing: the current ones stay.
    if (object->lineWidth == 0)
        return;
    if (object->forwArrow)
        takeArrowSizes(object->forwArrow, object->lineWidth);
    if (object->backArrow)
        takeArrowSizes(object->backArrow, object->lineWidth);
}

void CFigContext::takeArcAttributes(FigObject* object)
{
    if (!object)
        return;
    const auto* arc = static_cast<const FigArc*>(object);
    takeLineAttributes(arc);
    // Arcs keep their Fig sub-type less one: 0 open, 1 pie wedge, as the
    // current arc type counts them.
    currentAttrs.arcType = arc->subType;
    currentAttrs.capStyle = arc->capStyle;
    takeBackwardArrow(arc);
    takeArrowAttributes(arc);
    takeColors(this, arc);
}

void CFigContext::takeEllipseAttributes(FigObject* object)
{
    if (!object)
        return;
    takeLineAttributes(object);
    currentAttrs.ellipseAngle = static_cast<const FigEllipse*>(object)->angle;
    takeColors(this, object);
}

void CFigContext::takePolylineAttributes(FigObject* object)
{
    if (!object)
        return;
    const auto* line = static_cast<const FigLine*>(object);
    currentAttrs.depth = line->depth;
    // The picture page shows the depth only.
    if (line->subType == 5)
        return;
    takeLineAttributes(line);
    currentAttrs.joinStyle = line->joinStyle;
    currentAttrs.capStyle = line->capStyle;
    if (line->subType == 2 || line->subType == 4) {
        currentAttrs.boxType = line->subType;
        currentAttrs.boxCornerRadius = line->radius;
    }
    takeBackwardArrow(line);
    takeArrowAttributes(line);
    takeColors(this, line);
}

void CFigContext::takeSplineAttributes(FigObject* object)
{
    if (!object)
        return;
    takeLineAttributes(object);
    currentAttrs.capStyle = static_cast<const FigSpline*>(object)->capStyle;
    takeBackwardArrow(object);
    takeArrowAttributes(object);
    takeColors(this, object);
}

void CFigContext::takeTextAttributes(FigObject* object)
{
    if (!object)
        return;
    const auto* text = static_cast<const FigText*>(object);
    currentAttrs.depth = text->depth;
    if (text->fontFlags & 4) {
        currentAttrs.psFont = text->font;
        currentAttrs.textFlags |= 4;
    } else {
        currentAttrs.latexFont = text->font;
        currentAttrs.textFlags &= ~4;
    }
    currentAttrs.fontSize = text->fontSize;
    currentAttrs.textAlign = text->subType;
    // Only the rigid and special flags: further bits of a text (hidden) are
    // no attribute of new texts.
    currentAttrs.textFlags = (currentAttrs.textFlags & ~3) | (text->fontFlags & 3);
    currentAttrs.textAngle = text->angle;
    penColor = text->color;
}
