#pragma once
// The fonts dialog: chooses the font of new texts. The main window keeps one
// for the whole run.

#include <QDialog>

class FontsDlg : public QDialog {
    Q_OBJECT
public:
    explicit FontsDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
};
