#pragma once
// Bookkeeping shared by the point insertion and removal actions: the smart
// links of other lines that follow a polyline's chain, a snapshot that puts
// back exactly what a chain edit overwrote, and the unlinking and relinking
// of a spline point together with its own shape-factor node, so that nodes
// keep their identity and values across undo and redo.

#include "model/figobjectlist.h"
#include "model/figpoint.h"

#include <QPoint>
#include <QVector>

class CFigContext;
class FigLine;
class FigObject;
class FigSpline;
struct ShapeFactorNode;

// Puts `point` into the polyline after `previous` (in front when null) and
// moves the links of other lines that named the split segment onto the new
// segments; the target indices of all links to the polyline are renewed.
void insertLinkedLinePoint(
    CFigContext* context, const FigObjectList* ownerList, FigLine* line, FigPoint* previous, FigPoint* point);
// Takes `point` out of the polyline (it keeps its successor) after the links
// naming it have moved to neighbouring segments.
void removeLinkedLinePoint(CFigContext* context, FigLine* line, FigPoint* point);

// The coordinates of a polyline's chain and the places and link records of
// the points of other lines linked to it, taken before a chain edit and put
// back after the edit has been reverted. A closed chain's edit overwrites
// the closing copy or its neighbour, and relinking may move linked points by
// a rounding: restoring the snapshot makes the revert exact.
class LinePointSnapshot {
public:
    void take(CFigContext* context, const FigLine* line);
    void restore(FigLine* line) const;

private:
    struct LinkedPoint {
        FigPoint* point;
        int x;
        int y;
        bool hasLink;
        SmartLink link;
    };
    QVector<QPoint> chain;
    QVector<LinkedPoint> linked;
};

// The target points and indices of the links of other lines to one object
// (a polyline or spline whose chain an action edits or replaces), taken
// before the edit and put back after it has been reverted, so that the links
// name exactly the points they named before.
class LinkTargetSnapshot {
public:
    void take(const FigObjectList* list, const FigObject* target);
    void restore() const;

private:
    struct Entry {
        FigPoint* point; // the linked point of the other line
        FigPoint* left;
        FigPoint* right;
        int leftIndex;
        int rightIndex;
    };
    QVector<Entry> entries;
    int targetId = -1;
};

// Keep the links to a spline naming points of its chain (a link made to a
// polygon names its points, and keeps them when the polygon becomes a
// spline): before a point is removed, a link naming it names its predecessor
// instead (its successor when it is the first); after a point went in or out,
// the indices follow the chain.
void updateSplineLinkIndices(const FigObjectList* list, FigSpline* spline);
void releaseSplineLinksOfPoint(const FigObjectList* list, FigSpline* spline, const FigPoint* point);

// The shape-factor values of a spline in point order.
QVector<double> shapeFactorValues(const FigSpline* spline);
// Writes them back; nothing when the count no longer matches.
void setShapeFactorValues(FigSpline* spline, const QVector<double>& values);
// Takes the point and its own node out of the spline (the point keeps its
// successor, the node is handed to the caller); null when the point is not
// one of the spline's.
ShapeFactorNode* unlinkSplinePoint(FigSpline* spline, FigPoint* point);
// Puts the point after `previous` (in front when null) and its node at the
// same place of the factor list; false when `previous` is not in the chain.
bool relinkSplinePoint(FigSpline* spline, FigPoint* previous, FigPoint* point, ShapeFactorNode* node);
// Open splines (sub-types 0, 2, 4) have 0.0 at both ends.
bool isOpenSplineKind(const FigSpline* spline);
