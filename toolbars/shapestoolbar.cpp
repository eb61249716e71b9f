#include "toolbars/shapestoolbar.h"

#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "app/statusmessages.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"
#include "model/depths.h"
#include "model/figcontext.h"
#include "ui_shapestoolbarform.h"

#include <QToolButton>

namespace {

struct PanelButton {
    QToolButton* Ui::ShapesToolbarForm::*button;
    void (ShapesToolbar::*slot)(bool);
    int mode;
};

// Every button of the form with its slot and mode.
const PanelButton panelButtons[] = {
    { &Ui::ShapesToolbarForm::toolButtonSelect, &ShapesToolbar::selectClicked, EditMode::Select },
    { &Ui::ShapesToolbarForm::toolButtonCopy, &ShapesToolbar::copyClicked, EditMode::Copy },
    { &Ui::ShapesToolbarForm::toolButtonCbr, &ShapesToolbar::cbrClicked, EditMode::Cbr },
    { &Ui::ShapesToolbarForm::toolButtonCbd, &ShapesToolbar::cbdClicked, EditMode::Cbd },
    { &Ui::ShapesToolbarForm::toolButtonEbr, &ShapesToolbar::ebrClicked, EditMode::Ebr },
    { &Ui::ShapesToolbarForm::toolButtonEbd, &ShapesToolbar::ebdClicked, EditMode::Ebd },
    { &Ui::ShapesToolbarForm::toolButtonClosedSpline, &ShapesToolbar::closedSplineClicked, EditMode::ClosedSpline },
    { &Ui::ShapesToolbarForm::toolButtonSpline, &ShapesToolbar::splineClicked, EditMode::Spline },
    { &Ui::ShapesToolbarForm::toolButtonClosedIntSpline, &ShapesToolbar::closedIntSplineClicked,
        EditMode::ClosedIntSpline },
    { &Ui::ShapesToolbarForm::toolButtonIntSpline, &ShapesToolbar::intSplineClicked, EditMode::IntSpline },
    { &Ui::ShapesToolbarForm::toolButtonBox, &ShapesToolbar::boxClicked, EditMode::Box },
    { &Ui::ShapesToolbarForm::toolButtonRegular, &ShapesToolbar::regularClicked, EditMode::Regular },
    { &Ui::ShapesToolbarForm::toolButtonPolygon, &ShapesToolbar::polygonClicked, EditMode::Polygon },
    { &Ui::ShapesToolbarForm::toolButtonPolyline, &ShapesToolbar::polylineClicked, EditMode::Polyline },
    { &Ui::ShapesToolbarForm::toolButtonText, &ShapesToolbar::textClicked, EditMode::Text },
    { &Ui::ShapesToolbarForm::toolButtonArc, &ShapesToolbar::arcClicked, EditMode::Arc },
    { &Ui::ShapesToolbarForm::toolButtonArrow, &ShapesToolbar::arrowClicked, EditMode::Arrow },
    { &Ui::ShapesToolbarForm::toolButtonPicture, &ShapesToolbar::pictureClicked, EditMode::Picture },
    { &Ui::ShapesToolbarForm::toolButtonTangent, &ShapesToolbar::tangentClicked, EditMode::Tangent },
    { &Ui::ShapesToolbarForm::toolButtonNormal, &ShapesToolbar::normalClicked, EditMode::Normal },
    { &Ui::ShapesToolbarForm::toolButtonFlipVert, &ShapesToolbar::flipVertClicked, EditMode::FlipVert },
    { &Ui::ShapesToolbarForm::toolButtonFlipHoriz, &ShapesToolbar::flipHorizClicked, EditMode::FlipHoriz },
    { &Ui::ShapesToolbarForm::toolButtonRotateLeft, &ShapesToolbar::rotateLeftClicked, EditMode::RotateLeft },
    { &Ui::ShapesToolbarForm::toolButtonRotateRight, &ShapesToolbar::rotateRightClicked, EditMode::RotateRight },
    { &Ui::ShapesToolbarForm::toolButtonAddPoint, &ShapesToolbar::addPointClicked, EditMode::AddPoint },
    { &Ui::ShapesToolbarForm::toolButtonDeletePoint, &ShapesToolbar::deletePointClicked, EditMode::DeletePoint },
    { &Ui::ShapesToolbarForm::toolButtonUpdate, &ShapesToolbar::updateClicked, EditMode::Update },
    { &Ui::ShapesToolbarForm::toolButtonScaleComp, &ShapesToolbar::scaleCompClicked, EditMode::ScaleComp },
    { &Ui::ShapesToolbarForm::toolButtonDelete, &ShapesToolbar::deleteClicked, EditMode::Delete },
};

const PanelButton* findPanelButton(int mode)
{
    for (const PanelButton& entry : panelButtons) {
        if (entry.mode == mode)
            return &entry;
    }
    return nullptr;
}

QTChildFrm* activeDocumentWindow()
{
    QTChildFrm* child = mainWindow ? mainWindow->activeMdiChild() : nullptr;
    return child && child->figContext ? child : nullptr;
}

void showModePage(int mode)
{
    if (mainWindow)
        mainWindow->selectAttrsToolbarPage(mode);
}

void prepareMarkers(QTChildFrm* child, ModeMarkers markers)
{
    switch (markers) {
    case ModeMarkers::None:
        break;
    case ModeMarkers::Clear:
        child->clearMarkersAndRepaint();
        break;
    case ModeMarkers::ShowAll:
        child->showAllMarkers();
        break;
    case ModeMarkers::MarkAll:
        setObjectsSelected(&child->figContext->drawing.objects, false);
        child->markAllObjectsAndRepaint();
        break;
    }
}

} // namespace

