#include "export/latexoptions.h"

#include "ui_exportdlg.h"

LatexOptions::LatexOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
}

void LatexOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    for (QWidget* widget : { static_cast<QWidget*>(ui->borderWidth), static_cast<QWidget*>(ui->cbBackground),
             static_cast<QWidget*>(ui->cbGridMinor), static_cast<QWidget*>(ui->cbGridMajor),
             static_cast<QWidget*>(ui->cbGridUnit) })
        widget->setEnabled(false);
}

QString LatexOptions::fig2devOptions()
{
    if (!context)
        return QString();
    QString options = QStringLiteral("-L latex");
    options += commonOptions();
    if (ui->cbLatexTextEncoding->currentIndex() > 0)
        options += QStringLiteral(" -E %1").arg(ui->cbLatexTextEncoding->currentIndex());
    if (ui->latexLineThreshold->value() != 2)
        options += QStringLiteral(" -l %1").arg(ui->latexLineThreshold->value());
    if (ui->dashmag->value() != 100)
        options += QStringLiteral(" -d %1").arg(optionNumber(ui->dashmag->value() / 100.0));
    return options;
}

QString LatexOptions::extension()
{
    return QStringLiteral("tex");
}
