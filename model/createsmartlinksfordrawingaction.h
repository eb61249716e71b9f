#pragma once
// Undoable linking of every end point of the list's open lines that lies on
// a link target. The records the points had before and the records made are
// exchanged between the points and the two lists at every execution; each
// list's records are owned by the action while detached. Undo also puts the
// end points back where they were before linking moved them.

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
};
