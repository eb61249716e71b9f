// LaTeX images of special texts: a small LaTeX document around the text is
// run through latex, dvips and Ghostscript into a transparent PNG at the
// resolution of the zoom, and the image is cached in the text per drawing
// style and resolution. A text that cannot be typeset is drawn as plain text
// and remembered as failed.

#include "render/latextext.h"
#include "app/externalprograms.h"
#include "app/preferences.h"
#include "model/figcontext.h"
#include "model/figtext.h"
#include "model/planegeometry.h"
#include "model/units.h"
#include "render/colors.h"

#include <QColor>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextCodec>
#include <QTextStream>
#include <QTransform>

#include <cmath>

namespace {

const char* const latexFontFamilies[]
    = { "\\familydefault", "\\rmdefault", "\\rmdefault", "\\rmdefault", "\\sfdefault", "\\ttdefault" };
const char* const latexFontSeries[]
    = { "\\mddefault", "\\mddefault", "\\bfdefault", "\\mddefault", "\\mddefault", "\\mddefault" };
const char* const latexFontShapes[]
    = { "\\updefault", "\\updefault", "\\updefault", "\\itdefault", "\\updefault", "\\updefault" };

// The LaTeX size of each point size from 0 to 42.
const int latexFontSizes[] = { 11, 5, 5, 5, 5, 5, 6, 7, 8, 9, 10, 11, 12, 12, 14, 14, 14, 17, 17, 17, 20, 20, 20, 20,
    20, 25, 25, 25, 25, 29, 29, 29, 29, 29, 34, 34, 34, 34, 34, 34, 34, 41, 41 };

const char clipName[] = "texclip";

QString inFolder(const QString& folder, const char* name)
{
    return folder + QDir::separator() + QLatin1String(name);
}

// Replaces the placeholders of "latex command" and "dvips command".
QString commandLine(QString command, const QString& folder, const QString& output, const QString& input)
{
    command.replace(QLatin1String("TEMPDIR"), folder);
    command.replace(QLatin1String("OUTFILE"), output);
    command.replace(QLatin1String("INFILE"), input);
    return command;
}

int cacheIndex(int drawStyle)
{
    if (drawStyle == DrawDimmed)
        return 1;
    if (drawStyle == DrawGreyed)
        return 2;
    return 0;
}

} // namespace

QString latexTempFolder()
{
    return preferences.useDefaultTempDir ? QDir::tempPath() : preferences.tempDir;
}

QString latexTextMarkup(const FigText* text)
{
    // Negative font numbers (the Fig default font) take the LaTeX default row.
    int font = text->font > 5 ? 4 : text->font;
    if (font < 0)
        font = 0;
    const int points = qBound(0, text->fontSize > 42 ? 41 : text->fontSize, 42);
    const int size = latexFontSizes[points];
    return QStringLiteral("{\\fontsize{%1}{%2pt}\\fontfamily{%3}\\fontseries{%4}\\fontshape{%5}\\selectfont %6}")
        .arg(size)
        .arg(size * 1.2, 0, 'f', 1)
        .arg(QLatin1String(latexFontFamilies[font]), QLatin1String(latexFontSeries[font]),
            QLatin1String(latexFontShapes[font]), text->text);
}

bool writeLatexClipFile(const QString& path, const FigText* text, const QColor& colour)
{
    const QString colourText = QStringLiteral("\\color[rgb]{%1,%2,%3}")
                                   .arg(colour.red() / 255.0)
                                   .arg(colour.green() / 255.0)
                                   .arg(colour.blue() / 255.0);
    QString document = preferences.specialTextTexFrame;
    document.replace(QLatin1String("COLORTOKEN"), colourText);
    document.replace(QLatin1String("TEXTTOKEN"), latexTextMarkup(text));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QTextStream stream(&file);
    stream.setCodec(QTextCodec::codecForName("ISO 8859-1"));
    stream << document << '\n';
    stream.flush();
    return stream.status() == QTextStream::Ok && file.commit();
}

bool runDvips(const QString& input, const QString& output, const QString& folder)
{
    const bool ran
        = runExternalCommandDefault(commandLine(preferences.dvipsCommand, folder, output, input), false, folder);
    QFile::remove(folder + QDir::separator() + input);
    return ran;
}

