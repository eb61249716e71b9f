#include "model/figellipse.h"

#include <memory>
#include <new>

FigEllipse::FigEllipse(int objectId)
{
    type = Ellipse;
    id = objectId;
}

namespace {

void copyPlace(FigPoint& to, const FigPoint& from)
{
    to.x = from.x;
    to.y = from.y;
    to.markerState = from.markerState;
}

} // namespace

FigObject* FigEllipse::clone() const
{
    try {
        auto copy = std::make_unique<FigEllipse>(id);
        copy->copyAttributes(*this);
        copy->angle = angle;
        copy->direction = direction;
        copyPlace(copy->center, center);
        copyPlace(copy->radii, radii);
        copyPlace(copy->start, start);
        copyPlace(copy->end, end);
        copy->selected = selected;
        copy->markerState = markerState;
        return copy.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
