#include "render/clippedstroke.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPen>
#include <QPolygon>
#include <QTransform>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

bool clipping = true;
bool regionClipping = true;

// How far beyond the painted area geometry may reach and still be drawn
// whole: Qt's own cost for that much is small.
constexpr double slack = 1024;

// Pens at least this wide are always stroked through the reduced outline:
// their outline's pieces are as long as the pen is wide, wherever the line
// runs.
constexpr double widePen = 256;

// Kept outline pieces are split when Qt would walk about this many rows for
// them (their rows times the painted rows), this many pixels beyond tiles
// of this size.
constexpr double splitWork = 2e7;
constexpr double splitMargin = 2;
constexpr int tileWidth = 128;
constexpr double curveRows = 16;
constexpr int tileHeight = 64;

// Qt draws a dashed stroke with more repeats of its pattern across the
// device than this as a half-transparent solid line.
constexpr double dashRepetitionLimit = 10000;

// The painted area in device pixels: the device, within the clip when there
// is one.
QRect paintedDeviceRect(const QPainter* painter)
{
    const QPaintDevice* device = painter->device();
    if (!device)
        return QRect();
    QRect area(0, 0, device->width(), device->height());
    if (painter->hasClipping())
        area &= painter->worldTransform().mapRect(painter->clipBoundingRect()).toAlignedRect();
    return area;
}

// The painter's translation when its transformation is a whole-pixel move
// (or none); false otherwise.
bool wholePixelShift(const QPainter* painter, QPoint& shift)
{
    const QTransform& t = painter->worldTransform();
    if (t.type() > QTransform::TxTranslate)
        return false;
    const double dx = t.dx();
    const double dy = t.dy();
    if (dx != std::round(dx) || dy != std::round(dy) || std::fabs(dx) > 1e9 || std::fabs(dy) > 1e9)
        return false;
    shift = QPoint(static_cast<int>(dx), static_cast<int>(dy));
    return true;
}

// How far a stroke reaches from its centre line: miters up to their limit
// (in pen widths), else at most a square cap's corner, with pixels to spare.
double strokeReach(const QPen& pen)
{
    const double w = pen.widthF();
    const double miter = pen.joinStyle() == Qt::MiterJoin || pen.joinStyle() == Qt::SvgMiterJoin
        ? std::max(pen.miterLimit(), 1.0)
        : 1.0;
    return w * miter + 2;
}

bool within(const QRectF& inner, const QRectF& outer)
{
    return inner.left() >= outer.left() && inner.right() <= outer.right() && inner.top() >= outer.top()
        && inner.bottom() <= outer.bottom();
}

// ---- The outline reduced to the painted area ----

// A box around points; empty until it takes one.
struct Box {
    double left = std::numeric_limits<double>::infinity();
    double top = std::numeric_limits<double>::infinity();
    double right = -std::numeric_limits<double>::infinity();
    double bottom = -std::numeric_limits<double>::infinity();

    void take(const QPointF& p)
    {
        left = std::min(left, p.x());
        top = std::min(top, p.y());
        right = std::max(right, p.x());
        bottom = std::max(bottom, p.y());
    }
    void take(const Box& box)
    {
        left = std::min(left, box.left);
        top = std::min(top, box.top);
        right = std::max(right, box.right);
        bottom = std::max(bottom, box.bottom);
    }
};

// The area a piece must miss to be moved: the painted pixels grown by one.
struct Bounds {
    double left;
    double top;
    double right;
    double bottom;

    explicit Bounds(const QRect& painted)
        : left(painted.left() - 1.0)
        , top(painted.top() - 1.0)
        , right(painted.right() + 2.0)
        , bottom(painted.bottom() + 2.0)
    {
    }
    // True when every point lies on one side of the grown area (its edges
    // included), where it cannot touch a painted pixel.
    template <typename Point> bool missedBy(const Point* points, int count) const
    {
        double x0 = points[0].x();
        double x1 = x0;
        double y0 = points[0].y();
        double y1 = y0;
        for (int i = 1; i < count; ++i) {
            x0 = std::min<double>(x0, points[i].x());
            x1 = std::max<double>(x1, points[i].x());
            y0 = std::min<double>(y0, points[i].y());
            y1 = std::max<double>(y1, points[i].y());
        }
        return x1 <= left || x0 >= right || y1 <= top || y0 >= bottom;
    }
    bool missedBy(const Box& box) const
    {
        return box.right <= left || box.left >= right || box.bottom <= top || box.top >= bottom;
    }
    template <typename Point> Point moved(const Point& p) const
    {
        using Coordinate = decltype(p.x());
        return Point(static_cast<Coordinate>(std::clamp<double>(p.x(), left, right)),
            static_cast<Coordinate>(std::clamp<double>(p.y(), top, bottom)));
    }
};

