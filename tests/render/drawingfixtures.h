#pragma once
// Shared by the drawing and redraw tests: an off-screen canvas image with a
// painter (antialiasing off) for a document context at 80 dots per inch
// (15 Fig units a pixel at zoom 1), and builders of small objects.

#include "model/figarc.h"
#include "model/figarrow.h"
#include "model/figcompound.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figpoint.h"
#include "support/messageboxrecorder.h"
#include "support/testfiles.h"

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QTemporaryDir>
#include <QtGlobal>

#include <initializer_list>

namespace drawingfixtures {

constexpr QRgb white = 0xffffffff;
constexpr QRgb black = 0xff000000;
constexpr QRgb red = 0xffff0000;
constexpr QRgb blue = 0xff0000ff;
constexpr QRgb green = 0xff00ff00;

// Paints for `context`, which is the canvas's own window-less context unless
// another one (a document window's) is given.
struct Canvas {
    QImage image;
    QPainter painter;
    CFigContext ownContext;
    CFigContext& context;

    explicit Canvas(int width = 200, int height = 200, CFigContext* other = nullptr, QRgb background = white)
        : image(width, height, QImage::Format_RGB32)
        , context(other ? *other : ownContext)
    {
        image.fill(background);
        context.dpiX = context.dpiY = 80.0f;
        begin();
        context.setPainter(&painter);
    }
    ~Canvas()
    {
        if (painter.isActive())
            painter.end();
        context.setPainter(nullptr);
    }
    void begin()
    {
        if (!painter.isActive()) {
            painter.begin(&image);
            painter.setRenderHint(QPainter::Antialiasing, false);
        }
    }
    QRgb pixel(int x, int y)
    {
        if (painter.isActive())
            painter.end();
        return image.pixel(x, y);
    }
    const QImage& finished()
    {
        if (painter.isActive())
            painter.end();
        return image;
    }
    // How many pixels have the colour.
    int count(QRgb colour)
    {
        const QImage& done = finished();
        int n = 0;
        for (int y = 0; y < done.height(); ++y)
            for (int x = 0; x < done.width(); ++x)
                n += done.pixel(x, y) == colour;
        return n;
    }
    // Puts the object into the drawing, counted at its depth.
    template <typename T> T* add(T* object)
    {
        context.addObject(&context.drawing.objects, object);
        return object;
    }
};

inline void place(FigPoint& point, int x, int y)
{
    point.x = x;
    point.y = y;
}

inline FigPoint* chainOf(std::initializer_list<QPoint> points)
{
    FigPoint* head = nullptr;
    FigPoint* tail = nullptr;
    for (const QPoint& p : points) {
        auto* point = new FigPoint(p.x(), p.y());
        (tail ? tail->next : head) = point;
        tail = point;
    }
    return head;
}

inline FigLine* lineOf(std::initializer_list<QPoint> points, int lineWidth = 1, int subType = 1)
{
    auto* line = new FigLine(1);
    line->subType = subType;
    line->lineWidth = lineWidth;
    line->points = chainOf(points);
    return line;
}

// A box (sub-type 2) with corners in Fig units.
inline FigLine* boxOf(
    int x1, int y1, int x2, int y2, int fillColor = -1, int fillStyle = -1, int depth = 50, int lineWidth = 1)
{
    FigLine* box = lineOf({ { x1, y1 }, { x2, y1 }, { x2, y2 }, { x1, y2 }, { x1, y1 } }, lineWidth, 2);
    box->fillColor = fillColor;
    box->fillStyle = fillStyle;
    box->depth = depth;
    return box;
}

inline FigCompound* compoundOf(std::initializer_list<FigObject*> members)
{
    auto* compound = new FigCompound(1);
    for (FigObject* member : members)
        compound->members->push_back(member);
    return compound;
}

inline FigArrow* arrowOf(int type, int style, float thickness, float width = 300, float height = 600)
{
    auto* arrow = new FigArrow;
    arrow->type = type;
    arrow->style = style;
    arrow->thickness = thickness;
    arrow->width = width;
    arrow->height = height;
    return arrow;
}

// Reads the Fig text into `context` at 80 dots per inch, from a file in
// `dir`, answering any question No: true when it was read without one
// (each question asked is printed as a warning).
inline bool loadFigText(CFigContext& context, const QTemporaryDir& dir, const QByteArray& text)
{
    const QString file = dir.filePath(QStringLiteral("drawing.fig"));
    writeFile(file, text);
    context.dpiX = context.dpiY = 80.0f;
    MessageBoxRecorder boxes(QMessageBox::No);
    const bool read = context.loadFile(file);
    for (const MessageBoxRequest& box : boxes.boxes)
        qWarning("%s", qPrintable(box.text));
    return read && boxes.boxes.isEmpty();
}


} // namespace drawingfixtures
