#pragma once
// The object list of the model: the drawing's top-level list, a compound's
// member list and the working lists of the editing operations. Whether a list
// owns its objects depends on the list (see model/objectlist.h).

#include <list>

class FigObject;

using FigObjectList = std::list<FigObject*>;
