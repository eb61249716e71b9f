#include "model/figline.h"

#include "model/figpoint.h"
#include "model/picturedata.h"

#include <QPixmap>

#include <memory>
#include <new>

FigLine::FigLine(int objectId)
{
    type = Polyline;
    id = objectId;
}

FigLine::~FigLine()
{
    // The picture goes before the chain (FigPath) and the common part.
    delete picture;
}

FigObject* FigLine::clone() const
{
    std::unique_ptr<FigLine> copy;
    try {
        copy = std::make_unique<FigLine>(id);
        copy->copyAttributes(*this);
        copy->capStyle = capStyle;
        copy->joinStyle = joinStyle;
        copy->radius = radius;
        cloneArrowsInto(*copy);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (!copyChainInto(*copy))
        return nullptr;
    try {
        if (picture) {
            copy->picture = new PictureData;
            PictureData& to = *copy->picture;
            to.fileName = picture->fileName;
            to.imageType = picture->imageType;
            to.flipped = picture->flipped;
            to.rotation = picture->rotation;
            to.boxWidth = picture->boxWidth;
            to.boxHeight = picture->boxHeight;
            to.pixmapFlipped = picture->pixmapFlipped;
            if (picture->pixmap) {
                to.pixmap = new QPixmap(*picture->pixmap);
                to.pixmapWidth = picture->pixmapWidth;
                to.pixmapHeight = picture->pixmapHeight;
            }
        }
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    copy->selected = selected;
    copy->markerState = markerState;
    return copy.release();
}

FigPoint* FigLine::findCorner(bool largestX, bool largestY) const
{
    if (!points)
        return nullptr;
    FigPoint* candidate = points;
    for (FigPoint* p = points->next; p; p = p->next) {
        const bool farX = largestX ? p->x >= candidate->x : p->x <= candidate->x;
        const bool farY = largestY ? p->y >= candidate->y : p->y <= candidate->y;
        if (farX && farY)
            candidate = p;
    }
    // A closed chain repeats its first point: report the first, not the copy.
    if (candidate->x == points->x && candidate->y == points->y)
        return points;
    return candidate;
}

FigPoint* FigLine::upperLeftCorner() const
{
    return findCorner(false, false);
}

FigPoint* FigLine::upperRightCorner() const
{
    return findCorner(true, false);
}

FigPoint* FigLine::lowerLeftCorner() const
{
    return findCorner(false, true);
}

FigPoint* FigLine::lowerRightCorner() const
{
    return findCorner(true, true);
}

int FigLine::boxWidth() const
{
    const FigPoint* ul = upperLeftCorner();
    const FigPoint* lr = lowerRightCorner();
    return ul && lr ? lr->x - ul->x : 0;
}

int FigLine::boxHeight() const
{
    const FigPoint* ul = upperLeftCorner();
    const FigPoint* lr = lowerRightCorner();
    return ul && lr ? lr->y - ul->y : 0;
}

int FigLine::centerX() const
{
    const FigPoint* ul = upperLeftCorner();
    const FigPoint* lr = lowerRightCorner();
    return ul && lr ? ul->x + (lr->x - ul->x) / 2 : 0;
}

int FigLine::centerY() const
{
    const FigPoint* ul = upperLeftCorner();
    const FigPoint* lr = lowerRightCorner();
    return ul && lr ? ul->y + (lr->y - ul->y) / 2 : 0;
}
