#pragma once
// The object comment dialog: shows and edits the comment of one drawing
// object, the current object of the active document when it was opened. The
// main window keeps one for the whole run; it remembers the object last
// given (not owned) and owns its form.

#include <QDialog>

#include <memory>

class FigObject;

namespace Ui {
class ObjectCommentDlgForm;
}

class ObjectCommentDlg : public QDialog {
    Q_OBJECT
public:
    explicit ObjectCommentDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~ObjectCommentDlg() override;

    // Empties the editor; for an object, remembers it and shows its comment.
    void setObject(FigObject* object);
    FigObject* object() const { return commentedObject; }

public slots:
    // OK: a text that is not empty becomes the object's comment and closes
    // the dialog; an empty one changes nothing and the dialog stays open.
    void accept() override;

signals:
    // OK stored a comment (true) or found the editor empty (false).
    void commentChanged(bool hasComment);

private:
    std::unique_ptr<Ui::ObjectCommentDlgForm> ui;
    FigObject* commentedObject = nullptr; // not owned
};