// One piece of a closed contour: a line or a cubic curve to `to`.
template <typename Point> struct Piece {
    Point to;
    bool curve = false;
    Point c1;
    Point c2;
};

// Reduces one closed contour (from `start` through the pieces, closed back
// to `start`) and hands the result to `sink`: moveTo(p), lineTo(p) and
// cubicTo(c1, c2, p) calls. A vertex next to a kept piece stays where it is;
// every other vertex is moved onto the grown area's edge, and the pieces
// between moved vertices become lines.
template <typename Point, typename Sink>
void reduceContour(const Bounds& bounds, const Point& start, std::vector<Piece<Point>>& pieces, Sink& sink)
{
    if (pieces.empty() || pieces.back().to != start)
        pieces.push_back(Piece<Point> { start, false, Point(), Point() });
    const size_t n = pieces.size();
    std::vector<char> kept(n);
    for (size_t i = 0; i < n; ++i) {
        const Point& from = i == 0 ? start : pieces[i - 1].to;
        const Piece<Point>& piece = pieces[i];
        if (piece.curve) {
            const Point hull[4] = { from, piece.c1, piece.c2, piece.to };
            kept[i] = !bounds.missedBy(hull, 4);
        } else {
            const Point line[2] = { from, piece.to };
            kept[i] = !bounds.missedBy(line, 2);
        }
    }
    // Vertex i is where piece i ends (vertex n - 1 is the start).
    auto vertex = [&](size_t i) {
        const bool pinned = kept[i] || kept[(i + 1) % n];
        return pinned ? pieces[i].to : bounds.moved(pieces[i].to);
    };
    Point last = vertex(n - 1);
    sink.moveTo(last);
    for (size_t i = 0; i < n; ++i) {
        const Point to = vertex(i);
        if (kept[i] && pieces[i].curve) {
            sink.cubicTo(pieces[i].c1, pieces[i].c2, to);
        } else if (to != last) {
            sink.lineTo(to);
        }
        last = to;
    }
}

// The outline in device coordinates, contour by contour.
template <typename Point> struct Contour {
    Point start;
    std::vector<Piece<Point>> pieces;
    // Two opposite corners of the box around every point and control point.
    Point hull[2];
};

// Halves a curve (round caps and joins of a wide pen) until each part is
// at most a few rows high, so that its parts beyond the area can be moved.
void splitCurve(const QPointF& from, const Piece<QPointF>& curve, int depth, std::vector<Piece<QPointF>>& out)
{
    const double y0 = std::min({ from.y(), curve.c1.y(), curve.c2.y(), curve.to.y() });
    const double y1 = std::max({ from.y(), curve.c1.y(), curve.c2.y(), curve.to.y() });
    if (y1 - y0 <= curveRows || depth >= 12) {
        out.push_back(curve);
        return;
    }
    const QPointF ab = (from + curve.c1) / 2;
    const QPointF bc = (curve.c1 + curve.c2) / 2;
    const QPointF cd = (curve.c2 + curve.to) / 2;
    const QPointF abc = (ab + bc) / 2;
    const QPointF bcd = (bc + cd) / 2;
    const QPointF middle = (abc + bcd) / 2;
    splitCurve(from, Piece<QPointF> { middle, true, ab, abc }, depth + 1, out);
    splitCurve(middle, Piece<QPointF> { curve.to, true, bcd, cd }, depth + 1, out);
}

// An outline in device coordinates, contour by contour.
struct DeviceOutline {
    std::vector<Contour<QPointF>> contours;
    Qt::FillRule fillRule = Qt::WindingFill;
};

