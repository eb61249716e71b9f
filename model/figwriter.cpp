// The Fig writer: stores a document's drawing as a Fig 3.2 file with the
// program's identification, identifier and smart-link lines. The file is
// written beside its final place and put there only when every byte made it
// to the disk, so a failed save never leaves a truncated drawing behind.

#include "model/figcontext.h"

#include "app/preferences.h"
#include "app/statusmessages.h"
#include "app/version.h"
#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figcompound.h"
#include "model/figellipse.h"
#include "model/figformat.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/figtext.h"
#include "model/objectlist.h"
#include "model/picturedata.h"
#include "model/tavreltextstream.h"
#include "model/units.h"

#include <QBuffer>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextCodec>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

class FigWriter {
public:
    FigWriter(CFigContext* context, QIODevice* device)
        : context(context)
        , device(device)
        , out(device, preferences.fileEncoding)
    {
        out.setRealNumberNotation(QTextStream::FixedNotation);
    }

    void writeHeader();
    void writeUserColors();
    void writeComment(const QString& comment);
    void writeObject(FigObject* object, const FigObjectList* topLevel);

    TavrelTextStream& stream() { return out; }

private:
    // A float field with the given number of decimals; a value that is no
    // number is written as 0 so that the file stays readable.
    void real(double value, int decimals)
    {
        out.setRealNumberPrecision(decimals);
        out << (std::isfinite(value) ? value : 0.0);
    }

    void writeArc(FigArc* arc);
    void writeEllipse(FigEllipse* ellipse);
    void writePolyline(FigLine* line);
    void writeSpline(FigSpline* spline);
    void writeText(FigText* text);
    void writeArrows(const FigArrow* forward, const FigArrow* backward);
    void writeCommonFields(const FigObject* object);
    // The chain, its last point repeated until it has `minimum` points.
    void writePoints(const FigPoint* first, int minimum);
    void writePictureName(const QString& name);

    CFigContext* context;
    QIODevice* device;
    TavrelTextStream out;
};

// Objects that the format cannot hold are left out.
bool canBeWritten(CFigContext* context, FigObject* object)
{
    switch (object->type) {
    case FigObject::Ellipse: {
        const auto* ellipse = static_cast<const FigEllipse*>(object);
        return ellipse->radii.x != 0 && ellipse->radii.y != 0;
    }
    case FigObject::Polyline:
        return static_cast<const FigLine*>(object)->points != nullptr;
    case FigObject::Spline:
        return static_cast<const FigSpline*>(object)->points != nullptr;
    case FigObject::Text: {
        auto* text = static_cast<FigText*>(object);
        // A text whose metrics were never computed has no length yet.
        if (text->metricsZoom == 0.0f)
            context->computeTextMetrics(text, context->zoom);
        return text->length != 0;
    }
    case FigObject::Arc:
    case FigObject::Compound:
        return true;
    default:
        return false;
    }
}

void FigWriter::writeHeader()
{
    out << "#FIG 3.2\n";
    out << figCreatedByPrefix << versionString(true) << '\n';
    out << figMetadataVersionLine << '\n';
    out << (context->landscape ? "Landscape" : "Portrait") << '\n';
    out << (context->flushLeft ? "Flush left" : "Center") << '\n';
    out << (context->metric ? "Metric" : "Inches") << '\n';
    int paper = context->paperIndex;
    if (paper < 0 || paper >= paperSizeCount)
        paper = context->metric ? defaultMetricPaper : defaultInchPaper;
    out << paperSizes[paper].figName << '\n';
    real(context->magnification, 2);
    out << '\n';
    out << (context->multiplePages ? "Multiple" : "Single") << '\n';
    out << context->transparentColor << '\n';
    writeComment(context->drawing.comment);
    real(figUnitsPerInch, 0);
    out << " 2\n";
    writeUserColors();
}

void FigWriter::writeUserColors()
{
    const QMap<int, QColor>& colors = context->drawing.userColors;
    for (auto it = colors.cbegin(); it != colors.cend(); ++it) {
        const QColor& c = it.value();
        out << "0 " << it.key() + 32 << " #"
            << QString::asprintf("%02x%02x%02x", c.red() & 0xff, c.green() & 0xff, c.blue() & 0xff) << '\n';
        out.flush();
    }
}

