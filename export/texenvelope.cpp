#include "export/texenvelope.h"

#include "app/preferences.h"
#include "export/exportoptions.h"
#include "export/exportrun.h"
#include "export/waitcursor.h"
#include "model/figcontext.h"
#include "model/figformat.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

#include <cmath>
#include <utility>

const TexRoute epsTexRoute = { "pstex", ".eps", "pstex_t", ".pstex_t", "latex", "dvips -quiet -E* -o", ".eps", true };
const TexRoute postScriptTexRoute
    = { "pstex", ".eps", "pstex_t", ".pstex_t", "latex", "dvips -quiet -o", ".ps", false };
const TexRoute pdfTexRoute = { "pdftex", ".pdf", "pdftex_t", ".pdftex_t", "pdflatex", nullptr, ".pdf", true };

int texRouteTimeout = 10000;

namespace {

// The route's own files in the private folder; LaTeX names its results
// after the envelope.
const char envelopeStem[] = "tavrel-envelope";
const char graphicsStem[] = "tavrel-graphics";
const char outputStem[] = "tavrel-export";

// Room around a figure on a page made for it: LaTeX indents the paragraph
// that holds it.
constexpr double pageMargin = 72.0;

bool writeEnvelope(const QString& path, const QString& text)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        QTextStream stream(&file);
        stream << text;
        stream.flush();
        if (stream.status() == QTextStream::Ok && file.commit())
            return true;
    }
    ExportOptions::reportFailure(QStringLiteral("Couldn't write file %1, %2").arg(path, file.errorString()));
    return false;
}

QByteArray readOverlay(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QSizeF overlayPictureSize(const QByteArray& overlay)
{
    const QString text = QString::fromLatin1(overlay);
    static const QRegularExpression unit(QStringLiteral("\\\\setlength\\{\\\\unitlength\\}\\{(\\d+)sp\\}"));
    static const QRegularExpression picture(QStringLiteral("\\\\begin\\{picture\\}\\((\\d+),(\\d+)\\)"));
    const QRegularExpressionMatch unitMatch = unit.match(text);
    if (!unitMatch.hasMatch())
        return QSizeF();
    QRegularExpressionMatch last;
    for (auto it = picture.globalMatch(text, unitMatch.capturedEnd()); it.hasNext();)
        last = it.next();
    if (!last.hasMatch())
        return QSizeF();
    // 65536 scaled points make a TeX point.
    const double pointsPerUnit = unitMatch.captured(1).toDouble() / 65536.0;
    return QSizeF(last.captured(1).toDouble() * pointsPerUnit, last.captured(2).toDouble() * pointsPerUnit);
}

QString texEnvelopeText(
    const QString& templateText, const CFigContext& context, const QString& overlayPath, const QSizeF& figure)
{
    QString text = templateText;
    const int row = context.paperIndex;
    QString paper;
    if (row >= 0 && row < paperSizeCount) {
        paper = QString::fromLatin1(paperSizes[row].latexName);
        // The paper in points as it lies; geometry turns it for landscape.
        double width = paperSizes[row].width * 72.0 / 1200.0;
        double height = paperSizes[row].height * 72.0 / 1200.0;
        if (context.landscape)
            std::swap(width, height);
        if (figure.isValid() && (figure.width() + pageMargin > width || figure.height() + pageMargin > height)) {
            width = qMax(width, figure.width() + pageMargin);
            height = qMax(height, figure.height() + pageMargin);
            if (context.landscape)
                std::swap(width, height);
            paper = QStringLiteral("papersize={%1pt,%2pt}").arg(std::ceil(width)).arg(std::ceil(height));
        }
    }
    text.replace(QStringLiteral("PAPERSIZETOKEN"), paper);
    text.replace(QStringLiteral("PAGEORIENTATIONTOKEN"),
        context.landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
    text.replace(QStringLiteral("INPUTTEXFILETOKEN"), overlayPath);
    return text;
}

bool exportWithTexEnvelope(
    ExportOptions& options, const TexRoute& route, CFigContext& context, const QString& figPath, const QString& outPath)
{
    const WaitCursor wait;
    const QString graphics = QLatin1String(graphicsStem) + QLatin1String(route.graphicsSuffix);
    const QString overlay = QLatin1String(graphicsStem) + QLatin1String(route.overlaySuffix);
    const QString envelope = QLatin1String(envelopeStem) + QStringLiteral(".tex");
    // pdflatex makes the output itself; dvips makes it from latex's.
    const QString made = route.finalRun ? QLatin1String(outputStem) + QLatin1String(route.outputSuffix)
                                        : QLatin1String(envelopeStem) + QStringLiteral(".pdf");

    ExportRun run(&context, figPath);
    // fig2dev writes the graphics and the overlay where the TeX programs run;
    // the overlay names the graphics file as TeX finds it there.
    if (!run.prepare() || run.addOutput(outPath, ExportRun::inTexFolder(made)).isEmpty())
        return false;
    const QStringList graphicsOptions = QStringList { QStringLiteral("-L"), QLatin1String(route.graphicsLanguage) }
        + optionArguments(options.commonOptions(true));
    if (!run.runFig2dev(graphicsOptions, ExportRun::inTexFolder(graphics)))
        return false;
    const QStringList overlayOptions = QStringList { QStringLiteral("-L"), QLatin1String(route.overlayLanguage) }
        + optionArguments(options.commonOptions(false)) + QStringList { QStringLiteral("-p"), graphics };
    if (!run.runFig2dev(overlayOptions, ExportRun::inTexFolder(overlay)))
        return false;

    const QString folder = run.texFolder() + QLatin1Char('/');
    const QSizeF figure = route.wholeFigure ? overlayPictureSize(readOverlay(folder + overlay)) : QSizeF();
    if (!writeEnvelope(folder + envelope, texEnvelopeText(preferences.exportTexFrame, context, overlay, figure)))
        return false;

    if (route.finalRun) {
        const QString dvi = QLatin1String(envelopeStem) + QStringLiteral(".dvi");
        if (!run.runTexProgram(QLatin1String(route.texProgram), { envelope }, dvi, texRouteTimeout))
            return false;
        // The final run is a fixed text of the route: its program and options.
        QStringList dvips = QProcess::splitCommand(QString::fromLatin1(route.finalRun));
        const QString program = dvips.takeFirst();
        if (!run.runProgram(program, dvips + QStringList { made, dvi }, made, texRouteTimeout))
            return false;
    } else if (!run.runTexProgram(QLatin1String(route.texProgram), { envelope }, made, texRouteTimeout)) {
        return false;
    }
    return run.finish();
}
