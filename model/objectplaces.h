#pragma once
// The places of chosen objects in a drawing's object tree, by identifier,
// found in one walk rather than in one search per object (which a list of
// thousands of objects could not afford). An identifier's place is the first
// one in the order the tree is searched: an object, then a compound's members
// before the objects after it.

#include "model/figobjectlist.h"

#include <QHash>
#include <QSet>

class FigObject;

class ObjectPlaces {
public:
    // The places of the identifiers `wanted` in `objects` and the compounds
    // in it. -1 marks an object without identifier and has no place.
    ObjectPlaces(FigObjectList* objects, const QSet<int>& wanted);

    // Puts `object` into the place of its identifier: the members of a
    // compound taken out lose their places, those of a compound put in are
    // found there. Gives the object that was in the place (`object` itself
    // when it was there already, and then nothing changes) and the place in
    // `where`; nullptr when the identifier has no place.
    FigObject* replace(FigObject* object, FigObjectList::iterator* where = nullptr);

private:
    void note(FigObjectList* objects);
    void forget(const FigObjectList* objects);

    QSet<int> wanted;
    QHash<int, FigObjectList::iterator> places;
};
