#pragma once
// A text dump of a drawing's objects with every field a change can touch
// (coordinates, attributes, arrows, smart-link records, shape factors,
// compound corners and members), for tests that compare a drawing before and
// after an operation. Screen metrics, caches and editing flags are left out.

#include "model/figobjectlist.h"

#include <QString>

namespace testdump {

QString dumpObjects(const FigObjectList* list);

} // namespace testdump
