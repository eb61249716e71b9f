#pragma once
// The point chain of a polyline or a spline: `points` is the head of a singly
// linked chain of FigPoint that the path owns (and, through the points, their
// smart-link records). Not polymorphic; reached through FigLine or FigSpline.

#include "model/figpoint.h"

class FigPath {
public:
    FigPath(const FigPath&) = delete;
    FigPath& operator=(const FigPath&) = delete;

    // The point whose `next` is `point`; null for the first point or a point
    // not in the chain.
    FigPoint* predecessor(const FigPoint* point) const;
    // Position of `point` counted from 0; -1 when absent.
    int indexOf(const FigPoint* point) const;
    int pointCount() const;
    // Point number n counted from 0; null for a negative n or past the end.
    FigPoint* pointAt(int n) const;

    // Gives `copy` (a fresh path without points) a copy of this chain with its
    // smart-link records. False, after "Running out of memory.", when memory
    // runs out; `copy` then has no points.
    bool copyChainInto(FigPath& copy) const;

    FigPoint* points = nullptr; // owned chain

protected:
    FigPath() = default;
    ~FigPath(); // frees the chain
};
