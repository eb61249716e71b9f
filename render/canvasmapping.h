#pragma once
// The one mapping between Fig units and canvas pixels. Every drawing routine,
// the X-spline evaluation, the hit tests and the document window's mouse
// positions go through these functions, so that the single-precision order
// of the mapping (and with it every rounding near a half) is the same
// everywhere. Stateless; the CFigContext members wrap them with the
// document's zoom, dots per inch and scroll origin.

// Pixels per Fig unit: (1 / kx) × zoom in single precision, with
// kx = 1200 / dpi formed in double precision and stored as a float.
float canvasScale(float dpi, float zoom);

// The pixel of Fig coordinate f: roundToInt(scale × f) − origin, the product
// in single precision. Saturates at the int range instead of overflowing.
int figToPixel(int f, float dpi, float zoom, int origin);

// The same without rounding, for fractional coordinates such as arc centres.
float figToPixelF(float f, float dpi, float zoom, int origin);

// The Fig coordinate of pixel p: roundToInt((kx / zoom) × (max(p, 0) +
// origin)) in single precision; negative pixels count as 0.
int pixelToFig(int p, float dpi, float zoom, int origin);

// The same without counting negative pixels as 0, for points traced off the
// view (a hit left of or above it stays where it is instead of moving to the
// view's edge).
int pixelToFigUnclamped(int p, float dpi, float zoom, int origin);