ShapesToolbar::ShapesToolbar(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
    , ui(std::make_unique<Ui::ShapesToolbarForm>())
{
    ui->setupUi(this);
    layoutWidget = ui->layoutWidget;
    for (const PanelButton& entry : panelButtons)
        connect(ui.get()->*entry.button, &QToolButton::clicked, this, entry.slot);
}

ShapesToolbar::~ShapesToolbar() = default;

QToolButton* ShapesToolbar::modeButton(int mode) const
{
    const PanelButton* entry = findPanelButton(mode);
    return entry ? ui.get()->*entry->button : nullptr;
}

void ShapesToolbar::selectClicked(bool)
{
    modeClicked(EditMode::Select);
}

void ShapesToolbar::copyClicked(bool)
{
    modeClicked(EditMode::Copy);
}

void ShapesToolbar::cbrClicked(bool)
{
    modeClicked(EditMode::Cbr);
}

void ShapesToolbar::cbdClicked(bool)
{
    modeClicked(EditMode::Cbd);
}

void ShapesToolbar::ebrClicked(bool)
{
    modeClicked(EditMode::Ebr);
}

void ShapesToolbar::ebdClicked(bool)
{
    modeClicked(EditMode::Ebd);
}

void ShapesToolbar::closedSplineClicked(bool)
{
    modeClicked(EditMode::ClosedSpline);
}

void ShapesToolbar::splineClicked(bool)
{
    modeClicked(EditMode::Spline);
}

void ShapesToolbar::closedIntSplineClicked(bool)
{
    modeClicked(EditMode::ClosedIntSpline);
}

void ShapesToolbar::intSplineClicked(bool)
{
    modeClicked(EditMode::IntSpline);
}

void ShapesToolbar::boxClicked(bool)
{
    modeClicked(EditMode::Box);
}

void ShapesToolbar::regularClicked(bool)
{
    modeClicked(EditMode::Regular);
}

void ShapesToolbar::polygonClicked(bool)
{
    modeClicked(EditMode::Polygon);
}

void ShapesToolbar::polylineClicked(bool)
{
    modeClicked(EditMode::Polyline);
}

void ShapesToolbar::textClicked(bool)
{
    modeClicked(EditMode::Text);
}

void ShapesToolbar::arcClicked(bool)
{
    modeClicked(EditMode::Arc);
}

void ShapesToolbar::arrowClicked(bool)
{
    modeClicked(EditMode::Arrow);
}

void ShapesToolbar::pictureClicked(bool)
{
    modeClicked(EditMode::Picture);
}

void ShapesToolbar::tangentClicked(bool)
{
    modeClicked(EditMode::Tangent);
}

void ShapesToolbar::normalClicked(bool)
{
    modeClicked(EditMode::Normal);
}

void ShapesToolbar::flipVertClicked(bool)
{
    modeClicked(EditMode::FlipVert);
}

void ShapesToolbar::flipHorizClicked(bool)
{
    modeClicked(EditMode::FlipHoriz);
}

void ShapesToolbar::rotateLeftClicked(bool)
{
    modeClicked(EditMode::RotateLeft);
}

void ShapesToolbar::rotateRightClicked(bool)
{
    modeClicked(EditMode::RotateRight);
}

void ShapesToolbar::addPointClicked(bool)
{
    modeClicked(EditMode::AddPoint);
}

void ShapesToolbar::deletePointClicked(bool)
{
    modeClicked(EditMode::DeletePoint);
}

void ShapesToolbar::updateClicked(bool)
{
    modeClicked(EditMode::Update);
}

void ShapesToolbar::scaleCompClicked(bool)
{
    modeClicked(EditMode::ScaleComp);
}

void ShapesToolbar::deleteClicked(bool)
{
    modeClicked(EditMode::Delete);
}

void ShapesToolbar::modeClicked(int mode)
{
    const EditModeEntry* entry = findEditMode(mode);
    QToolButton* button = modeButton(mode);
    if (!entry || !button)
        return;
    if (modeNeedsDocument(*entry) && !activeDocumentWindow()) {
        // Nothing to prepare the mode on: the click is taken back.
        button->setChecked(button == currentButton);
        return;
    }
    changeMode(*entry, button);
}

void ShapesToolbar::setMode(int mode)
{
    const EditModeEntry* entry = findEditMode(mode);
    QToolButton* button = modeButton(mode);
    if (entry && button && modeNeedsDocument(*entry) && !activeDocumentWindow())
        return;
    if (currentButton)
        currentButton->setChecked(false);
    if (!entry || !button)
        return;
    button->setChecked(true);
    currentButton = button;
    changeMode(*entry, button);
}

void ShapesToolbar::changeMode(const EditModeEntry& entry, QToolButton* button)
{
    QTChildFrm* child = activeDocumentWindow();
    // The select mode shows its page before its set-up runs.
    const bool pageFirst = entry.mode == EditMode::Select;
    if (pageFirst)
        showModePage(entry.mode);
    if (child)
        child->chooseEditMode(entry.mode);
    else
        chooseEditMode(nullptr, entry.mode);
    if (child)
        prepareMarkers(child, entry.markers);
    if (!pageFirst)
        showModePage(entry.mode);
    showStatusMessage(entry.statusText);

    // The click on the checked button has just unchecked it.
    if (currentButton && currentButton != button)
        currentButton->setChecked(false);
    currentButton = button;
    button->setChecked(true);
    finishModeChange();
}

void ShapesToolbar::finishModeChange()
{
    QTChildFrm* child = activeDocumentWindow();
    if (!child)
        return;
    CFigContext* context = child->figContext;
    context->deselectCurrentObject();
    child->redrawCurrentObject();
    context->currentObject = nullptr;
    if (transformCenter.isSet) {
        // The cross inverts what it covers: drawn again, it is gone.
        child->beginCanvasPainter();
        context->drawCrossHair(transformCenter.x, transformCenter.y);
        child->endCanvasPainter();
        transformCenter.isSet = false;
    }
    child->setFocus(Qt::OtherFocusReason);
    child->updateCompoundButtons();
    setObjectsSelected(&context->drawing.objects, false);
    // Objects deselected here lose the selection markers they show.
    child->beginCanvasPainter();
    context->redrawStaleMarkers();
    child->endCanvasPainter();
    emit commentChanged(false);
    emit convertLineSplineButtonStateChanged(false);
    emit alignButtonsStateChanged(false);
}

void setEditMode(int mode)
{
    if (mainWindow && mainWindow->shapesToolbar)
        mainWindow->shapesToolbar->setMode(mode);
}
