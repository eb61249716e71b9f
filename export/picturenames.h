#pragma once
// The picture file names of a Fig file that fig2dev reads in another folder
// than the drawing's. fig2dev hands some picture names to a shell (those of
// compressed pictures) and reads the others as they stand; the export hands
// it a copy of the drawing in a folder of its own, in which every picture
// is named anew, so that no part of a name from the drawing reaches it.

#include <QByteArray>

#include <functional>
#include <optional>

// The Fig 3.2 text with every picture file name (one that is neither empty
// nor "<empty>") replaced by what `rename` gives for it; `rename` gets the
// name as it stands in the file, without the blanks around it. Nothing when
// the objects of the text cannot be followed (another version, damaged
// data): its names cannot all be found.
std::optional<QByteArray> renamePictures(
    const QByteArray& fig, const std::function<QByteArray(const QByteArray&)>& rename);
