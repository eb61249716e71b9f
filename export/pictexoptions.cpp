#include "export/pictexoptions.h"

#include "ui_exportdlg.h"

PictexOptions::PictexOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
}

void PictexOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    for (QWidget* widget : { static_cast<QWidget*>(ui->borderWidth), static_cast<QWidget*>(ui->cbBackground),
             static_cast<QWidget*>(ui->cbGridMinor), static_cast<QWidget*>(ui->cbGridMajor),
             static_cast<QWidget*>(ui->cbGridUnit) })
        widget->setEnabled(false);
}

QString PictexOptions::fig2devOptions()
{
    if (!context)
        return QString();
    QString options = QStringLiteral("-L pictex");
    options += commonOptions();
    if (ui->cbPictexTextEncoding->currentIndex() > 0)
        options += QStringLiteral(" -E %1").arg(ui->cbPictexTextEncoding->currentIndex());
    return options;
}

QString PictexOptions::extension()
{
    return QStringLiteral("tex");
}
