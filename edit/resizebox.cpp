// Resizing a box or picture to a given width and height, the operation behind
// the picture dialog's size buttons and the scripts' pictures.

#include "model/figcontext.h"
#include "model/figline.h"
#include "model/movelinepointaction.h"
#include "model/units.h"

#include <climits>
#include <cstdint>
#include <cstdlib>

namespace {

// The move of the third point along one axis that makes the side `size` long,
// keeping the first point: away from it or towards it.
int sideChange(int first, int third, int size)
{
    const std::int64_t side = std::llabs(static_cast<std::int64_t>(third) - first);
    return clampToInt(first < third ? size - side : side - size);
}

} // namespace

void CFigContext::resizeBox(FigLine* box, int width, int height)
{
    if (!box)
        return;
    FigPoint* first = box->points;
    FigPoint* third = box->pointAt(2);
    if (!first || !third)
        return;
    const int dx = sideChange(first->x, third->x, width);
    const int dy = sideChange(first->y, third->y, height);
    // The action collects the lines smart-linked to the box itself.
    auto* action = new MoveLinePointAction(objects(), box, third, dx, dy);
    action->redo(this);
    undoHistory.pushAction(action);
}
