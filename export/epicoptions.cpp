#include "export/epicoptions.h"

#include "ui_exportdlg.h"

EpicOptions::EpicOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
}

void EpicOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    for (QWidget* widget : { static_cast<QWidget*>(ui->borderWidth), static_cast<QWidget*>(ui->cbBackground),
             static_cast<QWidget*>(ui->cbGridMinor), static_cast<QWidget*>(ui->cbGridMajor),
             static_cast<QWidget*>(ui->cbGridUnit) })
        widget->setEnabled(false);
}

QString EpicOptions::fig2devOptions()
{
    if (!context)
        return QString();
    const char* const languages[] = { "-L epic", "-L eepic", "-L eepicemu" };
    const int language = ui->cbEpicLanguage->currentIndex();
    QString options = language >= 0 && language < 3 ? QLatin1String(languages[language]) : QString();
    options += commonOptions();
    if (ui->cbEpicTextEncoding->currentIndex() > 0)
        options += QStringLiteral(" -E %1").arg(ui->cbEpicTextEncoding->currentIndex());
    if (ui->epicLineThreshold->value() != 2)
        options += QStringLiteral(" -l %1").arg(ui->epicLineThreshold->value());
    // fig2dev divides the arrowheads with -d.
    if (ui->arrowDivide->value() != 1.0)
        options += QStringLiteral(" -d %1").arg(optionNumber(ui->arrowDivide->value()));
    if (ui->epicNoFontSpec->checkState() == Qt::Checked)
        options += QStringLiteral(" -F");
    if (ui->epicCompleteFile->checkState() == Qt::Checked)
        options += QStringLiteral(" -P");
    // Rotated text takes a word after -R, which fig2dev does not read.
    if (ui->epicRotatedText->checkState() == Qt::Checked)
        options += QStringLiteral(" -R foo");
    if (ui->epicComments->checkState() == Qt::Checked)
        options += QStringLiteral(" -v");
    if (ui->epicVariableWidth->checkState() == Qt::Checked)
        options += QStringLiteral(" -W");
    return options;
}

QString EpicOptions::extension()
{
    return QStringLiteral("tex");
}
