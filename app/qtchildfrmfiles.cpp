// The document window's file operations: new untitled documents, loading,
// asking to save, saving with a back-up copy, Save As and closing.
#include "app/qtchildfrm.h"

#include "app/filedialog.h"
#include "app/messagebox.h"
#include "app/qslog.h"
#include "app/qtmainfrm.h"
#include "app/statusmessages.h"
#include "dialogs/figcolordlg.h"
#include "edit/canvashandlers.h"
#include "edit/editstate.h"
#include "edit/floatingobjects.h"
#include "edit/libraryplacement.h"
#include "model/figcontext.h"
#include "model/figformat.h"
#include "script/scriptthread.h"
#include "toolbars/layerstoolbar.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

int untitledCounter = 1;

namespace {

// The Save As rule for the typed name: a name that mentions ".fig" anywhere,
// in any letter case, is taken as it is; otherwise the extension is added.
QString withFigExtension(const QString& name)
{
    if (name.contains(QLatin1String(".fig"), Qt::CaseInsensitive))
        return name;
    return name.endsWith(QLatin1Char('.')) ? name + QLatin1String("fig") : name + QLatin1String(".fig");
}

// Makes <fileName>.bak a copy of the existing file. The copy is written next
// to the old back-up and takes its place only once it is complete, so a full
// disk leaves the old back-up as it was. Only regular files are copied (a
// device such as /dev/zero would never end). False when no back-up was made.
bool backUpFile(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.isFile())
        return false;
    QFile source(fileName);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    // Unbuffered, so that every write reports its own failure: a failure
    // while a buffer is flushed at commit would go unnoticed.
    QSaveFile backup(fileName + QLatin1String(".bak"));
    if (!backup.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    QByteArray chunk;
    while (!(chunk = source.read(64 * 1024)).isEmpty()) {
        if (backup.write(chunk) != chunk.size()) {
            backup.cancelWriting();
            return false;
        }
    }
    if (source.error() != QFileDevice::NoError) {
        backup.cancelWriting();
        return false;
    }
    if (!backup.commit())
        return false;
    QFile::setPermissions(backup.fileName(), source.permissions());
    return true;
}

// What reading left out of the drawing would be lost for good by the next
// save: the user is told at once, with the first reasons, rather than by a
// status message that the next one replaces.
void reportRemovedObjects(const QString& fileName)
{
    const int removed = figFileProgress.removedObjects;
    if (removed == 0)
        return;
    QString reasons = figFileProgress.removalMessages.join(QLatin1Char('\n'));
    if (removed > figFileProgress.removalMessages.size())
        reasons += QStringLiteral("\n...");
    MessageBoxRequest request;
    request.parent = mainWindow;
    request.icon = QMessageBox::Warning;
    request.title = QTChildFrm::tr("Objects left out");
    request.text = QTChildFrm::tr("%n object(s) of \"%1\" could not be read and were left out:\n\n%2\n\n"
                                  "Saving the drawing will not keep them.",
        nullptr, removed)
                       .arg(QDir::toNativeSeparators(fileName), reasons);
    request.buttons = QMessageBox::Ok;
    showMessageBox(request);
}

} // namespace

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
    // The file brings its own unit, paper and extent.
    updateRulerScale();
    updateScrollRange();
    if (allMarkersShown) {
        // The markers of the objects just read, drawn as those of the
        // objects before them were.
        bool began = false;
        if (!canvasPainter.isActive() && canvasImage)
            began = canvasPainter.begin(canvasImage);
        figContext->showAllMarkers();
        if (began)
            canvasPainter.end();
        viewport()->repaint();
    }
    setCurrentFile(fileName);
    QDir::setCurrent(QFileInfo(curFile).absolutePath());
    QLOG_INFO() << "opened file " << fileName;
    reportRemovedObjects(fileName);
    return true;
}

bool QTChildFrm::maybeSave()
{
    if (!figContext->modified)
        return true;
    MessageBoxRequest request;
    request.parent = this;
    request.icon = QMessageBox::Warning;
    request.title = tr("Save changes?");
    request.text = tr("'%1' has been modified.\nDo you want to save your changes?").arg(currentFileName());
    request.buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    switch (showMessageBox(request)) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        // Cancel, Escape and a box closed without an answer.
        return false;
    }
}

bool QTChildFrm::save()
{
    if (!isUntitled)
        return saveFile(curFile);
    return saveAs();
}

bool QTChildFrm::saveAs()
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Save;
    request.parent = this;
    request.caption = tr("Save As");
    request.directory = curFile;
    const QString fileName = askFileName(request);
    if (fileName.isEmpty())
        return false;
    return saveFile(withFigExtension(fileName));
}

bool QTChildFrm::saveFile(const QString& fileName)
{
    // Copies, pasted objects or a library clip following the pointer are no
    // part of the drawing yet.
    cancelFloatingObjects(figContext);
    if (libraryPlacementDocument() == figContext)
        abandonLibraryPlacement();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // Whether a back-up was made does not decide the save: the first save of
    // a file has nothing to back up.
    backUpFile(fileName);
    const bool ok = figContext->saveFile(fileName);
    if (ok)
        figContext->clearModified();
    QGuiApplication::restoreOverrideCursor();
    if (!ok) {
        // The writer's status message names the file and the error; a failed
        // save must not pass unnoticed in the status bar.
        MessageBoxRequest request;
        request.parent = this;
        request.icon = QMessageBox::Warning;
        request.title = tr("Save failed");
        request.text = statusText;
        showMessageBox(request);
        return false;
    }
    setCurrentFile(fileName);
    QDir::setCurrent(QFileInfo(curFile).absolutePath());
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

void QTChildFrm::closeEvent(QCloseEvent* event)
{
    // A running script works on the documents: it is stopped, and the
    // window stays until it has ended.
    if (ScriptThread* script = ScriptThread::current()) {
        script->stop();
        event->ignore();
        return;
    }
    cancelFloatingObjects(figContext);
    // A gesture belongs to the window it began in and ends with it.
    if (canvasGestureDocument() == figContext)
        cancelGesture();
    const bool closing = maybeSave();
    if (closing && libraryPlacementDocument() == figContext)
        abandonLibraryPlacement();
    if (closing)
        event->accept();
    else
        event->ignore();
    if (!mainFrm)
        return;
    // Nothing may keep pointing at a document that goes away.
    mainFrm->colorDlg->setContext(nullptr);
    mainFrm->setCompoundButtonsState(false, false, false, false);
    mainFrm->setConvertLineSplineButtonState(false);
    mainFrm->setAlignButtonsState(false);
    if (mainFrm->layersToolbar)
        mainFrm->layersToolbar->drawLayerButtons(nullptr);
    // The shared dialogs then show the document that stays active (this one
    // when the close was refused), never none while a document is open.
    mainFrm->followActiveDocument(closing ? this : nullptr);
}
