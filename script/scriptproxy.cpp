#include "script/scriptproxy.h"

#include "app/qslog.h"
#include "script/scriptcallqueue.h"
#include "script/scriptthread.h"
#include "script/scriptvaluereader.h"
#include "script/tavrelscript.h"

#include <QJSEngine>
#include <QMetaObject>
#include <QRegularExpression>

#include <cmath>

namespace {

// A JavaScript number as the engine hands it to an int parameter: cut
// toward zero and wrapped into 32 bits; NaN and the infinities give 0.
int toInt32(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double cut = std::trunc(value);
    const double wrapped = std::fmod(cut, 4294967296.0);
    const double positive = wrapped < 0 ? wrapped + 4294967296.0 : wrapped;
    const auto bits = static_cast<quint32>(positive);
    return static_cast<int>(bits);
}

// Values whose number or text the engine finds without running script code
// that could hand back a Symbol; an object goes through its own conversion.
bool hasPlainForm(const QJSValue& value)
{
    return value.isUndefined() || value.isNull() || value.isBool() || value.isNumber() || value.isString()
        || value.isObject();
}

} // namespace

ScriptProxy::ScriptProxy(
    TavrelScript* script, ScriptThread* run, QJSEngine* engine, std::shared_ptr<ScriptCallQueue> calls)
    : QObject(nullptr)
    , script(script)
    , run(run)
    , engine(engine)
    , calls(std::move(calls))
{
}

// ---- Forwarding ----

template <typename Work> void ScriptProxy::call(Work work)
{
    if (run->stopRequested())
        return;
    calls->add(std::move(work));
}

template <typename Work> void ScriptProxy::callAndWait(Work work)
{
    if (run->stopRequested())
        return;
    calls->add(std::move(work));
    calls->finish();
}

void ScriptProxy::finishCalls()
{
    calls->finish();
}

