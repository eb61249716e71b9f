// Pictures: loading their images (image files that Qt reads directly, EPS
// and PostScript files through a Ghostscript preview when the preferences
// allow it), keeping the cached image turned and mirrored to the box, and
// drawing it or the placeholder. The cached image belongs to the picture's
// data.

#include "render/pictures.h"
#include "app/externalprograms.h"
#include "app/preferences.h"
#include "app/statusmessages.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figpoint.h"
#include "model/figtext.h"
#include "model/picturedata.h"
#include "model/units.h"
#include "render/colors.h"
#include "render/picturefile.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QTransform>

#include <memory>

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

// The first and the third point of the chain (opposite corners of the box);
// false for a chain of fewer than three points.
bool pictureCorners(const FigLine* picture, const FigPoint*& first, const FigPoint*& third)
{
    if (!picture || !picture->points || !picture->points->next || !picture->points->next->next)
        return false;
    first = picture->points;
    third = picture->points->next->next;
    return true;
}

// The orientation of the box from where the opposite corner lies on the
// canvas (y down): below-right 0, above-right 90, above-left 180,
// below-left 270.
int boxRotation(const QPoint& first, const QPoint& third)
{
    if (third.x() >= first.x())
        return third.y() >= first.y() ? 0 : 90;
    return third.y() < first.y() ? 180 : 270;
}

void transformPicture(PictureData* data, const QTransform& transform)
{
    *data->pixmap = data->pixmap->transformed(transform, Qt::FastTransformation);
}

} // namespace

QString resolvePictureFileName(const QString& pictureName, const QString& documentFileName)
{
    // A relative name means the document's folder; without a folder in the
    // document's name it is left to the current directory, which the
    // document window sets to the document's folder.
    const int separator = documentFileName.lastIndexOf(QDir::separator());
    if (pictureName.isEmpty() || !QFileInfo(pictureName).isRelative() || separator < 0)
        return pictureName;
    return documentFileName.left(separator) + QDir::separator() + pictureName;
}

bool CFigContext::readPicture(FigLine* picture, PictureData* data)
{
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
    if (picture)
        pictureScreenSize(picture, &data->boxWidth, &data->boxHeight);
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
    if (!data)
        return false;
    data->imageType = imageTypeOf(data->fileName);
    if (data->fileName.isEmpty())
        return false;
    // Every kind of file, EPS included, is looked up beside the document.
    const QString path = resolvePictureFileName(data->fileName, fileName);
    QImage image;
    if (data->imageType == 1) {
        if (!preferences.generateEpsPreview)
            return false;
        const QString previewName = preferences.epsPreviewFileType == QLatin1String("jpeg")
            ? QStringLiteral("tavreltemppic.jpg")
            : QStringLiteral("tavreltemppic.png");
        image = epsPreviewImage(path, previewName, preferences.epsPreviewFileType, preferences.epsPreviewResolution);
    } else {
        image = readPictureImage(path);
    }
    if (image.isNull())
        return false;
    data->pixmap = new QPixmap(QPixmap::fromImage(std::move(image)));
    data->pixmapWidth = data->pixmap->width();
    data->pixmapHeight = data->pixmap->height();
    return true;
}

void CFigContext::pictureSizeFig(const FigLine* picture, int* width, int* height) const
{
    const FigPoint* first = nullptr;
    const FigPoint* third = nullptr;
    if (!pictureCorners(picture, first, third)) {
        *width = *height = 0;
        return;
    }
    *width = clampToInt(std::llabs(std::int64_t(first->x) - third->x));
    *height = clampToInt(std::llabs(std::int64_t(first->y) - third->y));
}

void CFigContext::pictureScreenSize(const FigLine* picture, int* width, int* height) const
{
    const FigPoint* first = nullptr;
    const FigPoint* third = nullptr;
    if (!pictureCorners(picture, first, third)) {
        *width = *height = 0;
        return;
    }
    *width = clampToInt(std::llabs(std::int64_t(figToPixelX(first->x)) - figToPixelX(third->x)));
    *height = clampToInt(std::llabs(std::int64_t(figToPixelY(first->y)) - figToPixelY(third->y)));
}

