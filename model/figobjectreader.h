#pragma once
// What the parts of the Fig reader share: the read in progress and the
// operations the header and object loop take from the object readers.
// Internal to the reader (model/figreader.cpp, model/figobjectreader.cpp).

#include "model/figinput.h"
#include "model/figobjectlist.h"
#include "model/units.h"

#include <QHash>
#include <QString>
#include <QStringList>

class CFigContext;
class FigDrawing;
class FigObject;

namespace figreader {

// One read in progress.
struct Reading {
    CFigContext* context;
    FigDrawing* drawing;
    FigInput& input;
    int version = 32; // 31 or 32
    double coordinateLimit = maxFigCoordinate; // in the file's units
    // The metadata lines that preceded each object read (members included).
    QHash<FigObject*, QStringList> metadata;
};

// The next line that is neither empty, a comment nor a metadata line (the
// latter are collected, the comments go to the pending comments); false at
// the end of the file. Without a list, metadata lines are dropped.
bool readSignificantLine(Reading& r, QStringList& metadata, QString& line);
bool readSignificantLine(Reading& r, QString& line);

// The reader's reports, each shown in the status bar and written to the log
// with the name of the file being read. A correction of a value (a warning
// in the log):
void reportCorrection(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
// An object or line left out (an error in the log), counted for the report
// after opening:
void reportRemoval(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
// A read that fails (an error in the log):
void reportFailure(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
// The messages kept for the report after opening.
constexpr int keptRemovalMessages = 5;

// The object code of a line; false when its first field is not an integer.
bool objectCode(const QString& line, int& code);
// An object of code 1 to 6 read from its line and continuation lines; null
// when it was left out (with a message). `nesting` counts the compounds
// around it.
FigObject* readObjectOfKind(Reading& r, int code, const QString& line, int nesting);
// A colour definition line: the drawing's user colour is set.
void readColor(Reading& r, const QString& line);
// Every compound's corners set to its members' box, nested ones first.
void recomputeCompoundCorners(CFigContext* context, const FigObjectList* list);

} // namespace figreader
