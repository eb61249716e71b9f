#pragma once
// The coordinates and shape values of some objects as they were at one
// moment, to be put back exactly later: points, centres, radii, corners,
// ellipse sub-types that follow the shape, the sub-type and corner radius of
// polylines (a turn makes a box a polygon), a picture's mirrored flag, font
// sizes with their metrics. Holds plain values and pointers to the objects
// (not owned).

#include "model/figobjectlist.h"

#include <QVector>

class FigObject;

class GeometrySnapshot {
public:
    // Records the object (a compound with its corners and all members).
    void capture(FigObject* object);
    void captureList(const FigObjectList* list);
    // Puts every recorded value back, in recording order. An object whose
    // point chain or member list no longer has the recorded length keeps
    // the values from there on.
    void restore() const;
    void clear();
    bool isEmpty() const { return objects.isEmpty(); }

private:
    struct Entry {
        FigObject* object; // not owned
        int firstInt; // where its values begin
        int firstFloat;
    };
    QVector<Entry> objects;
    QVector<int> ints;
    QVector<float> floats;
};
