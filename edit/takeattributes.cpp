// Taking an object's attributes as the current ones, when the user picks an
// object: the next object drawn then looks like it.
#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "toolbars/drawingattributes.h"

namespace {

// The arrow kind of the attribute pages for an arrow record: kind k > 0 is
// Fig type (k + 1) / 2 with style (k + 1) % 2, kind 0 type 0.
int arrowKind(const FigArrow* arrow)
{
    return arrow->type == 0 ? 0 : 2 * arrow->type + arrow->style - 1;
}

// Depth, line, arrows and the document's colours: what every kind but texts
// shares.
void takeCommonAttributes(CFigContext* context, const FigObject* object)
{
    currentAttrs.depth = object->depth;
    currentAttrs.lineWidth = object->lineWidth;
    currentAttrs.lineStyle = object->lineStyle;
    // New objects scale the style value by (lineWidth + 1) / 2; undo that.
    currentAttrs.styleVal = object->styleVal * 2.0f / static_cast<float>(object->lineWidth + 1);
    currentAttrs.forwArrowOn = object->forwArrow != nullptr;
    if (object->forwArrow)
        currentAttrs.forwArrow = arrowKind(object->forwArrow);
    currentAttrs.backArrowOn = object->backArrow != nullptr;
    if (object->backArrow)
        currentAttrs.backArrow = arrowKind(object->backArrow);
    context->penColor = object->penColor;
    context->fillColor = object->fillColor;
    context->fillStyle = object->fillStyle;
}

} // namespace

void CFigContext::takeArcAttributes(FigObject* object)
{
    if (!object)
        return;
    takeCommonAttributes(this, object);
    const auto* arc = static_cast<const FigArc*>(object);
    currentAttrs.capStyle = arc->capStyle;
    // Fig arc sub-type 1 is open, 2 a pie wedge.
    currentAttrs.arcType = arc->subType == 2 ? 1 : 0;
}

void CFigContext::takeEllipseAttributes(FigObject* object)
{
    if (!object)
        return;
    takeCommonAttributes(this, object);
    currentAttrs.ellipseAngle = static_cast<const FigEllipse*>(object)->angle;
}

void CFigContext::takePolylineAttributes(FigObject* object)
{
    if (!object)
        return;
    takeCommonAttributes(this, object);
    const auto* line = static_cast<const FigLine*>(object);
    currentAttrs.capStyle = line->capStyle;
    currentAttrs.joinStyle = line->joinStyle;
    if (line->subType == 2 || line->subType == 4)
        currentAttrs.boxType = line->subType;
    if (line->subType == 4 && line->radius >= 0)
        currentAttrs.boxCornerRadius = line->radius;
}

void CFigContext::takeSplineAttributes(FigObject* object)
{
    if (!object)
        return;
    takeCommonAttributes(this, object);
    currentAttrs.capStyle = static_cast<const FigSpline*>(object)->capStyle;
}

void CFigContext::takeTextAttributes(FigObject* object)
{
    if (!object)
        return;
    const auto* text = static_cast<const FigText*>(object);
    currentAttrs.depth = text->depth;
    currentAttrs.fontSize = text->fontSize;
    currentAttrs.textAlign = text->subType;
    currentAttrs.textAngle = text->angle;
    currentAttrs.textFlags = text->fontFlags;
    if (text->fontFlags & 4)
        currentAttrs.psFont = text->font;
    else
        currentAttrs.latexFont = text->font;
    penColor = text->color;
}
