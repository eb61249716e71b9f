// The names of the six LaTeX fonts, each written in a face of its kind, 12
// pixels high (the height at which the text page and the fonts dialog show
// them).

#include "canvas.h"

#include <QFontMetrics>

namespace gen {

namespace {

QImage fontSample(const QString& text, const QString& family, bool bold, bool italic)
{
    QFont font(family);
    font.setPixelSize(12);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text) + 4;
    QImage image = blank(width, 12);
    IconPainter p(&image);
    p.setFont(font);
    p.setPen(QColor(0, 0, 0));
    // The baseline leaves room for descenders (the "y" of "Typewriter").
    p.drawText(QPointF(2, 9.5), text);
    return image;
}

} // namespace

void addFontImages(ImageTable& table)
{
    const QString folder = QStringLiteral(":/fonts/images/fonts/");
    const QString serif = QStringLiteral("Nimbus Roman");
    table.insert(folder + "default.png", [=] { return fontSample("Default", serif, false, false); });
    table.insert(folder + "roman.png", [=] { return fontSample("Roman", serif, false, false); });
    table.insert(folder + "bold.png", [=] { return fontSample("Bold", serif, true, false); });
    table.insert(folder + "italic.png", [=] { return fontSample("Italic", serif, false, true); });
    table.insert(folder + "sansserif.png", [] { return fontSample("Sans Serif", "Nimbus Sans", false, false); });
    table.insert(folder + "typewriter.png", [] { return fontSample("Typewriter", "Nimbus Mono PS", false, false); });
}

} // namespace gen
