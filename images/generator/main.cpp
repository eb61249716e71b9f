// imagegen: draws every built-in image of the program and writes it as a PNG
// into the images folder named on the command line, together with the
// resource file "images.qrc" that gives each image its resource path.
//
//   imagegen <source folder>/images
//
// The list of resource paths is the program's own (render/builtinimages.h);
// a path without a drawing, or a drawing without a path, is an error.

#include "canvas.h"
#include "render/builtinimages.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

namespace {

// A resource path ":/<prefix>/images/<file>" split into the resource prefix
// and the file's place relative to the images folder.
struct ResourcePlace {
    QString prefix; // "/file"
    QString file; // "File/new.png"
};

bool splitResourcePath(const QString& path, ResourcePlace* place)
{
    if (!path.startsWith(QLatin1String(":/")))
        return false;
    const int slash = path.indexOf(QLatin1Char('/'), 2);
    if (slash < 0)
        return false;
    const QString rest = path.mid(slash + 1);
    if (!rest.startsWith(QLatin1String("images/")))
        return false;
    place->prefix = path.mid(1, slash - 1);
    place->file = rest.mid(int(qstrlen("images/")));
    return !place->file.isEmpty();
}

// Writes the image as small as is easy: one-bit images stay one-bit, images
// of at most 256 colours (alpha included) get a palette, the rest stay ARGB.
bool savePng(const QImage& image, const QString& fileName)
{
    if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB)
        return image.save(fileName, "PNG", 9);
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QVector<QRgb> table;
    QHash<QRgb, int> index;
    bool fits = true;
    for (int y = 0; y < argb.height() && fits; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                line[x] = 0; // every transparent pixel the same palette entry
            if (!index.contains(line[x])) {
                if (table.size() == 256) {
                    fits = false;
                    break;
                }
                index.insert(line[x], table.size());
                table.append(line[x]);
            }
        }
    }
    if (!fits)
        return argb.save(fileName, "PNG", 9);
    QImage indexed(argb.size(), QImage::Format_Indexed8);
    indexed.setColorTable(table);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < argb.width(); ++x)
            out[x] = uchar(index.value(in[x]));
    }
    return indexed.save(fileName, "PNG", 9);
}

QString xmlEscaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// The resource file: one <qresource> per prefix, in the order of the list.
bool writeResourceFile(const QString& fileName, const QStringList& paths)
{
    QStringList prefixes;
    QMap<QString, QStringList> files;
    for (const QString& path : paths) {
        ResourcePlace place;
        splitResourcePath(path, &place);
        if (!prefixes.contains(place.prefix))
            prefixes.append(place.prefix);
        files[place.prefix].append(place.file);
    }
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream s(&out);
    s << "<!DOCTYPE RCC>\n<!-- Written by images/generator (imagegen); edit the generator, not this file. -->\n"
      << "<RCC version=\"1.0\">\n";
    for (const QString& prefix : prefixes) {
        s << "    <qresource prefix=\"" << xmlEscaped(prefix) << "\">\n";
        // The alias keeps "images/" in the resource path, as the program
        // names it, while the file path is relative to this folder.
        for (const QString& file : files.value(prefix))
            s << "        <file alias=\"images/" << xmlEscaped(file) << "\">" << xmlEscaped(file) << "</file>\n";
        s << "    </qresource>\n";
    }
    s << "</RCC>\n";
    s.flush();
    return out.commit();
}

} // namespace

int main(int argc, char* argv[])
{
    // Fonts need a GUI application, but nothing is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: imagegen <images folder>\n");
        return 2;
    }
    const QDir root(args.at(1));
    if (!root.exists()) {
        std::fprintf(stderr, "imagegen: no such folder: %s\n", qPrintable(args.at(1)));
        return 2;
    }

    gen::ImageTable table;
    gen::addPatternImages(table);
    gen::addMarkerImages(table);
    gen::addStrokeImages(table);
    gen::addFontImages(table);
    gen::addFileImages(table);
    gen::addToolPanelImages(table);
    gen::addLayoutImages(table);
    gen::addMiscImages(table);

    const QStringList& paths = builtinImagePaths();
    int errors = 0;
    for (auto it = table.cbegin(); it != table.cend(); ++it) {
        if (!paths.contains(it.key())) {
            std::fprintf(stderr, "imagegen: drawing for a path not in the list: %s\n", qPrintable(it.key()));
            ++errors;
        }
    }
    for (const QString& path : paths) {
        ResourcePlace place;
        if (!splitResourcePath(path, &place)) {
            std::fprintf(stderr, "imagegen: malformed resource path: %s\n", qPrintable(path));
            ++errors;
            continue;
        }
        const auto maker = table.constFind(path);
        if (maker == table.cend()) {
            std::fprintf(stderr, "imagegen: no drawing for %s\n", qPrintable(path));
            ++errors;
            continue;
        }
        const QImage image = (*maker)();
        const QString fileName = root.filePath(place.file);
        if (image.isNull() || !QDir().mkpath(QFileInfo(fileName).path()) || !savePng(image, fileName)) {
            std::fprintf(stderr, "imagegen: cannot write %s\n", qPrintable(fileName));
            ++errors;
        }
    }
    if (errors == 0 && !writeResourceFile(root.filePath(QStringLiteral("images.qrc")), paths)) {
        std::fprintf(stderr, "imagegen: cannot write %s\n", qPrintable(root.filePath(QStringLiteral("images.qrc"))));
        ++errors;
    }
    if (errors > 0)
        return 1;
    std::printf("imagegen: %d images written to %s\n", int(paths.size()), qPrintable(root.absolutePath()));
    return 0;
}
