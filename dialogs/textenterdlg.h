#pragma once
// Asks for one line of text: the string of a new text object, or a new string
// for an existing one. Built by its caller for one question.

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class TextEnterDlgForm;
}

class TextEnterDlg : public QDialog {
    Q_OBJECT
public:
    explicit TextEnterDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~TextEnterDlg() override;

    void setText(const QString& text);
    QString text() const;

private:
    std::unique_ptr<Ui::TextEnterDlgForm> ui;
};
