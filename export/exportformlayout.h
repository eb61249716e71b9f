#pragma once
// The export form places the widgets of its general options and of its
// format pages at fixed pixel positions, made for one font: at another font
// texts are cut and widgets run into each other. This puts them into grid
// layouts in the same arrangement of rows and columns, so that every page
// takes the room its texts and fields need, and gives the format list the
// width of its widest entry and the height of all its rows.

class QWidget;

namespace exportformlayout {

// Lays out the form set up on `dialog`; the widgets keep their names,
// parents and values.
void layOut(QWidget* dialog);

} // namespace exportformlayout
