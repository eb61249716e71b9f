#include "model/attributechange.h"

#include "model/figarc.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"

namespace {

using namespace AttributeKind;

// Which value of the record a change writes: the new one when applied, the
// old one when reverted; all further rules are the same both ways.
struct Value {
    int i;
    float f;
    bool b;
};

Value newValue(const AttributeChange* change)
{
    return { change->newInt, change->newFloat, change->newBool };
}

Value oldValue(const AttributeChange* change)
{
    return { change->oldInt, change->oldFloat, change->oldBool };
}

// The text's screen metrics at the document's zoom after a font change.
void refreshTextMetrics(CFigContext* context, FigText* text)
{
    context->computeTextMetrics(text, context->zoom);
}

// The style value keeps its ratio to the line width: it is stored as
// (width + 1) * base * 0.5, so a new width takes the same base.
void setLineWidth(FigObject* object, int width)
{
    const int w = object->lineWidth;
    // A width of -1 would divide by zero; such a line has no base to keep.
    if (w + 1 != 0) {
        const float base = static_cast<float>(2.0 * static_cast<double>(object->styleVal) / (w + 1));
        object->styleVal = static_cast<float>(width + 1) * base * 0.5f;
    }
    object->lineWidth = width;
}

void setDepth(CFigContext* context, FigObject* object, int depth)
{
    context->removeDepthCount(object->type, object->depth);
    object->depth = depth;
    context->addDepthCount(object->type, object->depth);
}

void setCommon(CFigContext* context, FigObject* object, int kind, const Value& v)
{
    switch (kind) {
    case Depth:
        setDepth(context, object, v.i);
        break;
    case LineWidth:
        setLineWidth(object, v.i);
        break;
    case LineStyle:
        object->lineStyle = v.i;
        break;
    case StyleVal:
        object->styleVal = static_cast<float>(object->lineWidth + 1) * v.f * 0.5f;
        break;
    case PenColor:
        object->penColor = v.i;
        break;
    case FillColor:
        object->fillColor = v.i;
        break;
    case FillStyle:
        object->fillStyle = v.i;
        break;
    default:
        break;
    }
}

void setArc(CFigContext* context, FigArc* arc, int kind, const Value& v)
{
    setCommon(context, arc, kind, v);
    if (kind == CapStyle)
        arc->capStyle = v.i;
    else if (kind == ArcType)
        arc->subType = v.i;
}

void setEllipse(CFigContext* context, FigEllipse* ellipse, int kind, const Value& v)
{
    setCommon(context, ellipse, kind, v);
    if (kind == EllipseAngle)
        ellipse->angle = v.f;
}

void setPolyline(CFigContext* context, FigLine* line, int kind, const Value& v)
{
    setCommon(context, line, kind, v);
    switch (kind) {
    case CapStyle:
        line->capStyle = v.i;
        break;
    case JoinStyle:
        line->joinStyle = v.i;
        break;
    case BoxType:
        line->subType = v.i;
        break;
    case BoxCornerRadius:
        if (line->subType == 2 || line->subType == 4)
            line->radius = v.i;
        break;
    default:
        break;
    }
}

void setSpline(CFigContext* context, FigSpline* spline, int kind, const Value& v)
{
    setCommon(context, spline, kind, v);
    if (kind == CapStyle)
        spline->capStyle = v.i;
}

void setText(CFigContext* context, FigText* text, int kind, const Value& v)
{
    switch (kind) {
    case Depth:
        setDepth(context, text, v.i);
        break;
    case PenColor:
        text->color = v.i;
        break;
    case Font:
        text->font = v.i;
        refreshTextMetrics(context, text);
        break;
    case TextAlign:
        text->subType = v.i;
        break;
    case TextRigid:
    case TextSpecial:
        text->fontFlags = v.i;
        break;
    case FontSize:
        text->fontSize = v.i;
        refreshTextMetrics(context, text);
        break;
    case TextAngle:
        text->angle = v.f;
        break;
    case FontKind:
        if (v.b)
            text->fontFlags |= 4;
        else
            text->fontFlags &= ~4;
        break;
    default:
        break;
    }
}

void setObject(CFigContext* context, FigObject* object, int kind, const Value& v);

void setList(CFigContext* context, const FigObjectList* list, int kind, const Value& v)
{
    if (!list)
        return;
    for (FigObject* object : *list) {
        setObject(context, object, kind, v);
        if (object->type == FigObject::Text && !keepsLatexImage(kind))
            static_cast<FigText*>(object)->clearLatexPixmaps();
    }
}

void setObject(CFigContext* context, FigObject* object, int kind, const Value& v)
{
    switch (object->type) {
    case FigObject::Ellipse:
        setEllipse(context, static_cast<FigEllipse*>(object), kind, v);
        break;
    case FigObject::Polyline:
        setPolyline(context, static_cast<FigLine*>(object), kind, v);
        break;
    case FigObject::Spline:
        setSpline(context, static_cast<FigSpline*>(object), kind, v);
        break;
    case FigObject::Text:
        setText(context, static_cast<FigText*>(object), kind, v);
        break;
    case FigObject::Arc:
        setArc(context, static_cast<FigArc*>(object), kind, v);
        break;
    case FigObject::Compound:
        setList(context, static_cast<FigCompound*>(object)->members, kind, v);
        break;
    default:
        break;
    }
}

// ---- What a compound's members held ----

// The field or fields that a change of the kind writes on the object, read
// into a member value; false when the kind does not concern the object.
bool readMemberValue(const FigObject* object, int kind, AttributeChange::MemberValue& out)
{
    out.object = const_cast<FigObject*>(object);
    const bool isText = object->type == FigObject::Text;
    if (isText) {
        const auto* text = static_cast<const FigText*>(object);
        switch (kind) {
        case Depth:
            out.intValue = text->depth;
            return true;
        case PenColor:
            out.intValue = text->color;
            return true;
        case Font:
            out.intValue = text->font;
            return true;
        case TextAlign:
            out.intValue = text->subType;
            return true;
        case TextRigid:
        case TextSpecial:
        case FontKind:
            out.intValue = text->fontFlags;
            return true;
        case FontSize:
            out.intValue = text->fontSize;
            return true;
        case TextAngle:
            out.floatValue = text->angle;
            return true;
        default:
            return false;
        }
    }
    switch (kind) {
    case Depth:
        out.intValue = object->depth;
        return true;
    case LineWidth:
        out.intValue = object->lineWidth;
        out.floatValue = object->styleVal;
        return true;
    case LineStyle:
        out.intValue = object->lineStyle;
        return true;
    case StyleVal:
        out.floatValue = object->styleVal;
        return true;
    case PenColor:
        out.intValue = object->penColor;
        return true;
    case FillColor:
        out.intValue = object->fillColor;
        return true;
    case FillStyle:
        out.intValue = object->fillStyle;
        return true;
    default:
        break;
    }
    switch (object->type) {
    case FigObject::Arc:
        if (kind == CapStyle)
            out.intValue = static_cast<const FigArc*>(object)->capStyle;
        else if (kind == ArcType)
            out.intValue = object->subType;
        else
            return false;
        return true;
    case FigObject::Ellipse:
        if (kind != EllipseAngle)
            return false;
        out.floatValue = static_cast<const FigEllipse*>(object)->angle;
        return true;
    case FigObject::Polyline: {
        const auto* line = static_cast<const FigLine*>(object);
        if (kind == CapStyle)
            out.intValue = line->capStyle;
        else if (kind == JoinStyle)
            out.intValue = line->joinStyle;
        else if (kind == BoxType)
            out.intValue = line->subType;
        else if (kind == BoxCornerRadius)
            out.intValue = line->radius;
        else
            return false;
        return true;
    }
    case FigObject::Spline:
        if (kind != CapStyle)
            return false;
        out.intValue = static_cast<const FigSpline*>(object)->capStyle;
        return true;
    default:
        return false;
    }
}

void writeMemberValue(CFigContext* context, const AttributeChange::MemberValue& saved, int kind)
{
    FigObject* object = saved.object;
    if (object->type == FigObject::Text) {
        auto* text = static_cast<FigText*>(object);
        switch (kind) {
        case Depth:
            setDepth(context, text, saved.intValue);
            break;
        case PenColor:
            text->color = saved.intValue;
            break;
        case Font:
            text->font = saved.intValue;
            refreshTextMetrics(context, text);
            break;
        case TextAlign:
            text->subType = saved.intValue;
            break;
        case TextRigid:
        case TextSpecial:
        case FontKind:
            text->fontFlags = saved.intValue;
            break;
        case FontSize:
            text->fontSize = saved.intValue;
            refreshTextMetrics(context, text);
            break;
        case TextAngle:
            text->angle = saved.floatValue;
            break;
        default:
            break;
        }
        if (!keepsLatexImage(kind))
            text->clearLatexPixmaps();
        return;
    }
    switch (kind) {
    case Depth:
        setDepth(context, object, saved.intValue);
        return;
    case LineWidth:
        object->lineWidth = saved.intValue;
        object->styleVal = saved.floatValue;
        return;
    case LineStyle:
        object->lineStyle = saved.intValue;
        return;
    case StyleVal:
        object->styleVal = saved.floatValue;
        return;
    case PenColor:
        object->penColor = saved.intValue;
        return;
    case FillColor:
        object->fillColor = saved.intValue;
        return;
    case FillStyle:
        object->fillStyle = saved.intValue;
        return;
    default:
        break;
    }
    switch (object->type) {
    case FigObject::Arc:
        if (kind == CapStyle)
            static_cast<FigArc*>(object)->capStyle = saved.intValue;
        else if (kind == ArcType)
            object->subType = saved.intValue;
        break;
    case FigObject::Ellipse:
        if (kind == EllipseAngle)
            static_cast<FigEllipse*>(object)->angle = saved.floatValue;
        break;
    case FigObject::Polyline: {
        auto* line = static_cast<FigLine*>(object);
        if (kind == CapStyle)
            line->capStyle = saved.intValue;
        else if (kind == JoinStyle)
            line->joinStyle = saved.intValue;
        else if (kind == BoxType)
            line->subType = saved.intValue;
        else if (kind == BoxCornerRadius)
            line->radius = saved.intValue;
        break;
    }
    case FigObject::Spline:
        if (kind == CapStyle)
            static_cast<FigSpline*>(object)->capStyle = saved.intValue;
        break;
    default:
        break;
    }
}

void collectMemberValues(const FigObjectList* list, int kind, QList<AttributeChange::MemberValue>& out)
{
    if (!list)
        return;
    for (const FigObject* object : *list) {
        if (object->type == FigObject::Compound) {
            collectMemberValues(static_cast<const FigCompound*>(object)->members, kind, out);
            continue;
        }
        AttributeChange::MemberValue value;
        if (readMemberValue(object, kind, value))
            out.append(value);
    }
}

} // namespace

