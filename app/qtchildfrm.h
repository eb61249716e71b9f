#pragma once
// The document window: a scrolled view of one document's canvas, placed by
// the main window as a sub-window of its multiple-document area. Owns the
// document's CFigContext; deletes itself when it is closed.

#include <QScrollArea>
#include <QString>

class CFigContext;
class QTMainFrm;

class QTChildFrm : public QScrollArea {
    Q_OBJECT
public:
    explicit QTChildFrm(QTMainFrm* mainFrm = nullptr);
    ~QTChildFrm() override;

    QTChildFrm(const QTChildFrm&) = delete;
    QTChildFrm& operator=(const QTChildFrm&) = delete;

    // Makes the window an untitled new document named after "document%1.fig"
    // with the next number of the run.
    void newFile();
    // Reads a Fig file into the document; false when it cannot be read (the
    // reader tells why in the status bar).
    bool loadFile(const QString& fileName);
    // Records the file as the document's file and titles the window after it.
    void setCurrentFile(const QString& fileName);
    // curFile without its directory.
    QString currentFileName() const;
    // When the document is modified, asks whether to save it; true when the
    // caller may go on (saved or changes discarded), false to stop.
    bool maybeSave();
    // Saves under the current name, or asks for one when untitled.
    bool save();
    // Asks for a name and saves under it.
    bool saveAs();
    // Backs up the existing file to <name>.bak and writes the document; true
    // when the file was written. A failure is reported in a message box and
    // leaves the document modified and its name as it was.
    bool saveFile(const QString& fileName);

protected:
    // Asks to save a modified document; a cancelled answer keeps the window.
    void closeEvent(QCloseEvent* event) override;

public:

    // Draw the current object list at one depth on top of the canvas; the
    // canvas redraw fills it in.
    void drawObjectsAtDepth(int depth);
    // Redraw the whole canvas; the canvas redraw fills it in.
    void redisplayCanvas();

    QSize sizeHint() const override;

    QTMainFrm* mainFrm; // not owned
    CFigContext* figContext; // owned
    QString curFile; // the file path; for an untitled document its proposed name
    bool isUntitled = true;

signals:
    void compoundButtonsStateChanged(bool btCreate, bool btBreak, bool btOpen, bool btClose);
    void convertLineSplineButtonStateChanged(bool enabled);
    void alignButtonsStateChanged(bool enabled);
    void addClipToLibraryButtonStateChanged();
    void coordsChanged(CFigContext* fgc, int x, int y);
    void redisplayCanvasSignal();
};

// Numbers the untitled documents of a run; only grows.
extern int untitledCounter;
