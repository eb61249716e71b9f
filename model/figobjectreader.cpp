// The object readers of the Fig reader: one per kind of object, each
// parsing its object line and continuation lines, correcting values with a
// message naming the line, and leaving out an object whose data cannot be
// used. Also the reading of significant lines and of colour definitions.

#include "model/figobjectreader.h"

#include "app/qslog.h"
#include "app/statusmessages.h"
#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/figformat.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/objectlist.h"
#include "model/picturedata.h"
#include "model/units.h"
#include "render/colors.h"

#include <QTextCodec>

#include <cmath>
#include <cstdarg>
#include <memory>
#include <new>

namespace figreader {

namespace {

constexpr double twoPi = 6.283185307179586;
// Line widths and corner radii, in 1/80 inch.
constexpr int maxLineWidth = 1000000;
// Compounds nested deeper than this are flattened into their parent.
constexpr int maxCompoundNesting = 200;

enum class Failure { None, BadValue, EndOfFile, Missing, OutOfRange, NoMemory };

FigFileProgress& progress = figFileProgress;

} // namespace

// ---- Lines ---------------------------------------------------------------

bool readSignificantLine(Reading& r, QStringList& metadata, QString& line)
{
    for (;;) {
        if (!r.input.readLine(line)) {
            line.clear();
            return false;
        }
        progress.lineNumber = r.input.line();
        // Only the program's own lines begin with the marker; a text or a
        // comment that merely contains it is not metadata.
        if (line.startsWith(QLatin1String(figMetadataMarker))) {
            metadata << line;
            continue;
        }
        if (line.startsWith(QLatin1Char('#'))) {
            QString comment = line;
            if (comment.endsWith(QLatin1Char('\n')))
                comment.chop(1);
            comment.remove(0, 1);
            if (comment.startsWith(QLatin1Char(' ')))
                comment.remove(0, 1);
            pendingCommentLines << comment;
            continue;
        }
        bool blank = true;
        for (const QChar c : qAsConst(line)) {
            if (!isFigSpace(c)) {
                blank = false;
                break;
            }
        }
        if (!blank)
            return true;
    }
}

bool readSignificantLine(Reading& r, QString& line)
{
    QStringList dropped; // metadata among header lines means nothing
    return readSignificantLine(r, dropped, line);
}

// ---- Reporting -----------------------------------------------------------

namespace {

// A badly damaged file can give a message for every line: the log takes the
// first of them, and a note that the rest were left out.
constexpr int maxLoggedMessages = 1000;

void report(QsLogging::Level level, const QString& text)
{
    showStatusMessage(text.toUtf8().constData());
    const int logged = progress.loggedMessages++;
    if (logged < maxLoggedMessages) {
        QLOG_RECORD(level) << progress.fileName + QStringLiteral(": ") + text;
    } else if (logged == maxLoggedMessages) {
        QLOG_RECORD(level) << progress.fileName + QStringLiteral(": further messages of this file are not logged.");
    }
}

} // namespace

void reportCorrection(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const QString text = QString::vasprintf(format, args);
    va_end(args);
    report(QsLogging::WarnLevel, text);
}

void reportRemoval(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const QString text = QString::vasprintf(format, args);
    va_end(args);
    report(QsLogging::ErrorLevel, text);
    ++progress.removedObjects;
    if (progress.removalMessages.size() < keptRemovalMessages)
        progress.removalMessages << text;
}

void reportFailure(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const QString text = QString::vasprintf(format, args);
    va_end(args);
    report(QsLogging::ErrorLevel, text);
}

void reportDropped(const char* kind, Failure failure, int line)
{
    switch (failure) {
    case Failure::None:
        break;
    case Failure::BadValue:
        reportRemoval("Invalid %s at line %d, removing it.", kind, line);
        break;
    case Failure::EndOfFile:
        reportRemoval("Unexpected end of file in %s at line %d, removing it.", kind, line);
        break;
    case Failure::Missing:
        reportRemoval("Missing data in %s at line %d, removing it.", kind, line);
        break;
    case Failure::OutOfRange:
        reportRemoval("Value out of range in %s at line %d, removing it.", kind, line);
        break;
    case Failure::NoMemory:
        reportRemoval("Running out of memory.");
        break;
    }
}

// Leaves out an object whose data cannot be used: the message names the line
// where the problem is, and the object's remaining lines are passed over.
FigObject* dropObject(Reading& r, const char* kind, Failure failure, int line)
{
    reportDropped(kind, failure, line);
    r.input.abandonObject();
    return nullptr;
}

// ---- Values --------------------------------------------------------------

bool coordinateInRange(const Reading& r, double value)
{
    return std::fabs(value) <= r.coordinateLimit;
}

Failure nextValue(Reading& r, QString& token)
{
    switch (r.input.nextToken(token)) {
    case FigInput::Token:
        return Failure::None;
    case FigInput::EndOfFile:
        return Failure::EndOfFile;
    case FigInput::ObjectLine:
        break;
    }
    return Failure::Missing;
}

Failure readIntValue(Reading& r, int& value)
{
    QString token;
    if (const Failure failure = nextValue(r, token); failure != Failure::None)
        return failure;
    bool ok = false;
    value = token.toInt(&ok);
    return ok ? Failure::None : Failure::BadValue;
}

Failure readFiniteValue(Reading& r, double& value)
{
    QString token;
    if (const Failure failure = nextValue(r, token); failure != Failure::None)
        return failure;
    bool ok = false;
    value = token.toDouble(&ok);
    return ok && std::isfinite(value) ? Failure::None : Failure::BadValue;
}

Failure readCoordinate(Reading& r, int& value)
{
    const Failure failure = readIntValue(r, value);
    if (failure == Failure::None && !coordinateInRange(r, value))
        return Failure::OutOfRange;
    return failure;
}

// An angle in radians brought into [0, 2π); an angle that is no number
// becomes 0 with a message. Angles that would be written as 2π (four
// decimals) are 0 already, so that a saved file reads back the same.
float normalizeAngle(double angle, const char* kind)
{
    if (!std::isfinite(angle)) {
        reportCorrection("Invalid %s angle at line %d, setting to 0.", kind, progress.objectStartLine);
        return 0.0f;
    }
    angle = std::fmod(angle, twoPi);
    if (angle < 0)
        angle += twoPi;
    float result = static_cast<float>(angle);
    // Compared as the writer's four decimals will show it.
    if (result < 0 || QString::number(static_cast<double>(result), 'f', 4).toDouble() >= twoPi)
        result = 0.0f;
    return result;
}

// Depth and area fill corrections of every kind but compounds.
void correctCommonAttributes(FigObject* object, bool isText)
{
    if (object->depth > 999) {
        reportCorrection("Depth > Maximum allowed (%d), setting to %d in line %d.", 999, 999, progress.objectStartLine);
        object->depth = 999;
    } else if (object->depth < 0) {
        object->depth = 0;
    }
    if (isText)
        return;
    if (object->fillStyle >= 21 && object->fillStyle <= 40 && (object->fillColor == -1 || object->fillColor == 0))
        object->fillStyle = -1;
    if (object->fillStyle < -1)
        object->fillStyle = -1;
    else if (object->fillStyle > 62)
        object->fillStyle = 62;
}

// The object code (field 1, skipped) and the common fields 2 to 10 of arcs,
// ellipses, polylines and splines; on false `failure` says why.
bool readCommonFields(FigFields& f, FigObject* object, Failure& failure)
{
    int code = 0; // the object code, already known to the caller
    double styleVal = 0;
    if (!f.readInt(code) || !f.readInt(object->subType) || !f.readInt(object->lineStyle)
        || !f.readInt(object->lineWidth) || !f.readInt(object->penColor) || !f.readInt(object->fillColor)
        || !f.readInt(object->depth) || !f.readInt(object->penStyle) || !f.readInt(object->fillStyle)
        || !f.readFinite(styleVal)) {
        failure = Failure::BadValue;
        return false;
    }
    object->styleVal = static_cast<float>(styleVal);
    if (std::abs(static_cast<long long>(object->lineWidth)) > maxLineWidth
        || std::abs(static_cast<long long>(object->subType)) > maxLineWidth || std::fabs(styleVal) > 3.0e38) {
        failure = Failure::OutOfRange;
        return false;
    }
    return true;
}

Failure readArrow(Reading& r, FigArrow*& arrow)
{
    int type = 0;
    int style = 0;
    double thickness = 0;
    double width = 0;
    double height = 0;
    Failure failure = readIntValue(r, type);
    if (failure == Failure::None)
        failure = readIntValue(r, style);
    if (failure == Failure::None)
        failure = readFiniteValue(r, thickness);
    if (failure == Failure::None)
        failure = readFiniteValue(r, width);
    if (failure == Failure::None)
        failure = readFiniteValue(r, height);
    if (failure != Failure::None)
        return failure;
    if (!coordinateInRange(r, width) || !coordinateInRange(r, height) || std::fabs(thickness) > maxLineWidth)
        return Failure::OutOfRange;
    if (type >= 15)
        type = 0;
    arrow = r.context->createArrow(
        type, style, static_cast<float>(thickness), static_cast<float>(width), static_cast<float>(height));
    return arrow ? Failure::None : Failure::NoMemory;
}

Failure readArrows(Reading& r, FigObject* object, int forward, int backward)
{
    if (forward) {
        const Failure failure = readArrow(r, object->forwArrow);
        if (failure != Failure::None)
            return failure;
    }
    if (backward)
        return readArrow(r, object->backArrow);
    return Failure::None;
}

// The points of a polyline or spline: the first is always read, then
// npoints - 1 more. Points are allocated one by one as they are read, so a
// count that the file does not back up only reads until the data ends.
Failure readPoints(Reading& r, FigPath* path, int npoints)
{
    const int count = npoints < 1 ? 1 : npoints;
    FigPoint** tail = &path->points;
    while (*tail)
        tail = &(*tail)->next;
    for (int i = 0; i < count; ++i) {
        int x = 0;
        int y = 0;
        Failure failure = readCoordinate(r, x);
        if (failure == Failure::None)
            failure = readCoordinate(r, y);
        if (failure != Failure::None)
            return failure;
        *tail = new FigPoint(x, y);
        tail = &(*tail)->next;
    }
    return Failure::None;
}

// The file name of a picture line: the bytes as written, read as UTF-8 when
// they are valid UTF-8 and as ISO 8859-1 otherwise.
QString pictureFileName(const QString& rest, QTextCodec* codec)
{
    const QString name = rest.trimmed();
    if (name == QLatin1String("<empty>"))
        return QString();
    const QByteArray bytes = codec ? codec->fromUnicode(name) : name.toLatin1();
    QTextCodec* utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString decoded = utf8->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return decoded;
    return QString::fromLatin1(bytes);
}

// ---- Per-kind readers ------------------------------------------------------

FigObject* readArc(Reading& r, const QString& line)
{
    progress.objectStartLine = r.input.line();
    auto arc = std::make_unique<FigArc>(-1);
    FigFields f(line);
    int forward = 0;
    int backward = 0;
    double cx = 0;
    double cy = 0;
    Failure failure = Failure::None;
    if (!readCommonFields(f, arc.get(), failure))
        return dropObject(r, "arc", failure, progress.objectStartLine);
    if (!f.readInt(arc->capStyle) || !f.readInt(arc->direction) || !f.readInt(forward) || !f.readInt(backward)
        || !f.readFinite(cx) || !f.readFinite(cy))
        return dropObject(r, "arc", Failure::BadValue, progress.objectStartLine);
    for (FigPoint& p : arc->points) {
        if (!f.readInt(p.x) || !f.readInt(p.y))
            return dropObject(r, "arc", Failure::BadValue, progress.objectStartLine);
        if (!coordinateInRange(r, p.x) || !coordinateInRange(r, p.y))
            return dropObject(r, "arc", Failure::OutOfRange, progress.objectStartLine);
    }
    if (!coordinateInRange(r, cx) || !coordinateInRange(r, cy))
        return dropObject(r, "arc", Failure::OutOfRange, progress.objectStartLine);
    arc->centerX = static_cast<float>(cx);
    arc->centerY = static_cast<float>(cy);
    const bool pieWedge = arc->subType == 2;
    arc->subType -= 1;
    correctCommonAttributes(arc.get(), false);
    failure = readArrows(r, arc.get(), forward, backward);
    if (failure != Failure::None)
        return dropObject(r, "arc", failure, r.input.line());
    if (pieWedge) {
        // A pie wedge has no arrows: the lines are read and discarded.
        delete arc->forwArrow;
        arc->forwArrow = nullptr;
        delete arc->backArrow;
        arc->backArrow = nullptr;
    }
    arc->comment = takePendingComments();
    return arc.release();
}

FigObject* readEllipse(Reading& r, const QString& line)
{
    progress.objectStartLine = r.input.line();
    auto ellipse = std::make_unique<FigEllipse>(-1);
    FigFields f(line);
    double angle = 0;
    Failure failure = Failure::None;
    if (!readCommonFields(f, ellipse.get(), failure))
        return dropObject(r, "ellipse", failure, progress.objectStartLine);
    if (!f.readInt(ellipse->direction) || !f.readReal(angle))
        return dropObject(r, "ellipse", Failure::BadValue, progress.objectStartLine);
    for (FigPoint* p : { &ellipse->center, &ellipse->radii, &ellipse->start, &ellipse->end }) {
        if (!f.readInt(p->x) || !f.readInt(p->y))
            return dropObject(r, "ellipse", Failure::BadValue, progress.objectStartLine);
        if (!coordinateInRange(r, p->x) || !coordinateInRange(r, p->y))
            return dropObject(r, "ellipse", Failure::OutOfRange, progress.objectStartLine);
    }
    ellipse->angle = normalizeAngle(angle, "ellipse");
    correctCommonAttributes(ellipse.get(), false);
    ellipse->comment = takePendingComments();
    return ellipse.release();
}

FigObject* readPolyline(Reading& r, const QString& line)
{
    progress.objectStartLine = r.input.line();
    auto polyline = std::make_unique<FigLine>(-1);
    FigFields f(line);
    int forward = 0;
    int backward = 0;
    int npoints = 0;
    Failure failure = Failure::None;
    if (!readCommonFields(f, polyline.get(), failure))
        return dropObject(r, "polyline", failure, progress.objectStartLine);
    if (!f.readInt(polyline->joinStyle) || !f.readInt(polyline->capStyle) || !f.readInt(polyline->radius)
        || !f.readInt(forward) || !f.readInt(backward) || !f.readInt(npoints))
        return dropObject(r, "polyline", Failure::BadValue, progress.objectStartLine);
    if (std::abs(static_cast<long long>(polyline->radius)) > maxLineWidth)
        return dropObject(r, "polyline", Failure::OutOfRange, progress.objectStartLine);
    correctCommonAttributes(polyline.get(), false);
    failure = readArrows(r, polyline.get(), forward, backward);
    if (failure == Failure::None && polyline->subType == 5) {
        polyline->picture = new PictureData;
        failure = readIntValue(r, polyline->picture->flipped);
        if (failure == Failure::None)
            polyline->picture->fileName = pictureFileName(r.input.restOfLine(), r.input.codec());
    }
    if (failure == Failure::None)
        failure = readPoints(r, polyline.get(), npoints);
    if (failure != Failure::None)
        return dropObject(r, "polyline", failure, r.input.line());

    const int count = polyline->pointCount();
    const int sub = polyline->subType;
    if ((sub == 2 || sub == 4 || sub == 5) && count < 5) {
        const char* name = sub == 2 ? "box" : sub == 4 ? "arcbox" : "picture";
        reportRemoval("Deleting zero-size %s at line %d", name, progress.objectStartLine);
        return nullptr;
    }
    if (sub == 3 && count < 3) {
        reportRemoval("Deleting polygon containing fewer than 3 points at line %d", progress.objectStartLine);
        return nullptr;
    }
    if (count == 1) {
        delete polyline->forwArrow;
        polyline->forwArrow = nullptr;
        delete polyline->backArrow;
        polyline->backArrow = nullptr;
    }
    if (polyline->picture)
        r.context->readPicture(polyline.get(), polyline->picture);
    polyline->comment = takePendingComments();
    return polyline.release();
}

bool isClosedSplineType(int subType)
{
    return subType & 1;
}

FigObject* readSpline(Reading& r, const QString& line)
{
    progress.objectStartLine = r.input.line();
    auto spline = std::make_unique<FigSpline>(-1);
    FigFields f(line);
    int forward = 0;
    int backward = 0;
    int npoints = 0;
    Failure failure = Failure::None;
    if (!readCommonFields(f, spline.get(), failure))
        return dropObject(r, "spline", failure, progress.objectStartLine);
    if (!f.readInt(spline->capStyle) || !f.readInt(forward) || !f.readInt(backward) || !f.readInt(npoints))
        return dropObject(r, "spline", Failure::BadValue, progress.objectStartLine);
    correctCommonAttributes(spline.get(), false);
    failure = readArrows(r, spline.get(), forward, backward);
    if (failure == Failure::None)
        failure = readPoints(r, spline.get(), npoints);
    if (failure != Failure::None)
        return dropObject(r, "spline", failure, r.input.line());
    const int count = spline->pointCount();

    if (r.version <= 31) {
        // Version 3.1: interpolated splines carry two control points per
        // point, which the X-spline does not need.
        if (spline->subType & 2) {
            for (long long i = 0; i < 4LL * count; ++i) {
                QString token;
                if (const Failure missing = nextValue(r, token); missing != Failure::None)
                    return dropObject(r, "spline", missing, r.input.line());
                bool ok = false;
                token.toDouble(&ok);
                if (!ok)
                    return dropObject(r, "spline", Failure::BadValue, r.input.line());
            }
        }
        // A closed 3.1 spline repeats its first point at the end.
        if (isClosedSplineType(spline->subType) && spline->points) {
            FigPoint* first = spline->points;
            spline->points = first->next;
            first->next = nullptr;
            delete first;
        }
    } else {
        ShapeFactorNode** tail = &spline->shapeFactors;
        bool clamped = false;
        for (int i = 0; i < count; ++i) {
            double value = 0;
            failure = readFiniteValue(r, value);
            if (failure != Failure::None)
                return dropObject(r, "spline", failure, r.input.line());
            if (value < -1.0 || value > 1.0) {
                value = value < -1.0 ? -1.0 : 1.0;
                if (!clamped)
                    reportCorrection("Shape factor out of range at line %d, clamping it.", r.input.line());
                clamped = true;
            }
            *tail = new ShapeFactorNode;
            (*tail)->value = value;
            tail = &(*tail)->next;
        }
    }

    const int points = spline->pointCount();
    if (isClosedSplineType(spline->subType) && points < 3) {
        reportRemoval(
            "Closed splines must have 3 or more points, removing spline at line %d", progress.objectStartLine);
        return nullptr;
    }
    if (points < 2) {
        reportRemoval("Open splines must have 2 or more points, removing spline at line %d", progress.objectStartLine);
        return nullptr;
    }
    if (r.version <= 31 && !spline->initShapeFactors()) {
        reportDropped("spline", Failure::BadValue, progress.objectStartLine);
        return nullptr;
    }
    spline->comment = takePendingComments();
    return spline.release();
}

FigObject* readText(Reading& r, const QString& line)
{
    progress.objectStartLine = r.input.line();
    auto text = std::make_unique<FigText>(-1);
    FigFields f(line);
    int code = 0;
    double size = 0;
    double angle = 0;
    double height = 0;
    double length = 0;
    if (!f.readInt(code) || !f.readInt(text->subType) || !f.readInt(text->color) || !f.readInt(text->depth)
        || !f.readInt(text->penStyle) || !f.readInt(text->font) || !f.readFinite(size) || !f.readReal(angle)
        || !f.readInt(text->fontFlags) || !f.readReal(height) || !f.readReal(length) || !f.readInt(text->x)
        || !f.readInt(text->y))
        return dropObject(r, "text", Failure::BadValue, progress.objectStartLine);
    if (!coordinateInRange(r, text->x) || !coordinateInRange(r, text->y))
        return dropObject(r, "text", Failure::OutOfRange, progress.objectStartLine);
    // The string begins after the one blank that follows y.
    const QString raw = line.mid(f.position() + 1);

    if (text->font == -1)
        text->font = 0;
    if (size > -2.0 && size < 1.0) // truncates to -1 or 0
        text->fontSize = 12;
    else
        text->fontSize = qBound(1, roundToInt(size), 500);
    text->angle = normalizeAngle(angle, "text");
    const int fontLimit = (text->fontFlags != -1 && (text->fontFlags & 4)) ? 35 : 6;
    if (text->font >= fontLimit || text->font < 0) {
        reportCorrection(
            "Invalid text font (%d) at line %d, setting to DEFAULT.", text->font, progress.objectStartLine);
        // The default font as a file's -1 reads, so that the corrected
        // drawing is saved the same way every time.
        text->font = 0;
    }
    correctCommonAttributes(text.get(), true);
    text->text = unescapeFigText(raw);
    if (text->subType > 2 || text->subType < 0) {
        reportCorrection("Invalid text justification at line %d, setting to LEFT.", progress.objectStartLine);
        text->subType = 0;
    }
    r.context->computeTextMetrics(text.get(), r.context->zoom);
    text->comment = takePendingComments();
    return text.release();
}

FigObject* readCompound(Reading& r, const QString& line, int nesting);

// A compound's corners are its members' box, with line widths and arrows.
void setCornersFromMembers(CFigContext* context, FigCompound* compound)
{
    int xmin = 0;
    int ymin = 0;
    int xmax = 0;
    int ymax = 0;
    context->getObjectListBounds(compound->members, xmin, ymin, xmax, ymax, false, true, true);
    compound->upperLeft.x = xmin;
    compound->upperLeft.y = ymin;
    compound->lowerRight.x = xmax;
    compound->lowerRight.y = ymax;
}

// Every compound of the tree, nested ones before those that hold them.
void recomputeCompoundCorners(CFigContext* context, const FigObjectList* list)
{
    for (FigObject* object : *list) {
        if (object->type != FigObject::Compound)
            continue;
        auto* compound = static_cast<FigCompound*>(object);
        recomputeCompoundCorners(context, compound->members);
        setCornersFromMembers(context, compound);
    }
}

FigObject* readSimpleObject(Reading& r, int code, const QString& line)
{
    switch (code) {
    case FigObject::Ellipse:
        return readEllipse(r, line);
    case FigObject::Polyline:
        return readPolyline(r, line);
    case FigObject::Spline:
        return readSpline(r, line);
    case FigObject::Text:
        return readText(r, line);
    case FigObject::Arc:
        return readArc(r, line);
    default:
        return nullptr;
    }
}

FigObject* readObjectOfKind(Reading& r, int code, const QString& line, int nesting)
{
    if (code == FigObject::Compound)
        return readCompound(r, line, nesting + 1);
    r.input.beginObject();
    FigObject* object = nullptr;
    try {
        object = readSimpleObject(r, code, line);
    } catch (const std::bad_alloc&) {
        object = dropObject(r, "object", Failure::NoMemory, r.input.line());
    }
    r.input.endObject();
    return object;
}

// The object code of a line; false when its first field is not an integer.
bool objectCode(const QString& line, int& code)
{
    FigFields f(line);
    return f.readInt(code);
}

FigObject* readCompound(Reading& r, const QString& line, int nesting)
{
    auto compound = std::make_unique<FigCompound>(-1);
    compound->comment = takePendingComments();
    progress.objectStartLine = r.input.line();
    Q_UNUSED(line) // the corners of the file are recomputed from the members
    int flattened = 0; // compounds too deep to keep, whose "-6" is not ours
    QStringList metadata;
    QString memberLine;
    while (readSignificantLine(r, metadata, memberLine)) {
        int code = 0;
        const bool valid = objectCode(memberLine, code);
        if (valid && code == -6) {
            metadata.clear();
            if (flattened == 0)
                break;
            --flattened;
            continue;
        }
        if (valid && code == FigObject::Compound && nesting >= maxCompoundNesting) {
            if (flattened == 0)
                reportCorrection("Compounds nested too deeply at line %d, ungrouping.", r.input.line());
            ++flattened;
            metadata.clear();
            continue;
        }
        if (valid && code >= 1 && code <= 6) {
            FigObject* member = readObjectOfKind(r, code, memberLine, nesting);
            if (member) {
                compound->members->push_back(member);
                if (code != FigObject::Compound)
                    ++progress.objectCount;
                if (!metadata.isEmpty())
                    r.metadata.insert(member, metadata);
            }
        } else {
            reportRemoval("Incorrect object code at line %d.", progress.lineNumber);
        }
        metadata.clear();
    }
    setCornersFromMembers(r.context, compound.get());
    return compound.release();
}

void readColor(Reading& r, const QString& line)
{
    QString text = line;
    text.replace(QLatin1Char('#'), QLatin1String("0x"));
    FigFields f(text);
    int code = 0;
    int number = 0;
    QStringRef value;
    bool ok = f.readInt(code) && f.readInt(number) && f.next(value);
    qulonglong rgb = 0;
    if (ok) {
        // The base follows the prefix, as strtoul reads it.
        if (value.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            rgb = value.mid(2).toULongLong(&ok, 16);
        else if (value.startsWith(QLatin1Char('0')) && value.size() > 1)
            rgb = value.mid(1).toULongLong(&ok, 8);
        else
            rgb = value.toULongLong(&ok, 10);
    }
    const qint64 key = static_cast<qint64>(number) - 32;
    if (!ok || key < 0 || key >= CFigContext::maxUserColors) {
        reportCorrection("Invalid color definition at line %d, ignoring it.", r.input.line());
        return;
    }
    const int red = (rgb >> 16) & 0xff;
    const int green = (rgb >> 8) & 0xff;
    const int blue = rgb & 0xff;
    auto table = std::make_unique<ShadeTable>();
    buildColorShades(*table, red, green, blue);
    const int colorKey = static_cast<int>(key);
    r.drawing->userColors.insert(colorKey, QColor(red, green, blue));
    delete r.drawing->userShades.value(colorKey, nullptr);
    r.drawing->userShades.insert(colorKey, table.release());
}

} // namespace figreader
