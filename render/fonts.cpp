#include "render/fonts.h"

#include <QHash>

const FontTableEntry fontTable[fontTableSize] = {
    { 0, QStringLiteral("Times Roman"), QStringLiteral("NimbusRomNo9L"), 50, 0, 100 },
    { 1, QStringLiteral("Times Italic"), QStringLiteral("NimbusRomNo9L"), 50, 1, 100 },
    { 2, QStringLiteral("Times Bold"), QStringLiteral("NimbusRomNo9L"), 75, 0, 100 },
    { 3, QStringLiteral("Times Bold Italic"), QStringLiteral("NimbusRomNo9L"), 75, 1, 100 },
    { 4, QStringLiteral("AvantGarde Book"), QStringLiteral("URWGothicL"), 50, 0, 100 },
    { 5, QStringLiteral("AvantGarde Book Oblique"), QStringLiteral("URWGothicL"), 50, 2, 100 },
    { 6, QStringLiteral("AvantGarde Demi"), QStringLiteral("URWGothicLDem"), 50, 0, 100 },
    { 7, QStringLiteral("AvantGarde Demi Oblique"), QStringLiteral("URWGothicLDem"), 50, 2, 100 },
    { 8, QStringLiteral("Bookman Light"), QStringLiteral("URWBookmanL"), 25, 0, 100 },
    { 9, QStringLiteral("Bookman Light Italic"), QStringLiteral("URWBookmanL"), 25, 1, 100 },
    { 10, QStringLiteral("Bookman Demi"), QStringLiteral("URWBookmanL"), 63, 0, 100 },
    { 11, QStringLiteral("Bookman Demi Italic"), QStringLiteral("URWBookmanL"), 63, 1, 100 },
    { 12, QStringLiteral("Courier"), QStringLiteral("NimbusMonL"), 50, 0, 100 },
    { 13, QStringLiteral("Courier Oblique"), QStringLiteral("NimbusMonL"), 50, 2, 100 },
    { 14, QStringLiteral("Courier Bold"), QStringLiteral("NimbusMonL"), 75, 0, 100 },
    { 15, QStringLiteral("Courier Bold Oblique"), QStringLiteral("NimbusMonL"), 75, 2, 100 },
    { 16, QStringLiteral("Helvetica"), QStringLiteral("NimbusSanL"), 50, 0, 100 },
    { 17, QStringLiteral("Helvetica Oblique"), QStringLiteral("NimbusSanL"), 50, 2, 100 },
    { 18, QStringLiteral("Helvetica Bold"), QStringLiteral("NimbusSanL"), 75, 0, 100 },
    { 19, QStringLiteral("Helvetica Bold Oblique"), QStringLiteral("NimbusSanL"), 75, 2, 100 },
    { 20, QStringLiteral("Helvetica Narrow"), QStringLiteral("NimbusSanL"), 50, 0, 75 },
    { 21, QStringLiteral("Helvetica Narrow Oblique"), QStringLiteral("NimbusSanLCon"), 50, 2, 100 },
    { 22, QStringLiteral("Helvetica Narrow Bold"), QStringLiteral("NimbusSanLCon"), 75, 0, 100 },
    { 23, QStringLiteral("Helvetica Narrow Bold Oblique"), QStringLiteral("NimbusSanLCon"), 75, 2, 100 },
    { 24, QStringLiteral("New Century Schoolbook Roman"), QStringLiteral("CenturySchL"), 50, 0, 100 },
    { 25, QStringLiteral("New Century Schoolbook Italic"), QStringLiteral("CenturySchL"), 50, 1, 100 },
    { 26, QStringLiteral("New Century Schoolbook Bold"), QStringLiteral("CenturySchL"), 75, 0, 100 },
    { 27, QStringLiteral("New Century Schoolbook Bold Italic"), QStringLiteral("CenturySchL"), 75, 1, 100 },
    { 28, QStringLiteral("Palatino Roman"), QStringLiteral("URWPalladioL"), 50, 0, 100 },
    { 29, QStringLiteral("Palatino Italic"), QStringLiteral("URWPalladioL"), 50, 1, 100 },
    { 30, QStringLiteral("Palatino Bold"), QStringLiteral("URWPalladioL"), 75, 0, 100 },
    { 31, QStringLiteral("Palatino Bold Italic"), QStringLiteral("URWPalladioL"), 75, 1, 100 },
    { 32, QStringLiteral("Symbol"), QStringLiteral("StandardSymL"), 50, 0, 100 },
    { 33, QStringLiteral("Zapf Chancery Medium Italic"), QStringLiteral("URWChanceryLMed"), 50, 1, 87 },
    { 34, QStringLiteral("Zapf Dingbats"), QStringLiteral("Dingbats"), 50, 0, 100 },
};

const char* const latexFontIconNames[latexFontCount]
    = { "default", "roman", "bold", "italic", "sansserif", "typewriter" };

const FontTableEntry& fontTableEntry(int fontNumber)
{
    if (fontNumber < 0 || fontNumber >= fontTableSize)
        return fontTable[0];
    return fontTable[fontNumber];
}

