#include "toolbars/attrstoolbarhandler.h"

#include "app/qslog.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/figcolordlg.h"
#include "dialogs/objectcommentdlg.h"
#include "edit/canvashandlers.h"
#include "edit/canvaspainterscope.h"
#include "model/changearrowaction.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/pointoperations.h"
#include "model/units.h"
#include "toolbars/attrspageform.h"
#include "toolbars/drawingattributes.h"

#include <QPainter>

#include <cmath>
#include <type_traits>

namespace {

constexpr double pi = 3.141592653589793;
// Angles in whole degrees, one turn either way.
constexpr int maxDegrees = 360;

// The number of emissions under way; a slot called while it is not zero is
// a page following the value, which must not come back as a change.
class Announcing {
public:
    explicit Announcing(int& count)
        : count(count)
    {
        ++count;
    }
    ~Announcing() { --count; }
    Announcing(const Announcing&) = delete;
    Announcing& operator=(const Announcing&) = delete;

private:
    int& count;
};

// Takes the arrow off one end of the object as one undo step; nothing when
// there is no arrow there to take.
void removeArrow(CFigContext* context, FigObject* object, int end)
{
    const FigArrow* arrow = end == 1 ? object->forwArrow : object->backArrow;
    if (!arrow || !acceptsArrows(object))
        return;
    CanvasPainterScope scope(context);
    if (canDraw(context))
        context->redrawObject(object, true);
    auto* action = new ChangeArrowAction(context->objects(), object, end, nullptr);
    action->redo(context);
    context->undoHistory.pushAction(action);
    if (canDraw(context))
        context->redrawObject(object, false);
}

// Values reach the slots from the pages and from scripts; one outside its
// table would be written into objects and files as it is, so it is refused.
// Whole numbers are compared and named as whole numbers; NaN is never within.
template <typename T>
bool acceptable(
    T value, typename std::common_type<T>::type min, typename std::common_type<T>::type max, const char* what)
{
    if (value >= min && value <= max)
        return true;
    QLOG_WARN().noquote()
        << QStringLiteral("%1 %2 refused: not within %3 to %4").arg(what).arg(value).arg(min).arg(max);
    return false;
}

// A colour the document can draw with: standard, or one of its user colours.
bool isDocumentColor(const CFigContext* context, int color)
{
    return color >= 0 && (color < 32 || context->hasUserColor(color));
}

} // namespace

AttrsToolbarHandler::AttrsToolbarHandler(QTMainFrm* mainFrm)
    : QObject(nullptr)
    , mainFrm(mainFrm)
{
}

CFigContext* AttrsToolbarHandler::targetDocument() const
{
    return document ? document : activeFigContext();
}

int AttrsToolbarHandler::wholeDegrees(float radians)
{
    return roundToInt(static_cast<double>(radians) * 180.0 / pi);
}

void AttrsToolbarHandler::applyToCurrentObject()
{
    CFigContext* context = targetDocument();
    if (!context || !context->currentObject)
        return;
    CanvasPainterScope scope(context);
    context->updateObjectAttributes(context->currentObject, false);
}

void AttrsToolbarHandler::refreshToolbars()
{
    const DrawingAttributes& a = currentAttrs;
    Announcing announcing(this->announcing);
    emit depthChanged(a.depth);
    emit lineWidthChanged(a.lineWidth);
    emit lineStyleChanged(a.lineStyle);
    emit styleValChanged(static_cast<double>(a.styleVal));
    emit capStyleChanged(a.capStyle);
    emit joinStyleChanged(a.joinStyle);
    emit arcTypeChanged(a.arcType);
    emit backArrowChanged(a.backArrowOn ? a.backArrow + 1 : 0);
    emit forwArrowChanged(a.forwArrowOn ? a.forwArrow + 1 : 0);
    emit arrowTypeChanged(a.arrowType);
    emit boxTypeChanged(a.boxType == 2 ? 0 : 1);
    emit boxCornerRadiusChanged(a.boxCornerRadius);
    emit numSidesChanged(a.numSides);
    emit ellipseAngleChanged(wholeDegrees(a.ellipseAngle));
    emit textAngleChanged(wholeDegrees(a.textAngle));
    emit textRigidChanged((a.textFlags & 1) != 0);
    emit textSpecialChanged((a.textFlags & 2) != 0);
    emit fontSizeChanged(QString::number(a.fontSize));
    emit textAlignChanged(a.textAlign);
    if (a.textFlags & 4)
        emit psFontChanged(a.psFont);
    else
        emit latexFontChanged(a.latexFont);
    emit colorsChanged();
}

