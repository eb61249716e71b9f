#pragma once
// The LaTeX route of the PostScript, EPS and PDF exports: fig2dev writes the
// graphics without the special texts and a LaTeX overlay that sets them, a
// LaTeX document made from the TeX envelope template inputs the overlay, and
// latex with dvips (or pdflatex) turn it into the output file. Every file
// of the route is named after the output file and written beside it; the
// LaTeX programs run in the output file's folder. A file of the envelope's
// own name is used, so a LaTeX document of the output's name is never
// overwritten.

#include <QString>

class CFigContext;
class ExportOptions;

// The names and programs of one format's route.
struct TexRoute {
    const char* graphicsLanguage; // fig2dev language of the graphics file
    const char* graphicsSuffix; // appended to the output's base for the graphics file
    const char* overlayLanguage;
    const char* overlaySuffix;
    const char* texProgram; // "latex" or "pdflatex"
    const char* finalRun; // dvips and its options before "out" "dvi"; null after pdflatex
};

extern const TexRoute epsTexRoute;
extern const TexRoute postScriptTexRoute;
extern const TexRoute pdfTexRoute;

// The name of the LaTeX document the route writes for an output file: the
// output's path without extension, then "_envelope.tex".
QString texEnvelopePath(const QString& outPath);

// The template with its placeholders replaced: the document's LaTeX paper
// name, its orientation ("landscape" or "portrait") and the overlay file.
QString texEnvelopeText(const QString& templateText, const CFigContext& context, const QString& overlayPath);

// Runs the whole route; true when every step succeeded and the output file
// was written. The first failing step ends the route with an
// "Export failed!" box that names its command and what it said.
bool exportWithTexEnvelope(ExportOptions& options, const TexRoute& route, const CFigContext& context,
    const QString& figPath, const QString& outPath);

// How long latex, dvips and pdflatex may take to finish, in ms. A test seam:
// the program never changes it.
extern int texRouteTimeout;
