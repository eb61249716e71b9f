// The drawing functions of the scripting object: each applies the attribute
// keys of its parameters through the signals, lets the factory of its kind
// build the object from the current attributes, completes it from the
// parameters and adds it as one undo step. A refused shape adds nothing.
#include "script/tavrelscript.h"

#include "app/qslog.h"
#include "edit/objectfactories.h"
#include "model/figarc.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figpoint.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/picturedata.h"
#include "model/planegeometry.h"
#include "model/units.h"
#include "render/fonts.h"
#include "script/scriptkeywords.h"
#include "toolbars/attrspageform.h"
#include "toolbars/drawingattributes.h"

#include <cmath>
#include <memory>

namespace {

constexpr double pi = 3.141592653589793;

bool present(const QVariantMap& map, const QString& key)
{
    return map.value(key).isValid();
}

void deleteChain(FigPoint* head)
{
    while (head) {
        FigPoint* next = head->next;
        delete head;
        head = next;
    }
}

// A point the caller asked for but did not give (or gave beyond the
// coordinates a drawing may hold): the shape is refused.
bool hasPoint(const std::unique_ptr<FigPoint>& point, const char* function, const char* key)
{
    if (point)
        return true;
    QLOG_ERROR() << function << ": the point" << key << "is missing or out of range";
    return false;
}

// A length in Fig units cut toward zero (callers keep it within the
// coordinates a drawing may hold).
int cutLength(double value)
{
    return static_cast<int>(std::trunc(value));
}

// Whether the circle of the radius around the point lies within the
// coordinates a drawing may hold (and so does everything drawn inside it).
bool withinDrawing(double x, double y, double radius)
{
    return std::fabs(x) + radius <= maxFigCoordinate && std::fabs(y) + radius <= maxFigCoordinate;
}

// The five points of a box from two opposite corners, the first repeated.
FigPoint* boxChain(int x1, int y1, int x2, int y2)
{
    auto* head = new FigPoint(x1, y1);
    FigPoint* p = head;
    p = p->next = new FigPoint(x2, y1);
    p = p->next = new FigPoint(x2, y2);
    p = p->next = new FigPoint(x1, y2);
    p->next = new FigPoint(x1, y1);
    return head;
}

// The far side of a box that keeps x1 and is `size` long, on the side of x1
// where x2 lay (toward smaller values when they are equal).
double sizedSide(int x1, int x2, int size)
{
    return static_cast<double>(x1) + (x1 < x2 ? size : -static_cast<double>(size));
}

} // namespace

void TavrelScript::drawPoint(int x, int y)
{
    QLOG_DEBUG() << QStringLiteral("drawPoint %1 %2").arg(x).arg(y);
}

void TavrelScript::drawPolyline(const QVariantMap& obj)
{
    QLOG_DEBUG() << "drawPolyline";
    int count = 0;
    bool closed = false;
    FigPoint* chain = pointsChain(obj, "drawPolyline", count, closed);
    if (!chain)
        return;
    const int subType = count == 1 ? 1 : (closed ? 3 : 1);
    FigLine* line = context->createLine(subType, chain);
    if (!line) {
        deleteChain(chain);
        return;
    }
    if (count >= 2 && !closed)
        applyArrows(obj, line);
    addObject(line, obj);
}

void TavrelScript::drawSpline(const QVariantMap& obj)
{
    QLOG_DEBUG() << "drawSpline";
    int count = 0;
    bool closed = false;
    FigPoint* chain = pointsChain(obj, "drawSpline", count, closed);
    if (!chain)
        return;
    const QString type = obj.value(QStringLiteral("type")).toString();
    bool interpolated = true;
    if (type == QLatin1String("approximated") || type == QLatin1String("approx"))
        interpolated = false;
    else if (type != QLatin1String("interpolated") && type != QLatin1String("interp")) {
        QLOG_INFO() << "using default spline type:" << "interpolated";
    }
    const int subType = (interpolated ? 2 : 0) + (closed ? 1 : 0);
    FigSpline* spline = context->createSpline(subType, chain);
    if (!spline) {
        deleteChain(chain);
        return;
    }
    spline->initShapeFactors();
    applyArrows(obj, spline);
    addObject(spline, obj);
}

void TavrelScript::drawRectangle(const QVariantMap& obj)
{
    QLOG_DEBUG() << "drawRectangle";
    applyPenAndDepth(obj);
    const QString cornerType = QStringLiteral("cornerType");
    if (present(obj, cornerType))
        emit boxTypeChanged(scriptKeyword(cornerTypeKeywords, obj.value(cornerType).toString()));
    const QString cornerRadius = QStringLiteral("cornerRadius");
    if (present(obj, cornerRadius))
        emit boxCornerRadiusChanged(obj.value(cornerRadius).toInt());
    const std::unique_ptr<FigPoint> p1(pointFromVariant(obj.value(QStringLiteral("p1"))));
    const std::unique_ptr<FigPoint> p2(pointFromVariant(obj.value(QStringLiteral("p2"))));
    if (!hasPoint(p1, "drawRectangle", "p1") || !hasPoint(p2, "drawRectangle", "p2"))
        return;
    FigLine* box = context->createBox();
    if (!box)
        return;
    box->points = boxChain(p1->x, p1->y, p2->x, p2->y);
    addObject(box, obj);
}

