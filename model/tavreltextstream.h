#pragma once
// The text stream of the Fig reader and writer: the character encoding named
// by the setting "file encoding" (a byte-order mark overrides it on reading)
// and the C locale, so numbers always use a decimal point and no grouping.

#include <QIODevice>
#include <QString>
#include <QTextStream>

class QTextCodec;

class TavrelTextStream : public QTextStream {
public:
    TavrelTextStream(QString* string, const QString& codecName, QIODevice::OpenMode mode);
    TavrelTextStream(QIODevice* device, const QString& codecName);

    // The codec of a name; ISO 8859-1 when the name is unknown, so that a
    // mistyped setting never leaves the stream without an encoding.
    static QTextCodec* codecFor(const QString& codecName);

private:
    void setUp(const QString& codecName);
};
