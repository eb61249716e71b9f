#pragma once
// What the export tests share: small Fig drawings read into window-less
// documents, the export form set up on a dialog of its own, a fig2dev
// stand-in that logs its working folder and arguments and then behaves as the
// variable TAVREL_FIG2DEV_STANDIN says (write the output file, fail, crash,
// sleep, or write nothing), and the means to see which files an export
// touched.

#include "app/appdir.h"
#include "app/preferences.h"
#include "export/exportdlg.h"
#include "model/figcontext.h"
#include "render/colors.h"
#include "support/standins.h"
#include "support/testfiles.h"

#include "ui_exportdlg.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>

namespace exportfixtures {

// What every export test case does around its tests: the default colours
// once, fresh preferences before each test and, after each, the working
// folder the test program started in given back (exports and the programs
// they run may leave another).
class ExportCases {
protected:
    void startCases()
    {
        initDefaultColors();
        startDir = QDir::currentPath();
    }
    static void startCase() { preferences = Preferences(); }
    void endCase() const { QDir::setCurrent(startDir); }

private:
    QString startDir;
};

// A Fig 3.2 file: the header (inches or metric, paper, orientation,
// magnification) and the object lines.
inline QByteArray figure(const QByteArray& objects, bool metric = false, const QByteArray& paper = "Letter",
    bool landscape = false, const QByteArray& magnification = "100.00")
{
    return "#FIG 3.2\n" + QByteArray(landscape ? "Landscape\n" : "Portrait\n") + "Center\n"
        + QByteArray(metric ? "Metric\n" : "Inches\n") + paper + "\n" + magnification + "\nSingle\n-2\n1200 2\n"
        + objects;
}

// A box of line width 0 (so its bounds are its corners) at a depth.
inline QByteArray box(int x1, int y1, int x2, int y2, int depth = 50)
{
    return QStringLiteral("2 2 0 0 0 7 %1 -1 -1 0.000 0 0 -1 0 0 5\n\t %2 %3 %4 %3 %4 %5 %2 %5 %2 %3\n")
        .arg(depth)
        .arg(x1)
        .arg(y1)
        .arg(x2)
        .arg(y2)
        .toLatin1();
}

// A window-less document read from a file in a folder of its own.
struct Document {
    QTemporaryDir dir;
    std::unique_ptr<CFigContext> context = std::make_unique<CFigContext>();

    explicit Document(const QByteArray& text, const QString& name = QStringLiteral("drawing.fig"))
    {
        context->dpiX = context->dpiY = 80.0f;
        writeFile(path(name), text);
        loaded = context->loadFile(path(name));
    }
    QString path(const QString& name = QStringLiteral("drawing.fig")) const { return dir.filePath(name); }
    bool loaded = false;
};

// The export form on a dialog of its own, as the export dialog sets it up.
struct Form {
    QDialog dialog;
    Ui::ExportDlgForm ui;
    Form() { ui.setupUi(&dialog); }
};

// The fig2dev stand-in: one line "fig2dev [arg]..." and one line "in FOLDER"
// per run in `log`, then the behaviour chosen by TAVREL_FIG2DEV_STANDIN:
// unset or "write" writes "output" into the last argument (and, for
// PostScript, EPS and PDF, the end-of-file comment of a complete file),
// "fail" writes an error and exits with 1, "crash" kills itself, "sleep"
// waits 30 s, "silent" writes nothing and exits with 0, "empty" leaves an
// empty output and exits with 0, "partial" writes part of an output and
// exits with 1 (a full disk), "truncated" writes the beginning of an EPS file
// and exits with 0 (a full disk that goes unnoticed), "copy" copies the Fig
// file (the argument before the last) to the output (with the comment as
// "write"), "link" makes the output a second name of the file
// TAVREL_FIG2DEV_PREPARED (so that a large output takes no room on the disk).
inline QString writeFig2devStandIn(const QString& folder, const QString& log)
{
    return standins::write(folder, QStringLiteral("fig2dev"), log,
        "printf 'in %s\\n' \"$(pwd)\" >> '" + log.toUtf8()
            + "'\n"
              "for last; do before=$input; input=$last; done\n"
              "end=; prev=; for a; do [ \"$prev\" = -L ] && case \"$a\" in ps|eps|pdf|pstex|pdftex) "
              "end='%%%%EOF\\n';; esac; prev=$a; done\n"
              "case \"$TAVREL_FIG2DEV_STANDIN\" in\n"
              "fail) echo 'fig2dev: cannot do that' >&2; exit 1;;\n"
              "crash) kill -KILL $$;;\n"
              "sleep) exec sleep 30;;\n"
              "silent) exit 0;;\n"
              "empty) : > \"$last\"; exit 0;;\n"
              "partial) printf 'outp' > \"$last\"; echo 'fig2dev: write error' >&2; exit 1;;\n"
              "copy) { cat \"$before\"; printf \"$end\"; } > \"$last\"; exit 0;;\n"
              "link) exec ln \"$TAVREL_FIG2DEV_PREPARED\" \"$last\";;\n"
              "truncated) printf '%%!PS-Adobe-3.0 EPSF-3.0\\n%%%%BoundingBox: 0 0 72 72\\n' > \"$last\"; exit 0;;\n"
              "esac\n"
              "printf \"output\\n$end\" > \"$last\"");
}

// The behaviour of the stand-in for the lifetime of the object.
struct StandInMode {
    explicit StandInMode(const char* mode) { qputenv("TAVREL_FIG2DEV_STANDIN", mode); }
    ~StandInMode() { qunsetenv("TAVREL_FIG2DEV_STANDIN"); }
    StandInMode(const StandInMode&) = delete;
    StandInMode& operator=(const StandInMode&) = delete;
};

// A program folder holding the fig2dev stand-in, made the program folder
// (appDir) for the lifetime of the object; the runs go to its log.
struct ProgramFolder {
    QTemporaryDir dir;
    QString savedAppDir = appDir;

