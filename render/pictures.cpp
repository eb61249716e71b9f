// Loading the images of pictures: image files that Qt reads directly, EPS
// and PostScript files through a Ghostscript preview when the preferences
// allow it. The cached image belongs to the picture's data.

#include "render/pictures.h"
#include "app/messagebox.h"
#include "app/preferences.h"
#include "app/statusmessages.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/picturedata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QProcess>

namespace {

int imageTypeOf(const QString& fileName)
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString extension = (dot < 0 ? fileName : fileName.mid(dot + 1)).toLower();
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg"))
        return 3;
    if (extension == QLatin1String("gif"))
        return 2;
    if (extension == QLatin1String("png"))
        return 5;
    if (extension == QLatin1String("bmp"))
        return 9;
    if (extension == QLatin1String("eps") || extension == QLatin1String("ps"))
        return 1;
    if (extension == QLatin1String("emf"))
        return 10;
    if (extension == QLatin1String("tif"))
        return 7;
    return 0;
}

} // namespace

// Runs Ghostscript once; false, after a message box naming the command line,
// when it does not start or finish within 30 seconds.
bool runGhostscript(const QString& input, const QString& output, const QString& device, int resolution)
{
    const QString command = QLatin1Char('"') + QString::fromLatin1(preferences.ghostscriptLocation.toLatin1())
        + QLatin1String("\" -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=") + device + QLatin1String(" -r")
        + QString::number(resolution) + QLatin1String(" -dEPSCrop -sOutputFile=\"") + output + QLatin1String("\" \"")
        + input + QLatin1Char('"');
    const QStringList parts = QProcess::splitCommand(command);
    QProcess process;
    process.start(parts.value(0), parts.mid(1), QIODevice::ReadWrite);
    if (!process.waitForStarted(30000) || !process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished(1000);
        MessageBoxRequest box;
        box.text = QStringLiteral("Could not execute '") + command + QLatin1Char('\'');
        showMessageBox(box);
        return false;
    }
    return true;
}

bool CFigContext::readPicture(FigLine* picture, PictureData* data)
{
    Q_UNUSED(picture) // the box size is recorded when the picture is drawn
    if (!data)
        return false;
    delete data->pixmap;
    data->pixmap = nullptr;
    data->imageType = 0;
    data->pixmapWidth = 0;
    data->pixmapHeight = 0;
    data->rotation = 0;
    data->boxWidth = 0;
    data->boxHeight = 0;
    data->pixmapFlipped = 0;
    showStatusMessage("Reading picture file...");
    const bool loaded = loadPictureImage(data);
    if (loaded)
        showStatusMessage("OK.");
    else if (data->imageType != 0)
        showStatusMessage("could not read image file!");
    else
        showStatusMessage("Unknown image format!");
    return loaded;
}

bool CFigContext::loadPictureImage(PictureData* data)
{
    data->imageType = imageTypeOf(data->fileName);
    QPixmap image;
    if (data->fileName.isEmpty()) {
        return false;
    } else if (data->imageType == 1) {
        if (!preferences.generateEpsPreview)
            return false;
        const QString tempName = preferences.epsPreviewFileType == QLatin1String("jpeg")
            ? QStringLiteral("tavreltemppic.jpg")
            : QStringLiteral("tavreltemppic.png");
        const QString tempDir = QDir::tempPath();
        const QString tempPath = tempDir.isEmpty() ? QString() : tempDir + QDir::separator() + tempName;
        runGhostscript(data->fileName, tempPath, preferences.epsPreviewFileType, preferences.epsPreviewResolution);
        image.load(tempPath);
        QFile::remove(tempPath);
    } else {
        QString path = data->fileName;
        const int separator = fileName.lastIndexOf(QDir::separator());
        if (QFileInfo(path).isRelative() && separator >= 0)
            path = fileName.left(separator) + QDir::separator() + data->fileName;
        image.load(path);
    }
    if (image.isNull())
        return false;
    data->pixmap = new QPixmap(image);
    data->pixmapWidth = image.width();
    data->pixmapHeight = image.height();
    return true;
}