DeviceOutline deviceOutline(const QPainterPath& outline, const QTransform& toDevice)
{
    DeviceOutline device;
    device.fillRule = outline.fillRule();
    std::vector<Contour<QPointF>>& contours = device.contours;
    const int count = outline.elementCount();
    for (int i = 0; i < count; ++i) {
        const QPainterPath::Element& e = outline.elementAt(i);
        const QPointF p = toDevice.map(QPointF(e.x, e.y));
        if (e.type == QPainterPath::MoveToElement) {
            contours.push_back(Contour<QPointF> { p, {}, { p, p } });
        } else if (contours.empty()) {
            continue;
        } else if (e.type == QPainterPath::LineToElement) {
            contours.back().pieces.push_back(Piece<QPointF> { p, false, QPointF(), QPointF() });
        } else if (e.type == QPainterPath::CurveToElement && i + 2 < count) {
            const QPainterPath::Element& c2 = outline.elementAt(i + 1);
            const QPainterPath::Element& to = outline.elementAt(i + 2);
            contours.back().pieces.push_back(
                Piece<QPointF> { toDevice.map(QPointF(to.x, to.y)), true, p, toDevice.map(QPointF(c2.x, c2.y)) });
            i += 2;
        }
    }
    for (Contour<QPointF>& contour : contours) {
        QPointF& low = contour.hull[0];
        QPointF& high = contour.hull[1];
        low = high = contour.start;
        auto take = [&low, &high](const QPointF& p) {
            low = QPointF(std::min(low.x(), p.x()), std::min(low.y(), p.y()));
            high = QPointF(std::max(high.x(), p.x()), std::max(high.y(), p.y()));
        };
        for (const Piece<QPointF>& piece : contour.pieces) {
            take(piece.to);
            if (piece.curve) {
                take(piece.c1);
                take(piece.c2);
            }
        }
    }
    return device;
}

// How many rows Qt walks for the pieces that meet the area.
double keptRows(const Bounds& bounds, const DeviceOutline& device)
{
    double rows = 0;
    for (const Contour<QPointF>& contour : device.contours) {
        QPointF from = contour.start;
        for (const Piece<QPointF>& piece : contour.pieces) {
            const QPointF hull[4] = { from, piece.to, piece.c1, piece.c2 };
            const int n = piece.curve ? 4 : 2;
            if (!bounds.missedBy(hull, n)) {
                const auto y = [&hull](int i) { return hull[i].y(); };
                double y0 = y(0);
                double y1 = y(0);
                for (int i = 1; i < n; ++i) {
                    y0 = std::min(y0, y(i));
                    y1 = std::max(y1, y(i));
                }
                rows += y1 - y0;
            }
            from = piece.to;
        }
    }
    return rows;
}

// The box around a piece starting at `from`, control points included.
Box pieceBox(const QPointF& from, const Piece<QPointF>& piece)
{
    Box box;
    box.take(from);
    box.take(piece.to);
    if (piece.curve) {
        box.take(piece.c1);
        box.take(piece.c2);
    }
    return box;
}

// A closed contour (its last piece ends at its start) with the boxes of
// blocks of its pieces, and of runs of blocks in a binary tree, so that an
// area finds the few pieces that meet it, and the long runs that miss it,
// without visiting every piece.
struct IndexedContour {
    static constexpr size_t blockPieces = 8;

    QPointF start;
    std::vector<Piece<QPointF>> pieces;
    // Node 1 is the root, node k has the children 2k and 2k + 1, and the
    // blocks are the nodes from `leaves` on.
    std::vector<Box> nodes;
    size_t leaves = 1;

    IndexedContour(const QPointF& start, std::vector<Piece<QPointF>> contourPieces)
        : start(start)
        , pieces(std::move(contourPieces))
    {
        if (pieces.empty() || pieces.back().to != start)
            pieces.push_back(Piece<QPointF> { start, false, QPointF(), QPointF() });
        const size_t blocks = (pieces.size() + blockPieces - 1) / blockPieces;
        while (leaves < blocks)
            leaves *= 2;
        nodes.resize(2 * leaves);
        for (size_t i = 0; i < pieces.size(); ++i)
            nodes[leaves + i / blockPieces].take(pieceBox(vertexBefore(i), pieces[i]));
        for (size_t k = leaves - 1; k >= 1; --k) {
            nodes[k] = nodes[2 * k];
            nodes[k].take(nodes[2 * k + 1]);
        }
    }
    const QPointF& vertexBefore(size_t i) const { return i == 0 ? start : pieces[i - 1].to; }
};

