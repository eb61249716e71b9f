#pragma once
// Shows a newer release found by the update check: its version, date and
// changes, and a link to the publisher's downloads page. Owns its form.

#include "app/updateinfo.h"

#include <QDialog>

#include <memory>

namespace Ui {
class UpdateInfoDlg;
}

class UpdateInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit UpdateInfoDlg(QWidget* parent);
    ~UpdateInfoDlg() override;

    // Fills the text browser; texts from the release document are taken as HTML.
    void setUpdateInfo(const UpdateInfo& info);

    // Appends "<p>", the paragraph and "</p>" with a line feed to html.
    static void appendParagraph(QString& html, const QString& paragraph);

private:
    std::unique_ptr<Ui::UpdateInfoDlg> ui;
};
