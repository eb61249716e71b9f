#pragma once
// The context of one document: its drawing, undo history, editing state, view
// (scroll origin, zoom, dots per inch), grid settings, Fig header values, the
// colours new objects take and the per-depth tables. Owns the drawing (and
// through it every object), the undo history, the user shade tables, the
// `selection` list (not its objects) and `editCopy`; `currentObject` and
// `openCompound` only point into the drawing.

#include "model/boundscache.h"
#include "model/figdrawing.h"
#include "model/figobjectlist.h"
#include "model/objectlist.h"
#include "model/undohistory.h"
#include "model/xspline.h"

#include <QList>
#include <QString>

class ActionItem;
class FigCompound;
class FigLine;
class FigObject;
class FigPoint;
struct FigArea;
struct FigArrow;
class QColor;
class QPainter;
class QRect;
class QTChildFrm;
struct PictureData;
struct SmartLink;

class CFigContext {
public:
    static constexpr int maxUndoSteps = 10000;
    static constexpr int depthCount = 1000;
    // User colour keys run from 0 to maxUserColors - 1 (colour numbers from 32).
    static constexpr int maxUserColors = 65534;

    // The context of a document window.
    explicit CFigContext(QTChildFrm* documentView);
    // A window-less context; its creator sets dpiX and dpiY and the painter.
    CFigContext();
    virtual ~CFigContext();

    CFigContext(const CFigContext&) = delete;
    CFigContext& operator=(const CFigContext&) = delete;

    // Gives every editing, view, grid, header and per-depth field its initial
    // value; leaves the file name, window, painter, zoom, dpi, drawing and
    // undo steps alone.
    void init();

    // The list all editing works on: the open compound's members, else the
    // drawing's top-level objects.
    FigObjectList* objects();
    int nextObjectId();

    // The key of the new user colour, or -1 for an invalid colour or when all
    // keys are in use.
    int addUserColor(const QColor& color);
    bool hasUserColor(int colorNumber) const;

    void setModified();
    void clearModified();
    void saveViewport();
    void restoreViewport();
    void updateDpi();
    void setPainter(QPainter* newPainter);

    // Copies of one object with fresh identifiers; the source is not touched.
    // Null for a null object or when memory runs out.
    FigObject* cloneObject(const FigObject* object);
    FigObject* cloneCompound(const FigCompound* compound);
    void renumberCompound(FigCompound* compound);
    // For a polyline or a spline only (null for other kinds).
    FigObject* clonePath(const FigObject* path, bool keepLinks);
    FigObject* cloneUnlinked(const FigObject* object);

    // Identifiers and copies of lists with fresh identifiers.
    void renumberWithIdMap(const FigObjectList* list, ObjectIdMap& ids);
    int replaceObjectsById(const FigObjectList* list);
    FigObjectList* cloneObjectListWithIds(const FigObjectList* list);

    // Compound bookkeeping.
    FigCompound* parentCompoundOf(const FigObjectList* list, const FigObject* compound);
    void collectParentCompounds(const FigObjectList* list, FigObjectList& out);
    void updateParentCompoundBounds(const FigObjectList* list);
    // Goes one level up out of the open compound, which becomes the selected
    // current object with its corners fitted; one left empty stays in the
    // drawing (the undo steps of its members' deletions put them back into
    // its member list). Editing's own way out of a compound that leaves the
    // drawing; the user's command is closeCompoundForEditing.
    void closeCompound(bool redraw);

    // Union of the boxes of the list's top-level objects (only the selected
    // ones with selectedOnly); 0, 0, 0, 0 when no object counts.
    void getObjectListBounds(const FigObjectList* list, int& xmin, int& ymin, int& xmax, int& ymax, bool selectedOnly,
        bool withTextDescent, bool withLineWidth);

    // Every change of the drawing's objects, their points, attributes, texts,
    // pictures and membership, counts here: reading a file, and every change
    // that marks the document modified (each step pushed to, undone or
    // redone by the undo history, each edit mode and dialog that changes the
    // drawing). What is worked out from the drawing is kept against it.
    void noteDrawingChanged() { ++changeCount; }
    unsigned long long drawingChangeCount() const { return changeCount; }
    // The box of the drawing's top-level objects as getObjectListBounds gives
    // it with text descents and line widths, kept until the drawing changes
    // or the resolution does; texts and arrowheads are measured at the zoom
    // of the first call after a change, since their box moves by a fraction
    // of a character or a pixel between zooms, which nothing that asks here
    // needs. While
    // special texts are typeset and the drawing holds one, it is measured
    // anew at each call (their images, made as they are drawn, give their
    // width). The test build checks it against a recomputation at that zoom.
    void getDrawingBounds(int& xmin, int& ymin, int& xmax, int& ymax);
    // The kept boxes of the top-level objects.
    BoundsCache boundsCache;

    void redrawCanvas();
    // The same for a rectangle of canvas pixels only (the strip a scroll
    // has uncovered): cleared, then grid, paper frame, the objects that may
    // paint into it and all markers, clipped to it. No rubber band: not for
    // use while a gesture is under way.
    void redrawCanvasPixels(const QRect& pixels);
    // Anchors the painter's fill patterns to the drawing rather than to the
    // canvas, so that pixels moved by a scroll match what a redraw at the
    // new origin paints. Every redraw does it; so does the document window
    // when it begins its painter.
    void anchorFillPatterns();

    // ---- Undo history ----

    // Runs redo of each action of the step in order; the results are ignored.
    void executeActionGroup(const QList<ActionItem*>& step);
    // When the owner list is the member list of a compound of the drawing:
    // recomputes the corners of the compound and of the compounds around
    // it, redraws their old and new area and returns the compound; else null.
    FigCompound* refreshOwnerCompound(const FigObjectList* ownerList);
    // Whether the open compound is the object (a compound) or lies inside it.
    bool editingInside(const FigObject* object) const;
    // Before the object leaves the drawing: closes editing back to a list
    // that stays in the drawing and lets go of the object as the current one.
    void closeEditingInside(const FigObject* object);

    // ---- Value units ----

