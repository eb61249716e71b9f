#pragma once
// A plain multi-line text editor with OK and Cancel: the caller fills it,
// runs it modally and reads the text back after OK. Owns its form.

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class GenericTextEditDlg;
}

class GenericTextEditDlg : public QDialog {
    Q_OBJECT
public:
    explicit GenericTextEditDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~GenericTextEditDlg() override;

    // Replaces the editor's whole text.
    void setText(const QString& text);
    // The editor's whole text.
    QString text() const;

    // Checks nothing.
    void accept() override;

private:
    std::unique_ptr<Ui::GenericTextEditDlg> ui;
};
