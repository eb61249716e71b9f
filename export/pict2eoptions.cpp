#include "export/pict2eoptions.h"

#include "ui_exportdlg.h"

Pict2eOptions::Pict2eOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
}

void Pict2eOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    for (QWidget* widget : { static_cast<QWidget*>(ui->cbBackground), static_cast<QWidget*>(ui->cbGridMinor),
             static_cast<QWidget*>(ui->cbGridMajor), static_cast<QWidget*>(ui->cbGridUnit) })
        widget->setEnabled(false);
    ui->borderWidth->setEnabled(true);
}

QString Pict2eOptions::fig2devOptions()
{
    if (!context)
        return QString();
    QString options = QStringLiteral("-L pict2e");
    options += commonOptions();
    if (ui->cbPict2eTextEncoding->currentIndex() > 0)
        options += QStringLiteral(" -E %1").arg(ui->cbPict2eTextEncoding->currentIndex());
    if (!ui->pic2eDefaultColor->text().isEmpty())
        options += QStringLiteral(" -C ") + ui->pic2eDefaultColor->text();
    if (ui->pict2eEpicCompatible->checkState() == Qt::Checked)
        options += QStringLiteral(" -e");
    if (ui->pict2eNoFontname->checkState() == Qt::Checked)
        options += QStringLiteral(" -F");
    if (!ui->pict2eFont->text().isEmpty())
        options += QStringLiteral(" -f ") + ui->pict2eFont->text();
    if (!ui->pict2ePrependDir->text().isEmpty())
        options += QStringLiteral(" -i ") + ui->pict2ePrependDir->text();
    if (ui->pict2eNoFontsizeOrBaselineskip->checkState() == Qt::Checked)
        options += QStringLiteral(" -o");
    if (ui->pict2eDontQuoteChars->checkState() == Qt::Checked)
        options += QStringLiteral(" -O");
    if (ui->pict2ePagemode->checkState() == Qt::Checked)
        options += QStringLiteral(" -P");
    if (ui->pict2eReplaceArrowheads->checkState() == Qt::Checked)
        options += QStringLiteral(" -r");
    return options;
}

QString Pict2eOptions::extension()
{
    return QStringLiteral("tex");
}
