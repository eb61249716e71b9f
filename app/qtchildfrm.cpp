#include "app/qtchildfrm.h"

#include "app/qslog.h"
#include "model/figcontext.h"

#include <QDir>
#include <QFileInfo>

int untitledCounter = 1;

QTChildFrm::QTChildFrm(QTMainFrm* mainFrm)
    : QScrollArea(nullptr)
    , mainFrm(mainFrm)
{
    setAttribute(Qt::WA_DeleteOnClose);
    figContext = new CFigContext(this);
}

QTChildFrm::~QTChildFrm()
{
    delete figContext;
}

void QTChildFrm::newFile()
{
    isUntitled = true;
    figContext->clearModified();
    const int number = untitledCounter++;
    curFile = tr("document%1.fig").arg(number);
    setWindowTitle(curFile + QStringLiteral("[*]"));
}

bool QTChildFrm::loadFile(const QString& fileName)
{
    if (!figContext->loadFile(fileName))
        return false;
    setCurrentFile(fileName);
    QDir::setCurrent(QFileInfo(curFile).absolutePath());
    QLOG_INFO() << "opened file " << fileName;
    return true;
}

void QTChildFrm::setCurrentFile(const QString& fileName)
{
    const QFileInfo info(fileName);
    curFile = info.isFile() ? info.canonicalFilePath() : fileName;
    isUntitled = false;
    setWindowModified(false);
    setWindowTitle(QFileInfo(curFile).fileName() + QStringLiteral("[*]"));
}

QString QTChildFrm::currentFileName() const
{
    return QFileInfo(curFile).fileName();
}

void QTChildFrm::drawObjectsAtDepth(int /*depth*/)
{
}

void QTChildFrm::redisplayCanvas()
{
}

QSize QTChildFrm::sizeHint() const
{
    return QSize(600, 800);
}
