#pragma once
// A point of an object in Fig units. Polylines and splines chain their points
// through `next`; arcs, ellipses and compounds hold points by value. A point
// owns the smart-link record that attaches it to another object.

class FigPoint;

// Attachment of an end point of an open polyline or spline to another object,
// named by identifier. Owned by the point it hangs on (`sourcePoint`); the
// target point pointers only look into the target's chain.
struct SmartLink {
    int targetObjId = -1;
    FigPoint* sourcePoint = nullptr;
    FigPoint* targetLeftPoint = nullptr;
    FigPoint* targetRightPoint = nullptr;
    int targetLeftPointIdx = -1;
    int targetRightPointIdx = -1;
    bool pinned = false; // keep the place on the target while a group moves
};

class FigPoint {
public:
    FigPoint() = default;
    FigPoint(int px, int py)
        : x(px)
        , y(py)
    {
    }
    virtual ~FigPoint();

    FigPoint(const FigPoint&) = delete;
    FigPoint& operator=(const FigPoint&) = delete;

    // A new chain repeating this point and its successors (coordinates and
    // marker states). With `withLinks` each link record is copied too, bound
    // to its new point and unpinned. Null when memory runs out; nothing of
    // the partial copy is left.
    FigPoint* cloneList(bool withLinks) const;

    // Searching from this point on, the point whose `next` is `point`; null
    // when `point` is this point, null or not in the chain after it.
    FigPoint* predecessorOf(const FigPoint* point);

    // Turns the point about (cx, cy) by whole degrees, clockwise on the screen
    // for a positive angle; a point on the centre stays.
    void rotate(int cx, int cy, int angle);
    // Scales the point about (cx, cy), computed in single precision.
    void scale(float sx, float sy, int cx, int cy);

    int x = 0;
    int y = 0;
    int markerState = 0;
    SmartLink* link = nullptr; // owned
    FigPoint* next = nullptr; // not owned by the point: the chain's owner frees it
};
