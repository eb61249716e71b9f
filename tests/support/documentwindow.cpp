#include "support/documentwindow.h"

#include "app/qtchildfrm.h"
#include "model/figcontext.h"
#include "render/colors.h"
#include "render/griddef.h"
#include "render/markers.h"
#include "render/resources.h"
#include "support/testfiles.h"
#include "support/writtendrawing.h"

#include <QCoreApplication>

#include <iterator>

namespace documentwindow {

void initResources()
{
    ::initResources();
    createBuiltinGrids();
    initDefaultColors();
}

void releaseResources()
{
    releaseMarkerPixmaps();
    deleteGridDefs();
}

QStringList objectLines(const QByteArray& file)
{
    const QStringList lines = QString::fromUtf8(file).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList objects;
    bool pastHeader = false;
    for (const QString& line : lines) {
        if (!pastHeader) {
            pastHeader = line.startsWith(QLatin1String("1200 "));
            continue;
        }
        if (!line.startsWith(QLatin1Char('#')))
            objects << line;
    }
    return objects;
}

} // namespace documentwindow

DocumentWindow::DocumentWindow()
    : frame(new QTChildFrm(nullptr))
{
    frame->setAttribute(Qt::WA_DeleteOnClose, false);
    frame->resize(400, 300);
    frame->show();
    QCoreApplication::sendPostedEvents();
}

DocumentWindow::~DocumentWindow()
{
    delete frame;
}

bool DocumentWindow::load(const QByteArray& figText, const QString& name)
{
    const QString file = path(name);
    writeFile(file, figText);
    return frame->loadFile(file);
}

CFigContext& DocumentWindow::context()
{
    return *frame->figContext;
}

FigObject* DocumentWindow::object(int index)
{
    FigObjectList& list = context().drawing.objects;
    if (index < 0 || index >= static_cast<int>(list.size()))
        return nullptr;
    return *std::next(list.begin(), index);
}

FigObject* DocumentWindow::makeCurrent(int index)
{
    context().currentObject = object(index);
    return context().currentObject;
}

QStringList DocumentWindow::objectLines()
{
    return documentwindow::objectLines(writtendrawing::writtenDrawing(context()));
}

int DocumentWindow::undoSteps()
{
    return context().undoHistory.undoSteps.size();
}

void DocumentWindow::undo()
{
    frame->undo();
}

void DocumentWindow::redo()
{
    frame->redo();
}
