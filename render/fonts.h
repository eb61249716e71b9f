#pragma once
// The font table: the 35 PostScript fonts of the Fig format with the screen
// fonts that stand in for them, the six LaTeX font names, and the building of
// a row's screen font. The table is constant for the whole run.

#include <QFont>
#include <QString>

constexpr int fontTableSize = 35;
constexpr int latexFontCount = 6;

// One PostScript font: its Fig number, its name as shown to the user, and the
// QFont family, weight, style and stretch that draw it on the screen.
struct FontTableEntry {
    int number; // equal to the row index
    QString psName;
    QString family;
    int weight; // QFont weight: 25 light, 50 normal, 63 demi-bold, 75 bold
    int style; // QFont::Style: 0 normal, 1 italic, 2 oblique
    int stretch; // percent: 75 condensed, 87 semi-condensed, 100 unstretched
};

// Indexed by the PostScript font number 0..34.
extern const FontTableEntry fontTable[fontTableSize];

// The LaTeX fonts by number 0..5; also the names of their icons under
// ":/fonts/images/fonts/".
extern const char* const latexFontIconNames[latexFontCount];

// The row that measures and draws a text of the given font number. LaTeX
// fonts use the row of the same number. A number without a row (the Fig
// default font -1, or any number outside 0..34) gets row 0, so no lookup ever
// reads outside the table.
const FontTableEntry& fontTableEntry(int fontNumber);

// The screen font of a row at a pixel size: the row's family at the default
// point size and weight, then the pixel size (at least 1), weight, style and
// stretch of the row.
QFont screenFont(const FontTableEntry& row, int pixelSize);
QFont screenFont(int fontNumber, int pixelSize);

// Lets the screen fonts made so far go. A kept font keeps its font engine,
// and Qt's own font cache, which cannot free engines still in use, then
// walks all of them again and again trying.
void releaseScreenFonts();
// After a zoom change: the screen fonts of the two zooms before are kept
// apart, as a zoom back needs them again (finding a face anew costs Qt a
// fontconfig search); older ones not asked for since are let go.
void screenFontsZoomed();

// Keeps a font as a painter holds it after being given the screen font of
// the row and pixel size, until the screen fonts are let go. A painter
// resolves every font it is given into a copy of its own, which finds its
// font engine through Qt's cache of engine data; that cache drops the data
// no font holds any more once a drawing uses more than a few dozen fonts and
// sizes, and a text in the font after that would make Qt look the face up
// again. Only the first copy of a row and size is kept.
void holdPaintedFont(const FontTableEntry& row, int pixelSize, const QFont& painted);

// Maps the table's family names onto the installed URW base-35 faces, so that
// texts are drawn and measured in the faces the Fig format means. Called once
// at start-up, before any text is measured; calling it again does no harm.
void installFontSubstitutions();
