#include "export/twopartoptions.h"

#include "export/twopartexport.h"

#include "ui_exportdlg.h"

TwoPartOptions::TwoPartOptions(Ui::ExportDlgForm* ui, const QString& graphicsSuffix)
    : ExportOptions(ui)
{
    fileExtension = graphicsSuffix;
}

void TwoPartOptions::setWidgetState()
{
    ExportOptions::setWidgetState();
    // Only the graphics part has a background.
    ui->cbBackground->setEnabled(page().mode->currentIndex() != 2);
    setTwoPartWidgetState(page());
}

QString TwoPartOptions::fig2devOptions()
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

QString TwoPartOptions::extension()
{
    return twoPartExtension(page());
}

void TwoPartOptions::setExtension(const QString& suffix)
{
    if (isGraphicsSuffix(page(), suffix))
        fileExtension = suffix;
}

void TwoPartOptions::setBaseName(const QString& name)
{
    ExportOptions::setBaseName(name);
    proposeOverlayName(page(), name, fileExtension);
}

bool TwoPartOptions::exportFigure(const QString& figPath, const QString& outPath)
{
    return exportTwoParts(*this, page(), context, figPath, outPath);
}

QString TwoPartOptions::partOptions(bool graphics, const QString& overlay)
{
    return twoPartOptions(*this, page(), graphics, overlay);
}