int ScriptProxy::callerLine()
{
    // The engine offers no line of the running code; the stack of a fresh
    // error does, in frames such as "name@eval code:12" (the program runs as
    // eval code).
    const QString stack = engine->evaluate(QStringLiteral("new Error().stack")).toString();
    static const QRegularExpression frame(QStringLiteral("@eval code:(\\d+)"));
    const QRegularExpressionMatch match = frame.match(stack);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

void ScriptProxy::refuse(const char* function, const QString& why)
{
    // The records of the calls before come first.
    finishCalls();
    QLOG_ERROR().noquote() << QStringLiteral("%1 line %2: %3: argument refused: %4")
                                  .arg(run->fileName())
                                  .arg(callerLine())
                                  .arg(QLatin1String(function), why);
}

bool ScriptProxy::mapArgument(const char* function, const QJSValue& value, QVariantMap& out)
{
    ScriptValueReader reader;
    QVariant plain;
    if (!reader.read(value, plain)) {
        refuse(function, reader.why);
        return false;
    }
    out = plain.toMap();
    return true;
}

bool ScriptProxy::numberArgument(const char* function, const QJSValue& value, double& out)
{
    if (!hasPlainForm(value) || value.isCallable()) {
        refuse(function, QStringLiteral("a Symbol or function is no number"));
        return false;
    }
    out = value.toNumber();
    return true;
}

bool ScriptProxy::textArgument(const char* function, const QJSValue& value, QString& out)
{
    if (!hasPlainForm(value) || value.isCallable()) {
        refuse(function, QStringLiteral("a Symbol or function is no text"));
        return false;
    }
    out = value.toString();
    const QString refusal = ScriptValueReader::textRefusal(out);
    if (!refusal.isEmpty()) {
        out.clear();
        refuse(function, refusal);
        return false;
    }
    return true;
}

void ScriptProxy::forwardMap(const char* function, const QJSValue& value, MapFunction target)
{
    QVariantMap map;
    if (!mapArgument(function, value, map))
        return;
    call([object = script, target, map] { (object->*target)(map); });
}

void ScriptProxy::forwardInt(const char* function, const QJSValue& value, IntFunction target)
{
    double number = 0;
    if (!numberArgument(function, value, number))
        return;
    const int whole = toInt32(number);
    call([object = script, target, whole] { (object->*target)(whole); });
}

void ScriptProxy::forwardPoint(const char* function, const QJSValue& x, const QJSValue& y, PointFunction target)
{
    double px = 0;
    double py = 0;
    if (!numberArgument(function, x, px) || !numberArgument(function, y, py))
        return;
    const int ix = toInt32(px);
    const int iy = toInt32(py);
    call([object = script, target, ix, iy] { (object->*target)(ix, iy); });
}

void ScriptProxy::forwardBool(const QJSValue& value, BoolFunction target)
{
    // Every value has a truth value; finding it runs no script code.
    const bool flag = value.toBool();
    call([object = script, target, flag] { (object->*target)(flag); });
}

void ScriptProxy::forwardText(const char* function, const QJSValue& value, TextFunction target)
{
    QString text;
    if (!textArgument(function, value, text))
        return;
    call([object = script, target, text] { (object->*target)(text); });
}

// ---- Signals ----

void ScriptProxy::colorsChanged(const QJSValue& penColor, const QJSValue& fillColor, const QJSValue& fillStyle)
{
    double pen = 0;
    double fill = 0;
    double style = 0;
    if (!numberArgument("colorsChanged", penColor, pen) || !numberArgument("colorsChanged", fillColor, fill)
        || !numberArgument("colorsChanged", fillStyle, style))
        return;
    const int p = toInt32(pen);
    const int f = toInt32(fill);
    const int s = toInt32(style);
    call([object = script, p, f, s] { emit object->colorsChanged(p, f, s); });
}

void ScriptProxy::depthChanged(const QJSValue& newValue)
{
    forwardInt("depthChanged", newValue, &TavrelScript::depthChanged);
}

void ScriptProxy::lineWidthChanged(const QJSValue& newValue)
{
    forwardInt("lineWidthChanged", newValue, &TavrelScript::lineWidthChanged);
}

void ScriptProxy::lineStyleChanged(const QJSValue& newValue)
{
    forwardInt("lineStyleChanged", newValue, &TavrelScript::lineStyleChanged);
}

void ScriptProxy::styleValChanged(const QJSValue& newValue)
{
    double value = 0;
    if (!numberArgument("styleValChanged", newValue, value))
        return;
    call([object = script, value] { emit object->styleValChanged(value); });
}

void ScriptProxy::capStyleChanged(const QJSValue& newValue)
{
    forwardInt("capStyleChanged", newValue, &TavrelScript::capStyleChanged);
}

void ScriptProxy::joinStyleChanged(const QJSValue& newValue)
{
    forwardInt("joinStyleChanged", newValue, &TavrelScript::joinStyleChanged);
}

void ScriptProxy::arcTypeChanged(const QJSValue& newValue)
{
    forwardInt("arcTypeChanged", newValue, &TavrelScript::arcTypeChanged);
}

void ScriptProxy::backArrowChanged(const QJSValue& newValue)
{
    forwardInt("backArrowChanged", newValue, &TavrelScript::backArrowChanged);
}

void ScriptProxy::forwArrowChanged(const QJSValue& newValue)
{
    forwardInt("forwArrowChanged", newValue, &TavrelScript::forwArrowChanged);
}

void ScriptProxy::arrowTypeChanged(const QJSValue& newValue)
{
    forwardInt("arrowTypeChanged", newValue, &TavrelScript::arrowTypeChanged);
}

void ScriptProxy::boxTypeChanged(const QJSValue& newValue)
{
    forwardInt("boxTypeChanged", newValue, &TavrelScript::boxTypeChanged);
}

void ScriptProxy::boxCornerRadiusChanged(const QJSValue& newValue)
{
    forwardInt("boxCornerRadiusChanged", newValue, &TavrelScript::boxCornerRadiusChanged);
}

void ScriptProxy::numSidesChanged(const QJSValue& newValue)
{
    forwardInt("numSidesChanged", newValue, &TavrelScript::numSidesChanged);
}

void ScriptProxy::ellipseAngleChanged(const QJSValue& newValue)
{
    forwardInt("ellipseAngleChanged", newValue, &TavrelScript::ellipseAngleChanged);
}

void ScriptProxy::textAngleChanged(const QJSValue& newValue)
{
    forwardInt("textAngleChanged", newValue, &TavrelScript::textAngleChanged);
}

void ScriptProxy::fontSizeChanged(const QJSValue& value)
{
    forwardInt("fontSizeChanged", value, &TavrelScript::fontSizeChanged);
}

void ScriptProxy::textAlignChanged(const QJSValue& newValue)
{
    forwardInt("textAlignChanged", newValue, &TavrelScript::textAlignChanged);
}

void ScriptProxy::textRigidChanged(const QJSValue& newValue)
{
    forwardBool(newValue, &TavrelScript::textRigidChanged);
}

void ScriptProxy::textSpecialChanged(const QJSValue& newValue)
{
    forwardBool(newValue, &TavrelScript::textSpecialChanged);
}

void ScriptProxy::psFontChanged(const QJSValue& fontIdx)
{
    forwardInt("psFontChanged", fontIdx, &TavrelScript::psFontChanged);
}

void ScriptProxy::latexFontChanged(const QJSValue& fontIdx)
{
    forwardInt("latexFontChanged", fontIdx, &TavrelScript::latexFontChanged);
}

// ---- Functions ----

void ScriptProxy::setBaseDPI(const QJSValue& baseDPI)
{
    forwardInt("setBaseDPI", baseDPI, &TavrelScript::setBaseDPI);
}

void ScriptProxy::setUnit(const QJSValue& strDirection)
{
    forwardText("setUnit", strDirection, &TavrelScript::setUnit);
}

void ScriptProxy::setCenter(const QJSValue& x, const QJSValue& y)
{
    forwardPoint("setCenter", x, y, &TavrelScript::setCenter);
}

void ScriptProxy::setDirection(const QJSValue& direction)
{
    forwardText("setDirection", direction, &TavrelScript::setDirection);
}

void ScriptProxy::setColors(const QJSValue& colors)
{
    forwardMap("setColors", colors, &TavrelScript::setColors);
}

void ScriptProxy::setPen(const QJSValue& pen)
{
    forwardMap("setPen", pen, &TavrelScript::setPen);
}

void ScriptProxy::drawPoint(const QJSValue& x, const QJSValue& y)
{
    forwardPoint("drawPoint", x, y, &TavrelScript::drawPoint);
}

void ScriptProxy::drawPolyline(const QJSValue& obj)
{
    forwardMap("drawPolyline", obj, &TavrelScript::drawPolyline);
}

void ScriptProxy::drawSpline(const QJSValue& obj)
{
    forwardMap("drawSpline", obj, &TavrelScript::drawSpline);
}

void ScriptProxy::drawRectangle(const QJSValue& obj)
{
    forwardMap("drawRectangle", obj, &TavrelScript::drawRectangle);
}

void ScriptProxy::drawPicture(const QJSValue& obj)
{
    forwardMap("drawPicture", obj, &TavrelScript::drawPicture);
}

void ScriptProxy::drawRegularPolygon(const QJSValue& obj)
{
    forwardMap("drawRegularPolygon", obj, &TavrelScript::drawRegularPolygon);
}

void ScriptProxy::drawCircle(const QJSValue& obj)
{
    forwardMap("drawCircle", obj, &TavrelScript::drawCircle);
}

void ScriptProxy::drawEllipse(const QJSValue& obj)
{
    forwardMap("drawEllipse", obj, &TavrelScript::drawEllipse);
}

void ScriptProxy::drawArc(const QJSValue& obj)
{
    forwardMap("drawArc", obj, &TavrelScript::drawArc);
}

void ScriptProxy::drawText(const QJSValue& obj)
{
    forwardMap("drawText", obj, &TavrelScript::drawText);
}

void ScriptProxy::beginCompound()
{
    call([object = script] { object->beginCompound(); });
}

void ScriptProxy::finishCompound()
{
    call([object = script] { object->finishCompound(); });
}

void ScriptProxy::rotate(const QJSValue& obj)
{
    forwardMap("rotate", obj, &TavrelScript::rotate);
}

QVariant ScriptProxy::test(const QJSValue& value)
{
    double number = 0;
    if (!numberArgument("test", value, number))
        return QVariant();
    // A number beyond the range of a long long has no whole value to take.
    const qlonglong whole = std::isfinite(number) && std::fabs(number) < 9.2e18 ? static_cast<qlonglong>(number) : 0;
    qlonglong result = 0;
    callAndWait([object = script, whole, &result] { result = object->test(whole); });
    return QVariant(static_cast<double>(result));
}

QVariant ScriptProxy::test2(const QJSValue& obj)
{
    QVariantMap map;
    if (!mapArgument("test2", obj, map))
        return QVariant();
    QVariantMap result;
    callAndWait([object = script, &map, &result] { result = object->test2(map); });
    return result;
}

void ScriptProxy::test3(const QJSValue& obj)
{
    forwardMap("test3", obj, &TavrelScript::test3);
}

void ScriptProxy::newFile()
{
    call([object = script] { object->newFile(); });
}

void ScriptProxy::save(const QJSValue& name)
{
    forwardText("save", name, &TavrelScript::save);
}

void ScriptProxy::quit()
{
    call([object = script] { object->quit(); });
}
