#include "dialogs/arcvaluesdlg.h"
#include "dialogs/formfit.h"

#include "app/preferences.h"
#include "dialogs/valueediting.h"
#include "model/figarc.h"
#include "model/figcontext.h"
#include "model/movearcpointaction.h"
#include "model/units.h"

#include "ui_arcvaluesdlg.h"

using namespace valueediting;

ArcValuesDlg::ArcValuesDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::ArcValuesDlg>())
    , context(context)
{
    ui->setupUi(this);
    fillUnitCombo(ui->cbUnit);
    if (context && context->currentObject && context->currentObject->type == FigObject::Arc) {
        arc = static_cast<FigArc*>(context->currentObject);
        loadValues();
    }
    connect(ui->cbUnit, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &ArcValuesDlg::onUnit);
    const auto valueChanged = QOverload<double>::of(&QDoubleSpinBox::valueChanged);
    connect(ui->centerX, valueChanged, this, &ArcValuesDlg::onCenter);
    connect(ui->centerY, valueChanged, this, &ArcValuesDlg::onCenter);
    connect(ui->point1X, valueChanged, this, &ArcValuesDlg::onPoint1);
    connect(ui->point1Y, valueChanged, this, &ArcValuesDlg::onPoint1);
    connect(ui->point2X, valueChanged, this, &ArcValuesDlg::onPoint2);
    connect(ui->point2Y, valueChanged, this, &ArcValuesDlg::onPoint2);
    connect(ui->point3X, valueChanged, this, &ArcValuesDlg::onPoint3);
    connect(ui->point3Y, valueChanged, this, &ArcValuesDlg::onPoint3);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    formfit::fitToContents(this);
}

ArcValuesDlg::~ArcValuesDlg() = default;

void ArcValuesDlg::loadValues()
{
    if (!arc)
        return;
    showFigValueF(context, ui->centerX, arc->centerX);
    showFigValueF(context, ui->centerY, arc->centerY);
    QDoubleSpinBox* const fields[3][2] = {
        { ui->point1X, ui->point1Y },
        { ui->point2X, ui->point2Y },
        { ui->point3X, ui->point3Y },
    };
    for (int i = 0; i < 3; ++i) {
        showFigValue(context, fields[i][0], arc->points[i].x);
        showFigValue(context, fields[i][1], arc->points[i].y);
    }
}

void ArcValuesDlg::onUnit(int index)
{
    if (index == preferences.valuesUnit)
        return;
    preferences.valuesUnit = index;
    loadValues();
}

void ArcValuesDlg::onCenter(double /*value*/)
{
    if (!context || !arc)
        return;
    double nx = 0;
    double ny = 0;
    if (!readPair(context, ui->centerX, ui->centerY, arc->centerX, arc->centerY, nx, ny))
        return;
    if (static_cast<float>(nx) == arc->centerX && static_cast<float>(ny) == arc->centerY) {
        keepPair(ui->centerX, ui->centerY);
        return;
    }
    // The arc moves by whole units; a fraction of its centre stays.
    const int dx = roundToInt(static_cast<float>(nx) - arc->centerX);
    const int dy = roundToInt(static_cast<float>(ny) - arc->centerY);
    if ((dx != 0 || dy != 0) && !moveObject(context, arc, dx, dy, true)) {
        restorePair(ui->centerX, ui->centerY);
        return;
    }
    loadValues();
}

void ArcValuesDlg::movePoint(int index, QDoubleSpinBox* xField, QDoubleSpinBox* yField)
{
    if (!context || !arc)
        return;
    const FigPoint& point = arc->points[index];
    double nx = 0;
    double ny = 0;
    if (!readPair(context, xField, yField, point.x, point.y, nx, ny))
        return;
    const int dx = static_cast<int>(nx) - point.x;
    const int dy = static_cast<int>(ny) - point.y;
    if (dx == 0 && dy == 0) {
        keepPair(xField, yField);
        return;
    }
    // A point that leaves no circle through the three is refused by the arc:
    // no step is recorded and the fields show the arc as it is.
    applyStep(context, arc, { new MoveArcPointAction(context->objects(), arc, index, dx, dy) });
    loadValues();
}

void ArcValuesDlg::onPoint1(double /*value*/)
{
    movePoint(0, ui->point1X, ui->point1Y);
}

void ArcValuesDlg::onPoint2(double /*value*/)
{
    movePoint(1, ui->point2X, ui->point2Y);
}

void ArcValuesDlg::onPoint3(double /*value*/)
{
    movePoint(2, ui->point3X, ui->point3Y);
}
