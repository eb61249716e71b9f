#pragma once
// What the undoable conversions between polylines and splines share: the
// action holds both objects; `object` names the one in the drawing, and the
// action owns the other. Each conversion says only how the new object is made.
// The new object is appended; undo puts the old one back at its index.

#include "model/actionitem.h"
#include "model/pointundo.h"

class ConversionAction : public ActionItem {
public:
    ConversionAction(FigObjectList* ownerList, FigObject* source);

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

protected:
    // The converted copy of oldObject, or null when it cannot be made.
    virtual FigObject* convert(CFigContext* context) = 0;

private:
    int oldPlace = -1; // oldObject's index in the owner list when redo took it out
    int newPlace = -1; // newObject's index when undo took it out
    LinkTargetSnapshot links; // the links to the old object as the last redo found them
};
