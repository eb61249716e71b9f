#include "export/pdftexoptions.h"

#include "export/twopartexport.h"

#include "ui_exportdlg.h"

PdftexOptions::PdftexOptions(Ui::ExportDlgForm* ui)
    : TwoPartOptions(ui, QStringLiteral("pdf"))
{
    connect(ui->useDefaultPdftexOverlayFile, &QCheckBox::clicked, this, &PdftexOptions::onUseDefaultPdftexOverlayFile);
}

TwoPartPage PdftexOptions::page() const
{
    return { ui->cbPdfTexMode, ui->pdftexOpenInPdfViewer, ui->pdftexNoFontspec, ui->cbPdftexEncoding, ui->pdftexTitle,
        ui->useDefaultPdftexOverlayFile, ui->pdftexOverlay, "pdftex", "pdftex_t", "pdftex_t", "pdf" };
}

void PdftexOptions::onUseDefaultPdftexOverlayFile(bool checked)
{
    ui->pdftexOverlay->setEnabled(!checked);
}
