#pragma once
// Which objects use a colour number: the test the colour dialog makes before
// it deletes a user colour. Reads objects only.

#include "model/figobjectlist.h"

class CFigContext;

// True when an object of the list, or a member of one of its compounds at
// any nesting, has the colour number as its pen colour, its fill colour
// (filled or not) or its text colour.
bool isColorInUse(int colourNumber, const FigObjectList* list);

// Whether deleting the colour could leave an object with a colour number
// that no colour line defines: an object of the drawing uses it, or one that
// undo or redo can bring back or change to it (the subjects of the history's
// steps and the values their colour changes put back or set again), or,
// with `withClipboard`, a copied object that a paste can bring in.
bool isColorInUseByDocument(const CFigContext* context, int colourNumber, bool withClipboard = true);
