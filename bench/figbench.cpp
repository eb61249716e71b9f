// figbench: reads, writes and draws Fig files without a window and reports
// the time each step takes and the peak memory of the process.
//
//   figbench [--repeat N] [--out DIR] [--png DIR] [--zoom Z] [--messages] FILE...
//
// Every question the reader asks is answered No. The settings are not read:
// every run uses the built-in preferences, so results do not depend on the
// user. With --messages the reader's status messages of the first repeat are
// printed to standard error, each prefixed with the file name and ": ".
#include "app/externalprograms.h"
#include "app/messagebox.h"
#include "app/preferences.h"
#include "app/statusmessages.h"
#include "bench/benchcanvas.h"
#include "model/figcontext.h"
#include "model/figformat.h"
#include "render/colors.h"
#include "render/fonts.h"
#include "render/griddef.h"
#include "render/pens.h"
#include "render/resources.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace {

struct Options {
    int repeat = 1;
    QString outDir;
    QString pngDir;
    double zoom = 1.0;
    bool messages = false;
    QStringList files;
};

bool parseArguments(const QStringList& args, Options& opt, QString& error)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args.at(i);
        auto value = [&](QString& out) {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("missing value after %1").arg(a);
                return false;
            }
            out = args.at(++i);
            return true;
        };
        QString v;
        if (a == QLatin1String("--repeat")) {
            bool ok = false;
            if (!value(v))
                return false;
            opt.repeat = v.toInt(&ok);
            if (!ok || opt.repeat < 1) {
                error = QStringLiteral("--repeat needs a positive number");
                return false;
            }
        } else if (a == QLatin1String("--out")) {
            if (!value(opt.outDir))
                return false;
        } else if (a == QLatin1String("--png")) {
            if (!value(opt.pngDir))
                return false;
        } else if (a == QLatin1String("--zoom")) {
            bool ok = false;
            if (!value(v))
                return false;
            opt.zoom = v.toDouble(&ok);
            if (!ok || opt.zoom <= 0) {
                error = QStringLiteral("--zoom needs a positive number");
                return false;
            }
        } else if (a == QLatin1String("--messages")) {
            opt.messages = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            error = QStringLiteral("unknown option %1").arg(a);
            return false;
        } else {
            opt.files << a;
        }
    }
    if (opt.files.isEmpty()) {
        error = QStringLiteral("no input file");
        return false;
    }
    return true;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

