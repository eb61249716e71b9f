#pragma once
// One grid definition and the program-wide list of them: seven built-in grids
// followed by the user's custom grids. The list owns its definitions; they are
// made at start (built-in grids, then the custom grids of the settings) and
// freed at exit. The drawing of a document's grid, the snapping to it and to
// vertices and the grid's status text are CFigContext members defined in
// griddef.cpp.

#include <QColor>
#include <QList>
#include <QString>

class QAction;

struct GridDef {
    // A step of 0 (or any step that is not a positive finite number) becomes 1;
    // the four steps in Fig units are derived from it.
    GridDef(const QString& name, const QString& statusTip, float step, const QColor& color, int penStyle,
        const QString& icon);

    QString name;
    QString statusTip; // "%1" stands for the unit word of a built-in grid
    QColor color;
    int penStyle; // a Qt::PenStyle
    QString icon;
    // The grid's entry in the main window's grid menu, not owned; set by the
    // grid and metrics dialog when it builds that menu, null before.
    QAction* action = nullptr;
    float step; // centimetres in metric documents, inches in the others
    double metricStep; // Fig units per step of a metric document
    double inchStep; // Fig units per step of an inch document
    double metricHalfStep;
    double inchHalfStep;
};

// Indexes with a fixed meaning: 0 is no grid, 4 to 6 are isometric, custom
// grids start after the built-in ones.
constexpr int builtinGridCount = 7;

// Owning list; index 0 is "None", custom grids from builtinGridCount on.
extern QList<GridDef*> gridDefs;

// Appends the seven built-in grids; called once before the settings are read,
// so that the custom grids follow them.
void createBuiltinGrids();

// Deletes every definition held in gridDefs and empties the list.
void deleteGridDefs();

// The isometric grids (vertical lines and lines at 30 degrees); every other
// index but 0 is a plain grid.
bool isIsometricGrid(int index);