// Writes contours reduced to an area into a path. The pieces that meet the
// grown area are kept exactly; every other piece is moved onto the area's
// edges, as reduceContour does, with two changes that keep the path short
// for Qt and leave every painted pixel as it was:
// - a vertex next to a kept piece is joined first to its own moved place,
//   then along the edge: the triangle this adds lies beyond the edge, on
//   the side the missed piece lies, and a closed figure there adds nothing
//   to the painted rows and columns;
// - consecutive moved pieces along one edge become a single line: along a
//   left or right edge each row gains the net height they cover in it,
//   which the single line covers just the same, and along the top or
//   bottom edge they add nothing.
// Runs of pieces that all miss the area on one side are moved as one, from
// the index, without visiting their pieces.
// With `split` (tiles of pens thousands of pixels wide, whose curves are
// also halved into parts a few rows high), kept lines are cut where they
// cross a frame a little larger than the grown area, and their parts
// beyond it are moved like any missed piece, so that Qt walks only the
// tile's rows for them. The cut points are exact only to Qt's 1/64 pixel
// (and halved curves are flattened by Qt a little differently), so edge
// pixels along a cut piece may differ from the whole outline by a level or
// two of grey.
class ReducedPathWriter {
public:
    ReducedPathWriter(const Bounds& bounds, bool split, QPainterPath& path)
        : bounds(bounds)
        , split(split)
        , path(path)
    {
    }

    void write(const IndexedContour& contour)
    {
        if (bounds.missedBy(contour.nodes[1]))
            return;
        started = false;
        pending = false;
        visit(contour, 1, 0, contour.leaves);
        flush();
    }

private:
    const Bounds& bounds;
    const bool split;
    QPainterPath& path;
    bool started = false;
    QPointF at; // the path's current point
    // A line to `at` held back while the next one may continue it.
    bool pending = false;
    QPointF pendingFrom;

    void visit(const IndexedContour& contour, size_t node, size_t firstBlock, size_t blocks)
    {
        const size_t n = contour.pieces.size();
        const size_t first = firstBlock * IndexedContour::blockPieces;
        if (first >= n)
            return;
        const size_t end = std::min(n, (firstBlock + blocks) * IndexedContour::blockPieces);
        if (bounds.missedBy(contour.nodes[node])) {
            missed(contour.vertexBefore(first), contour.pieces[end - 1].to);
            return;
        }
        if (blocks > 1) {
            visit(contour, 2 * node, firstBlock, blocks / 2);
            visit(contour, 2 * node + 1, firstBlock + blocks / 2, blocks / 2);
            return;
        }
        for (size_t i = first; i < end; ++i) {
            const QPointF& from = contour.vertexBefore(i);
            const Piece<QPointF>& piece = contour.pieces[i];
            if (bounds.missedBy(pieceBox(from, piece))) {
                missed(from, piece.to);
            } else if (piece.curve) {
                join(from);
                flush();
                path.cubicTo(piece.c1, piece.c2, piece.to);
                at = piece.to;
            } else if (split) {
                keptSplitLine(from, piece.to);
            } else {
                join(from);
                lineTo(piece.to);
            }
        }
    }

    // Pieces from `from` to `to` that all miss the grown area on one side.
    void missed(const QPointF& from, const QPointF& to)
    {
        const QPointF movedFrom = bounds.moved(from);
        if (!started) {
            begin(movedFrom);
        } else if (at == from) {
            lineTo(movedFrom);
        }
        lineTo(bounds.moved(to));
    }

    // Puts the path at the kept piece's start.
    void join(const QPointF& from)
    {
        if (!started)
            begin(from);
        else
            lineTo(from);
    }

