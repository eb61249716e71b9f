#pragma once
// What every object attribute page shares, built once: the form of narrow
// rows, the kept main window, the style value label, comment and pen colour
// icons, the two-way binding and frame connections, and Escape passed to the
// main window. Each page class adds only its own rows and buttons.
// Made without Qt parent; the main window places a page in its attribute
// stack and deletes it. Owns its form.

#include <QWidget>

#include <memory>

class AttrsPageForm;
class AttrsToolbarHandler;
class QTMainFrm;

class ObjectAttrsPage : public QWidget {
    Q_OBJECT
public:
    ~ObjectAttrsPage() override;

    QTMainFrm* mainWindow; // not owned; may be null

public slots:
    // The style value label for the line style (pages with a line block).
    void onLineStyle(int index);
    void onCommentTip(bool hasComment);
    void onColorChanged(const QPixmap& newPixmap);

protected:
    // Sets up the form named `formName`; see AttrsPageForm.
    ObjectAttrsPage(QTMainFrm* mainWindow, Qt::WindowFlags flags, const char* formName, int height, int spacing = 2,
        int margin = 0);

    // Every value widget of the form to the handler, both ways; the line
    // style also to the style value label when the form has one.
    void bindValues(AttrsToolbarHandler* handler);
    // The comment signals, the comment and pen colour buttons and, when the
    // form has a pen colour button, the colour dialog's preview.
    void connectFrame(AttrsToolbarHandler* handler);

    void keyPressEvent(QKeyEvent* event) override;

    std::unique_ptr<AttrsPageForm> form;
};
