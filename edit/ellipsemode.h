#pragma once
// The circle and ellipse modes: circle by radius (1), circle by diameter
// (2), ellipse by radii (3) and ellipse by diameters (4). The first left
// press fixes the centre, or one end of the diameter or one corner of the
// enclosing rectangle, marked by a small cross; a rubber shape follows the
// pointer; the second left press makes the object, unless it would have a
// radius of 0 (the file format cannot hold such an ellipse). A right press
// in between cancels.

class CFigContext;

void initCircleByRadiusMode();
void initCircleByDiameterMode();
void initEllipseByRadiusMode();
void initEllipseByDiameterMode();

void circleByRadiusFirstPoint(CFigContext* context, int x, int y);
void circleByDiameterFirstPoint(CFigContext* context, int x, int y);
void ellipseByRadiiFirstPoint(CFigContext* context, int x, int y);
void ellipseByDiametersFirstPoint(CFigContext* context, int x, int y);

void circleByRadiusFinish(CFigContext* context, int x, int y);
void circleByDiameterFinish(CFigContext* context, int x, int y);
void ellipseByRadiiFinish(CFigContext* context, int x, int y);
void ellipseByDiametersFinish(CFigContext* context, int x, int y);

void circleByRadiusCancel(CFigContext* context, int x, int y);
void circleByDiameterCancel(CFigContext* context, int x, int y);
void ellipseByRadiiCancel(CFigContext* context, int x, int y);
void ellipseByDiametersCancel(CFigContext* context, int x, int y);
