#include "model/figcompound.h"

#include <memory>
#include <new>

FigCompound::FigCompound(int objectId)
    : members(new FigObjectList)
{
    type = Compound;
    id = objectId;
}

FigCompound::~FigCompound()
{
    for (FigObject* member : *members)
        delete member;
    delete members;
}

FigObject* FigCompound::clone() const
{
    try {
        auto copy = std::make_unique<FigCompound>(id);
        copy->comment = comment;
        copy->upperLeft.x = upperLeft.x;
        copy->upperLeft.y = upperLeft.y;
        copy->upperLeft.markerState = upperLeft.markerState;
        copy->lowerRight.x = lowerRight.x;
        copy->lowerRight.y = lowerRight.y;
        copy->lowerRight.markerState = lowerRight.markerState;
        for (const FigObject* member : *members) {
            std::unique_ptr<FigObject> memberCopy(member->clone());
            if (!memberCopy)
                return nullptr; // the members copied so far go with `copy`
            copy->members->push_back(memberCopy.get());
            memberCopy.release();
        }
        copy->selected = selected;
        copy->markerState = markerState;
        return copy.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
