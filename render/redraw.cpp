#include "model/figcontext.h"

// The canvas redraw fills this in.
void CFigContext::redrawCanvas()
{
}