void CFigContext::drawPicture(FigLine* picture)
{
    const FigPoint* first = nullptr;
    const FigPoint* third = nullptr;
    if (!painter || !pictureCorners(picture, first, third))
        return;
    const QPoint p1 = figToPixelPoint(first->x, first->y);
    const QPoint p3 = figToPixelPoint(third->x, third->y);
    const int left = qMin(p1.x(), p3.x());
    const int top = qMin(p1.y(), p3.y());
    int width = 0;
    int height = 0;
    pictureScreenSize(picture, &width, &height);

    PictureData* data = picture->picture;
    const int r = boxRotation(p1, p3);
    if (data && data->pixmap && (r != data->rotation || data->flipped != data->pixmapFlipped)) {
        // The cached image shows the loaded one transposed when flipped, then
        // turned by its rotation; one transformation brings it to the box.
        if (data->flipped == data->pixmapFlipped) {
            const int d = r - data->rotation;
            if (d == 180 || d == -180) {
                picture->mirrorPictureHorizontally();
                picture->mirrorPictureVertically();
            } else {
                picture->rotatePicture(d);
            }
        } else {
            switch ((data->rotation + r) % 360) {
            case 0:
                picture->rotatePicture(-90);
                picture->mirrorPictureHorizontally();
                break;
            case 90:
                picture->mirrorPictureVertically();
                break;
            case 180:
                picture->rotatePicture(90);
                picture->mirrorPictureHorizontally();
                break;
            default:
                picture->mirrorPictureHorizontally();
                break;
            }
        }
        data->rotation = r;
        data->pixmapFlipped = data->flipped;
        data->boxWidth = width;
        data->boxHeight = height;
    }

    if (!data || !data->pixmap || data->pixmap->isNull()) {
        drawPicturePlaceholder(picture, left, top, width, height);
        return;
    }
    // An empty target would make Qt draw the image at its own size.
    if (width > 0 && height > 0)
        painter->drawPixmap(left, top, width, height, *data->pixmap);
}

void CFigContext::drawPicturePlaceholder(FigLine* picture, int left, int top, int width, int height)
{
    if (!painter || !picture)
        return;
    drawLineObject(picture, DrawNormal);

    auto name = std::make_unique<FigText>(-1);
    name->font = 0;
    name->fontSize = 12;
    name->subType = 0;
    name->angle = 0.0f;
    name->color = 0;
    name->depth = 0;
    name->text = picture->picture ? fileNameOfPath(picture->picture->fileName) : QString();
    computeTextMetrics(name.get(), zoom);
    const int tw = roundToInt(float(name->width) * canvasScaleX());
    if (width > tw && float(height) > 12.0f * zoom) {
        const int px = left + width / 2 - tw / 2;
        const int py = top + height / 2 + roundToInt(6.0f * zoom);
        drawPlainText(pixelToFigX(px), pixelToFigY(py), DrawNormal, name.get());
    }
}

// ---- Transformations of the cached image ----

void FigLine::rotatePicture(int degrees)
{
    if (!picture || !picture->pixmap)
        return;
    std::swap(picture->pixmapWidth, picture->pixmapHeight);
    // The painter's angles turn clockwise on the screen.
    transformPicture(picture, QTransform().rotate(-degrees, Qt::ZAxis));
}

void FigLine::mirrorPictureHorizontally()
{
    if (!picture || !picture->pixmap)
        return;
    transformPicture(picture, QTransform().rotate(180, Qt::YAxis));
}

void FigLine::mirrorPictureVertically()
{
    if (!picture || !picture->pixmap)
        return;
    transformPicture(picture, QTransform().rotate(180, Qt::XAxis));
}
