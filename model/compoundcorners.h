#pragma once
// The corners of every compound of a drawing at one moment, to be put back
// exactly later. An action takes them before its change; its undo puts them
// back, so that a compound whose corners were fitted on the way (around a
// moved member or a line that followed its target) gets the corners it had,
// fitted or not. Holds plain values and pointers to the compounds (not owned).

#include "model/figobjectlist.h"

#include <QSet>
#include <QVector>

class FigCompound;

class CompoundCorners {
public:
    // Records every compound of the list's tree, nested ones included.
    void capture(const FigObjectList* list);
    void restore() const;
    void clear() { entries.clear(); }
    // Keeps only what an undo of the whole step must put back: entries of
    // compounds not yet in `seen` whose corners differ from their corners now.
    // Every compound met is added to `seen`, so that a later action of the
    // same step, whose record holds a value from inside the step, drops it.
    void keepNeeded(QSet<const FigCompound*>& seen);
    bool isEmpty() const { return entries.isEmpty(); }

private:
    struct Entry {
        FigCompound* compound; // not owned
        int x1, y1, x2, y2;
    };
    QVector<Entry> entries;
};
