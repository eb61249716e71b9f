#pragma once
// Turns a value a script passed into plain data (QVariant maps, lists,
// numbers, texts). The walk is our own rather than the engine's conversion:
// that one recurses without bound and fails hard on values no plain data can
// hold, so a hostile argument could bring the program down. Here such a
// value is refused with a reason instead.

#include <QJSValue>
#include <QList>
#include <QString>
#include <QVariant>

class ScriptValueReader {
public:
    // Nesting of objects and arrays beyond this is refused: no argument of a
    // drawing function needs more than a few levels.
    static constexpr int maxDepth = 64;
    // Values in one argument beyond this are refused, so that shared parts
    // (an array holding itself twice at every level) cannot multiply into
    // more memory than the machine has.
    static constexpr qint64 maxValues = 4000000;
    // Texts (and names of keys) longer than this are refused. A drawing's
    // text is written on one line of the file and a comment beside its
    // object; no real one comes near, while a script can make a text of
    // millions of characters that would take ages and gigabytes to lay out.
    static constexpr int maxTextLength = 100000;

    // The reason for refusing a text, or empty when its length is fine.
    static QString textRefusal(const QString& text);

    // The plain form of the value in `out`; false, with the reason in `why`,
    // when the value holds a Symbol, a function, a program object, a cycle,
    // a text too long, or nesting or size beyond the limits.
    bool read(const QJSValue& value, QVariant& out);

    QString why;

private:
    bool readValue(const QJSValue& value, int depth, QVariant& out);
    bool refuse(const QString& reason);

    QList<QJSValue> path; // the objects being read, outermost first
    qint64 count = 0;
};
