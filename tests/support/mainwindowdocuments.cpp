#include "support/mainwindowdocuments.h"

#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "model/figcontext.h"
#include "support/testfiles.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

MainWindowDocuments::MainWindowDocuments()
    : startDir(QDir::currentPath())
    , mainFrame(std::make_unique<QTMainFrm>())
{
    mainWindow = mainFrame.get();
    mainFrame->show();
    QApplication::setActiveWindow(mainFrame.get());
    active = QTest::qWaitForWindowActive(mainFrame.get());
}

MainWindowDocuments::~MainWindowDocuments()
{
    mainFrame.reset();
    mainWindow = nullptr;
    QDir::setCurrent(startDir);
}

QTChildFrm* MainWindowDocuments::open(const QByteArray& figText, const QString& name)
{
    const QString path = dir.filePath(name);
    writeFile(path, figText);
    const int before = mainFrame->childFrames().size();
    mainFrame->openFile(path);
    if (mainFrame->childFrames().size() == before)
        return nullptr;
    QTChildFrm* child = mainFrame->activeMdiChild();
    if (!child || child->curFile != QFileInfo(path).canonicalFilePath())
        return nullptr;
    child->figContext->dpiX = 80.0f;
    child->figContext->dpiY = 80.0f;
    return child;
}

void MainWindowDocuments::activate(QTChildFrm* child)
{
    const QList<QMdiSubWindow*> windows = mainFrame->mdiArea->subWindowList();
    for (QMdiSubWindow* window : windows) {
        if (window->widget() == child)
            mainFrame->mdiArea->setActiveSubWindow(window);
    }
}
