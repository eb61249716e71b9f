#include "export/svgoptions.h"

#include "export/paperpage.h"
#include "model/figcontext.h"

#include "ui_exportdlg.h"

SvgOptions::SvgOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
    fillPaperList(ui->cbSvgPageFormat);
}

void SvgOptions::setContext(CFigContext* ctx)
{
    ExportOptions::setContext(ctx);
    if (ctx)
        ui->cbSvgPageFormat->setCurrentIndex(ctx->paperIndex);
}

void SvgOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    for (QWidget* widget : { static_cast<QWidget*>(ui->borderWidth), static_cast<QWidget*>(ui->cbBackground),
             static_cast<QWidget*>(ui->cbGridMinor), static_cast<QWidget*>(ui->cbGridMajor),
             static_cast<QWidget*>(ui->cbGridUnit) })
        widget->setEnabled(false);
}

QString SvgOptions::fig2devOptions()
{
    if (!context)
        return QString();
    QString options = QStringLiteral("-L svg");
    options += commonOptions();
    options += QStringLiteral(" -z ") + paperOptionName(ui->cbSvgPageFormat->currentIndex());
    return options;
}

QString SvgOptions::extension()
{
    return QStringLiteral("svg");
}