void AttrsToolbarHandler::onColors(int pencolor, int fillcolor, int fillstyle)
{
    CFigContext* context = targetDocument();
    if (!context)
        return;
    if (pencolor == context->penColor && fillcolor == context->fillColor && fillstyle == context->fillStyle)
        return;
    if (isDocumentColor(context, pencolor))
        context->penColor = pencolor;
    if (isDocumentColor(context, fillcolor))
        context->fillColor = fillcolor;
    if (fillstyle >= -1 && fillstyle <= 62)
        context->fillStyle = fillstyle;
    Announcing announcing(this->announcing);
    emit colorsChanged();
}

void AttrsToolbarHandler::onDepth(int value)
{
    if (following() || value == currentAttrs.depth)
        return;
    if (!acceptable(value, 0, 999, "depth"))
        return;
    currentAttrs.depth = value;
    {
        Announcing announcing(this->announcing);
        emit depthChanged(value);
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::onLineWidth(int width)
{
    if (following() || width == currentAttrs.lineWidth)
        return;
    if (!acceptable(width, 0, offeredLineWidthMax, "line width"))
        return;
    currentAttrs.lineWidth = width;
    // The absolute arrow sizes follow the width whichever sizes are in use.
    currentAttrs.arrowThickness = static_cast<float>(width);
    currentAttrs.arrowWidth = static_cast<float>(width * 60.0);
    currentAttrs.arrowHeight = static_cast<float>(width * 120.0);
    {
        Announcing announcing(this->announcing);
        emit lineWidthChanged(width);
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::onLineStyle(int index)
{
    if (following() || index == currentAttrs.lineStyle)
        return;
    if (!acceptable(index, 0, 5, "line style"))
        return;
    currentAttrs.lineStyle = index;
    {
        Announcing announcing(this->announcing);
        emit lineStyleChanged(index);
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::onStyleVal(double value)
{
    if (following() || static_cast<float>(value) == currentAttrs.styleVal
        || roundToDecimals(value, 2) == roundToDecimals(currentAttrs.styleVal, 2))
        return;
    // Longer dashes give style values that the converters refuse, and take
    // seconds to draw.
    // Compared as shown (two decimals); a value that is no number stays one.
    if (!acceptable(std::isnan(value) ? value : roundToDecimals(value, 2), 0.0, offeredStyleValMax, "style value"))
        return;
    currentAttrs.styleVal = static_cast<float>(value);
    {
        Announcing announcing(this->announcing);
        emit styleValChanged(static_cast<double>(currentAttrs.styleVal));
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::onCapStyle(int index)
{
    if (following() || index == currentAttrs.capStyle)
        return;
    if (!acceptable(index, 0, 2, "cap style"))
        return;
    currentAttrs.capStyle = index;
    {
        Announcing announcing(this->announcing);
        emit capStyleChanged(index);
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::onJoinStyle(int index)
{
    if (following() || index == currentAttrs.joinStyle)
        return;
    if (!acceptable(index, 0, 2, "join style"))
        return;
    currentAttrs.joinStyle = index;
    {
        Announcing announcing(this->announcing);
        emit joinStyleChanged(index);
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::onArcType(int index)
{
    if (following() || index == currentAttrs.arcType)
        return;
    if (!acceptable(index, 0, 1, "arc type"))
        return;
    currentAttrs.arcType = index;
    {
        Announcing announcing(this->announcing);
        emit arcTypeChanged(index);
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::setArrowEnd(int end, int index)
{
    bool& on = end == 1 ? currentAttrs.forwArrowOn : currentAttrs.backArrowOn;
    int& kind = end == 1 ? currentAttrs.forwArrow : currentAttrs.backArrow;
    if (following() || index == (on ? kind + 1 : 0))
        return;
    if (!acceptable(index, 0, 29, "arrow"))
        return;
    CFigContext* context = targetDocument();
    FigObject* object = context ? context->currentObject : nullptr;
    if (index == 0) {
        // Applying the attributes never removes an arrow: the switch going
        // off takes it away here. The kind stays for the next time.
        if (object)
            removeArrow(context, object, end);
        on = false;
    } else {
        kind = index - 1;
        on = true;
    }
    {
        Announcing announcing(this->announcing);
        if (end == 1)
            emit forwArrowChanged(index);
        else
            emit backArrowChanged(index);
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::onBackArrow(int index)
{
    setArrowEnd(0, index);
}

void AttrsToolbarHandler::onForwArrow(int index)
{
    setArrowEnd(1, index);
}

void AttrsToolbarHandler::onBoxType(int index)
{
    const int boxType = index != 0 ? 4 : 2;
    if (following() || boxType == currentAttrs.boxType)
        return;
    currentAttrs.boxType = boxType;
    {
        Announcing announcing(this->announcing);
        emit boxTypeChanged(index);
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::onBoxCornerRadius(int index)
{
    if (following() || index == currentAttrs.boxCornerRadius)
        return;
    if (!acceptable(index, 0, maxFigLength, "corner radius"))
        return;
    currentAttrs.boxCornerRadius = index;
    {
        Announcing announcing(this->announcing);
        emit boxCornerRadiusChanged(index);
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::onNumSides(int value)
{
    if (following() || value == currentAttrs.numSides)
        return;
    if (!acceptable(value, 3, maxNumSides, "number of sides"))
        return;
    currentAttrs.numSides = value;
    {
        Announcing announcing(this->announcing);
        emit numSidesChanged(value);
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::onEllipseAngle(int value)
{
    // In whole degrees: an angle taken from an object stays as it is until
    // another whole degree comes.
    if (following() || value == wholeDegrees(currentAttrs.ellipseAngle))
        return;
    if (!acceptable(value, -maxDegrees, maxDegrees, "ellipse angle"))
        return;
    currentAttrs.ellipseAngle = static_cast<float>(value * pi / 180.0);
    {
        Announcing announcing(this->announcing);
        emit ellipseAngleChanged(value);
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::onTextAngle(int value)
{
    if (following() || value == wholeDegrees(currentAttrs.textAngle))
        return;
    if (!acceptable(value, -maxDegrees, maxDegrees, "text angle"))
        return;
    currentAttrs.textAngle = static_cast<float>(value * pi / 180.0);
    {
        Announcing announcing(this->announcing);
        emit textAngleChanged(value);
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::onFontSize(const QString& value)
{
    bool ok = false;
    int size = value.toInt(&ok, 10);
    if (!ok)
        size = 0;
    if (following() || size == currentAttrs.fontSize)
        return;
    // A box being typed into may be empty for a moment: that is no size.
    if (ok && !acceptable(size, minFontSize, maxFontSize, "font size"))
        return;
    currentAttrs.fontSize = size;
    {
        Announcing announcing(this->announcing);
        emit fontSizeChanged(value);
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::onFontSize(int value)
{
    if (following() || value == currentAttrs.fontSize)
        return;
    if (!acceptable(value, minFontSize, maxFontSize, "font size"))
        return;
    currentAttrs.fontSize = value;
    {
        Announcing announcing(this->announcing);
        emit fontSizeChanged(QString::number(value));
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::onTextAlign(int index)
{
    if (following() || index == currentAttrs.textAlign)
        return;
    if (!acceptable(index, 0, 2, "text alignment"))
        return;
    currentAttrs.textAlign = index;
    {
        Announcing announcing(this->announcing);
        emit textAlignChanged(index);
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::onTextRigid(bool checked)
{
    if (following() || checked == ((currentAttrs.textFlags & 1) != 0))
        return;
    if (checked)
        currentAttrs.textFlags |= 1;
    else
        currentAttrs.textFlags &= ~1;
    {
        Announcing announcing(this->announcing);
        emit textRigidChanged(checked);
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::onTextSpecial(bool checked)
{
    if (following() || checked == ((currentAttrs.textFlags & 2) != 0))
        return;
    if (checked)
        currentAttrs.textFlags |= 2;
    else
        currentAttrs.textFlags &= ~2;
    {
        Announcing announcing(this->announcing);
        emit textSpecialChanged(checked);
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::onArrowType(int index)
{
    if (following() || index == currentAttrs.arrowType)
        return;
    if (!acceptable(index, 0, 28, "arrow type"))
        return;
    currentAttrs.arrowType = index;
    {
        Announcing announcing(this->announcing);
        emit arrowTypeChanged(index);
    }
    applyToCurrentObject();
}

void AttrsToolbarHandler::onRotnAngle(int value)
{
    if (!acceptable(value, -maxDegrees, maxDegrees, "rotation angle"))
        return;
    currentAttrs.rotnAngle = value;
}

void AttrsToolbarHandler::onNumCopies(int value)
{
    if (!acceptable(value, 1, maxNumCopies, "number of copies"))
        return;
    currentAttrs.numCopies = value;
}

void AttrsToolbarHandler::onTangormLength(double value)
{
    if (!acceptable(value, 0.0, maxTangormLength, "tangent length"))
        return;
    currentAttrs.tangormLength = static_cast<float>(value);
}

void AttrsToolbarHandler::openCommentDlgClicked(bool /*checked*/)
{
    CFigContext* context = targetDocument();
    if (!mainFrm || !context || !context->currentObject)
        return;
    ObjectCommentDlg& dialog = mainFrm->commentDlg;
    dialog.setObject(context->currentObject);
    dialog.setModal(true);
    dialog.show();
    dialog.exec();
}

void AttrsToolbarHandler::openColorDlgClicked(bool /*checked*/)
{
    if (!mainFrm || !mainFrm->colorDlg)
        return;
    mainFrm->colorDlg->show();
    mainFrm->colorDlg->raise();
}
