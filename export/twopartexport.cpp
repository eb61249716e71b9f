#include "export/twopartexport.h"

#include "app/preferences.h"
#include "export/exportoptions.h"
#include "export/exportrun.h"
#include "export/waitcursor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>

QString twoPartOptions(ExportOptions& options, const TwoPartPage& page, bool graphics, const QString& overlay)
{
    if (graphics) {
        QString part = QStringLiteral("-L ") + QLatin1String(page.graphicsLanguage) + options.commonOptions(true);
        if (preferences.fontBase72dpi)
            part += QStringLiteral(" -F");
        if (page.title->isEnabled() && !page.title->text().isEmpty())
            part += QStringLiteral(" -n ") + quotedOption(page.title->text());
        return part;
    }
    // fig2dev's overlay driver refuses a background colour.
    QString part = QStringLiteral("-L ") + QLatin1String(page.overlayLanguage) + options.commonOptions(false);
    if (page.encoding->isEnabled() && page.encoding->currentIndex() > 0)
        part += QStringLiteral(" -E %1").arg(page.encoding->currentIndex());
    if (page.noFontSpec->isEnabled() && page.noFontSpec->checkState() == Qt::Checked)
        part += QStringLiteral(" -F");
    if (!overlay.isEmpty())
        part += QStringLiteral(" -p ") + quotedOption(overlay);
    else if (!page.overlay->text().isEmpty())
        part += QStringLiteral(" -p ") + quotedOption(page.overlay->text());
    return part;
}

void setTwoPartWidgetState(const TwoPartPage& page)
{
    const int mode = page.mode->currentIndex();
    const bool graphicsPart = mode != 2;
    const bool overlayPart = mode != 1;
    // The background list is one of the general widgets.
    page.title->setEnabled(graphicsPart);
    page.noFontSpec->setEnabled(overlayPart);
    page.encoding->setEnabled(overlayPart);
    page.useDefault->setEnabled(overlayPart);
    page.overlay->setEnabled(overlayPart && page.useDefault->checkState() == Qt::Unchecked);
    page.viewer->setEnabled(false);
}

QString twoPartExtension(const TwoPartPage& page)
{
    return QLatin1String(page.mode->currentIndex() == 2 ? page.overlaySuffix : page.graphicsExtension);
}

bool isGraphicsSuffix(const TwoPartPage& page, const QString& suffix)
{
    return page.mode->currentIndex() != 2
        && suffix.compare(QLatin1String(page.overlaySuffix), Qt::CaseInsensitive) != 0;
}

void proposeOverlayName(const TwoPartPage& page, const QString& baseName, const QString& graphicsSuffix)
{
    if (page.useDefault->checkState() == Qt::Checked || page.overlay->text().isEmpty())
        page.overlay->setText(baseName + QLatin1Char('.') + graphicsSuffix);
}

bool exportTwoParts(ExportOptions& options, const TwoPartPage& page, CFigContext* context, const QString& figPath,
    const QString& outPath)
{
    const WaitCursor wait;
    const int mode = page.mode->currentIndex();
    const QString overlayFile = stripExtension(outPath) + QLatin1Char('.') + QLatin1String(page.overlaySuffix);
    if (mode == 0 && QFileInfo(overlayFile).absoluteFilePath() == QFileInfo(outPath).absoluteFilePath()) {
        ExportOptions::reportFailure(
            QStringLiteral("%1 cannot be both the graphics file and the LaTeX overlay.").arg(outPath));
        return false;
    }
    ExportRun run(context, figPath);
    if (!run.prepare())
        return false;
    const QString output = run.addOutput(outPath);
    if (output.isEmpty())
        return false;
    if (mode == 1 || mode == 2)
        return run.runFig2dev(options.fig2devArguments(), output) && run.finish();

    // The overlay names the graphics file: without one, nothing is exported.
    const QString overlay = run.addOutput(overlayFile);
    if (overlay.isEmpty() || !run.runFig2dev(optionArguments(twoPartOptions(options, page, true, QString())), output))
        return false;
    if (page.useDefault->checkState() == Qt::Checked) {
        const QFileInfo graphics(outPath);
        page.overlay->setText(graphics.completeBaseName() + QLatin1Char('.') + graphics.suffix());
    }
    return run.runFig2dev(optionArguments(twoPartOptions(options, page, false, QString())), overlay) && run.finish();
}