    // A value in the current values unit (`Preferences::valuesUnit`) to Fig
    // units; display pixels use dpiX when horizontal is true, else dpiY.
    int toFigUnits(double value, bool horizontal) const;
    // Fig units to a value in `unit`, rounded to `decimals` places (display
    // pixels are whole and always use dpiX).
    double fromFigUnits(int value, int unit, int decimals) const;
    double fromFigUnitsF(double value, int unit, int decimals) const;

    // ---- Per-depth bookkeeping and visibility ----

    // Appends the object to the list. Objects entering the drawing's tree
    // (its top-level list or the member list of a compound in it, at any
    // nesting) are counted, compounds by their members; other lists are not.
    void addObject(FigObjectList* list, FigObject* object);
    // The same at an index of the list (-1 or past the end: appended); the
    // actions put an object back where an earlier step took it from.
    void insertObject(FigObjectList* list, FigObject* object, int place);
    // Takes the first occurrence of the object out of the list without
    // deleting it, uncounting it when the list belongs to the drawing's tree.
    // False for a null list or an object not in the list (then nothing is
    // uncounted); true for a null object.
    bool removeObject(FigObjectList* list, FigObject* object);
    // The same, returning the index the object had; -1 when it was not there
    // (or for a null list or object), and then nothing changes.
    int takeObject(FigObjectList* list, FigObject* object);
    // Whether the list is the drawing's top-level list or the member list of
    // a compound somewhere in the drawing.
    bool isDrawingList(const FigObjectList* list) const;

    // One object more or less at a depth (type is the Fig object code, 1 to
    // 5); keeps minDepth and maxDepth and rebuilds the layers tool bar when a
    // depth comes into use or an end of the used range may have moved.
    // Depths outside 0 to 999 are ignored rather than written out of bounds.
    void addDepthCount(int type, int depth);
    void removeDepthCount(int type, int depth);
    // Whole lists, compounds by their members at every nesting; the layers
    // tool bar is rebuilt at most once.
    void addObjectsToDepths(const FigObjectList* list);
    void removeCompoundFromDepths(const FigCompound* compound);
    void removeObjectsFromDepths(const FigObjectList* list);
    // Zeroes the counts only; minDepth and maxDepth are left alone.
    void clearDepthObjectCounts();
    // Rebuilds the main window's layers tool bar for this document unless a
    // rebuild is held back, there is no main window or the context has no
    // document window.
    void refreshLayersToolbar();

    void showAllDepths();
    // Shows or hides a used depth and redraws the document window: only that
    // depth on top when it becomes shown with no shown depth in front of it,
    // else the whole canvas. Depths outside the used range are left alone.
    void setDepthVisible(int depth, bool visible);

    // The segment of a polyline passing within `tolerance` of (x, y): its end
    // points and their indices in the chain and the hit on it. For a closed
    // polyline a hit on the closing segment ends at the first point (index
    // 0). False when nothing is near; the outputs then mean nothing.
    bool findLineSegmentNear(const FigLine* line, FigPoint*& leftPoint, FigPoint*& rightPoint, int& leftIndex,
        int& rightIndex, int x, int y, int tolerance, int& hitX, int& hitY) const;

    // ---- Colours ----

    // Merges the user colours of another drawing into this document's: a
    // colour the document has keeps its number, another one takes the lowest
    // free key. Uses of the source numbers in `objects` (compound members at
    // every depth) are renumbered, each object once. The keys of the colours
    // added go to `added` when given.
    void importUserColors(const FigDrawing* source, const FigObjectList* objects, QList<int>* added = nullptr);
    // Pen width in pixels for a line width in 1/80 inch; 0 means no outline.
    int scaledLineWidth(int lineWidth, float atZoom) const;
    // Fills a pixel polygon with an area fill on the painter (odd-even rule,
    // no pen); the brush stays set. Nothing for an area fill below 0.
    void fillPolygon(int objectPenColor, int objectFillColor, int objectFillStyle, int drawingStyle,
        const class QPoint* points, int count);
    void fillObjectPolygon(const FigObject* object, int drawingStyle, const class QPoint* points, int count);
    // Fills an ellipse on a painter already moved to its centre and turned by
    // its angle.
    void fillEllipse(const class FigEllipse* ellipse, int drawingStyle);

    // ---- Canvas mapping, point buffer and drawing primitives ----

    // The canvas mapping (render/canvasmapping.h) with this document's zoom,
    // dots per inch and scroll origin: pixels per Fig unit, Fig to pixel and
    // pixel (negative counting as 0) to Fig.
    float canvasScaleX() const;
    float canvasScaleY() const;
    int figToPixelX(int x) const;
    int figToPixelY(int y) const;
    class QPoint figToPixelPoint(int x, int y) const;
    int pixelToFigX(int x) const;
    int pixelToFigY(int y) const;

    // Outline generators filling the point buffer (render/pointbuffer.h).
    // A Fig point mapped to the canvas; false when the buffer is full.
    bool addFigPoint(int x, int y);
    // Empties the buffer and adds the line's whole chain; false only when the
    // line has no points.
    bool addLinePoints(const class FigLine* line);
    // The pixels of a circular arc traced one pixel at a time: start and end
    // as offsets from the centre (y up), direction 1 counter-clockwise on the
    // screen, 0 clockwise; wx, wy the weights (the radius); all in Fig units.
    // With closeToCentre the outline of a pie wedge.
    void addEllipticArcPoints(
        int xs, int ys, int xe, int ye, bool closeToCentre, int direction, int wx, int wy, int cx, int cy);
    // The closed outline of a box with corners of radius r, in Fig units.
    void addArcBoxPoints(int xmin, int ymin, int xmax, int ymax, int r);

