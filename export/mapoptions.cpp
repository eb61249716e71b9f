#include "export/mapoptions.h"

#include "ui_exportdlg.h"

MapOptions::MapOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
}

void MapOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    for (QWidget* widget : { static_cast<QWidget*>(ui->magnification), static_cast<QWidget*>(ui->cbBackground),
             static_cast<QWidget*>(ui->cbGridMinor), static_cast<QWidget*>(ui->cbGridMajor),
             static_cast<QWidget*>(ui->cbGridUnit) })
        widget->setEnabled(false);
}

QString MapOptions::fig2devOptions()
{
    if (!context)
        return QString();
    QString options = QStringLiteral("-L map");
    options += commonOptions();
    return options;
}

QString MapOptions::extension()
{
    return QStringLiteral("map");
}
