#pragma once
// LaTeX images of special texts (CFigContext::drawLatexText and
// renderLatexText are defined with this file): the LaTeX document around a
// text, the folder of the intermediate "texclip" files and the dvips step.

#include <QString>

#include <vector>

class CFigContext;
class FigText;
class QColor;

// The folder of the intermediate files: a folder private to this process
// (mode 0700), made on first use inside the system's temporary folder when
// "use default temp dir" is on, else inside "temp dir", and removed with its
// files at exit. Empty when none can be made.
QString latexTempFolder();

// The LaTeX markup of the text: its string in the LaTeX size, family, series
// and shape of its point size and font number.
QString latexTextMarkup(const FigText* text);

// The LaTeX document of the text: "special text tex document frame" with the
// colour and the markup in place of its tokens.
QString latexClipDocument(const FigText* text, const QColor& colour);

// Writes the LaTeX document and a line feed in ISO 8859-1; false when the
// file could not be written completely.
bool writeLatexClipFile(const QString& path, const FigText* text, const QColor& colour);

// Runs "dvips command" on the files of the folder, in the folder, and then
// deletes the input; true when dvips ran successfully.
bool runDvips(const QString& input, const QString& output, const QString& folder);

// Typesets at once the special texts of the list that would be drawn as
// LaTeX images at the document's zoom and have neither an image for it nor a
// failure: latex, dvips and Ghostscript of each text run one after the
// other, the pipelines of different texts side by side (as many as the
// machine has cores), each in a folder of its own. The images go into the
// texts' caches, a failure marks the text. A redraw calls it before it draws;
// a single text is left to the drawing itself.
void typesetSpecialTexts(CFigContext& context, const std::vector<FigText*>& texts);
