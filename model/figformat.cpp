#include "model/figformat.h"

#include "model/objectlist.h"

#include <QStringList>

#include <climits>
#include <cstdlib>

const PaperSize paperSizes[paperSizeCount] = {
    { "Letter  ", "Letter  (8.5\" x 11\" / 216 x 279 mm)", "letterpaper", 10200, 13200 },
    { "Legal   ", "Legal   (8.5\" x 14\" / 216 x 356 mm)", "legalpaper", 10200, 16800 },
    { "Tabloid ", "Tabloid ( 11\" x 17\" / 279 x 432 mm)", "tabloidpaper", 13200, 20400 },
    { "A", "ANSI A  (8.5\" x 11\" / 216 x 279 mm)", "ansiapaper", 10200, 13200 },
    { "B", "ANSI B  ( 11\" x 17\" / 279 x 432 mm)", "ansibpaper", 13200, 20400 },
    { "C", "ANSI C  ( 17\" x 22\" / 432 x 559 mm)", "ansicpaper", 20400, 26400 },
    { "D", "ANSI D  ( 22\" x 34\" / 559 x 864 mm)", "ansidpaper", 26400, 40800 },
    { "E", "ANSI E  ( 34\" x 44\" / 864 x 1118 mm)", "ansiepaper", 40800, 52800 },
    { "A9", "ISO A9  (  37mm x   52mm)", "a9paper", 1748, 2467 },
    { "A8", "ISO A8  (  52mm x   74mm)", "a8paper", 2457, 3500 },
    { "A7", "ISO A7  (  74mm x  105mm)", "a7paper", 3496, 4960 },
    { "A6", "ISO A6  ( 105mm x  148mm)", "a6paper", 4960, 6992 },
    { "A5", "ISO A5  ( 148mm x  210mm)", "a5paper", 6992, 9921 },
    { "A4", "ISO A4  ( 210mm x  297mm)", "a4paper", 9921, 14031 },
    { "A3", "ISO A3  ( 297mm x  420mm)", "a3paper", 14031, 19843 },
    { "A2", "ISO A2  ( 420mm x  594mm)", "a2paper", 19843, 28063 },
    { "A1", "ISO A1  ( 594mm x  841mm)", "a1paper", 28063, 39732 },
    { "A0", "ISO A0  ( 841mm x 1189mm)", "a0paper", 39732, 56173 },
    { "B10", "JIS B10 (  32mm x   45mm)", "b10paper", 1516, 2117 },
    { "B9", "JIS B9  (  45mm x   64mm)", "b9paper", 2117, 3017 },
    { "B8", "JIS B8  (  64mm x   91mm)", "b8paper", 3017, 4300 },
    { "B7", "JIS B7  (  91mm x  128mm)", "b7paper", 4300, 6050 },
    { "B6", "JIS B6  ( 128mm x  182mm)", "b6paper", 6050, 8598 },
    { "B5", "JIS B5  ( 182mm x  257mm)", "b5paper", 8598, 12150 },
    { "B4", "JIS B4  ( 257mm x  364mm)", "b4paper", 12150, 17200 },
    { "B3", "JIS B3  ( 364mm x  515mm)", "b3paper", 17200, 24333 },
    { "B2", "JIS B2  ( 515mm x  728mm)", "b2paper", 24333, 34400 },
    { "B1", "JIS B1  ( 728mm x 1030mm)", "b1paper", 34400, 48666 },
    { "B0", "JIS B0  (1030mm x 1456mm)", "b0paper", 48666, 68783 },
};

FigFileProgress figFileProgress;

const char* const figCreatedByPrefix = "# Created by Tavrel version ";
const char* const figMetadataVersionLine = "# METADATA <version>1.0</version>";
const char* const figMetadataMarker = "# METADATA";

int minimumSplinePoints(int subType)
{
    // Odd sub-types are closed splines.
    return subType % 2 != 0 ? 3 : 2;
}

int minimumPolylinePoints(int subType)
{
    switch (subType) {
    case 2: // box
    case 4: // arc-box
    case 5: // picture: the closed outline of four corners
        return 5;
    case 3: // polygon
        return 3;
    default:
        return 1;
    }
}

bool ellipseRadiiDrawable(int rx, int ry)
{
    const long long sum = std::llabs(static_cast<long long>(rx)) + std::llabs(static_cast<long long>(ry));
    return rx != 0 && ry != 0 && sum > 8;
}

int paperSizeIndex(const QString& line)
{
    int end = 0;
    while (end < line.size() && !isFigSpace(line.at(end)) && line.at(end) != QLatin1Char('('))
        ++end;
    const QString name = line.left(end);
    if (name.compare(QLatin1String("ledger"), Qt::CaseInsensitive) == 0)
        return 2;
    for (int i = 0; i < paperSizeCount; ++i) {
        if (name == QString::fromLatin1(paperSizes[i].figName).trimmed())
            return i;
    }
    return -1;
}

