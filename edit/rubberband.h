#pragma once
// Rubber-band feedback of the edit modes: outlines drawn with the inverting
// rubber-band pens, so that drawing the same outline twice erases it.

class CFigContext;

// The rectangle with corners (x1, y1) and (x2, y2) in Fig units, as four
// solid inverted lines.
void drawRubberRectangle(CFigContext* context, int x1, int y1, int x2, int y2);
