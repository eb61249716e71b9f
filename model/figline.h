#pragma once
// A polyline (object code 2): open polyline, box, polygon, arc-box or picture.
// Owns its point chain (a closed one repeats its first point at the end) and,
// for a picture, its picture data with the cached image.

#include "model/figobject.h"
#include "model/figpath.h"

struct PictureData;

class FigLine : public FigObject, public FigPath {
public:
    explicit FigLine(int objectId);
    ~FigLine() override;
    FigObject* clone() const override;
    void draw(CFigContext* context) override;
    // The points, or with withLineWidth the outline of the stroke with its joins.
    void getBounds(CFigContext* context, int& xmin, int& ymin, int& xmax, int& ymax, bool withTextDescent,
        bool withLineWidth) override;

    // Box corners of a box, arc-box or picture chain (null for an empty chain).
    // Among points with equal coordinates the last one wins, but a corner at
    // the first point's place is the first point, not the closing copy.
    FigPoint* upperLeftCorner() const;
    FigPoint* upperRightCorner() const;
    FigPoint* lowerLeftCorner() const;
    FigPoint* lowerRightCorner() const;
    int boxWidth() const;
    int boxHeight() const;
    int centerX() const;
    int centerY() const;

    // Writes the x, y of every point of the chain, in order, into consecutive
    // pairs of `pairs`, which must hold pointCount() of them; sets count.
    void copyPoints(int (*pairs)[2], int& count) const;

    // The first segment of the chain passing near (x, y): the first point
    // when (x, y) is within t1 (one pixel) of it, else the first segment that
    // pointNearSegment accepts with tolerance t. Gives the hit and the
    // segment's end points (the first point twice for a single point).
    bool findSegmentNear(
        int x, int y, int t, int t1, int& hitX, int& hitY, FigPoint*& segmentStart, FigPoint*& segmentEnd) const;

    // Links the point in after `previous` (in front when null); nothing when
    // it is already in the chain or `previous` is not. A polygon stays
    // closed: a new first point is copied to the closing point, a new last
    // point to the first.
    void insertPoint(FigPoint* previous, FigPoint* point);
    // Unlinks the point without deleting it; it keeps its own successor so
    // that an undo can put it back. A closed polyline stays closed: removing
    // the first point copies the new first onto the closing point, removing
    // the closing point makes its predecessor the closing copy.
    void removePoint(FigPoint* point);

    // Transform the cached image of a picture in place (render/pictures.cpp):
    // a positive angle turns it counter-clockwise on the screen, by a quarter
    // turn exchanging pixmapWidth and pixmapHeight; the mirrors exchange left
    // and right, or top and bottom. Nothing without picture data or image.
    void rotatePicture(int degrees);
    void mirrorPictureHorizontally();
    void mirrorPictureVertically();

    int capStyle = 0;
    int joinStyle = 0;
    int radius = -1; // corner radius of an arc-box in 1/80 inch; -1 otherwise
    PictureData* picture = nullptr; // owned; only for sub-type 5

private:
    FigPoint* findCorner(bool largestX, bool largestY) const;
};
