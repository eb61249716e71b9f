#pragma once
// The exact boxes (text descents and line widths included) of a drawing's
// top-level objects, measured in one walk and kept while the drawing holds
// still: a drag's first step, a redraw or a scroll range asks here instead
// of measuring every object again. The boxes are kept against the
// document's change count (CFigContext::drawingChangeCount), which every
// change of an object bumps, and against the resolution; after a zoom only
// the objects whose box follows the zoom (texts, and compounds holding
// texts) are measured again. An object that is not a top-level object of
// the drawing as it stood at the last walk (a clone, a member) is measured
// each time it is asked for. The test build checks every box it hands out
// against a measurement.

#include "model/figobjectlist.h"

#include <QHash>

class CFigContext;
class FigObject;

class BoundsCache {
public:
    // The object's box as FigObject::getBounds gives it with text descents
    // and line widths: the kept one when the boxes are up to date and the
    // object has one, else measured now.
    void bounds(CFigContext& context, FigObject* object, int& xmin, int& ymin, int& xmax, int& ymax);
    // The union of the boxes of the list's objects, as
    // CFigContext::getObjectListBounds gives it with text descents and line
    // widths; 0, 0, 0, 0 for none.
    void listBounds(CFigContext& context, const FigObjectList* list, int& xmin, int& ymin, int& xmax, int& ymax);
    // The union of the boxes of the drawing's top-level objects, as
    // CFigContext::getObjectListBounds gives it; 0, 0, 0, 0 for none.
    void drawingBounds(CFigContext& context, int& xmin, int& ymin, int& xmax, int& ymax);
    // Brings the kept boxes up to the drawing and the view: a walk of the
    // drawing when it changed, of the zoom-bound objects when only the zoom
    // did. Whoever swaps clones into the drawing's places calls it before.
    void refresh(CFigContext& context);
    // Forgets every box (the drawing goes).
    void clear();
    // Whether the kept boxes are those of the drawing and the view as they
    // are.
    bool fresh(const CFigContext& context) const;
    // Whether the object's box is kept (a test seam).
    bool holds(const FigObject* object) const { return boxes.contains(object); }

private:
    struct Box {
        int xmin, ymin, xmax, ymax;
        bool followsZoom;
    };
    void measure(CFigContext& context, FigObject* object, Box& box);
    bool sameDrawingAs(const CFigContext& context) const;
    void unite();

    QHash<const FigObject*, Box> boxes;
    bool valid = false;
    unsigned long long changeCount = 0;
    size_t listSize = 0;
    float dpiX = 0;
    float dpiY = 0;
    float zoom = 0;
    bool typeset = false;
    int unionBox[4] = { 0, 0, 0, 0 };
};