void TavrelScript::drawPicture(const QVariantMap& obj)
{
    QLOG_DEBUG() << "drawPicture";
    const QString fileName = obj.value(QStringLiteral("fileName")).toString();
    if (fileName.isEmpty()) {
        QLOG_INFO() << "Skipping picture with empty filename";
        return;
    }
    // The name is written as it is on a line of its own: a line break or
    // NUL in it would break the file.
    for (const QChar c : fileName) {
        if (c.unicode() < 0x20) {
            QLOG_ERROR() << "drawPicture: a file name with control characters cannot be stored";
            return;
        }
    }
    applyDepth(obj);
    const QString ratioKey = QStringLiteral("useOriginalRatio");
    const bool ratio = present(obj, ratioKey) && obj.value(ratioKey).toBool();
    const std::unique_ptr<FigPoint> p1(pointFromVariant(obj.value(QStringLiteral("p1"))));
    if (!hasPoint(p1, "drawPicture", "p1"))
        return;
    const QVariant p2Value = obj.value(QStringLiteral("p2"));
    std::unique_ptr<FigPoint> p2;
    if (!p2Value.isValid() && ratio)
        p2 = std::make_unique<FigPoint>(p1->x + 1000, p1->y + 1000);
    else
        p2.reset(pointFromVariant(p2Value));
    if (!hasPoint(p2, "drawPicture", "p2"))
        return;
    QLOG_DEBUG() << "fileName" << fileName << "flippedX" << obj.value(QStringLiteral("flippedX")).toBool()
                 << "flippedY" << obj.value(QStringLiteral("flippedY")).toBool();
    FigLine* picture = context->createPicture();
    if (!picture)
        return;
    picture->points = boxChain(p1->x, p1->y, p2->x, p2->y);
    picture->picture->flipped = ((p2->x < p1->x) != (p2->y < p1->y)) ? 1 : 0;
    picture->picture->fileName = fileName;
    context->readPicture(picture, picture->picture);
    if (ratio) {
        double scale = 1.0;
        const QString scaleKey = QStringLiteral("scale");
        if (present(obj, scaleKey)) {
            scale = obj.value(scaleKey).toDouble();
            if (!(scale > 0.0) || !std::isfinite(scale)) {
                QLOG_WARN() << "picture scale" << scale << "is not a number above 0; 1 is used";
                scale = 1.0;
            }
        }
        const int width = roundToInt(1200.0 / static_cast<double>(context->dpiX) * scale
            * static_cast<double>(picture->picture->pixmapWidth));
        const int height = roundToInt(1200.0 / static_cast<double>(context->dpiY) * scale
            * static_cast<double>(picture->picture->pixmapHeight));
        const double x3 = sizedSide(p1->x, p2->x, width);
        const double y3 = sizedSide(p1->y, p2->y, height);
        if (std::fabs(x3) > maxFigCoordinate || std::fabs(y3) > maxFigCoordinate) {
            QLOG_ERROR() << "drawPicture: the picture is too large";
            delete picture;
            return;
        }
        // The box takes its size before it joins the drawing, so that adding
        // it stays one undo step.
        FigPoint* old = picture->points;
        picture->points = boxChain(p1->x, p1->y, static_cast<int>(x3), static_cast<int>(y3));
        deleteChain(old);
    }
    // A frame without width or height holds no picture, and the converters
    // refuse a file with one, as the picture tool does.
    int xmin = 0;
    int ymin = 0;
    int xmax = 0;
    int ymax = 0;
    context->pointChainBounds(picture->points, xmin, ymin, xmax, ymax);
    if (xmin == xmax || ymin == ymax) {
        QLOG_ERROR() << "drawPicture: the picture frame has no width or no height";
        delete picture;
        return;
    }
    addObject(picture, obj);
}