bool keepsLatexImage(int kind)
{
    return kind == TextAlign || kind == TextRigid || kind == TextAngle;
}

void CFigContext::applyCommonAttributeChange(FigObject* object, const AttributeChange* change)
{
    if (object && change)
        setCommon(this, object, change->kind, newValue(change));
}

void CFigContext::revertCommonAttributeChange(FigObject* object, const AttributeChange* change)
{
    if (object && change)
        setCommon(this, object, change->kind, oldValue(change));
}

void CFigContext::applyArcAttributeChange(FigArc* arc, const AttributeChange* change)
{
    if (arc && change)
        setArc(this, arc, change->kind, newValue(change));
}

void CFigContext::revertArcAttributeChange(FigArc* arc, const AttributeChange* change)
{
    if (arc && change)
        setArc(this, arc, change->kind, oldValue(change));
}

void CFigContext::applyEllipseAttributeChange(FigEllipse* ellipse, const AttributeChange* change)
{
    if (ellipse && change)
        setEllipse(this, ellipse, change->kind, newValue(change));
}

void CFigContext::revertEllipseAttributeChange(FigEllipse* ellipse, const AttributeChange* change)
{
    if (ellipse && change)
        setEllipse(this, ellipse, change->kind, oldValue(change));
}

void CFigContext::applyPolylineAttributeChange(FigLine* line, const AttributeChange* change)
{
    if (line && change)
        setPolyline(this, line, change->kind, newValue(change));
}

