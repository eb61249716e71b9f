#include "export/pdfoptions.h"

#include "export/paperpage.h"
#include "export/texenvelope.h"
#include "export/viewers.h"
#include "model/figcontext.h"

#include "ui_exportdlg.h"

PdfOptions::PdfOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
    connect(ui->btFitToPage, &QPushButton::clicked, this, &PdfOptions::onExportFitToPage);
    connect(ui->pdfOpenTexEnvelope, &QPushButton::clicked, this, &ExportOptions::openTexEnvelope);
    connect(ui->pdfUseLatex, &QCheckBox::stateChanged, this, &PdfOptions::setWidgetState);
    fillPaperList(ui->cbPdfPageFormat);
}

PaperPageWidgets PdfOptions::page() const
{
    return { ui->cbPdfPageFormat, ui->cbPdfOrientation, ui->cbPdfJustification, ui->cbPdfMultiplePages,
        ui->pdfOverlapMargins, nullptr, ui->pdfGrayscale, ui->pdfTitle, ui->pdfxOffset, ui->pdfyOffset };
}

void PdfOptions::setContext(CFigContext* ctx)
{
    ExportOptions::setContext(ctx);
    if (ctx)
        takeDocumentPage(page(), *ctx);
}

void PdfOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    enablePaperPage(page(), ui->pdfUseLatex->checkState() == Qt::Unchecked);
}

QString PdfOptions::fig2devOptions()
{
    if (!context)
        return QString();
    // The common part first: it sets the widgets' states that the page's
    // own rules then change.
    QString options = QStringLiteral("-L pdf") + commonOptions();
    return options + paperPageOptions(page());
}

QString PdfOptions::extension()
{
    return QStringLiteral("pdf");
}

bool PdfOptions::exportFigure(const QString& figPath, const QString& outPath)
{
    const bool exported = ui->pdfUseLatex->checkState() == Qt::Checked ? exportWithTexEnvelope(figPath, outPath)
                                                                       : ExportOptions::exportFigure(figPath, outPath);
    // Only a file this export wrote is shown.
    if (exported && ui->pdfOpenInViewer->checkState() == Qt::Checked)
        openWithPdfViewer(outPath);
    return exported;
}

bool PdfOptions::exportWithTexEnvelope(const QString& figPath, const QString& outPath)
{
    if (!context)
        return false;
    return ::exportWithTexEnvelope(*this, pdfTexRoute, *context, figPath, outPath);
}

void PdfOptions::onExportFitToPage(bool /*checked*/)
{
    if (!context)
        return;
    const int magnification = fitToPageMagnification(*context, ui->cbPdfPageFormat->currentIndex());
    if (magnification >= 0)
        ui->magnification->setValue(magnification);
}
