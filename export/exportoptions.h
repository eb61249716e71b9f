#pragma once
// The options of one export format and the fig2dev run that uses them. Every
// format of the export dialog has one object of a subclass; all of them share
// the dialog's form and read its widgets afresh whenever options are built.
// The base class builds the options every format shares (magnification,
// border, grid, background colour, layers), shows the figure size, fills the
// background list and runs fig2dev. It owns nothing: the form belongs to the
// dialog and the document to its window.

#include <QDateTime>
#include <QObject>
#include <QString>

class CFigContext;

namespace Ui {
class ExportDlgForm;
}

class ExportOptions : public QObject {
    Q_OBJECT
public:
    explicit ExportOptions(Ui::ExportDlgForm* ui);
    ~ExportOptions() override;

    ExportOptions(const ExportOptions&) = delete;
    ExportOptions& operator=(const ExportOptions&) = delete;

    // Takes the document (null: none) and, with one, its magnification into
    // the magnification box and its size into the figure-size label.
    virtual void setContext(CFigContext* ctx);

public slots:
    // Enables the general widgets the format uses and disables the others.
    virtual void setWidgetState();

public:
    // The fig2dev options without the program name and the file names. The
    // base version gives the common part, empty or beginning with a blank.
    // It also refreshes the enabled widgets and the figure-size label.
    virtual QString fig2devOptions();
    // The output file's extension without the dot.
    virtual QString extension();
    // The suffix of the output file the user chose last.
    virtual void setExtension(const QString& suffix);
    // The base name of the output file, as the dialog derives it.
    virtual void setBaseName(const QString& name);
    // Runs fig2dev from the Fig file to the output file; true when every run
    // succeeded and wrote its output file. Failures have been reported in the
    // "Export failed!" box and the log file.
    virtual bool exportFigure(const QString& figPath, const QString& outPath);
    // Runs one command line whose program is fig2dev, from the program folder
    // first and then through PATH, and waits for it. True when it started,
    // finished in time, and exited normally with code 0; otherwise the
    // failure is reported and the result is false.
    virtual bool runCommand(const QString& commandLine);

public slots:
    // Lets the user edit the TeX envelope of the export (the preference
    // "export tex document frame"); the argument is not used.
    void openTexEnvelope(bool checked);

public:
    // Shows the drawing's size at the current magnification; nothing
    // without a document.
    void updateFigureSize();

    // The options every format shares, empty or beginning with a blank (what
    // the base fig2devOptions gives). Without the background colour for the
    // LaTeX overlays, whose fig2dev driver refuses it.
    QString commonOptions(bool withBackground = true);

    // The command line of one fig2dev run: the program, the options (which
    // begin with their own blank or with the language option) and the two
    // paths in double quotation marks.
    static QString fig2devCommandLine(const QString& options, const QString& figPath, const QString& outPath);
    // Runs the command line through runCommand and then checks that it wrote
    // (or rewrote) the output file; a run that wrote none is reported as a
    // failure.
    bool runFig2dev(const QString& commandLine, const QString& outPath);
    // Reports an export failure in the log file and in the "Export failed!"
    // box; showFailureBox only shows the box (for a failure already logged).
    static void reportFailure(const QString& message);
    static void showFailureBox(const QString& message);

    // How long a fig2dev run may take to start and to finish, in ms. A test
    // seam: the program never changes them.
    static int startTimeout;
    static int finishTimeout;

protected:
    CFigContext* context = nullptr; // not owned
    bool useMagnification = true;
    QString fileExtension;
    Ui::ExportDlgForm* ui; // the dialog's form, not owned
    QString baseName;
};

// A floating-point option value as printf's %g writes it in the C locale:
// at most six significant digits, no trailing zeros (1.5, 2, 0.25).
QString optionNumber(double value);

// The path without its extension: the text before the last "." when that
// comes after the last "/" or "\\"; else the whole path.
QString stripExtension(const QString& path);

// What is known of a file before a step that should write it, to tell
// afterwards whether the step did: an existing output file is rewritten in
// place.
struct FileState {
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;

    static FileState of(const QString& path);
    bool writtenSince(const FileState& before) const;
};
