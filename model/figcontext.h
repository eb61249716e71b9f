#pragma once
// The context of one document: its drawing, undo history, editing state, view
// (scroll origin, zoom, dots per inch), grid settings, Fig header values, the
// colours new objects take and the per-depth tables. Owns the drawing (and
// through it every object), the undo history, the user shade tables, the
// `selection` list (not its objects) and `editCopy`; `currentObject` and
// `openCompound` only point into the drawing.

#include "model/figdrawing.h"
#include "model/figobjectlist.h"
#include "model/objectlist.h"
#include "model/undohistory.h"

#include <QList>
#include <QString>

class ActionItem;
class FigCompound;
class FigLine;
class FigObject;
class FigPoint;
class QColor;
class QPainter;
class QTChildFrm;
struct PictureData;

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
    void closeCompound(bool redraw);

    // Union of the boxes of the list's top-level objects (only the selected
    // ones with selectedOnly); 0, 0, 0, 0 when no object counts.
    void getObjectListBounds(const FigObjectList* list, int& xmin, int& ymin, int& xmax, int& ymax, bool selectedOnly,
        bool withTextDescent, bool withLineWidth);

    void redrawCanvas();

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
    // Takes the first occurrence of the object out of the list without
    // deleting it, uncounting it when the list belongs to the drawing's tree.
    // False for a null list or an object not in the list (then nothing is
    // uncounted); true for a null object.
    bool removeObject(FigObjectList* list, FigObject* object);
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
    // every depth) are renumbered, each object once.
    void importUserColors(const FigDrawing* source, const FigObjectList* objects);
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

    // ---- Arrowheads ----

    // ---- X-splines ----

    // ---- Text metrics and drawing ----

    void computeTextMetrics(class FigText* text, double atZoom);

    // ---- Pictures ----

    // (Re)loads the image of a picture polyline into its picture data and
    // reports in the status bar; false when there is no image afterwards.
    bool readPicture(FigLine* picture, PictureData* data);
    bool loadPictureImage(PictureData* data);

    // ---- Bounding boxes ----

    // Union of the boxes, both flags set, of the selected objects of the list;
    // 0, 0, 0, 0 when none is selected.
    void getSelectionBounds(const FigObjectList* list, int& xmin, int& ymin, int& xmax, int& ymax);
    // Smallest and largest x and y of the chain from `first`; 0, 0, 0, 0 for none.
    void pointChainBounds(const FigPoint* first, int& xmin, int& ymin, int& xmax, int& ymax) const;

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
    // One pixel in Fig units at the current zoom, as the queries use it.
    int onePixelInFigUnits() const;

    // ---- Geometric transforms ----

    // Mirror, turn and scale in place (see model/transforms.h for the units
    // and conventions). Ellipses and polylines are handed the drawing's
    // top-level list. Turning a box by a non-quarter angle makes it a polygon;
    // arc-boxes and pictures refuse such angles.
    void flipCompound(FigCompound* compound, int cx, int cy, int axis);
    void rotateCompound(FigCompound* compound, int cx, int cy, int angle);
    void rotateObject(FigObject* object, int cx, int cy, int angle);
    void scaleObject(FigObject* object, float sx, float sy, int cx, int cy);
    void scaleCompound(FigCompound* compound, float sx, float sy, int cx, int cy);
    // Whether a member at any nesting lies on a shown depth; false when empty.
    bool compoundHasVisibleMember(const FigCompound* compound) const;

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

    // ---- Canvas redraw, grids and markers ----

    // The snap step in Fig units: the grid step of the document's units
    // divided by the magnet mode's subdivision; 0 without a grid.
    double snapStep() const;

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

private:
    void recomputeCorners(FigCompound* compound);
};
