#include "render/markers.h"

#include "edit/editstate.h"
#include "model/figarc.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/objectlist.h"
#include "model/units.h"

#include <QPainter>
#include <QPen>
#include <QPixmap>

#include <cmath>
#include <cstdint>

QPixmap* markerPixmaps[markerKindCount] = {};

namespace {

const char* const markerFolder = ":/markers/images/markers/";

const char* const markerFileNames[markerKindCount] = {
    "DOT_SMALL_NORMAL.png",
    "DOT_SMALL_TAGGED.png",
    "DOT_SMALL_TAGGED2.png",
    "DOT_SMALL_LINKED.png",
    "DOT_COMPOUND_SMALL_NORMAL.png",
    "DOT_COMPOUND_SMALL_TAGGED.png",
};

// Every marker image has its top-left corner this many pixels up and left of
// the point: the centre pixel of a 5 x 5 image, the third pixel of the 4 x 4
// one, lies on it.
constexpr int markerOffset = 2;

bool depthShown(const CFigContext& context, const FigObject* object)
{
    return object->depth >= 0 && object->depth < CFigContext::depthCount && context.depthVisible[object->depth];
}

void drawMarker(CFigContext& context, MarkerKind kind, int x, int y)
{
    loadMarkerPixmaps();
    QPainter* painter = context.painter;
    if (!painter || !painter->isActive())
        return;
    const QPixmap* pixmap = markerPixmaps[kind];
    if (!pixmap || pixmap->isNull())
        return;
    // A rubber band may have left an inverting mode set.
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QPoint p = context.figToPixelPoint(x, y);
    painter->drawPixmap(p.x() - markerOffset, p.y() - markerOffset, *pixmap);
}

// The kind of a point marker, in this order: highlighted, linked, the
// object's selection, normal.
MarkerKind pointMarkerKind(const FigPoint* point, bool selected)
{
    if (point->markerState == 3)
        return MarkerHighlighted;
    if (point->link)
        return MarkerLinked;
    return selected ? MarkerSelected : MarkerNormal;
}

FigPoint* chainOf(FigObject* path)
{
    if (path->type == FigObject::Polyline)
        return static_cast<FigLine*>(path)->points;
    if (path->type == FigObject::Spline)
        return static_cast<FigSpline*>(path)->points;
    return nullptr;
}

int markerStateOf(const FigObject* object)
{
    return object->selected ? 2 : 1;
}

} // namespace

void compoundBoxHandles(const FigCompound* compound, int handles[8][2])
{
    const int x1 = compound->upperLeft.x;
    const int y1 = compound->upperLeft.y;
    const int x2 = compound->lowerRight.x;
    const int y2 = compound->lowerRight.y;
    // Halves in 64 bits: corners far apart would overflow the difference.
    const int mx = int(x1 + (std::int64_t(x2) - x1) / 2);
    const int my = int(y1 + (std::int64_t(y2) - y1) / 2);
    const int points[8][2]
        = { { x1, y1 }, { mx, y1 }, { x2, y1 }, { x2, my }, { x2, y2 }, { mx, y2 }, { x1, y2 }, { x1, my } };
    for (int i = 0; i < 8; ++i) {
        handles[i][0] = points[i][0];
        handles[i][1] = points[i][1];
    }
}

void loadMarkerPixmaps()
{
    for (int kind = 0; kind < markerKindCount; ++kind) {
        if (!markerPixmaps[kind])
            markerPixmaps[kind] = new QPixmap(QString::fromLatin1(markerFolder) + QLatin1String(markerFileNames[kind]));
    }
}

void releaseMarkerPixmaps()
{
    for (QPixmap*& pixmap : markerPixmaps) {
        delete pixmap;
        pixmap = nullptr;
    }
}

// ---- One marker ----

void CFigContext::drawNormalMarker(int x, int y)
{
    drawMarker(*this, MarkerNormal, x, y);
}

void CFigContext::drawTaggedMarker(int x, int y)
{
    drawMarker(*this, MarkerSelected, x, y);
}

void CFigContext::drawTagged2Marker(int x, int y)
{
    drawMarker(*this, MarkerHighlighted, x, y);
}

void CFigContext::drawLinkedMarker(int x, int y)
{
    drawMarker(*this, MarkerLinked, x, y);
}

void CFigContext::drawCompoundMarker(int x, int y)
{
    drawMarker(*this, MarkerCompound, x, y);
}

void CFigContext::drawCompoundTaggedMarker(int x, int y)
{
    drawMarker(*this, MarkerCompoundSelected, x, y);
}

// ---- Markers of objects ----

