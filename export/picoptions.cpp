#include "export/picoptions.h"

#include "ui_exportdlg.h"

PicOptions::PicOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
}

void PicOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    for (QWidget* widget : { static_cast<QWidget*>(ui->borderWidth), static_cast<QWidget*>(ui->cbBackground),
             static_cast<QWidget*>(ui->cbGridMinor), static_cast<QWidget*>(ui->cbGridMajor),
             static_cast<QWidget*>(ui->cbGridUnit) })
        widget->setEnabled(false);
}

QString PicOptions::fig2devOptions()
{
    if (!context)
        return QString();
    QString options = QStringLiteral("-L pic");
    options += commonOptions();
    if (ui->picAllowArcbox->checkState() == Qt::Checked)
        options += QStringLiteral(" -p arc");
    if (ui->picUseLineThickness->checkState() == Qt::Checked)
        options += QStringLiteral(" -p line");
    if (ui->picFilledEllipses->checkState() == Qt::Checked)
        options += QStringLiteral(" -p fill");
    if (ui->picDontConvertPsFonts->checkState() == Qt::Checked)
        options += QStringLiteral(" -p psfont");
    return options;
}

QString PicOptions::extension()
{
    return QStringLiteral("pic");
}
