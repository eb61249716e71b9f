// Object drawing: the draw operation of every object kind, the drawing style
// that follows from depth visibility and an open compound, and the rendering
// of a whole drawing into a pixmap. Each kind assembles its outline in the
// point buffer, keeps its line out of its arrowheads with a clip, fills,
// strokes, puts the clip back and then draws the heads.

#include "app/preferences.h"
#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/objectlist.h"
#include "model/units.h"
#include "render/arrowheads.h"
#include "render/clippedstroke.h"
#include "render/colors.h"
#include "render/pens.h"
#include "render/pointbuffer.h"

#include <QPainter>
#include <QPixmap>
#include <QRegion>

#include <cmath>

// ---- The draw operations of the object kinds ----

void FigObject::draw(CFigContext* context)
{
    // Reached only by objects that are not of their kind's class; the casts
    // are checked so that such an object is never read as another kind.
    if (!context)
        return;
    switch (type) {
    case Ellipse:
        if (auto* ellipse = dynamic_cast<FigEllipse*>(this))
            context->drawEllipse(ellipse);
        break;
    case Polyline:
        if (auto* line = dynamic_cast<FigLine*>(this))
            context->drawLine(line);
        break;
    case Spline:
        if (auto* spline = dynamic_cast<FigSpline*>(this))
            context->drawSpline(spline);
        break;
    case Text:
        if (auto* text = dynamic_cast<FigText*>(this))
            context->drawText(text);
        break;
    case Arc:
        if (auto* arc = dynamic_cast<FigArc*>(this))
            context->drawArc(arc);
        break;
    case Compound:
        if (auto* compound = dynamic_cast<FigCompound*>(this))
            compound->FigCompound::draw(context);
        break;
    default:
        break;
    }
}

void FigArc::draw(CFigContext* context)
{
    if (context)
        context->drawArc(this);
}

void FigEllipse::draw(CFigContext* context)
{
    if (context)
        context->drawEllipse(this);
}

void FigLine::draw(CFigContext* context)
{
    if (context)
        context->drawLine(this);
}

void FigSpline::draw(CFigContext* context)
{
    if (context)
        context->drawSpline(this);
}

void FigText::draw(CFigContext* context)
{
    if (context)
        context->drawText(this);
}

void FigCompound::draw(CFigContext* context)
{
    if (!context)
        return;
    for (FigObject* member : *members)
        member->draw(context);
}

// ---- Drawing style ----

int CFigContext::drawStyleOf(const FigObject* object) const
{
    if (!object)
        return DrawHidden;
    // Depths outside the table (only 1000 and up reach here in practice)
    // have no visibility flag and are drawn normally.
    const bool shown = object->depth < 0 || object->depth >= depthCount || depthVisible[object->depth];
    int style = shown ? DrawNormal : (layerDrawMode == DrawDimmed ? DrawDimmed : DrawGreyed);
    if (openCompound && !listContainsObject(openCompound, object)) {
        const int viewMode = preferences.compoundEditViewMode;
        if (style == DrawNormal) {
            style = viewMode;
        } else if (viewMode != DrawNormal) {
            style = viewMode == DrawGreyed || style == DrawGreyed ? DrawGreyed : DrawDimmed;
            if (viewMode == DrawHidden)
                style = DrawHidden;
        }
    }
    return style;
}

// ---- Per-kind drawing ----

void CFigContext::drawArc(FigArc* arc)
{
    if (!painter || !arc)
        return;
    const int style = drawStyleOf(arc);
    if (style == DrawHidden)
        return;
    resetPointBuffer();

    // Offsets of the end points from the centre with y pointing up, in
    // single precision.
    const float cx = arc->centerX;
    const float cy = arc->centerY;
    const float ax = static_cast<float>(arc->points[0].x) - cx;
    const float ay = cy - static_cast<float>(arc->points[0].y);
    const float bx = static_cast<float>(arc->points[2].x) - cx;
    const float by = cy - static_cast<float>(arc->points[2].y);
    const int r = roundToInt(std::sqrt(ax * ax + ay * ay));
    const bool pie = arc->subType == 1;
    addEllipticArcPoints(roundToInt(ax), roundToInt(ay), roundToInt(bx), roundToInt(by), pie, arc->direction, r, r,
        roundToInt(cx), roundToInt(cy));

    ArrowPolygons forward;
    ArrowPolygons backward;
    QRegion savedClip;
    bool clipped = false;
    if (!pie) {
        computeArrowheads(arc, FigObject::Arc, pointBuffer.points, pointBuffer.count, 0, forward, backward);
        clipped = clipOutArrowheads(
            forward.clip, forward.clipCount, backward.clip, backward.clipCount, arc->lineWidth, savedClip);
    }

    if (arc->fillStyle != -1)
        fillObjectPolygon(arc, style, pointBuffer.points, pointBuffer.count);
    const int w = scaledLineWidth(arc->lineWidth, zoom);
    if (w > 0 && pointBuffer.count > 0) {
        QPen pen(getPenColor(drawing.userShades, arc->penColor, style));
        pen.setWidth(w);
        applyLineStyle(pen, arc->lineWidth, arc->lineStyle, arc->styleVal, arc->capStyle);
        setOutlinePen(painter, pen);
        painter->setBrush(Qt::NoBrush);
        strokePolyline(painter, pointBuffer.points, pointBuffer.count);
    }

    if (clipped)
        restoreArrowClip(savedClip);
    if (!pie) {
        drawArrowhead(arc, arc->forwArrow, forwardArrowOutline.points, forwardArrowOutline.count, forward.fill,
            forward.fillCount, style);
        drawArrowhead(arc, arc->backArrow, backwardArrowOutline.points, backwardArrowOutline.count, backward.fill,
            backward.fillCount, style);
    }
}

