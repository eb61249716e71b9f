#include "render/drawnarea.h"

#include "app/preferences.h"
#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figpoint.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/units.h"

#include <QMap>
#include <QPixmap>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

int clampToInt(double v)
{
    if (!(v == v))
        return 0;
    return static_cast<int>(std::clamp(v, double(INT_MIN), double(INT_MAX)));
}

struct Box {
    double xmin = 0;
    double ymin = 0;
    double xmax = 0;
    double ymax = 0;
    bool any = false;
    void add(double x, double y)
    {
        if (!any) {
            xmin = xmax = x;
            ymin = ymax = y;
            any = true;
            return;
        }
        xmin = std::min(xmin, x);
        ymin = std::min(ymin, y);
        xmax = std::max(xmax, x);
        ymax = std::max(ymax, y);
    }
    void grow(double n)
    {
        xmin -= n;
        ymin -= n;
        xmax += n;
        ymax += n;
    }
};

// Fig units per pixel at the current view (the larger of the two axes).
double figPerPixel(const CFigContext* context)
{
    const double zoom = context->zoom > 0 ? double(context->zoom) : 1.0;
    return std::max(double(displayPixelSize(context->dpiX)), double(displayPixelSize(context->dpiY))) / zoom;
}

// How far past its points an outline may reach: the pen (miter joins stick
// out one and a half widths at their limit of three), antialiasing and
// rounding to pixels, and arrowheads with their own outlines.
double outlineReach(const CFigContext* context, const FigObject* object)
{
    const double unit = figPerPixel(context);
    const int penPixels = context->scaledLineWidth(object->lineWidth, context->zoom);
    double reach = (1.5 * penPixels + 4.0) * unit;
    for (const FigArrow* arrow : { object->forwArrow, object->backArrow }) {
        if (!arrow)
            continue;
        const double thickness = std::max(double(arrow->thickness), double(object->lineWidth));
        const double head = std::max(std::fabs(double(arrow->width)), std::fabs(double(arrow->height)));
        reach = std::max(
            reach, head + (1.5 * context->scaledLineWidth(int(std::ceil(thickness)), context->zoom) + 4.0) * unit);
    }
    return reach;
}

void addChain(Box& box, const FigPoint* points)
{
    for (const FigPoint* p = points; p; p = p->next)
        box.add(p->x, p->y);
}

// Interpolating points of a spline (and X-spline points with a negative
// shape factor) pull the curve out by up to a quarter of the distance between
// their neighbours; a half is allowed, at every point.
void addSplineOvershoot(Box& box, const FigSpline* spline)
{
    if (!spline->points || spline->subType < 2)
        return;
    const FigPoint* prev = nullptr;
    for (const FigPoint* p = spline->points; p; prev = p, p = p->next) {
        const FigPoint* before = prev ? prev : p;
        const FigPoint* after = p->next ? p->next : spline->points;
        const double ex = std::fabs(double(after->x) - before->x) / 2;
        const double ey = std::fabs(double(after->y) - before->y) / 2;
        box.add(p->x - ex, p->y - ey);
        box.add(p->x + ex, p->y + ey);
    }
}

Box textArea(CFigContext* context, FigText* text)
{
    Box box;
    const double unit = figPerPixel(context);
    const bool typeset = (text->fontFlags & 2) && preferences.renderSpecialTextUsingTex;
    if (text->metricsZoom == 0.0f && !typeset)
        context->computeTextMetrics(text, context->zoom);
    if (text->metricsZoom == 0.0f || typeset) {
        // Cannot be measured, or shown as a typeset image: the exact box.
        int x0 = 0;
        int y0 = 0;
        int x1 = 0;
        int y1 = 0;
        text->getBounds(context, x0, y0, x1, y1, true, true);
        box.add(x0, y0);
        box.add(x1, y1);
        // A typeset image may be taller and wider than the text's metrics.
        const double extra = typeset ? std::max(box.xmax - box.xmin, box.ymax - box.ymin) : 0.0;
        box.grow(extra + 8.0 * unit);
        return box;
    }
    // Measured at some zoom: sizes differ between zooms by hinting only, and
    // glyphs (italics, accents) may reach past the advance width and the
    // ascent; room of half the text's height and a quarter of its width is
    // left all round.
    const double width = std::fabs(double(text->width));
    const double ascent = std::fabs(double(text->ascent));
    const double descent
        = std::fabs(double(text->descent) * double(displayPixelSize(context->dpiY)) / double(text->metricsZoom));
    const double room = 0.5 * (ascent + descent) + 0.25 * width + 8.0 * unit;
    if (text->angle == 0.0f) {
        double left = text->x;
        if (text->subType == 1)
            left -= width / 2;
        else if (text->subType == 2)
            left -= width;
        box.add(left, double(text->y) - ascent);
        box.add(left + width, double(text->y) + descent);
        box.grow(room);
        return box;
    }
    // Turned: a circle about the anchor that holds it at any angle and
    // alignment.
    box.add(text->x, text->y);
    box.grow(width + ascent + descent + room);
    return box;
}

