#include "model/objectlist.h"

#include "model/figcompound.h"
#include "model/figline.h"
#include "model/figobject.h"
#include "model/figpoint.h"
#include "model/figspline.h"
#include "model/figtext.h"

#include <QHash>

#include <algorithm>
#include <memory>
#include <new>

QStringList pendingCommentLines;
std::string savedNumericLocale;

namespace {

FigCompound* asCompound(FigObject* object)
{
    return object && object->type == FigObject::Compound ? static_cast<FigCompound*>(object) : nullptr;
}

// The point chain of a polyline or spline; null for other kinds.
FigPath* asPath(FigObject* object)
{
    if (!object)
        return nullptr;
    if (object->type == FigObject::Polyline)
        return static_cast<FigLine*>(object);
    if (object->type == FigObject::Spline)
        return static_cast<FigSpline*>(object);
    return nullptr;
}

const FigPath* asPath(const FigObject* object)
{
    return asPath(const_cast<FigObject*>(object));
}

void deleteLinksWhere(FigPath* path, const ObjectIdMap& ids, bool whenKnown)
{
    for (FigPoint* p = path->points; p; p = p->next) {
        if (p->link && ids.contains(p->link->targetObjId) == whenKnown) {
            delete p->link;
            p->link = nullptr;
        }
    }
}

// Walk with an early stop: the visitor returns false to end the walk.
template <typename Visitor> bool visitAll(const FigObjectList* list, Visitor& visit)
{
    if (!list)
        return true;
    for (FigObject* object : *list) {
        if (!visit(object))
            return false;
        if (FigCompound* compound = asCompound(object)) {
            if (!visitAll(compound->members, visit))
                return false;
        }
    }
    return true;
}

template <typename Visitor> void visitEach(const FigObjectList* list, Visitor visit)
{
    auto always = [&visit](FigObject* object) {
        visit(object);
        return true;
    };
    visitAll(list, always);
}

} // namespace

// Walks --------------------------------------------------------------------

void forEachObject(const FigObjectList* list, ObjectCallback callback)
{
    visitEach(list, [callback](FigObject* object) { callback(object); });
}

void forEachObjectWith2Args(const FigObjectList* list, ObjectCallbackWith2Args callback, int first, int second)
{
    visitEach(list, [=](FigObject* object) { callback(object, first, second); });
}

void forEachObjectWithFlag(const FigObjectList* list, ObjectCallbackWithFlag callback, bool flag)
{
    visitEach(list, [=](FigObject* object) { callback(object, flag); });
}

void clearSkipRedraw(FigObject* object)
{
    object->skipRedraw = false;
}

void skipIfSelected(FigObject* object)
{
    object->skipRedraw = object->selected;
}

void selectObject(FigObject* object)
{
    object->selected = true;
}

void deselectObject(FigObject* object)
{
    object->selected = false;
}

void markObject(FigObject* object)
{
    object->markerState = 1;
}

void clearMarkerState(FigObject* object)
{
    object->markerState = 0;
}

void clearTextLatexImages(FigObject* object)
{
    if (object->type == FigObject::Text)
        static_cast<FigText*>(object)->clearLatexPixmaps();
}

void setTextLatexFailed(FigObject* object, bool failed)
{
    if (object->type == FigObject::Text)
        static_cast<FigText*>(object)->latexFailed = failed;
}

// Counting and identifiers -------------------------------------------------

int countObjects(const FigObjectList* list)
{
    int count = 0;
    visitEach(list, [&count](FigObject* object) {
        if (object->type != FigObject::Compound)
            ++count;
    });
    return count;
}

int renumberObjects(const FigObjectList* list, int last)
{
    visitEach(list, [&last](FigObject* object) { object->id = ++last; });
    return last;
}

int assignMissingIds(const FigObjectList* list, int last)
{
    visitEach(list, [&last](FigObject* object) {
        if (object->id == -1)
            object->id = ++last;
    });
    return last;
}

bool idsAreUnique(const FigObjectList* list, ObjectIdSet& seen)
{
    auto check = [&seen](FigObject* object) {
        if (object->id == -1 || seen.contains(object->id))
            return false;
        seen.insert(object->id);
        return true;
    };
    return visitAll(list, check);
}

int maxObjectId(const FigObjectList* list)
{
    int largest = 0;
    visitEach(list, [&largest](FigObject* object) { largest = std::max(largest, object->id); });
    return largest;
}

void collectObjectIds(const FigObjectList* list, ObjectIdMap& ids)
{
    visitEach(list, [&ids](FigObject* object) { ids.insert(object->id, object->id); });
}