void CFigContext::drawObjectMarkers(FigObject* object)
{
    if (!object)
        return;
    const MarkerKind kind = object->selected ? MarkerSelected : MarkerNormal;
    switch (object->type) {
    case FigObject::Ellipse: {
        if (!depthShown(*this, object))
            return;
        const auto* ellipse = static_cast<const FigEllipse*>(object);
        drawMarker(*this, kind, ellipse->start.x, ellipse->start.y);
        drawMarker(*this, kind, ellipse->end.x, ellipse->end.y);
        // A circle by radius starts at its centre: no third marker there, nor
        // when the centre shares one coordinate with the start point.
        if (ellipse->center.x != ellipse->start.x && ellipse->center.y != ellipse->start.y)
            drawMarker(*this, kind, ellipse->center.x, ellipse->center.y);
        object->markerState = markerStateOf(object);
        break;
    }
    case FigObject::Polyline:
    case FigObject::Spline:
        drawPathMarkers(object);
        break;
    case FigObject::Text: {
        if (!depthShown(*this, object))
            return;
        const auto* text = static_cast<const FigText*>(object);
        // The font size taken as pixels at zoom 1; the second marker lies that
        // far above the anchor in the text's own upward direction.
        const int h = roundToInt(1200 / dpiY * text->fontSize);
        const double angle = text->angle;
        drawMarker(*this, kind, text->x, text->y);
        drawMarker(*this, kind, text->x + roundToInt(-h * std::sin(angle)), text->y + roundToInt(-h * std::cos(angle)));
        object->markerState = markerStateOf(object);
        break;
    }
    case FigObject::Arc: {
        if (!depthShown(*this, object))
            return;
        for (const FigPoint& p : static_cast<const FigArc*>(object)->points)
            drawMarker(*this, kind, p.x, p.y);
        object->markerState = markerStateOf(object);
        break;
    }
    case FigObject::Compound:
        drawCompoundMarkers(static_cast<FigCompound*>(object));
        break;
    default:
        break;
    }
}

void CFigContext::drawPathMarkers(FigObject* path)
{
    if (!path || !depthShown(*this, path))
        return;
    FigPoint* first = chainOf(path);
    if (!first)
        return;
    const bool selected = path->selected;
    FigPoint* last = first;
    for (FigPoint* p = first->next; p; p = p->next) {
        drawMarker(*this, pointMarkerKind(p, selected), p->x, p->y);
        last = p;
    }
    // A closed path repeats its first point at the end, whose marker covers it.
    const bool closed = last != first && last->x == first->x && last->y == first->y;
    if (!closed)
        drawMarker(*this, pointMarkerKind(first, selected), first->x, first->y);
    path->markerState = markerStateOf(path);
}

void CFigContext::drawCompoundMarkers(FigCompound* compound)
{
    if (!compound || compoundAllMembersHidden(compound))
        return;
    const MarkerKind kind = compound->selected ? MarkerCompoundSelected : MarkerCompound;
    int handles[8][2];
    compoundBoxHandles(compound, handles);
    for (const auto& handle : handles)
        drawMarker(*this, kind, handle[0], handle[1]);
    compound->markerState = markerStateOf(compound);
}

bool CFigContext::compoundAllMembersHidden(const FigCompound* compound) const
{
    return !compoundHasVisibleMember(compound);
}

void CFigContext::drawAllMarkers(const FigObject* except)
{
    if (FigObjectList* list = objects()) {
        for (FigObject* object : *list) {
            // Objects left out of the redraw keep the markers they show.
            if (!object->skipRedraw && object != except && object->markerState != 0)
                drawObjectMarkers(object);
        }
    }
    if (transformCenter.isSet)
        drawCrossHair(transformCenter.x, transformCenter.y);
}

void CFigContext::drawMarkersExceptList(const FigObjectList* except)
{
    FigObjectList* list = objects();
    if (!list)
        return;
    for (FigObject* object : *list) {
        if (!object->skipRedraw && object->markerState != 0 && !listContainsObject(except, object))
            drawObjectMarkers(object);
    }
}

// ---- Transform centre ----

void CFigContext::drawCrossHair(int x, int y)
{
    if (!painter || !painter->isActive())
        return;
    QPen pen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    // Inverting every covered pixel lets a second drawing erase the cross,
    // whether or not the painter smooths its lines at the other time.
    const bool antialiased = painter->testRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    const QPoint p = figToPixelPoint(x, y);
    painter->drawLine(QPoint(p.x() - 4, p.y()), QPoint(p.x() + 4, p.y()));
    painter->drawLine(QPoint(p.x(), p.y() - 4), QPoint(p.x(), p.y() + 4));
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter->setRenderHint(QPainter::Antialiasing, antialiased);
}
