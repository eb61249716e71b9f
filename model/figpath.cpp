#include "model/figpath.h"

#include "app/statusmessages.h"
#include "model/figpoint.h"
#include "model/objectlist.h"

FigPath::~FigPath()
{
    freePointList(points);
}

FigPoint* FigPath::predecessor(const FigPoint* point) const
{
    if (!point)
        return nullptr;
    for (FigPoint* p = points; p; p = p->next) {
        if (p->next == point)
            return p;
    }
    return nullptr;
}

int FigPath::indexOf(const FigPoint* point) const
{
    int index = 0;
    for (const FigPoint* p = points; p; p = p->next, ++index) {
        if (p == point)
            return index;
    }
    return -1;
}

int FigPath::pointCount() const
{
    int count = 0;
    for (const FigPoint* p = points; p; p = p->next)
        ++count;
    return count;
}

FigPoint* FigPath::pointAt(int n) const
{
    if (n < 0)
        return nullptr;
    FigPoint* p = points;
    for (; p && n > 0; --n)
        p = p->next;
    return p;
}

bool FigPath::copyChainInto(FigPath& copy) const
{
    if (!points)
        return true;
    copy.points = points->cloneList(true);
    if (!copy.points) {
        showStatusMessage("Running out of memory.");
        return false;
    }
    return true;
}