QString takePendingComments()
{
    const QString text = pendingCommentLines.join(QLatin1Char('\n'));
    pendingCommentLines.clear();
    return text;
}

namespace {

// A small part of scanf: a blank in the pattern matches any run of white
// space (none included), '%' a decimal number with optional sign after
// optional white space, any other character itself. Returns how many
// numbers were read before the first mismatch; a number outside the int
// range ends the match without being counted.
int scanLine(const QString& line, const char* pattern, int* numbers, int maxNumbers)
{
    int pos = 0;
    int count = 0;
    const int size = line.size();
    for (const char* p = pattern; *p; ++p) {
        if (*p == ' ') {
            while (pos < size && isFigSpace(line.at(pos)))
                ++pos;
        } else if (*p == '%') {
            if (count >= maxNumbers)
                return count;
            while (pos < size && isFigSpace(line.at(pos)))
                ++pos;
            bool negative = false;
            if (pos < size && (line.at(pos) == QLatin1Char('-') || line.at(pos) == QLatin1Char('+'))) {
                negative = line.at(pos) == QLatin1Char('-');
                ++pos;
            }
            const int digitsStart = pos;
            long long value = 0;
            while (pos < size && line.at(pos) >= QLatin1Char('0') && line.at(pos) <= QLatin1Char('9')) {
                value = value * 10 + (line.at(pos).unicode() - '0');
                if (value > static_cast<long long>(INT_MAX) + 1)
                    return count; // far beyond any identifier or index
                ++pos;
            }
            if (pos == digitsStart)
                return count;
            if (negative)
                value = -value;
            if (value < INT_MIN || value > INT_MAX)
                return count;
            numbers[count++] = static_cast<int>(value);
        } else {
            if (pos >= size || line.at(pos) != QLatin1Char(*p))
                return count;
            ++pos;
        }
    }
    return count;
}

} // namespace

bool parseIdLine(const QString& line, int& id)
{
    int value = 0;
    if (scanLine(line, "# METADATA <id>%</id>", &value, 1) != 1)
        return false;
    if (value < 0 || value > maxStoredObjectId)
        return false;
    id = value;
    return true;
}

bool parseLinkLine(const QString& line, int& sourceIndex, int& targetId, int& targetLeftIndex)
{
    int values[3] = { 0, 0, 0 };
    if (scanLine(line, "# METADATA <link srcPointIdx=% targetObjId=% targetLeftPointIdx=% />", values, 3) != 3)
        return false;
    sourceIndex = values[0];
    targetId = values[1];
    targetLeftIndex = values[2];
    return true;
}

QString escapeFigText(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        const ushort code = c.unicode();
        if (c == QLatin1Char('\\')) {
            out += QLatin1String("\\\\");
        } else if (code < 0x20) {
            out += QLatin1Char('\\');
            out += QLatin1Char(char('0' + ((code >> 6) & 7)));
            out += QLatin1Char(char('0' + ((code >> 3) & 7)));
            out += QLatin1Char(char('0' + (code & 7)));
        } else {
            out += c;
        }
    }
    return out;
}

namespace {

bool isBlankFrom(const QString& s, int from)
{
    for (int i = from; i < s.size(); ++i) {
        if (!isFigSpace(s.at(i)))
            return false;
    }
    return true;
}

bool isOctalDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('7');
}

} // namespace

QString unescapeFigText(const QString& raw)
{
    QString s = raw;
    // The terminator is the last "\001" when only white space follows it and
    // its backslash is not itself escaped (an odd run of backslashes).
    const int terminator = s.lastIndexOf(QLatin1String("\\001"));
    if (terminator >= 0 && isBlankFrom(s, terminator + 4)) {
        int backslashes = 0;
        for (int i = terminator; i >= 0 && s.at(i) == QLatin1Char('\\'); --i)
            ++backslashes;
        if (backslashes % 2 == 1)
            s.truncate(terminator);
    }
    if (!s.contains(QLatin1Char('\\')))
        return s;
    QString out;
    out.reserve(s.size());
    const int size = s.size();
    for (int i = 0; i < size; ++i) {
        const QChar c = s.at(i);
        if (c != QLatin1Char('\\') || i + 1 >= size) {
            out += c; // a backslash at the very end stays
            continue;
        }
        const QChar next = s.at(i + 1);
        if (next.isDigit() && next.unicode() < 128) {
            if (i + 3 >= size) {
                // Too near the end for three digits: the backslash stays and
                // the digits follow as plain characters.
                out += c;
                continue;
            }
            if (isOctalDigit(next) && isOctalDigit(s.at(i + 2)) && isOctalDigit(s.at(i + 3))) {
                const int code
                    = (next.unicode() - '0') * 64 + (s.at(i + 2).unicode() - '0') * 8 + (s.at(i + 3).unicode() - '0');
                out += QChar(code);
                i += 3;
                continue;
            }
        }
        out += next;
        ++i;
    }
    return out;
}
