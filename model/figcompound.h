#pragma once
// A compound (object code 6): a group of objects, which may nest. Owns its
// member list and, through it, the members with their whole subtrees. The
// corners are the box as last computed by the compound bookkeeping.

#include "model/figobject.h"
#include "model/figobjectlist.h"
#include "model/figpoint.h"

class FigCompound : public FigObject {
public:
    explicit FigCompound(int objectId);
    ~FigCompound() override;
    FigObject* clone() const override;
    // Draws the members in list order, each with its own style.
    void draw(CFigContext* context) override;
    // The union of the members' boxes; 0, 0, 0, 0 without members.
    void getBounds(CFigContext* context, int& xmin, int& ymin, int& xmax, int& ymax, bool withTextDescent,
        bool withLineWidth) override;

    FigPoint upperLeft;
    FigPoint lowerRight;
    FigObjectList* members; // owned, never null; the members in drawing order
};
