#pragma once
// Edits a picture box: chooses or rereads its image file, and resizes the box
// by a percentage, to the image's aspect ratio or to the image's own size,
// each resize one undo step. Every change takes effect at once; the dialog
// only closes. Borrows the context and the picture for one modal run.

#include <QDialog>

#include <memory>

class CFigContext;
class FigLine;

namespace Ui {
class PictureDlgForm;
}

class PictureDlg : public QDialog {
    Q_OBJECT
public:
    // The picture (a polyline of sub-type 5) may be null: then only the file
    // chooser does anything, and it only fills the file name field.
    PictureDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context, FigLine* picture);
    ~PictureDlg() override;

public slots:
    void onBrowse(bool checked);
    void onReread(bool checked);
    void onScale(bool checked);
    void onShrink(bool checked);
    void onExpand(bool checked);
    void onOriginal(bool checked);

private:
    // Loads the picture's file and redraws it.
    void loadFile(const QString& fileName);
    // Gives the box the new size as one undo step, with the canvas redrawn;
    // nothing when the size would not change or the box would leave the
    // coordinates a Fig file may hold.
    void resize(double width, double height);
    // The loaded image's size in pixels; false without an image.
    bool imageSize(int& width, int& height) const;

    std::unique_ptr<Ui::PictureDlgForm> ui;
    CFigContext* context; // not owned
    FigLine* picture = nullptr; // not owned
};
