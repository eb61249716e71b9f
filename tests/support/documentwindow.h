#pragma once
// A shown document window without a main window, holding a drawing read from
// a small Fig text in a private folder: the document that dialogs under test
// edit, with its canvas, undo history and written file. Also the start and end
// of the shared drawing resources such a window needs.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class CFigContext;
class FigObject;
class QTChildFrm;

namespace documentwindow {

// Once per test executable: images, grids and colours; and their release.
void initResources();
void releaseResources();

// The object lines of a written Fig file: every line after the resolution
// line that is not a comment.
QStringList objectLines(const QByteArray& file);

} // namespace documentwindow

class DocumentWindow {
public:
    DocumentWindow();
    ~DocumentWindow();
    DocumentWindow(const DocumentWindow&) = delete;
    DocumentWindow& operator=(const DocumentWindow&) = delete;

    // Writes the text to a file of the folder and reads it into the window;
    // false when it cannot be read.
    bool load(const QByteArray& figText, const QString& name = QStringLiteral("drawing.fig"));
    QString path(const QString& name) const { return dir.filePath(name); }

    CFigContext& context();
    // Object number `index` of the drawing's top-level list (null past the end).
    FigObject* object(int index);
    // Makes object number `index` the document's current object and returns it.
    FigObject* makeCurrent(int index);

    // The object lines of the drawing as it would be saved now.
    QStringList objectLines();
    int undoSteps();
    void undo();
    void redo();

    QTemporaryDir dir;
    QTChildFrm* frame; // owned
};
