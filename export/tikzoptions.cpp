#include "export/tikzoptions.h"

#include "ui_exportdlg.h"

TikzOptions::TikzOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
}

void TikzOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    for (QWidget* widget : { static_cast<QWidget*>(ui->cbBackground), static_cast<QWidget*>(ui->cbGridMinor),
             static_cast<QWidget*>(ui->cbGridMajor), static_cast<QWidget*>(ui->cbGridUnit) })
        widget->setEnabled(false);
    ui->borderWidth->setEnabled(true);
}

QString TikzOptions::fig2devOptions()
{
    if (!context)
        return QString();
    QString options = QStringLiteral("-L tikz");
    options += commonOptions();
    if (ui->tikzTextEncoding->currentIndex() > 0)
        options += QStringLiteral(" -E %1").arg(ui->tikzTextEncoding->currentIndex());
    if (!ui->tikzDefaultColor->text().isEmpty())
        options += QStringLiteral(" -C ") + ui->tikzDefaultColor->text();
    if (ui->tikzNoFontname->checkState() == Qt::Checked)
        options += QStringLiteral(" -F");
    if (!ui->tikzFont->text().isEmpty())
        options += QStringLiteral(" -f ") + ui->tikzFont->text();
    if (!ui->tikzPrependDir->text().isEmpty())
        options += QStringLiteral(" -i ") + ui->tikzPrependDir->text();
    if (ui->tikzNoFontsizeOrBaselineskip->checkState() == Qt::Checked)
        options += QStringLiteral(" -o");
    if (ui->tikzDontQuoteChars->checkState() == Qt::Checked)
        options += QStringLiteral(" -O");
    if (ui->tikzPagemode->checkState() == Qt::Checked)
        options += QStringLiteral(" -P");
    if (ui->tikzUseTexFonts->checkState() == Qt::Checked)
        options += QStringLiteral(" -T");
    if (ui->tikzRemoveSuffix->checkState() == Qt::Checked)
        options += QStringLiteral(" -w");
    return options;
}

QString TikzOptions::extension()
{
    return QStringLiteral("tikz");
}
