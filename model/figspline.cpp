#include "model/figspline.h"

#include "app/statusmessages.h"
#include "model/figpoint.h"
#include "model/objectlist.h"

#include <memory>
#include <new>

ShapeFactorNode* ShapeFactorNode::cloneList() const
{
    ShapeFactorNode* head = nullptr;
    ShapeFactorNode* tail = nullptr;
    try {
        for (const ShapeFactorNode* n = this; n; n = n->next) {
            auto* copy = new ShapeFactorNode;
            copy->value = n->value;
            if (tail)
                tail->next = copy;
            else
                head = copy;
            tail = copy;
        }
    } catch (const std::bad_alloc&) {
        freeShapeFactorList(head);
        return nullptr;
    }
    return head;
}

FigSpline::FigSpline(int objectId)
{
    type = Spline;
    id = objectId;
}

FigSpline::~FigSpline()
{
    // The shape factors go before the chain (FigPath) and the common part.
    freeShapeFactorList(shapeFactors);
}

FigObject* FigSpline::clone() const
{
    std::unique_ptr<FigSpline> copy;
    try {
        copy = std::make_unique<FigSpline>(id);
        copy->copyAttributes(*this);
        copy->capStyle = capStyle;
        cloneArrowsInto(*copy);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (!copyChainInto(*copy))
        return nullptr;
    if (shapeFactors) {
        copy->shapeFactors = shapeFactors->cloneList();
        if (!copy->shapeFactors) {
            showStatusMessage("Running out of memory.");
            return nullptr;
        }
    }
    copy->selected = selected;
    copy->markerState = markerState;
    return copy.release();
}

ShapeFactorNode* FigSpline::shapeFactorAt(int n) const
{
    if (n < 0)
        return nullptr;
    ShapeFactorNode* node = shapeFactors;
    for (; node && n > 0; --n)
        node = node->next;
    return node;
}
