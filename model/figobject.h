#pragma once
// The base of every Fig object: the editing state (FigObjectHandling) and the
// attributes all kinds share. An object owns its arrow records and comment;
// each kind adds what it owns. Objects are plain records: drawing, bounds,
// transforms, reading and writing reach the fields directly.

#include <QString>

class CFigContext;
struct FigArrow;

// The state of an object while it is edited: selection, markers and the
// redraw in progress. Not polymorphic.
class FigObjectHandling {
public:
    bool selected = false;
    int markerState = 0; // 0 none, 1 markers of an unselected object, 2 selection markers
    bool skipRedraw = false;
};

class FigObject : public FigObjectHandling {
public:
    // Object codes of the Fig format, as stored in `type`.
    enum Code { Ellipse = 1, Polyline = 2, Spline = 3, Text = 4, Arc = 5, Compound = 6 };

    FigObject() = default;
    virtual ~FigObject();

    FigObject(const FigObject&) = delete;
    FigObject& operator=(const FigObject&) = delete;

    // A deep copy of the same kind that keeps the identifier; null when memory
    // runs out (the source is never changed). The base has no kind: null.
    virtual FigObject* clone() const;
    // Paints the object on the context's painter (render/objectdrawing.cpp);
    // the base dispatches on `type`.
    virtual void draw(CFigContext* context);
    // The bounding box in Fig units; the base gives 0, 0, 0, 0.
    virtual void getBounds(
        CFigContext* context, int& xmin, int& ymin, int& xmax, int& ymax, bool withTextDescent, bool withLineWidth);

    // Copies the editing state, the common attributes, the identifier and the
    // comment; arrows are left to the clone, which makes records of its own.
    void copyAttributes(const FigObject& other);

    int formerSubType = -1; // spline sub-type of a polyline converted from a spline
    int type = -1;
    int id = -1;
    int subType = 0;
    int lineStyle = 0;
    int lineWidth = 0; // 1/80 inch
    int penColor = 0;
    int fillColor = -1;
    int fillStyle = -1;
    int depth = 0;
    int penStyle = -1;
    float styleVal = 0.0f;
    FigArrow* forwArrow = nullptr; // owned
    FigArrow* backArrow = nullptr; // owned
    QString comment;

protected:
    // Copies of the arrow records for a clone; throws std::bad_alloc.
    void cloneArrowsInto(FigObject& copy) const;
};
