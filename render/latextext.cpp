// LaTeX images of special texts: a small LaTeX document around the text is
// run through latex, dvips and Ghostscript into a transparent PNG at the
// resolution of the zoom, and the image is cached in the text per drawing
// style and resolution. A text that cannot be typeset is drawn as plain text
// and remembered as failed.

#include "render/latextext.h"
#include "app/externalprograms.h"
#include "app/preferences.h"
#include "app/privatefolder.h"
#include "app/texprograms.h"
#include "model/figcontext.h"
#include "model/figtext.h"
#include "model/planegeometry.h"
#include "model/units.h"
#include "render/colors.h"

#include <QColor>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextCodec>
#include <QTextStream>
#include <QTransform>

#include <QImage>
#include <QPair>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

namespace {

const char* const latexFontFamilies[]
    = { "\\familydefault", "\\rmdefault", "\\rmdefault", "\\rmdefault", "\\sfdefault", "\\ttdefault" };
const char* const latexFontSeries[]
    = { "\\mddefault", "\\mddefault", "\\bfdefault", "\\mddefault", "\\mddefault", "\\mddefault" };
const char* const latexFontShapes[]
    = { "\\updefault", "\\updefault", "\\updefault", "\\itdefault", "\\updefault", "\\updefault" };

// The LaTeX size of each point size from 0 to 42.
const int latexFontSizes[] = { 11, 5, 5, 5, 5, 5, 6, 7, 8, 9, 10, 11, 12, 12, 14, 14, 14, 17, 17, 17, 20, 20, 20, 20,
    20, 25, 25, 25, 25, 29, 29, 29, 29, 29, 34, 34, 34, 34, 34, 34, 34, 41, 41 };

const char clipName[] = "texclip";

QString inFolder(const QString& folder, const char* name)
{
    return folder + QDir::separator() + QLatin1String(name);
}

// The arguments of "latex command" or "dvips command", split before the
// placeholders are replaced inside each argument, so that a folder or name
// with blanks or quotation marks in it stays one argument.
QStringList settingArguments(QStringList arguments, const QString& folder, const QString& output, const QString& input)
{
    for (QString& argument : arguments) {
        argument.replace(QLatin1String("TEMPDIR"), folder);
        argument.replace(QLatin1String("OUTFILE"), output);
        argument.replace(QLatin1String("INFILE"), input);
    }
    return arguments;
}

// Runs a program and its arguments (the first being the program) in the
// folder, waited for as long as the runner does by default; a TeX program
// has its shell escape off. The environment keeps any TeX program's writes
// below the folder it runs in.
bool runInFolder(QStringList arguments, const QString& folder, const QProcessEnvironment& environment, bool tex)
{
    const QString program = arguments.isEmpty() ? QString() : arguments.takeFirst();
    return runExternalProgram(
        program, tex ? confinedTexArguments(arguments) : arguments, environment, false, -1, folder);
}

int cacheIndex(int drawStyle)
{
    if (drawStyle == DrawDimmed)
        return 1;
    if (drawStyle == DrawGreyed)
        return 2;
    return 0;
}

// The private folders of this process, one inside each temporary folder the
// settings have named, made on first use (mode 0700) and removed with their
// files at exit. Only the GUI thread makes them.
std::map<QString, std::unique_ptr<QTemporaryDir>>& privateFolders()
{
    static std::map<QString, std::unique_ptr<QTemporaryDir>> folders;
    return folders;
}

// One text's typesetting: what it needs, prepared on the GUI thread, and the
// image it gives. Running it touches nothing else, so several run at once.
struct LatexJob {
    QString folder; // where its files are made; TEMPDIR of its commands
    QString document; // the LaTeX document, written in ISO 8859-1
    QStringList latex; // the settings, split, their placeholders in place
    QStringList dvips;
    QString ghostscript;
    int resolution = 0;
    QProcessEnvironment environment;
    QImage image; // null when a step failed
};

LatexJob prepareJob(const QString& folder, const FigText* text, const QColor& colour, int resolution)
{
    LatexJob job;
    job.folder = folder;
    job.document = latexClipDocument(text, colour);
    job.latex = QProcess::splitCommand(preferences.latexCommand);
    job.dvips = QProcess::splitCommand(preferences.dvipsCommand);
    job.ghostscript = preferences.ghostscriptLocation;
    job.resolution = resolution;
    job.environment = confinedTexEnvironment();
    return job;
}

bool writeDocument(const QString& path, const QString& document)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QTextStream stream(&file);
    stream.setCodec(QTextCodec::codecForName("ISO 8859-1"));
    stream << document << '\n';
    stream.flush();
    return stream.status() == QTextStream::Ok && file.commit();
}

