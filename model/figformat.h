#pragma once
// What the Fig reader and writer share: the paper size table, the progress
// counters of the file being read or written, the program's own metadata
// lines and the escaping of text strings. One file is read or written at a
// time, on the GUI thread.

#include <QString>
#include <QStringList>

// One row of the paper size table: the Fig name of the header (Letter, Legal
// and Tabloid padded with blanks to eight characters), the label of the page
// settings, the LaTeX paper name and the portrait size in Fig units.
struct PaperSize {
    const char* figName;
    const char* label;
    const char* latexName;
    int width;
    int height;
};

constexpr int paperSizeCount = 29;
constexpr int defaultMetricPaper = 13; // A4
constexpr int defaultInchPaper = 0; // Letter
extern const PaperSize paperSizes[paperSizeCount];

// The largest style value (dash length or dot gap in 1/80 inch) that the
// format's converters accept; they refuse the file for anything above it or
// below 0.
constexpr double maxFigStyleValue = 6400.0;
// A style value within what the converters accept: negative values and
// values that are no number become 0, larger ones the largest.
constexpr double convertibleStyleValue(double value)
{
    return !(value >= 0.0) ? 0.0 : value > maxFigStyleValue ? maxFigStyleValue : value;
}

// The fewest points a spline chain or a polyline chain of the given sub-type
// must have for the reader to keep the object.
int minimumSplinePoints(int subType);
int minimumPolylinePoints(int subType);

// Whether the converters draw an ellipse of these radii: both non-zero and
// together more than 8 units (smaller ones are refused as invalid).
bool ellipseRadiiDrawable(int rx, int ry);

// Whether the converters draw a box with rounded corners whose sides are
// this long: they refuse the whole file for one that is a line (one side 0,
// the other not), and take one that is a single point.
constexpr bool roundedBoxSidesDrawable(long long width, long long height)
{
    return (width == 0) == (height == 0);
}

// White space as the C library sees it in the C locale.
inline bool isFigSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r')
        || c == QLatin1Char('\v') || c == QLatin1Char('\f');
}

// The row named by a header line (the text up to the first blank or "("),
// "ledger" in any letter case meaning Tabloid; -1 when no row has that name.
int paperSizeIndex(const QString& line);

// Progress of the file being read or written.
struct FigFileProgress {
    int lineNumber = 0; // physical line of the file last read (from 1)
    int objectStartLine = 0; // line on which the object being read begins
    int objectCount = 0; // objects read or written, compounds not counted
    bool createdBySystem = false; // the file names this program: its metadata counts
    QString fileName; // the file being read, as the reader's log records name it
    int loggedMessages = 0; // the reader's messages of this file so far
    // What the last read left out: how many objects (or lines), and the first
    // messages about them, for the report after opening.
    int removedObjects = 0;
    QStringList removalMessages;
};
extern FigFileProgress figFileProgress;

// The reader's collected comment lines joined with line feeds (empty when
// there are none); the collection is emptied.
QString takePendingComments();

// The program's own comment lines.
extern const char* const figCreatedByPrefix; // "# Created by Tavrel version "
extern const char* const figMetadataVersionLine; // "# METADATA <version>1.0</version>"
extern const char* const figMetadataMarker; // "# METADATA"

// "# METADATA <id>N</id>": true with the identifier when the line has that
// form (scanf rules: a blank matches any run of white space, text after the
// number does not matter) and the number lies in 0..maxStoredObjectId.
constexpr int maxStoredObjectId = 1000000000;
bool parseIdLine(const QString& line, int& id);
// "# METADATA <link srcPointIdx=S targetObjId=T targetLeftPointIdx=L />":
// true when the three numbers are present and each fits in an int.
bool parseLinkLine(const QString& line, int& sourceIndex, int& targetId, int& targetLeftIndex);

// A text string as stored in the file: backslashes doubled and every other
// character below 0x20 written as a backslash and three octal digits, so that
// the text stays on one line. The terminator "\001" is not included.
QString escapeFigText(const QString& text);
// The string of a text line back to the text: the final "\001" terminator
// (when it is one, not an escaped backslash followed by 001) is removed and
// escapes are decoded.
QString unescapeFigText(const QString& raw);

// The user-facing report of a failed read (readFigFile's result); nothing for
// 0 and -1, whose failures have reported themselves.
void reportReadError(const QString& name, int code);
