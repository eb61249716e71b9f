#pragma once
// Undoable exchange of the arrow at one end of an arc, polyline or spline.
// In the done state the action owns the arrow it took off (`oldArrow`), in
// the undone state the one it put on (`newArrow`). An arrow the object
// refused stays the action's in both states and is freed by either release.

#include "model/actionitem.h"

struct FigArrow;

class ChangeArrowAction : public ActionItem {
public:
    // `arrow` (null removes the arrow) is taken over by the action.
    ChangeArrowAction(FigObjectList* list, FigObject* subject, int arrowEnd, FigArrow* arrow);

    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;
    void releaseDone() override;
    void releaseUndone() override;

    int end; // 1 forward arrow, 0 backward arrow
    FigArrow* newArrow;
    FigArrow* oldArrow = nullptr;

private:
    bool swap(FigArrow* arrow, FigArrow*& previous);

    bool accepted = false; // the last redo put newArrow on the object
};