// latex, dvips and Ghostscript one after the other in the job's folder;
// safe to run on any thread.
void runJob(LatexJob& job)
{
    const QString tex = inFolder(job.folder, "texclip.tex");
    const QString dvi = inFolder(job.folder, "texclip.dvi");
    const QString eps = inFolder(job.folder, "texclip.eps");
    const QString png = inFolder(job.folder, "texclip.png");

    // Each step must find the file the step before made for this text, never
    // one left by an earlier text.
    QFile::remove(dvi);
    QFile::remove(eps);
    QFile::remove(png);
    if (!writeDocument(tex, job.document))
        return;
    // latex and dvips run in the folder of their files: a command without
    // folders in it (or a TeX that does not know -job-name and takes the job
    // name for the input) still finds them.
    const QStringList latex
        = settingArguments(job.latex, job.folder, QLatin1String(clipName), QStringLiteral("texclip.tex"));
    if (!runInFolder(latex, job.folder, job.environment, true) || !QFileInfo::exists(dvi))
        return;
    const QStringList dvips
        = settingArguments(job.dvips, job.folder, QStringLiteral("texclip.eps"), QStringLiteral("texclip.dvi"));
    const bool dvipsRan = runInFolder(dvips, job.folder, job.environment, false);
    QFile::remove(dvi);
    if (!dvipsRan || !QFileInfo::exists(eps))
        return;
    const QStringList ghostscript { QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"),
        QStringLiteral("-dNOPAUSE"), QStringLiteral("-sDEVICE=pngalpha"),
        QStringLiteral("-r") + QString::number(job.resolution), QStringLiteral("-dEPSCrop"),
        QStringLiteral("-sOutputFile=") + png, eps };
    const bool converted = runExternalProgram(job.ghostscript, ghostscript, false, -1);
    QFile::remove(eps);
    if (!converted || !QFileInfo::exists(png))
        return;
    job.image = QImage(png);
    QFile::remove(png);
}

} // namespace

QString latexTempFolder()
{
    const QString base = privateFolderBase();
    // An empty "temp dir" would put the files at the root of the file system.
    if (base.isEmpty())
        return QString();
    auto& folders = privateFolders();
    auto found = folders.find(base);
    if (found == folders.end()) {
        auto dir = makePrivateFolder(QStringLiteral("tavrel-latex-"));
        if (!dir)
            return QString();
        found = folders.emplace(base, std::move(dir)).first;
    }
    return found->second->path();
}

QString latexTextMarkup(const FigText* text)
{
    // Negative font numbers (the Fig default font) take the LaTeX default row.
    int font = text->font > 5 ? 4 : text->font;
    if (font < 0)
        font = 0;
    const int points = qBound(0, text->fontSize > 42 ? 41 : text->fontSize, 42);
    const int size = latexFontSizes[points];
    return QStringLiteral("{\\fontsize{%1}{%2pt}\\fontfamily{%3}\\fontseries{%4}\\fontshape{%5}\\selectfont %6}")
        .arg(size)
        .arg(size * 1.2, 0, 'f', 1)
        .arg(QLatin1String(latexFontFamilies[font]), QLatin1String(latexFontSeries[font]),
            QLatin1String(latexFontShapes[font]), text->text);
}

QString latexClipDocument(const FigText* text, const QColor& colour)
{
    const QString colourText = QStringLiteral("\\color[rgb]{%1,%2,%3}")
                                   .arg(colour.red() / 255.0)
                                   .arg(colour.green() / 255.0)
                                   .arg(colour.blue() / 255.0);
    QString document = preferences.specialTextTexFrame;
    document.replace(QLatin1String("COLORTOKEN"), colourText);
    document.replace(QLatin1String("TEXTTOKEN"), latexTextMarkup(text));
    return document;
}

bool writeLatexClipFile(const QString& path, const FigText* text, const QColor& colour)
{
    return writeDocument(path, latexClipDocument(text, colour));
}

bool runDvips(const QString& input, const QString& output, const QString& folder)
{
    const QStringList dvips = settingArguments(QProcess::splitCommand(preferences.dvipsCommand), folder, output, input);
    const bool ran = runInFolder(dvips, folder, confinedTexEnvironment(), false);
    QFile::remove(folder + QDir::separator() + input);
    return ran;
}

void CFigContext::renderLatexText(FigText* text, const QColor& colour, int resolution, QPixmap** image)
{
    if (!text || !image)
        return;
    const QString folder = latexTempFolder();
    if (folder.isEmpty())
        return;
    LatexJob job = prepareJob(folder, text, colour, resolution);
    runJob(job);
    if (!job.image.isNull())
        *image = new QPixmap(QPixmap::fromImage(job.image));
}

