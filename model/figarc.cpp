#include "model/figarc.h"

#include <memory>
#include <new>

FigArc::FigArc(int objectId)
{
    type = Arc;
    id = objectId;
}

FigObject* FigArc::clone() const
{
    try {
        auto copy = std::make_unique<FigArc>(id);
        copy->copyAttributes(*this);
        copy->capStyle = capStyle;
        copy->direction = direction;
        copy->centerX = centerX;
        copy->centerY = centerY;
        for (int i = 0; i < 3; ++i) {
            copy->points[i].x = points[i].x;
            copy->points[i].y = points[i].y;
            copy->points[i].markerState = points[i].markerState;
        }
        cloneArrowsInto(*copy);
        copy->selected = selected;
        copy->markerState = markerState;
        return copy.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
