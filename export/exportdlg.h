#pragma once
// The export dialog of one document window: the list of output formats, the
// options page of the chosen one and a preview of its fig2dev options. It
// saves a modified drawing first (fig2dev reads the file on disk), asks for
// the output file and lets the format's options object run the export; the
// last export can be repeated without the dialog. Each document window makes
// one and owns it; the dialog owns its form and one options object per
// format, and keeps pointers to the document and its window, owning neither.
// It is hidden, not destroyed, between uses, so its widgets keep their values.

#include <QDialog>
#include <QString>

#include <array>
#include <memory>

class CFigContext;
class ExportOptions;
class QTChildFrm;

namespace Ui {
class ExportDlgForm;
}

class ExportDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int formatCount = 24;

    explicit ExportDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~ExportDlg() override;

    ExportDlg(const ExportDlg&) = delete;
    ExportDlg& operator=(const ExportDlg&) = delete;

    // The document every output format works on; null for none.
    void setContext(CFigContext* ctx);
    CFigContext* context() const { return figContext; }
    // The document's file path (native separators), from which the names of
    // the exported files are derived.
    void setFileName(const QString& path);
    QString fileName() const { return figurePath; }

    // Whether an export was run with this dialog, so that it can be repeated
    // without showing the dialog.
    bool hasExported() const { return exportedOnce; }
    // Repeats the last export without showing the dialog (a modified drawing
    // is saved without asking); true when it wrote the output file.
    bool exportAgain();
    // The export of OK (again: of Export Again); true when it ran and wrote
    // its output.
    bool doExport(bool again);
    // Whether the last export run by OK or Export Again wrote its output.
    bool lastExportSucceeded() const { return exportSucceeded; }

    // For running exports without the dialog's questions (the benchmark
    // program and tests): chooses the format row by its list text; false
    // when no row has it.
    bool selectFormat(const QString& listText);
    // Sets one widget of the form by its object name: a number for spin
    // boxes, an index for combo boxes, 0 or 1 for check boxes and radio
    // buttons, text for line edits. False for an unknown name or a value
    // the widget cannot take.
    bool setOptionWidget(const QString& objectName, const QString& value);
    // The output file the dialog would propose for the chosen format.
    QString proposedOutputPath();
    // Exports with the chosen format to the output file, as OK does after its
    // questions; true when the export wrote its output.
    bool exportTo(const QString& outputPath);

public slots:
    void pageChanged(int index);
    void paramChanged();
    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Connects every value widget of the form that changes the options to
    // paramChanged.
    void connectOptionWidgets();
    // The base name of a path: the last chosen one, else the file name
    // without its extension.
    QString baseNameOf(const QString& path) const;
    ExportOptions* currentOptions() const;

    std::unique_ptr<Ui::ExportDlgForm> ui;
    QTChildFrm* documentWindow; // not owned
    CFigContext* figContext = nullptr; // not owned
    std::array<std::unique_ptr<ExportOptions>, formatCount> options;
    std::array<QString, formatCount> pageTitles;
    QString figurePath;
    QString lastExportDir;
    QString lastExportBaseName;
    QString lastExportPath;
    int savedRow = 12;
    int initialRow = 12;
    bool exportedOnce = false;
    bool exportSucceeded = false;
};
