// The Fig reader: turns a Fig 3.1 or 3.2 file into the objects of a drawing,
// applies the program's own identifiers and smart links when the file comes
// from this program, and corrects what would not display well, reporting
// each correction with the line of the file it concerns. A damaged file
// never stops the program: an object that cannot be read is left out with a
// message and reading goes on with the next one.

#include "model/figcontext.h"

#include "app/messagebox.h"
#include "app/preferences.h"
#include "app/statusmessages.h"
#include "model/depths.h"
#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figcompound.h"
#include "model/figellipse.h"
#include "model/figformat.h"
#include "model/figinput.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/objectlist.h"
#include "model/picturedata.h"
#include "model/tavreltextstream.h"
#include "model/transforms.h"
#include "model/units.h"
#include "render/colors.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTextCodec>

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr double twoPi = 6.283185307179586;

// Positions beyond this many Fig units (about 2 km) are not a drawing; they
// would only overflow the integer arithmetic of moving and bounding.
constexpr double maxFigCoordinate = 100000000.0;
// Line widths and corner radii, in 1/80 inch.
constexpr int maxLineWidth = 1000000;
// Compounds nested deeper than this are flattened into their parent.
constexpr int maxCompoundNesting = 200;

enum class Failure { None, BadValue, EndOfFile, Missing, OutOfRange, NoMemory };

// One read in progress.
struct Reading {
    CFigContext* context;
    FigDrawing* drawing;
    FigInput& input;
    int version = 32;
    double coordinateLimit = maxFigCoordinate; // in the file's units
    // The metadata lines that preceded each object read (members included).
    QHash<FigObject*, QStringList> metadata;
};

FigFileProgress& progress = figFileProgress;

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

