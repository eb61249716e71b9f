#pragma once
// What a test compares to see whether two states of a drawing are the same:
// the bytes of the Fig file the document writes.

#include <QByteArray>

class CFigContext;

namespace writtendrawing {

// The drawing saved to a private temporary file and read back; empty when
// it could not be written.
QByteArray writtenDrawing(CFigContext& context);

} // namespace writtendrawing
