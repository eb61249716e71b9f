#include "app/version.h"

#include <QStringList>

const QString versionMajor = QStringLiteral(TAVREL_VERSION_MAJOR);
const QString versionMinor = QStringLiteral(TAVREL_VERSION_MINOR);
const QString versionPatch;
const QString releaseDate = QStringLiteral("2026-12-10");

QString storedVersion;
int storedVersionMajor = 0;
int storedVersionMinor = 0;
int storedVersionPatch = 0;
bool storedVersionOlder = false;

QString versionString(bool withPatch)
{
    QString text = versionMajor + QLatin1Char('.') + versionMinor;
    if (withPatch && !versionPatch.isEmpty())
        text += QLatin1Char('.') + versionPatch;
    return text;
}

void parseVersion(const QString& text, int* majorNumber, int* minorNumber, int* patchNumber)
{
    *majorNumber = 0;
    *minorNumber = 0;
    *patchNumber = 0;
    // A suffix such as " beta" is not part of the number.
    const int blank = text.indexOf(QLatin1Char(' '));
    const QStringList pieces = (blank < 0 ? text : text.left(blank)).split(QLatin1Char('.'));
    int* const numbers[] = { majorNumber, minorNumber, patchNumber };
    for (int i = 0; i < 3 && i < pieces.size(); ++i)
        *numbers[i] = pieces.at(i).toInt(); // not a number: 0
}

bool isVersionNewer(const QString& text, int majorNumber, int minorNumber, int patchNumber)
{
    int a = 0;
    int b = 0;
    int c = 0;
    parseVersion(text, &a, &b, &c);
    if (majorNumber != a)
        return majorNumber < a;
    if (minorNumber != b)
        return minorNumber < b;
    return patchNumber < c;
}
