#pragma once
// The object comment dialog: shows and edits the comment of the active
// document's current object. The main window keeps one for the whole run.

#include <QDialog>

class ObjectCommentDlg : public QDialog {
    Q_OBJECT
public:
    explicit ObjectCommentDlg(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

signals:
    // The comment of the shown object became empty or non-empty.
    void commentChanged(bool hasComment);
};
