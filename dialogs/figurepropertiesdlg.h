#pragma once
// The figure properties dialog: shows how many objects a drawing holds and
// edits the drawing's comment. Keeps a pointer to the drawing, not owned.

#include <QDialog>

class FigDrawing;
class QLabel;
class QPlainTextEdit;

class FigurePropertiesDlg : public QDialog {
    Q_OBJECT
public:
    explicit FigurePropertiesDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // Shows the drawing's object count and comment; null shows nothing.
    void setFigure(FigDrawing* figure);

    QLabel* lbNumObjects; // child
    QPlainTextEdit* commentEdit; // child

signals:
    void commentChanged(bool hasComment);

public slots:
    // A non-empty text replaces the drawing's comment; an empty one leaves it.
    void onOk();

private:
    FigDrawing* figure = nullptr; // not owned
};
