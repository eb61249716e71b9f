#pragma once
// Following of smart-linked points: when a polyline or ellipse that other
// lines are attached to changes shape, the attached end points of those
// lines are moved so that they stay on it. Stateless free functions; the
// lists they fill hold pointers only and own nothing.

#include "model/figobjectlist.h"

#include <QList>

class FigEllipse;
class FigLine;
class FigPoint;

// Points already moved within one editing operation, so that none moves twice.
using PointList = QList<FigPoint*>;

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