FigObject* findObjectById(const FigObjectList* list, int id)
{
    if (id == -1)
        return nullptr;
    FigObject* found = nullptr;
    auto match = [id, &found](FigObject* object) {
        if (object->id != id)
            return true;
        found = object;
        return false;
    };
    visitAll(list, match);
    return found;
}

void remapSmartLinkTargets(const FigObjectList* list, const ObjectIdMap& ids)
{
    // The targets by identifier, the first one depth first as findObjectById
    // would find it; built once for all links.
    QHash<int, FigObject*> targets;
    visitEach(list, [&targets](FigObject* object) {
        if (!targets.contains(object->id))
            targets.insert(object->id, object);
    });
    visitEach(list, [&](FigObject* object) {
        FigPath* path = asPath(object);
        if (!path)
            return;
        deleteLinksWhere(path, ids, false);
        for (FigPoint* p = path->points; p; p = p->next) {
            if (!p->link)
                continue;
            SmartLink* link = p->link;
            link->targetObjId = ids.value(link->targetObjId);
            // The record must not keep pointing into the original target's
            // chain: bind it to the same positions in the new target.
            const FigPath* target = asPath(targets.value(link->targetObjId, nullptr));
            link->targetLeftPoint = target ? target->pointAt(link->targetLeftPointIdx) : nullptr;
            link->targetRightPoint = target ? target->pointAt(link->targetRightPointIdx) : nullptr;
        }
    });
}

void dropSmartLinksNotIn(const ObjectIdMap& ids, const FigObjectList* list, bool onlySelected)
{
    if (!list)
        return;
    for (FigObject* object : *list) {
        if (onlySelected && !object->selected)
            continue; // its members are skipped with it
        if (FigPath* path = asPath(object))
            deleteLinksWhere(path, ids, false);
        else if (FigCompound* compound = asCompound(object))
            dropSmartLinksNotIn(ids, compound->members, onlySelected);
    }
}

void dropForeignSmartLinks(const FigObjectList* idSource, const FigObjectList* list, bool onlySelected)
{
    ObjectIdMap ids;
    collectObjectIds(idSource, ids);
    dropSmartLinksNotIn(ids, list, onlySelected);
}

bool replaceObjectById(FigObjectList* list, FigObject* object)
{
    if (!list || !object || object->id == -1)
        return false;
    for (FigObject*& entry : *list) {
        if (entry->id == object->id) {
            entry = object;
            return true;
        }
        if (FigCompound* compound = asCompound(entry)) {
            if (replaceObjectById(compound->members, object))
                return true;
        }
    }
    return false;
}

// Copying, appending and freeing -------------------------------------------

FigObjectList* cloneObjectList(const FigObjectList* list)
{
    if (!list)
        return nullptr;
    FigObjectList* copy = nullptr;
    try {
        copy = new FigObjectList;
        for (const FigObject* object : *list) {
            FigObject* clone = object->clone();
            if (!clone) {
                deleteAllObjects(copy);
                delete copy;
                return nullptr;
            }
            try {
                copy->push_back(clone);
            } catch (const std::bad_alloc&) {
                delete clone;
                throw;
            }
        }
    } catch (const std::bad_alloc&) {
        deleteAllObjects(copy);
        delete copy;
        return nullptr;
    }
    return copy;
}

void replaceWithClones(const FigObjectList* source, FigObjectList* target)
{
    if (!source || !target || source == target)
        return;
    // The copies are made first, so that a source that points at objects of
    // the target never reads a deleted object, and so that running out of
    // memory leaves the target as it was.
    FigObjectList clones;
    try {
        for (const FigObject* object : *source) {
            std::unique_ptr<FigObject> clone(object->clone());
            if (!clone) {
                deleteAllObjects(&clones);
                return;
            }
            clones.push_back(clone.get());
            clone.release();
        }
    } catch (const std::bad_alloc&) {
        deleteAllObjects(&clones);
        return;
    }
    deleteAllObjects(target);
    target->splice(target->end(), clones);
}

void appendObjectList(const FigObjectList* source, FigObjectList* target)
{
    if (!source || !target)
        return;
    FigObjectList pointers(*source); // also right when source is target
    target->splice(target->end(), pointers);
}

void deleteAllObjects(FigObjectList* list)
{
    if (!list)
        return;
    while (!list->empty()) {
        FigObject* object = list->back();
        list->pop_back();
        delete object;
    }
}

void freePointList(FigPoint* first)
{
    while (first) {
        FigPoint* next = first->next;
        delete first;
        first = next;
    }
}

void freeShapeFactorList(ShapeFactorNode* first)
{
    while (first) {
        ShapeFactorNode* next = first->next;
        delete first;
        first = next;
    }
}

