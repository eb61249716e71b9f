#include "export/pdftexoptions.h"

#include "export/twopartexport.h"

#include "ui_exportdlg.h"

PdftexOptions::PdftexOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
    fileExtension = QStringLiteral("pdf");
    connect(ui->useDefaultPdftexOverlayFile, &QCheckBox::clicked, this, &PdftexOptions::onUseDefaultPdftexOverlayFile);
}

TwoPartPage PdftexOptions::page() const
{
    return { ui->cbPdfTexMode, ui->pdftexOpenInPdfViewer, ui->pdftexNoFontspec, ui->cbPdftexEncoding, ui->pdftexTitle,
        ui->useDefaultPdftexOverlayFile, ui->pdftexOverlay, "pdftex", "pdftex_t", "pdftex_t", "pdf" };
}

void PdftexOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    ui->cbBackground->setEnabled(ui->cbPdfTexMode->currentIndex() != 2);
    setTwoPartWidgetState(page());
}

QString PdftexOptions::fig2devOptions()
{
    switch (page().mode->currentIndex()) {
    case 1:
        return partOptions(true, QString());
    case 2:
        return partOptions(false, QString());
    default:
        return partOptions(true, QString()) + QLatin1Char(' ') + partOptions(false, QString());
    }
}

QString PdftexOptions::extension()
{
    return twoPartExtension(page());
}

void PdftexOptions::setExtension(const QString& suffix)
{
    if (isGraphicsSuffix(page(), suffix))
        fileExtension = suffix;
}

void PdftexOptions::setBaseName(const QString& name)
{
    ExportOptions::setBaseName(name);
    proposeOverlayName(page(), name, fileExtension);
}

bool PdftexOptions::exportFigure(const QString& figPath, const QString& outPath)
{
    return exportTwoParts(*this, page(), context, figPath, outPath);
}

QString PdftexOptions::partOptions(bool graphics, const QString& overlay)
{
    return twoPartOptions(*this, page(), graphics, overlay);
}

void PdftexOptions::onUseDefaultPdftexOverlayFile(bool checked)
{
    ui->pdftexOverlay->setEnabled(!checked);
}
