#pragma once
// The exact boxes (text descents and line widths included) of a drawing's
// top-level objects, with their places in the list, measured in one walk and
// kept while the drawing holds still: a drag's first step, a redraw or a
// scroll range asks here instead of measuring every object again. The boxes
// are kept against the document's change count
// (CFigContext::drawingChangeCount), which every change of an object bumps,
// and against the resolution; after a zoom only the objects whose box
// follows the zoom (texts and arrowheads, and compounds holding them) are
// measured again.
// An object that is not a top-level object of the drawing as it stood at the
// last walk (a clone, a member) is measured each time it is asked for, and
// so is one holding a special text while such texts are typeset (its image,
// made when it is drawn, gives its width). The test build checks every box
// it hands out against a measurement.

#include "model/figobjectlist.h"

#include <QHash>

#include <vector>

class CFigContext;
class FigObject;

class BoundsCache {
public:
    struct Entry {
        FigObject* object;
        FigObjectList::iterator at; // its place in the drawing's list
        int xmin, ymin, xmax, ymax;
        bool followsZoom;
        // The box may change without the drawing changing (a special text
        // whose LaTeX image comes when it is drawn): measured each time.
        bool measuredEachTime;
    };

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

    // After a refresh, while fresh: the top-level objects in list order, and
    // an object's position among them (-1 for one that is not there).
    const std::vector<Entry>& entries() const { return kept; }
    int indexOf(const FigObject* object) const { return positions.value(object, -1); }
    // The top-level objects that are, or hold at any nesting, a line or
    // spline with a smart-linked point, in list order: where the lines
    // following a moved object are found.
    const FigObjectList& linkingObjects() const { return linking; }
    // Whether some kept box is measured each time.
    bool hasUnsteadyBoxes() const { return unsteady > 0; }

private:
    void measure(CFigContext& context, Entry& entry);
    bool sameDrawingAs(const CFigContext& context) const;
    // The union of the kept boxes, those measured each time measured now.
    void unite(CFigContext& context, int& xmin, int& ymin, int& xmax, int& ymax);

    std::vector<Entry> kept;
    QHash<const FigObject*, int> positions;
    FigObjectList linking;
    int unsteady = 0;
    bool typeset = false;
    bool valid = false;
    unsigned long long changeCount = 0;
    size_t listSize = 0;
    float dpiX = 0;
    float dpiY = 0;
    float zoom = 0;
};
