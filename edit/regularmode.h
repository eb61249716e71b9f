#pragma once
// The regular polygon mode (15): the first left press fixes the centre, the
// second a vertex; a rubber polygon with the current number of sides follows
// the pointer in between. The result is a closed polyline that starts and
// ends at the pressed vertex. A right press in between cancels.

class CFigContext;

void initRegularPolygonMode();
void regularPolygonFirstPoint(CFigContext* context, int x, int y);
void regularPolygonFinish(CFigContext* context, int x, int y);
void regularPolygonCancel(CFigContext* context, int x, int y);