void reportDropped(const char* kind, Failure failure, int line)
{
    switch (failure) {
    case Failure::None:
        break;
    case Failure::BadValue:
        showFormattedStatusMessage("Invalid %s at line %d, removing it.", kind, line);
        break;
    case Failure::EndOfFile:
        showFormattedStatusMessage("Unexpected end of file in %s at line %d, removing it.", kind, line);
        break;
    case Failure::Missing:
        showFormattedStatusMessage("Missing data in %s at line %d, removing it.", kind, line);
        break;
    case Failure::OutOfRange:
        showFormattedStatusMessage("Value out of range in %s at line %d, removing it.", kind, line);
        break;
    case Failure::NoMemory:
        showStatusMessage("Running out of memory.");
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
        showFormattedStatusMessage("Invalid %s angle at line %d, setting to 0.", kind, progress.objectStartLine);
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
        showFormattedStatusMessage(
            "Depth > Maximum allowed (%d), setting to %d in line %d.", 999, 999, progress.objectStartLine);
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

// The common fields 2 to 10 of arcs, ellipses, polylines and splines.
bool readCommonFields(FigFields& f, FigObject* object, Failure& failure)
{
    double styleVal = 0;
    if (!f.readInt(object->subType) || !f.readInt(object->lineStyle) || !f.readInt(object->lineWidth)
        || !f.readInt(object->penColor) || !f.readInt(object->fillColor) || !f.readInt(object->depth)
        || !f.readInt(object->penStyle) || !f.readInt(object->fillStyle) || !f.readFinite(styleVal)) {
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
    int code = 0;
    int forward = 0;
    int backward = 0;
    double cx = 0;
    double cy = 0;
    Failure failure = Failure::None;
    if (!f.readInt(code) || !readCommonFields(f, arc.get(), failure))
        return dropObject(r, "arc", failure == Failure::None ? Failure::BadValue : failure, progress.objectStartLine);
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
    int code = 0;
    double angle = 0;
    Failure failure = Failure::None;
    if (!f.readInt(code) || !readCommonFields(f, ellipse.get(), failure))
        return dropObject(
            r, "ellipse", failure == Failure::None ? Failure::BadValue : failure, progress.objectStartLine);
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
    int code = 0;
    int forward = 0;
    int backward = 0;
    int npoints = 0;
    Failure failure = Failure::None;
    if (!f.readInt(code) || !readCommonFields(f, polyline.get(), failure))
        return dropObject(
            r, "polyline", failure == Failure::None ? Failure::BadValue : failure, progress.objectStartLine);
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
        showFormattedStatusMessage("Deleting zero-size %s at line %d", name, progress.objectStartLine);
        return nullptr;
    }
    if (sub == 3 && count < 3) {
        showFormattedStatusMessage(
            "Deleting polygon containing fewer than 3 points at line %d", progress.objectStartLine);
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
    int code = 0;
    int forward = 0;
    int backward = 0;
    int npoints = 0;
    Failure failure = Failure::None;
    if (!f.readInt(code) || !readCommonFields(f, spline.get(), failure))
        return dropObject(
            r, "spline", failure == Failure::None ? Failure::BadValue : failure, progress.objectStartLine);
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
                    showFormattedStatusMessage("Shape factor out of range at line %d, clamping it.", r.input.line());
                clamped = true;
            }
            *tail = new ShapeFactorNode;
            (*tail)->value = value;
            tail = &(*tail)->next;
        }
    }

    const int points = spline->pointCount();
    if (isClosedSplineType(spline->subType) && points < 3) {
        showFormattedStatusMessage(
            "Closed splines must have 3 or more points, removing spline at line %d", progress.objectStartLine);
        return nullptr;
    }
    if (points < 2) {
        showFormattedStatusMessage(
            "Open splines must have 2 or more points, removing spline at line %d", progress.objectStartLine);
        return nullptr;
    }
    if (r.version <= 31 && !spline->initShapeFactors())
        return nullptr;
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
        showFormattedStatusMessage(
            "Invalid text font (%d) at line %d, setting to DEFAULT.", text->font, progress.objectStartLine);
        // The default font as a file's -1 reads, so that the corrected
        // drawing is saved the same way every time.
        text->font = 0;
    }
    correctCommonAttributes(text.get(), true);
    text->text = unescapeFigText(raw);
    if (text->subType > 2 || text->subType < 0) {
        showFormattedStatusMessage("Invalid text justification at line %d, setting to LEFT.", progress.objectStartLine);
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
                showFormattedStatusMessage("Compounds nested too deeply at line %d, ungrouping.", r.input.line());
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
            showFormattedStatusMessage("Incorrect object code at line %d.", progress.lineNumber);
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
        showFormattedStatusMessage("Invalid color definition at line %d, ignoring it.", r.input.line());
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

// ---- Header --------------------------------------------------------------

bool beginsWith(const QString& line, const char* word)
{
    return line.startsWith(QLatin1String(word), Qt::CaseInsensitive);
}

int failHeader(const char* message)
{
    showStatusMessage(message);
    return -1;
}

int readHeader(Reading& r, CFigContext* context, bool clip)
{
    QString line;
    const bool haveFirst = r.input.readLine(line);
    if (!haveFirst || r.input.atEnd())
        return -2;
    progress.lineNumber = r.input.line();

    FigFields first(line);
    QStringRef word;
    first.next(word);
    double version = 0;
    if (!first.readReal(version) || !std::isfinite(version))
        version = 0;
    version = qBound(-1000.0, version, 1000.0);
    const int versionCode = static_cast<int>((version + 0.01) * 10);
    if (!word.startsWith(QLatin1String("#FIG")))
        return failHeader("Not a Fig file");
    if (versionCode < 31) {
        MessageBoxRequest box;
        box.icon = QMessageBox::Information;
        box.title = QStringLiteral("Export failed!");
        box.text = QString::asprintf(
            "Figure is in FIG %.1f format. Use an older version of Tavrel or Kvix to convert to FIG %.1f", version,
            3.2);
        box.buttons = QMessageBox::Ok;
        showMessageBox(box);
        return -1;
    }
    if (static_cast<float>(version) > 3.2f) {
        showFormattedStatusMessage("You must have a NEWER version of Tavrel to load this figure (%.1f).", version);
        return -1;
    }
    r.version = versionCode;

    if (!readSignificantLine(r, line))
        return failHeader("No Portrait/Landscape specification");
    progress.createdBySystem = false;
    if (!pendingCommentLines.isEmpty()) {
        const QString identification = pendingCommentLines.takeFirst();
        if (!identification.isEmpty()) {
            progress.createdBySystem = identification.contains(QLatin1String("Tavrel"));
            if (!pendingCommentLines.isEmpty())
                pendingCommentLines.removeFirst();
        }
    }
    if (!clip)
        context->landscape = beginsWith(line, "landscape");

    if (!readSignificantLine(r, line))
        return failHeader("No Center/Flushleft specification");
    if (beginsWith(line, "center") || beginsWith(line, "flush")) {
        context->flushLeft = beginsWith(line, "flush");
        if (!readSignificantLine(r, line))
            return failHeader("No Metric/Inches specification");
    }
    if (!clip)
        context->metric = beginsWith(line, "metric");

    if (versionCode >= 32) {
        if (!readSignificantLine(r, line))
            return failHeader("No Paper size specification");
        int paper = paperSizeIndex(line);
        if (paper < 0) {
            showStatusMessage("Illegal paper size in file, using default");
            paper = context->metric ? defaultMetricPaper : defaultInchPaper;
        }
        context->paperIndex = paper;

        if (!readSignificantLine(r, line))
            return failHeader("No Magnification specification");
        FigFields magnification(line);
        double value = 0;
        context->magnification = magnification.readFinite(value) ? static_cast<float>(value) : 0.0f;
        if (!std::isfinite(context->magnification))
            context->magnification = 0.0f;

        if (!readSignificantLine(r, line) || !(beginsWith(line, "multiple") || beginsWith(line, "single")))
            return failHeader("No Multiple page flag specification");
        context->multiplePages = beginsWith(line, "multiple");

        if (!readSignificantLine(r, line))
            return failHeader("No Transparent color specification");
        FigFields transparent(line);
        int colour = 0;
        context->transparentColor = transparent.readInt(colour) ? colour : 0;
    }

    if (!readSignificantLine(r, line))
        return failHeader("No Resolution specification; figure is empty");
    FigFields resolutionLine(line);
    int resolution = 0;
    if (!resolutionLine.readInt(resolution) || resolution <= 0) {
        showFormattedStatusMessage("Invalid resolution at line %d, using 1200.", r.input.line());
        resolution = figUnitsPerInch;
    }
    r.coordinateLimit = maxFigCoordinate * resolution / figUnitsPerInch;
    return resolution;
}

// ---- Objects ---------------------------------------------------------------

int readObjects(Reading& r)
{
    QStringList metadata;
    QString line;
    while (readSignificantLine(r, metadata, line)) {
        int code = 0;
        const bool valid = objectCode(line, code);
        if (valid && code == 0) {
            readColor(r, line);
            if (progress.objectCount != 0)
                showFormattedStatusMessage(
                    "Color definitions must come before other objects (line %d).", progress.lineNumber);
        } else if (valid && code >= 1 && code <= 6) {
            FigObject* object = readObjectOfKind(r, code, line, 0);
            if (object) {
                r.drawing->objects.push_back(object);
                if (code != FigObject::Compound)
                    ++progress.objectCount;
                if (!metadata.isEmpty())
                    r.metadata.insert(object, metadata);
            }
        } else {
            showFormattedStatusMessage("Incorrect object code at line %d.", progress.lineNumber);
        }
        metadata.clear();
    }
    return 0;
}

FigPath* asPath(FigObject* object)
{
    if (object->type == FigObject::Polyline)
        return static_cast<FigLine*>(object);
    if (object->type == FigObject::Spline)
        return static_cast<FigSpline*>(object);
    return nullptr;
}

bool isOpenPathTarget(const FigObject* target)
{
    if (target->type == FigObject::Polyline)
        return target->subType == 1;
    const int sub = target->subType;
    return sub == 0 || sub == 2 || sub == 4;
}

void resolveLinks(FigObject* object, const FigObjectList* list, const QStringList& lines)
{
    FigPath* source = asPath(object);
    if (!source)
        return;
    for (const QString& line : lines) {
        int sourceIndex = -1;
        int targetId = -1;
        int leftIndex = -1;
        if (!parseLinkLine(line, sourceIndex, targetId, leftIndex) || sourceIndex == -1 || targetId == -1)
            continue;
        FigObject* target = findObjectById(list, targetId);
        FigPoint* point = source->pointAt(sourceIndex);
        if (!target || !point || target == object)
            continue;
        auto link = std::make_unique<SmartLink>();
        link->targetObjId = targetId;
        link->sourcePoint = point;
        // Ellipses, and splines as this program links to them, have no
        // target segment.
        const bool segmentless
            = target->type == FigObject::Ellipse || (target->type == FigObject::Spline && leftIndex == -1);
        if (!segmentless) {
            FigPath* targetPath = asPath(target);
            if (!targetPath)
                continue; // texts, arcs and compounds take no links
            FigPoint* left = targetPath->pointAt(leftIndex);
            if (!left)
                continue;
            link->targetLeftPoint = left;
            link->targetLeftPointIdx = leftIndex;
            if (isOpenPathTarget(target)) {
                link->targetRightPoint = left->next;
                link->targetRightPointIdx = left->next ? leftIndex + 1 : -1;
            } else if (!left->next || !left->next->next) {
                // The closing point of a closed polyline repeats point 0.
                link->targetRightPoint = targetPath->points;
                link->targetRightPointIdx = 0;
            } else {
                link->targetRightPoint = left->next;
                link->targetRightPointIdx = leftIndex + 1;
            }
        }
        delete point->link;
        point->link = link.release();
    }
}

void settleIdentifiers(CFigContext* context, Reading& r)
{
    FigObjectList* list = &r.drawing->objects;
    if (progress.createdBySystem) {
        for (auto it = r.metadata.cbegin(); it != r.metadata.cend(); ++it) {
            for (const QString& line : it.value()) {
                int id = -1;
                if (parseIdLine(line, id))
                    it.key()->id = id;
            }
        }
    }
    context->nextId = assignMissingIds(list, qMax(0, maxObjectId(list)));
    ObjectIdSet seen;
    if (!idsAreUnique(list, seen)) {
        context->nextId = renumberObjects(list, 0);
        return;
    }
    if (progress.createdBySystem) {
        for (auto it = r.metadata.cbegin(); it != r.metadata.cend(); ++it)
            resolveLinks(it.key(), list, it.value());
    }
}

// The largest arc centre coordinates of the tree widen the box (a centre
// may lie far outside its arc).
void widenByArcCentres(const FigObjectList* list, double& maxX, double& maxY)
{
    for (const FigObject* object : *list) {
        if (object->type == FigObject::Arc) {
            const auto* arc = static_cast<const FigArc*>(object);
            maxX = qMax(maxX, double(arc->centerX));
            maxY = qMax(maxY, double(arc->centerY));
        } else if (object->type == FigObject::Compound) {
            widenByArcCentres(static_cast<const FigCompound*>(object)->members, maxX, maxY);
        }
    }
}

// ---- Reader state --------------------------------------------------------

void holdReaderState()
{
    layersRefreshHold = 1;
    progress.objectCount = 0;
    pendingCommentLines.clear();
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    savedNumericLocale = current ? current : "C";
    std::setlocale(LC_NUMERIC, "C");
    progress.lineNumber = 1;
}

void restoreReaderState(CFigContext* context)
{
    std::setlocale(LC_NUMERIC, savedNumericLocale.c_str());
    layersRefreshHold = 0;
    context->refreshLayersToolbar();
}

} // namespace

