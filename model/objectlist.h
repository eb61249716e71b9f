#pragma once
// Operations on object lists and trees shared by the whole model: walks with
// callbacks, counting, identifiers, copying and freeing lists, predicates,
// removal, compound finders and the freeing of point and shape-factor chains.
// A list owns its objects unless it is a working list built by one of the
// collecting operations; removing an object from a list never deletes it.
// Null lists are accepted everywhere and behave as empty lists.

#include "model/figobjectlist.h"

#include <QMap>
#include <QSet>
#include <QStringList>

#include <string>

class FigCompound;
class FigObject;
class FigPoint;
struct ShapeFactorNode;

// Old identifier to new identifier (or identifier to itself when used as a set).
using ObjectIdMap = QMap<int, int>;
using ObjectIdSet = QSet<int>;

// The Fig reader's comment lines not yet attached to an object or the figure,
// and the numeric locale it restores after reading. Both start empty.
extern QStringList pendingCommentLines;
extern std::string savedNumericLocale;

// Walks: the callback sees every object in list order, each compound right
// before its members (depth first).
using ObjectCallback = void (*)(FigObject*);
using ObjectCallbackWith2Args = void (*)(FigObject*, int, int);
using ObjectCallbackWithFlag = void (*)(FigObject*, bool);
void forEachObject(const FigObjectList* list, ObjectCallback callback);
void forEachObjectWith2Args(const FigObjectList* list, ObjectCallbackWith2Args callback, int first, int second);
void forEachObjectWithFlag(const FigObjectList* list, ObjectCallbackWithFlag callback, bool flag);

// Walk callbacks.
void clearSkipRedraw(FigObject* object);
void skipIfSelected(FigObject* object);
void selectObject(FigObject* object);
void deselectObject(FigObject* object);
void markObject(FigObject* object);
void clearMarkerState(FigObject* object);
void clearTextLatexImages(FigObject* object);
void setTextLatexFailed(FigObject* object, bool failed);

// Non-compound objects at every depth.
int countObjects(const FigObjectList* list);

// Identifiers, all depth first with a compound before its members.
int renumberObjects(const FigObjectList* list, int last);
int assignMissingIds(const FigObjectList* list, int last);
bool idsAreUnique(const FigObjectList* list, ObjectIdSet& seen);
int maxObjectId(const FigObjectList* list);
void collectObjectIds(const FigObjectList* list, ObjectIdMap& ids);
FigObject* findObjectById(const FigObjectList* list, int id);
// Points every link record of the list's polylines and splines whose target is
// a key of `ids` at the mapped identifier and rebinds its target points to the
// points at the same indices in that target (found in `list`); deletes the
// records whose target is not a key.
void remapSmartLinkTargets(const FigObjectList* list, const ObjectIdMap& ids);
void dropSmartLinksNotIn(const ObjectIdMap& ids, const FigObjectList* list, bool onlySelected);
void dropForeignSmartLinks(const FigObjectList* idSource, const FigObjectList* list, bool onlySelected);
bool replaceObjectById(FigObjectList* list, FigObject* object);

// Copying, appending and freeing. cloneObjectList gives null for a null list
// and when any copy fails for want of memory (nothing of it is left).
FigObjectList* cloneObjectList(const FigObjectList* list);
// Leaves the target as it was when a copy cannot be made.
void replaceWithClones(const FigObjectList* source, FigObjectList* target);
void appendObjectList(const FigObjectList* source, FigObjectList* target);
void deleteAllObjects(FigObjectList* list);
void freePointList(FigPoint* first);
void freeShapeFactorList(ShapeFactorNode* first);

// Searching and predicates.
bool listContainsObject(const FigObjectList* list, const FigObject* object);
bool pointerListContains(const FigObjectList* list, const FigObject* object);
bool chainContainsPoint(const FigPoint* first, const FigPoint* point);
bool otherObjectSelected(const FigObjectList* list, const FigObject* object);
bool twoOrMoreSelected(const FigObjectList* list);
void collectSelectedObjects(const FigObjectList* list, FigObjectList& out);
void collectObjectsOfType(const FigObjectList* list, int type, FigObjectList& out);
bool isClosedPath(const FigObject* object);
bool isPathEndPoint(const FigObject* object, const FigPoint* point);

// Removing (the objects are not deleted).
void removeObjectsFromList(FigObjectList* list, const FigObjectList* toRemove);
void removeFromObjectList(FigObjectList* list, const FigObject* object);

// Places in a list, so that an undone removal puts an object back where it
// stood (its drawing order within its depth). takeFromList takes the first
// occurrence out and returns its index, -1 when absent (nothing changes);
// insertIntoList puts the object at that index, appending it for -1 or an
// index past the end.
int takeFromList(FigObjectList* list, const FigObject* object);
void insertIntoList(FigObjectList* list, FigObject* object, int place);

// Compounds.
FigCompound* findParentCompound(const FigObjectList* list, const FigObjectList* memberList);
FigCompound* findCompoundContaining(const FigObjectList* list, const FigObject* object);
FigCompound* findContainerInCompound(FigCompound* compound, const FigObject* object);
