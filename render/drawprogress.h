#pragma once
// How often, in milliseconds, a long whole-canvas draw lets its window show
// the canvas drawn so far and how far the draw has come
// (WindowSeam::showDrawProgress); a test seam.
extern int drawProgressInterval;
