// The scripting object: its connections, coordinate system, attribute and
// colour functions, arrows, compounds and the step that adds an object. The
// drawing functions are in tavrelscriptdrawing.cpp.
#include "script/tavrelscript.h"

#include "app/qslog.h"
#include "app/qtmainfrm.h"
#include "dialogs/fontsdlg.h"
#include "edit/takeattributes.h"
#include "model/addaction.h"
#include "model/createcompoundaction.h"
#include "model/figarrow.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/figpoint.h"
#include "model/units.h"
#include "script/scriptkeywords.h"
#include "toolbars/attrstoolbarhandler.h"
#include "toolbars/drawingattributes.h"

#include <QColor>

#include <cmath>

namespace {

// The highest arrow kind the tool bars' arrow lists offer.
constexpr int maxArrowKind = 28;

bool present(const QVariantMap& map, const QString& key)
{
    return map.value(key).isValid();
}

// A real number cut toward zero, saturated at the ends of the int range.
int cutToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return INT_MAX;
    if (value <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace

TavrelScript::TavrelScript(CFigContext* context)
    : QObject(nullptr)
    , context(context)
{
}

void TavrelScript::connectAttributes(AttrsToolbarHandler* handler, FontsDlg* fonts)
{
    if (handler) {
        using H = AttrsToolbarHandler;
        connect(this, &TavrelScript::colorsChanged, handler, &H::onColors);
        connect(this, &TavrelScript::depthChanged, handler, &H::onDepth);
        connect(this, &TavrelScript::lineWidthChanged, handler, &H::onLineWidth);
        connect(this, &TavrelScript::lineStyleChanged, handler, &H::onLineStyle);
        connect(this, &TavrelScript::styleValChanged, handler, &H::onStyleVal);
        connect(this, &TavrelScript::capStyleChanged, handler, &H::onCapStyle);
        connect(this, &TavrelScript::joinStyleChanged, handler, &H::onJoinStyle);
        connect(this, &TavrelScript::arcTypeChanged, handler, &H::onArcType);
        connect(this, &TavrelScript::backArrowChanged, handler, &H::onBackArrow);
        connect(this, &TavrelScript::forwArrowChanged, handler, &H::onForwArrow);
        connect(this, &TavrelScript::boxTypeChanged, handler, &H::onBoxType);
        connect(this, &TavrelScript::boxCornerRadiusChanged, handler, &H::onBoxCornerRadius);
        connect(this, &TavrelScript::numSidesChanged, handler, &H::onNumSides);
        connect(this, &TavrelScript::ellipseAngleChanged, handler, &H::onEllipseAngle);
        connect(this, &TavrelScript::textAngleChanged, handler, &H::onTextAngle);
        connect(this, &TavrelScript::fontSizeChanged, handler, qOverload<int>(&H::onFontSize));
        connect(this, &TavrelScript::textAlignChanged, handler, &H::onTextAlign);
        connect(this, &TavrelScript::textRigidChanged, handler, &H::onTextRigid);
        connect(this, &TavrelScript::textSpecialChanged, handler, &H::onTextSpecial);
    }
    if (fonts) {
        connect(this, &TavrelScript::psFontChanged, fonts, &FontsDlg::onPsFont);
        connect(this, &TavrelScript::latexFontChanged, fonts, &FontsDlg::onLatexFont);
    }
}

TavrelScript::~TavrelScript()
{
    // Compounds left open by the script are dropped: their members stay in
    // the document as single objects, each with its own undo step.
    for (FigCompound* compound : openCompounds)
        CreateCompoundAction::releaseShell(compound);
    openCompounds.clear();
}

// ---- Coordinates ----

int TavrelScript::scaled(double value) const
{
    if (unit == 1)
        return roundToInt(value * figUnitsPerCentimetre);
    if (unit == 2)
        return roundToInt(value * 1200.0);
    return cutToInt(value);
}

FigPoint* TavrelScript::pointFromVariant(const QVariant& value) const
{
    if (!value.isValid())
        return nullptr;
    const QVariantMap map = value.toMap();
    double x = map.value(QStringLiteral("x")).toDouble();
    double y = map.value(QStringLiteral("y")).toDouble();
    if (unit == 1 || unit == 2) {
        x = scaled(x);
        y = scaled(y);
    }
    if (direction == 1)
        y = -y;
    const double px = static_cast<double>(centerX) + std::trunc(x);
    const double py = static_cast<double>(centerY) + std::trunc(y);
    // A point beyond what a Fig file may hold is no point.
    if (!(std::fabs(px) <= maxFigCoordinate) || !(std::fabs(py) <= maxFigCoordinate))
        return nullptr;
    return new FigPoint(static_cast<int>(px), static_cast<int>(py));
}

FigPoint* TavrelScript::chainFromList(const QVariantList& list) const
{
    FigPoint* head = nullptr;
    FigPoint* tail = nullptr;
    for (const QVariant& element : list) {
        FigPoint* point = pointFromVariant(element);
        if (!point) {
            while (head) {
                FigPoint* next = head->next;
                delete head;
                head = next;
            }
            return nullptr;
        }
        if (tail)
            tail->next = point;
        else
            head = point;
        tail = point;
    }
    return head;
}

FigPoint* TavrelScript::pointsChain(const QVariantMap& obj, const char* function, int& count, bool& closed)
{
    const QVariantList points = obj.value(QStringLiteral("points")).toList();
    count = points.size();
    if (points.isEmpty())
        return nullptr;
    applyPenAndDepth(obj);
    FigPoint* chain = chainFromList(points);
    if (!chain) {
        QLOG_ERROR().noquote() << QLatin1String(function) + QStringLiteral(": a point is missing or out of range");
        return nullptr;
    }
    const QString closedKey = QStringLiteral("closed");
    closed = present(obj, closedKey) && obj.value(closedKey).toBool();
    return chain;
}

void TavrelScript::setBaseDPI(int baseDPI)
{
    QLOG_DEBUG() << "setBaseDPI" << baseDPI;
    QLOG_WARN() << "Changing the base DPI is not supported in this version.";
}

void TavrelScript::setUnit(const QString& strDirection)
{
    QLOG_DEBUG() << "setUnit" << strDirection;
    unit = scriptKeyword(unitKeywords, strDirection);
}

void TavrelScript::setCenter(int x, int y)
{
    QLOG_DEBUG() << "setCenter" << x << y;
    centerX = scaled(x);
    centerY = scaled(y);
}

void TavrelScript::setDirection(const QString& direction)
{
    QLOG_DEBUG() << "setDirection" << direction;
    this->direction = scriptKeyword(directionKeywords, direction);
}

// ---- Attributes and colours ----

void TavrelScript::setPen(const QVariantMap& pen)
{
    QLOG_DEBUG() << "setPen";
    const QString width = QStringLiteral("width");
    if (present(pen, width)) {
        QLOG_DEBUG() << "width" << pen.value(width).toInt();
        emit lineWidthChanged(pen.value(width).toInt());
    }
    const QString lineStyle = QStringLiteral("lineStyle");
    if (present(pen, lineStyle)) {
        QLOG_DEBUG() << "lineStyle" << pen.value(lineStyle).toString();
        emit lineStyleChanged(scriptKeyword(lineStyleKeywords, pen.value(lineStyle).toString()));
    }
    const QString dashValue = QStringLiteral("dashValue");
    if (present(pen, dashValue)) {
        QLOG_DEBUG() << "dashValue" << pen.value(dashValue).toDouble();
        emit styleValChanged(pen.value(dashValue).toDouble());
    }
    const QString capStyle = QStringLiteral("capStyle");
    if (present(pen, capStyle)) {
        QLOG_DEBUG() << "capStyle" << pen.value(capStyle).toString();
        emit capStyleChanged(scriptKeyword(capStyleKeywords, pen.value(capStyle).toString()));
    }
    const QString joinStyle = QStringLiteral("joinStyle");
    if (present(pen, joinStyle)) {
        QLOG_DEBUG() << "joinStyle" << pen.value(joinStyle).toString();
        emit joinStyleChanged(scriptKeyword(joinStyleKeywords, pen.value(joinStyle).toString()));
    }
    const QString colors = QStringLiteral("colors");
    if (present(pen, colors))
        setColors(pen.value(colors).toMap());
}

void TavrelScript::setColors(const QVariantMap& colors)
{
    QLOG_DEBUG() << "setColors";
    int pen = context->penColor;
    int fill = context->fillColor;
    int style = context->fillStyle;
    const QString penColor = QStringLiteral("penColor");
    const QString fillColor = QStringLiteral("fillColor");
    const QString fillShade = QStringLiteral("fillShade");
    const QString fillPattern = QStringLiteral("fillPattern");
    if (present(colors, penColor))
        pen = colorFromMap(colors.value(penColor).toMap());
    if (present(colors, fillColor))
        fill = colorFromMap(colors.value(fillColor).toMap());
    if (present(colors, fillShade)) {
        QLOG_DEBUG() << "fillShade" << colors.value(fillShade).toInt();
        emit colorsChanged(pen, fill, colors.value(fillShade).toInt());
        return;
    }
    if (present(colors, fillPattern)) {
        QLOG_DEBUG() << "fillPattern" << colors.value(fillPattern).toInt();
        const int pattern = colors.value(fillPattern).toInt();
        // Outside the 22 patterns the sum would name a shade, or wrap.
        if (pattern >= 0 && pattern <= 21)
            style = pattern + 41;
        else
            QLOG_WARN() << "fill pattern" << pattern << "is not one of 0 to 21; the area fill stays";
    }
    if (present(colors, penColor) || present(colors, fillColor) || present(colors, fillPattern))
        emit colorsChanged(pen, fill, style);
}

int TavrelScript::colorFromMap(const QVariantMap& map)
{
    const QString index = QStringLiteral("index");
    const QString rgb = QStringLiteral("rgb");
    if (present(map, index)) {
        QLOG_DEBUG() << "index" << map.value(index).toInt();
        return map.value(index).toInt();
    }
    if (!present(map, rgb))
        return -1;
    const QVariantMap components = map.value(rgb).toMap();
    const int r = components.value(QStringLiteral("r")).toInt();
    const int g = components.value(QStringLiteral("g")).toInt();
    const int b = components.value(QStringLiteral("b")).toInt();
    QLOG_DEBUG() << "rgb" << r << g << b;
    auto inRange = [](int v) { return v >= 0 && v <= 255; };
    if (!inRange(r) || !inRange(g) || !inRange(b))
        return -1;
    const int key = context->addUserColor(QColor(r, g, b, 255));
    if (key < 0)
        return -1;
    userColorAdded = true;
    return key + 32;
}

void TavrelScript::applyPen(const QVariantMap& obj)
{
    const QString pen = QStringLiteral("pen");
    if (present(obj, pen))
        setPen(obj.value(pen).toMap());
}

void TavrelScript::applyPenAndDepth(const QVariantMap& obj)
{
    applyPen(obj);
    applyDepth(obj);
}

void TavrelScript::applyDepth(const QVariantMap& obj)
{
    const QString depth = QStringLiteral("depth");
    if (present(obj, depth)) {
        QLOG_DEBUG() << "depth" << obj.value(depth).toInt();
        emit depthChanged(obj.value(depth).toInt());
    }
}

// ---- Arrows ----

FigArrow* TavrelScript::createArrow(const QVariantMap& map)
{
    int kind = currentAttrs.arrowType;
    const QString type = QStringLiteral("type");
    if (present(map, type)) {
        const int given = map.value(type).toInt();
        QLOG_DEBUG() << "type" << given;
        if (given >= 0 && given <= maxArrowKind)
            kind = given;
        else
            QLOG_WARN() << "arrow type" << given << "is not one of 0 to 28; the current arrow type is used";
    }
    if (kind < 0 || kind > maxArrowKind)
        kind = 0;
    float thickness = static_cast<float>(cutToInt(currentAttrs.arrowThickness));
    float width = static_cast<float>(cutToInt(currentAttrs.arrowWidth));
    float height = static_cast<float>(cutToInt(currentAttrs.arrowHeight));
    const QString thicknessKey = QStringLiteral("thickness");
    if (present(map, thicknessKey))
        thickness = static_cast<float>(map.value(thicknessKey).toInt());
    const QString widthKey = QStringLiteral("width");
    if (present(map, widthKey))
        width = static_cast<float>(cutToInt(map.value(widthKey).toDouble() * 15.0));
    const QString heightKey = QStringLiteral("height");
    if (present(map, heightKey))
        height = static_cast<float>(cutToInt(static_cast<double>(map.value(heightKey).toInt()) * 15.0));
    QLOG_DEBUG() << "arrow" << kind << thickness << width << height;
    return context->createArrow(arrowTypeOfKind(kind), arrowStyleOfKind(kind), thickness, width, height);
}

void TavrelScript::applyArrows(const QVariantMap& obj, FigObject* object)
{
    const QString backward = QStringLiteral("backwardArrow");
    if (present(obj, backward)) {
        FigArrow* arrow = createArrow(obj.value(backward).toMap());
        if (arrow) {
            delete object->backArrow;
            object->backArrow = arrow;
            emit backArrowChanged(arrowKindOf(arrow) + 1);
        }
    }
    const QString forward = QStringLiteral("forwardArrow");
    if (present(obj, forward)) {
        FigArrow* arrow = createArrow(obj.value(forward).toMap());
        if (arrow) {
            delete object->forwArrow;
            object->forwArrow = arrow;
            emit forwArrowChanged(arrowKindOf(arrow) + 1);
        }
    }
}

// ---- Adding objects and compounds ----

void TavrelScript::addToOpenCompound(FigObject* object)
{
    if (!openCompounds.empty())
        openCompounds.back()->members->push_back(object);
}

void TavrelScript::addObject(FigObject* object, const QVariantMap& obj)
{
    const QString comment = obj.value(QStringLiteral("comment")).toString();
    if (!comment.isEmpty()) {
        QLOG_DEBUG() << "comment" << comment;
        object->comment += comment;
    }
    object->markerState = 1;
    auto* action = new AddAction(context->objects(), object);
    action->redo(context);
    context->undoHistory.pushAction(action);
    addToOpenCompound(object);
}

void TavrelScript::beginCompound()
{
    QLOG_DEBUG() << "beginCompound";
    openCompounds.push_back(new FigCompound(context->nextObjectId()));
}

void TavrelScript::finishCompound()
{
    QLOG_DEBUG() << "finishCompound";
    if (openCompounds.empty()) {
        QLOG_WARN() << "trying to finish a compound, while none is open!";
        return;
    }
    FigCompound* compound = openCompounds.back();
    openCompounds.pop_back();
    if (compound->members->empty()) {
        delete compound;
        QLOG_WARN() << "Empty compound, ignored!";
        return;
    }
    int xmin = 0;
    int ymin = 0;
    int xmax = 0;
    int ymax = 0;
    context->getObjectListBounds(compound->members, xmin, ymin, xmax, ymax, false, true, true);
    compound->upperLeft.x = xmin;
    compound->upperLeft.y = ymin;
    compound->lowerRight.x = xmax;
    compound->lowerRight.y = ymax;
    compound->markerState = 1;
    auto* action = new CreateCompoundAction(context->objects(), compound);
    action->redo(context);
    context->undoHistory.pushAction(action);
    addToOpenCompound(compound);
}

// ---- The functions that do little ----

void TavrelScript::rotate(const QVariantMap& /*obj*/)
{
    QLOG_DEBUG() << "rotate";
}

qlonglong TavrelScript::test(qlonglong value)
{
    QLOG_DEBUG() << "test" << value;
    return value + 1;
}

QVariantMap TavrelScript::test2(QVariantMap obj)
{
    QLOG_DEBUG() << "test2";
    obj.insert(QStringLiteral("value"), QStringLiteral("foo"));
    return obj;
}

void TavrelScript::test3(const QVariantMap& /*obj*/)
{
    QLOG_DEBUG() << "test3";
}

void TavrelScript::newFile()
{
    QLOG_DEBUG() << "newFile";
}

void TavrelScript::save(const QString& name)
{
    QLOG_DEBUG() << "save" << name;
    if (!mainWindow)
        return;
    mainWindow->setCurrentFile(name);
    mainWindow->save();
}

void TavrelScript::quit()
{
    QLOG_DEBUG() << "quit";
}
