#pragma once
// The update mode: a left click on an object gives it the current drawing
// attributes and the document's colours, only those ticked in the update
// mask, as one undo step.

class CFigContext;
class FigObject;

// The set-up of the update mode (47).
void initUpdateMode();

// The mode's object callback: false without an object; otherwise applies
// the ticked attributes, says so in the status bar and returns true.
bool updateModeObjectPicked(CFigContext* context, FigObject* object, int type, int x, int y, int hitX, int hitY);