    void keptSplitLine(const QPointF& from, const QPointF& to)
    {
        const double xs[2] = { bounds.left - splitMargin, bounds.right + splitMargin };
        const double ys[2] = { bounds.top - splitMargin, bounds.bottom + splitMargin };
        const QPointF d = to - from;
        struct Cut {
            double t;
            QPointF at;
        };
        Cut cuts[4];
        int n = 0;
        for (double x : xs) {
            if ((from.x() < x && to.x() > x) || (from.x() > x && to.x() < x)) {
                const double t = (x - from.x()) / d.x();
                cuts[n++] = Cut { t, QPointF(x, from.y() + t * d.y()) };
            }
        }
        for (double y : ys) {
            if ((from.y() < y && to.y() > y) || (from.y() > y && to.y() < y)) {
                const double t = (y - from.y()) / d.y();
                cuts[n++] = Cut { t, QPointF(from.x() + t * d.x(), y) };
            }
        }
        // At most four cuts: sorted by insertion.
        for (int k = 1; k < n; ++k) {
            for (int j = k; j > 0 && cuts[j].t < cuts[j - 1].t; --j)
                std::swap(cuts[j], cuts[j - 1]);
        }
        QPointF a = from;
        for (int k = 0; k <= n; ++k) {
            const QPointF b = k < n ? cuts[k].at : to;
            const QPointF part[2] = { a, b };
            if (bounds.missedBy(part, 2)) {
                missed(a, b);
            } else {
                join(a);
                lineTo(b);
            }
            a = b;
        }
    }

    void begin(const QPointF& p)
    {
        path.moveTo(p);
        at = p;
        started = true;
    }

    bool alongOneEdge(const QPointF& a, const QPointF& b, const QPointF& c) const
    {
        for (double x : { bounds.left, bounds.right }) {
            if (a.x() == x && b.x() == x && c.x() == x)
                return true;
        }
        for (double y : { bounds.top, bounds.bottom }) {
            if (a.y() == y && b.y() == y && c.y() == y)
                return true;
        }
        return false;
    }

    void lineTo(const QPointF& p)
    {
        if (p == at)
            return;
        if (pending && alongOneEdge(pendingFrom, at, p)) {
            at = p;
            return;
        }
        flush();
        pending = true;
        pendingFrom = at;
        at = p;
    }

    void flush()
    {
        if (pending)
            path.lineTo(at);
        pending = false;
    }
};

// Fills the outline (in device coordinates) as far as the painted area
// shows it. When the pieces that cross the area are so many and so long
// that Qt would walk its rows hundreds of times over (a pen thousands of
// pixels wide has that many pieces across it), it is filled in tiles, each
// with its pieces split at the tile's edges: Qt's scan conversion walks
// every row of every piece for each band of rows it renders, and sorts the
// cells of each row by a linear search.
void fillOutline(QPainter* painter, const DeviceOutline& device, const QBrush& brush, const QRect& painted)
{
    const Bounds whole(painted);
    const bool tiled = keptRows(whole, device) * (whole.bottom - whole.top) > splitWork;
    // The contours that can reach the area, indexed once for all tiles, and
    // for tiles with their curves halved.
    std::vector<IndexedContour> contours;
    contours.reserve(device.contours.size());
    for (const Contour<QPointF>& contour : device.contours) {
        if (whole.missedBy(contour.hull, 2))
            continue;
        if (!tiled) {
            contours.emplace_back(contour.start, contour.pieces);
            continue;
        }
        std::vector<Piece<QPointF>> pieces;
        pieces.reserve(contour.pieces.size());
        QPointF from = contour.start;
        for (const Piece<QPointF>& piece : contour.pieces) {
            if (piece.curve)
                splitCurve(from, piece, 0, pieces);
            else
                pieces.push_back(piece);
            from = piece.to;
        }
        contours.emplace_back(contour.start, std::move(pieces));
    }
    auto reduced = [&](const Bounds& bounds) {
        QPainterPath path;
        path.setFillRule(device.fillRule);
        ReducedPathWriter writer(bounds, tiled, path);
        for (const IndexedContour& contour : contours)
            writer.write(contour);
        return path;
    };
    if (!tiled) {
        painter->fillPath(reduced(whole), brush);
        return;
    }
    for (int y = painted.top(); y <= painted.bottom(); y += tileHeight) {
        for (int x = painted.left(); x <= painted.right(); x += tileWidth) {
            const QRect tile(
                x, y, std::min(tileWidth, painted.right() + 1 - x), std::min(tileHeight, painted.bottom() + 1 - y));
            painter->save();
            painter->setClipRect(tile, Qt::IntersectClip);
            painter->fillPath(reduced(Bounds(tile)), brush);
            painter->restore();
        }
    }
}