void CFigContext::renderLatexText(FigText* text, const QColor& colour, int resolution, QPixmap** image)
{
    if (!text || !image)
        return;
    const QString folder = latexTempFolder();
    // An empty "temp dir" would put the files at the root of the file system.
    if (folder.isEmpty())
        return;
    const QString tex = inFolder(folder, "texclip.tex");
    const QString dvi = inFolder(folder, "texclip.dvi");
    const QString eps = inFolder(folder, "texclip.eps");
    const QString png = inFolder(folder, "texclip.png");

    // Each step must find the file the step before made for this text, never
    // one left by an earlier text.
    QFile::remove(dvi);
    QFile::remove(eps);
    QFile::remove(png);
    if (!writeLatexClipFile(tex, text, colour))
        return;

    const QString latex
        = commandLine(preferences.latexCommand, folder, QLatin1String(clipName), QStringLiteral("texclip.tex"));
    // latex and dvips run in the folder of their files: a command without
    // folders in it (or a TeX that does not know -job-name and takes the job
    // name for the input) still finds them.
    if (!runExternalCommandDefault(latex, false, folder) || !QFileInfo::exists(dvi))
        return;
    if (!runDvips(QStringLiteral("texclip.dvi"), QStringLiteral("texclip.eps"), folder) || !QFileInfo::exists(eps))
        return;

    const QString gs = QLatin1Char('"') + preferences.ghostscriptLocation
        + QLatin1String("\" -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pngalpha -r") + QString::number(resolution)
        + QLatin1String(" -dEPSCrop -sOutputFile=\"") + png + QLatin1String("\" \"") + eps + QLatin1Char('"');
    const bool converted = runExternalCommandDefault(gs, false);
    QFile::remove(eps);
    if (!converted || !QFileInfo::exists(png))
        return;
    *image = new QPixmap(png);
    QFile::remove(png);
}

void CFigContext::drawLatexText(int x, int y, int drawStyle, FigText* text)
{
    if (!text || !painter)
        return;
    const QColor colour = getPenColor(drawing.userShades, text->color == -1 ? 0 : text->color, drawStyle);
    const int key = roundToInt(zoom * dpiX);
    QMap<int, QPixmap*>& cache = text->latexPixmaps[cacheIndex(drawStyle)];

    QPixmap* image = cache.value(key, nullptr);
    if (!image && !text->latexFailed) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        renderLatexText(text, colour, key, &image);
        QGuiApplication::restoreOverrideCursor();
        if (image && !image->isNull()) {
            cache.insert(key, image);
        } else {
            delete image;
            image = nullptr;
            text->latexFailed = true;
        }
    }
    if (!image) {
        drawPlainText(x, y, drawStyle, text);
        return;
    }

    const float kx = displayPixelSize(dpiX);
    const float ky = displayPixelSize(dpiY);
    const int wf = roundToInt(float(image->width()) * kx / zoom);
    const int hf = roundToInt(float(image->height()) * ky / zoom);
    int ax = text->x;
    if (text->subType == 1)
        ax = text->x - wf / 2;
    else if (text->subType == 2)
        ax = text->x - wf;
    const int ty = text->y - hf;
    int rx = 0;
    int ry = 0;
    rotatePoint(text->x, text->y, ax, ty, rx, ry, text->angle);
    const int px = figToPixelX(rx + (x - text->x));
    const int py = figToPixelY(ry + (y - text->y));

    if (drawStyle != DrawNormal && drawStyle != DrawDimmed && drawStyle != DrawGreyed)
        return;
    // Strings with descenders are typeset lower: the image's bottom edge is
    // their descent, not their baseline.
    static const QRegularExpression descenders(QStringLiteral("[gjpqyQ]"));
    const int d = text->text.contains(descenders) ? roundToInt(image->height() * 0.31) : 0;
    const QTransform before = painter->worldTransform();
    painter->translate(px, py);
    painter->rotate(roundToInt(-double(text->angle) * 180.0 / M_PI));
    painter->drawPixmap(0, d, *image);
    painter->setWorldTransform(before);
}
