#pragma once
// What a script sees as "tavrel" while it runs on its own thread: one method
// for every function and signal of the scripting object. Each turns its
// arguments into plain data on the script's thread (refusing what no plain
// data can hold, with an ERROR record naming the script line), then lets the
// scripting object do the work on the GUI thread, where the document lives,
// in order (see ScriptCallQueue). A call with a result waits for it; the
// others go ahead without waiting. Nothing is forwarded once the run has
// been asked to stop.

#include <QJSValue>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <memory>

class QJSEngine;
class ScriptCallQueue;
class ScriptThread;
class TavrelScript;

class ScriptProxy : public QObject {
    Q_OBJECT
public:
    ScriptProxy(TavrelScript* script, ScriptThread* run, QJSEngine* engine, std::shared_ptr<ScriptCallQueue> calls);

    // The attribute signals of the scripting object, callable from scripts.
    Q_INVOKABLE void colorsChanged(const QJSValue& penColor, const QJSValue& fillColor, const QJSValue& fillStyle);
    Q_INVOKABLE void depthChanged(const QJSValue& newValue);
    Q_INVOKABLE void lineWidthChanged(const QJSValue& newValue);
    Q_INVOKABLE void lineStyleChanged(const QJSValue& newValue);
    Q_INVOKABLE void styleValChanged(const QJSValue& newValue);
    Q_INVOKABLE void capStyleChanged(const QJSValue& newValue);
    Q_INVOKABLE void joinStyleChanged(const QJSValue& newValue);
    Q_INVOKABLE void arcTypeChanged(const QJSValue& newValue);
    Q_INVOKABLE void backArrowChanged(const QJSValue& newValue);
    Q_INVOKABLE void forwArrowChanged(const QJSValue& newValue);
    Q_INVOKABLE void arrowTypeChanged(const QJSValue& newValue);
    Q_INVOKABLE void boxTypeChanged(const QJSValue& newValue);
    Q_INVOKABLE void boxCornerRadiusChanged(const QJSValue& newValue);
    Q_INVOKABLE void numSidesChanged(const QJSValue& newValue);
    Q_INVOKABLE void ellipseAngleChanged(const QJSValue& newValue);
    Q_INVOKABLE void textAngleChanged(const QJSValue& newValue);
    Q_INVOKABLE void fontSizeChanged(const QJSValue& value);
    Q_INVOKABLE void textAlignChanged(const QJSValue& newValue);
    Q_INVOKABLE void textRigidChanged(const QJSValue& newValue);
    Q_INVOKABLE void textSpecialChanged(const QJSValue& newValue);
    Q_INVOKABLE void psFontChanged(const QJSValue& fontIdx);
    Q_INVOKABLE void latexFontChanged(const QJSValue& fontIdx);

    // The functions of the scripting object.
    Q_INVOKABLE void setBaseDPI(const QJSValue& baseDPI);
    Q_INVOKABLE void setUnit(const QJSValue& strDirection);
    Q_INVOKABLE void setCenter(const QJSValue& x, const QJSValue& y);
    Q_INVOKABLE void setDirection(const QJSValue& direction);
    Q_INVOKABLE void setColors(const QJSValue& colors);
    Q_INVOKABLE void setPen(const QJSValue& pen);
    Q_INVOKABLE void drawPoint(const QJSValue& x, const QJSValue& y);
    Q_INVOKABLE void drawPolyline(const QJSValue& obj);
    Q_INVOKABLE void drawSpline(const QJSValue& obj);
    Q_INVOKABLE void drawRectangle(const QJSValue& obj);
    Q_INVOKABLE void drawPicture(const QJSValue& obj);
    Q_INVOKABLE void drawRegularPolygon(const QJSValue& obj);
    Q_INVOKABLE void drawCircle(const QJSValue& obj);
    Q_INVOKABLE void drawEllipse(const QJSValue& obj);
    Q_INVOKABLE void drawArc(const QJSValue& obj);
    Q_INVOKABLE void drawText(const QJSValue& obj);
    Q_INVOKABLE void beginCompound();
    Q_INVOKABLE void finishCompound();
    Q_INVOKABLE void rotate(const QJSValue& obj);
    Q_INVOKABLE QVariant test(const QJSValue& value);
    Q_INVOKABLE QVariant test2(const QJSValue& obj);
    Q_INVOKABLE void test3(const QJSValue& obj);
    Q_INVOKABLE void newFile();
    Q_INVOKABLE void save(const QJSValue& name);
    Q_INVOKABLE void quit();

    // Waits until the GUI thread has made every call sent so far.
    void finishCalls();

private:
    using MapFunction = void (TavrelScript::*)(const QVariantMap&);
    using IntFunction = void (TavrelScript::*)(int);
    using PointFunction = void (TavrelScript::*)(int, int);
    using BoolFunction = void (TavrelScript::*)(bool);
    using TextFunction = void (TavrelScript::*)(const QString&);

    // Has the work done on the GUI thread after the calls before it; nothing
    // after a stop. `call` does not wait; the work must own its data.
    template <typename Work> void call(Work work);
    template <typename Work> void callAndWait(Work work);
    void forwardMap(const char* function, const QJSValue& value, MapFunction target);
    void forwardInt(const char* function, const QJSValue& value, IntFunction target);
    void forwardPoint(const char* function, const QJSValue& x, const QJSValue& y, PointFunction target);
    void forwardBool(const QJSValue& value, BoolFunction target);
    void forwardText(const char* function, const QJSValue& value, TextFunction target);

    // The argument as a map (empty for anything but an object); false, after
    // the ERROR record, when it is refused.
    bool mapArgument(const char* function, const QJSValue& value, QVariantMap& out);
    // The argument as a number, as the engine turns one into a parameter.
    bool numberArgument(const char* function, const QJSValue& value, double& out);
    bool textArgument(const char* function, const QJSValue& value, QString& out);
    // The ERROR record of a refused argument, naming the script line.
    void refuse(const char* function, const QString& why);
    // The line of the script that made the call now under way; 0 unknown.
    int callerLine();

    TavrelScript* script; // on the GUI thread, owned by the run
    ScriptThread* run;
    QJSEngine* engine;
    std::shared_ptr<ScriptCallQueue> calls; // shared with the calls under way
};
