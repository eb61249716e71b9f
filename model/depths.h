#pragma once
// Helpers that go with putting objects into lists and taking them out: plain
// moves of compound members, selecting whole trees and walking point chains,
// and the hold on rebuilding the layers tool bar. The counting operations
// themselves are members of CFigContext (model/depths.cpp).

#include "model/figobjectlist.h"

class FigCompound;
class FigPoint;

// While above 0, CFigContext::refreshLayersToolbar does nothing. Whole-list
// counting raises it for its duration; the Fig reader holds it while it reads.
extern int layersRefreshHold;

// Appends the compound's members to the list (pointers only, nothing counted);
// nothing for a null list or compound.
void appendCompoundMembers(FigObjectList* list, const FigCompound* compound);
// Takes the first occurrence of each member of the compound out of the list
// (nothing uncounted); nothing when either is null.
void removeCompoundMembers(FigObjectList* list, const FigCompound* compound);
// Sets `selected` of every object of the list and of compound members at
// every nesting.
void setObjectsSelected(const FigObjectList* list, bool selected);

// Points from `first` to the end of its chain; 0 for null.
int countPoints(const FigPoint* first);
// The last point of the chain; null for null.
FigPoint* lastPoint(FigPoint* first);
