#pragma once
// Undoable move of one object, or of several, by whole Fig units, with the
// smart-linked points of the follower lines moved along and the boxes of
// the compounds holding moved lines kept up to date. Owns no objects.

#include "model/actionitem.h"

#include <QHash>
#include <QVector>

class FigArc;
class FigPoint;
struct SmartLink;

class TranslateAction : public ActionItem {
public:
    // One object. `linked`: the lines and splines of the drawing smart-linked
    // to it (collectLinkedObjectsOfList), which become the linked objects and
    // the followers; a caller may leave it empty.
    TranslateAction(
        FigObjectList* list, FigObject* subject, int moveX, int moveY, const FigObjectList& linked = FigObjectList());
    // Several objects moved as a group.
    TranslateAction(FigObjectList* list, const FigObjectList& subjects, int moveX, int moveY,
        const FigObjectList& linked = FigObjectList());

    bool redo(CFigContext* context) override;
    bool undo(CFigContext* context) override;

    int dx;
    int dy;
    FigObjectList followers; // not owned
    // The compounds whose corners redo records for undo (those of the
    // list's trees); null: every compound of the drawing. A preview that
    // knows which compounds its move can fit names them. Not owned.
    const FigObjectList* cornerScope = nullptr;

private:
    void move(CFigContext* context, int offsetX, int offsetY, bool collectHolders);
    void moveOne(CFigContext* context, FigObject* subject, int offsetX, int offsetY, bool collectHolders,
        QList<class FigPoint*>& handled);
    void pinOwnLinks();

    // Which linked points of the one object were pinned at the first redo.
    // The selection decides them then; later undos and redos reuse them,
    // whatever is selected by that time, so that the same points stay put.
    // Kept by point, not by record: undoing and redoing other steps may give
    // a point a new record with the same link.
    QHash<const FigPoint*, bool> pinnedAtFirstRedo;
    bool pinsRecorded = false;

    // The centres of the moved arcs before the last redo. A centre is a
    // float: moved there and back it can end a rounding away, so undo puts
    // back the saved one.
    struct ArcCentre {
        FigArc* arc; // not owned
        float x;
        float y;
    };
    QVector<ArcCentre> arcCentres;
    void saveArcCentres(FigObject* subject);
};
