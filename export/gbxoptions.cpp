#include "export/gbxoptions.h"

#include "ui_exportdlg.h"

GbxOptions::GbxOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
}

void GbxOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    for (QWidget* widget : { static_cast<QWidget*>(ui->magnification), static_cast<QWidget*>(ui->btFitToPage),
             static_cast<QWidget*>(ui->rbExportAll), static_cast<QWidget*>(ui->rbExportOnlyActive),
             static_cast<QWidget*>(ui->borderWidth), static_cast<QWidget*>(ui->cbBackground),
             static_cast<QWidget*>(ui->cbGridMinor), static_cast<QWidget*>(ui->cbGridMajor),
             static_cast<QWidget*>(ui->cbGridUnit) })
        widget->setEnabled(false);
}

QString GbxOptions::fig2devOptions()
{
    if (!context)
        return QString();
    QString options = QStringLiteral("-L gbx");
    options += commonOptions();
    if (ui->cbGbxDimensions->currentIndex() == 1)
        options += QStringLiteral(" -d in");
    options += ui->cbGbxPolarity->currentIndex() == 0 ? QStringLiteral(" -p pos") : QStringLiteral(" -p neg");
    options += QStringLiteral(" -g %1x%2+%3+%4")
                   .arg(optionNumber(ui->gbxScaleX->value()), optionNumber(ui->gbxScaleY->value()),
                       optionNumber(ui->gbxOffsetX->value()), optionNumber(ui->gbxOffsetY->value()));
    options += QStringLiteral(" -f %1.%2").arg(ui->gbxPrecisionX->value()).arg(ui->gbxPrecisionY->value());
    // fig2dev leaves comments out unless -v asks for them.
    if (ui->cbGbxComments->currentIndex() == 0)
        options += QStringLiteral(" -v");
    return options;
}

QString GbxOptions::extension()
{
    return QStringLiteral("gbx");
}
