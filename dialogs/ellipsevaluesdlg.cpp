#include "dialogs/ellipsevaluesdlg.h"
#include "dialogs/formfit.h"

#include "app/preferences.h"
#include "dialogs/valueediting.h"
#include "model/figcontext.h"
#include "model/figellipse.h"
#include "model/moveellipsepointaction.h"
#include "model/planegeometry.h"

#include "ui_ellipsevaluesdlg.h"

#include <cmath>
#include <cstdint>

using namespace valueediting;

EllipseValuesDlg::EllipseValuesDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::EllipseValuesDlg>())
    , context(context)
{
    ui->setupUi(this);
    fillUnitCombo(ui->cbUnit);
    if (context && context->currentObject && context->currentObject->type == FigObject::Ellipse) {
        ellipse = static_cast<FigEllipse*>(context->currentObject);
        loadValues();
    }
    connect(ui->cbUnit, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &EllipseValuesDlg::onUnit);
    const auto valueChanged = QOverload<double>::of(&QDoubleSpinBox::valueChanged);
    connect(ui->centerX, valueChanged, this, &EllipseValuesDlg::onCenter);
    connect(ui->centerY, valueChanged, this, &EllipseValuesDlg::onCenter);
    connect(ui->radius1, valueChanged, this, &EllipseValuesDlg::onRadius);
    connect(ui->radius2, valueChanged, this, &EllipseValuesDlg::onRadius);
    connect(ui->diameter1, valueChanged, this, &EllipseValuesDlg::onDiameter);
    connect(ui->diameter2, valueChanged, this, &EllipseValuesDlg::onDiameter);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    formfit::fitToContents(this);
}

EllipseValuesDlg::~EllipseValuesDlg() = default;

bool EllipseValuesDlg::isCircle() const
{
    return ellipse->subType == 3 || ellipse->subType == 4;
}

void EllipseValuesDlg::loadValues()
{
    if (!ellipse)
        return;
    const std::int64_t rx = ellipse->radii.x;
    const std::int64_t ry = ellipse->radii.y;
    showFigValue(context, ui->centerX, ellipse->center.x);
    showFigValue(context, ui->centerY, ellipse->center.y);
    showFigValueF(context, ui->radius1, double(rx));
    showFigValueF(context, ui->diameter1, double(2 * rx));
    if (isCircle()) {
        ui->radius2->setEnabled(false);
        ui->diameter2->setEnabled(false);
        showNumber(ui->radius2, 0);
        showNumber(ui->diameter2, 0);
    } else {
        showFigValueF(context, ui->radius2, double(ry));
        showFigValueF(context, ui->diameter2, double(2 * ry));
    }
}

void EllipseValuesDlg::onUnit(int index)
{
    if (index == preferences.valuesUnit)
        return;
    preferences.valuesUnit = index;
    loadValues();
}

void EllipseValuesDlg::onCenter(double /*value*/)
{
    if (!context || !ellipse)
        return;
    const FigPoint& centre = ellipse->center;
    double nx = 0;
    double ny = 0;
    if (!readPair(context, ui->centerX, ui->centerY, centre.x, centre.y, nx, ny))
        return;
    const int dx = static_cast<int>(nx) - centre.x;
    const int dy = static_cast<int>(ny) - centre.y;
    // The fields keep what was typed: a move changes no radius.
    if ((dx != 0 || dy != 0) && !moveObject(context, ellipse, dx, dy, true))
        restorePair(ui->centerX, ui->centerY);
    else
        keepPair(ui->centerX, ui->centerY);
}

void EllipseValuesDlg::onRadius(double /*value*/)
{
    if (!context || !ellipse)
        return;
    double rx = 0;
    double ry = 0;
    if (!readPair(context, ui->radius1, ui->radius2, ellipse->radii.x, ellipse->radii.y, rx, ry))
        return;
    keepPair(ui->radius1, ui->radius2);
    applyRadii(static_cast<int>(rx), static_cast<int>(ry));
}

void EllipseValuesDlg::onDiameter(double /*value*/)
{
    if (!context || !ellipse)
        return;
    double dx = 0;
    double dy = 0;
    if (!readPair(context, ui->diameter1, ui->diameter2, 2.0 * ellipse->radii.x, 2.0 * ellipse->radii.y, dx, dy))
        return;
    keepPair(ui->diameter1, ui->diameter2);
    // Halved in whole units: an odd diameter drops its last unit.
    applyRadii(static_cast<int>(dx) / 2, static_cast<int>(dy) / 2);
}

void EllipseValuesDlg::applyRadii(int rx, int ry)
{
    if (!context || !ellipse || ellipse->subType < 1 || ellipse->subType > 4)
        return;
    const FigPoint& centre = ellipse->center;
    int dx = 0;
    int dy = 0;
    if (!isCircle()) {
        if (rx == ellipse->radii.x && ry == ellipse->radii.y)
            return;
        dx = rx - ellipse->radii.x;
        dy = ry - ellipse->radii.y;
    } else {
        if (rx == ellipse->radii.x)
            return;
        // The end point lies on the circle: the radius grows along the line
        // from the centre to it. A circle of radius 0 has no such line and
        // grows along x, so that it does not stay a point.
        int x1 = centre.x;
        int y1 = centre.y;
        int x2 = ellipse->end.x;
        int y2 = ellipse->end.y;
        if (x1 == x2 && y1 == y2)
            x2 += rx - ellipse->radii.x;
        else
            extendSegment(x1, y1, x2, y2, rx - ellipse->radii.x, false, true);
        dx = x2 - ellipse->end.x;
        dy = y2 - ellipse->end.y;
        ry = rx;
    }
    const bool inRange = withinFigRange(std::fabs(double(centre.x)) + std::fabs(double(rx)))
        && withinFigRange(std::fabs(double(centre.y)) + std::fabs(double(ry)))
        && withinFigRange(double(ellipse->end.x) + dx) && withinFigRange(double(ellipse->end.y) + dy)
        && withinFigRange(double(ellipse->start.x) - dx) && withinFigRange(double(ellipse->start.y) - dy);
    if (inRange && (dx != 0 || dy != 0))
        applyStep(context, ellipse, { new MoveEllipsePointAction(context->objects(), ellipse, -1, dx, dy) });
    loadValues();
}
