#pragma once
// The figure properties dialog: shows how many objects a drawing holds and
// edits the drawing's comment, the comment lines of the file's header. Owns
// its form; keeps a pointer to the drawing, not owned.

#include <QDialog>

#include <memory>

class FigDrawing;

namespace Ui {
class FigurePropertiesDlg;
}

class FigurePropertiesDlg : public QDialog {
    Q_OBJECT
public:
    explicit FigurePropertiesDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~FigurePropertiesDlg() override;

    // Shows the drawing's object count and comment; null shows nothing and
    // makes OK change nothing.
    void setFigure(FigDrawing* figure);

    // The form, for the tests that fill it.
    Ui::FigurePropertiesDlg& form() const { return *ui; }

signals:
    void commentChanged(bool hasComment);

public slots:
    // The editor's text becomes the drawing's comment; an emptied editor
    // removes it.
    void onOk();

private:
    std::unique_ptr<Ui::FigurePropertiesDlg> ui;
    FigDrawing* figure = nullptr; // not owned
};
