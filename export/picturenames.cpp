#include "export/picturenames.h"

#include <QList>
#include <QPair>

namespace {

// Number of values after the object code before any arrow or point data.
constexpr int ellipseValues = 19;
constexpr int polylineValues = 15;
constexpr int splineValues = 13;
constexpr int textValues = 12;
constexpr int arcValues = 21;
constexpr int compoundValues = 4;
constexpr int arrowValues = 5;
// Header lines after "#FIG 3.2": orientation, justification, units, paper,
// magnification, pages, transparent colour, resolution; comments aside.
constexpr int headerLines = 8;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Walks the values of a Fig text as the reader does: white-space separated,
// continuation data on any number of lines.
class Scanner {
public:
    explicit Scanner(const QByteArray& text)
        : s(text)
    {
    }

    bool atEnd()
    {
        skipBlanks();
        return pos >= s.size();
    }
    char peek() const { return s.at(pos); }

    bool number(double& value)
    {
        skipBlanks();
        const int start = pos;
        while (pos < s.size() && !isBlank(s.at(pos)))
            ++pos;
        bool ok = false;
        value = s.mid(start, pos - start).toDouble(&ok);
        return ok;
    }
    bool integer(int& value)
    {
        double number = 0;
        if (!this->number(number) || number != int(number))
            return false;
        value = int(number);
        return true;
    }
    // The n-th value (from 1) of the next `count` ones is kept in `kept`.
    bool values(int count, QList<int>* kept = nullptr)
    {
        for (int i = 0; i < count; ++i) {
            double value = 0;
            if (!number(value))
                return false;
            if (kept)
                kept->append(int(value));
        }
        return true;
    }
    void skipLine()
    {
        while (pos < s.size() && s.at(pos) != '\n')
            ++pos;
    }
    // The rest of the current line without the blanks around it, as a
    // start and an end position.
    void restOfLine(int& start, int& end)
    {
        while (pos < s.size() && (s.at(pos) == ' ' || s.at(pos) == '\t'))
            ++pos;
        start = pos;
        skipLine();
        end = pos;
        while (end > start && isBlank(s.at(end - 1)))
            --end;
    }
    // Past the end of a text object's string: the four characters "\001"
    // (or the byte 1 of older writers).
    bool skipString()
    {
        const int escaped = s.indexOf("\\001", pos);
        const int byte = s.indexOf('\001', pos);
        if (escaped < 0 && byte < 0)
            return false;
        pos = byte >= 0 && (escaped < 0 || byte < escaped) ? byte + 1 : escaped + 4;
        skipLine();
        return true;
    }

private:
    void skipBlanks()
    {
        while (pos < s.size() && isBlank(s.at(pos)))
            ++pos;
    }

    const QByteArray& s;
    int pos = 0;
};

bool skipHeader(Scanner& in, const QByteArray& fig)
{
    if (!fig.startsWith("#FIG 3.2"))
        return false;
    in.skipLine();
    for (int line = 0; line < headerLines;) {
        if (in.atEnd())
            return false;
        if (in.peek() != '#')
            ++line;
        in.skipLine();
    }
    return true;
}

// The arrow lines announced by the forward and backward flags.
bool skipArrows(Scanner& in, int forward, int backward)
{
    return in.values(arrowValues * ((forward ? 1 : 0) + (backward ? 1 : 0)));
}

// Finds the picture names, as start and end positions; false when the
// objects cannot be followed.
bool findPictureNames(const QByteArray& fig, QList<QPair<int, int>>& places)
{
    Scanner in(fig);
    if (!skipHeader(in, fig))
        return false;
    while (!in.atEnd()) {
        if (in.peek() == '#') {
            in.skipLine();
            continue;
        }
        int code = 0;
        if (!in.integer(code))
            return false;
        QList<int> v;
        switch (code) {
        case 0: // colour
            in.skipLine();
            break;
        case 1: // ellipse
            if (!in.values(ellipseValues))
                return false;
            break;
        case 2: { // polyline: sub-type first, arrow flags and point count last
            if (!in.values(polylineValues, &v) || !skipArrows(in, v.at(12), v.at(13)))
                return false;
            if (v.at(0) == 5) {
                int flipped = 0;
                if (!in.integer(flipped))
                    return false;
                int start = 0;
                int end = 0;
                in.restOfLine(start, end);
                const QByteArray name = fig.mid(start, end - start);
                if (!name.isEmpty() && name != "<empty>")
                    places << qMakePair(start, end);
            }
            if (v.at(14) < 0 || !in.values(2 * v.at(14)))
                return false;
            break;
        }
        case 3: // spline: points, then one shape factor a point
            if (!in.values(splineValues, &v) || !skipArrows(in, v.at(10), v.at(11)) || v.at(12) < 0
                || !in.values(3 * v.at(12)))
                return false;
            break;
        case 4: // text
            if (!in.values(textValues) || !in.skipString())
                return false;
            break;
        case 5: // arc
            if (!in.values(arcValues, &v) || !skipArrows(in, v.at(11), v.at(12)))
                return false;
            break;
        case 6: // compound begins
            if (!in.values(compoundValues))
                return false;
            break;
        case -6: // compound ends
            break;
        default:
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<QByteArray> renamePictures(
    const QByteArray& fig, const std::function<QByteArray(const QByteArray&)>& rename)
{
    QList<QPair<int, int>> places;
    if (!findPictureNames(fig, places))
        return std::nullopt;
    QByteArray result = fig;
    // From the end, so that the positions before stay valid.
    for (int i = places.size() - 1; i >= 0; --i) {
        const int start = places.at(i).first;
        const int length = places.at(i).second - start;
        result.replace(start, length, rename(fig.mid(start, length)));
    }
    return result;
}
