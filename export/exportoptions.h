#pragma once
// The options of one export format and the fig2dev run that uses them. Every
// format of the export dialog has one object of a subclass; all of them share
// the dialog's form and read its widgets afresh whenever options are built.
// The base class builds the options every format shares (magnification,
// border, grid, background colour, layers), shows the figure size, fills the
// background list and runs fig2dev. It owns nothing: the form belongs to the
// dialog and the document to its window.

#include <QObject>
#include <QSizeF>
#include <QString>
#include <QStringList>

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
    // Exports the drawing to the output file: fig2dev runs in a private
    // folder on a copy of the Fig file (or, when figPath names no file, on
    // what the document holds), and the output file is replaced only when
    // the run succeeded. True when every run succeeded and the output is in
    // place; failures have been reported in the "Export failed!" box and the
    // log file.
    virtual bool exportFigure(const QString& figPath, const QString& outPath);
    // Runs one command line whose program is fig2dev, from the program folder
    // first and then through PATH, and waits for it. True when it started,
    // finished in time, and exited normally with code 0; otherwise the
    // failure is reported and the result is false.
    virtual bool runCommand(const QString& commandLine);
    // The options of fig2devOptions as the arguments fig2dev gets: a quoted
    // value is one argument.
    virtual QStringList fig2devArguments();

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

// Fig units a unit of the figure size as fig2dev draws the drawing: 1200
// an inch, and for a Metric drawing 450 a centimetre, so that fig2dev makes a
// Metric drawing about 5 % larger than 472.44 units a centimetre would.
double drawnFigUnitsPerInch(bool metric);
double drawnFigUnitsPerUnit(bool metric);

// The drawing's size as fig2dev draws it, in the document's unit (cm for a
// Metric drawing, else inches) at a magnification in percent: the bounds of
// its objects with line widths and arrows, grown by how far fig2dev's thick
// lines reach past corners and arrow tips. 0 x 0 for an empty drawing.
QSizeF drawnFigureSize(CFigContext& context, int magnification);

// A floating-point option value as printf's %g writes it in the C locale:
// at most six significant digits, no trailing zeros (1.5, 2, 0.25).
QString optionNumber(double value);

// The path without its extension: the text before the last "." when that
// comes after the last "/" or "\\"; else the whole path.
QString stripExtension(const QString& path);
