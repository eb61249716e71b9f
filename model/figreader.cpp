// The Fig reader: turns a Fig 3.1 or 3.2 file into the objects of a drawing,
// applies the program's own identifiers and smart links when the file comes
// from this program, and corrects what would not display well, reporting
// each correction with the line of the file it concerns. A damaged file
// never stops the program: an object that cannot be read is left out with a
// message and reading goes on with the next one.

#include "model/figcontext.h"

#include "app/messagebox.h"
#include "app/preferences.h"
#include "app/qslog.h"
#include "app/statusmessages.h"
#include "model/depths.h"
#include "model/figarc.h"
#include "model/figcompound.h"
#include "model/figformat.h"
#include "model/figinput.h"
#include "model/figline.h"
#include "model/figobjectreader.h"
#include "model/figspline.h"
#include "model/objectlist.h"
#include "model/tavreltextstream.h"
#include "model/transforms.h"
#include "model/units.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

using namespace figreader;

namespace {

FigFileProgress& progress = figFileProgress;

// ---- Header --------------------------------------------------------------

bool beginsWith(const QString& line, const char* word)
{
    return line.startsWith(QLatin1String(word), Qt::CaseInsensitive);
}

int failHeader(const char* message)
{
    reportFailure("%s", message);
    return -1;
}

int readHeader(Reading& r, CFigContext* context, bool clip)
{
    QString line;
    if (!r.input.readLine(line))
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
    // Anything that does not begin as a Fig file is not one, however short;
    // a Fig file of its first line alone is empty.
    if (!word.startsWith(QLatin1String("#FIG")))
        return failHeader("Not a Fig file");
    if (r.input.atEnd())
        return -2;
    if (versionCode < 31) {
        MessageBoxRequest box;
        box.icon = QMessageBox::Information;
        box.title = QStringLiteral("Export failed!");
        box.text = QString::asprintf(
            "Figure is in FIG %.1f format. Use an older version of Tavrel or Kvix to convert to FIG %.1f", version,
            3.2);
        box.buttons = QMessageBox::Ok;
        QLOG_ERROR() << progress.fileName + QStringLiteral(": ") + box.text;
        showMessageBox(box);
        return -1;
    }
    if (static_cast<float>(version) > 3.2f) {
        reportFailure("You must have a NEWER version of Tavrel to load this figure (%.1f).", version);
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
            reportCorrection("Illegal paper size in file, using default");
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
        reportCorrection("Invalid resolution at line %d, using 1200.", r.input.line());
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
                reportCorrection("Color definitions must come before other objects (line %d).", progress.lineNumber);
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
            reportRemoval("Incorrect object code at line %d.", progress.lineNumber);
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
        reportFailure("Empty name");
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
    noteDrawingChanged();

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
    progress.fileName = fileName;
    progress.loggedMessages = 0;
    progress.removedObjects = 0;
    progress.removalMessages.clear();
    qDeleteAll(target->userShades);
    target->userShades.clear();
    target->userColors.clear();
    showFormattedStatusMessage("Reading objects from \"%s\" ...", name.toUtf8().constData());

    QFile file(name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        // The system's reason: a missing file or folder, a folder, no
        // permission.
        reportFailure("Couldn't open file %s, %s", name.toUtf8().constData(), file.errorString().toUtf8().constData());
        return -1;
    }
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
            reportCorrection("Scaling figure by a factor of %.3f for new %d pixel per inch resolution.",
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
        reportCorrection("The figure is too large to be shifted back on the page.");
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
    reportCorrection(
        "Shifting entire figure %ld pixels right and %ld pixels down to keep on page.", long(totalX), long(totalY));
}

void reportReadError(const QString& name, int code)
{
    if (code == 0 || code == -1)
        return;
    const QByteArray utf8 = name.toUtf8();
    if (code == -2) {
        reportFailure("File \"%s\" is empty.", utf8.constData());
        return;
    }
    if (code == ENAMETOOLONG) {
        reportFailure("File name \"%s\" is too long", utf8.constData());
        return;
    }
    reportFailure("File \"%s\" is not accessible: %s.", utf8.constData(), std::strerror(code));
    MessageBoxRequest box;
    box.icon = QMessageBox::Warning;
    box.text = statusText;
    box.buttons = QMessageBox::Ok;
    showMessageBox(box);
}
