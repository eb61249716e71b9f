#pragma once
// What a user reads in a window, checked from the fonts' own metrics and the
// style's measures, never from pixel numbers: each label, check box, radio
// button, push button, group title and combo box entry shown whole, each
// number field wide enough for the widest value of its range, no two visible
// widgets on top of each other and none reaching out of its parent (inside a
// scroll area the viewport scrolls to it).

#include <QByteArray>
#include <QString>
#include <QStringList>

class QWidget;

namespace layoutcheck {

// The widget's class, name, text and geometry, for a fault's line.
QString describe(const QWidget* w);

// Widgets whose own children are theirs alone (frames, arrows, edit fields).
bool isComposite(const QWidget* w);

// Whether the widget's text or widest value fits it; adds a line per fault.
void checkText(QWidget* w, QStringList& faults);

// The faults of every visible widget under `top` as it is shown now.
QStringList shownFaults(QWidget* top);

// The same, on every page of every visible stack (tab pages included) in turn.
QStringList layoutFaults(QWidget* top);

// Each fault on a line of its own as a warning, then their count for the
// failure message.
QByteArray report(const QStringList& faults);

} // namespace layoutcheck
