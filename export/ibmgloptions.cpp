#include "export/ibmgloptions.h"

#include "ui_exportdlg.h"

IbmglOptions::IbmglOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
}

void IbmglOptions::setContext(CFigContext* ctx)
{
    ExportOptions::setContext(ctx);
    // The magnification goes into the format's own option.
    useMagnification = false;
}

void IbmglOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    for (QWidget* widget : { static_cast<QWidget*>(ui->borderWidth), static_cast<QWidget*>(ui->cbBackground),
             static_cast<QWidget*>(ui->cbGridMinor), static_cast<QWidget*>(ui->cbGridMajor),
             static_cast<QWidget*>(ui->cbGridUnit) })
        widget->setEnabled(false);
}

QString IbmglOptions::fig2devOptions()
{
    if (!context)
        return QString();
    QString options = QStringLiteral("-L ibmgl");
    options += commonOptions();
    if (ui->isoA4paper->checkState() == Qt::Checked)
        options += QStringLiteral(" -a");
    if (ui->useHpgl->checkState() == Qt::Checked)
        options += QStringLiteral(" -k");
    if (ui->mirrorImage->checkState() == Qt::Checked)
        options += QStringLiteral(" -v");
    if (ui->ibmglUse6180->checkState() == Qt::Checked)
        options += QStringLiteral(" -c");
    if (ui->ibmGlPortrait->checkState() == Qt::Checked)
        options += QStringLiteral(" -P");
    if (ui->speed->value() != 0)
        options += QStringLiteral(" -S %1").arg(optionNumber(ui->speed->value()));
    // fig2dev takes the area as one comma-separated argument.
    if (ui->ibmglRestrictArea->checkState() == Qt::Checked)
        options += QStringLiteral(" -d %1,%2,%3,%4")
                       .arg(optionNumber(ui->ibmglAreaXll->value()), optionNumber(ui->ibmglAreaYll->value()),
                           optionNumber(ui->ibmglAreaXur->value()), optionNumber(ui->ibmglAreaYur->value()));
    // The offsets have options of their own.
    if (ui->magnification->value() != 100 || ui->ibmglXoffset->value() != 0 || ui->ibmglYoffset->value() != 0)
        options += QStringLiteral(" -m %1 -x %2 -y %3")
                       .arg(optionNumber(ui->magnification->value() / 100.0), optionNumber(ui->ibmglXoffset->value()),
                           optionNumber(ui->ibmglYoffset->value()));
    return options;
}

QString IbmglOptions::extension()
{
    return QStringLiteral("ibmgl");
}
