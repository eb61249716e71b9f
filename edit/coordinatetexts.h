#pragma once
// The length unit in which a document shows positions and measures: a
// centimetre (472.440944 Fig units) when it is metric, else an inch (1200),
// and the texts of one length in that unit. Shared by the measurement panel
// and the tangent and normal modes; stateless.

#include <QString>

// Fig units per unit of a metric or an inch document.
double lengthUnitInFigUnits(bool metric);
// "cm" or "in".
QString lengthUnitText(bool metric);
// `format` holds one %5.2f for the value and one %s for the unit text,
// such as "r=%5.2f %s"; the value is Fig units divided by the unit.
QString formatLength(const char* format, double figUnits, bool metric);
