#pragma once
// The resource paths of every built-in image: tool bar and tool panel icons,
// markers, fill patterns, line styles, arrowheads and the LaTeX font names.
// This list is the one place that names them: the image generator
// (images/generator) draws one PNG per path and writes the resource file
// that maps each path onto its PNG, and the tests load every one.

#include <QStringList>

// Every built-in image, as ":/<prefix>/images/<folder>/<name>.png", grouped by
// prefix. The PNG of a path lies in the source tree at images/<folder>/<name>.png.
const QStringList& builtinImagePaths();