void CFigContext::drawEllipse(FigEllipse* ellipse)
{
    if (!painter || !ellipse)
        return;
    const int style = drawStyleOf(ellipse);
    if (style == DrawHidden)
        return;
    drawEllipseObject(ellipse, style);
}

void CFigContext::drawLine(FigLine* line)
{
    if (!painter || !line)
        return;
    const int style = drawStyleOf(line);
    if (style == DrawHidden)
        return;
    if (!addLinePoints(line))
        return;

    ArrowPolygons forward;
    ArrowPolygons backward;
    QRegion savedClip;
    // computeArrowheads leaves every polygon empty for fewer than two points.
    computeArrowheads(line, FigObject::Polyline, pointBuffer.points, pointBuffer.count, 0, forward, backward);
    const bool clipped = clipOutArrowheads(
        forward.clip, forward.clipCount, backward.clip, backward.clipCount, line->lineWidth, savedClip);

    const bool roundCorners = line->subType == 4 && roundToInt(static_cast<float>(line->radius) * zoom) > 2;
    if (line->subType == 5 || roundCorners) {
        if (line->subType == 5) {
            drawPicture(line);
        } else {
            drawArcBox(line, style);
        }
        // Pictures and round-cornered boxes carry no visible arrowheads.
        if (clipped)
            restoreArrowClip(savedClip);
        return;
    }

    // The buffer still holds the line's points: the arrowheads and their
    // clip leave it alone.
    if (line->pointCount() > 1)
        drawBufferLine(line, style);
    else
        drawDot(line, style);
    if (clipped)
        restoreArrowClip(savedClip);
    drawArrowhead(line, line->forwArrow, forwardArrowOutline.points, forwardArrowOutline.count, forward.fill,
        forward.fillCount, style);
    drawArrowhead(line, line->backArrow, backwardArrowOutline.points, backwardArrowOutline.count, backward.fill,
        backward.fillCount, style);
}

void CFigContext::drawSpline(FigSpline* spline)
{
    if (!painter || !spline)
        return;
    const int style = drawStyleOf(spline);
    if (style == DrawHidden)
        return;
    if (spline->subType & 1)
        computeClosedSpline(spline, 0.5f, addScreenPoint);
    else
        computeOpenSpline(spline, 0.5f, addScreenPoint);

    ArrowPolygons forward;
    ArrowPolygons backward;
    QRegion savedClip;
    computeArrowheads(spline, FigObject::Spline, pointBuffer.points, pointBuffer.count, 2, forward, backward);
    const bool clipped = clipOutArrowheads(
        forward.clip, forward.clipCount, backward.clip, backward.clipCount, spline->lineWidth, savedClip);

    drawBufferOutline(spline, style);

    if (clipped)
        restoreArrowClip(savedClip);
    drawArrowhead(spline, spline->backArrow, backwardArrowOutline.points, backwardArrowOutline.count, backward.fill,
        backward.fillCount, style);
    drawArrowhead(spline, spline->forwArrow, forwardArrowOutline.points, forwardArrowOutline.count, forward.fill,
        forward.fillCount, style);
}

void CFigContext::drawText(FigText* text)
{
    if (!painter || !text)
        return;
    const int style = drawStyleOf(text);
    if (style == DrawHidden)
        return;
    // Special texts hold LaTeX markup: shown as the image LaTeX makes of it.
    if (preferences.renderSpecialTextUsingTex && (text->fontFlags & 2))
        drawLatexText(text->x, text->y, style, text);
    else
        drawPlainText(text->x, text->y, style, text);
}

// ---- Rendering into a pixmap ----

void CFigContext::renderObjectsToPixmap(QPixmap* pixmap, int width, int height)
{
    if (!pixmap)
        return;
    showAllDepths();
    clearDepthObjectCounts();
    addObjectsToDepths(&drawing.objects);

    const float savedZoomFactor = zoom;
    zoom = 1.0f;
    int xmin = 0;
    int ymin = 0;
    int xmax = 0;
    int ymax = 0;
    getObjectListBounds(&drawing.objects, xmin, ymin, xmax, ymax, false, true, true);
    const float sx = canvasScaleX();
    const float sy = canvasScaleY();
    const int cw = roundToInt(sx * static_cast<float>(static_cast<double>(xmax) - xmin + 1));
    const int ch = roundToInt(sy * static_cast<float>(static_cast<double>(ymax) - ymin + 1));
    // A drawing smaller than a pixel keeps zoom 1 rather than dividing by 0,
    // and so does a pixmap too small for any zoom.
    float fit = 0.0f;
    if (ch >= cw) {
        if (ch > 0)
            fit = static_cast<float>(height - 1) / static_cast<float>(ch);
    } else if (cw > 0) {
        fit = static_cast<float>(width - 1) / static_cast<float>(cw);
    }
    if (fit > 0.0f)
        zoom = fit;

    QPainter pixmapPainter(pixmap);
    QPainter* const savedPainter = painter;
    painter = &pixmapPainter;
    drawAllObjects();
    pixmapPainter.end();
    zoom = savedZoomFactor;
    painter = savedPainter;
}
