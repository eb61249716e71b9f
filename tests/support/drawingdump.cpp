#include "support/drawingdump.h"

#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/picturedata.h"

#include <QTextStream>

namespace drawingdump {

namespace {

void dumpArrow(QTextStream& out, const char* name, const FigArrow* arrow)
{
    if (!arrow)
        return;
    out << "  " << name << ' ' << arrow->type << ' ' << arrow->style << ' ' << arrow->thickness << ' ' << arrow->width
        << ' ' << arrow->height << '\n';
}

void dumpChain(QTextStream& out, const FigPoint* chain)
{
    for (const FigPoint* p = chain; p; p = p->next) {
        out << "  point " << p->x << ' ' << p->y;
        if (const SmartLink* link = p->link)
            out << " link " << link->targetObjId << ' ' << link->targetLeftPointIdx << ' ' << link->targetRightPointIdx;
        out << '\n';
    }
}

void dumpList(QTextStream& out, const FigObjectList* list, int level)
{
    for (const FigObject* o : *list) {
        out << QByteArray(level * 2, ' ') << "object " << o->type << " id " << o->id << " sub " << o->subType
            << " depth " << o->depth << " style " << o->lineStyle << ' ' << o->styleVal << " width " << o->lineWidth
            << " colours " << o->penColor << ' ' << o->fillColor << " fill " << o->fillStyle << " pen " << o->penStyle
            << " former " << o->formerSubType << " comment " << o->comment.toUtf8() << '\n';
        dumpArrow(out, "forward", o->forwArrow);
        dumpArrow(out, "backward", o->backArrow);
        switch (o->type) {
        case FigObject::Polyline: {
            auto* line = static_cast<const FigLine*>(o);
            out << "  line " << line->capStyle << ' ' << line->joinStyle << ' ' << line->radius << '\n';
            if (line->picture)
                out << "  picture " << line->picture->fileName << ' ' << line->picture->flipped << '\n';
            dumpChain(out, line->points);
            break;
        }
        case FigObject::Spline: {
            auto* spline = static_cast<const FigSpline*>(o);
            out << "  spline " << spline->capStyle << '\n';
            dumpChain(out, spline->points);
            out << "  factors";
            for (const ShapeFactorNode* n = spline->shapeFactors; n; n = n->next)
                out << ' ' << n->value;
            out << '\n';
            break;
        }
        case FigObject::Ellipse: {
            auto* e = static_cast<const FigEllipse*>(o);
            out << "  ellipse " << e->angle << ' ' << e->direction << ' ' << e->center.x << ' ' << e->center.y << ' '
                << e->radii.x << ' ' << e->radii.y << ' ' << e->start.x << ' ' << e->start.y << ' ' << e->end.x << ' '
                << e->end.y << '\n';
            break;
        }
        case FigObject::Arc: {
            auto* a = static_cast<const FigArc*>(o);
            out << "  arc " << a->capStyle << ' ' << a->direction << ' ' << a->centerX << ' ' << a->centerY;
            for (const FigPoint& p : a->points)
                out << ' ' << p.x << ' ' << p.y;
            out << '\n';
            break;
        }
        case FigObject::Text: {
            auto* t = static_cast<const FigText*>(o);
            out << "  text " << t->font << ' ' << t->fontSize << ' ' << t->color << ' ' << t->angle << ' '
                << t->fontFlags << ' ' << t->length << ' ' << t->ascent << ' ' << t->x << ' ' << t->y << ' '
                << t->text.toUtf8() << '\n';
            break;
        }
        case FigObject::Compound: {
            auto* c = static_cast<const FigCompound*>(o);
            out << "  corners " << c->upperLeft.x << ' ' << c->upperLeft.y << ' ' << c->lowerRight.x << ' '
                << c->lowerRight.y << '\n';
            dumpList(out, c->members, level + 1);
            out << "  end compound\n";
            break;
        }
        default:
            break;
        }
    }
}

} // namespace

QByteArray writtenDrawing(CFigContext& context)
{
    QByteArray bytes;
    QTextStream out(&bytes);
    dumpList(out, &context.drawing.objects, 0);
    out.flush();
    return bytes;
}

} // namespace drawingdump
