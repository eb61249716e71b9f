// Applying the current drawing attributes and the document's colours to one
// object as one undo step: each attribute that differs one attribute change,
// each arrow end that has to change one arrow change.
#include "edit/canvashandlers.h"
#include "edit/takeattributes.h"
#include "model/attributechange.h"
#include "model/changearrowaction.h"
#include "model/changeattributeaction.h"
#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/pointoperations.h"
#include "toolbars/drawingattributes.h"
#include "toolbars/updatemask.h"

#include <QPainter>
#include <QString>

#include <cmath>
#include <new>

namespace {

using namespace AttributeKind;

bool isPicture(const FigObject* object)
{
    return object->type == FigObject::Polyline && object->subType == 5;
}

// Equal values; two values that are no number count as equal too, so that
// such a value taken from an object is not taken for a change.
bool sameFloat(float a, float b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool taken(bool onlyFlagged, bool flag)
{
    return !onlyFlagged || flag;
}

// The change of one attribute of `object` from its value to the wanted one.
class ChangeList {
public:
    ChangeList(CFigContext* context, FigObject* object, ActionStep& list)
        : context(context)
        , object(object)
        , list(list)
    {
    }

    void addInt(int kind, int oldValue, int newValue)
    {
        auto* change = new AttributeChange;
        change->kind = kind;
        change->oldInt = oldValue;
        change->newInt = newValue;
        append(change);
    }
    void addFloat(int kind, float oldValue, float newValue)
    {
        auto* change = new AttributeChange;
        change->kind = kind;
        change->oldFloat = oldValue;
        change->newFloat = newValue;
        append(change);
    }
    void addBool(int kind, bool oldValue, bool newValue)
    {
        auto* change = new AttributeChange;
        change->kind = kind;
        change->oldBool = oldValue;
        change->newBool = newValue;
        append(change);
    }
    // Built only when the values differ.
    void intIfDifferent(int kind, bool flag, int objectValue, int wanted)
    {
        if (flag && objectValue != wanted)
            addInt(kind, objectValue, wanted);
    }
    void floatIfDifferent(int kind, bool flag, float objectValue, float wanted)
    {
        if (flag && !sameFloat(objectValue, wanted))
            addFloat(kind, objectValue, wanted);
    }

private:
    void append(AttributeChange* change) { list.append(new ChangeAttributeAction(context->objects(), object, change)); }

    CFigContext* context;
    FigObject* object;
    ActionStep& list;
};

// Whether setting the base style value would change the object's style value
// as the Fig file keeps it (three decimals). Comparing the base values
// themselves would find a difference in the last bit of a value that was
// taken from this very object, and so change an object by showing it.
bool styleValDiffers(const FigObject* object, float base)
{
    const float written = static_cast<float>(object->lineWidth + 1) * base * 0.5f;
    return QString::number(static_cast<double>(written), 'f', 3)
        != QString::number(static_cast<double>(object->styleVal), 'f', 3);
}

bool sameSizes(const FigArrow& a, float thickness, float width, float height)
{
    return a.thickness == thickness && a.width == width && a.height == height;
}

bool sameArrow(const FigArrow& a, const FigArrow& b)
{
    return a.type == b.type && a.style == b.style && a.thickness == b.thickness && a.width == b.width
        && a.height == b.height;
}

ActionStep buildByType(CFigContext* context, FigObject* object, bool onlyFlagged);

// The members of a compound at every nesting, each with its own changes:
// compared with its own values, so that one undo gives each its own back.
void appendMemberChanges(CFigContext* context, const FigCompound* compound, bool onlyFlagged, ActionStep& out)
{
    for (FigObject* member : *compound->members) {
        if (member->type == FigObject::Compound)
            appendMemberChanges(context, static_cast<const FigCompound*>(member), onlyFlagged, out);
        else
            out.append(buildByType(context, member, onlyFlagged));
    }
}

ActionStep buildByType(CFigContext* context, FigObject* object, bool onlyFlagged)
{
    switch (object->type) {
    case FigObject::Ellipse:
        return context->buildEllipseAttributeChanges(object, onlyFlagged);
    case FigObject::Polyline:
        return context->buildPolylineAttributeChanges(object, onlyFlagged);
    case FigObject::Spline:
        return context->buildSplineAttributeChanges(object, onlyFlagged);
    case FigObject::Text:
        return context->buildTextAttributeChanges(object, onlyFlagged);
    case FigObject::Arc:
        return context->buildArcAttributeChanges(object, onlyFlagged);
    case FigObject::Compound: {
        ActionStep list;
        appendMemberChanges(context, static_cast<const FigCompound*>(object), onlyFlagged, list);
        return list;
    }
    default:
        return {};
    }
}

} // namespace

ActionStep CFigContext::buildCommonAttributeChanges(FigObject* object, bool onlyFlagged)
{
    ActionStep list;
    if (!object)
        return list;
    ChangeList changes(this, object, list);
    const UpdateMask& m = updateMask;
    changes.intIfDifferent(Depth, taken(onlyFlagged, m.depth), object->depth, currentAttrs.depth);
    changes.intIfDifferent(LineWidth, taken(onlyFlagged, m.lineWidth), object->lineWidth, currentAttrs.lineWidth);
    changes.intIfDifferent(LineStyle, taken(onlyFlagged, m.lineStyle), object->lineStyle, currentAttrs.lineStyle);
    // A line width of -1 leaves no base value to compare.
    if (taken(onlyFlagged, m.styleVal) && object->lineWidth + 1 != 0
        && styleValDiffers(object, currentAttrs.styleVal)) {
        const float normalised = object->styleVal * 2.0f / static_cast<float>(object->lineWidth + 1);
        changes.addFloat(StyleVal, normalised, currentAttrs.styleVal);
    }
    changes.intIfDifferent(PenColor, taken(onlyFlagged, m.penColor), object->penColor, penColor);
    changes.intIfDifferent(FillColor, taken(onlyFlagged, m.fillColor), object->fillColor, fillColor);
    changes.intIfDifferent(FillStyle, taken(onlyFlagged, m.fillStyle), object->fillStyle, fillStyle);
    return list;
}

ActionStep CFigContext::buildArcAttributeChanges(FigObject* object, bool onlyFlagged)
{
    ActionStep list = buildCommonAttributeChanges(object, onlyFlagged);
    if (!object)
        return list;
    const auto* arc = static_cast<const FigArc*>(object);
    ChangeList changes(this, object, list);
    changes.intIfDifferent(CapStyle, taken(onlyFlagged, updateMask.capStyle), arc->capStyle, currentAttrs.capStyle);
    changes.intIfDifferent(ArcType, taken(onlyFlagged, updateMask.arcType), arc->subType, currentAttrs.arcType);
    return list;
}

ActionStep CFigContext::buildEllipseAttributeChanges(FigObject* object, bool onlyFlagged)
{
    ActionStep list = buildCommonAttributeChanges(object, onlyFlagged);
    if (!object)
        return list;
    ChangeList changes(this, object, list);
    changes.floatIfDifferent(EllipseAngle, taken(onlyFlagged, updateMask.ellipseAngle),
        static_cast<const FigEllipse*>(object)->angle, currentAttrs.ellipseAngle);
    return list;
}

ActionStep CFigContext::buildPolylineAttributeChanges(FigObject* object, bool onlyFlagged)
{
    if (!object)
        return {};
    auto* line = static_cast<FigLine*>(object);
    // A picture has no line, arrow or colour of its own to show or take: its
    // page edits the depth only, and taking the other values from whatever
    // was shown before would change the picture behind the user's back.
    if (isPicture(line)) {
        ActionStep list;
        ChangeList(this, line, list)
            .intIfDifferent(Depth, taken(onlyFlagged, updateMask.depth), line->depth, currentAttrs.depth);
        return list;
    }
    ActionStep list = buildCommonAttributeChanges(object, onlyFlagged);
    ChangeList changes(this, object, list);
    const UpdateMask& m = updateMask;
    changes.intIfDifferent(CapStyle, taken(onlyFlagged, m.capStyle), line->capStyle, currentAttrs.capStyle);
    changes.intIfDifferent(JoinStyle, taken(onlyFlagged, m.joinStyle), line->joinStyle, currentAttrs.joinStyle);
    if (line->subType == 2 || line->subType == 4) {
        changes.intIfDifferent(BoxType, taken(onlyFlagged, m.boxType), line->subType, currentAttrs.boxType);
        changes.intIfDifferent(
            BoxCornerRadius, taken(onlyFlagged, m.boxCornerRadius), line->radius, currentAttrs.boxCornerRadius);
    }
    return list;
}

ActionStep CFigContext::buildSplineAttributeChanges(FigObject* object, bool onlyFlagged)
{
    ActionStep list = buildCommonAttributeChanges(object, onlyFlagged);
    if (!object)
        return list;
    ChangeList changes(this, object, list);
    changes.intIfDifferent(CapStyle, taken(onlyFlagged, updateMask.capStyle),
        static_cast<const FigSpline*>(object)->capStyle, currentAttrs.capStyle);
    return list;
}

ActionStep CFigContext::buildTextAttributeChanges(FigObject* object, bool onlyFlagged)
{
    ActionStep list;
    if (!object)
        return list;
    const auto* text = static_cast<const FigText*>(object);
    ChangeList changes(this, object, list);
    const UpdateMask& m = updateMask;
    const int flags = currentAttrs.textFlags;
    changes.intIfDifferent(Depth, taken(onlyFlagged, m.depth), text->depth, currentAttrs.depth);
    changes.intIfDifferent(PenColor, taken(onlyFlagged, m.penColor), text->color, penColor);
    const int font = (flags & 4) ? currentAttrs.psFont : currentAttrs.latexFont;
    changes.intIfDifferent(Font, taken(onlyFlagged, m.font), text->font, font);
    const bool postScript = (text->fontFlags & 4) != 0;
    if (taken(onlyFlagged, m.font) && postScript != ((flags & 4) != 0))
        changes.addBool(FontKind, postScript, !postScript);
    changes.intIfDifferent(TextAlign, taken(onlyFlagged, m.textAlign), text->subType, currentAttrs.textAlign);
    // The rigid and special changes write the three flags of the current
    // attributes at once; the text's further bits (hidden) stay as they are.
    const int newFlags = (text->fontFlags & ~7) | (flags & 7);
    if (taken(onlyFlagged, m.textRigid) && ((text->fontFlags ^ flags) & 1))
        changes.addInt(TextRigid, text->fontFlags, newFlags);
    if (taken(onlyFlagged, m.textSpecial) && ((text->fontFlags ^ flags) & 2))
        changes.addInt(TextSpecial, text->fontFlags, newFlags);
    changes.intIfDifferent(FontSize, taken(onlyFlagged, m.fontSize), text->fontSize, currentAttrs.fontSize);
    changes.floatIfDifferent(TextAngle, taken(onlyFlagged, m.textAngle), text->angle, currentAttrs.textAngle);
    return list;
}

FigArrow* CFigContext::arrowFromCurrentAttributes(float thickness, int kind)
{
    auto* arrow = new (std::nothrow) FigArrow;
    if (!arrow)
        return nullptr;
    arrow->type = arrowTypeOfKind(kind);
    arrow->style = arrowStyleOfKind(kind);
    if (currentAttrs.arrowSizeMode) {
        arrow->thickness = thickness;
        arrow->width = currentAttrs.arrowWidth;
        arrow->height = currentAttrs.arrowHeight;
    } else {
        arrow->thickness = currentAttrs.arrowThicknessRel * thickness;
        arrow->width = currentAttrs.arrowWidthRel * thickness;
        arrow->height = currentAttrs.arrowHeightRel * thickness;
    }
    return arrow;
}

bool CFigContext::addCurrentArrows(FigObject* object)
{
    if (!object)
        return false;
    const float base = currentAttrs.arrowSizeMode || object->lineWidth == 0 ? currentAttrs.arrowThickness
                                                                            : static_cast<float>(object->lineWidth);
    if (currentAttrs.forwArrowOn) {
        object->forwArrow = arrowFromCurrentAttributes(base, currentAttrs.forwArrow);
        if (!object->forwArrow)
            return false;
    }
    if (currentAttrs.backArrowOn) {
        object->backArrow = arrowFromCurrentAttributes(base, currentAttrs.backArrow);
        if (!object->backArrow)
            return false;
    }
    return true;
}

void CFigContext::buildArrowChange(
    FigObject* object, const FigArrow* arrow, int end, ActionStep& list, bool onlyFlagged)
{
    if (!object || (onlyFlagged && !updateMask.arrows))
        return;
    // An object that cannot carry an arrow would take a change that alters
    // nothing and still counts as an undo step.
    if (!acceptsArrows(object) || isPicture(object))
        return;
    const bool on = end == 1 ? currentAttrs.forwArrowOn : currentAttrs.backArrowOn;
    const int kind = end == 1 ? currentAttrs.forwArrow : currentAttrs.backArrow;
    // The switch off never removes an arrow.
    if (!on)
        return;
    const auto lineWidth = static_cast<float>(object->lineWidth);
    FigArrow* wanted = nullptr;
    if (!arrow) {
        wanted = arrowFromCurrentAttributes(lineWidth, kind);
    } else {
        float thickness = arrow->thickness;
        float width = arrow->width;
        float height = arrow->height;
        if (currentAttrs.arrowSizeMode) {
            thickness = currentAttrs.arrowThickness;
            width = currentAttrs.arrowWidth;
            height = currentAttrs.arrowHeight;
        } else if (object->lineWidth != 0) {
            // Relative sizes of a line of width 0 would be 0: such an arrow
            // keeps the sizes it has.
            thickness = lineWidth * currentAttrs.arrowThicknessRel;
            width = lineWidth * currentAttrs.arrowWidthRel;
            height = lineWidth * currentAttrs.arrowHeightRel;
        }
        // The current sizes hold one set for both ends: taken from an object
        // whose two arrows differ, they are those of one of them. While that
        // arrow still has them, the other one keeps its own.
        const FigArrow* other = end == 1 ? object->backArrow : object->forwArrow;
        if (other && other != arrow && sameSizes(*other, thickness, width, height)) {
            thickness = arrow->thickness;
            width = arrow->width;
            height = arrow->height;
        }
        wanted = createArrow(arrowTypeOfKind(kind), arrowStyleOfKind(kind), thickness, width, height);
        // Compared as made, after the corrections of out-of-range values.
        if (wanted && sameArrow(*wanted, *arrow)) {
            delete wanted;
            return;
        }
    }
    if (wanted)
        list.append(new ChangeArrowAction(objects(), object, end, wanted));
}

void CFigContext::updateObjectAttributes(FigObject* object, bool onlyFlagged)
{
    if (!object)
        return;
    ActionStep changes = buildByType(this, object, onlyFlagged);
    if (!changes.isEmpty()) {
        if (canDraw(this))
            redrawObject(object, true);
        for (ActionItem* action : changes)
            action->redo(this);
    }
    // After the attributes: relative arrow sizes follow the new line width.
    ActionStep arrows;
    buildArrowChange(object, object->forwArrow, 1, arrows, onlyFlagged);
    buildArrowChange(object, object->backArrow, 0, arrows, onlyFlagged);
    if (!arrows.isEmpty()) {
        if (changes.isEmpty() && canDraw(this))
            redrawObject(object, true);
        for (ActionItem* action : arrows)
            action->redo(this);
    }
    if (changes.isEmpty() && arrows.isEmpty())
        return;
    if (canDraw(this))
        redrawObject(object, false);
    changes.append(arrows);
    undoHistory.pushActionList(new ActionStep(std::move(changes)));
}
