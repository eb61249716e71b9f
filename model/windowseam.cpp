#include "model/windowseam.h"

#include <QString>

namespace {

WindowSeam defaultSeam;
WindowSeam* installedSeam = nullptr; // not owned

} // namespace

WindowSeam& windowSeam()
{
    return installedSeam ? *installedSeam : defaultSeam;
}

void installWindowSeam(WindowSeam* seam)
{
    installedSeam = seam;
}

void WindowSeam::setWindowModified(CFigContext*, bool)
{
}

bool WindowSeam::windowDpi(const CFigContext*, float&, float&) const
{
    return false;
}

QSize WindowSeam::canvasSize(const CFigContext*) const
{
    return QSize(0, 0);
}

QSize WindowSeam::visibleSize(const CFigContext*) const
{
    return QSize(0, 0);
}

const QImage* WindowSeam::canvasImage(const CFigContext*) const
{
    return nullptr;
}

bool WindowSeam::canvasPainterActive(const CFigContext*) const
{
    return false;
}

void WindowSeam::beginCanvasPainter(CFigContext*)
{
}

void WindowSeam::endCanvasPainter(CFigContext*)
{
}

void WindowSeam::redisplayCanvas(CFigContext*)
{
}

void WindowSeam::flushDeferredRedisplay(CFigContext*)
{
}

void WindowSeam::drawObjectsAtDepth(CFigContext*, int)
{
}

void WindowSeam::showDrawProgress(CFigContext*, int, bool)
{
}

void WindowSeam::refreshLayers(CFigContext*)
{
}

void WindowSeam::refreshUserColorLists()
{
}

void WindowSeam::forgetHoveredObject(const FigObject*)
{
}

void WindowSeam::setEditMode(int)
{
}

bool WindowSeam::askForText(CFigContext*, const QString&, QString&)
{
    return false;
}

void WindowSeam::editPicture(CFigContext*, FigLine*)
{
}