void typesetSpecialTexts(CFigContext& context, const std::vector<FigText*>& texts)
{
    if (!preferences.renderSpecialTextUsingTex)
        return;
    const int key = roundToInt(context.zoom * context.dpiX);
    struct Wanted {
        FigText* text;
        int cache;
        QColor colour;
    };
    std::vector<Wanted> wanted;
    QSet<QPair<const FigText*, int>> seen;
    for (FigText* text : texts) {
        if (!text || !(text->fontFlags & 2) || text->latexFailed)
            continue;
        const int style = context.drawStyleOf(text);
        if (style == DrawHidden)
            continue;
        const int cache = cacheIndex(style);
        if (text->latexPixmaps[cache].contains(key) || seen.contains({ text, cache }))
            continue;
        seen.insert({ text, cache });
        wanted.push_back(
            { text, cache, getPenColor(context.drawing.userShades, text->color == -1 ? 0 : text->color, style) });
    }
    // One text is typeset as the drawing of a single text does it.
    if (wanted.size() < 2)
        return;
    const QString folder = latexTempFolder();
    if (folder.isEmpty())
        return;

    // Each pipeline that runs at the same time as others has a folder of
    // its own; a worker takes the next text when its last one is done.
    const int workers = int(std::min<size_t>(wanted.size(), size_t(std::max(2, QThread::idealThreadCount()))));
    std::vector<QString> workerFolders;
    for (int w = 0; w < workers; ++w) {
        const QString slot = folder + QLatin1Char('/') + QString::number(w + 1);
        QDir().mkpath(slot);
        workerFolders.push_back(slot);
    }
    std::vector<LatexJob> jobs;
    jobs.reserve(wanted.size());
    for (const Wanted& w : wanted)
        jobs.push_back(prepareJob(QString(), w.text, w.colour, key));

    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    std::atomic<size_t> next { 0 };
    // The commands name the folder of the worker that runs them.
    auto work = [&jobs, &next, &workerFolders](int worker) {
        const QString& slot = workerFolders[size_t(worker)];
        for (size_t i = next++; i < jobs.size(); i = next++) {
            jobs[i].folder = slot;
            runJob(jobs[i]);
        }
    };
    std::vector<std::thread> threads;
    try {
        for (int w = 1; w < workers; ++w)
            threads.emplace_back(work, w);
    } catch (const std::system_error&) {
        // Fewer threads than wished: those there are take all the texts.
    }
    work(0);
    for (std::thread& thread : threads)
        thread.join();
    QGuiApplication::restoreOverrideCursor();

    for (size_t i = 0; i < wanted.size(); ++i) {
        FigText* text = wanted[i].text;
        if (jobs[i].image.isNull())
            text->latexFailed = true;
        else
            text->latexPixmaps[wanted[i].cache].insert(key, new QPixmap(QPixmap::fromImage(jobs[i].image)));
    }
}

void CFigContext::drawLatexText(int x, int y, int drawStyle, FigText* text)
{
    if (!text || !painter)
        return;
    const QColor colour = getPenColor(drawing.userShades, text->color == -1 ? 0 : text->color, drawStyle);
    const int key = roundToInt(zoom * dpiX);
    QMap<int, QPixmap*>& cache = text->latexPixmaps[cacheIndex(drawStyle)];

    QPixmap* image = cache.value(key, nullptr);
    if (!image && !text->latexFailed) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        renderLatexText(text, colour, key, &image);
        QGuiApplication::restoreOverrideCursor();
        if (image && !image->isNull()) {
            cache.insert(key, image);
        } else {
            delete image;
            image = nullptr;
            text->latexFailed = true;
        }
    }
    if (!image) {
        drawPlainText(x, y, drawStyle, text);
        return;
    }

    const float kx = displayPixelSize(dpiX);
    const float ky = displayPixelSize(dpiY);
    const int wf = roundToInt(float(image->width()) * kx / zoom);
    const int hf = roundToInt(float(image->height()) * ky / zoom);
    int ax = text->x;
    if (text->subType == 1)
        ax = text->x - wf / 2;
    else if (text->subType == 2)
        ax = text->x - wf;
    const int ty = text->y - hf;
    int rx = 0;
    int ry = 0;
    rotatePoint(text->x, text->y, ax, ty, rx, ry, text->angle);
    const int px = figToPixelX(rx + (x - text->x));
    const int py = figToPixelY(ry + (y - text->y));

    if (drawStyle != DrawNormal && drawStyle != DrawDimmed && drawStyle != DrawGreyed)
        return;
    // Strings with descenders are typeset lower: the image's bottom edge is
    // their descent, not their baseline.
    static const QRegularExpression descenders(QStringLiteral("[gjpqyQ]"));
    const int d = text->text.contains(descenders) ? roundToInt(image->height() * 0.31) : 0;
    const QTransform before = painter->worldTransform();
    painter->translate(px, py);
    painter->rotate(roundToInt(-double(text->angle) * 180.0 / M_PI));
    painter->drawPixmap(0, d, *image);
    painter->setWorldTransform(before);
}
