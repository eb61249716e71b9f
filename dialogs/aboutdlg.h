#pragma once
// The about box: the version and release date, the logo, the Ghostscript the
// program finds and the home page. Made when it is opened, run modally, and
// destroyed when it closes. Owns its form.

#include <QDialog>

#include <memory>

namespace Ui {
class AboutDlg;
}

class AboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit AboutDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~AboutDlg() override;

    // The form, for the tests that read it.
    Ui::AboutDlg& form() const { return *ui; }

private:
    std::unique_ptr<Ui::AboutDlg> ui;
};