// ---- Context operations ----------------------------------------------------

bool CFigContext::loadFile(const QString& name)
{
    if (name.isEmpty()) {
        showStatusMessage("Empty name");
        return false;
    }
    // Nothing may keep pointing at the objects about to go.
    currentObject = nullptr;
    openCompound = nullptr;
    if (selection)
        selection->clear();
    deleteAllObjects(&drawing.objects);
    showAllDepths();
    clearDepthObjectCounts();
    minDepth = -1;
    maxDepth = -1;

    const int result = readFigFile(name, &drawing, false, 0, 0);

    addObjectsToDepths(&drawing.objects);
    refreshLayersToolbar();
    if (result != 0) {
        reportReadError(name, result);
        return false;
    }
    showFormattedStatusMessage(
        "Opened \"%s\" Figure contains %d objects", name.toUtf8().constData(), figFileProgress.objectCount);
    clearModified();
    return true;
}

int CFigContext::readFigFile(const QString& name, FigDrawing* target, bool clip, int dx, int dy)
{
    fileName = QDir::toNativeSeparators(name);
    qDeleteAll(target->userShades);
    target->userShades.clear();
    target->userColors.clear();
    showFormattedStatusMessage("Reading objects from \"%s\" ...", name.toUtf8().constData());

    QFile file(name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    holdReaderState();
    TavrelTextStream stream(&file, preferences.fileEncoding);
    FigInput input(stream);
    Reading r { this, target, input, 32, maxFigCoordinate, {} };

    const int resolution = readHeader(r, this, clip);
    if (resolution < 0) {
        if (resolution == -2)
            pendingCommentLines.clear();
        restoreReaderState(this);
        return resolution;
    }
    target->comment = takePendingComments();

    int result = 0;
    try {
        result = readObjects(r);
    } catch (const std::bad_alloc&) {
        result = ENOMEM; // what was read so far stays in the drawing
    }
    pendingCommentLines.clear();
    if (result == 0 && file.error() != QFileDevice::NoError)
        result = errno ? errno : EIO; // a read error before the end of the file
    if (result == 0) {
        settleIdentifiers(this, r);
    } else {
        restoreReaderState(this);
        return result;
    }

    if (resolution != figUnitsPerInch) {
        const float factor = static_cast<float>(figUnitsPerInch) / static_cast<float>(resolution);
        if (factor != 1.0f) {
            showFormattedStatusMessage("Scaling figure by a factor of %.3f for new %d pixel per inch resolution.",
                static_cast<double>(factor), static_cast<int>(dpiX));
            scaleObjectListUniform(&target->objects, factor, 15);
        }
    }
    if (dx != 0 || dy != 0)
        translateObjectList(&target->objects, dx, dy);
    shiftNegativeFigure(&target->objects, clip);
    // Scaled or moved corners need not be the box of the scaled or moved
    // members (some boxes are found in screen pixels): a compound's corners
    // are its members' box as the figure stands now, as they will be when the
    // saved file is read again.
    recomputeCompoundCorners(this, &target->objects);
    target->getBounds(
        this, target->upperLeft.x, target->upperLeft.y, target->lowerRight.x, target->lowerRight.y, true, true);
    restoreReaderState(this);
    return 0;
}

void CFigContext::shiftNegativeFigure(FigObjectList* list, bool clip)
{
    if (!list)
        return;
    int minX = 10000;
    int minY = 10000;
    double maxX = 0;
    double maxY = 0;
    auto measure = [&]() {
        minX = 10000;
        minY = 10000;
        maxX = 0;
        maxY = 0;
        for (FigObject* object : *list) {
            int xmin = 0;
            int ymin = 0;
            int xmax = 0;
            int ymax = 0;
            object->getBounds(this, xmin, ymin, xmax, ymax, true, true);
            minX = qMin(minX, xmin);
            minY = qMin(minY, ymin);
            maxX = qMax(maxX, double(xmax));
            maxY = qMax(maxY, double(ymax));
        }
        widenByArcCentres(list, maxX, maxY);
    };
    measure();
    if (minX >= 0 && minY >= 0)
        return;
    const int step = roundToInt(snapStep());
    // 64-bit: the box of a far-off object may lie near the end of the int range.
    long long dx = minX >= 0 ? 0 : static_cast<long long>(step) - minX - (step != 0 ? 1 : 0);
    long long dy = minY >= 0 ? 0 : static_cast<long long>(step) - minY - (step != 0 ? 1 : 0);
    // A figure so wide that shifting it would carry its other side out of the
    // range a file can hold stays where it is.
    auto fits = [&]() { return maxX + double(dx) <= maxFigCoordinate && maxY + double(dy) <= maxFigCoordinate; };
    if (!fits()) {
        showStatusMessage("The figure is too large to be shifted back on the page.");
        return;
    }
    if (!clip) {
        MessageBoxRequest box;
        box.icon = QMessageBox::Warning;
        box.title = QStringLiteral("Request");
        box.text = QStringLiteral(
            "The figure has objects, which have negative coordinates. Do you wish to shift it back on the page?");
        box.buttons = QMessageBox::Yes | QMessageBox::No;
        box.defaultButton = QMessageBox::No;
        if (showMessageBox(box) != QMessageBox::Yes)
            return;
    }
    long long totalX = 0;
    long long totalY = 0;
    for (int pass = 0; pass < 4 && (dx != 0 || dy != 0) && fits(); ++pass) {
        translateObjectList(list, static_cast<int>(dx), static_cast<int>(dy));
        totalX += dx;
        totalY += dy;
        // Some boxes are found in screen pixels and need not move by exactly
        // the shift: what still lies off the page moves on, so that the saved
        // figure is not shifted again when it is read.
        measure();
        dx = minX < 0 ? -static_cast<long long>(minX) : 0;
        dy = minY < 0 ? -static_cast<long long>(minY) : 0;
    }
    showFormattedStatusMessage(
        "Shifting entire figure %ld pixels right and %ld pixels down to keep on page.", long(totalX), long(totalY));
}

void reportReadError(const QString& name, int code)
{
    if (code == 0 || code == -1)
        return;
    const QByteArray utf8 = name.toUtf8();
    if (code == -2) {
        showFormattedStatusMessage("File \"%s\" is empty.", utf8.constData());
        return;
    }
    if (code == ENAMETOOLONG) {
        showFormattedStatusMessage("File name \"%s\" is too long", utf8.constData());
        return;
    }
    showFormattedStatusMessage("File \"%s\" is not accessible: %s.", utf8.constData(), std::strerror(code));
    MessageBoxRequest box;
    box.icon = QMessageBox::Warning;
    box.text = statusText;
    box.buttons = QMessageBox::Ok;
    showMessageBox(box);
}
