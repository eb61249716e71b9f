// The library dialog's loaded clips: a clip file, or the objects of a new
// clip, in a window-less context of their own, moved to the origin, wrapped
// into one compound when there are several, and painted as a thumbnail that
// the longer side of the clip fills (a tiny clip magnified four times at
// most).
#include "library/librarydlg.h"

#include "app/preferences.h"
#include "app/statusmessages.h"
#include "library/librarystore.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/objectlist.h"
#include "model/transforms.h"
#include "model/units.h"
#include "render/canvasmapping.h"
#include "render/colors.h"

#include "ui_librarydlg.h"

#include <QDir>
#include <QFileInfo>
#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QSet>

#include <algorithm>

namespace {

// The largest magnification of a thumbnail.
constexpr float maxThumbnailZoom = 4.0f;

std::unique_ptr<CFigContext> newClipContext(const QPaintDevice* device)
{
    auto clip = std::make_unique<CFigContext>();
    clip->dpiX = static_cast<float>(device->logicalDpiX());
    clip->dpiY = static_cast<float>(device->logicalDpiY());
    clip->showAllDepths();
    clip->clearDepthObjectCounts();
    return clip;
}

// Makes the objects the members of one new compound, which becomes the only
// object of the list. Its identifier follows every identifier in use.
void wrapInCompound(CFigContext* clip, FigObjectList& objects)
{
    clip->nextId = std::max(clip->nextId, maxObjectId(&objects));
    auto* compound = new FigCompound(clip->nextObjectId());
    compound->members->splice(compound->members->end(), objects);
    compound->getBounds(
        clip, compound->upperLeft.x, compound->upperLeft.y, compound->lowerRight.x, compound->lowerRight.y, true, true);
    objects.push_back(compound);
}

void collectColorNumbers(const FigObjectList* objects, QSet<int>& numbers)
{
    for (const FigObject* object : *objects) {
        numbers << object->penColor << object->fillColor;
        if (object->type == FigObject::Compound)
            collectColorNumbers(static_cast<const FigCompound*>(object)->members, numbers);
    }
}

// The user colours of `source` that the objects use, with their numbers, so
// that a clip is written with the colours it shows.
void copyUsedUserColors(const FigDrawing& source, const FigObjectList& objects, FigDrawing& target)
{
    QSet<int> numbers;
    collectColorNumbers(&objects, numbers);
    for (auto it = source.userColors.constBegin(); it != source.userColors.constEnd(); ++it) {
        if (!numbers.contains(it.key() + standardColorCount))
            continue;
        auto table = std::make_unique<ShadeTable>();
        buildColorShades(*table, it.value().red(), it.value().green(), it.value().blue());
        target.userColors.insert(it.key(), it.value());
        target.userShades.insert(it.key(), table.release());
    }
}

// Moves the drawing so that its box starts at (0, 0); the stored box is the
// moved one afterwards. The outline of a line with a width is rounded half
// away from zero, so after the move a box may still start a unit left of or
// above the origin: it then moves on until it starts at 0 or just right of it.
// A clip file never holds a figure off the page, which every reader would
// shift back by a whole grid step.
void moveToOrigin(CFigContext* clip, int left, int top)
{
    FigDrawing& drawing = clip->drawing;
    int dx = -left;
    int dy = -top;
    for (int pass = 0; pass < 4 && (dx != 0 || dy != 0); ++pass) {
        translateObjectList(&drawing.objects, dx, dy);
        drawing.getBounds(
            clip, drawing.upperLeft.x, drawing.upperLeft.y, drawing.lowerRight.x, drawing.lowerRight.y, true, true);
        dx = std::max(0, -drawing.upperLeft.x);
        dy = std::max(0, -drawing.upperLeft.y);
    }
}

// The path without its extension, for the reading messages.
QByteArray withoutExtension(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    return (suffix.isEmpty() ? path : path.left(path.size() - suffix.size() - 1)).toUtf8();
}

// The clip's extent from `low` to `high` (Fig units, both included) in
// pixels at the zoom, as the canvas maps it.
int pixelExtent(float dpi, float zoom, int low, int high)
{
    const float units = static_cast<float>(double(high) - double(low) + 1.0);
    return roundToInt(static_cast<double>(canvasScale(dpi, zoom) * units));
}

} // namespace

