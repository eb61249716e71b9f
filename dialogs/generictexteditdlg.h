#pragma once
// A plain multi-line text editor with OK and Cancel, which the caller fills,
// runs and reads back after OK (the export edits its TeX envelope with it).
// Owns its form.

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
    // The editor's whole text as plain text.
    QString text() const;

public slots:
    void accept() override;

private:
    std::unique_ptr<Ui::GenericTextEditDlg> ui;
};
