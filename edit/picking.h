#pragma once
// Picking: which object or which point of the current object list lies under
// the pointer, within two screen pixels, searched kind by kind in a fixed
// order (polylines, ellipses, arcs, splines, compounds, texts). The modes that
// act on a clicked object register callbacks here and install the pick
// functions as their press handlers; the document window asks for the object
// under the pointer on every move. The searches of lines, ellipses, arcs and
// splines leave the tangent at their hit in tangentSegment and
// tangentSegmentValid (model/geometricqueries.h), which the tangent and normal
// modes read right after a pick. Nothing here owns anything.

#include "edit/canvashandlers.h"
#include "model/figobjectlist.h"

class CFigContext;
class FigObject;
class FigPoint;

// (document, object or null, Fig object code of the kind searched, pressed
// x, y, hit x, y on the object). Its result is not used by the pick.
using PickObjectCallback = bool (*)(CFigContext*, FigObject*, int, int, int, int, int);
// (document, object or null, Fig object code, pressed x, y, picked point x,
// y, the point's predecessor in a polyline or spline chain or null, the point,
// its index). Returning false refuses the point: the pick finds nothing.
using PickPointCallback = bool (*)(CFigContext*, FigObject*, int, int, int, int, int, FigPoint*, FigPoint*, int);

struct PickState {
    PickObjectCallback leftObjectCallback = nullptr;
    PickObjectCallback rightObjectCallback = nullptr;
    PickPointCallback pointCallback = nullptr;
    // The callbacks in effect for the search under way.
    PickObjectCallback activeObjectCallback = nullptr;
    PickPointCallback activePointCallback = nullptr;
};

extern PickState pickState;

void setLeftObjectCallback(PickObjectCallback callback);
void setRightObjectCallback(PickObjectCallback callback);
void setPointCallback(PickPointCallback callback);

// Two screen pixels in Fig units at the document's zoom and horizontal
// resolution; a point lies within it when it does in x and in y.
int pickTolerance(const CFigContext* context);

// The object search with the left or the right button's object callback
// (CFigContext::pickObject); the object found, whatever the callback said.
FigObject* pickObjectLeft(CFigContext* context, int x, int y);
FigObject* pickObjectRight(CFigContext* context, int x, int y);
// The point search with the point callback (CFigContext::pickPointOnObject).
FigObject* pickPoint(CFigContext* context, int x, int y);

// A pick function in the form of a press handler, its result dropped:
// setCanvasHandlers(nullptr, pressHandler<pickObjectLeft>, nullptr).
template <FigObject* (*Pick)(CFigContext*, int, int)> void pressHandler(CFigContext* context, int x, int y)
{
    Pick(context, x, y);
}

// The first spline of the list on a shown depth whose first control point
// lies within t of (x, y) (the hit is that point), else one of whose control
// polygon's segments passes within t (the hit is the nearest point on it).
FigObject* findSplineControlPolygonNear(
    CFigContext* context, const FigObjectList* list, int x, int y, int t, int& hitX, int& hitY);