void FigWriter::writeComment(const QString& comment)
{
    if (comment.isEmpty())
        return;
    // A NUL would make the file unreadable to other Fig readers, and a
    // carriage return inside a line is lost on reading: NULs are dropped,
    // and every kind of line break starts a comment line of its own.
    QString text = comment;
    text.remove(QChar(0));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        // "# METADATA" would make the line one of the program's own: such a
        // comment line goes without the blank, which the reader takes as
        // optional, and so reads back as the same text.
        out << (line.startsWith(QLatin1String("METADATA")) ? "#" : "# ") << line << '\n';
    }
}

void FigWriter::writeObject(FigObject* object, const FigObjectList* topLevel)
{
    // An object the format cannot hold leaves no lines at all: identifier
    // lines of their own would only be read as belonging to the next object.
    if (!canBeWritten(context, object))
        return;
    if (object->type != FigObject::Compound)
        ++figFileProgress.objectCount;
    out << "# METADATA <id>" << object->id << "</id>\n";
    if (object->type == FigObject::Polyline || object->type == FigObject::Spline) {
        const FigPoint* first = object->type == FigObject::Polyline ? static_cast<FigLine*>(object)->points
                                                                    : static_cast<FigSpline*>(object)->points;
        int index = 0;
        for (const FigPoint* p = first; p; p = p->next, ++index) {
            if (p->link && findObjectById(topLevel, p->link->targetObjId)) {
                out << "# METADATA <link srcPointIdx=" << index << " targetObjId=" << p->link->targetObjId
                    << " targetLeftPointIdx=" << p->link->targetLeftPointIdx << "/>\n";
            }
        }
    }
    switch (object->type) {
    case FigObject::Ellipse:
        writeEllipse(static_cast<FigEllipse*>(object));
        break;
    case FigObject::Polyline:
        writePolyline(static_cast<FigLine*>(object));
        break;
    case FigObject::Spline:
        writeSpline(static_cast<FigSpline*>(object));
        break;
    case FigObject::Text:
        writeText(static_cast<FigText*>(object));
        break;
    case FigObject::Arc:
        writeArc(static_cast<FigArc*>(object));
        break;
    case FigObject::Compound: {
        auto* compound = static_cast<FigCompound*>(object);
        writeComment(compound->comment);
        out << "6 " << compound->upperLeft.x << ' ' << compound->upperLeft.y << ' ' << compound->lowerRight.x << ' '
            << compound->lowerRight.y << '\n';
        for (FigObject* member : *compound->members)
            writeObject(member, topLevel);
        out << "-6\n";
        break;
    }
    default:
        break;
    }
}

// Fields 3 to 10 of arcs, ellipses, polylines and splines.
void FigWriter::writeCommonFields(const FigObject* object)
{
    out << object->lineStyle << ' ' << object->lineWidth << ' ' << object->penColor << ' ' << object->fillColor << ' '
        << object->depth << ' ' << object->penStyle << ' ' << object->fillStyle << ' ';
    // The converters refuse the whole file for a style value outside their
    // range, so such a value is written as the nearest one they take.
    real(convertibleStyleValue(object->styleVal), 3);
}

void FigWriter::writeArc(FigArc* arc)
{
    writeComment(arc->comment);
    out << "5 " << static_cast<qint64>(arc->subType) + 1 << ' ';
    writeCommonFields(arc);
    out << ' ' << arc->capStyle << ' ' << arc->direction << ' ' << (arc->forwArrow ? 1 : 0) << ' '
        << (arc->backArrow ? 1 : 0) << ' ';
    real(arc->centerX, 3);
    out << ' ';
    real(arc->centerY, 3);
    for (const FigPoint& p : arc->points)
        out << ' ' << p.x << ' ' << p.y;
    out << '\n';
    writeArrows(arc->forwArrow, arc->backArrow);
}

void FigWriter::writeArrows(const FigArrow* forward, const FigArrow* backward)
{
    for (const FigArrow* arrow : { forward, backward }) {
        if (!arrow)
            continue;
        out << '\t' << arrow->type << ' ' << arrow->style << ' ';
        real(arrow->thickness, 2);
        out << ' ';
        real(arrow->width, 2);
        out << ' ';
        real(arrow->height, 2);
        out << '\n';
    }
}

