#pragma once
// The shape library dialog: folders of Fig clips with thumbnails, from which
// clips are placed into the active document and to which the selection is
// added as a clip. Modeless; the main window keeps one for the whole run.

#include <QDialog>

class QPushButton;

class LibraryDlg : public QDialog {
    Q_OBJECT
public:
    explicit LibraryDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    QPushButton* addClipButton; // child

public slots:
    // Enables the add-clip button exactly when the active document has a
    // selected object in its current list; nothing without one.
    void setAddClipToLibraryButtonState();
};
