#pragma once
// Small plane-geometry operations on Fig coordinates: angles, arc centres and
// tangents, turning and interpolating points, ellipse and line crossings,
// lengthening and scaling a segment, and the slopes that LaTeX picture lines
// and arrows can take. All are stateless free functions; points are passed as
// int x, y pairs. Where a Fig operation uses y up, callers pass y differences
// with the sign turned, so that counter-clockwise on the screen is positive.

// Direction of (dx, dy), y up, in [0, 2*pi); (0, 0) gives 3*pi/2.
double vectorAngle(double dx, double dy);

// 1 when the turn p1 -> p2 -> p3 is counter-clockwise on the screen, else 0
// (the Fig direction of an arc drawn from p1 through p2 to p3).
int arcDirection(int x1, int y1, int x2, int y2, int x3, int y3);

// Centre of the circle through three points. False, with cx, cy untouched,
// when two points coincide or the three lie on one line.
bool computeArcCenter(int x1, int y1, int x2, int y2, int x3, int y3, float& cx, float& cy);

// The point one radius away from (px, py) along the tangent of the circle
// around (cx, cy), on the side named by the arc direction flag.
void arcTangentPoint(float cx, float cy, int px, int py, int direction, int& x, int& y);

// The point at `distance` from (x, y) in direction `angle` (y up), truncated.
void pointAtAngle(int x, int y, double angle, double distance, int& rx, int& ry);

// (x, y) turned counter-clockwise on the screen around (cx, cy) by `angle`.
void rotatePoint(int cx, int cy, int x, int y, int& rx, int& ry, double angle);

// The point at fraction t of the way from point 1 to point 2.
void interpolatePoint(int x1, int y1, int x2, int y2, double t, int& x, int& y);

// Angle in [-pi, pi] from vector a = (x1, y1)->(x2, y2) to vector
// b = (x3, y3)->(x4, y4); negative when b lies clockwise of a on the screen,
// 0 when either vector has zero length.
double angleBetweenVectors(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);

// x of the axis-aligned ellipse at height y (the right crossing when
// `positive`); ok is false, and the result 0, when the height misses it.
double ellipseXAtY(double cx, double cy, double rx, double ry, double y, bool positive, bool& ok);
// y of the axis-aligned ellipse at abscissa x, as ellipseXAtY.
double ellipseYAtX(double cx, double cy, double rx, double ry, double x, bool positive, bool& ok);

// Angle of the tangent of the axis-aligned ellipse at the point (px, py).
double ellipseTangentAngle(double cx, double cy, double rx, double ry, int px, int py);

// Results of intersectLines.
enum IntersectResult { IntersectFound = 0, IntersectZeroLength = 1, IntersectParallel = 2 };

// Crossing of the unbounded lines through points 1, 2 and points 3, 4; t and s
// are its parameters on the two lines (both in [0, 1] when it lies on both
// segments). Returns 0 when found, 1 when a segment has zero length and 2 when
// the lines are parallel or collinear.
int intersectLines(
    int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, int& x, int& y, double& t, double& s);

// Lengthens the segment in place: the start moves back by `distance` along
// its direction when atStart, the end forward when atEnd.
void extendSegment(int& x1, int& y1, int& x2, int& y2, int distance, bool atStart, bool atEnd);

// Scales the segment in place: when atStart the start moves so that the
// length is multiplied by `factor` (the end stays), then when atEnd the end
// moves likewise (the start stays).
void scaleSegment(int& x1, int& y1, int& x2, int& y2, double factor, bool atStart, bool atEnd);

// Greatest common divisor of |a| and |b|; gcd(a, 0) = |a|, gcd(0, 0) = 0.
int greatestCommonDivisor(int a, int b);

// One slope that a LaTeX picture line or arrow can take: steps without a
// common divisor and the direction atan(y / x) in degrees.
struct LatexSlope {
    int x;
    int y;
    double angle;
};

constexpr int latexLineSlopeCount = 25;
constexpr int latexArrowSlopeCount = 13;
extern const LatexSlope latexLineSlopes[latexLineSlopeCount];
extern const LatexSlope latexArrowSlopes[latexArrowSlopeCount];

// The allowed slope (sx, sy) nearest to the direction (dx, dy), with the signs
// of dx and dy.
void latexSlope(int dx, int dy, int& sx, int& sy, bool arrow);

// The end point (x, y) of a line from point 1 towards point 2 moved onto the
// nearest allowed slope, its major difference a multiple of a step derived
// from the grid step `step` (in Fig units, at least 1).
void latexConstrainedEnd(int x1, int y1, int x2, int y2, int& x, int& y, bool arrow, int step);
