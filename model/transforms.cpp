#include "model/transforms.h"

#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figcompound.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/units.h"

namespace {

void translatePoint(FigPoint& point, int dx, int dy)
{
    point.x += dx;
    point.y += dy;
}

void translateChain(FigPoint* first, int dx, int dy)
{
    for (FigPoint* p = first; p; p = p->next) {
        if (!(p->link && p->link->pinned))
            translatePoint(*p, dx, dy);
    }
}

int scaleUniform(int value, float factor, float offset)
{
    return roundToInt(static_cast<float>(value) * factor + offset);
}

void scalePointUniform(FigPoint& point, float factor, float offset)
{
    point.x = scaleUniform(point.x, factor, offset);
    point.y = scaleUniform(point.y, factor, offset);
}

void scaleChainUniform(FigPoint* first, float factor, float offset)
{
    for (FigPoint* p = first; p; p = p->next)
        scalePointUniform(*p, factor, offset);
}

} // namespace

void translateObject(FigObject* object, int dx, int dy)
{
    if (!object)
        return;
    switch (object->type) {
    case FigObject::Ellipse: {
        auto* ellipse = static_cast<FigEllipse*>(object);
        translatePoint(ellipse->center, dx, dy);
        translatePoint(ellipse->start, dx, dy);
        translatePoint(ellipse->end, dx, dy);
        break;
    }
    case FigObject::Polyline:
        translateChain(static_cast<FigLine*>(object)->points, dx, dy);
        break;
    case FigObject::Spline:
        translateChain(static_cast<FigSpline*>(object)->points, dx, dy);
        break;
    case FigObject::Text: {
        auto* text = static_cast<FigText*>(object);
        text->x += dx;
        text->y += dy;
        break;
    }
    case FigObject::Arc: {
        auto* arc = static_cast<FigArc*>(object);
        arc->centerX += static_cast<float>(dx);
        arc->centerY += static_cast<float>(dy);
        for (FigPoint& p : arc->points)
            translatePoint(p, dx, dy);
        break;
    }
    case FigObject::Compound:
        translateCompound(static_cast<FigCompound*>(object), dx, dy);
        break;
    default:
        break;
    }
}

void translateCompound(FigCompound* compound, int dx, int dy)
{
    if (!compound)
        return;
    translatePoint(compound->upperLeft, dx, dy);
    translatePoint(compound->lowerRight, dx, dy);
    translateObjectList(compound->members, dx, dy);
}

void translateObjectList(const FigObjectList* list, int dx, int dy)
{
    if (!list)
        return;
    for (FigObject* object : *list)
        translateObject(object, dx, dy);
}

void scaleObjectListUniform(const FigObjectList* list, float factor, float offset)
{
    if (!list)
        return;
    for (FigObject* object : *list) {
        switch (object->type) {
        case FigObject::Ellipse: {
            auto* ellipse = static_cast<FigEllipse*>(object);
            scalePointUniform(ellipse->center, factor, offset);
            scalePointUniform(ellipse->start, factor, offset);
            scalePointUniform(ellipse->end, factor, offset);
            ellipse->radii.x = roundToInt(static_cast<float>(ellipse->radii.x) * factor);
            ellipse->radii.y = roundToInt(static_cast<float>(ellipse->radii.y) * factor);
            break;
        }
        case FigObject::Polyline:
        case FigObject::Spline:
            scaleChainUniform(object->type == FigObject::Polyline ? static_cast<FigLine*>(object)->points
                                                                  : static_cast<FigSpline*>(object)->points,
                factor, offset);
            scaleArrowUniform(object->forwArrow, factor, offset);
            scaleArrowUniform(object->backArrow, factor, offset);
            break;
        case FigObject::Text: {
            auto* text = static_cast<FigText*>(object);
            text->x = scaleUniform(text->x, factor, offset);
            text->y = scaleUniform(text->y, factor, offset);
            break;
        }
        case FigObject::Arc: {
            auto* arc = static_cast<FigArc*>(object);
            arc->centerX = static_cast<float>(roundToInt(arc->centerX * factor + offset));
            arc->centerY = static_cast<float>(roundToInt(arc->centerY * factor + offset));
            for (FigPoint& p : arc->points)
                scalePointUniform(p, factor, offset);
            scaleArrowUniform(arc->forwArrow, factor, offset);
            scaleArrowUniform(arc->backArrow, factor, offset);
            break;
        }
        case FigObject::Compound:
            scaleCompoundUniform(static_cast<FigCompound*>(object), factor, offset);
            break;
        default:
            break;
        }
    }
}

void scaleCompoundUniform(FigCompound* compound, float factor, float offset)
{
    if (!compound)
        return;
    scalePointUniform(compound->upperLeft, factor, offset);
    scalePointUniform(compound->lowerRight, factor, offset);
    scaleObjectListUniform(compound->members, factor, offset);
}

void scaleArrowUniform(FigArrow* arrow, float factor, float offset)
{
    if (!arrow)
        return;
    arrow->width = static_cast<float>(roundToInt(arrow->width * factor + offset));
    arrow->height = static_cast<float>(roundToInt(arrow->height * factor + offset));
}
