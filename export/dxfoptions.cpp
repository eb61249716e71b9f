#include "export/dxfoptions.h"

#include "ui_exportdlg.h"

DxfOptions::DxfOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
}

void DxfOptions::setContext(CFigContext* ctx)
{
    ExportOptions::setContext(ctx);
    // The magnification goes into the format's own option.
    useMagnification = false;
}

void DxfOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    for (QWidget* widget : { static_cast<QWidget*>(ui->borderWidth), static_cast<QWidget*>(ui->cbBackground),
             static_cast<QWidget*>(ui->cbGridMinor), static_cast<QWidget*>(ui->cbGridMajor),
             static_cast<QWidget*>(ui->cbGridUnit) })
        widget->setEnabled(false);
}

QString DxfOptions::fig2devOptions()
{
    if (!context)
        return QString();
    QString options = QStringLiteral("-L dxf");
    options += commonOptions();
    if (ui->dxfAnsiApaper->checkState() == Qt::Checked)
        options += QStringLiteral(" -a");
    if (ui->dxfPortraitMode->checkState() == Qt::Checked)
        options += QStringLiteral(" -P");
    if (ui->dxfReflected->checkState() == Qt::Checked)
        options += QStringLiteral(" -v");
    if (ui->dxfUse6180->checkState() == Qt::Checked)
        options += QStringLiteral(" -c");
    // fig2dev takes the area as one comma-separated argument.
    if (ui->dxfRestrictArea->checkState() == Qt::Checked)
        options += QStringLiteral(" -d %1,%2,%3,%4")
                       .arg(optionNumber(ui->dxfAreaXll->value()), optionNumber(ui->dxfAreaYll->value()),
                           optionNumber(ui->dxfAreaXur->value()), optionNumber(ui->dxfAreaYur->value()));
    // The DXF driver has no offset option: the offsets cannot be passed.
    if (ui->magnification->value() != 100 || ui->dxfXoffset->value() != 0 || ui->dxfYoffset->value() != 0)
        options += QStringLiteral(" -m %1").arg(optionNumber(ui->magnification->value() / 100.0));
    return options;
}

QString DxfOptions::extension()
{
    return QStringLiteral("dxf");
}
