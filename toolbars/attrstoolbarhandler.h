#pragma once
// Keeps the attribute pages and the current drawing attributes in step and
// applies attribute changes to the active document. The main window makes
// exactly one, before its tool bars, and deletes it; it keeps the main window
// pointer and owns nothing.

#include <QObject>

class QTMainFrm;

class AttrsToolbarHandler : public QObject {
    Q_OBJECT
public:
    explicit AttrsToolbarHandler(QTMainFrm* mainWindow);

    // Makes every attribute page show the current attributes.
    void refreshToolbars();

    QTMainFrm* mainWindow; // not owned

signals:
    // The pen colour, fill colour or area fill of the active document changed.
    void colorsChanged();

public slots:
    // Shows and raises the main window's colour dialog.
    void openColorDlgClicked(bool checked);
};
