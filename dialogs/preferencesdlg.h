#pragma once
// The preferences dialog: shows and edits most fields of the program-wide
// preferences record, which it reads and writes directly (it keeps no copy).
// Modeless; the main window keeps one for the whole run. OK takes the
// controls into the record, flushes the LaTeX images when a setting they
// depend on changed, and writes the settings at once only when a Ghostscript
// setting changed (otherwise they are written at exit). Owns its form.

#include <QDialog>

#include <memory>

namespace Ui {
class PreferencesDlg;
}

class PreferencesDlg : public QDialog {
    Q_OBJECT
public:
    explicit PreferencesDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~PreferencesDlg() override;

    PreferencesDlg(const PreferencesDlg&) = delete;
    PreferencesDlg& operator=(const PreferencesDlg&) = delete;

    // Sets every control from the preferences. Loading only shows values:
    // it changes no preference, and however often it runs each of its
    // connections exists once.
    void loadValues();

    // The form, for the tests that work the controls.
    Ui::PreferencesDlg& form() const { return *ui; }

public slots:
    void onOk();
    void onCancel();
    void onChangeGenerateEpsPreview(int state);
    void onFlushLatexImages(bool checked);
    void getPdfViewerPath(bool checked);
    void getPsViewerPath(bool checked);
    void useDefaultTempDirChanged(int state);
    void useAutomaticGSDirChanged(int state);
    void getGSLocation(bool checked);
    void resetAdditionalPath(bool checked);

private:
    void disconnectLoadedConnections();
    // A program chosen in a file dialog with this caption, or an empty text.
    QString chooseProgram(const QString& caption);

    std::unique_ptr<Ui::PreferencesDlg> ui;
    // Set while loadValues sets the controls.
    bool loading = false;
};

// Drops the typeset images of every special text of every open document and
// clears their failure marks, so that each is typeset again, with the
// settings then in force, when it is next drawn. Redraws nothing.
void flushAllLatexImages();
