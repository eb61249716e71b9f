#include "model/figinput.h"

#include "model/figformat.h"

#include <QTextStream>

#include <cmath>

namespace {

// Whether a line that begins without white space in the middle of an
// object's continuation data is the start of the next object (or a comment
// before it) rather than more data: data lines hold numbers only, in any
// number a line, while an object line begins with its code and has the
// number of fields of its kind.
bool looksLikeObjectLine(const QString& line)
{
    if (line.startsWith(QLatin1Char('#')))
        return true;
    FigFields fields(line);
    int code = 0;
    if (!fields.readInt(code))
        return false;
    int count = 1;
    QStringRef token;
    QStringRef third;
    while (fields.next(token)) {
        if (++count == 3)
            third = token;
    }
    switch (code) {
    case -6:
        return count == 1;
    case 0:
        return count == 3 && third.startsWith(QLatin1Char('#'));
    case 1:
        return count == 20;
    case 2:
        return count == 16;
    case 3:
        return count == 14;
    case 4:
        return count >= 13; // the string may hold blanks, or be missing
    case 5:
        return count == 22;
    case 6:
        return count == 5;
    default:
        return false;
    }
}

} // namespace

FigInput::FigInput(QTextStream& stream)
    : in(stream)
{
}

bool FigInput::readLine(QString& line)
{
    if (pos >= 0) {
        skipBlanks();
        if (pos < current.size()) {
            line = current.mid(pos);
            pos = -1;
            return true;
        }
        pos = -1;
    }
    if (!fetch()) {
        line.clear();
        return false;
    }
    line = current;
    pos = -1;
    return true;
}

FigInput::TokenResult FigInput::nextToken(QString& token)
{
    for (;;) {
        if (pos >= 0) {
            skipBlanks();
            if (pos < current.size()) {
                const int start = pos;
                while (pos < current.size() && !isFigSpace(current.at(pos)))
                    ++pos;
                token = current.mid(start, pos - start);
                return Token;
            }
        }
        const int lineBefore = currentLine;
        if (!fetch())
            return EndOfFile;
        if (!recording || current.isEmpty())
            continue;
        const bool indented = !current.isEmpty() && isFigSpace(current.at(0));
        if (indented) {
            indentedContinuation = true;
        } else if (indentedContinuation && looksLikeObjectLine(current)) {
            // Not consumed: given back for the next object.
            pushedBack.prepend({ currentLine, current });
            recorded.clear();
            currentLine = lineBefore;
            pos = -1;
            return ObjectLine;
        }
    }
}

QString FigInput::restOfLine()
{
    if (pos < 0)
        return QString();
    const QString rest = current.mid(pos);
    pos = -1;
    return rest;
}

void FigInput::beginObject()
{
    recording = true;
    recorded.clear();
}

void FigInput::endObject()
{
    recording = false;
    recorded.clear();
}

void FigInput::abandonObject()
{
    recording = false;
    pos = -1;
    if (!recorded.isEmpty()) {
        pushedBack = recorded + pushedBack;
        recorded.clear();
        return;
    }
    while (fetch()) {
        if (current.isEmpty() || !isFigSpace(current.at(0))) {
            pos = 0; // not consumed: the next readLine returns it
            return;
        }
    }
    pos = -1;
}

bool FigInput::atEnd() const
{
    return pos < 0 && pushedBack.isEmpty() && in.atEnd();
}

QTextCodec* FigInput::codec() const
{
    return in.codec();
}

bool FigInput::fetch()
{
    if (!pushedBack.isEmpty()) {
        const Line line = pushedBack.takeFirst();
        current = line.text;
        currentLine = line.number;
    } else {
        if (in.atEnd())
            return false;
        current = in.readLine();
        currentLine = ++linesRead;
    }
    pos = 0;
    if (recording && (!recorded.isEmpty() || (!current.isEmpty() && !isFigSpace(current.at(0)))))
        recorded.append({ currentLine, current });
    return true;
}

void FigInput::skipBlanks()
{
    while (pos < current.size() && isFigSpace(current.at(pos)))
        ++pos;
}

bool FigFields::next(QStringRef& token)
{
    while (pos < s.size() && isFigSpace(s.at(pos)))
        ++pos;
    if (pos >= s.size())
        return false;
    const int start = pos;
    while (pos < s.size() && !isFigSpace(s.at(pos)))
        ++pos;
    token = s.midRef(start, pos - start);
    return true;
}

bool FigFields::readInt(int& value)
{
    QStringRef token;
    if (!next(token))
        return false;
    bool ok = false;
    value = token.toInt(&ok);
    return ok;
}

bool FigFields::readFinite(double& value)
{
    return readReal(value) && std::isfinite(value);
}

bool FigFields::readReal(double& value)
{
    QStringRef token;
    if (!next(token))
        return false;
    bool ok = false;
    value = token.toDouble(&ok);
    return ok;
}
