#pragma once
// Registration of the program's built-in resources. They are compiled into
// the static core library, whose resource objects are linked only when
// something refers to them: every executable calls initResources() once,
// after creating its application object and before it loads an image.

// Registers every resource file of images/ (safe to call more than once).
void initResources();
