#include "support/editsession.h"

#include "app/appdir.h"
#include "app/preferences.h"
#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "app/startup.h"
#include "edit/editstate.h"
#include "model/figcontext.h"
#include "render/canvasmapping.h"
#include "support/testenv.h"
#include "support/testfiles.h"
#include "toolbars/shapestoolbar.h"
#include "ui_qtmainfrm.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QSettings>
#include <QSize>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

namespace editsession {

namespace {

// A folder of its own under the test's home (or the system's temporary
// folder outside CTest), kept until the test program ends.
QString freshFolder(const QString& stem)
{
    static int count = 0;
    const QString base = testenv::home().isEmpty() ? QDir::tempPath() : testenv::home();
    const QString folder = QDir(base).filePath(QStringLiteral("%1-%2").arg(stem).arg(++count));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    return folder;
}

} // namespace

QByteArray figText(const QByteArray& objectLines)
{
    return "#FIG 3.2\nLandscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n" + objectLines;
}

QByteArray ownFigText(const QByteArray& objectLines)
{
    return "#FIG 3.2\n# Created by Tavrel version 4.62\n# METADATA <version>1.0</version>\n"
           "Landscape\nCenter\nInches\nLetter\n100.00\nSingle\n-2\n1200 2\n"
        + objectLines;
}

void run(const QByteArray& figure, const std::function<void(QTMainFrm&, QTChildFrm&)>& use)
{
    preferences = Preferences();
    // The start-up installs the program's message handler; the test's own
    // goes back in place afterwards.
    const QtMessageHandler testHandler = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(testHandler);
    prepareStart();
    qInstallMessageHandler(testHandler);
    appDir = freshFolder(QStringLiteral("app"));

    QStringList arguments { QStringLiteral("tavrel") };
    if (!figure.isEmpty()) {
        const QString file = QDir(freshFolder(QStringLiteral("drawing"))).filePath(QStringLiteral("drawing.fig"));
        writeFile(file, figure);
        arguments << file;
    }

    bool used = false;
    QSettings settings(settingsOrganization, settingsApplication);
    // A window with room for the drawings these sessions use beside the
    // attribute pages, whose width follows their fonts.
    settings.setValue(QStringLiteral("window size"), QSize(900, 700));
    runAfterStart([&] {
        if (mainWindow) {
            if (QTChildFrm* document = mainWindow->activeMdiChild()) {
                used = true;
                use(*mainWindow, *document);
            }
            for (QTChildFrm* child : mainWindow->childFrames())
                child->figContext->clearModified();
        }
        QApplication::closeAllWindows();
    });
    runApplication(arguments);
    finishRun(settings);
    QVERIFY2(used, "the program showed no document window");
}

// ---- Canvas input ----

CanvasInput::CanvasInput(QTChildFrm& document)
    : document(document)
{
}

CanvasInput::~CanvasInput()
{
    hold(Qt::NoModifier);
}

QPoint CanvasInput::pixelOf(int x, int y) const
{
    return document.figContext->figToPixelPoint(x, y);
}

QPoint CanvasInput::figAt(const QPoint& pixel) const
{
    const CFigContext& c = *document.figContext;
    return QPoint(pixelToFig(pixel.x(), c.dpiX, c.zoom, c.originX), pixelToFig(pixel.y(), c.dpiY, c.zoom, c.originY));
}

QRect CanvasInput::visibleFigArea() const
{
    const QRect view = document.viewport()->rect();
    return QRect(figAt(view.topLeft()), figAt(view.bottomRight()));
}

void CanvasInput::press(int x, int y, Qt::MouseButton button)
{
    buttons |= button;
    QTest::mousePress(document.viewport(), button, held, pixelOf(x, y));
}

void CanvasInput::move(int x, int y)
{
    const QPoint pixel = pixelOf(x, y);
    QMouseEvent event(QEvent::MouseMove, pixel, document.viewport()->mapToGlobal(pixel), Qt::NoButton, buttons, held);
    QApplication::sendEvent(document.viewport(), &event);
}

void CanvasInput::release(int x, int y, Qt::MouseButton button)
{
    buttons &= ~Qt::MouseButtons(button);
    QTest::mouseRelease(document.viewport(), button, held, pixelOf(x, y));
}

void CanvasInput::click(int x, int y, Qt::MouseButton button)
{
    press(x, y, button);
    release(x, y, button);
}

void CanvasInput::wheel(int x, int y, int notches)
{
    const QPoint pixel = pixelOf(x, y);
    QWheelEvent event(pixel, document.viewport()->mapToGlobal(pixel), QPoint(), QPoint(0, notches * 120), buttons, held,
        Qt::NoScrollPhase, false);
    QApplication::sendEvent(document.viewport(), &event);
}

void CanvasInput::hold(Qt::KeyboardModifiers modifiers)
{
    const struct {
        Qt::KeyboardModifier modifier;
        Qt::Key key;
    } keys[] = { { Qt::ShiftModifier, Qt::Key_Shift }, { Qt::ControlModifier, Qt::Key_Control } };
    for (const auto& k : keys) {
        const bool wanted = modifiers & k.modifier;
        const bool now = held & k.modifier;
        if (wanted == now)
            continue;
        // A modifier key's event carries the state before it (as the window
        // system reports it); QKeyEvent::modifiers() turns in the key's own.
        QKeyEvent event(wanted ? QEvent::KeyPress : QEvent::KeyRelease, k.key, held);
        held ^= k.modifier;
        QApplication::sendEvent(&document, &event);
    }
}

void CanvasInput::shortcut(int key, Qt::KeyboardModifiers modifiers)
{
    QWidget* top = document.window();
    if (!top->isActiveWindow()) {
        top->activateWindow();
        QApplication::setActiveWindow(top);
        QVERIFY2(QTest::qWaitForWindowActive(top), "the main window did not become active");
    }
    QTest::keyClick(&document, Qt::Key(key), modifiers);
}

void play(CanvasInput& input, const Steps& steps)
{
    int lastX = 0;
    int lastY = 0;
    for (const Step& step : steps) {
        switch (step.op) {
        case 'm':
            input.move(step.x, step.y);
            break;
        case 'p':
            input.press(step.x, step.y);
            break;
        case 'r':
            input.release(step.x, step.y);
            break;
        case 'c':
            input.move(step.x, step.y);
            input.click(step.x, step.y);
            break;
        case 'R':
            input.move(step.x, step.y);
            input.click(step.x, step.y, Qt::RightButton);
            break;
        case 'S':
            input.hold(Qt::ShiftModifier);
            break;
        case 's':
            input.hold(Qt::NoModifier);
            break;
        case 'd':
            input.move(lastX, lastY);
            input.press(lastX, lastY);
            input.move((lastX + step.x) / 2, (lastY + step.y) / 2);
            input.move(step.x, step.y);
            input.release(step.x, step.y);
            break;
        case 'C':
            input.window().copy();
            break;
        case 'X':
            input.window().cut();
            break;
        case 'V':
            input.window().paste();
            break;
        case 'K':
            input.key(step.x);
            break;
        case 'k':
            input.shortcut(step.x);
            break;
        case 'M':
            QVERIFY2(mainWindow, "no main window");
            chooseMode(*mainWindow, step.x);
            break;
        case 'G':
        case 'B':
        case 'O':
        case 'Q':
        case 'T': {
            QVERIFY2(mainWindow, "no main window");
            Ui::MainFrmClass& ui = mainWindow->ui;
            QAction* action = step.op == 'G' ? ui.actionCreateCompound
                : step.op == 'B'             ? ui.actionBreakCompound
                : step.op == 'O'             ? ui.actionOpenCompound
                : step.op == 'Q'             ? ui.actionCloseCompound
                                             : ui.actionConvertLineSpline;
            QVERIFY2(action->isEnabled(), qPrintable(action->text()));
            action->trigger();
            break;
        }
        default:
            QFAIL("unknown input step");
        }
        if (QByteArray("mprcRd").contains(step.op)) {
            lastX = step.x;
            lastY = step.y;
        }
    }
}

void CanvasInput::key(int key)
{
    QKeyEvent press(QEvent::KeyPress, key, held);
    QApplication::sendEvent(&document, &press);
    QKeyEvent release(QEvent::KeyRelease, key, held);
    QApplication::sendEvent(&document, &release);
}

// ---- Saved files ----

QList<QByteArray> savedObjectLines(QTChildFrm& document)
{
    const QString file = QDir(freshFolder(QStringLiteral("saved"))).filePath(QStringLiteral("saved.fig"));
    if (!document.saveFile(file))
        return {};
    return objectLines(readFile(file));
}

QList<QByteArray> objectLines(const QByteArray& figure)
{
    // The header: the "#FIG" line, then orientation, justification, units,
    // paper size, magnification, multiple pages, transparent colour and
    // resolution, with comment lines anywhere among them.
    constexpr int headerValueLines = 8;
    QList<QByteArray> result;
    int headerValues = 0;
    const QList<QByteArray> lines = figure.split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.startsWith('#') || line.isEmpty())
            continue;
        if (headerValues < headerValueLines) {
            ++headerValues;
            continue;
        }
        result << line;
    }
    return result;
}

QList<QByteArray> linesOfObjects(const QByteArray& objects)
{
    return objectLines(figText(objects));
}

// ---- Modes ----

void chooseMode(QTMainFrm& window, int mode)
{
    QToolButton* button = window.shapesToolbar->modeButton(mode);
    QVERIFY(button);
    button->click();
    QCOMPARE(editMode, mode);
}

// ---- The canvas ----

int pixelsOffRedraw(QTChildFrm& document)
{
    if (!document.canvasImage)
        return 0;
    const QImage shown = document.canvasImage->copy();
    document.redisplayCanvas();
    const QImage& redrawn = *document.canvasImage;
    if (shown == redrawn)
        return 0;
    if (shown.size() != redrawn.size())
        return shown.width() * shown.height();
    int off = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixel(x, y) != redrawn.pixel(x, y))
                ++off;
        }
    }
    return off;
}

} // namespace editsession