// Strokes `path` (in the painter's coordinates) with the pen as Qt's own
// stroke does, but fills only the reduced outline.
void fillReducedStroke(QPainter* painter, const QPainterPath& path, QPen pen, const QRect& painted)
{
    if (pen.style() != Qt::SolidLine) {
        // Qt's rule for dashes too fine to draw one by one.
        const QTransform& t = painter->worldTransform();
        const QPaintDevice* device = painter->device();
        const QRectF deviceArea = t.inverted().mapRect(QRectF(0, 0, device->width(), device->height()));
        const double pw = pen.widthF() > 0 ? pen.widthF() : 1;
        const QRectF extentRect = path.controlPointRect().adjusted(-pw, -pw, pw, pw) & deviceArea;
        const double extent = std::max(extentRect.width(), extentRect.height());
        double patternLength = 0;
        const QVector<qreal> pattern = pen.dashPattern();
        for (int i = 0; i < std::min(pattern.size(), 32); ++i)
            patternLength += std::max(pattern.at(i), qreal(0));
        patternLength *= pw;
        if (qFuzzyIsNull(patternLength))
            return;
        if (extent / patternLength > dashRepetitionLimit) {
            pen.setStyle(Qt::SolidLine);
            QColor colour = pen.color();
            colour.setAlpha(colour.alpha() / 2);
            pen.setColor(colour);
        }
    }
    QPainterPathStroker stroker;
    stroker.setWidth(pen.widthF());
    stroker.setCapStyle(pen.capStyle());
    stroker.setJoinStyle(pen.joinStyle());
    stroker.setMiterLimit(pen.miterLimit());
    if (pen.style() != Qt::SolidLine) {
        stroker.setDashPattern(pen.dashPattern());
        stroker.setDashOffset(pen.dashOffset());
    }
    const QTransform before = painter->worldTransform();
    const DeviceOutline device = deviceOutline(stroker.createStroke(path), before);
    painter->resetTransform();
    fillOutline(painter, device, pen.brush(), painted);
    painter->setWorldTransform(before);
}
// True when the pen goes through Qt's outline stroker at all (thinner pens
// are drawn by a line stepper that never looks beyond the device).
bool outlined(const QPen& pen)
{
    return pen.style() != Qt::NoPen && pen.widthF() > 1.5;
}

} // namespace

void setOutlineClipping(bool on)
{
    clipping = on;
}

void setRegionClipping(bool on)
{
    regionClipping = on;
}