Box objectArea(CFigContext* context, FigObject* object)
{
    Box box;
    switch (object->type) {
    case FigObject::Polyline: {
        auto* line = static_cast<FigLine*>(object);
        addChain(box, line->points);
        if (box.any)
            box.grow(outlineReach(context, object));
        break;
    }
    case FigObject::Spline: {
        auto* spline = static_cast<FigSpline*>(object);
        addChain(box, spline->points);
        addSplineOvershoot(box, spline);
        if (box.any)
            box.grow(outlineReach(context, object));
        break;
    }
    case FigObject::Arc: {
        auto* arc = static_cast<FigArc*>(object);
        // The whole circle, and the centre of a pie wedge.
        const double dx = double(arc->points[0].x) - arc->centerX;
        const double dy = double(arc->points[0].y) - arc->centerY;
        const double r = std::sqrt(dx * dx + dy * dy) + 2.0;
        box.add(arc->centerX - r, arc->centerY - r);
        box.add(arc->centerX + r, arc->centerY + r);
        for (const FigPoint& p : arc->points)
            box.add(p.x, p.y);
        box.grow(outlineReach(context, object));
        break;
    }
    case FigObject::Ellipse: {
        auto* ellipse = static_cast<FigEllipse*>(object);
        const double r = std::max(std::fabs(double(ellipse->radii.x)), std::fabs(double(ellipse->radii.y))) + 2.0;
        box.add(ellipse->center.x - r, ellipse->center.y - r);
        box.add(ellipse->center.x + r, ellipse->center.y + r);
        box.grow(outlineReach(context, object));
        break;
    }
    case FigObject::Text:
        box = textArea(context, static_cast<FigText*>(object));
        break;
    case FigObject::Compound: {
        const FigObjectList* members = static_cast<FigCompound*>(object)->members;
        if (members) {
            for (FigObject* member : *members) {
                const Box part = objectArea(context, member);
                if (part.any) {
                    box.add(part.xmin, part.ymin);
                    box.add(part.xmax, part.ymax);
                }
            }
        }
        break;
    }
    default: {
        // A kind without a rule of its own: its exact box, with room.
        int x0 = 0;
        int y0 = 0;
        int x1 = 0;
        int y1 = 0;
        object->getBounds(context, x0, y0, x1, y1, true, true);
        box.add(x0, y0);
        box.add(x1, y1);
        box.grow(8.0 * figPerPixel(context));
        break;
    }
    }
    return box;
}

} // namespace

void drawnArea(CFigContext* context, FigObject* object, int& xmin, int& ymin, int& xmax, int& ymax)
{
    xmin = ymin = xmax = ymax = 0;
    if (!context || !object)
        return;
    const Box box = objectArea(context, object);
    if (!box.any)
        return;
    xmin = clampToInt(std::floor(box.xmin));
    ymin = clampToInt(std::floor(box.ymin));
    xmax = clampToInt(std::ceil(box.xmax));
    ymax = clampToInt(std::ceil(box.ymax));
}

bool objectMayPaintIn(CFigContext* context, FigObject* object, const FigArea& area)
{
    if (!context || !object)
        return false;
    const Box box = objectArea(context, object);
    if (!box.any)
        return false;
    const double left = std::min(area.x1, area.x2);
    const double right = std::max(area.x1, area.x2);
    const double top = std::min(area.y1, area.y2);
    const double bottom = std::max(area.y1, area.y2);
    return !(box.xmax < left || box.xmin > right || box.ymax < top || box.ymin > bottom);
}
