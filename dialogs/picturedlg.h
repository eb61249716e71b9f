#pragma once
// The picture dialog: the image file of one picture object and the size of
// its box. Built by its caller for one modal run; its changes apply at once.
// Holds the document and the picture, owns neither.

#include <QDialog>

class CFigContext;
class FigLine;
class QLineEdit;

class PictureDlg : public QDialog {
    Q_OBJECT
public:
    PictureDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context, FigLine* picture);

    CFigContext* figContext; // not owned
    FigLine* picture; // not owned; may be null
    QLineEdit* picFilename; // child
};
