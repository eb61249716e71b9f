#include "model/tavreltextstream.h"

#include <QLocale>
#include <QTextCodec>

TavrelTextStream::TavrelTextStream(QString* string, const QString& codecName, QIODevice::OpenMode mode)
    : QTextStream(string, mode)
{
    setUp(codecName);
}

TavrelTextStream::TavrelTextStream(QIODevice* device, const QString& codecName)
    : QTextStream(device)
{
    setUp(codecName);
}

QTextCodec* TavrelTextStream::codecFor(const QString& codecName)
{
    QTextCodec* codec = QTextCodec::codecForName(codecName.toLatin1());
    return codec ? codec : QTextCodec::codecForName("ISO 8859-1");
}

void TavrelTextStream::setUp(const QString& codecName)
{
    setCodec(codecFor(codecName));
    setAutoDetectUnicode(true);
    setGenerateByteOrderMark(false);
    setLocale(QLocale::c());
}
