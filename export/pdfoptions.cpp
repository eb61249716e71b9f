#include "export/pdfoptions.h"

#include "export/texenvelope.h"
#include "export/viewers.h"

#include "ui_exportdlg.h"

PdfOptions::PdfOptions(Ui::ExportDlgForm* ui)
    : PaperPageOptions(ui)
{
    connect(ui->pdfOpenTexEnvelope, &QPushButton::clicked, this, &ExportOptions::openTexEnvelope);
    connect(ui->pdfUseLatex, &QCheckBox::stateChanged, this, &PdfOptions::setWidgetState);
    fillPaperList(ui->cbPdfPageFormat);
}

PaperPageOptions::Format PdfOptions::format() const
{
    return { { ui->cbPdfPageFormat, ui->cbPdfOrientation, ui->cbPdfJustification, ui->cbPdfMultiplePages,
                 ui->pdfOverlapMargins, nullptr, ui->pdfGrayscale, ui->pdfTitle, ui->pdfxOffset, ui->pdfyOffset },
        ui->pdfUseLatex, ui->pdfOpenInViewer, "pdf", pdfTexRoute, openWithPdfViewer };
}
