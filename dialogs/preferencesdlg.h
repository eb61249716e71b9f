#pragma once
// The preferences dialog: shows and edits the program preferences and stores
// them when accepted. Modeless; the main window keeps one for the whole run.

#include <QDialog>

class PreferencesDlg : public QDialog {
    Q_OBJECT
public:
    explicit PreferencesDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // Sets every control from the current preferences.
    void loadValues();

public slots:
    // Takes the controls into the preferences and stores them.
    void onOk();
};