QPixmap LibraryDlg::blankThumbnail() const
{
    QPixmap pixmap(ui->thumbnails->iconSize());
    pixmap.fill(Qt::white);
    return pixmap;
}

CFigContext* LibraryDlg::loadClip(const QString& path, QPaintDevice* device)
{
    if (!device)
        return nullptr;
    std::unique_ptr<CFigContext> clip = newClipContext(device);
    FigDrawing& drawing = clip->drawing;
    if (clip->readFigFile(path, &drawing, true, 0, 0) != 0) {
        showFormattedStatusMessage("Error reading %s.fig", withoutExtension(path).constData());
        return nullptr;
    }
    if (drawing.objects.empty()) {
        showFormattedStatusMessage("Empty library file: %s.fig, ignoring", withoutExtension(path).constData());
        return nullptr;
    }
    if (drawing.objects.size() > 1)
        wrapInCompound(clip.get(), drawing.objects);
    moveToOrigin(clip.get(), drawing.upperLeft.x, drawing.upperLeft.y);
    clip->addObjectsToDepths(&drawing.objects);
    fitAndPaint(clip.get(), device);
    return clip.release();
}

CFigContext* LibraryDlg::makeThumbnail(FigObjectList* objects, QPaintDevice* device, const FigDrawing* source)
{
    if (!objects || objects->empty() || !device)
        return nullptr;
    std::unique_ptr<CFigContext> clip = newClipContext(device);
    FigDrawing& drawing = clip->drawing;
    if (source)
        copyUsedUserColors(*source, *objects, drawing);
    if (objects->size() == 1) {
        drawing.objects.push_back(objects->front());
    } else {
        wrapInCompound(clip.get(), *objects);
        drawing.objects.push_back(objects->front());
    }
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    drawing.getBounds(clip.get(), left, top, right, bottom, true, true);
    moveToOrigin(clip.get(), left, top);
    clip->addObjectsToDepths(&drawing.objects);
    fitAndPaint(clip.get(), device);
    return clip.release();
}

void LibraryDlg::fitAndPaint(CFigContext* clip, QPaintDevice* device)
{
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    clip->drawing.getBounds(clip, x1, y1, x2, y2, true, true);
    const float zoom = clip->zoom;
    const int w = pixelExtent(clip->dpiX, zoom, x1, x2);
    const int h = pixelExtent(clip->dpiY, zoom, y1, y2);
    const QSize icon = ui->thumbnails->iconSize();
    const bool wide = w > h;
    const int side = (wide ? icon.width() : icon.height()) - 1;
    const int extent = wide ? pixelExtent(clip->dpiX, zoom, x1, x2) : pixelExtent(clip->dpiY, zoom, y1, y2);
    // A clip smaller than half a pixel is fitted as if it were one pixel. A
    // clip far smaller than the thumbnail is not blown up to fill it: a dot
    // (a polyline of one point) is as large as its line width, and that pen
    // drawn 59 times as wide would paint the whole thumbnail black.
    const float fitted = static_cast<float>(side) / static_cast<float>(std::max(extent, 1));
    clip->zoom = std::min(fitted, maxThumbnailZoom);

    QPainter painter;
    clip->setPainter(&painter);
    if (painter.begin(device)) {
        const bool useTex = preferences.renderSpecialTextUsingTex;
        preferences.renderSpecialTextUsingTex = preferences.renderLatexInLibraries;
        clip->drawAllObjects();
        preferences.renderSpecialTextUsingTex = useTex;
        painter.end();
    }
    clip->setPainter(nullptr);
}
