#include "app/updateinfodlg.h"

#include "app/updatechecker.h"

#include "ui_updateinfodlg.h"

UpdateInfoDlg::UpdateInfoDlg(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::UpdateInfoDlg>())
{
    ui->setupUi(this);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

UpdateInfoDlg::~UpdateInfoDlg() = default;

void UpdateInfoDlg::appendParagraph(QString& html, const QString& paragraph)
{
    html += QStringLiteral("<p>") + paragraph + QStringLiteral("</p>\n");
}

void UpdateInfoDlg::setUpdateInfo(const UpdateInfo& info)
{
    QString html;
    appendParagraph(html, QStringLiteral("<b>Version:</b> %1").arg(info.version) + QLatin1Char('\n'));
    appendParagraph(html, QStringLiteral("<b>Date:</b> %1").arg(info.date) + QLatin1Char('\n'));
    if (!info.changes.isEmpty()) {
        QString changes = QStringLiteral("<b>Changes:</b>\n<ul>\n");
        for (const QString& change : info.changes)
            changes += QStringLiteral("<li>%1</li>\n").arg(change);
        changes += QStringLiteral("</ul>\n");
        appendParagraph(html, changes);
    }
    const QUrl downloads = downloadsUrl();
    QString visible = downloads.toString(QUrl::RemoveScheme);
    if (visible.startsWith(QLatin1String("//")))
        visible.remove(0, 2);
    appendParagraph(html,
        QStringLiteral("Please visit the dowloads section of my web site at ")
            + QStringLiteral("<a href=\"%1\">%2</a>")
                  .arg(downloads.toString(QUrl::FullyEncoded).toHtmlEscaped(), visible.toHtmlEscaped()));
    ui->updateInfo->setHtml(html);
}
