#include "export/metafontoptions.h"

#include "export/exportrun.h"

#include "ui_exportdlg.h"

MetafontOptions::MetafontOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
}

void MetafontOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    for (QWidget* widget : { static_cast<QWidget*>(ui->borderWidth), static_cast<QWidget*>(ui->cbBackground),
             static_cast<QWidget*>(ui->cbGridMinor), static_cast<QWidget*>(ui->cbGridMajor),
             static_cast<QWidget*>(ui->cbGridUnit) })
        widget->setEnabled(false);
}

QString MetafontOptions::fig2devOptions()
{
    if (!context)
        return QString();
    QString options = QStringLiteral("-L mf");
    options += commonOptions();
    if (ui->startCode->value() != 32)
        options += QStringLiteral(" -C %1").arg(ui->startCode->value());
    if (ui->penMagnification->value() != 1)
        options += QStringLiteral(" -p %1").arg(optionNumber(ui->penMagnification->value()));
    if (ui->coordTop->value() != 8)
        options += QStringLiteral(" -t %1").arg(optionNumber(ui->coordTop->value()));
    if (ui->coordXmin->value() != 0)
        options += QStringLiteral(" -x %1").arg(optionNumber(ui->coordXmin->value()));
    if (ui->coordYmin->value() != 0)
        options += QStringLiteral(" -y %1").arg(optionNumber(ui->coordYmin->value()));
    if (ui->coordXmax->value() != 8)
        options += QStringLiteral(" -X %1").arg(optionNumber(ui->coordXmax->value()));
    if (ui->coordYmax->value() != 8)
        options += QStringLiteral(" -Y %1").arg(optionNumber(ui->coordYmax->value()));
    if (!ui->mfFilename->text().isEmpty())
        options += QStringLiteral(" -n ") + quotedOption(ui->mfFilename->text());
    return options;
}

QString MetafontOptions::extension()
{
    return QStringLiteral("mf");
}
