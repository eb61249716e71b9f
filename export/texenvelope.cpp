#include "export/texenvelope.h"

#include "app/externalprograms.h"
#include "app/preferences.h"
#include "export/exportoptions.h"
#include "export/waitcursor.h"
#include "model/figcontext.h"
#include "model/figformat.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

const TexRoute epsTexRoute = { "pstex", "_temp.eps", "pstex_t", "_temp.pstex_t", "latex", "dvips -quiet -E* -o" };
const TexRoute postScriptTexRoute = { "pstex", "_temp.eps", "pstex_t", "_temp.pstex_t", "latex", "dvips -quiet -o" };
const TexRoute pdfTexRoute = { "pdftex", "_temp.pdf", "pdftex_t", "_temp.pdftex_t", "pdflatex", nullptr };

int texRouteTimeout = 10000;

namespace {

QString quoted(const QString& path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
}

// Runs one LaTeX-side step in the output's folder and checks that it wrote
// its file; a failure is shown with the step's command and output (the
// runner has logged it).
bool runTexStep(const QString& commandLine, const QString& folder, const QString& writes)
{
    const FileState before = FileState::of(writes);
    QString report;
    if (!runExternalCommand(commandLine, false, texRouteTimeout, folder, &report)) {
        ExportOptions::showFailureBox(report);
        return false;
    }
    if (!FileState::of(writes).writtenSince(before)) {
        ExportOptions::reportFailure(
            QStringLiteral("%1 failed\n\nNo output file %2 was written.").arg(commandLine, writes));
        return false;
    }
    return true;
}

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

} // namespace

QString texEnvelopePath(const QString& outPath)
{
    return stripExtension(outPath) + QStringLiteral("_envelope.tex");
}

QString texEnvelopeText(const QString& templateText, const CFigContext& context, const QString& overlayPath)
{
    QString text = templateText;
    const int row = context.paperIndex;
    const QString paper = row >= 0 && row < paperSizeCount ? QString::fromLatin1(paperSizes[row].latexName) : QString();
    text.replace(QStringLiteral("PAPERSIZETOKEN"), paper);
    text.replace(QStringLiteral("PAGEORIENTATIONTOKEN"),
        context.landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
    text.replace(QStringLiteral("INPUTTEXFILETOKEN"), overlayPath);
    return text;
}

bool exportWithTexEnvelope(ExportOptions& options, const TexRoute& route, const CFigContext& context,
    const QString& figPath, const QString& outPath)
{
    const WaitCursor wait;
    const QString base = stripExtension(outPath);
    const QString graphics = base + QLatin1String(route.graphicsSuffix);
    const QString overlay = base + QLatin1String(route.overlaySuffix);

    const QString graphicsRun = ExportOptions::fig2devCommandLine(
        QStringLiteral("-L ") + QLatin1String(route.graphicsLanguage) + options.commonOptions(true), figPath, graphics);
    if (!options.runFig2dev(graphicsRun, graphics))
        return false;
    const QString overlayRun
        = ExportOptions::fig2devCommandLine(QStringLiteral("-L ") + QLatin1String(route.overlayLanguage)
                + options.commonOptions(false) + QStringLiteral(" -p ") + quoted(graphics),
            figPath, overlay);
    if (!options.runFig2dev(overlayRun, overlay))
        return false;

    const QString envelope = texEnvelopePath(outPath);
    if (!writeEnvelope(envelope, texEnvelopeText(preferences.exportTexFrame, context, overlay)))
        return false;

    // LaTeX writes its results, named after the envelope, into the folder
    // it runs in: the output's.
    const QString folder = QFileInfo(outPath).absolutePath();
    const QString job = QFileInfo(envelope).absolutePath() + QLatin1Char('/') + QFileInfo(envelope).completeBaseName();
    if (route.finalRun) {
        const QString dvi = job + QStringLiteral(".dvi");
        if (!runTexStep(QLatin1String(route.texProgram) + QLatin1Char(' ') + quoted(envelope), folder, dvi))
            return false;
        return runTexStep(
            QLatin1String(route.finalRun) + QLatin1Char(' ') + quoted(outPath) + QLatin1Char(' ') + quoted(dvi), folder,
            outPath);
    }
    const QString pdf = job + QStringLiteral(".pdf");
    if (!runTexStep(QLatin1String(route.texProgram) + QLatin1Char(' ') + quoted(envelope), folder, pdf))
        return false;
    // The output file is replaced by what pdflatex made.
    if (QFileInfo(pdf).absoluteFilePath() != QFileInfo(outPath).absoluteFilePath()) {
        QFile::remove(outPath);
        if (!QFile::rename(pdf, outPath)) {
            ExportOptions::reportFailure(QStringLiteral("Couldn't move %1 to %2").arg(pdf, outPath));
            return false;
        }
    }
    return true;
}
