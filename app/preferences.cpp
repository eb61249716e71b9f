#include "app/preferences.h"

#include "app/version.h"
#include "render/griddef.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>

#include <cfloat>
#include <climits>
#include <cmath>
#include <iterator>

Preferences preferences;

namespace {

// The settings keys of the record, in the order they are read and written.
namespace key {
const QString version = QStringLiteral("version");
const QString showCommentTips = QStringLiteral("show comments as tooltips");
const QString commentTipDelay = QStringLiteral("comment tool tip delay");
const QString widgetStyle = QStringLiteral("widget style");
const QString antialiasing = QStringLiteral("antialiasing");
const QString pdfViewerCommand = QStringLiteral("pdf viewer path");
const QString psViewerCommand = QStringLiteral("ps viewer path");
const QString compoundEditViewMode = QStringLiteral("compound edit view mode");
const QString useDefaultGsLocation = QStringLiteral("use default gs location");
const QString ghostscriptLocation = QStringLiteral("ghostscript location");
const QString generateEpsPreview = QStringLiteral("generate eps preview");
const QString epsPreviewFileType = QStringLiteral("eps preview file type");
const QString epsPreviewResolution = QStringLiteral("eps preview resolution");
const QString renderSpecialTextUsingTex = QStringLiteral("render special text using tex");
const QString latexCommand = QStringLiteral("latex command");
const QString dvipsCommand = QStringLiteral("dvips command");
const QString useDefaultTempDir = QStringLiteral("use default temp dir");
const QString tempDir = QStringLiteral("temp dir");
const QString specialTextTexFrame = QStringLiteral("special text tex document frame");
const QString additionalPath = QStringLiteral("additional path");
const QString fileEncoding = QStringLiteral("file encoding");
const QString customGrids = QStringLiteral("custom grids");
const QString gridOn = QStringLiteral("grid on");
const QString gridIndex = QStringLiteral("grid index");
const QString magnetMode = QStringLiteral("magnet mode");
const QString snapMode = QStringLiteral("snap mode");
const QString snapToGridUsingLineWidth = QStringLiteral("snap to grid using line width");
const QString metric = QStringLiteral("metric");
const QString horzRuler = QStringLiteral("horz ruler");
const QString vertRuler = QStringLiteral("vert ruler");
const QString fontBase72dpi = QStringLiteral("font base 72dpi");
const QString dpiAtZoom100 = QStringLiteral("dpi at zoom 100%");
const QString backgroundColor = QStringLiteral("background colour");
const QString gridColor = QStringLiteral("grid colour");
const QString exportTexFrame = QStringLiteral("export tex document frame");
const QString libraryRoot = QStringLiteral("library root directory");
const QString renderLatexInLibraries = QStringLiteral("render latex in libraries");
} // namespace key

// Members of one stored custom grid.
namespace gridMember {
const QString name = QStringLiteral("NAME");
const QString statusTip = QStringLiteral("STATUS_TIP");
const QString step = QStringLiteral("STEPSIZE");
const QString color = QStringLiteral("COLOR");
const QString penStyle = QStringLiteral("PENSTYLE");
} // namespace gridMember

const QString customGridIcon = QStringLiteral(":/grid/images/grid/grid_custom.png");

const QString snapGridWord = QStringLiteral("GRID");
const QString snapVertexWord = QStringLiteral("VERTEX");
constexpr int snapGridBit = 1;
constexpr int snapVertexBit = 2;

// Texts of "dpi at zoom 100%", indexed by Preferences::dpiAtZoom100.
const QString dpiTexts[] = { QStringLiteral("FIG dpi"), QStringLiteral("screen dpi"), QStringLiteral("font dpi") };

constexpr int maxMagnetMode = 4;

bool readBool(const QSettings& settings, const QString& name, bool current)
{
    return settings.value(name, current).toBool();
}

int readInt(const QSettings& settings, const QString& name, int current)
{
    return settings.value(name, current).toInt();
}

QString readText(const QSettings& settings, const QString& name, const QString& current)
{
    const QVariant value = settings.value(name, current);
    // An unquoted value with commas in a hand-edited settings file comes back
    // as a list; it is meant as one text.
    if (value.type() == QVariant::StringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

// A colour is stored as its unsigned 32-bit ARGB value and always read back
// fully opaque. Read through 64 bits so that both the unsigned value and a
// signed 32-bit one give the same colour.
QColor readColor(const QSettings& settings, const QString& name, const QColor& current)
{
    const QRgb argb = static_cast<QRgb>(settings.value(name, current.rgba()).toLongLong());
    return QColor(qRed(argb), qGreen(argb), qBlue(argb));
}

int snapModeFromText(const QString& text)
{
    int bits = 0;
    const QStringList pieces = text.split(QRegularExpression(QStringLiteral("[, ]")));
    for (const QString& piece : pieces) {
        if (piece == snapGridWord)
            bits |= snapGridBit;
        else if (piece == snapVertexWord)
            bits |= snapVertexBit;
    }
    return bits;
}

QString snapModeText(int snapMode)
{
    QString text;
    if (snapMode & snapGridBit)
        text = snapGridWord;
    if (snapMode & snapVertexBit) {
        if (!text.isEmpty())
            text += QLatin1Char(',');
        text += snapVertexWord;
    }
    return text;
}

// A JSON number as an int or a float without undefined conversions: values
// that do not fit (and NaN) give 0.
int jsonInt(const QJsonValue& value)
{
    const double number = value.toDouble();
    if (!std::isfinite(number) || number <= double(INT_MIN) - 1 || number >= double(INT_MAX) + 1)
        return 0;
    return static_cast<int>(number);
}

float jsonFloat(const QJsonValue& value)
{
    const double number = value.toDouble();
    if (!std::isfinite(number) || std::fabs(number) > double(FLT_MAX))
        return 0;
    return static_cast<float>(number);
}

} // namespace

void readSettings()
{
    QSettings settings(settingsOrganization, settingsApplication);
    Preferences& p = preferences;

    // A missing key reads as the running version, which is not older.
    storedVersion = readText(settings, key::version, versionString(true));
    parseVersion(storedVersion, &storedVersionMajor, &storedVersionMinor, &storedVersionPatch);
    const QString running = QStringLiteral("%1.%2.%3").arg(versionMajor, versionMinor, versionPatch);
    storedVersionOlder = isVersionNewer(running, storedVersionMajor, storedVersionMinor, storedVersionPatch);

    p.showCommentTips = readBool(settings, key::showCommentTips, p.showCommentTips);
    p.commentTipDelay = readInt(settings, key::commentTipDelay, p.commentTipDelay);
    p.widgetStyle = readInt(settings, key::widgetStyle, p.widgetStyle);
    p.antialiasing = readBool(settings, key::antialiasing, p.antialiasing);
    p.pdfViewerCommand = readText(settings, key::pdfViewerCommand, p.pdfViewerCommand);
    p.psViewerCommand = readText(settings, key::psViewerCommand, p.psViewerCommand);
    p.compoundEditViewMode = readInt(settings, key::compoundEditViewMode, p.compoundEditViewMode);
    p.useDefaultGsLocation = readBool(settings, key::useDefaultGsLocation, p.useDefaultGsLocation);
    p.ghostscriptLocation = readText(settings, key::ghostscriptLocation, p.ghostscriptLocation);
    p.generateEpsPreview = readBool(settings, key::generateEpsPreview, p.generateEpsPreview);
    p.epsPreviewFileType = readText(settings, key::epsPreviewFileType, p.epsPreviewFileType);
    p.epsPreviewResolution = readInt(settings, key::epsPreviewResolution, p.epsPreviewResolution);
    p.renderSpecialTextUsingTex = readBool(settings, key::renderSpecialTextUsingTex, p.renderSpecialTextUsingTex);
    p.latexCommand = readText(settings, key::latexCommand, p.latexCommand);
    p.dvipsCommand = readText(settings, key::dvipsCommand, p.dvipsCommand);
    p.useDefaultTempDir = readBool(settings, key::useDefaultTempDir, p.useDefaultTempDir);
    p.tempDir = readText(settings, key::tempDir, p.tempDir);
    p.specialTextTexFrame = readText(settings, key::specialTextTexFrame, p.specialTextTexFrame);
    p.additionalPath = readText(settings, key::additionalPath, p.additionalPath);
    p.fileEncoding = readText(settings, key::fileEncoding, p.fileEncoding);

    readCustomGrids(settings);

    // The grid index must name an existing grid; anything else (a custom grid
    // that is gone, or a negative value) switches the grid off.
    p.gridOn = readBool(settings, key::gridOn, p.gridOn);
    const int gridIndex = readInt(settings, key::gridIndex, p.gridIndex);
    if (gridIndex < 0 || gridIndex >= gridDefs.size()) {
        p.gridOn = false;
        p.gridIndex = 0;
    } else {
        p.gridIndex = gridIndex;
    }

    p.magnetMode = qBound(0, readInt(settings, key::magnetMode, p.magnetMode), maxMagnetMode);

    p.snapMode |= snapModeFromText(readText(settings, key::snapMode, QString()));

    p.snapToGridUsingLineWidth = readBool(settings, key::snapToGridUsingLineWidth, p.snapToGridUsingLineWidth);
    p.metric = readBool(settings, key::metric, p.metric);
    p.horzRuler = readBool(settings, key::horzRuler, p.horzRuler);
    p.vertRuler = readBool(settings, key::vertRuler, p.vertRuler);
    p.fontBase72dpi = readBool(settings, key::fontBase72dpi, p.fontBase72dpi);

    // A missing key or an unknown text keeps the current resolution.
    const QString dpiText = readText(settings, key::dpiAtZoom100, QString());
    for (int i = 0; i < int(std::size(dpiTexts)); ++i) {
        if (dpiText == dpiTexts[i])
            p.dpiAtZoom100 = i;
    }

    p.backgroundColor = readColor(settings, key::backgroundColor, p.backgroundColor);
    p.gridColor = readColor(settings, key::gridColor, p.gridColor);

    p.exportTexFrame = readText(settings, key::exportTexFrame, p.exportTexFrame);
    p.libraryRoot = readText(settings, key::libraryRoot, p.libraryRoot);
    p.renderLatexInLibraries = readBool(settings, key::renderLatexInLibraries, p.renderLatexInLibraries);
}

void writeSettings()
{
    QSettings settings(settingsOrganization, settingsApplication);
    const Preferences& p = preferences;

    settings.setValue(key::version, versionString(true));

    settings.setValue(key::showCommentTips, p.showCommentTips);
    settings.setValue(key::commentTipDelay, p.commentTipDelay);
    settings.setValue(key::widgetStyle, p.widgetStyle);
    settings.setValue(key::antialiasing, p.antialiasing);
    settings.setValue(key::pdfViewerCommand, p.pdfViewerCommand);
    settings.setValue(key::psViewerCommand, p.psViewerCommand);
    settings.setValue(key::compoundEditViewMode, p.compoundEditViewMode);
    settings.setValue(key::useDefaultGsLocation, p.useDefaultGsLocation);
    // Stored empty while the default is used, so that the Ghostscript found
    // at the next start is taken again.
    settings.setValue(key::ghostscriptLocation, p.useDefaultGsLocation ? QString() : p.ghostscriptLocation);
    settings.setValue(key::generateEpsPreview, p.generateEpsPreview);
    settings.setValue(key::epsPreviewFileType, p.epsPreviewFileType);
    settings.setValue(key::epsPreviewResolution, p.epsPreviewResolution);
    settings.setValue(key::renderSpecialTextUsingTex, p.renderSpecialTextUsingTex);
    settings.setValue(key::latexCommand, p.latexCommand);
    settings.setValue(key::dvipsCommand, p.dvipsCommand);
    settings.setValue(key::useDefaultTempDir, p.useDefaultTempDir);
    settings.setValue(key::tempDir, p.tempDir);
    settings.setValue(key::specialTextTexFrame, p.specialTextTexFrame);
    settings.setValue(key::additionalPath, p.additionalPath);
    settings.setValue(key::fileEncoding, p.fileEncoding);

    writeCustomGrids(settings);

    settings.setValue(key::gridOn, p.gridOn);
    settings.setValue(key::gridIndex, p.gridIndex);
    settings.setValue(key::magnetMode, p.magnetMode);
    settings.setValue(key::snapMode, snapModeText(p.snapMode));

    settings.setValue(key::snapToGridUsingLineWidth, p.snapToGridUsingLineWidth);
    settings.setValue(key::metric, p.metric);
    settings.setValue(key::horzRuler, p.horzRuler);
    settings.setValue(key::vertRuler, p.vertRuler);
    settings.setValue(key::fontBase72dpi, p.fontBase72dpi);

    const bool knownDpi = p.dpiAtZoom100 >= 0 && p.dpiAtZoom100 < int(std::size(dpiTexts));
    settings.setValue(key::dpiAtZoom100, dpiTexts[knownDpi ? p.dpiAtZoom100 : 0]);

    settings.setValue(key::backgroundColor, p.backgroundColor.rgba());
    settings.setValue(key::gridColor, p.gridColor.rgba());

    settings.setValue(key::exportTexFrame, p.exportTexFrame);
    settings.setValue(key::libraryRoot, p.libraryRoot);
    settings.setValue(key::renderLatexInLibraries, p.renderLatexInLibraries);
}

void readCustomGrids(QSettings& settings)
{
    const QJsonDocument document
        = QJsonDocument::fromJson(settings.value(key::customGrids, QByteArray()).toByteArray());
    if (!document.isArray())
        return;
    const QJsonArray grids = document.array();
    for (const QJsonValue& element : grids) {
        const QJsonObject grid = element.toObject(); // not an object: an empty one
        const QRgb argb = grid.value(gridMember::color).toString().toUInt(); // not a number: 0
        gridDefs.append(new GridDef(grid.value(gridMember::name).toString(),
            grid.value(gridMember::statusTip).toString(), jsonFloat(grid.value(gridMember::step)),
            QColor(qRed(argb), qGreen(argb), qBlue(argb)), jsonInt(grid.value(gridMember::penStyle)), customGridIcon));
    }
}

void writeCustomGrids(QSettings& settings)
{
    QJsonArray grids;
    for (int i = builtinGridCount; i < gridDefs.size(); ++i) {
        const GridDef* grid = gridDefs.at(i);
        QJsonObject object;
        object.insert(gridMember::name, grid->name);
        object.insert(gridMember::statusTip, grid->statusTip);
        object.insert(gridMember::step, double(grid->step));
        object.insert(gridMember::color, QString::number(grid->color.rgba()));
        object.insert(gridMember::penStyle, grid->penStyle);
        grids.append(object);
    }
    settings.setValue(key::customGrids, QString::fromUtf8(QJsonDocument(grids).toJson(QJsonDocument::Indented)));
}
