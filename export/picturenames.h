#pragma once
// The picture file names of a Fig file that fig2dev reads in another folder
// than the drawing's. fig2dev looks for a picture with a relative name in the
// folder of the Fig file it was given; the export hands it a copy in a
// folder of its own, where a link to the drawing's folder stands. The names
// are rewritten to go through that link, so that the drawing's folder name
// itself never becomes part of a name fig2dev may hand to a shell.

#include <QByteArray>

// The Fig 3.2 text with `prefix` put in front of every relative picture file
// name (one that is neither empty, "<empty>" nor begins with "/"); `count`
// receives how many were changed. A text whose objects cannot be followed
// (another version, damaged data) is given back unchanged, with count 0.
QByteArray prefixRelativePictureNames(const QByteArray& fig, const QByteArray& prefix, int* count = nullptr);
