#pragma once
// One export: a folder private to the process (mode 0700) in which fig2dev
// and the LaTeX programs work on plain file names, a copy of the drawing in
// it, and the files the export makes there, put at the places the user chose
// only once every step has succeeded. No name the user chose (drawing,
// output, folder) or the drawing holds (its pictures) reaches a program:
// fig2dev hands its output name and compressed pictures' names to a shell
// for several formats, and LaTeX reads some characters of a name as markup.
// The TeX programs run in a folder of their own inside, which holds no link
// out of it, since what they write stays below that folder. A failed export
// leaves the chosen files as they were. The run owns its folder, which goes
// with it; the document it may write belongs to its window.

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class CFigContext;
class QTemporaryDir;

class ExportRun {
public:
    // The drawing is the Fig file figPath when it names one, else what the
    // document holds (a drawing never saved, or one whose file is gone).
    ExportRun(CFigContext* context, const QString& figPath);
    ~ExportRun();

    ExportRun(const ExportRun&) = delete;
    ExportRun& operator=(const ExportRun&) = delete;

    // Makes the folder and puts the drawing into it, each of its pictures
    // named anew ("tavrel-picture-" and a number, with the suffixes of the
    // name) and linked to the picture's file; false, after the
    // "Export failed!" box, when it cannot.
    bool prepare();

    // The folder the run works in, and the folder inside it where the
    // programs of the LaTeX route run.
    QString folder() const;
    QString texFolder() const;
    // The name in folder() of a file of texFolder().
    static QString inTexFolder(const QString& name);

    // Declares a file of the export: the run makes `name` in its folder (when
    // empty, a plain name after the target's own, else "tavrel-export" and
    // the target's suffix), and finish() puts it at `target`. The name in the
    // folder, or an empty text, after the "Export failed!" box, for a target
    // that is the drawing itself or a Fig file (which is never overwritten).
    QString addOutput(const QString& target, const QString& name = QString());

    // fig2dev, from the program folder or else through PATH, in the folder
    // with the options, the drawing's copy and the output's name; true when
    // it exited with 0 and wrote a complete file: not empty and, for
    // PostScript, EPS and PDF, ending in its end-of-file comment.
    bool runFig2dev(const QStringList& options, const QString& outputName);
    // Another program (dvips) in texFolder(), waited for at most `timeout`
    // ms, with TeX's confined environment (app/texprograms.h); true when it
    // exited with 0 and wrote `makes` there, complete as fig2dev's output
    // must be (by its suffix). A failure is shown in the "Export failed!"
    // box.
    bool runProgram(const QString& program, const QStringList& arguments, const QString& makes, int timeout);
    // The same for a TeX program (latex, pdflatex): its shell escape off.
    bool runTexProgram(const QString& program, const QStringList& arguments, const QString& makes, int timeout);

    // Puts every output at its target: each is copied to a temporary file in
    // the target's folder, and only when all were copied whole are they
    // renamed over the targets. False, after the "Export failed!" box, when
    // an output is missing, empty or incomplete or a copy or rename failed;
    // the targets not yet renamed over stay as they were and no temporary
    // file is left.
    bool finish();

    // Whether a name can be handed to every program as it is: letters,
    // digits and ".", "_", "+", "-" of ASCII only, beginning with a letter
    // or a digit, and not one the run names its own files with.
    static bool isPlainName(const QString& name);

private:
    struct Output {
        QString name;
        QString target;
    };

    // Whether the file is complete (there, not empty, and whole when it is
    // or, by `document`, must be PostScript, EPS or PDF), else the failure
    // is reported.
    bool madeFile(const QString& name, const QString& command, bool document);
    bool nameTaken(const QString& name) const;

    CFigContext* context; // not owned; may be null
    QString figPath;
    QString drawingName;
    std::unique_ptr<QTemporaryDir> dir;
    std::vector<Output> outputs;
};

// Runs fig2dev with the arguments as they are in `workingFolder` (empty: the
// current folder): from the program folder first, then through PATH. True
// when it started, finished in time and exited with 0; otherwise the failure
// is logged and shown in the "Export failed!" box.
bool runFig2devProgram(const QStringList& arguments, const QString& workingFolder);

// The arguments of an option string of the export formats: split at blanks
// outside double quotation marks, "\"\"\"" inside them standing for one
// quotation mark, as quotedOption writes them.
QStringList optionArguments(const QString& options);
// A value that must stay one argument of an option string, such as a title
// or a file name: in double quotation marks, its own marks tripled.
QString quotedOption(const QString& value);
