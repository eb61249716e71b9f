#pragma once
// Sizes a designer form so that everything it shows is read whole: the
// form keeps the size and limits it was given where its contents fit them,
// and grows to the least size they need where they do not. A fixed size
// stays fixed, a height limit stays a limit.

class QComboBox;
class QWidget;

namespace formfit {

// The width a closed combo box needs to show its widest entry whole: the
// chosen entry's icon and text beside its arrow.
int comboNeed(const QComboBox* combo);

// Lets no widget be held smaller than it needs by a maximum size, and
// gives every number field the width of the widest value of its range.
void widenFields(QWidget* form);

// Every push button with text let shrink down to what its text needs (the
// style's minimum button width is a wish, and a row of buttons that keeps it
// can push a form past its size), the fields widened as above, then the
// form's size, minimum and maximum raised where its layout needs more.
void fitToContents(QWidget* form);

} // namespace formfit