    // Stroking and filling primitives on `painter`, with a drawing style
    // (3 normal, 10 dimmed, 11 greyed). A line object needs two points or
    // more, a dot is a polyline of one point; a rounded box shows a one-pixel
    // outline even at line width 0.
    void drawLineObject(const FigLine* line, int style);
    // The same for the line's points as the point buffer already holds them.
    void drawBufferLine(const FigLine* line, int style);
    void drawDot(const FigLine* line, int style);
    void drawArcBox(const FigLine* line, int style);
    // Turns the painter to the ellipse's centre and angle (whole degrees),
    // draws, and puts the painter's transformation back as it was.
    void drawEllipseObject(const class FigEllipse* ellipse, int style);
    // Fills and strokes whatever the point buffer holds (a spline's curve).
    void drawBufferOutline(const FigObject* object, int style);
    // Fills and strokes pixel points given by the caller (arrowheads).
    void drawStyledPolyline(const QPoint* points, int count, int style, int lineWidth, int lineStyle, float styleVal,
        int joinStyle, int capStyle, int fillStyle, int penColor, int fillColor);
    // Fills the pixel rectangle with corners (x1, y1) and (x2, y2) inclusive;
    // nothing without a painter.
    void fillRect(const QColor& colour, int x1, int y1, int x2, int y2);
    // A line between two Fig points with the rubber-band pen of `kind` (0
    // solid, 2 dashed, 11 dash-dot, others keep the painter's pen); mode 1
    // inverts, so that drawing the same band twice restores the canvas. The
    // composition is set back to source-over afterwards.
    void drawRubberBand(int x1, int y1, int x2, int y2, int kind, int mode);

    // ---- Arrowheads ----

    // The polygons of one arrowhead from pixel points: outline (at most
    // arrowOutlineCapacity points), fill (arrowFillCapacity) and clip
    // (arrowClipCapacity). w is the arrow's thickness truncated to an int;
    // lineWidth that of the object's line, which the clip covers beside the
    // tip as well. All counts 0 for a degenerate arrow.
    void computeArrowPolygons(const QPoint& from, const QPoint& tip, int w, const struct FigArrow& arrow,
        QPoint* outline, int& outlineCount, QPoint* fill, int& fillCount, QPoint* clip, int& clipCount,
        int lineWidth = 0);
    // Both arrowheads of an object whose outline is in `points` (kind: Fig
    // object code 2, 3 or 5; offset 0, or 2 for splines). The outlines go to
    // forwardArrowOutline and backwardArrowOutline.
    void computeArrowheads(const FigObject* object, int kind, const QPoint* points, int count, int offset,
        struct ArrowPolygons& forward, ArrowPolygons& backward);
    // Takes the clip polygons out of the painter's clip when the line is two
    // pixels wide or more, so that it does not poke through the heads. True
    // when a clip was set; `saved` then holds the clip to restore with
    // restoreArrowClip once the line is drawn.
    bool clipOutArrowheads(const QPoint* forwardClip, int forwardCount, const QPoint* backwardClip, int backwardCount,
        int lineWidth, class QRegion& saved);
    // Puts back the clip saved by clipOutArrowheads (the whole device when
    // there was none).
    void restoreArrowClip(const QRegion& saved);
    // Draws one arrowhead from its outline and fill polygons: outline of the
    // arrow's thickness, hollow heads filled white, filled ones in the pen
    // colour. Nothing for an object of line width 0.
    void drawArrowhead(const FigObject* object, const FigArrow* arrow, const QPoint* outline, int count,
        const QPoint* fill, int fillCount, int style);
    // Grows a box in Fig units by the arrowheads of an arc (kind 5),
    // polyline (2) or spline (3) as drawn at the current view.
    void addArrowBounds(int kind, const FigObject* object, int& xmin, int& ymin, int& xmax, int& ymax);

    // ---- Object drawing ----

    // The drawing style of an object (render/colors.h): the visibility of its
    // depth with the layer draw mode, then the compound edit view mode for an
    // object outside the compound open for editing. DrawHidden: not drawn.
    int drawStyleOf(const FigObject* object) const;
    // Per-kind drawing on `painter`, reached through FigObject::draw.
    void drawArc(class FigArc* arc);
    void drawEllipse(class FigEllipse* ellipse);
    void drawLine(FigLine* line);
    void drawSpline(class FigSpline* spline);
    void drawText(class FigText* text);
    // Draws the whole drawing into the pixmap, zoomed so that its larger
    // extent fills width or height; shows all depths, recounts them, and
    // leaves zoom, origin and painter as they were. Nothing without a pixmap.
    void renderObjectsToPixmap(class QPixmap* pixmap, int width, int height);

    // ---- X-splines ----

    // Evaluate the whole spline in screen pixels (precision 0.5 for every
    // caller) and hand each curve point to the consumer; both empty the point
    // buffer first and clear splineEvaluationStopped. The open layout ends on
    // the last control point; the closed one repeats its first curve point.
    bool computeOpenSpline(const class FigSpline* spline, float precision, SplinePointConsumer consumer);
    bool computeClosedSpline(const class FigSpline* spline, float precision, SplinePointConsumer consumer);

    // ---- Text metrics and drawing ----

    // The pixel size of the text's font at a zoom, for dpiY and the
    // preference "font base 72dpi" (sizes in points of 1/72 or 1/80 inch).
    int textPixelSize(const class FigText* text, double atZoom) const;
    // Fills the text's width, length, ascent (Fig units), descent and pixel
    // height (pixels) and its metrics zoom. Every caller passes `zoom`.
    void computeTextMetrics(class FigText* text, double atZoom);
    // Draws the text's string as if its anchor were at (x, y) in Fig units,
    // justified and rotated, for the drawing styles 3, 10 and 11. The painter's
    // transformation is as before afterwards.
    void drawPlainText(int x, int y, int drawStyle, class FigText* text);

    // ---- Pictures ----

    // (Re)loads the image of a picture polyline into its picture data and
    // reports in the status bar; false when there is no image afterwards.
    bool readPicture(FigLine* picture, PictureData* data);
    bool loadPictureImage(PictureData* data);
    // The distances between the first and the third point (the opposite box
    // corners) in Fig units and in canvas pixels.
    void pictureSizeFig(const FigLine* picture, int* width, int* height) const;
    void pictureScreenSize(const FigLine* picture, int* width, int* height) const;
    // Draws the cached image scaled into the box, turned and mirrored to the
    // box's orientation and the flipped flag first; the placeholder when
    // there is no image.
    void drawPicture(FigLine* picture);
    // The box with the picture's file name centred in it when the name fits;
    // the rectangle in canvas pixels.
    void drawPicturePlaceholder(FigLine* picture, int left, int top, int width, int height);

    // ---- LaTeX text images ----