long peakRssKb()
{
    struct rusage usage { };
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double elapsedMs(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1.0e6;
}

struct FileResult {
    bool read = false;
    long objects = 0;
    double readMs = 0;
    double writeMs = 0;
    double drawMs = 0;
};

// Reads, writes and draws one file `repeat` times; the picture of the first
// drawing goes to the --png folder.
FileResult benchFile(const QString& file, const Options& opt, const QString& scratchDir)
{
    FileResult result;
    std::vector<double> readMs;
    std::vector<double> writeMs;
    std::vector<double> drawMs;
    const QString outName = QFileInfo(file).fileName();
    const QString target = QDir(opt.outDir.isEmpty() ? scratchDir : opt.outDir).filePath(outName);
    for (int r = 0; r < opt.repeat; ++r) {
        auto context = std::make_unique<CFigContext>();
        context->dpiX = context->dpiY = 80.0f;
        context->zoom = static_cast<float>(opt.zoom);

        if (opt.messages && r == 0) {
            const QByteArray prefix = file.toLocal8Bit() + ": ";
            setStatusMessageRecorder([prefix](const QString& text) {
                std::fprintf(stderr, "%s%s\n", prefix.constData(), text.toLocal8Bit().constData());
            });
        }
        QElapsedTimer timer;
        timer.start();
        const bool read = context->loadFile(file);
        readMs.push_back(elapsedMs(timer));
        setStatusMessageRecorder(nullptr);
        if (!read)
            return result; // read_ms etc. stay 0 for a file that cannot be read
        result.objects = figFileProgress.objectCount;

        timer.restart();
        if (!context->saveFile(target))
            std::fprintf(stderr, "%s: %s\n", file.toLocal8Bit().constData(), statusText.toLocal8Bit().constData());
        writeMs.push_back(elapsedMs(timer));

        // The view of the drawing step, whatever the file left behind.
        context->zoom = static_cast<float>(opt.zoom);
        context->originX = context->originY = 0;
        QImage canvas;
        double ms = 0;
        const QSize fullSize = benchcanvas::canvasSize(*context);
        const QSize drawnSize = benchcanvas::drawnCanvasSize(fullSize);
        if (r == 0 && drawnSize != fullSize)
            std::fprintf(stderr, "%s: the canvas of %d x %d pixels is drawn clipped to %d x %d\n",
                file.toLocal8Bit().constData(), fullSize.width(), fullSize.height(), drawnSize.width(),
                drawnSize.height());
        if (!benchcanvas::drawDocument(*context, canvas, ms)) {
            if (r == 0)
                std::fprintf(stderr, "%s: a canvas of %d x %d pixels cannot be made; not drawn\n",
                    file.toLocal8Bit().constData(), drawnSize.width(), drawnSize.height());
        } else if (r == 0 && !opt.pngDir.isEmpty()) {
            const QString png = QDir(opt.pngDir).filePath(outName + QStringLiteral(".png"));
            if (!canvas.save(png, "PNG"))
                std::fprintf(
                    stderr, "%s: cannot write %s\n", file.toLocal8Bit().constData(), png.toLocal8Bit().constData());
        }
        drawMs.push_back(ms);
    }
    result.read = true;
    result.readMs = median(readMs);
    result.writeMs = median(writeMs);
    result.drawMs = median(drawMs);
    return result;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Options opt;
    QString error;
    if (!parseArguments(app.arguments(), opt, error)) {
        std::fprintf(stderr,
            "figbench: %s\nusage: figbench [--repeat N] [--out DIR] [--png DIR] [--zoom Z] [--messages] FILE...\n",
            qPrintable(error));
        return 2;
    }
    for (const QString& dir : { opt.outDir, opt.pngDir }) {
        if (!dir.isEmpty() && !QDir().mkpath(dir)) {
            std::fprintf(stderr, "figbench: cannot create %s\n", qPrintable(dir));
            return 2;
        }
    }
    QTemporaryDir scratch;
    if (opt.outDir.isEmpty() && !scratch.isValid()) {
        std::fprintf(stderr, "figbench: cannot create a temporary folder\n");
        return 2;
    }
    initResources();
    initDefaultColors();
    loadFillPatterns();
    createBuiltinGrids();
    installFontSubstitutions(); // texts are measured in the faces the program uses
    // Special texts are typeset as the editor with default settings does,
    // which needs the Ghostscript the start-up would find.
    preferences.detectedGhostscriptPath = findGhostscript();
    preferences.ghostscriptLocation = preferences.detectedGhostscriptPath;
    setMessageBoxHandler([](const MessageBoxRequest&) { return QMessageBox::No; });

    int status = 0;
    long totalObjects = 0;
    double totalRead = 0;
    double totalWrite = 0;
    double totalDraw = 0;
    for (const QString& file : qAsConst(opt.files)) {
        const FileResult r = benchFile(file, opt, scratch.path());
        if (!r.read)
            status = 1;
        std::printf("%s objects=%ld read_ms=%.3f write_ms=%.3f draw_ms=%.3f\n", qPrintable(file), r.objects, r.readMs,
            r.writeMs, r.drawMs);
        totalObjects += r.objects;
        totalRead += r.readMs;
        totalWrite += r.writeMs;
        totalDraw += r.drawMs;
    }
    std::printf("total files=%d objects=%ld read_ms=%.3f write_ms=%.3f draw_ms=%.3f peak_rss_kb=%ld\n",
        int(opt.files.size()), totalObjects, totalRead, totalWrite, totalDraw, peakRssKb());
    std::fflush(stdout);
    setMessageBoxHandler(nullptr);
    deleteGridDefs();
    return status;
}