void FigWriter::writeEllipse(FigEllipse* ellipse)
{
    writeComment(ellipse->comment);
    out << "1 " << ellipse->subType << ' ';
    writeCommonFields(ellipse);
    out << ' ' << ellipse->direction << ' ';
    real(ellipse->angle, 4);
    for (const FigPoint* p : { &ellipse->center, &ellipse->radii, &ellipse->start, &ellipse->end })
        out << ' ' << p->x << ' ' << p->y;
    out << '\n';
}

void FigWriter::writePoints(const FigPoint* first, int minimum)
{
    out << '\t';
    int n = 0;
    const FigPoint* last = first;
    for (const FigPoint* p = first; p; p = p->next) {
        out << ' ' << p->x << ' ' << p->y;
        last = p;
        if (++n % 6 == 0 && (p->next || n < minimum))
            out << "\n\t";
    }
    while (last && n < minimum) {
        out << ' ' << last->x << ' ' << last->y;
        if (++n % 6 == 0 && n < minimum)
            out << "\n\t";
    }
    out << '\n';
}

void FigWriter::writePictureName(const QString& name)
{
    if (name.isEmpty()) {
        out << "<empty>";
        return;
    }
    // The name goes into the file as its UTF-8 bytes whatever the file's
    // encoding, so that any name reads back unchanged. Through an encoding
    // that keeps ASCII as single bytes the bytes are written as they are.
    QTextCodec* codec = out.codec();
    const bool utf8 = codec && codec->mibEnum() == 106;
    const bool asciiBytes = codec && codec->fromUnicode(QStringLiteral("\t0 ")) == QByteArrayLiteral("\t0 ");
    if (utf8 || !asciiBytes) {
        out << name;
        return;
    }
    out.flush();
    device->write(name.toUtf8());
}

// A box with rounded corners that has become a line (a script, a dialog, a
// point move or a scale gave it no width or no height) would make the
// converters refuse the whole file; the plain box of the same outline, which
// they draw alike, is written instead.
int writtenPolylineSubType(const CFigContext* context, const FigLine* line)
{
    if (line->subType != 4 || !line->points)
        return line->subType;
    int xmin = 0;
    int ymin = 0;
    int xmax = 0;
    int ymax = 0;
    context->pointChainBounds(line->points, xmin, ymin, xmax, ymax);
    return roundedBoxSidesDrawable(static_cast<long long>(xmax) - xmin, static_cast<long long>(ymax) - ymin) ? 4 : 2;
}

void FigWriter::writePolyline(FigLine* line)
{
    // Too short a chain would make the reader drop the object: the last
    // point is repeated instead (a degenerate shape survives as one).
    const int minimum = minimumPolylinePoints(line->subType);
    const int writtenCount = std::max(line->pointCount(), minimum);
    writeComment(line->comment);
    out << "2 " << writtenPolylineSubType(context, line) << ' ';
    writeCommonFields(line);
    out << ' ' << line->joinStyle << ' ' << line->capStyle << ' ' << line->radius << ' ' << (line->forwArrow ? 1 : 0)
        << ' ' << (line->backArrow ? 1 : 0) << ' ' << writtenCount << '\n';
    writeArrows(line->forwArrow, line->backArrow);
    if (line->subType == 5) {
        out << '\t' << (line->picture ? line->picture->flipped : 0) << ' ';
        writePictureName(line->picture ? line->picture->fileName : QString());
        out << '\n';
    }
    writePoints(line->points, minimum);
}

