#include "toolbars/shapestoolbar.h"

#include "app/qtchildfrm.h"
#include "app/qtmainfrm.h"
#include "app/statusmessages.h"
#include "edit/editmodes.h"
#include "edit/editstate.h"

#include <QGridLayout>
#include <QIcon>
#include <QToolButton>
#include <QVBoxLayout>

#include <iterator>

namespace {

constexpr int selectMode = 67;

struct ModeButton {
    int mode;
    const char* icon; // under ":/shapes/images/mainToolBar/" or ":/manipulations/images/mainToolBar/"
    bool shape;
    const char* toolTip;
};

// In panel order, two buttons a row: the drawing modes, then the modes that
// work on existing objects.
const ModeButton modeButtons[] = {
    { 1, "cbr", true, QT_TRANSLATE_NOOP("ShapesToolbar", "Circle by radius") },
    { 2, "cbd", true, QT_TRANSLATE_NOOP("ShapesToolbar", "Circle by diameter") },
    { 3, "ebr", true, QT_TRANSLATE_NOOP("ShapesToolbar", "Ellipse by radii") },
    { 4, "ebd", true, QT_TRANSLATE_NOOP("ShapesToolbar", "Ellipse by diameters") },
    { 11, "closed_spl", true, QT_TRANSLATE_NOOP("ShapesToolbar", "Closed approximated spline") },
    { 10, "spline", true, QT_TRANSLATE_NOOP("ShapesToolbar", "Approximated spline") },
    { 13, "closed_int_spl", true, QT_TRANSLATE_NOOP("ShapesToolbar", "Closed interpolated spline") },
    { 12, "int_spl", true, QT_TRANSLATE_NOOP("ShapesToolbar", "Interpolated spline") },
    { 8, "polygon", true, QT_TRANSLATE_NOOP("ShapesToolbar", "Polygon") },
    { 6, "polyline", true, QT_TRANSLATE_NOOP("ShapesToolbar", "Polyline") },
    { 7, "box", true, QT_TRANSLATE_NOOP("ShapesToolbar", "Box") },
    { 15, "regpoly", true, QT_TRANSLATE_NOOP("ShapesToolbar", "Regular polygon") },
    { 5, "arc", true, QT_TRANSLATE_NOOP("ShapesToolbar", "Arc") },
    { 16, "picture", true, QT_TRANSLATE_NOOP("ShapesToolbar", "Picture") },
    { 9, "text", true, QT_TRANSLATE_NOOP("ShapesToolbar", "Text") },
    { selectMode, "select_on", false, QT_TRANSLATE_NOOP("ShapesToolbar", "Select") },
    { 34, "copy", false, QT_TRANSLATE_NOOP("ShapesToolbar", "Copy") },
    { 36, "delete", false, QT_TRANSLATE_NOOP("ShapesToolbar", "Delete") },
    { 39, "add_point", false, QT_TRANSLATE_NOOP("ShapesToolbar", "Add point") },
    { 38, "delete_point", false, QT_TRANSLATE_NOOP("ShapesToolbar", "Delete point") },
    { 56, "flip_xax", false, QT_TRANSLATE_NOOP("ShapesToolbar", "Flip vertically") },
    { 57, "flip_yax", false, QT_TRANSLATE_NOOP("ShapesToolbar", "Flip horizontally") },
    { 58, "rotate_left", false, QT_TRANSLATE_NOOP("ShapesToolbar", "Rotate left") },
    { 59, "rotate_right", false, QT_TRANSLATE_NOOP("ShapesToolbar", "Rotate right") },
    { 32, "scale_comp", false, QT_TRANSLATE_NOOP("ShapesToolbar", "Scale") },
    { 44, "arrow", false, QT_TRANSLATE_NOOP("ShapesToolbar", "Arrows") },
    { 73, "tangent", false, QT_TRANSLATE_NOOP("ShapesToolbar", "Tangent") },
    { 74, "normal", false, QT_TRANSLATE_NOOP("ShapesToolbar", "Normal") },
    { 47, "update", false, QT_TRANSLATE_NOOP("ShapesToolbar", "Update") },
};

QIcon modeIcon(const ModeButton& button)
{
    const QString folder = button.shape ? QStringLiteral(":/shapes/images/mainToolBar/")
                                        : QStringLiteral(":/manipulations/images/mainToolBar/");
    QIcon icon(folder + QLatin1String(button.icon) + QStringLiteral(".png"));
    // The select button shows a plain pointer while it is not the mode.
    if (button.mode == selectMode)
        icon.addFile(folder + QStringLiteral("selectobj_off.png"), QSize(), QIcon::Normal, QIcon::Off);
    return icon;
}

} // namespace

ShapesToolbar::ShapesToolbar(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    layoutWidget = new QWidget(this);
    layoutWidget->setObjectName(QStringLiteral("layoutWidget"));
    outer->addWidget(layoutWidget);

    auto* grid = new QGridLayout(layoutWidget);
    grid->setContentsMargins(1, 1, 1, 1);
    grid->setSpacing(1);
    for (int i = 0; i < int(std::size(modeButtons)); ++i) {
        const ModeButton& entry = modeButtons[i];
        auto* button = new QToolButton(layoutWidget);
        button->setObjectName(QStringLiteral("mode%1").arg(entry.mode));
        button->setIcon(modeIcon(entry));
        button->setIconSize(QSize(24, 24));
        button->setToolTip(tr(entry.toolTip));
        button->setCheckable(true);
        button->setAutoRaise(true);
        grid->addWidget(button, i / 2, i % 2);
        buttons.insert(entry.mode, button);
        const int mode = entry.mode;
        connect(button, &QToolButton::clicked, this, [this, mode] { setMode(mode); });
    }
    grid->setRowStretch(int(std::size(modeButtons) + 1) / 2, 1);
}

QToolButton* ShapesToolbar::modeButton(int mode) const
{
    return buttons.value(mode, nullptr);
}

void ShapesToolbar::setMode(int mode)
{
    QToolButton* button = modeButton(mode);
    if (!button)
        return;
    if (QToolButton* previous = modeButton(checkedMode))
        previous->setChecked(false);
    button->setChecked(true);
    checkedMode = mode;
    // The mode's set-up takes over the canvas; a gesture under way in the
    // active document is left first, its rubber band erased.
    QTChildFrm* child = mainWindow ? mainWindow->activeMdiChild() : nullptr;
    if (child)
        child->chooseEditMode(mode);
    else
        chooseEditMode(nullptr, mode);
    // Each mode's handlers and status text are installed by the edit modes;
    // the select mode's text is the one the start shows.
    if (mode == selectMode) {
        showStatusMessage("Select objects object with bounding box or via SHIFT SELECT");
        if (mainWindow)
            mainWindow->selectAttrsToolbarPage(-1);
    }
}