    explicit ProgramFolder(const QString& subFolder = QString())
    {
        folder = subFolder.isEmpty() ? dir.path() : dir.filePath(subFolder);
        QDir().mkpath(folder);
        writeFig2devStandIn(folder, log());
        appDir = folder;
    }
    ~ProgramFolder() { appDir = savedAppDir; }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    QString log() const { return dir.filePath(QStringLiteral("runs.log")); }
    QStringList runs() const { return standins::runs(log()); }
    QString folder;
};

// An empty program folder (appDir) for the lifetime of the object, so that
// the real fig2dev is taken from PATH.
struct EmptyProgramFolder {
    QTemporaryDir dir;
    QString savedAppDir = appDir;

    EmptyProgramFolder() { appDir = dir.path(); }
    ~EmptyProgramFolder() { appDir = savedAppDir; }
    EmptyProgramFolder(const EmptyProgramFolder&) = delete;
    EmptyProgramFolder& operator=(const EmptyProgramFolder&) = delete;
};

// PATH set to the folders given for the lifetime of the object.
struct SearchPath {
    QByteArray saved = qgetenv("PATH");
    explicit SearchPath(const QStringList& folders) { qputenv("PATH", QFile::encodeName(folders.join(':'))); }
    ~SearchPath() { qputenv("PATH", saved); }
    SearchPath(const SearchPath&) = delete;
    SearchPath& operator=(const SearchPath&) = delete;
};

// Stand-ins for the LaTeX programs in a folder put first on PATH; they log
// into the program folder's log with their working folder, keep a copy of
// the LaTeX document they were given (envelope(), their last argument) and
// write what the real programs would; dvips and pdflatex write only the
// beginning of their file and exit with 0, as on a full disk, while the
// variable TAVREL_TEX_STANDIN is "truncated".
struct LatexStandIns {
    QTemporaryDir bin;
    std::unique_ptr<SearchPath> path;

