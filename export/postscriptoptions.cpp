#include "export/postscriptoptions.h"

#include "export/texenvelope.h"
#include "export/viewers.h"

#include "ui_exportdlg.h"

PostScriptOptions::PostScriptOptions(Ui::ExportDlgForm* ui)
    : PaperPageOptions(ui)
{
    connect(ui->psOpenTexEnvelope, &QPushButton::clicked, this, &ExportOptions::openTexEnvelope);
    connect(ui->psUseLatex, &QCheckBox::stateChanged, this, &PostScriptOptions::setWidgetState);
    fillPaperList(ui->cbPageFormat);
}

PaperPageOptions::Format PostScriptOptions::format() const
{
    return { { ui->cbPageFormat, ui->cbOrientation, ui->cbJustification, ui->cbMultiplePages, ui->overlapMargins,
                 ui->cbPsPreview, ui->psGrayscale, ui->psTitle, ui->xOffset, ui->yOffset },
        ui->psUseLatex, ui->psOpenInViewer, "ps", postScriptTexRoute, openWithPsViewer };
}
