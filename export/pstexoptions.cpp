#include "export/pstexoptions.h"

#include "export/twopartexport.h"

#include "ui_exportdlg.h"

PstexOptions::PstexOptions(Ui::ExportDlgForm* ui)
    : TwoPartOptions(ui, QStringLiteral("eps"))
{
    connect(ui->useDefaultPstexOverlayFile, &QCheckBox::clicked, this, &PstexOptions::onUseDefaultPstexOverlayFile);
}

TwoPartPage PstexOptions::page() const
{
    return { ui->cbPsTexMode, ui->pstexOpenInPsViewer, ui->pstexNoFontspec, ui->cbPstexEncoding, ui->pstexTitle,
        ui->useDefaultPstexOverlayFile, ui->pstexOverlay, "pstex", "pstex_t", "pstex_t", "ps" };
}

void PstexOptions::onUseDefaultPstexOverlayFile(bool checked)
{
    ui->pstexOverlay->setEnabled(!checked);
}
