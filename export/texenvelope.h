#pragma once
// The LaTeX route of the PostScript, EPS and PDF exports: fig2dev writes the
// graphics without the special texts and a LaTeX overlay that sets them, a
// LaTeX document made from the TeX envelope template inputs the overlay, and
// latex with dvips (or pdflatex) turn it into the output file. Every step
// runs in the export's private folder on fixed names (ExportRun), so no file
// beside the output is written or removed and any output name works; only
// the finished output is put at the chosen place.

#include <QSizeF>
#include <QString>

class CFigContext;
class ExportOptions;

// The names and programs of one format's route.
struct TexRoute {
    const char* graphicsLanguage; // fig2dev language of the graphics file
    const char* graphicsSuffix; // suffix of the graphics file
    const char* overlayLanguage;
    const char* overlaySuffix;
    const char* texProgram; // "latex" or "pdflatex"
    const char* finalRun; // dvips and its options before the output and the dvi; null after pdflatex
    const char* outputSuffix; // suffix of the file the route makes
    bool wholeFigure; // the page grows to hold a figure larger than the paper
};

extern const TexRoute epsTexRoute;
extern const TexRoute postScriptTexRoute;
extern const TexRoute pdfTexRoute;

// The template with its placeholders replaced: the document's LaTeX paper
// name, its orientation ("landscape" or "portrait") and the overlay file.
// When the figure (its size in points, as the overlay gives it) does not fit
// on the paper, the paper becomes a size of its own that holds it.
QString texEnvelopeText(const QString& templateText, const CFigContext& context, const QString& overlayPath,
    const QSizeF& figure = QSizeF());

// The size in points of the picture a LaTeX overlay of fig2dev sets (its
// \unitlength and the size of its last picture environment); an invalid
// size when the text has none.
QSizeF overlayPictureSize(const QByteArray& overlay);

// Runs the whole route; true when every step succeeded and the output file
// is in place. The first failing step ends the route with an
// "Export failed!" box that names its command and what it said. An output
// that is the drawing itself or a Fig file is refused.
bool exportWithTexEnvelope(ExportOptions& options, const TexRoute& route, CFigContext& context, const QString& figPath,
    const QString& outPath);

// How long latex, dvips and pdflatex may take to finish, in ms. A test seam:
// the program never changes it.
extern int texRouteTimeout;
