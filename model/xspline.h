#pragma once
// X-spline evaluation: the blending functions of general X-splines, the
// adaptive parameter step and the evaluation of one segment in screen pixels.
// The whole-spline layouts (open and closed) are members of CFigContext, since
// they map the control points with the document's view. Nothing here owns
// anything; `splineEvaluationStopped` is the only state.

#include <QPoint>

// Receives every curve point in screen pixels. The evaluation ignores the
// returned value (the point buffer returns false when it is full).
using SplinePointConsumer = bool (*)(int x, int y);

// Cleared when an evaluation starts; a consumer sets it to end the evaluation
// after the segment being computed (the spline hit test does, on a hit).
extern bool splineEvaluationStopped;

// The weights of the segment's starting control point's neighbours: A0 for P0,
// A2 for P2, from the factor s1 of P1, at parameter t of segment k.
void positiveS1Influence(int k, double t, double s1, double& a0, double& a2);
void negativeS1Influence(double t, double s1, double& a0, double& a2);
// The weights A1 (P1) and A3 (P3) from the factor s2 of P2.
void positiveS2Influence(int k, double t, double s2, double& a1, double& a3);
void negativeS2Influence(double t, double s2, double& a1, double& a3);

// The parameter step of the segment from P1 to P2 (control points in pixels,
// s1 and s2 the factors of P1 and P2): 1 for a straight segment, else between
// a small positive value and 0.2, finer for long and for bent segments.
double splineSegmentStep(int k, const QPoint& p0, const QPoint& p1, const QPoint& p2, const QPoint& p3, double s1,
    double s2, float precision);

// Hands the consumer the segment's curve points for t = 0, step, 2 step, ...
// while t < 1; the point at t = 1 is the next segment's first.
void evaluateSplineSegment(double step, int k, const QPoint& p0, const QPoint& p1, const QPoint& p2, const QPoint& p3,
    double s1, double s2, SplinePointConsumer consumer);
