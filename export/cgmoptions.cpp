#include "export/cgmoptions.h"

#include "ui_exportdlg.h"

CgmOptions::CgmOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
}

void CgmOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    for (QWidget* widget : { static_cast<QWidget*>(ui->borderWidth), static_cast<QWidget*>(ui->cbBackground),
             static_cast<QWidget*>(ui->cbGridMinor), static_cast<QWidget*>(ui->cbGridMajor),
             static_cast<QWidget*>(ui->cbGridUnit) })
        widget->setEnabled(false);
    ui->magnification->setEnabled(true);
}

QString CgmOptions::fig2devOptions()
{
    if (!context)
        return QString();
    QString options = QStringLiteral("-L cgm");
    options += commonOptions();
    // fig2dev writes binary output with -a (its -b is refused by this driver).
    if (ui->binaryOutput->checkState() == Qt::Checked)
        options += QStringLiteral(" -a");
    if (ui->dontCompensateLineLength->checkState() == Qt::Checked)
        options += QStringLiteral(" -r");
    return options;
}

QString CgmOptions::extension()
{
    return QStringLiteral("cgm");
}
