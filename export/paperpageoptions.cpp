#include "export/paperpageoptions.h"

#include "export/texenvelope.h"
#include "model/figcontext.h"

#include "ui_exportdlg.h"

PaperPageOptions::PaperPageOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
    connect(ui->btFitToPage, &QPushButton::clicked, this, &PaperPageOptions::onExportFitToPage);
}

void PaperPageOptions::setContext(CFigContext* ctx)
{
    ExportOptions::setContext(ctx);
    if (ctx)
        takeDocumentPage(format().page, *ctx);
}

void PaperPageOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    const Format own = format();
    enablePaperPage(own.page, own.useLatex->checkState() == Qt::Unchecked);
}

QString PaperPageOptions::fig2devOptions()
{
    if (!context)
        return QString();
    // The common part first: it sets the widgets' states that the page's
    // own rules then change.
    QString options = QStringLiteral("-L ") + QLatin1String(format().language) + commonOptions();
    return options + paperPageOptions(format().page);
}

QString PaperPageOptions::extension()
{
    return QLatin1String(format().language);
}

bool PaperPageOptions::exportFigure(const QString& figPath, const QString& outPath)
{
    const Format own = format();
    const bool exported = own.useLatex->checkState() == Qt::Checked ? exportWithTexEnvelope(figPath, outPath)
                                                                    : ExportOptions::exportFigure(figPath, outPath);
    // Only a file this export wrote is shown.
    if (exported && own.openInViewer->checkState() == Qt::Checked)
        own.openWithViewer(outPath);
    return exported;
}

bool PaperPageOptions::exportWithTexEnvelope(const QString& figPath, const QString& outPath)
{
    if (!context)
        return false;
    return ::exportWithTexEnvelope(*this, format().texRoute, *context, figPath, outPath);
}

void PaperPageOptions::onExportFitToPage(bool /*checked*/)
{
    if (!context)
        return;
    const int magnification = fitToPageMagnification(*context, format().page.paper->currentIndex());
    if (magnification >= 0)
        ui->magnification->setValue(magnification);
}