    explicit LatexStandIns(const QString& log, bool withLatex = true)
    {
        const QByteArray folder = "printf 'in %s\\n' \"$(pwd)\" >> '" + log.toUtf8()
            + "'\n[ \"$TAVREL_TEX_STANDIN\" = truncated ] && end= || end='\\n%%%%EOF\\n'\n";
        const QByteArray keep = "for last; do :; done\ncp \"$last\" '" + envelope().toUtf8() + "'\n";
        if (withLatex)
            standins::write(bin.path(), QStringLiteral("latex"), log,
                folder + keep + "printf 'dvi\\n' > \"$(basename \"$last\" .tex).dvi\"");
        standins::write(bin.path(), QStringLiteral("pdflatex"), log,
            folder + keep + "printf \"%%PDF-1.5$end\" > \"$(basename \"$last\" .tex).pdf\"");
        standins::write(bin.path(), QStringLiteral("dvips"), log,
            folder + "while [ \"$1\" != -o ]; do shift; done\nprintf \"%%!PS-Adobe-3.0$end\" > \"$2\"");
        // Debian's /bin holds the real programs: without latex, nothing else.
        path
            = std::make_unique<SearchPath>(withLatex ? QStringList { bin.path(), "/bin" } : QStringList { bin.path() });
    }
    QString envelope() const { return bin.filePath(QStringLiteral("envelope.tex")); }
};

// The commands of a log of runs, without the "in FOLDER" lines.
inline QStringList commandsOf(const QStringList& runs)
{
    QStringList commands;
    for (const QString& line : runs) {
        if (!line.startsWith(QLatin1String("in ")))
            commands << line;
    }
    return commands;
}

// Whether every run of a log worked in a private folder of an export (made
// in the temporary folder, gone once the export is over); at least one run.
inline bool ranInPrivateFolders(const QStringList& runs)
{
    const QString prefix = QStringLiteral("in ") + QDir::tempPath() + QStringLiteral("/tavrel-export-");
    int folders = 0;
    for (const QString& line : runs) {
        if (!line.startsWith(QLatin1String("in ")))
            continue;
        if (!line.startsWith(prefix) || QFileInfo::exists(line.mid(3)))
            return false;
        ++folders;
    }
    return folders > 0;
}

// A small PNG at `path` and its compressed copy beside it.
inline void writePicture(const QString& path)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(path, "PNG"));
    QCOMPARE(QProcess::execute(QStringLiteral("gzip"), { QStringLiteral("-k"), QStringLiteral("-f"), path }), 0);
}

// Every file and folder under a root with a digest of its bytes and its
// modification time, to see what an export changed.
inline QMap<QString, QString> snapshot(const QString& root)
{
    QMap<QString, QString> entries;
    QDirIterator it(
        root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        entries[path] = info.isDir()
            ? QStringLiteral("folder")
            : QString::fromLatin1(QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha1).toHex())
                + info.lastModified().toString(Qt::ISODateWithMs);
    }
    return entries;
}

// The paths whose entries differ between two snapshots, sorted.
inline QStringList changed(const QMap<QString, QString>& before, const QMap<QString, QString>& after)
{
    QStringList paths;
    for (auto it = after.begin(); it != after.end(); ++it) {
        if (before.value(it.key()) != it.value())
            paths << it.key();
    }
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (!after.contains(it.key()))
            paths << it.key();
    }
    paths.sort();
    return paths;
}

// Whether every program is found on PATH.
inline bool installed(const QStringList& programs)
{
    for (const QString& program : programs) {
        if (QStandardPaths::findExecutable(program).isEmpty())
            return false;
    }
    return true;
}

// A drawing file read into a document, and an export dialog of its own on
// it, as the benchmark program drives one.
struct DialogExport {
    CFigContext context;
    ExportDlg dialog { nullptr, {} };

    explicit DialogExport(const QString& figPath)
    {
        context.dpiX = context.dpiY = 80.0f;
        loaded = context.loadFile(figPath);
        dialog.setContext(&context);
        dialog.setFileName(QDir::toNativeSeparators(figPath));
    }
    bool loaded = false;
};

// A format of the export dialog as a table of cases names it: its text in
// the format list, a setting of its page ("widget=value", or empty) and the
// suffix of its file.
struct ExportFormat {
    const char* label;
    const char* row;
    const char* setting;
    const char* suffix;
};

// Chooses the format's row and setting on the dialog.
inline bool chooseFormat(ExportDlg& dialog, const QString& row, const QString& setting)
{
    return dialog.selectFormat(row)
        && (setting.isEmpty() || dialog.setOptionWidget(setting.section('=', 0, 0), setting.section('=', 1)));
}

// The file a command run from a name or a text touches: its path is in the
// variable TAVREL_MARK, which the test's names and texts name, while the
// object lives.
struct ExecutionMark {
    QString path;
    explicit ExecutionMark(const QString& folder)
        : path(folder + QStringLiteral("/EXECUTED"))
    {
        qputenv("TAVREL_MARK", QFile::encodeName(path));
    }
    ~ExecutionMark() { qunsetenv("TAVREL_MARK"); }
    ExecutionMark(const ExecutionMark&) = delete;
    ExecutionMark& operator=(const ExecutionMark&) = delete;
    bool touched() const { return QFileInfo::exists(path); }
};

// "fig2dev [a] [b]" from the arguments, as the stand-in logs a run.
inline QString loggedRun(const QStringList& arguments, const QString& program = QStringLiteral("fig2dev"))
{
    QString line = program;
    for (const QString& argument : arguments)
        line += QStringLiteral(" [") + argument + QLatin1Char(']');
    return line;
}

} // namespace exportfixtures
