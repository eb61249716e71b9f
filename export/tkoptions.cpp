#include "export/tkoptions.h"

#include "export/paperpage.h"
#include "model/figcontext.h"

#include "ui_exportdlg.h"

TkOptions::TkOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
    fillPaperList(ui->cbTkPageFormat);
}

void TkOptions::setContext(CFigContext* ctx)
{
    ExportOptions::setContext(ctx);
    if (!ctx)
        return;
    ui->cbTkPageFormat->setCurrentIndex(ctx->paperIndex);
    ui->cbTkOrientation->setCurrentIndex(ctx->landscape ? 1 : 0);
}

void TkOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    for (QWidget* widget : { static_cast<QWidget*>(ui->magnification), static_cast<QWidget*>(ui->borderWidth),
             static_cast<QWidget*>(ui->cbBackground), static_cast<QWidget*>(ui->cbGridMinor),
             static_cast<QWidget*>(ui->cbGridMajor), static_cast<QWidget*>(ui->cbGridUnit) })
        widget->setEnabled(false);
}

QString TkOptions::fig2devOptions()
{
    if (!context)
        return QString();
    QString options = QStringLiteral("-L tk");
    options += commonOptions();
    options += ui->cbTkOrientation->currentIndex() == 0 ? QStringLiteral(" -p foo") : QStringLiteral(" -l foo");
    if (ui->tkFullpage->checkState() == Qt::Checked) {
        ui->cbTkPageFormat->setEnabled(true);
        options += QStringLiteral(" -P -z ") + paperOptionName(ui->cbTkPageFormat->currentIndex());
    } else {
        ui->cbTkPageFormat->setEnabled(false);
    }
    return options;
}

QString TkOptions::extension()
{
    return QStringLiteral("tk");
}
