#pragma once
// Shared support of the editing tests: a real program run with a document,
// mouse input on a document window's canvas at Fig coordinates, and the
// object lines of the file the document saves.
//
//     editsession::run(editsession::figText("2 1 0 1 0 7 50 -1 -1 0.000 0 0 -1 0 0 2\n\t 0 0 600 600\n"),
//         [](QTMainFrm& window, QTChildFrm& document) {
//             editsession::CanvasInput input(document);
//             input.press(300, 300);
//             input.move(450, 300);
//             input.release(450, 300);
//             QCOMPARE(editsession::savedObjectLines(document), QList<QByteArray>({ ... }));
//         });
//
// The document window maps pixels with 80 dots per inch at zoom 1 (15 Fig
// units a pixel) unless the test changes zoom, dpi or scroll origin; Fig
// coordinates that are multiples of 15 then land on whole pixels.

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>

class QTChildFrm;
class QTMainFrm;

namespace editsession {

// A whole Fig 3.2 file: an inch, Letter, 1200-unit header followed by the
// object lines (each ending in a newline).
QByteArray figText(const QByteArray& objectLines);
// The same as this program writes it, so that the identifier and smart-link
// comment lines ("# METADATA <id>...", "# METADATA <link .../>") are read.
QByteArray ownFigText(const QByteArray& objectLines);

// Runs the program as main() does, in the test's private folders: with
// `figure` (a whole Fig text) written to a fresh folder and named on the
// command line, or, when `figure` is empty, with the new document the
// program opens by itself. Once the event loop runs, `use` gets the main
// window and its active document window; afterwards every document is marked
// unmodified and every window closed, so nothing asks to save. A failed
// check inside `use` ends `use` only; it is still reported by the test.
void run(const QByteArray& figure, const std::function<void(QTMainFrm&, QTChildFrm&)>& use);

// Mouse and modifier input on one document window's canvas. Positions are
// Fig units, mapped to viewport pixels with the document's zoom, dots per
// inch and scroll origin as they are at the time of each event; the document
// window maps them back (and snaps them) itself. Keys held by `hold` are let
// go when the input object goes.
class CanvasInput {
public:
    explicit CanvasInput(QTChildFrm& document);
    ~CanvasInput();
    CanvasInput(const CanvasInput&) = delete;
    CanvasInput& operator=(const CanvasInput&) = delete;

    // The viewport pixel of a Fig point, and the Fig point the document
    // window makes of a pixel (before snapping).
    QPoint pixelOf(int x, int y) const;
    QPoint figAt(const QPoint& pixel) const;
    // The Fig area the viewport shows.
    QRect visibleFigArea() const;

    void press(int x, int y, Qt::MouseButton button = Qt::LeftButton);
    // A move with the buttons pressed here and not yet released.
    void move(int x, int y);
    void release(int x, int y, Qt::MouseButton button = Qt::LeftButton);
    // Press and release at one place.
    void click(int x, int y, Qt::MouseButton button = Qt::LeftButton);
    // The wheel turned by `notches` (positive away from the user) with the
    // pointer at (x, y), the buttons held so far and the held modifiers.
    void wheel(int x, int y, int notches);
    // From now on Shift and Ctrl are held as given, told to the document
    // window by key presses and releases (which is how it learns them) and
    // carried by every mouse event.
    void hold(Qt::KeyboardModifiers modifiers);
    // A key pressed and let go on the document window, with the held
    // modifiers.
    void key(int key);
    // A key pressed and let go with the modifiers as a user types it, so
    // that the main window's shortcuts (Ctrl+Z, Ctrl+A, ...) take it: the
    // main window is made the active window first.
    void shortcut(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier);
    QTChildFrm& window() const { return document; }

private:
    QTChildFrm& document;
    Qt::MouseButtons buttons = Qt::NoButton;
    Qt::KeyboardModifiers held = Qt::NoModifier;
};

// One step of scripted input for data-driven tests, at Fig coordinates:
// 'm' move, 'p' press, 'r' release, 'c' click (a move there, press and
// release), 'R' right click, 'S' hold Shift, 's' let Shift go, 'd' drag from
// the last position to (x, y) through the half-way point and release there;
// the document window's commands 'C' copy, 'X' cut, 'V' paste, and 'K' a key
// press and release with the key code in x; 'k' the key in x with Ctrl
// through the shortcuts (Ctrl+A select all, Ctrl+Z undo, Ctrl+Y redo);
// 'M' the tool of edit mode x chosen by its button; the main window's
// actions, as from the menu, 'G' create and 'B' break compounds, 'O' open
// and 'Q' close a compound, 'T' convert between line and spline.
struct Step {
    char op;
    int x = 0;
    int y = 0;
};
using Steps = QList<Step>;
// A step at a Fig point.
inline Step at(char op, const QPoint& p)
{
    return Step { op, p.x(), p.y() };
}
void play(CanvasInput& input, const Steps& steps);

// The document saved to a new file in the test's private folders (it becomes
// the document's file); the file's object lines: every line after the
// header's resolution line that is not a comment, without its line end.
// Empty when the file could not be written.
QList<QByteArray> savedObjectLines(QTChildFrm& document);

// The object lines of a Fig text, as savedObjectLines takes them.
QList<QByteArray> objectLines(const QByteArray& figure);
// The same for object lines put into a whole file by figText.
QList<QByteArray> linesOfObjects(const QByteArray& objects);

// Chooses an edit mode as the user does: by its button in the tool panel.
// Fails the running test when the mode has no button or did not become the
// current one.
void chooseMode(QTMainFrm& window, int mode);

// How many pixels of the document's canvas differ from what a whole-canvas
// redraw of the document makes; the canvas then shows that redraw. 0 when
// the canvas shows the drawing as it is, with no leftover of a gesture.
int pixelsOffRedraw(QTChildFrm& document);


} // namespace editsession