// Searching and predicates -------------------------------------------------

bool listContainsObject(const FigObjectList* list, const FigObject* object)
{
    bool found = false;
    auto match = [object, &found](FigObject* candidate) {
        found = candidate == object;
        return !found;
    };
    visitAll(list, match);
    return found;
}

bool pointerListContains(const FigObjectList* list, const FigObject* object)
{
    return list && std::find(list->begin(), list->end(), object) != list->end();
}

bool chainContainsPoint(const FigPoint* first, const FigPoint* point)
{
    if (!point)
        return false;
    for (const FigPoint* p = first; p; p = p->next) {
        if (p == point)
            return true;
    }
    return false;
}

bool otherObjectSelected(const FigObjectList* list, const FigObject* object)
{
    return list
        && std::any_of(list->begin(), list->end(), [object](const FigObject* o) { return o != object && o->selected; });
}

bool twoOrMoreSelected(const FigObjectList* list)
{
    return list && std::count_if(list->begin(), list->end(), [](const FigObject* o) { return o->selected; }) >= 2;
}

void collectSelectedObjects(const FigObjectList* list, FigObjectList& out)
{
    if (!list)
        return;
    for (FigObject* object : *list) {
        if (object->selected)
            out.push_back(object);
    }
}

void collectObjectsOfType(const FigObjectList* list, int type, FigObjectList& out)
{
    if (!list)
        return;
    for (FigObject* object : *list) {
        if (object->type == type)
            out.push_back(object);
    }
}

bool isClosedPath(const FigObject* object)
{
    if (!object)
        return false;
    if (object->type == FigObject::Polyline)
        return object->subType != 1;
    if (object->type == FigObject::Spline)
        return object->subType == 1 || object->subType == 3 || object->subType == 5;
    return false;
}

bool isPathEndPoint(const FigObject* object, const FigPoint* point)
{
    if (!object || !point)
        return false;
    const bool open = (object->type == FigObject::Polyline && object->subType == 1)
        || (object->type == FigObject::Spline
            && (object->subType == 0 || object->subType == 2 || object->subType == 4));
    if (!open)
        return false;
    const FigPoint* first = asPath(object)->points;
    if (!first)
        return false;
    const FigPoint* last = first;
    while (last->next)
        last = last->next;
    return point == first || point == last;
}

// Removing -------------------------------------------------------------------

void removeObjectsFromList(FigObjectList* list, const FigObjectList* toRemove)
{
    if (!list || !toRemove)
        return;
    const FigObjectList pointers(*toRemove); // also right when toRemove is list
    for (const FigObject* object : pointers) {
        if (object)
            removeFromObjectList(list, object);
    }
}

void removeFromObjectList(FigObjectList* list, const FigObject* object)
{
    if (!list || !object)
        return;
    const auto it = std::find(list->begin(), list->end(), object);
    if (it != list->end())
        list->erase(it);
}

int takeFromList(FigObjectList* list, const FigObject* object)
{
    if (!list || !object)
        return -1;
    int place = 0;
    for (auto it = list->begin(); it != list->end(); ++it, ++place) {
        if (*it == object) {
            list->erase(it);
            return place;
        }
    }
    return -1;
}

void insertIntoList(FigObjectList* list, FigObject* object, int place)
{
    if (!list || !object)
        return;
    if (place < 0 || size_t(place) >= list->size()) {
        list->push_back(object);
        return;
    }
    list->insert(std::next(list->begin(), place), object);
}

// Compounds ------------------------------------------------------------------

FigCompound* findParentCompound(const FigObjectList* list, const FigObjectList* memberList)
{
    if (!list || !memberList)
        return nullptr;
    for (FigObject* object : *list) {
        FigCompound* compound = asCompound(object);
        if (!compound)
            continue;
        if (compound->members == memberList)
            return compound;
        if (FigCompound* found = findParentCompound(compound->members, memberList))
            return found;
    }
    return nullptr;
}

FigCompound* findCompoundContaining(const FigObjectList* list, const FigObject* object)
{
    if (!list)
        return nullptr;
    for (FigObject* candidate : *list) {
        if (FigCompound* holder = findContainerInCompound(asCompound(candidate), object))
            return holder;
    }
    return nullptr;
}

FigCompound* findContainerInCompound(FigCompound* compound, const FigObject* object)
{
    if (!compound)
        return nullptr;
    if (pointerListContains(compound->members, object))
        return compound;
    for (FigObject* member : *compound->members) {
        if (FigCompound* holder = findContainerInCompound(asCompound(member), object))
            return holder;
    }
    return nullptr;
}
