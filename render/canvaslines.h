#pragma once
// The pixels of the straight dotted or dashed lines drawn over the canvas,
// the grid's and the paper frame's, placed by the drawing rather than by the
// window: a line's position, and where its dots or dashes fall along it,
// depend only on the drawing coordinates of its pixels (not on where the line
// enters the window or the part being drawn). A canvas scrolled by moving its
// pixels therefore meets the strip drawn after the move exactly, and dotted
// lines keep their dots in place. One thing depends on the window: a grid
// line that lies exactly on the window's edge or just before it, and so would
// show in its first column or row, is left out (leavesOutEdgeLine tells
// when).

#include <QPoint>
#include <QRect>
#include <QVector>

#include <Qt>

class QPainter;

class CanvasLines {
public:
    // `area` is in canvas pixels; `origin` is the canvas origin (the drawing
    // pixel shown at canvas pixel 0, 0). Pixels of the pen's pattern that are
    // off are left out.
    CanvasLines(const QRect& area, const QPoint& origin, Qt::PenStyle style);

    // A vertical line at canvas column `x` from row `y1` to row `y2`, and a
    // horizontal one at row `y` from column `x1` to `x2` (both ends drawn).
    void addColumn(int x, long long y1, long long y2);
    void addRow(int y, long long x1, long long x2);

    // A vertical line through every `spacing` drawing pixels (none for a
    // spacing that is not a positive number).
    void addColumns(double spacing);
    // A horizontal line through every `spacing` drawing pixels.
    void addRows(double spacing);
    // Lines that go `slope` pixels down per pixel to the right (up for a
    // negative slope), `spacing` pixels apart vertically, one of them
    // through the drawing's pixel 0, 0. The slope must lie within -1..1.
    void addSlanted(double spacing, double slope);

    // Whether lines `spacing` drawing pixels apart leave one out of the
    // window's first column (or row) when the window begins at drawing pixel
    // `origin`: one that would show there but does not lie past the edge.
    static bool leavesOutEdgeLine(double spacing, long long origin);

    // Draws the collected pixels with the painter's pen.
    void draw(QPainter* painter) const;
    int pixelCount() const { return points.size(); }

private:
    bool patternOn(long long along) const;
    // The canvas positions of the lines `spacing` apart whose pixels lie
    // from `first` to `last`, the window beginning at drawing pixel `origin`.
    static QVector<int> linePositions(double spacing, int first, int last, long long origin);

    QRect area;
    QPoint origin;
    QVector<int> pattern; // on and off lengths in pixels; empty when solid
    int period = 0;
    QVector<QPoint> points;
    QVector<QRect> lines; // whole solid rows and columns, a pixel wide
};