void TavrelScript::drawRegularPolygon(const QVariantMap& obj)
{
    QLOG_DEBUG() << "drawRegularPolygon";
    applyPenAndDepth(obj);
    std::unique_ptr<FigLine> polygon(context->createPolygonLine());
    if (!polygon)
        return;
    const QString sides = QStringLiteral("sides");
    if (present(obj, sides)) {
        const int n = obj.value(sides).toInt();
        QLOG_DEBUG() << "sides" << n;
        if (n < 3) {
            QLOG_ERROR() << "regular polygon must have at least 3 sides";
            return;
        }
        if (n > maxNumSides) {
            QLOG_ERROR() << "regular polygon must have at most" << maxNumSides << "sides";
            return;
        }
        emit numSidesChanged(n);
    }
    const std::unique_ptr<FigPoint> centre(pointFromVariant(obj.value(QStringLiteral("center"))));
    const QString radiusKey = QStringLiteral("radius");
    if (!present(obj, radiusKey)) {
        QLOG_ERROR() << "regular polygon must have a radius";
        return;
    }
    if (!hasPoint(centre, "drawRegularPolygon", "center"))
        return;
    const double r = obj.value(radiusKey).toDouble();
    if (!(std::fabs(r) <= maxFigCoordinate)) {
        QLOG_ERROR() << "regular polygon radius" << r << "is out of range";
        return;
    }
    const QString angleKey = QStringLiteral("angle");
    const double a = present(obj, angleKey) ? obj.value(angleKey).toDouble() * pi / 180.0 : 0.0;
    QLOG_DEBUG() << "radius" << r << "angle" << a;
    if (!std::isfinite(a)) {
        QLOG_ERROR() << "regular polygon angle" << obj.value(angleKey).toDouble() << "is no finite number";
        return;
    }
    // The corners lie within the circle of the radius: when that circle
    // fits the drawing, so does every corner.
    if (!withinDrawing(centre->x, centre->y, std::fabs(r))) {
        QLOG_ERROR() << "regular polygon reaches beyond the drawing";
        return;
    }
    // Below one unit all corners fall on the centre.
    FigPoint* chain = std::fabs(r) >= 1.0 ? regularPolygonPoints(centre->x, centre->y, r, a) : nullptr;
    if (!chain) {
        QLOG_ERROR() << "regular polygon radius" << r << "is too small";
        return;
    }
    polygon->points = chain;
    addObject(polygon.release(), obj);
}

void TavrelScript::drawCircle(const QVariantMap& obj)
{
    QLOG_DEBUG() << "drawCircle";
    applyPenAndDepth(obj);
    std::unique_ptr<FigEllipse> circle(context->createEllipse());
    if (!circle)
        return;
    const std::unique_ptr<FigPoint> centre(pointFromVariant(obj.value(QStringLiteral("center"))));
    const QString radiusKey = QStringLiteral("radius");
    const double r = obj.value(radiusKey).toDouble();
    if (!present(obj, radiusKey) || !(r > 0.0)) {
        QLOG_ERROR() << "a circle must have a radius > 0";
        return;
    }
    if (!hasPoint(centre, "drawCircle", "center"))
        return;
    QLOG_DEBUG() << "radius" << r;
    // The radius is kept whole: one that cuts to 0 is no circle.
    if (cutLength(std::fmin(r, maxFigCoordinate)) < 1) {
        QLOG_ERROR() << "a circle must have a radius > 0";
        return;
    }
    if (!withinDrawing(centre->x, centre->y, r)) {
        QLOG_ERROR() << "a circle must lie within" << maxFigCoordinate << "of the origin";
        return;
    }
    circle->subType = 3;
    circle->angle = 0.0f;
    circle->center.x = circle->start.x = centre->x;
    circle->center.y = circle->start.y = centre->y;
    circle->radii.x = circle->radii.y = cutLength(r);
    circle->end.x = cutLength(centre->x + r);
    circle->end.y = centre->y;
    addObject(circle.release(), obj);
}

void TavrelScript::drawEllipse(const QVariantMap& obj)
{
    QLOG_DEBUG() << "drawEllipse";
    applyPenAndDepth(obj);
    std::unique_ptr<FigEllipse> ellipse(context->createEllipse());
    if (!ellipse)
        return;
    const std::unique_ptr<FigPoint> centre(pointFromVariant(obj.value(QStringLiteral("center"))));
    const QString rxKey = QStringLiteral("radiusx");
    const QString ryKey = QStringLiteral("radiusy");
    const double rx = obj.value(rxKey).toDouble();
    const double ry = obj.value(ryKey).toDouble();
    if (!present(obj, rxKey) || !(rx > 0.0) || !present(obj, ryKey) || !(ry > 0.0)) {
        QLOG_ERROR() << "an ellipse must have a radius > 0";
        return;
    }
    if (!hasPoint(centre, "drawEllipse", "center"))
        return;
    QLOG_DEBUG() << "radiusx" << rx << "radiusy" << ry;
    if (cutLength(std::fmin(rx, maxFigCoordinate)) < 1 || cutLength(std::fmin(ry, maxFigCoordinate)) < 1) {
        QLOG_ERROR() << "an ellipse must have a radius > 0";
        return;
    }
    // Turned any way, the ellipse stays within the circle of its larger radius.
    if (!withinDrawing(centre->x, centre->y, std::fmax(rx, ry))) {
        QLOG_ERROR() << "an ellipse must lie within" << maxFigCoordinate << "of the origin";
        return;
    }
    const QString angleKey = QStringLiteral("angle");
    if (present(obj, angleKey)) {
        const double degrees = obj.value(angleKey).toDouble();
        QLOG_DEBUG() << "angle" << degrees;
        if (!std::isfinite(degrees)) {
            QLOG_ERROR() << "ellipse angle" << degrees << "is no finite number";
            return;
        }
        ellipse->angle = static_cast<float>(std::fmod(degrees, 360.0) * pi / 180.0);
        emit ellipseAngleChanged(obj.value(angleKey).toInt());
    } else {
        ellipse->angle = 0.0f;
    }
    ellipse->subType = 1;
    ellipse->radii.x = cutLength(rx);
    ellipse->radii.y = cutLength(ry);
    ellipse->center.x = ellipse->start.x = centre->x;
    ellipse->center.y = ellipse->start.y = centre->y;
    ellipse->end.x = cutLength(centre->x + rx);
    ellipse->end.y = centre->y;
    addObject(ellipse.release(), obj);
}

