#pragma once
// The program-wide buffer of screen points in which one outline at a time is
// assembled before it is stroked, filled, measured or hit-tested: object
// drawing, arrowheads, the X-spline evaluation and the spline query share it.
// It lives for the whole run and belongs to the GUI thread; whoever assembles
// an outline empties it first and reads it right after.

#include <QPoint>
#include <QVector>

struct PointBuffer {
    static constexpr int capacity = 100000;

    int count = 0;
    int lastX = -1; // the last point added, to skip consecutive repeats
    int lastY = -1;
    QPoint points[capacity];
};

extern PointBuffer pointBuffer;

// Empties the buffer; the array keeps its old contents.
void resetPointBuffer();

// Adds a pixel point. False (nothing added) when the buffer is full; true
// without adding when the point repeats the last one.
bool addScreenPoint(int x, int y);

// Drops, in place, every point equal to the last point kept; returns the new
// count.
int removeDuplicatePoints(QPoint* points, int count);

void appendPoints(QVector<QPoint>& vector, const QPoint* points, int count);
void copyPointPairs(const QPoint* source, QPoint* destination, int count);
