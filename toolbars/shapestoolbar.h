#pragma once
// The tool panel: one checkable button per edit mode, at most one checked.
// Its buttons are children of the inner widget `layoutWidget`, which the main
// window places into one of its tool bars; the panel itself stays hidden and
// without Qt parent, and the main window deletes it.

#include <QMap>
#include <QWidget>

class QToolButton;

class ShapesToolbar : public QWidget {
    Q_OBJECT
public:
    explicit ShapesToolbar(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // Makes the mode current: checks its button (and only it), stores the
    // number as the current edit mode and shows the mode's status text; the
    // select mode also shows its attribute page. A number without a button
    // does nothing.
    void setMode(int mode);

    // The button of a mode, or null.
    QToolButton* modeButton(int mode) const;
    QWidget* layoutWidget;

signals:
    void commentChanged(bool hasComment);
    void compoundButtonsStateChanged(bool btCreate, bool btBreak, bool btOpen, bool btClose);
    void convertLineSplineButtonStateChanged(bool enabled);
    void alignButtonsStateChanged(bool enabled);

private:
    QMap<int, QToolButton*> buttons; // children of layoutWidget
    int checkedMode = -1;
};
