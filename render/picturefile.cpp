#include "render/picturefile.h"

#include "app/externalprograms.h"
#include "app/messagebox.h"
#include "app/preferences.h"
#include "app/privatefolder.h"
#include "app/regularfile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// The name Ghostscript reads the picture by: never the drawing's own name,
// which could hold Ghostscript options or its %pipe% device.
const char ghostscriptInput[] = "picture.eps";

bool tooLarge(const QSize& size)
{
    return qint64(size.width()) * size.height() > maxPictureImageBytes / 4;
}

} // namespace

QImage readPictureImage(const QString& path)
{
    QFile file;
    if (!openRegularFile(file, path, QIODevice::ReadOnly, LinkHandling::Follow))
        return QImage();
    // The opened file has lost its name; the extension still guides the
    // choice of reader as it does for a file read by name.
    QImageReader reader(&file, QFileInfo(path).suffix().toLower().toLatin1());
    // Readers that know the size from the header are stopped before they
    // decode; the others are checked after.
    if (tooLarge(reader.size()))
        return QImage();
    QImage image = reader.read();
    if (tooLarge(image.size()))
        return QImage();
    return image;
}

QImage epsPreviewImage(const QString& path, const QString& previewName, const QString& device, int resolution)
{
    QFile file;
    if (!openRegularFile(file, path, QIODevice::ReadOnly, LinkHandling::Follow))
        return QImage();
    file.close();
    // A new folder for every preview: two editors, or two documents read at
    // once, never share a preview, and nobody else can put a file or a link
    // in its place.
    const std::unique_ptr<QTemporaryDir> folder = makePrivateFolder(QStringLiteral("tavrel-picture-"));
    if (!folder)
        return QImage();
    const QString input = folder->filePath(QLatin1String(ghostscriptInput));
    const QString target = QFileInfo(path).canonicalFilePath();
    // A folder that holds no links (a memory stick) gets a copy instead.
    if (target.isEmpty() || (!QFile::link(target, input) && !QFile::copy(target, input)))
        return QImage();
    runGhostscript(folder->path(), QLatin1String(ghostscriptInput), previewName, device, resolution);
    return readPictureImage(folder->filePath(previewName));
}

bool runGhostscript(
    const QString& folder, const QString& input, const QString& output, const QString& device, int resolution)
{
    const QStringList options { QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"),
        QStringLiteral("-dNOPAUSE"), QStringLiteral("-sDEVICE=") + device,
        QStringLiteral("-r") + QString::number(resolution), QStringLiteral("-dEPSCrop") };
    const QStringList arguments = options + QStringList { QStringLiteral("-sOutputFile=") + output, input };
    QProcess process;
    // A PostScript file that asks for input must not hold the program up.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setWorkingDirectory(folder);
    process.start(preferences.ghostscriptLocation, arguments, QIODevice::ReadWrite);
    const bool started = process.waitForStarted(externalCommandDefaultTimeout);
    if (!started
        || (!process.waitForFinished(externalCommandDefaultTimeout) && process.state() != QProcess::NotRunning)) {
        if (started) {
            process.kill();
            process.waitForFinished(externalCommandDefaultTimeout);
        }
        // Only for reading: the program and the arguments it was given.
        MessageBoxRequest box;
        box.text = QStringLiteral("Could not execute '\"%1\" %2 -sOutputFile=\"%3\" \"%4\"'")
                       .arg(preferences.ghostscriptLocation, options.join(QLatin1Char(' ')), output, input);
        showMessageBox(box);
        return false;
    }
    return true;
}
