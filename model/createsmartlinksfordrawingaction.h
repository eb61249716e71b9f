#pragma once
// Undoable linking of every end point of the list's open lines that lies on
// a link target. The records the points had before and the records made are
// exchanged between the points and the two lists at every execution; each
// list's records are owned by the action while detached. Undo also puts the
// end points back where they were before linking moved them. Only the first
// execution searches: which target an end finds depends on the order of the
// list, and an undone deletion puts its object back at the end, so a redo
// brings back the records and end places of the first execution instead.

#include "model/actionitem.h"
#include "model/smartlinks.h"

#include <QVector>

class CreateSmartLinksForDrawingAction : public ActionItem {
public:
    // linkedObjectList takes every object of the list, to be redrawn.
    explicit CreateSmartLinksForDrawingAction(FigObjectList* ownerList);

    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;
    void releaseDone() override;
    void releaseUndone() override;

    SmartLinkList linksBefore;
    SmartLinkList linksMade;

private:
    // Linking moves an end point onto its target; undo puts it back.
    struct EndPlace {
        FigPoint* point;
        int x;
        int y;
    };
    QVector<EndPlace> endsBefore;
    QVector<EndPlace> endsAfter;
    bool linked = false; // the first execution has made linksMade
};