    // Draws a special text as the image LaTeX makes of it, at the anchor
    // (x, y) in Fig units, cached per drawing style and resolution; as plain
    // text when typesetting fails (and from then on, until the images are
    // flushed).
    void drawLatexText(int x, int y, int drawStyle, class FigText* text);
    // Typesets the text in the colour at `resolution` dots per inch; on
    // success `*image` is a new pixmap (owned by the caller), otherwise it is
    // left untouched.
    void renderLatexText(FigText* text, const QColor& colour, int resolution, class QPixmap** image);

    // ---- Bounding boxes ----

    // Union of the boxes, both flags set, of the selected objects of the list;
    // 0, 0, 0, 0 when none is selected.
    void getSelectionBounds(const FigObjectList* list, int& xmin, int& ymin, int& xmax, int& ymax);
    // Smallest and largest x and y of the chain from `first`; 0, 0, 0, 0 for none.
    void pointChainBounds(const FigPoint* first, int& xmin, int& ymin, int& xmax, int& ymax) const;

    // ---- Attribute changes ----

    // Apply writes the change's new value onto the object, revert its old
    // one (model/attributechange.h). A kind that does not concern the object
    // changes nothing. The common operations serve kinds 0 to 6 of every
    // object but texts; each kind of object adds its own kinds.
    void applyCommonAttributeChange(FigObject* object, const struct AttributeChange* change);
    void revertCommonAttributeChange(FigObject* object, const AttributeChange* change);
    void applyArcAttributeChange(class FigArc* arc, const AttributeChange* change);
    void revertArcAttributeChange(FigArc* arc, const AttributeChange* change);
    void applyEllipseAttributeChange(class FigEllipse* ellipse, const AttributeChange* change);
    void revertEllipseAttributeChange(FigEllipse* ellipse, const AttributeChange* change);
    void applyPolylineAttributeChange(FigLine* line, const AttributeChange* change);
    void revertPolylineAttributeChange(FigLine* line, const AttributeChange* change);
    void applySplineAttributeChange(class FigSpline* spline, const AttributeChange* change);
    void revertSplineAttributeChange(FigSpline* spline, const AttributeChange* change);
    void applyTextAttributeChange(class FigText* text, const AttributeChange* change);
    void revertTextAttributeChange(FigText* text, const AttributeChange* change);
    // Every member, compounds recursively; member texts lose their LaTeX
    // images unless the kind keeps them. Applying records what each member
    // held in the change, and reverting puts exactly that back.
    void applyCompoundAttributeChange(FigCompound* compound, AttributeChange* change);
    void revertCompoundAttributeChange(FigCompound* compound, AttributeChange* change);
    void applyListAttributeChange(const FigObjectList* list, const AttributeChange* change);
    void revertListAttributeChange(const FigObjectList* list, const AttributeChange* change);

    // ---- Geometric queries ----

    // The first vertex of the current list within t (square) of (x, y):
    // polyline points first, then arc points, then the control points of
    // interpolated splines and the end points of open splines. The excluded
    // object and objects on hidden depths are passed over.
    FigPoint* findVertexNear(const FigObject* excluded, int t, int x, int y);
    // The first polyline of the list (not `excluded`) with a segment near
    // (x, y); records the segment in tangentSegment.
    FigObject* findLineNear(
        const FigObjectList* list, int x, int y, int t, int& hitX, int& hitY, const FigObject* excluded);
    // The first ellipse or circle of the list whose outline passes near
    // (x, y); records the outline's tangent at the hit (no direction for a
    // hit at the centre).
    FigObject* findEllipseNear(const FigObjectList* list, int x, int y, int t, int& hitX, int& hitY);
    // The spline's curve, evaluated at the current view, near the pixel
    // (px, py) within tpx pixels: the foot on the chord hit and the chord's
    // ends, all in pixels. The evaluation stops after the segment of the hit.
    bool findSplineSegmentNear(const class FigSpline* spline, int px, int py, int tpx, class QPoint& hit,
        QPoint& chordStart, QPoint& chordEnd);
    // The first spline of the list (not `excluded`) whose curve passes within
    // t of (x, y), with the hit on the curve and its chord recorded in
    // tangentSegment; else the first with a control point within t (square),
    // that point being the hit and no tangent recorded.
    FigObject* findSplineNear(
        const FigObjectList* list, int x, int y, int t, int& hitX, int& hitY, const FigObject* excluded = nullptr);
    // One pixel in Fig units at the current zoom, as the queries use it.
    int onePixelInFigUnits() const;

    // ---- Taking attributes from an object ----

    // Copy the object's attributes into the current drawing attributes
    // (currentAttrs) and its colours and area fill into this document's, so
    // that the next object drawn looks like it. Nothing for a null object.
    // Ellipses and texts leave the arrow settings alone, pictures take their
    // depth only.
    void takeArcAttributes(FigObject* object);
    void takeEllipseAttributes(FigObject* object);
    void takePolylineAttributes(FigObject* object);
    void takeSplineAttributes(FigObject* object);
    void takeTextAttributes(FigObject* object);

    // Forwarders of the edit modes to the main window's attribute pages: the
    // object (null: none) shown as QTMainFrm::showObjectAttributes shows it;
    // for a list, no object when it holds more than one, else the current
    // object. Nothing without a main window.
    void showObjectAttributes(FigObject* object);
    void showSelectionAttributes(const FigObjectList* list);

    // ---- New polylines (edit/linemode.cpp) ----

    // A polyline of the sub-type on the chain (which it takes over), with a
    // fresh identifier, the current attributes and this document's colours,
    // no arrows, corner radius 0; a polygon's chain (sub-type 3) gets its
    // closing copy of the first point. Not added to any list. Null when no
    // memory is left (the chain then stays the caller's).
    FigLine* createLine(int subType, FigPoint* chain);

    // ---- New objects of the other kinds (edit/objectfactories.cpp) ----