void strokePolyline(QPainter* painter, const QPoint* points, int count)
{
    if (!painter || !points || count <= 0)
        return;
    const QPen pen = painter->pen();
    QPoint shift;
    if (!clipping || count < 2 || !outlined(pen) || !wholePixelShift(painter, shift)) {
        painter->drawPolyline(points, count);
        return;
    }
    const QRect painted = paintedDeviceRect(painter);
    if (painted.isEmpty())
        return;
    const double reach = strokeReach(pen);
    // The painted area in the painter's coordinates.
    const QRectF area = QRectF(painted.translated(-shift));
    int x0 = points[0].x();
    int x1 = x0;
    int y0 = points[0].y();
    int y1 = y0;
    for (int i = 1; i < count; ++i) {
        x0 = std::min(x0, points[i].x());
        x1 = std::max(x1, points[i].x());
        y0 = std::min(y0, points[i].y());
        y1 = std::max(y1, points[i].y());
    }
    const QRectF extent = QRectF(QPointF(x0, y0), QPointF(x1, y1)).adjusted(-reach, -reach, reach, reach);
    if (pen.widthF() < widePen && within(extent, area.adjusted(-slack, -slack, slack, slack))) {
        painter->drawPolyline(points, count);
        return;
    }

    // The runs of segments that come within reach of the painted area; each
    // starts its dashes where the whole line has them there.
    const QRectF nearArea = area.adjusted(-reach, -reach, reach, reach);
    auto near = [&](int i) {
        const QPoint& a = points[i];
        const QPoint& b = points[i + 1];
        return std::max(a.x(), b.x()) >= nearArea.left() && std::min(a.x(), b.x()) <= nearArea.right()
            && std::max(a.y(), b.y()) >= nearArea.top() && std::min(a.y(), b.y()) <= nearArea.bottom();
    };
    const bool dashed = pen.style() != Qt::SolidLine;
    const double width = pen.widthF();
    double length = 0; // along the line to the current point, in pixels
    int i = 0;
    while (i < count - 1) {
        if (!near(i)) {
            length += std::hypot(double(points[i + 1].x()) - points[i].x(), double(points[i + 1].y()) - points[i].y());
            ++i;
            continue;
        }
        const int first = i;
        QPainterPath run(QPointF(points[i]));
        double runLength = 0;
        while (i < count - 1 && near(i)) {
            run.lineTo(QPointF(points[i + 1]));
            runLength
                += std::hypot(double(points[i + 1].x()) - points[i].x(), double(points[i + 1].y()) - points[i].y());
            ++i;
        }
        QPen runPen = pen;
        if (dashed && first > 0)
            runPen.setDashOffset(pen.dashOffset() + length / width);
        if (points[first] == points[i]) {
            // A path that ends where it starts is stroked as a closed figure,
            // joined there; a polyline never is, it has caps at both ends.
            // Its start is moved a millionth of a pixel along its first
            // segment, which keeps the figure open and shows nowhere.
            const QPointF a(points[first]);
            const QPointF step = run.elementCount() > 1 ? QPointF(run.elementAt(1)) - a : QPointF();
            const double d = std::hypot(step.x(), step.y());
            const double nudge = std::max(1e-6, 1e-11 * std::max(std::fabs(a.x()), std::fabs(a.y())));
            if (d > 0)
                run.setElementPositionAt(0, a.x() + step.x() * nudge / d, a.y() + step.y() * nudge / d);
        }
        fillReducedStroke(painter, run, runPen, painted);
        length += runLength;
    }
}

void strokeEllipse(QPainter* painter, const QRect& rect)
{
    if (!painter)
        return;
    const QPen pen = painter->pen();
    if (!clipping || !outlined(pen)) {
        painter->drawEllipse(rect);
        return;
    }
    const QRect painted = paintedDeviceRect(painter);
    if (painted.isEmpty())
        return;
    const double reach = strokeReach(pen);
    const QRectF extent = painter->worldTransform().mapRect(QRectF(rect)).adjusted(-reach, -reach, reach, reach);
    if (pen.widthF() < widePen && within(extent, QRectF(painted).adjusted(-slack, -slack, slack, slack))) {
        painter->drawEllipse(rect);
        return;
    }
    QPainterPath path;
    path.addEllipse(QRectF(rect));
    fillReducedStroke(painter, path, pen, painted);
}

namespace {

struct PolygonSink {
    QPolygon polygon;
    void moveTo(const QPoint& p) { polygon.append(p); }
    void lineTo(const QPoint& p) { polygon.append(p); }
    void cubicTo(const QPoint&, const QPoint&, const QPoint& p) { polygon.append(p); }
};

} // namespace

QRegion polygonRegion(const QPainter* painter, const QPoint* points, int count)
{
    if (!points || count <= 0)
        return QRegion();
    QPoint shift;
    if (!regionClipping || !painter || count < 3 || !wholePixelShift(painter, shift))
        return QRegion(QPolygon(QVector<QPoint>(points, points + count)));
    const QRect painted = paintedDeviceRect(painter).translated(-shift);
    const QRect bounding = QPolygon(QVector<QPoint>(points, points + count)).boundingRect();
    if (within(QRectF(bounding), QRectF(painted).adjusted(-slack, -slack, slack, slack)))
        return QRegion(QPolygon(QVector<QPoint>(points, points + count)));
    // The scan conversion walks every row of the polygon: rows and columns
    // beyond the painted area are reduced as a stroke's outline is.
    std::vector<Piece<QPoint>> pieces;
    for (int i = 1; i < count; ++i)
        pieces.push_back(Piece<QPoint> { points[i], false, QPoint(), QPoint() });
    PolygonSink sink;
    reduceContour(Bounds(painted), points[0], pieces, sink);
    return QRegion(sink.polygon);
}
