#include "script/scriptvaluereader.h"

#include <QDateTime>
#include <QJSValueIterator>
#include <QVariantList>
#include <QVariantMap>

#include <cmath>

bool ScriptValueReader::read(const QJSValue& value, QVariant& out)
{
    path.clear();
    count = 0;
    why.clear();
    out = QVariant();
    return readValue(value, 0, out);
}

QString ScriptValueReader::textRefusal(const QString& text)
{
    if (text.size() <= maxTextLength)
        return QString();
    return QStringLiteral("it holds a text of more than %1 characters").arg(maxTextLength);
}

bool ScriptValueReader::refuse(const QString& reason)
{
    why = reason;
    return false;
}

bool ScriptValueReader::readValue(const QJSValue& value, int depth, QVariant& out)
{
    if (++count > maxValues)
        return refuse(QStringLiteral("it holds more than %1 values").arg(maxValues));
    if (value.isUndefined()) {
        out = QVariant();
        return true;
    }
    if (value.isNull()) {
        out = QVariant::fromValue(nullptr);
        return true;
    }
    if (value.isBool()) {
        out = value.toBool();
        return true;
    }
    if (value.isNumber()) {
        // Whole numbers stay whole, as the engine's own conversion keeps them.
        const double number = value.toNumber();
        if (std::isfinite(number) && number == std::trunc(number) && number >= -2147483648.0 && number <= 2147483647.0)
            out = static_cast<int>(number);
        else
            out = number;
        return true;
    }
    if (value.isString()) {
        const QString text = value.toString();
        const QString refusal = textRefusal(text);
        if (!refusal.isEmpty())
            return refuse(refusal);
        out = text;
        return true;
    }
    if (value.isCallable())
        return refuse(QStringLiteral("a function is no value"));
    if (value.isQObject() || value.isQMetaObject())
        return refuse(QStringLiteral("an object of the program is no value"));
    if (value.isVariant()) {
        // Held by the engine as plain data already.
        out = value.toVariant();
        return true;
    }
    if (value.isDate()) {
        out = value.toDateTime();
        return true;
    }
    if (!value.isObject() || value.isRegExp())
        return refuse(QStringLiteral("a Symbol or other value without plain form"));

    if (depth >= maxDepth)
        return refuse(QStringLiteral("it is nested more than %1 levels deep").arg(maxDepth));
    for (const QJSValue& open : qAsConst(path)) {
        if (open.strictlyEquals(value))
            return refuse(QStringLiteral("it contains itself"));
    }
    path.append(value);
    bool ok = true;
    if (value.isArray()) {
        const quint32 length = value.property(QStringLiteral("length")).toUInt();
        if (length > maxValues) {
            path.removeLast();
            return refuse(QStringLiteral("it holds more than %1 values").arg(maxValues));
        }
        QVariantList list;
        list.reserve(static_cast<int>(length));
        for (quint32 i = 0; ok && i < length; ++i) {
            QVariant element;
            ok = readValue(value.property(i), depth + 1, element);
            list.append(element);
        }
        out = list;
    } else {
        QVariantMap map;
        QJSValueIterator it(value);
        while (ok && it.hasNext()) {
            it.next();
            const QString refusal = textRefusal(it.name());
            if (!refusal.isEmpty()) {
                ok = refuse(refusal);
                break;
            }
            QVariant element;
            ok = readValue(it.value(), depth + 1, element);
            map.insert(it.name(), element);
        }
        out = map;
    }
    path.removeLast();
    return ok;
}