    // Each is a new object with a fresh identifier, the current drawing
    // attributes and this document's pen colour, fill colour and area fill,
    // not added to any list; the caller owns it. Null when no memory is left
    // (a chain passed in then stays the caller's).
    // A closed polyline (sub-type 3) with no points, pen style -1.
    FigLine* createPolygonLine();
    // A box (the current box type: 2 plain, 4 rounded corners) with the
    // current corner radius, no points and no arrows.
    FigLine* createBox();
    // A picture box (sub-type 5) with no points: no line, no area fill, the
    // current depth and a picture record naming no file yet ("<empty>").
    FigLine* createPicture();
    // A spline of the sub-type on the chain (which it takes over), without
    // shape factors and arrows.
    class FigSpline* createSpline(int subType, FigPoint* chain);
    // An ellipse with direction 1 and centre, radii, start and end all 0.
    class FigEllipse* createEllipse();
    // An arc of the current arc type with the arrows the current attributes
    // switch on; its direction is that of arcPoints (edit/objectfactories.h),
    // its centre and points are left to the caller.
    class FigArc* createArc();
    // A text at (x, y) with the current text attributes, coloured with the
    // pen colour, its metrics computed at the document's zoom.
    class FigText* createText(const QString& text, int x, int y);
    // Clears the selected flag of the current object, if there is one.
    void deselectCurrentObject();

    // ---- Applying the current attributes to an object ----

    // Makes the object take the current drawing attributes and this
    // document's pen colour, fill colour and area fill (with onlyFlagged only
    // those ticked in updateMask): each attribute that differs becomes one
    // attribute change, each arrow end that has to change one arrow change,
    // all executed at once and pushed as one undo step. Nothing differs:
    // nothing is pushed, redrawn or marked modified. A compound passes the
    // attributes to its members at every nesting, each compared with and
    // restored to its own values. Redraws the object's area while the
    // painter is active. Nothing for a null object.
    void updateObjectAttributes(FigObject* object, bool onlyFlagged);
    // The attribute changes the object would get, in the order they are
    // executed; the object is not touched. The caller owns the actions.
    // Pictures take their depth only.
    ActionStep buildCommonAttributeChanges(FigObject* object, bool onlyFlagged);
    ActionStep buildArcAttributeChanges(FigObject* object, bool onlyFlagged);
    ActionStep buildEllipseAttributeChanges(FigObject* object, bool onlyFlagged);
    ActionStep buildPolylineAttributeChanges(FigObject* object, bool onlyFlagged);
    ActionStep buildSplineAttributeChanges(FigObject* object, bool onlyFlagged);
    ActionStep buildTextAttributeChanges(FigObject* object, bool onlyFlagged);
    // Appends at most one arrow change for one end (1 forward, 0 backward;
    // `arrow` is the object's arrow there): a new arrow when the end's switch
    // is on and the object has none, a replacement when the one it has
    // differs from the wanted one. Never removes an arrow; nothing for an
    // object that cannot carry arrows.
    void buildArrowChange(FigObject* object, const FigArrow* arrow, int end, ActionStep& list, bool onlyFlagged);
    // A new arrow of the arrow kind: with absolute sizes (arrowSizeMode) the
    // given thickness and the absolute width and height, else the given
    // thickness times each of the three relative factors. Null only when
    // memory runs out.
    FigArrow* arrowFromCurrentAttributes(float thickness, int kind);
    // Gives a new line, spline or arc the arrows switched on in the current
    // attributes: absolute sizes as they are set, relative ones as multiples
    // of the object's own line width, the width they were taken against (of
    // arrowThickness for a line of width 0, which has no size to multiply).
    // An arrow taken from a line thus comes out the same on a new line of the
    // same width. False when an arrow could not be made.
    bool addCurrentArrows(FigObject* object);

    // ---- Geometric transforms ----

    // Mirror, turn and scale in place (see model/transforms.h for the units
    // and conventions). Ellipses and polylines are handed the drawing's
    // top-level list. Turning a box by a non-quarter angle makes it a polygon;
    // arc-boxes and pictures refuse such angles.
    void flipCompound(FigCompound* compound, int cx, int cy, int axis);
    // Mirrors one object of any kind, with the lines linked to it.
    void flipObject(FigObject* object, int cx, int cy, int axis);
    void rotateCompound(FigCompound* compound, int cx, int cy, int angle);
    void rotateObject(FigObject* object, int cx, int cy, int angle);
    void scaleObject(FigObject* object, float sx, float sy, int cx, int cy);
    void scaleCompound(FigCompound* compound, float sx, float sy, int cx, int cy);
    // Whether a member at any nesting lies on a shown depth; false when empty.
    bool compoundHasVisibleMember(const FigCompound* compound) const;
    // Whether the object lies on a shown depth (a compound: one of its
    // members at any nesting); false for none.
    bool isObjectVisible(const FigObject* object) const;

    // ---- Point, arrow and conversion operations ----

    // A new arrow record with out-of-range values corrected: a type above 15
    // becomes 0 with style 0, else a style above 1 becomes 0; a thickness not
    // in (0, 10 * dpiX], a width not above 0 or a height not in [0, 50 * dpiX]
    // is replaced by the current arrow attribute. Null when memory runs out.
    struct FigArrow* createArrow(int type, int style, float thickness, float width, float height);
    // The spline that replaces the polyline (same identifier, attributes,
    // arrows and links; a polygon's closing point left out). Null, with a
    // status message, for fewer than 3 points or when memory runs out.
    class FigSpline* convertLineToSpline(const FigLine* line);
    // The polyline (a polygon for a closed spline) that replaces the spline;
    // it keeps the spline's sub-type in formerSubType. Null when memory runs
    // out.
    FigLine* convertSplineToLine(const class FigSpline* spline);

    // ---- Smart links ----

    // The object whose outline passes within two screen pixels of (x, y) at
    // the current zoom: polylines of the list first, then ellipses, then
    // splines (never `exclude`); the hit on the outline goes to hitX, hitY.
    // Null when none.
    FigObject* findLinkTarget(const FigObjectList* list, int x, int y, int& hitX, int& hitY, const FigObject* exclude);
    // Moves (x, y) onto a link target of the current list other than the
    // object; false, x and y unchanged, when there is none.
    bool snapToLinkTarget(int& x, int& y, const FigObject* object);
    // A new record attaching the point to the link target near it in the list
    // (the source itself never counts); the point is moved onto the target.
    // Null when there is none. The caller stores the record in the point.
    SmartLink* makeSmartLink(const FigObjectList* list, FigPoint* point, const FigObject* source);
    // Links every end point of the sources of `walkList` (compounds entered)
    // lying on a link target of `searchList`; each new record is attached to
    // its point and appended to `made`.
    void createSmartLinksForList(
        const FigObjectList* searchList, const FigObjectList* walkList, QList<SmartLink*>& made);
    // Links one end point of the source to the first link target found along
    // the list (compounds searched within their members); true when linked.
    bool linkEndPoint(const FigObject* source, FigPoint* point, const FigObjectList* list, QList<SmartLink*>& made);

