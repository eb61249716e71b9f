#pragma once
// Undoable conversion of a spline into a polyline (a polygon when closed). Holds both objects;
// `object` names the one in the drawing, and the action owns the other.

#include "model/actionitem.h"
#include "model/pointundo.h"

class FigSpline;

class ConvertSplineToLineAction : public ActionItem {
public:
    ConvertSplineToLineAction(FigObjectList* ownerList, FigSpline* source);

    // False, nothing changed, when no new object could be made.
    bool redo(CFigContext* context) override;
    // False when there is no new object.
    bool undo(CFigContext* context) override;
    void releaseDone() override;
    void releaseUndone() override;
    bool redoRemovesObject() const override { return true; }
    bool undoRemovesObject() const override { return true; }

    FigObject* oldObject;
    FigObject* newObject = nullptr; // made by the first successful redo, then reused

private:
    LinkTargetSnapshot links; // the links to the old object as the last redo found them
};
