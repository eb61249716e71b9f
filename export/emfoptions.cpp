#include "export/emfoptions.h"

#include "ui_exportdlg.h"

EmfOptions::EmfOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
}

void EmfOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    for (QWidget* widget : { static_cast<QWidget*>(ui->magnification), static_cast<QWidget*>(ui->borderWidth),
             static_cast<QWidget*>(ui->cbBackground), static_cast<QWidget*>(ui->cbGridMinor),
             static_cast<QWidget*>(ui->cbGridMajor), static_cast<QWidget*>(ui->cbGridUnit) })
        widget->setEnabled(false);
}

QString EmfOptions::fig2devOptions()
{
    if (!context)
        return QString();
    QString options = QStringLiteral("-L emf");
    options += commonOptions();
    return options;
}

QString EmfOptions::extension()
{
    return QStringLiteral("emf");
}
