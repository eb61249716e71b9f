#pragma once
// What a test compares to see whether two states of a drawing are the same:
// the bytes of the Fig file the document writes.

#include <QByteArray>
#include <QString>

class CFigContext;

namespace writtendrawing {

// The drawing saved to a private temporary file and read back; empty when
// it could not be written.
QByteArray writtenDrawing(CFigContext& context);

// The written drawing followed by the structural dump (which also shows link
// indices and text metrics); "(not written)" in place of a file that could
// not be written.
QString writtenAndDumped(CFigContext& context);

} // namespace writtendrawing
