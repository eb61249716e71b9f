#include "app/applicationwindowseam.h"

#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "dialogs/figcolordlg.h"
#include "dialogs/picturedlg.h"
#include "dialogs/textenterdlg.h"
#include "model/figcontext.h"
#include "toolbars/layerstoolbar.h"
#include "toolbars/shapestoolbar.h"

#include <QImage>

void ApplicationWindowSeam::setWindowModified(CFigContext* context, bool modified)
{
    if (context && context->view)
        context->view->setWindowModified(modified);
}

bool ApplicationWindowSeam::windowDpi(const CFigContext* context, float& dpiX, float& dpiY) const
{
    if (!context || !context->view)
        return false;
    dpiX = context->view->logicalDpiX();
    dpiY = context->view->logicalDpiY();
    return true;
}

QSize ApplicationWindowSeam::canvasSize(const CFigContext* context) const
{
    return context && context->view ? context->view->size() : QSize(0, 0);
}

QSize ApplicationWindowSeam::visibleSize(const CFigContext* context) const
{
    if (!context || !context->view)
        return QSize(0, 0);
    return QSize(context->view->visibleWidth(), context->view->visibleHeight());
}

const QImage* ApplicationWindowSeam::canvasImage(const CFigContext* context) const
{
    return context && context->view ? context->view->canvasImage : nullptr;
}

bool ApplicationWindowSeam::canvasPainterActive(const CFigContext* context) const
{
    return context && context->view && context->view->canvasPainter.isActive();
}

void ApplicationWindowSeam::beginCanvasPainter(CFigContext* context)
{
    if (context && context->view)
        context->view->beginCanvasPainter();
}

void ApplicationWindowSeam::endCanvasPainter(CFigContext* context)
{
    if (context && context->view)
        context->view->endCanvasPainter();
}

void ApplicationWindowSeam::redisplayCanvas(CFigContext* context)
{
    if (context && context->view)
        context->view->redisplayCanvas();
}

void ApplicationWindowSeam::flushDeferredRedisplay(CFigContext* context)
{
    if (context && context->view)
        context->view->flushDeferredRedisplay();
}

void ApplicationWindowSeam::drawObjectsAtDepth(CFigContext* context, int depth)
{
    if (context && context->view)
        context->view->drawObjectsAtDepth(depth);
}

void ApplicationWindowSeam::showDrawProgress(CFigContext* context, int percent, bool finished)
{
    if (context && context->view)
        context->view->showDrawProgress(percent, finished);
}

void ApplicationWindowSeam::refreshLayers(CFigContext* context)
{
    if (mainWindow && mainWindow->layersToolbar)
        mainWindow->layersToolbar->drawLayerButtons(context);
}

void ApplicationWindowSeam::refreshUserColorLists()
{
    if (mainWindow && mainWindow->colorDlg)
        mainWindow->colorDlg->updateUserColorCombos();
}

void ApplicationWindowSeam::forgetHoveredObject(const FigObject* object)
{
    if (mainWindow && mainWindow->hoveredObject == object)
        mainWindow->hoveredObject = nullptr;
}

void ApplicationWindowSeam::setEditMode(int mode)
{
    ::setEditMode(mode);
}

bool ApplicationWindowSeam::askForText(CFigContext* context, const QString& preset, QString& answer)
{
    // Over the document's window; a window-less document still asks.
    TextEnterDlg dialog(context ? context->view : nullptr);
    dialog.setText(preset);
    dialog.setModal(true);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    answer = dialog.text();
    return true;
}

void ApplicationWindowSeam::editPicture(CFigContext* context, FigLine* picture)
{
    if (!context || !context->view)
        return;
    PictureDlg dialog(context->view, Qt::WindowFlags(), context, picture);
    dialog.setModal(true);
    dialog.show();
    dialog.exec();
}

void installApplicationWindowSeam()
{
    static ApplicationWindowSeam seam;
    installWindowSeam(&seam);
}
