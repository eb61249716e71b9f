#pragma once
// The drawing of one document: the top-level objects in drawing order, the
// figure comment and the user colours with their shade tables. Owns the
// objects (and through them every member) and the shade tables.

#include "model/figobjectlist.h"
#include "model/figpoint.h"

#include <QColor>
#include <QHash>
#include <QMap>
#include <QString>

class CFigContext;
struct ShadeTable;

class FigDrawing {
public:
    FigDrawing() = default;
    virtual ~FigDrawing();

    FigDrawing(const FigDrawing&) = delete;
    FigDrawing& operator=(const FigDrawing&) = delete;

    // The box of all top-level objects (CFigContext::getObjectListBounds).
    void getBounds(CFigContext* context, int& xmin, int& ymin, int& xmax, int& ymax, bool withTextDescent,
        bool withLineWidth) const;

    FigObjectList objects; // owned objects
    // A box stored with the drawing by whoever computes it through getBounds.
    FigPoint upperLeft;
    FigPoint lowerRight;
    QString comment;
    QMap<int, QColor> userColors; // key = colour number - 32, iterated in key order
    QHash<int, ShadeTable*> userShades; // same keys; tables owned
};
