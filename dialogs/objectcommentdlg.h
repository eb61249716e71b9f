#pragma once
// The object comment dialog: shows and edits the comment of the active
// document's current object. The main window keeps one for the whole run and
// hands it the object before every opening; the object is not owned.

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

    // OK: the editor's text becomes the object's comment, an empty text
    // removing it (no undo step, no modified mark), and the dialog closes.
    // Without an object the dialog stays open.
    void accept() override;

signals:
    // OK gave the object a comment (true) or took it away (false).
    void commentChanged(bool hasComment);

private:
    std::unique_ptr<Ui::ObjectCommentDlgForm> ui;
    FigObject* object = nullptr; // not owned
};
