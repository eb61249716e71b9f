#pragma once
// The spline modes: open approximated (10), closed approximated (11), open
// interpolated (12) and closed interpolated (13). Control points are placed
// like the points of a polyline (drawing constraints included); the right
// press places its point and makes the spline, repeating the last point if
// need be to reach the minimum of two points (open) or three (closed).

class CFigContext;

void initSplineMode();
void splineFirstPoint(CFigContext* context, int x, int y);
void splineFinish(CFigContext* context, int x, int y);
