#include "model/figpoint.h"

#include "model/objectlist.h"

#include <new>

FigPoint::~FigPoint()
{
    delete link;
}

FigPoint* FigPoint::cloneList(bool withLinks) const
{
    FigPoint* head = nullptr;
    FigPoint* tail = nullptr;
    try {
        for (const FigPoint* p = this; p; p = p->next) {
            auto* copy = new FigPoint(p->x, p->y);
            copy->markerState = p->markerState;
            if (tail)
                tail->next = copy;
            else
                head = copy;
            tail = copy;
            if (withLinks && p->link) {
                copy->link = new SmartLink(*p->link);
                copy->link->sourcePoint = copy;
                copy->link->pinned = false;
            }
        }
    } catch (const std::bad_alloc&) {
        freePointList(head);
        return nullptr;
    }
    return head;
}
