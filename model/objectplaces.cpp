#include "model/objectplaces.h"

#include "model/figcompound.h"
#include "model/figobject.h"

ObjectPlaces::ObjectPlaces(FigObjectList* objects, const QSet<int>& wanted)
    : wanted(wanted)
{
    // -1 is no identifier: objects without one have no place to stand in.
    this->wanted.remove(-1);
    note(objects);
}

FigObject* ObjectPlaces::replace(FigObject* object, FigObjectList::iterator* where)
{
    auto found = places.find(object->id);
    if (found == places.end())
        return nullptr;
    const FigObjectList::iterator at = found.value();
    if (where)
        *where = at;
    FigObject* old = *at;
    if (old == object)
        return old;
    *at = object;
    if (old->type == FigObject::Compound)
        forget(static_cast<FigCompound*>(old)->members);
    if (object->type == FigObject::Compound)
        note(static_cast<FigCompound*>(object)->members);
    return old;
}

void ObjectPlaces::note(FigObjectList* objects)
{
    for (auto it = objects->begin(); it != objects->end(); ++it) {
        const int id = (*it)->id;
        if (wanted.contains(id) && !places.contains(id))
            places.insert(id, it);
        if ((*it)->type == FigObject::Compound)
            note(static_cast<FigCompound*>(*it)->members);
    }
}

void ObjectPlaces::forget(const FigObjectList* objects)
{
    for (const FigObject* member : *objects) {
        auto found = places.find(member->id);
        if (found != places.end() && *found.value() == member)
            places.erase(found);
        if (member->type == FigObject::Compound)
            forget(static_cast<const FigCompound*>(member)->members);
    }
}
