#pragma once
// The tool panel: one checkable button per edit mode the user can choose,
// exactly one checked once a mode was chosen. A button stores its mode,
// runs the mode's set-up, prepares the markers of the active document,
// shows the mode's attribute page and status text, and resets the selection
// state of the active document. The buttons are children of `layoutWidget`,
// which the main window places into one of its tool bars; the panel itself
// stays hidden and without Qt parent, and the main window deletes it. It
// owns its form.

#include <QWidget>

#include <memory>

class QToolButton;
struct EditModeEntry;

namespace Ui {
class ShapesToolbarForm;
}

class ShapesToolbar : public QWidget {
    Q_OBJECT
public:
    explicit ShapesToolbar(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~ShapesToolbar() override;

    // Chooses a mode by number as its button does. A number without a
    // button only unchecks the checked one; a mode that is prepared on a
    // document does nothing while no document is active.
    void setMode(int mode);

    // After every mode change, on the active document: no current object,
    // no transform centre, nothing selected, the keyboard focus on the
    // document window, and the comment, conversion and align states off.
    void finishModeChange();

    // The button of a mode, or null.
    QToolButton* modeButton(int mode) const;

    QWidget* layoutWidget; // the form's, holding the buttons
    QToolButton* currentButton = nullptr; // the button of the mode chosen last; not owned

signals:
    void commentChanged(bool hasComment);
    void compoundButtonsStateChanged(bool btCreate, bool btBreak, bool btOpen, bool btClose);
    void convertLineSplineButtonStateChanged(bool enabled);
    void alignButtonsStateChanged(bool enabled);

public slots:
    void selectClicked(bool checked);
    void copyClicked(bool checked);
    void cbrClicked(bool checked);
    void cbdClicked(bool checked);
    void ebrClicked(bool checked);
    void ebdClicked(bool checked);
    void closedSplineClicked(bool checked);
    void splineClicked(bool checked);
    void closedIntSplineClicked(bool checked);
    void intSplineClicked(bool checked);
    void boxClicked(bool checked);
    void regularClicked(bool checked);
    void polygonClicked(bool checked);
    void polylineClicked(bool checked);
    void textClicked(bool checked);
    void arcClicked(bool checked);
    void arrowClicked(bool checked);
    void pictureClicked(bool checked);
    void tangentClicked(bool checked);
    void normalClicked(bool checked);
    void flipVertClicked(bool checked);
    void flipHorizClicked(bool checked);
    void rotateLeftClicked(bool checked);
    void rotateRightClicked(bool checked);
    void addPointClicked(bool checked);
    void deletePointClicked(bool checked);
    void updateClicked(bool checked);
    void scaleCompClicked(bool checked);
    void deleteClicked(bool checked);

private:
    // A button's work for its mode: set-up, markers, page, status text, the
    // one checked button, finishModeChange.
    void modeClicked(int mode);
    void changeMode(const EditModeEntry& entry, QToolButton* button);

    std::unique_ptr<Ui::ShapesToolbarForm> ui;
};

// Chooses a mode through the main window's tool panel, as its button does;
// nothing without a main window.
void setEditMode(int mode);
