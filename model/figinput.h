#pragma once
// The input side of the Fig reader: the lines of a file and the white-space
// separated values in them, each with the physical line it comes from, so
// that every message can name the line where a problem is. Continuation data
// (arrows, points, shape factors) may spread over lines; when an object turns
// out to be unreadable, the lines its data reached that look like object
// lines are given back, so that a wrong point count costs only that object.

#include <QList>
#include <QString>
#include <QStringRef>

class QTextCodec;
class QTextStream;

class FigInput {
public:
    explicit FigInput(QTextStream& stream);

    // The next line: what is left of the current line after the values taken
    // from it when that is not blank, else the next line of the file. False
    // at the end of the file.
    bool readLine(QString& line);
    enum TokenResult {
        Token,
        EndOfFile,
        // Continuation data of an object ran into a line that begins without
        // white space and has the shape of an object line, while the file
        // indents its continuation lines: the object's data ends short, and
        // that line is left for the next object. Data lines without white
        // space in front (one point a line, say) are read as data.
        ObjectLine,
    };
    // The next value, on this line or a later one.
    TokenResult nextToken(QString& token);
    // The rest of the current line after the last value taken from it.
    QString restOfLine();

    // An object line was read: its continuation data follows.
    void beginObject();
    // The object was read; nothing to give back.
    void endObject();
    // The object cannot be used: the lines its data reached that begin
    // without white space (object lines, not continuation lines) are read
    // again; otherwise the rest of its line and the indented lines that
    // follow it are passed over.
    void abandonObject();

    bool atEnd() const;
    // Physical line (from 1) of the line last read or reached by a value.
    int line() const { return currentLine; }
    QTextCodec* codec() const;

private:
    struct Line {
        int number;
        QString text;
    };

    bool fetch();
    void skipBlanks();

    QTextStream& in;
    QString current;
    int pos = -1; // position in `current`; -1 when it is used up
    int currentLine = 0;
    int linesRead = 0;
    QList<Line> pushedBack; // lines to be read again, in order
    bool recording = false; // between beginObject and endObject
    bool indentedContinuation = false; // the file indents continuation lines
    QList<Line> recorded; // since the first object-like line of continuation data
};

// The fields of one object or header line, in order.
class FigFields {
public:
    explicit FigFields(const QString& text)
        : s(text)
    {
    }

    bool next(QStringRef& token);
    bool readInt(int& value);
    // A finite number.
    bool readFinite(double& value);
    // Any number, infinities and NaN included.
    bool readReal(double& value);
    // Position after the last field taken.
    int position() const { return pos; }

private:
    const QString& s;
    int pos = 0;
};