void TavrelScript::drawArc(const QVariantMap& obj)
{
    QLOG_DEBUG() << "drawArc";
    applyPenAndDepth(obj);
    const QString type = QStringLiteral("type");
    if (present(obj, type))
        emit arcTypeChanged(scriptKeyword(arcTypeKeywords, obj.value(type).toString()));
    std::unique_ptr<FigArc> arc(context->createArc());
    if (!arc)
        return;
    const std::unique_ptr<FigPoint> p1(pointFromVariant(obj.value(QStringLiteral("p1"))));
    const std::unique_ptr<FigPoint> p2(pointFromVariant(obj.value(QStringLiteral("p2"))));
    const std::unique_ptr<FigPoint> p3(pointFromVariant(obj.value(QStringLiteral("p3"))));
    if (!hasPoint(p1, "drawArc", "p1") || !hasPoint(p2, "drawArc", "p2") || !hasPoint(p3, "drawArc", "p3"))
        return;
    float cx = 0.0f;
    float cy = 0.0f;
    if (!computeArcCenter(p1->x, p1->y, p2->x, p2->y, p3->x, p3->y, cx, cy))
        return;
    // Nearly straight arcs have their centre far away: one beyond the
    // coordinates of a drawing could not be read back.
    if (!withinDrawing(cx, cy, 0.0)) {
        QLOG_ERROR() << "drawArc: the arc's centre lies beyond the drawing; the points are nearly on one line";
        return;
    }
    arc->centerX = cx;
    arc->centerY = cy;
    const FigPoint* given[3] = { p1.get(), p2.get(), p3.get() };
    for (int i = 0; i < 3; ++i) {
        arc->points[i].x = given[i]->x;
        arc->points[i].y = given[i]->y;
    }
    arc->direction = arcDirection(p1->x, p1->y, p2->x, p2->y, p3->x, p3->y);
    applyArrows(obj, arc.get());
    addObject(arc.release(), obj);
}

void TavrelScript::drawText(const QVariantMap& obj)
{
    QLOG_DEBUG() << "drawText";
    applyPenAndDepth(obj);
    const QString text = obj.value(QStringLiteral("text")).toString();
    QLOG_DEBUG() << "text" << text;
    const QString font = obj.value(QStringLiteral("font")).toString();
    if (!font.isEmpty()) {
        QLOG_DEBUG() << "font" << font;
        for (int i = 0; i < fontTableSize; ++i) {
            if (font.compare(fontTable[i].psName, Qt::CaseInsensitive) == 0) {
                emit psFontChanged(i);
                break;
            }
        }
    }
    const QString fontSize = QStringLiteral("fontSize");
    if (present(obj, fontSize))
        emit fontSizeChanged(obj.value(fontSize).toInt());
    const QString angle = QStringLiteral("angle");
    if (present(obj, angle))
        emit textAngleChanged(obj.value(angle).toInt());
    const QString alignment = QStringLiteral("alignment");
    if (present(obj, alignment))
        emit textAlignChanged(scriptKeyword(alignmentKeywords, obj.value(alignment).toString()));
    const QString rigid = QStringLiteral("rigid");
    if (present(obj, rigid))
        emit textRigidChanged(obj.value(rigid).toBool());
    const QString latex = QStringLiteral("latex");
    if (present(obj, latex))
        emit textSpecialChanged(obj.value(latex).toBool());
    const std::unique_ptr<FigPoint> base(pointFromVariant(obj.value(QStringLiteral("base"))));
    if (!hasPoint(base, "drawText", "base"))
        return;
    FigText* object = context->createText(text, base->x, base->y);
    if (!object)
        return;
    addObject(object, obj);
}
