#include "export/postscriptoptions.h"

#include "export/paperpage.h"
#include "export/texenvelope.h"
#include "export/viewers.h"
#include "model/figcontext.h"

#include "ui_exportdlg.h"

PostScriptOptions::PostScriptOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
    connect(ui->btFitToPage, &QPushButton::clicked, this, &PostScriptOptions::onExportFitToPage);
    connect(ui->psOpenTexEnvelope, &QPushButton::clicked, this, &ExportOptions::openTexEnvelope);
    connect(ui->psUseLatex, &QCheckBox::stateChanged, this, &PostScriptOptions::setWidgetState);
    fillPaperList(ui->cbPageFormat);
}

PaperPageWidgets PostScriptOptions::page() const
{
    return { ui->cbPageFormat, ui->cbOrientation, ui->cbJustification, ui->cbMultiplePages, ui->overlapMargins,
        ui->cbPsPreview, ui->psGrayscale, ui->psTitle, ui->xOffset, ui->yOffset };
}

void PostScriptOptions::setContext(CFigContext* ctx)
{
    ExportOptions::setContext(ctx);
    if (ctx)
        takeDocumentPage(page(), *ctx);
}

void PostScriptOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    enablePaperPage(page(), ui->psUseLatex->checkState() == Qt::Unchecked);
}

QString PostScriptOptions::fig2devOptions()
{
    if (!context)
        return QString();
    // The common part first: it sets the widgets' states that the page's
    // own rules then change.
    QString options = QStringLiteral("-L ps") + commonOptions();
    return options + paperPageOptions(page());
}

QString PostScriptOptions::extension()
{
    return QStringLiteral("ps");
}

bool PostScriptOptions::exportFigure(const QString& figPath, const QString& outPath)
{
    const bool exported = ui->psUseLatex->checkState() == Qt::Checked ? exportWithTexEnvelope(figPath, outPath)
                                                                      : ExportOptions::exportFigure(figPath, outPath);
    // Only a file this export wrote is shown.
    if (exported && ui->psOpenInViewer->checkState() == Qt::Checked)
        openWithPsViewer(outPath);
    return exported;
}

bool PostScriptOptions::exportWithTexEnvelope(const QString& figPath, const QString& outPath)
{
    if (!context)
        return false;
    return ::exportWithTexEnvelope(*this, postScriptTexRoute, *context, figPath, outPath);
}

void PostScriptOptions::onExportFitToPage(bool /*checked*/)
{
    if (!context)
        return;
    const int magnification = fitToPageMagnification(*context, ui->cbPageFormat->currentIndex());
    if (magnification >= 0)
        ui->magnification->setValue(magnification);
}
