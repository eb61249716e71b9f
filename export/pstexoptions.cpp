#include "export/pstexoptions.h"

#include "export/twopartexport.h"

#include "ui_exportdlg.h"

PstexOptions::PstexOptions(Ui::ExportDlgForm* ui)
    : ExportOptions(ui)
{
    fileExtension = QStringLiteral("eps");
    connect(ui->useDefaultPstexOverlayFile, &QCheckBox::clicked, this, &PstexOptions::onUseDefaultPstexOverlayFile);
}

TwoPartPage PstexOptions::page() const
{
    return { ui->cbPsTexMode, ui->pstexOpenInPsViewer, ui->pstexNoFontspec, ui->cbPstexEncoding, ui->pstexTitle,
        ui->useDefaultPstexOverlayFile, ui->pstexOverlay, "pstex", "pstex_t", "pstex_t", "ps" };
}

void PstexOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    ui->cbBackground->setEnabled(ui->cbPsTexMode->currentIndex() != 2);
    setTwoPartWidgetState(page());
}

QString PstexOptions::fig2devOptions()
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

QString PstexOptions::extension()
{
    return twoPartExtension(page());
}

void PstexOptions::setExtension(const QString& suffix)
{
    if (isGraphicsSuffix(page(), suffix))
        fileExtension = suffix;
}

void PstexOptions::setBaseName(const QString& name)
{
    ExportOptions::setBaseName(name);
    proposeOverlayName(page(), name, fileExtension);
}

bool PstexOptions::exportFigure(const QString& figPath, const QString& outPath)
{
    return exportTwoParts(*this, page(), context, figPath, outPath);
}

QString PstexOptions::partOptions(bool graphics, const QString& overlay)
{
    return twoPartOptions(*this, page(), graphics, overlay);
}

void PstexOptions::onUseDefaultPstexOverlayFile(bool checked)
{
    ui->pstexOverlay->setEnabled(!checked);
}
