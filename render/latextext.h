#pragma once
// LaTeX images of special texts (CFigContext::drawLatexText and
// renderLatexText are defined with this file): the LaTeX document around a
// text, the folder of the intermediate "texclip" files and the dvips step.

#include <QString>

class FigText;
class QColor;

// The folder of the intermediate files: the system's temporary folder when
// "use default temp dir" is on, else "temp dir".
QString latexTempFolder();

// The LaTeX markup of the text: its string in the LaTeX size, family, series
// and shape of its point size and font number.
QString latexTextMarkup(const FigText* text);

// Writes the LaTeX document ("special text tex document frame" with the
// colour and the markup in place of its tokens, then a line feed) in
// ISO 8859-1; false when the file could not be written completely.
bool writeLatexClipFile(const QString& path, const FigText* text, const QColor& colour);

// Runs "dvips command" on the files of the folder, in the folder, and then
// deletes the input; true when dvips ran successfully.
bool runDvips(const QString& input, const QString& output, const QString& folder);