void CFigContext::revertPolylineAttributeChange(FigLine* line, const AttributeChange* change)
{
    if (line && change)
        setPolyline(this, line, change->kind, oldValue(change));
}

void CFigContext::applySplineAttributeChange(FigSpline* spline, const AttributeChange* change)
{
    if (spline && change)
        setSpline(this, spline, change->kind, newValue(change));
}

void CFigContext::revertSplineAttributeChange(FigSpline* spline, const AttributeChange* change)
{
    if (spline && change)
        setSpline(this, spline, change->kind, oldValue(change));
}

void CFigContext::applyTextAttributeChange(FigText* text, const AttributeChange* change)
{
    if (text && change)
        setText(this, text, change->kind, newValue(change));
}

void CFigContext::revertTextAttributeChange(FigText* text, const AttributeChange* change)
{
    if (text && change)
        setText(this, text, change->kind, oldValue(change));
}

void CFigContext::applyCompoundAttributeChange(FigCompound* compound, AttributeChange* change)
{
    if (!compound || !change)
        return;
    change->memberValues.clear();
    collectMemberValues(compound->members, change->kind, change->memberValues);
    applyListAttributeChange(compound->members, change);
}

void CFigContext::revertCompoundAttributeChange(FigCompound* compound, AttributeChange* change)
{
    if (!compound || !change)
        return;
    if (change->memberValues.isEmpty()) {
        // Never applied here: the record's one old value is all there is.
        revertListAttributeChange(compound->members, change);
        return;
    }
    for (auto it = change->memberValues.crbegin(); it != change->memberValues.crend(); ++it)
        writeMemberValue(this, *it, change->kind);
}

void CFigContext::applyListAttributeChange(const FigObjectList* list, const AttributeChange* change)
{
    if (change)
        setList(this, list, change->kind, newValue(change));
}

void CFigContext::revertListAttributeChange(const FigObjectList* list, const AttributeChange* change)
{
    if (change)
        setList(this, list, change->kind, oldValue(change));
}