    // Before the point is taken out of the polyline target's chain: every link
    // of the current list naming it as a segment end moves to a neighbouring
    // segment, or (open target, no segment left) is deleted and its point
    // unlinked. The point itself stays in the chain; the caller removes it
    // and then runs updateLinkIndices.
    void unlinkRemovedPoint(FigLine* target, FigPoint* chain, bool open, FigPoint* point);

    // ---- Fig reader and writer ----

    // Opens a Fig file into this document: the objects are replaced by the
    // file's, counted per depth, and the document is unmodified afterwards.
    // False (with a message) when the file cannot be read.
    bool loadFile(const QString& name);
    // Reads a Fig 3.1 or 3.2 file into `drawing`, this context taking the
    // header values (a shape-library clip, `clip`, keeps its orientation and
    // units and is shifted off negative coordinates without asking); every
    // object is then moved by (dx, dy). 0 on success, -1 when the file cannot
    // be opened or its header is not acceptable, -2 when it holds at most one
    // line, else a C library error number.
    int readFigFile(const QString& name, FigDrawing* drawing, bool clip, int dx, int dy);
    // Moves the objects of a top-level list right and down when any of them
    // lies left of or above the page, after asking unless `clip` is set.
    void shiftNegativeFigure(FigObjectList* list, bool clip);
    // Writes the drawing as a Fig 3.2 file; false, with a message naming the
    // file and the error, when it cannot be written completely, in which case
    // an existing file of that name is left as it was.
    bool saveFile(const QString& name);
    // The Fig 3.2 text saveFile writes.
    QByteArray figText();

    // ---- Canvas redraw, grids and markers ----

    // Redraws of the canvas through `painter`, which must be active on the
    // canvas; coordinates in Fig units. A rectangle redraw clears the
    // rectangle, draws the objects that overlap it (a compound whole or not at
    // all) and their markers, and leaves the painter without a clip. With
    // omit set the object (or the objects of the list, at any nesting) is
    // left out, with omit clear it is drawn.
    void redrawRect(int x1, int y1, int x2, int y2, FigObject* object, bool omit);
    void redrawRectExceptList(int x1, int y1, int x2, int y2, const FigObjectList* list, bool omit);
    // What every rectangle redraw does first (corners in order): clips the
    // painter to the rectangle's pixels and paints them afresh with the
    // background, the grid when shown and the paper frame.
    void beginRectRedraw(int x1, int y1, int x2, int y2);
    // The area of an object or of a list of objects, from their bounds.
    void redrawObject(FigObject* object, bool omit);
    void redrawObjectList(const FigObjectList* list, bool omit);
    // The area of the objects of A and, grown by five pixels, of those of B
    // (or of one object, or of two), without `omitted`; either list may be null.
    void redrawListArea(const FigObjectList* listA, const FigObjectList* listB, FigObject* omitted);
    void redrawObjectArea(const FigObjectList* listA, FigObject* object, FigObject* omitted);
    void redrawTwoObjectsArea(FigObject* object, FigObject* other, FigObject* omitted);
    // Every object, skip flags cleared, without background, grid or markers.
    void drawAllObjects();
    // A list depth by depth from the deepest used depth to 0 (hidden depths
    // too unless the layer mode is 12), and the objects of one depth in list
    // order with compound members at the compound's place.
    void drawObjectList(const FigObjectList* list, const FigObject* excluded);
    // The same leaving out, besides, every object that cannot paint into the
    // Fig area (drawnarea.h); null: no area, every object.
    void drawObjectListWithin(const FigObjectList* list, const FigObject* excluded, const FigArea* area);
    void drawObjectsAtDepth(const FigObjectList* list, int depth, const FigObject* excluded);
    // Whether the object's box and the rectangle, both grown by four pixels
    // at zoom 1, overlap; touching counts.
    bool objectOverlapsRect(FigObject* object, int x1, int y1, int x2, int y2);
    bool boundsOverlap(int ax1, int ay1, int ax2, int ay2, int bx1, int by1, int bx2, int by2) const;
    // The skip flags of a rectangle redraw: set for every top-level object
    // outside the rectangle (compounds with all members), `object` skipped
    // exactly when omit is set.
    void markObjectsForRedraw(FigObject* object, bool omit, int x1, int y1, int x2, int y2);

    // Grids and snapping (render/griddef.cpp). The grid is gridDefs[gridIndex];
    // index 0 (or one outside the list) is no grid.
    // Draws the grid over the document window (a window-less context: over
    // the painter's device); the painter's antialiasing is put back.
    void drawGrid();
    // Whether the grid, were it drawn with the window beginning at drawing
    // pixel `origin` across (`columns`) or down, would leave out a line that
    // falls on the window's first column (or row): scrolling then has to
    // draw that column anew. False without a grid to draw.
    bool gridLeavesOutEdgeLine(bool columns, int origin) const;
    // The dotted outline of the page when showPaperFrame is set.
    void drawPaperFrame();
    // The page in whole centimetres and in Fig units, exchanged in landscape;
    // 0 x 0 for a paper index outside the table.
    void paperSizeCm(float* width, float* height) const;
    void paperSizeFigUnits(int* width, int* height) const;
    // The grid step in Fig units divided by the magnet mode's divisor; 0
    // without a grid.
    double snapStep() const;
    // Moves the point to the nearest snap position (half-way away from zero)
    // when a grid is chosen and the snap mode's grid bit is set.
    void snapToGrid(int* x, int* y);
    // Moves the point onto a vertex of another visible object within five
    // screen pixels when the snap mode's vertex bit is set; true when moved.
    bool snapToVertex(int* x, int* y);
    // Adjusts a drag position (the anchor is canvasAction's) so that the
    // chosen edges of the selection land on the grid. Edges: horizontal 1
    // left, 3 right; vertical 2 top, 4 bottom; 5 and 5 snap the point itself.
    void snapSelectionToGrid(int horizontalEdge, int verticalEdge, int* x, int* y);
    // The offset that moves the chosen edges of the selection to the next grid
    // line (right and bottom edges forward, the others back); a whole step
    // when an edge lies on a line already. Nothing written without a grid.
    void gridOffsetForSelection(int horizontalEdge, int verticalEdge, int* dx, int* dy);
    // Shows the document's grid in the status bar.
    void gridStatusText();

