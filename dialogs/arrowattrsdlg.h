#pragma once
// The arrow size dialog "Arrow Size": the thickness, width and height that
// arrows take, either absolute or as multiples of the line width, and which
// of the two sets is in force. Every change is stored in the current drawing
// attributes and applied at once to the current object of the document the
// dialog was opened for. Built, run and destroyed per use; owns its form,
// not the document.

#include <QDialog>

#include <memory>

class CFigContext;

namespace Ui {
class ArrowAttrsDlg;
}

class ArrowAttrsDlg : public QDialog {
    Q_OBJECT
public:
    ArrowAttrsDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* document);
    ~ArrowAttrsDlg() override;

    ArrowAttrsDlg(const ArrowAttrsDlg&) = delete;
    ArrowAttrsDlg& operator=(const ArrowAttrsDlg&) = delete;

    // The form, for the tests that set its values.
    Ui::ArrowAttrsDlg& form() const { return *ui; }

public slots:
    // Switches between absolute and relative sizes; changes no object.
    void onModeChanged(bool checked);
    // Stores all six sizes as shown and applies them to the current object.
    void onChangeValues(double value);

private:
    void connectValues();
    void disconnectValues();
    // Enables the column of the sizes in force.
    void enableColumns();

    std::unique_ptr<Ui::ArrowAttrsDlg> ui;
    CFigContext* document; // not owned; valid while the dialog runs
};
