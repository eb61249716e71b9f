#pragma once
// What a test compares to see whether two states of a drawing are the same:
// every object of the drawing with all fields the Fig file keeps (kind,
// identifier, attributes, arrows, points, shape factors, smart links, text,
// compound members), one line per object or record, in drawing order.

#include <QByteArray>

class CFigContext;

namespace drawingdump {

QByteArray writtenDrawing(CFigContext& context);

} // namespace drawingdump
