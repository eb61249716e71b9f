// figbench: reads, writes and draws Fig files without a window and reports
// the time each step takes and the peak memory of the process.
//
//   figbench [--repeat N] [--out DIR] [--png DIR] [--zoom Z] [--no-antialiasing]
//            [--messages] [--edit] [--drag] [--script JS]
//            [--export ROW [--set WIDGET=VALUE]...]
//            [--interactive [--view-zoom Z]] [--views Z,...] FILE...
//   figbench --library ROOT
//
// Every question the reader asks is answered No. The settings are not read:
// every run uses the built-in preferences, so results do not depend on the
// user; --no-antialiasing turns antialiasing off as the preferences dialog
// does (every drawing step then draws without it). With --messages the
// reader's status messages of the first repeat are printed to standard
// error, each prefixed with the file name and ": ".
// With --edit every object is selected right after reading, moved by one
// grid step as the select tool's drag does, and the move undone and redone.
// With --drag one step of the select tool's drag is measured (after --edit)
// for a small box, for the first 20000 objects selected and for the same
// objects as one compound (undone afterwards), with the peak memory after
// reading and while the compound is dragged.
// With --script the script file JS runs against each drawing after reading
// it and before writing it, as the Script menu runs it (the keywords known,
// the attributes taken by the run's own attribute handler, as there is no
// main window).
// With --export the drawing is last exported as the export dialog does it,
// with the format row of that list text and the real fig2dev (and LaTeX),
// after --set has set widgets of the export form by their object names.
// With --interactive each file is last opened in an off-screen main window
// and zoomed and scrolled there (bench/benchinteractive.h); the line of the
// file then ends in open_redraws, start_painted_ms, open_first_paint_ms,
// open_ms, zoom_first_ms, zoom_ms, scroll_ms, scroll_redraws and visible
// (the objects in view while scrolling at the zoom of --view-zoom), and a
// line tells whether the window was painted before the drawing.
// With --views each file is last opened in an off-screen main window and the
// whole window redrawn at each zoom of the list, scrolled over the drawing
// (bench/benchviews.h); the line then ends in views, view_ms (the median),
// view_max_ms and view_worst (zoom@x,y of the slowest redraw).
// With --library the library dialog opens the first folder of the library
// ROOT and scrolls to its end (bench/benchlibrary.h); one line reports it,
// ending in the peak memory.
#include "app/externalprograms.h"
#include "app/messagebox.h"
#include "app/preferences.h"
#include "app/statusmessages.h"
#include "bench/benchcanvas.h"
#include "bench/benchdrag.h"
#include "bench/benchedit.h"
#include "bench/benchinteractive.h"
#include "bench/benchlibrary.h"
#include "bench/benchtiming.h"
#include "bench/benchviews.h"
#include "export/exportdlg.h"
#include "model/figcontext.h"
#include "model/figformat.h"
#include "render/colors.h"
#include "render/fonts.h"
#include "render/griddef.h"
#include "render/pens.h"
#include "render/resources.h"
#include "script/scriptkeywords.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPair>
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
    bool antialiasing = true;
    bool messages = false;
    bool edit = false;
    bool drag = false;
    QString script; // empty: no script
    QString exportRow; // empty: no export
    QList<QPair<QString, QString>> exportSettings; // widget name, value
    bool interactive = false;
    QString libraryRoot; // empty: no library step
    double viewZoom = 1.5; // the zoom of the scroll steps
    std::vector<float> views; // the zooms of --views; empty: no view step
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
        } else if (a == QLatin1String("--interactive")) {
            opt.interactive = true;
        } else if (a == QLatin1String("--view-zoom")) {
            bool ok = false;
            if (!value(v))
                return false;
            opt.viewZoom = v.toDouble(&ok);
            if (!ok || opt.viewZoom < 0.01 || opt.viewZoom > 99.99) {
                error = QStringLiteral("--view-zoom needs a zoom from 0.01 to 99.99");
                return false;
            }
        } else if (a == QLatin1String("--views")) {
            if (!value(v))
                return false;
            if (!benchviews::parseZooms(v, opt.views)) {
                error = QStringLiteral("--views needs zooms from 0.01 to 99.99 separated by commas");
                return false;
            }
        } else if (a == QLatin1String("--library")) {
            if (!value(opt.libraryRoot))
                return false;
        } else if (a == QLatin1String("--no-antialiasing")) {
            opt.antialiasing = false;
        } else if (a == QLatin1String("--messages")) {
            opt.messages = true;
        } else if (a == QLatin1String("--edit")) {
            opt.edit = true;
        } else if (a == QLatin1String("--drag")) {
            opt.drag = true;
        } else if (a == QLatin1String("--script")) {
            if (!value(opt.script))
                return false;
        } else if (a == QLatin1String("--export")) {
            if (!value(opt.exportRow))
                return false;
        } else if (a == QLatin1String("--set")) {
            if (!value(v))
                return false;
            const int equals = v.indexOf(QLatin1Char('='));
            if (equals <= 0) {
                error = QStringLiteral("--set needs WIDGET=VALUE");
                return false;
            }
            opt.exportSettings.append({ v.left(equals), v.mid(equals + 1) });
        } else if (a.startsWith(QLatin1String("--"))) {
            error = QStringLiteral("unknown option %1").arg(a);
            return false;
        } else {
            opt.files << a;
        }
    }
    if (!opt.exportSettings.isEmpty() && opt.exportRow.isEmpty()) {
        error = QStringLiteral("--set needs --export");
        return false;
    }
    if (opt.files.isEmpty() && opt.libraryRoot.isEmpty()) {
        error = QStringLiteral("no input file");
        return false;
    }
    return true;
}