    // Markers (render/markers.cpp): drawn with the painter, which must be
    // active; coordinates in Fig units.
    void drawNormalMarker(int x, int y);
    void drawTaggedMarker(int x, int y);
    void drawTagged2Marker(int x, int y);
    void drawLinkedMarker(int x, int y);
    void drawCompoundMarker(int x, int y);
    void drawCompoundTaggedMarker(int x, int y);
    // All markers of one object by its kind; sets its marker state to 2 when
    // it is selected, else 1 (unless its depth is hidden, which draws none).
    void drawObjectMarkers(FigObject* object);
    // The point markers of a polyline or a spline.
    void drawPathMarkers(FigObject* path);
    // The eight box handles of a compound.
    void drawCompoundMarkers(FigCompound* compound);
    // True when no member at any nesting lies on a shown depth (also when empty).
    bool compoundAllMembersHidden(const FigCompound* compound) const;
    // The markers of every marked object of the current list that is not
    // skipped and not `except`, then the transform-centre cross-hair.
    void drawAllMarkers(const FigObject* except);
    // The markers of every marked, not skipped object of the current list
    // that is neither in the list nor inside a compound of it.
    void drawMarkersExceptList(const FigObjectList* list);
    // A cross reaching four pixels each way that inverts what it covers:
    // drawing it twice at the same place restores the canvas.
    void drawCrossHair(int x, int y);

    // ---- Document operations ----

    // ctx is not null and a compound is open for editing.
    static bool isCompoundOpen(const CFigContext* ctx);
    // The scroll origin that keeps the visible centre in place when the zoom
    // changes from oldZoom to newZoom; never below 0.
    void scrollOriginForZoom(int& ox, int& oy, int originX, int originY, float oldZoom, float newZoom) const;
    // The scroll origin that puts the Fig point (cx, cy) in the middle of the
    // visible area at the zoom; never below 0.
    void centeredScrollOrigin(int& ox, int& oy, int cx, int cy, float zoom) const;
    // Aligns the selected objects of the current list by alignMode (to the
    // current object, else to the whole selection) as one undo step and
    // redraws them (edit/alignment.cpp). Objects on hidden depths stay; no
    // step when nothing has to move.
    void alignSelection();
    // A compound of the selected objects as one undo step.
    void createCompoundFromSelection();
    // Every selected compound replaced by its members as one undo step.
    void breakCompound();
    // Makes the compound's members the current list, with all markers shown.
    bool openCompoundForEditing(FigObject* compound);
    // The close command: as closeCompound with a full redraw, and a compound
    // whose members were all deleted while it was open leaves the drawing
    // as one undo step (undoing it, then the deletions, brings it back with
    // its members).
    void closeCompoundForEditing();
    // An open polyline or polygon to a spline or a spline to a polyline, as
    // one undo step; the result (or the object when it cannot be converted)
    // becomes the selected current object (edit/conversion.cpp).
    void convertLineSpline(FigObject* object);
    // The measurement panel's texts for the pointer at (x, y) in Fig units:
    // the position in canvas pixels and in the document's unit, and two
    // measures of the gesture in progress, which stay as they are without
    // one. Nothing when any output is null (edit/coordinatetexts.cpp).
    void formatCoordinateTexts(int x, int y, QString* xPixels, QString* xUnits, QString* yPixels, QString* yUnits,
        QString* measure1, QString* measure2);
    // While a point of a circle or ellipse is dragged: shows its measures,
    // as the ellipse would be after the move, in the main window's
    // measurement panel (toolbars/coordstoolbar.cpp); nothing without one.
    void showEllipseMeasures(const class FigEllipse* ellipse);
    // Adds the open polyline (hit - (a, b), hit, hit + (a, b)) with the
    // current attributes as one undo step; it becomes the only selected
    // object and the current one (edit/tangentnormal.cpp).
    void addTangentLine(int hitX, int hitY, float a, float b);
    // Begins the paste mode (edit/pastemode.cpp): clones of the clipboard
    // objects with fresh identifiers follow the pointer until placed.
    void startPaste();
    // Lets copies of a shape-library clip's objects (fresh identifiers,
    // links among them kept) follow the pointer until a left press places
    // them into the current list as one undo step, the clip's user colours
    // merged into this document's first (edit/libraryplacement.h). The clip
    // is neither changed nor taken over.
    void startLibraryPlacement(CFigContext* clip);
    // The picture of the clip being placed at the pointer (3), or the canvas
    // under it put back (4); needs the painter active.
    void drawPlacementPreview(int how);
    // Deletes the selected objects as one undo step; returns clones of them
    // (identifiers kept) with only the links among themselves (caller owns
    // list and clones). Nothing is deleted when a clone cannot be made.
    FigObjectList* cutSelection();
    // Deletes the selected objects as one undo step; returns the removed
    // objects, which belong to the undo step (the caller frees the list only).
    FigObjectList* deleteSelection();
    // Moves the selected objects of the current list with the objects
    // smart-linked to them as one undo step, redraws, and leaves the select
    // mode in force; nothing without a selection.
    void moveSelection(int dx, int dy);
    // The select mode (edit/selectmode.cpp). Moves the objects of the list by
    // (x, y) minus canvasAction's anchor, with the lines smart-linked to them,
    // as one undo step; nothing for a missing or empty list or no offset.
    void translateSelection(FigObjectList* list, int x, int y);
    // Inverts the selected flag of every object of the current list on a
    // shown depth whose drawn bounds (a compound: its corners) lie inside
    // the rectangle, borders included.
    void toggleObjectsInRectangle(int x1, int y1, int x2, int y2);
    // Selects the object and makes it the current one, drawing its markers
    // when it was not selected; false for none.
    bool selectObject(FigObject* object);
    // Gives a box or picture the size width x height in Fig units by moving
    // its third point (the first stays, the neighbouring corners and the
    // smart-linked lines follow) as one undo step, pushed even when nothing
    // moves. Nothing for a line of fewer than three points.
    void resizeBox(FigLine* box, int width, int height);

