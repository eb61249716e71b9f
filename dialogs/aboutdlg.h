#pragma once
// The about box: the version, its release date and the Ghostscript in use.
// Made when it is opened and run modally.

#include <QDialog>

class AboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit AboutDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
};
