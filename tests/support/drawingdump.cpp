#include "drawingdump.h"

#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figcompound.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/picturedata.h"

#include <QTextStream>

namespace testdump {

namespace {

QString point(const FigPoint& p)
{
    QString s = QStringLiteral("(%1,%2)").arg(p.x).arg(p.y);
    if (const SmartLink* link = p.link)
        s += QStringLiteral("->%1[%2,%3]").arg(link->targetObjId).arg(link->targetLeftPointIdx)
                 .arg(link->targetRightPointIdx);
    return s;
}

QString chain(const FigPoint* first)
{
    QStringList parts;
    for (const FigPoint* p = first; p; p = p->next)
        parts << point(*p);
    return parts.join(QLatin1Char(' '));
}

QString arrow(const FigArrow* a)
{
    if (!a)
        return QStringLiteral("-");
    return QStringLiteral("<%1 %2 %3 %4 %5>")
        .arg(a->type)
        .arg(a->style)
        .arg(double(a->thickness), 0, 'f', 3)
        .arg(double(a->width), 0, 'f', 3)
        .arg(double(a->height), 0, 'f', 3);
}

void dumpList(QTextStream& out, const FigObjectList* list, int indent);

void dumpObject(QTextStream& out, const FigObject* o, int indent)
{
    out << QString(indent, QLatin1Char(' '));
    out << "type=" << o->type << " id=" << o->id << " sub=" << o->subType << " depth=" << o->depth;
    if (o->type != FigObject::Text && o->type != FigObject::Compound) {
        out << " ls=" << o->lineStyle << " lw=" << o->lineWidth << " pen=" << o->penColor << " fill=" << o->fillColor
            << " area=" << o->fillStyle << " sv=" << QString::number(double(o->styleVal), 'f', 4)
            << " fa=" << arrow(o->forwArrow) << " ba=" << arrow(o->backArrow);
    }
    switch (o->type) {
    case FigObject::Ellipse: {
        const auto* e = static_cast<const FigEllipse*>(o);
        out << " dir=" << e->direction << " angle=" << QString::number(double(e->angle), 'f', 4) << " c="
            << point(e->center) << " r=" << point(e->radii) << " s=" << point(e->start) << " e=" << point(e->end);
        break;
    }
    case FigObject::Polyline: {
        const auto* l = static_cast<const FigLine*>(o);
        out << " cap=" << l->capStyle << " join=" << l->joinStyle << " radius=" << l->radius;
        if (l->picture)
            out << " pic=" << l->picture->fileName << " flipped=" << l->picture->flipped;
        out << " pts=" << chain(l->points);
        break;
    }
    case FigObject::Spline: {
        const auto* s = static_cast<const FigSpline*>(o);
        out << " cap=" << s->capStyle << " pts=" << chain(s->points) << " sf=";
        for (const ShapeFactorNode* n = s->shapeFactors; n; n = n->next)
            out << QString::number(n->value, 'f', 3) << ' ';
        break;
    }
    case FigObject::Text: {
        const auto* t = static_cast<const FigText*>(o);
        out << " font=" << t->font << " size=" << t->fontSize << " color=" << t->color
            << " angle=" << QString::number(double(t->angle), 'f', 4) << " flags=" << t->fontFlags << " at=("
            << t->x << ',' << t->y << ") text=" << t->text;
        break;
    }
    case FigObject::Arc: {
        const auto* a = static_cast<const FigArc*>(o);
        out << " cap=" << a->capStyle << " dir=" << a->direction << " c=("
            << QString::number(double(a->centerX), 'f', 3) << ',' << QString::number(double(a->centerY), 'f', 3)
            << ") pts=" << point(a->points[0]) << ' ' << point(a->points[1]) << ' ' << point(a->points[2]);
        break;
    }
    case FigObject::Compound: {
        const auto* c = static_cast<const FigCompound*>(o);
        out << " box=" << point(c->upperLeft) << point(c->lowerRight) << '\n';
        dumpList(out, c->members, indent + 2);
        return;
    }
    default:
        break;
    }
    out << '\n';
}

void dumpList(QTextStream& out, const FigObjectList* list, int indent)
{
    if (!list)
        return;
    for (const FigObject* o : *list)
        dumpObject(out, o, indent);
}

} // namespace

QString dumpObjects(const FigObjectList* list)
{
    QString text;
    QTextStream out(&text);
    dumpList(out, list, 0);
    out.flush();
    return text;
}

} // namespace testdump