namespace {

QFont makeScreenFont(const FontTableEntry& row, int pixelSize)
{
    QFont font(row.family, -1, -1, false);
    // Qt ignores a pixel size below 1 and would keep its default size, far
    // larger than a text that shrinks to nothing.
    font.setPixelSize(qMax(1, pixelSize));
    font.setWeight(row.weight);
    font.setStyle(QFont::Style(row.style));
    font.setStretch(row.stretch);
    return font;
}

// The fonts of the table's rows made so far, by row and pixel size. A font
// that lives on keeps the font engine Qt found for it; a font made anew for
// every text would make Qt look the face up again (through fontconfig) as
// soon as its own cache has let the engine go, which it does once a drawing
// uses more than a few dozen fonts and sizes. Bounded: a drawing that runs
// through very many sizes starts the cache afresh. The fonts of the two
// zooms before the present one are kept apart, for a zoom back (zooming in
// and out again and again goes between two or three zooms), and let go once
// two more zooms went by without them.
// Never deleted: the fonts must not outlive the font database's teardown at
// exit, and a cache that is never destroyed cannot.
struct FontGenerations {
    QHash<quint64, QFont> now;
    QHash<quint64, QFont> before[2]; // of the zooms before, the latest first
};
FontGenerations* fontCache = nullptr; // owning, lives for the whole run
constexpr int maxCachedFonts = 1024;

// The same fonts as painters hold them, see holdPaintedFont; as bounded and
// as long-lived as the screen fonts.
FontGenerations* paintedFonts = nullptr; // owning, lives for the whole run

// Keeps `font` for `key` among the fonts of this zoom.
const QFont& keepFont(FontGenerations& cache, quint64 key, const QFont& font)
{
    if (cache.now.size() >= maxCachedFonts)
        cache.now.clear();
    return cache.now.insert(key, font).value();
}

// The font kept for `key`, of this zoom or (taken into this zoom's) of the
// one before; null when there is none.
const QFont* keptFont(FontGenerations*& cache, quint64 key)
{
    if (!cache)
        cache = new FontGenerations;
    const auto found = cache->now.constFind(key);
    if (found != cache->now.constEnd())
        return &found.value();
    for (QHash<quint64, QFont>& zoom : cache->before) {
        const auto earlier = zoom.find(key);
        if (earlier != zoom.end()) {
            const QFont font = earlier.value();
            zoom.erase(earlier);
            return &keepFont(*cache, key, font);
        }
    }
    return nullptr;
}

quint64 fontKey(const FontTableEntry& row, int pixelSize)
{
    return (quint64(quint32(row.number)) << 32) | quint32(qMax(1, pixelSize));
}

} // namespace

QFont screenFont(const FontTableEntry& row, int pixelSize)
{
    if (&row < fontTable || &row >= fontTable + fontTableSize)
        return makeScreenFont(row, pixelSize);
    const quint64 key = fontKey(row, pixelSize);
    if (const QFont* kept = keptFont(fontCache, key))
        return *kept;
    return keepFont(*fontCache, key, makeScreenFont(row, pixelSize));
}

void releaseScreenFonts()
{
    for (FontGenerations* cache : { fontCache, paintedFonts }) {
        if (cache) {
            cache->now.clear();
            for (QHash<quint64, QFont>& zoom : cache->before)
                zoom.clear();
        }
    }
}

void screenFontsZoomed()
{
    for (FontGenerations* cache : { fontCache, paintedFonts }) {
        if (cache) {
            cache->before[1] = std::move(cache->before[0]);
            cache->before[0] = std::move(cache->now);
            cache->now.clear();
        }
    }
}

void holdPaintedFont(const FontTableEntry& row, int pixelSize, const QFont& painted)
{
    if (&row < fontTable || &row >= fontTable + fontTableSize)
        return;
    const quint64 key = fontKey(row, pixelSize);
    if (!keptFont(paintedFonts, key))
        keepFont(*paintedFonts, key, painted);
}

QFont screenFont(int fontNumber, int pixelSize)
{
    return screenFont(fontTableEntry(fontNumber), pixelSize);
}

void installFontSubstitutions()
{
    // The table keeps the family names of the older URW releases; the faces
    // installed here (fonts-urw-base35) carry the newer names.
    static const struct {
        const char* tableFamily;
        const char* installedFamily;
    } substitutions[] = {
        { "NimbusRomNo9L", "Nimbus Roman" },
        { "URWGothicL", "URW Gothic" },
        { "URWGothicLDem", "URW Gothic" },
        { "URWBookmanL", "URW Bookman" },
        { "NimbusMonL", "Nimbus Mono PS" },
        { "NimbusSanL", "Nimbus Sans" },
        { "NimbusSanLCon", "Nimbus Sans Narrow" },
        { "CenturySchL", "C059" },
        { "URWPalladioL", "P052" },
        { "StandardSymL", "Standard Symbols PS" },
        { "URWChanceryLMed", "Z003" },
        { "Dingbats", "D050000L" },
    };
    // insertSubstitution adds nothing that is already listed.
    for (const auto& s : substitutions)
        QFont::insertSubstitution(QString::fromLatin1(s.tableFamily), QString::fromLatin1(s.installedFamily));
}