long peakRssKb()
{
    struct rusage usage { };
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct FileResult {
    bool read = false;
    long objects = 0;
    double readMs = 0;
    double writeMs = 0;
    double drawMs = 0;
    double editMs = 0;
    benchdrag::Result drag;
    double scriptMs = 0;
    double exportMs = 0;
    bool exported = true;
    benchinteractive::Result interactive;
    benchviews::Result views;
};

// Exports the drawing (read from figFile) as the export dialog does with the
// chosen row and settings into the folder, under the name the dialog
// proposes; false, with the reason on standard error, when it fails.
bool exportDrawing(CFigContext& context, const QString& file, const QString& figFile, const QString& folder,
    const Options& opt, double& ms)
{
    QStringList failures;
    setMessageBoxHandler([&failures](const MessageBoxRequest& request) {
        failures << request.text;
        return QMessageBox::No;
    });
    ExportDlg dialog(nullptr, {});
    dialog.setContext(&context);
    dialog.setFileName(QDir::toNativeSeparators(QFileInfo(figFile).absoluteFilePath()));
    bool ok = dialog.selectFormat(opt.exportRow);
    if (!ok)
        failures << QStringLiteral("no export format %1").arg(opt.exportRow);
    for (int i = 0; ok && i < opt.exportSettings.size(); ++i) {
        const auto& setting = opt.exportSettings.at(i);
        ok = dialog.setOptionWidget(setting.first, setting.second);
        if (!ok)
            failures << QStringLiteral("cannot set %1 to %2").arg(setting.first, setting.second);
    }
    if (ok) {
        const QString output = QDir(folder).absoluteFilePath(
            QFileInfo(QDir::fromNativeSeparators(dialog.proposedOutputPath())).fileName());
        QElapsedTimer timer;
        timer.start();
        ok = dialog.exportTo(output);
        ms = benchtiming::elapsedMs(timer);
    }
    setMessageBoxHandler([](const MessageBoxRequest&) { return QMessageBox::No; });
    for (const QString& failure : qAsConst(failures))
        std::fprintf(
            stderr, "%s: export failed: %s\n", file.toLocal8Bit().constData(), failure.toLocal8Bit().constData());
    if (!ok && failures.isEmpty())
        std::fprintf(stderr, "%s: export failed\n", file.toLocal8Bit().constData());
    return ok;
}

// Reads, writes and draws one file `repeat` times; the picture of the first
// drawing goes to the --png folder.
FileResult benchFile(const QString& file, const Options& opt, const QString& scratchDir)
{
    FileResult result;
    std::vector<double> readMs;
    std::vector<double> writeMs;
    std::vector<double> drawMs;
    std::vector<double> editMs;
    std::vector<double> dragSmall;
    std::vector<double> dragSelected;
    std::vector<double> dragCompound;
    std::vector<double> scriptMs;
    std::vector<double> exportMs;
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
        readMs.push_back(benchtiming::elapsedMs(timer));
        setStatusMessageRecorder(nullptr);
        if (!read)
            return result; // read_ms etc. stay 0 for a file that cannot be read
        result.objects = figFileProgress.objectCount;

        if (opt.edit)
            editMs.push_back(benchedit::moveAllUndoRedo(*context));
        if (opt.drag) {
            const benchdrag::Result drag = benchdrag::measure(*context);
            dragSmall.push_back(drag.smallStepMs);
            dragSelected.push_back(drag.selectedStepMs);
            dragCompound.push_back(drag.compoundStepMs);
            if (r == 0)
                result.drag = drag;
        }
        if (!opt.script.isEmpty()) {
            timer.restart();
            context->runScriptFile(opt.script);
            scriptMs.push_back(benchtiming::elapsedMs(timer));
        }

        timer.restart();
        if (!context->saveFile(target))
            std::fprintf(stderr, "%s: %s\n", file.toLocal8Bit().constData(), statusText.toLocal8Bit().constData());
        writeMs.push_back(benchtiming::elapsedMs(timer));

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

        if (!opt.exportRow.isEmpty()) {
            // The file written by --out holds what the drawing holds now.
            const QString figFile = opt.outDir.isEmpty() ? file : target;
            const QString folder = opt.outDir.isEmpty() ? QFileInfo(file).absolutePath() : opt.outDir;
            double exportTime = 0;
            if (!exportDrawing(*context, file, figFile, folder, opt, exportTime))
                result.exported = false;
            exportMs.push_back(exportTime);
        }
    }
    if (opt.interactive)
        result.interactive = benchinteractive::run(file, opt.viewZoom, QSize(1200, 900));
    if (!opt.views.empty())
        result.views = benchviews::run(file, opt.views, QSize(1200, 900));
    result.read = true;
    result.readMs = benchtiming::median(readMs);
    result.writeMs = benchtiming::median(writeMs);
    result.drawMs = benchtiming::median(drawMs);
    result.editMs = benchtiming::median(editMs);
    result.drag.smallStepMs = benchtiming::median(dragSmall);
    result.drag.selectedStepMs = benchtiming::median(dragSelected);
    result.drag.compoundStepMs = benchtiming::median(dragCompound);
    result.scriptMs = benchtiming::median(scriptMs);
    result.exportMs = benchtiming::median(exportMs);
    return result;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Options opt;
    QString error;
    if (!parseArguments(app.arguments(), opt, error)) {
        std::fprintf(stderr,
            "figbench: %s\nusage: figbench [--repeat N] [--out DIR] [--png DIR] [--zoom Z] [--no-antialiasing] "
            "[--messages] "
            "[--edit] [--drag] [--script JS] [--export ROW [--set WIDGET=VALUE]...] [--interactive [--view-zoom Z]] "
            "[--views Z,...] FILE...\n       figbench --library ROOT\n",
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
    initScriptKeywords();
    // Special texts are typeset as the editor with default settings does,
    // which needs the Ghostscript the start-up would find.
    preferences.detectedGhostscriptPath = findGhostscript();
    preferences.ghostscriptLocation = preferences.detectedGhostscriptPath;
    preferences.antialiasing = opt.antialiasing;
    setMessageBoxHandler([](const MessageBoxRequest&) { return QMessageBox::No; });

    if (!opt.libraryRoot.isEmpty()) {
        const benchlibrary::Result r = benchlibrary::run(opt.libraryRoot);
        std::printf("library %s clips=%d click_ms=%.3f view_ms=%.3f view_stall_ms=%.3f scroll_ms=%.3f "
                    "scroll_stall_ms=%.3f loaded=%d peak_rss_kb=%ld\n",
            qPrintable(opt.libraryRoot), r.clips, r.clickMs, r.viewMs, r.viewStallMs, r.scrollMs, r.scrollStallMs,
            r.loaded, peakRssKb());
        std::fflush(stdout);
        setMessageBoxHandler(nullptr);
        deleteGridDefs();
        if (!r.listed)
            return 1;
        if (opt.files.isEmpty())
            return 0;
    }

    int status = 0;
    long totalObjects = 0;
    double totalRead = 0;
    double totalWrite = 0;
    double totalDraw = 0;
    double totalEdit = 0;
    double totalScript = 0;
    double totalExport = 0;
    // The edit, script and export times end the lines only when asked for.
    auto editColumn
        = [&opt](double ms) { return opt.edit ? QStringLiteral(" edit_ms=%1").arg(ms, 0, 'f', 3) : QString(); };
    auto dragColumns = [&opt](const benchdrag::Result& d) {
        if (!opt.drag)
            return QString();
        return QStringLiteral(" drag_small_ms=%1 drag_small_first_ms=%2 drag_selected_ms=%3 drag_selected_first_ms=%4 "
                              "selected=%5 drag_compound_ms=%6 drag_compound_first_ms=%7 members=%8 read_hwm_kb=%9")
                   .arg(d.smallStepMs, 0, 'f', 3)
                   .arg(d.smallFirstMs, 0, 'f', 3)
                   .arg(d.selectedStepMs, 0, 'f', 3)
                   .arg(d.selectedFirstMs, 0, 'f', 3)
                   .arg(d.selected)
                   .arg(d.compoundStepMs, 0, 'f', 3)
                   .arg(d.compoundFirstMs, 0, 'f', 3)
                   .arg(d.members)
                   .arg(d.readPeakKb)
            + QStringLiteral(" compound_drag_start_kb=%1 compound_drag_hwm_kb=%2")
                  .arg(d.compoundStartKb)
                  .arg(d.compoundPeakKb)
            + QStringLiteral(" drag_small_max_ms=%1 drag_selected_max_ms=%2 drag_compound_max_ms=%3")
                  .arg(d.smallMaxMs, 0, 'f', 3)
                  .arg(d.selectedMaxMs, 0, 'f', 3)
                  .arg(d.compoundMaxMs, 0, 'f', 3);
    };
    auto scriptColumn = [&opt](double ms) {
        return opt.script.isEmpty() ? QString() : QStringLiteral(" script_ms=%1").arg(ms, 0, 'f', 3);
    };
    auto exportColumn = [&opt](double ms) {
        return opt.exportRow.isEmpty() ? QString() : QStringLiteral(" export_ms=%1").arg(ms, 0, 'f', 3);
    };
    auto interactiveColumns = [&opt](const benchinteractive::Result& r) {
        if (!opt.interactive)
            return QString();
        return QStringLiteral(" open_redraws=%1 start_painted_ms=%7 open_first_paint_ms=%8 open_ms=%2 zoom_first_ms=%9"
                              " zoom_ms=%3 scroll_ms=%4 scroll_redraws=%5 visible=%6")
            .arg(r.openRedraws)
            .arg(r.openMs, 0, 'f', 3)
            .arg(r.zoomMs, 0, 'f', 3)
            .arg(r.scrollMs, 0, 'f', 3)
            .arg(r.scrollRedraws)
            .arg(r.visible)
            .arg(r.startPaintedMs, 0, 'f', 3)
            .arg(r.openFirstPaintMs, 0, 'f', 3)
            .arg(r.zoomFirstMs, 0, 'f', 3);
    };
    auto viewColumns = [&opt](const benchviews::Result& r) {
        if (opt.views.empty())
            return QString();
        return QStringLiteral(" views=%1 view_ms=%2 view_max_ms=%3 view_worst=%4@%5,%6")
            .arg(r.views)
            .arg(r.medianMs, 0, 'f', 3)
            .arg(r.maxMs, 0, 'f', 3)
            .arg(double(r.worstZoom), 0, 'g', 4)
            .arg(r.worstX)
            .arg(r.worstY);
    };
    for (const QString& file : qAsConst(opt.files)) {
        const FileResult r = benchFile(file, opt, scratch.path());
        if (!r.read || !r.exported)
            status = 1;
        std::printf("%s objects=%ld read_ms=%.3f write_ms=%.3f draw_ms=%.3f%s%s%s%s%s%s\n", qPrintable(file), r.objects,
            r.readMs, r.writeMs, r.drawMs, qPrintable(editColumn(r.editMs)), qPrintable(scriptColumn(r.scriptMs)),
            qPrintable(exportColumn(r.exportMs)), qPrintable(dragColumns(r.drag)),
            qPrintable(interactiveColumns(r.interactive)), qPrintable(viewColumns(r.views)));
        if (opt.interactive && r.interactive.opened)
            std::printf("%s window painted before the drawing: %s (menu bar %.0f ms after the start, document window "
                        "%.0f ms and the whole drawing %.0f ms after the Open command)\n",
                qPrintable(file), r.interactive.paintedBeforeDrawing ? "yes" : "no", r.interactive.startPaintedMs,
                r.interactive.openFirstPaintMs, r.interactive.openMs);
        totalObjects += r.objects;
        totalRead += r.readMs;
        totalWrite += r.writeMs;
        totalDraw += r.drawMs;
        totalEdit += r.editMs;
        totalScript += r.scriptMs;
        totalExport += r.exportMs;
    }
    std::printf("total files=%d objects=%ld read_ms=%.3f write_ms=%.3f draw_ms=%.3f peak_rss_kb=%ld%s%s%s\n",
        int(opt.files.size()), totalObjects, totalRead, totalWrite, totalDraw, peakRssKb(),
        qPrintable(editColumn(totalEdit)), qPrintable(scriptColumn(totalScript)),
        qPrintable(exportColumn(totalExport)));
    std::fflush(stdout);
    setMessageBoxHandler(nullptr);
    deleteGridDefs();
    return status;
}
