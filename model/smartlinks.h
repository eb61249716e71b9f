#pragma once
// Smart links: which objects take part, collecting, detaching and
// reattaching link records around undo steps, the chain bookkeeping of
// polyline targets, and the following of linked points when their target is
// reshaped, mirrored, turned, scaled or moved. Stateless free functions; the
// lists they fill hold pointers only and own nothing. Making links (they need
// the document's geometric queries) is on CFigContext.

#include "model/figobjectlist.h"

#include <QList>

class FigEllipse;
class FigLine;
class FigObject;
class FigPoint;
struct SmartLink;

// Points already moved within one editing operation, so that none moves twice.
using PointList = QList<FigPoint*>;
// Link records collected or held detached by an undo action.
using SmartLinkList = QList<SmartLink*>;

// ---- Roles ----

// Open polylines (sub-type 1) and open approximated or interpolated splines
// (sub-types 0, 2); only their first and last points take links.
bool isSmartLinkSource(const FigObject* object);
// Ellipses, closed polylines (sub-types 2 to 5) and splines of sub-types 1,
// 3, 4 and 5.
bool isSmartLinkTarget(const FigObject* object);

// ---- Collecting ----

// Appends, each once, every polyline or spline of the list's tree with a point
// linked to the object or, for a compound, to an object inside it (links
// among the compound's own members do not count). True when one was found.
bool collectSmartLinkedObjects(const FigObjectList* list, const FigObject* object, FigObjectList& out);
// collectSmartLinkedObjects for every object of `objects`, without the lines
// that are themselves among `objects` (at any nesting).
void collectLinkedObjectsOfList(const FigObjectList* list, const FigObjectList* objects, FigObjectList& out);
// The points of lines of the list's tree, outside the object, linked to it;
// each once. True when one was found.
bool collectPointsLinkedTo(const FigObjectList* list, const FigObject* object, PointList& out);
// The records of points outside the object linked to it or, for a compound,
// to its members; each once. True when one was found.
bool collectLinkRecordsTo(const FigObjectList* list, const FigObject* object, SmartLinkList& out);
// Every record held by the points of the list's polylines and splines
// (compounds entered), or of one chain.
void collectLinkRecordsOfList(const FigObjectList* list, SmartLinkList& out);
void collectLinkRecordsOfChain(FigPoint* chain, SmartLinkList& out);

// ---- Detaching and reattaching (the records survive, owned by the caller) ----

void detachLinksOfList(const FigObjectList* list);
void detachChainLinks(FigPoint* chain);
// Each record's source point lets go of it (only when it still holds it).
void detachLinkRecords(const SmartLinkList& records);
void reattachLinkRecords(const SmartLinkList& records);

// ---- Chain utilities of polyline targets (lastPoint is in model/depths.h) ----

// The point before the last; the first point of a one-point chain; null for
// an empty chain.
FigPoint* nextToLastPoint(FigPoint* chain);
// The point before `point` in the chain; null for the first point, a null
// point or one not in the chain.
FigPoint* chainPredecessor(FigPoint* chain, const FigPoint* point);
// Recomputes the target indices of the links of the points from their target
// point pointers (-1 for a point no longer in the chain).
void updateLinkIndices(const PointList& linkedPoints, const FigPoint* targetChain);
// A conversion has given the target (the object with `target`'s identifier)
// a new chain, `to`, that repeats `from` with every place moved by `shift`
// (-1, 0 or 1; a place before the first wraps to the last, as the first
// point of a polygon and its closing copy are the same place). The links of
// the points of the list's tree to the target that name points of `from` are
// bound to the points at the same places of `to`, with their indices.
void rebindLinksToChain(
    const FigObjectList* list, const FigObject* target, const FigPoint* from, FigPoint* to, int shift);
// rebindLinksToChain for a polyline and the spline converted from it or the
// other way round (`to` has taken `from`'s place in the drawing): a polygon's
// spline leaves out the polygon's first point, and a closed spline's polygon
// puts a copy of the spline's last point in front.
void rebindConvertedLinks(const FigObjectList* list, const FigObject* from, FigObject* to);

// ---- Following ----

// The point at `index` of the target polyline has just moved by (dx, dy).
// Every point of a polyline or spline of the list's tree (compounds entered)
// that is linked to the target's segment starting or ending at that index
// keeps its relative place on the segment while the segment stretches and
// turns about its other end, and is added to `handled`. A point handled
// before in the same operation moves again when the other end of its segment
// moves, so that it stays on the segment when both ends move. Each line with
// a moved point is appended once to `changed`.
void moveLineSmartLinks(const FigLine* target, int index, const FigObjectList* list, int dx, int dy,
    FigObjectList& changed, PointList& handled);

// The ellipse has been reshaped from `before` to `after` (same identifier):
// every unhandled point linked to it is carried onto the new outline on the
// same side of the centre. Lines with moved points go to `changed`.
void moveEllipseSmartLinks(const FigEllipse* after, const FigEllipse* before, const FigObjectList* list,
    FigObjectList& changed, PointList& handled);

// The ellipse has been mirrored about the line through (axisX, axisY): axis 1
// horizontal (y changes), 2 vertical (x changes). Linked points are mirrored
// the same way.
void flipEllipseSmartLinks(const FigEllipse* target, int axisX, int axisY, int axis, const FigObjectList* list,
    FigObjectList& changed, PointList& handled);

// The ellipse has been turned about (cx, cy) by whole degrees (clockwise on
// the screen for a positive angle); linked points turn with it.
void rotateEllipseSmartLinks(const FigEllipse* target, int cx, int cy, int angle, const FigObjectList* list,
    FigObjectList& changed, PointList& handled);

// The target has been scaled about (cx, cy): every unhandled point linked to
// it (to its members for a compound) is scaled the same way. Lines inside the
// target itself are left to its own scaling.
void scaleSmartLinks(const FigObject* target, float sx, float sy, int cx, int cy, const FigObjectList* list,
    FigObjectList& changed, PointList& handled);

// The target has been moved by (dx, dy): every unhandled point linked to it
// (to its members for a compound) moves along, only on lines of `only` when
// it is given. Lines inside the target itself are left to its own move.
void translateSmartLinks(const FigObject* target, const FigObjectList* list, int dx, int dy, FigObjectList& changed,
    const FigObjectList* only, PointList& handled);

// Before a group move or scale: sets `pinned` on every link of the object's
// lines (a compound: of its members' lines) whose target is missing from the
// drawing or does not move with the group, so that the linked end stays on
// its target. pinLinksOutside counts the objects of `moved` (compounds with
// their members) as moving, pinLinksToUnselected the selected ones (or those
// inside a selected compound).
void pinLinksOutside(FigObject* object, const FigObjectList* drawingList, const FigObjectList* moved);
void pinLinksToUnselected(FigObject* object, const FigObjectList* drawingList);
