#pragma once
// The position of the active document's current text, shown and typed in the
// unit of the value dialogs; a new position moves the text as one undo step.
// Borrows the context and the text for the one modal run it is built for.

#include <QDialog>

#include <memory>

class CFigContext;
class FigText;

namespace Ui {
class CoordsDlg;
}

class TextCoordsDlg : public QDialog {
    Q_OBJECT
public:
    // Takes the context's current object when it is a text.
    TextCoordsDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context);
    ~TextCoordsDlg() override;

    // Shows the text's position in the current unit.
    void loadValues();

public slots:
    void onUnit(int index);
    // Either field took a new value; both are read.
    void onChange(double value);

private:
    std::unique_ptr<Ui::CoordsDlg> ui;
    CFigContext* context; // not owned
    FigText* text = nullptr; // not owned
};
