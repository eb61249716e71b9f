#pragma once
// Asks for the name of a new user-defined grid. Knows nothing of grids: the
// grid and metrics dialog reads the name after an accepted run. Owns its form.

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class CustomGridDlg;
}

class CustomGridDlg : public QDialog {
    Q_OBJECT
public:
    explicit CustomGridDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~CustomGridDlg() override;

    // The name exactly as typed.
    QString gridName() const;

    // Refuses an empty name with a warning and stays open.
    void accept() override;

    // The form, for the tests that fill it.
    Ui::CustomGridDlg& form() const { return *ui; }

private:
    std::unique_ptr<Ui::CustomGridDlg> ui;
};
