#pragma once
// What the value dialogs (arc, box, ellipse, path points, spline points and
// text coordinates) share: the unit list, number fields that remember what
// they were given to show, the range of values they take, and the one
// sequence that turns an edit into an undo step with the canvas redrawn.
// Stateless functions; the unit itself is `Preferences::valuesUnit`.

#include <QList>
#include <QString>

class ActionItem;
class CFigContext;
class FigObject;
class FigPoint;
class QComboBox;
class QDoubleSpinBox;
class QTableWidget;

namespace valueediting {

// Fills the unit list ("Metric (cm)", "Imperial (in)", "Display (dpi)",
// "FIG (1200 dpi)") and selects the program's unit. Call before connecting.
void fillUnitCombo(QComboBox* combo);

// Whether a position or length in Fig units can be stored and read back:
// finite and within the coordinates a Fig file may hold.
bool withinFigRange(double figValue);

// ---- Number fields ----

// Writes a Fig value, in the current unit at 4 decimals, into the field
// without a signal, and remembers it as what the field shows.
void showFigValue(const CFigContext* context, QDoubleSpinBox* field, int figValue);
void showFigValueF(const CFigContext* context, QDoubleSpinBox* field, double figValue);
// Writes a plain number (no conversion) the same way.
void showNumber(QDoubleSpinBox* field, double value);
// Takes what the field shows now as its unedited value.
void keepShown(QDoubleSpinBox* field);
// Puts back, without a signal, the value the field showed last.
void restoreShown(QDoubleSpinBox* field);

// The Fig values a pair of fields stands for. A field the user has not
// changed since it was last shown keeps the object's own value, so that
// editing one field never moves the other coordinate (whatever the unit's
// rounding, and also where a negative coordinate shows as 0). A changed field
// is converted from the current unit (x with the horizontal dots per inch).
// False, with the refused field put back, when a typed value lies beyond the
// Fig range; the outputs are then unchanged.
bool readPair(const CFigContext* context, QDoubleSpinBox* xField, QDoubleSpinBox* yField, double objectX,
    double objectY, double& x, double& y);
// Takes both fields' values as shown (after an edit or one that changed
// nothing) or puts them back (after an edit that was refused).
void keepPair(QDoubleSpinBox* xField, QDoubleSpinBox* yField);
void restorePair(QDoubleSpinBox* xField, QDoubleSpinBox* yField);

// ---- Undo steps ----

// Redraws the object's area without it, executes the actions in order,
// redraws the area with it and records the actions as one undo step, which
// marks the document modified. When an action refuses (its redo fails), the
// ones done are undone, none is kept and false is returned.
bool applyStep(CFigContext* context, FigObject* object, const QList<ActionItem*>& actions);
// Whether the object's points, moved by (dx, dy), stay within the Fig range.
bool moveStaysInRange(CFigContext* context, FigObject* object, double dx, double dy);
// Moves the object by (dx, dy) as one undo step; with `carryLinked` the lines
// and splines of the drawing smart-linked to it follow. False, nothing done,
// when the move would leave the Fig range.
bool moveObject(CFigContext* context, FigObject* object, int dx, int dy, bool carryLinked);

// ---- Point tables ----

// The centre of the object's box with line width and arrowheads, halved in
// whole Fig units toward zero.
void objectCentre(CFigContext* context, FigObject* object, int& cx, int& cy);

// The centre pair of a points dialog typed: the object, with what is
// smart-linked to it, moves so that its centre is the typed one, as one
// undo step. True when it moved; otherwise the fields keep or get back
// what they showed, and nothing changed.
bool moveToTypedCentre(CFigContext* context, FigObject* object, QDoubleSpinBox* xField, QDoubleSpinBox* yField);
// A table value in the general format with six significant digits.
QString cellText(double value);
// Fills columns 0 and 1 of the first `rows` rows with the points of the
// chain in the current unit, without signals.
void fillPointCells(const CFigContext* context, QTableWidget* table, const FigPoint* chain, int rows);
// A committed coordinate cell (column 0 x, 1 y) of point `row` of the
// object's chain: moves the point as one undo step with the action of the
// object's kind. Text that is no number, or a value beyond the Fig range,
// is refused and the cell shows the point's coordinate again. True when the
// point moved.
bool editPointCell(CFigContext* context, FigObject* object, QTableWidget* table, int row, int column);
// Highlights the point of the current row on the canvas and gives the
// point of the previous row its plain marker again.
void activatePointRow(CFigContext* context, FigObject* object, int currentRow, int previousRow);

} // namespace valueediting