    // ---- Scripts (script/scriptrunner.cpp) ----

    // Runs a script text against this document on a thread of its own and
    // waits for it, serving its calls: errors go to the log with their line,
    // the canvas is redrawn once at the end and the status bar says
    // "script <fileName> executed." (or "stopped." when the user stopped it).
    void runScript(const QString& program, const QString& fileName);
    // Reads a script file (UTF-8) and runs it with its own folder as the
    // current directory, which is restored afterwards.
    void runScriptFile(const QString& path);

    // ---- Marker states (edit/markerstates.cpp) ----

    // Gives every object of the current list (not the members of its
    // compounds) the marker state (0 none, 1 point markers, 2 selection
    // markers), clears allMarkersShown and every skip flag of the list, and
    // redraws the objects whose state changed.
    void setMarkerState(int state);
    void clearMarkers();
    // Sets allMarkersShown and draws the markers of every unmarked object.
    void showAllMarkers();
    // Redraws the objects that show selection markers but are no longer
    // selected, without markers unless all markers are shown.
    void redrawStaleMarkers();
    // The markers of every selected object of the current list but `except`.
    void drawSelectionMarkers(const FigObject* except);
    void redrawCurrentObject();
    void drawCurrentObjectMarkers();
    // The eight box markers of a compound with a member on a shown depth.
    void drawCompoundBoxMarkers(FigCompound* compound);

    // ---- Texts (edit/textmode.cpp) ----

    // Asks for a string in the text entry dialog and adds it as a new text
    // anchored at (x, y), as one undo step, selected, marked and current.
    // Null, nothing added, when the dialog is cancelled or left empty.
    class FigText* enterText(int x, int y);
    // Asks for a new string for the text, preset with its own; a changed
    // string (also an empty one) replaces it as one undo step.
    void editText(FigText* text);

    // ---- Adding and deleting points (edit/pointinsertion.cpp,
    // edit/pointdeletion.cpp) ----

    // The idle state of the add-point mode; also ends an add gesture.
    void initAddPointMode();
    // Takes the point out of the polyline as one undo step (a polygon's
    // corner after moving it to the middle of its neighbours, so that lines
    // linked to it stay on the outline); a two-point line with arrows is
    // refused with a message.
    void deleteLinePoint(FigLine* line, FigPoint* previous, FigPoint* point);

    // ---- Rubber bands (edit/rubberband.cpp) ----

    // The outline of the ellipse around (cx, cy) with radii |rx| and |ry|,
    // turned by `angle` (radians, whole degrees on the screen), with the
    // inverting rubber-band pen; nothing when a radius is 0.
    void drawRubberEllipse(int cx, int cy, int rx, int ry, float angle);

    // ---- Picking (edit/picking.cpp) ----

    // The object search with pickState's active object callback: the first
    // object hit, kind by kind, is handed to the callback (type, press point
    // and hit) and returned whatever it answers; a miss calls it with none.
    // Null without searching when no callback is active.
    FigObject* pickObject(int x, int y);
    // The same search without a callback: the object under the pointer and
    // the hit on it; null when none.
    FigObject* findObjectUnderCursor(int x, int y, int& hitX, int& hitY);
    // The point search with pickState's active point callback: the object
    // whose point lies under the pointer, or null when there is none or the
    // callback refused the point.
    FigObject* pickPointOnObject(int x, int y);
    // Searches of the current list with the tolerance t; each gives the hit.
    // An arc's drawn outline, traced as the drawing traces it.
    FigObject* findArcNear(int x, int y, int t, int& hitX, int& hitY);
    bool arcOutlineNear(const class FigArc* arc, int x, int y, int t, int& hitX, int& hitY);
    // A compound by an edge of its box, or by one of its corners.
    FigObject* findCompoundEdgeNear(int x, int y, int t, int& hitX, int& hitY);
    FigObject* findCompoundCornerNear(int x, int y, int t, int& hitX, int& hitY);
    // A text by its anchor or by the point one font height above it.
    FigObject* findTextNear(int x, int y, int t, int& hitX, int& hitY);

    QString fileName;
    QTChildFrm* view;
    QPainter* painter = nullptr;
    FigDrawing drawing;
    FigObjectList* openCompound = nullptr; // not owned
    bool modified = false;
    UndoHistory undoHistory;
    QList<ActionItem*>* pendingActions = nullptr; // the list owned, not the actions
    FigObjectList* selection = nullptr; // the list owned, not the objects
    FigObject* currentObject = nullptr; // not owned
    FigObject* editCopy = nullptr; // owned
    FigPoint* newChainHead = nullptr;
    FigPoint* newChainTail = nullptr;
    int originX = 0;
    int originY = 0;
    float zoom = 1.0f;
    int savedOriginX = 0;
    int savedOriginY = 0;
    float savedZoom = -1.0f; // -1.0 when nothing is saved
    bool gridOn = false;
    int gridIndex = 0;
    int magnetMode = 0;
    bool metric = false;
    float dpiX = 80.0f;
    float dpiY = 80.0f;
    bool landscape = false;
    int paperIndex = 13; // A4
    bool showPaperFrame = true;
    bool flushLeft = true;
    bool multiplePages = false;
    float magnification = 100.0f;
    int penColor = 0;
    int fillColor = 7;
    int fillStyle = -1;
    int transparentColor = -2;
    bool depthVisible[depthCount];
    int layerDrawMode = 10; // 10 dimmed, 11 greyed, 12 not drawn
    int depthObjectCount[depthCount];
    int maxDepth = -1;
    int minDepth = -1;
    bool linkCursorShown = false;
    int nextId = 0; // the last identifier handed out
    // How many objects the depth-ordered drawing has drawn so far; tells how
    // much a redraw cost.
    long long objectsDrawn = 0;
    // How many whole-canvas redraws the document has had.
    long long canvasRedraws = 0;

private:
    void recomputeCorners(FigCompound* compound);

    unsigned long long changeCount = 0;
    // The drawing's box as last measured, with what it was measured for.
    struct DrawingBounds {
        bool valid = false;
        unsigned long long changeCount = 0;
        float dpiX = 0;
        float dpiY = 0;
        float zoom = 0;
        int xmin = 0, ymin = 0, xmax = 0, ymax = 0;
    } drawingBounds;
};
