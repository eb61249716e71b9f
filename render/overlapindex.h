#pragma once
// The boxes of a drawing's top-level objects, taken once while the drawing
// holds still (a drag: the pointer moves, the drawing does not), so that a
// rectangle redraw finds the objects meeting its rectangle without measuring
// every object again. Objects that change meanwhile (the dragged ones, the
// lines stretching with them and the compounds holding such lines) are
// measured at every query instead. The entries name the places in the
// top-level list, so a clone put in an object's place is what a query sees.

#include "model/figobjectlist.h"

#include <QSet>

#include <vector>

class CFigContext;
class FigObject;

class OverlapIndex {
public:
    // Measures every top-level object of the context's drawing at its view;
    // a top-level object that is, or holds at any nesting, one of `changing`
    // is measured at every query.
    void build(CFigContext& context, const QSet<const FigObject*>& changing);
    void clear();
    // Whether the index was built for this drawing at this view and the
    // top-level list still has its length.
    bool fits(const CFigContext& context) const;
    bool builtFor(const CFigContext* context) const { return owner == context; }
    // The objects now at the indexed places whose boxes meet the rectangle
    // as CFigContext::objectOverlapsRect tests it, in list order.
    void overlapping(CFigContext& context, int x1, int y1, int x2, int y2, std::vector<FigObject*>& out) const;

private:
    // The boxes lie in one array, so that a query reads little memory; an
    // object that holds still is read through `object`, one that changes
    // through its place.
    struct Entry {
        FigObject* object;
        FigObjectList::iterator at;
        int x0, y0, x1, y1;
        bool measuredEachTime;
    };
    std::vector<Entry> entries;
    const CFigContext* owner = nullptr;
    size_t listSize = 0;
    float zoom = 0;
    float dpiX = 0;
    float dpiY = 0;
};

// The index a drag preview lends its rectangle redraws while it draws; null
// otherwise. Not owned.
extern const OverlapIndex* activeOverlapIndex;

// CFigContext::redrawRect (object left out when omit is set, or none) with
// the top-level objects meeting the rectangle taken from the index; the
// others are not looked at, keep their skip flags and show no markers.
void redrawIndexedRect(
    CFigContext& context, const OverlapIndex& index, int x1, int y1, int x2, int y2, FigObject* object, bool omit);