void FigWriter::writeSpline(FigSpline* spline)
{
    // As for polylines: a closed spline needs three points, an open one two.
    const int minimum = minimumSplinePoints(spline->subType);
    const int count = spline->pointCount();
    const int writtenCount = std::max(count, minimum);
    writeComment(spline->comment);
    out << "3 " << spline->subType << ' ';
    writeCommonFields(spline);
    out << ' ' << spline->capStyle << ' ' << (spline->forwArrow ? 1 : 0) << ' ' << (spline->backArrow ? 1 : 0) << ' '
        << writtenCount << '\n';
    writeArrows(spline->forwArrow, spline->backArrow);
    writePoints(spline->points, minimum);
    // The reader takes exactly one factor per point: a point without a node
    // gets the default factor of its place rather than leaving the file short.
    const bool closed = spline->subType & 1;
    const double defaultValue = (spline->subType == 0 || spline->subType == 1) ? 1.0 : -1.0;
    const ShapeFactorNode* node = spline->shapeFactors;
    out << '\t';
    int n = 0;
    for (const FigPoint* p = spline->points; p; p = p->next) {
        double value = node ? node->value : (!closed && (p == spline->points || !p->next) ? 0.0 : defaultValue);
        if (node)
            node = node->next;
        out << ' ';
        real(value, 3);
        if (++n % 8 == 0 && (p->next || n < writtenCount))
            out << "\n\t";
    }
    // Repeated points are inner points of the chain written: they take the
    // sub-type's own factor, and an open spline's last one 0.
    for (; n < writtenCount;) {
        const double value = !closed && n == writtenCount - 1 ? 0.0 : defaultValue;
        out << ' ';
        real(value, 3);
        if (++n % 8 == 0 && n < writtenCount)
            out << "\n\t";
    }
    out << '\n';
}

void FigWriter::writeText(FigText* text)
{
    writeComment(text->comment);
    // The descent is kept in screen pixels: converted the way the metrics
    // convert the ascent.
    const double zoom = text->metricsZoom > 0.0f ? text->metricsZoom : context->zoom;
    const float factor = static_cast<float>(figUnitsPerInch / context->dpiY / zoom);
    const qint64 height = static_cast<qint64>(text->ascent) + roundToInt(text->descent * factor);
    out << "4 " << text->subType << ' ' << text->color << ' ' << text->depth << ' ' << text->penStyle << ' '
        << text->font << ' ' << text->fontSize << ' ';
    real(text->angle, 4);
    out << ' ' << text->fontFlags << ' ' << height << ' ' << text->length << ' ' << text->x << ' ' << text->y << ' '
        << escapeFigText(text->text) << "\\001\n";
}

} // namespace

QByteArray CFigContext::figText()
{
    figFileProgress.objectCount = 0;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    FigWriter writer(this, &buffer);
    writer.writeHeader();
    for (FigObject* object : drawing.objects)
        writer.writeObject(object, &drawing.objects);
    writer.stream().flush();
    return buffer.data();
}

bool CFigContext::saveFile(const QString& name)
{
    const QByteArray utf8Name = name.toUtf8();
    // A device or a pipe has no content to protect and cannot be replaced by
    // a renamed file: it is written in place. Everything else goes through a
    // file beside the target that replaces it only once it is complete.
    const QFileInfo info(name);
    std::unique_ptr<QFileDevice> file;
    QSaveFile* atomicFile = nullptr;
    if (info.exists() && !info.isFile() && !info.isDir()) {
        file = std::make_unique<QFile>(name);
    } else {
        auto saveFile = std::make_unique<QSaveFile>(name);
        atomicFile = saveFile.get();
        file = std::move(saveFile);
    }
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        showFormattedStatusMessage(
            "Couldn't open file %s, %s", utf8Name.constData(), file->errorString().toUtf8().constData());
        return false;
    }

    showStatusMessage("Writing...");
    // The file is composed in memory and then written in one go, so that a
    // short write is retried and a full disk reports its own error.
    const QByteArray bytes = figText();
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file->write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += n;
    }
    bool written = done == bytes.size() && file->error() == QFileDevice::NoError;
    QString error = file->errorString();
    if (atomicFile) {
        if (!written)
            atomicFile->cancelWriting();
        else if (!atomicFile->commit()) {
            written = false;
            error = atomicFile->errorString();
        }
    } else {
        file->close();
        if (written && file->error() != QFileDevice::NoError) {
            written = false;
            error = file->errorString();
        }
    }
    if (!written) {
        showFormattedStatusMessage("Couldn't write file %s, %s", utf8Name.constData(), error.toUtf8().constData());
        return false;
    }
    showFormattedStatusMessage("%d object(s) saved in \"%s\"", figFileProgress.objectCount, utf8Name.constData());
    return true;
}
