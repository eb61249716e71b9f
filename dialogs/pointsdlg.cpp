#include "dialogs/pointsdlg.h"
#include "dialogs/formfit.h"

#include "app/preferences.h"
#include "dialogs/valueediting.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/figspline.h"
#include "model/objectlist.h"

#include "ui_pointsdlg.h"

#include <QSignalBlocker>

using namespace valueediting;

namespace {

const FigPath* pathOf(const FigObject* object)
{
    if (object->type == FigObject::Polyline)
        return static_cast<const FigLine*>(object);
    return static_cast<const FigSpline*>(object);
}

} // namespace

PointsDlg::PointsDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::PointsDlg>())
    , context(context)
{
    ui->setupUi(this);
    fillUnitCombo(ui->cbUnit);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    formfit::fitToContents(this);
    FigObject* current = context ? context->currentObject : nullptr;
    if (current && current->type != FigObject::Polyline && current->type != FigObject::Spline)
        return; // another kind: only Close works
    if (current) {
        object = current;
        loadCenter();
        loadTable();
    }
    connect(ui->cbUnit, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &PointsDlg::onUnit);
    connect(ui->centerX, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &PointsDlg::onCenter);
    connect(ui->centerY, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &PointsDlg::onCenter);
    connect(ui->tbPoints, &QTableWidget::cellChanged, this, &PointsDlg::onChangePoint);
    connect(ui->tbPoints, &QTableWidget::currentCellChanged, this, &PointsDlg::onActivatePoint);
}

PointsDlg::~PointsDlg() = default;

void PointsDlg::loadCenter()
{
    if (!object)
        return;
    int cx = 0;
    int cy = 0;
    objectCentre(context, object, cx, cy);
    showFigValueF(context, ui->centerX, cx);
    showFigValueF(context, ui->centerY, cy);
}

void PointsDlg::loadTable()
{
    if (!object)
        return;
    const QSignalBlocker blocker(ui->tbPoints);
    ui->tbPoints->clearContents();
    const FigPath* path = pathOf(object);
    int rows = path->pointCount();
    // The closing point of a closed polyline repeats the first: no row.
    if (object->type == FigObject::Polyline && isClosedPath(object) && rows > 0)
        --rows;
    ui->tbPoints->setRowCount(rows);
    fillPointCells(context, ui->tbPoints, path->points, rows);
}

void PointsDlg::onUnit(int index)
{
    if (index == preferences.valuesUnit)
        return;
    preferences.valuesUnit = index;
    loadCenter();
    loadTable();
}

void PointsDlg::onCenter(double /*value*/)
{
    if (!context || !object)
        return;
    if (!moveToTypedCentre(context, object, ui->centerX, ui->centerY))
        return;
    loadCenter();
    loadTable();
}

void PointsDlg::onChangePoint(int row, int column)
{
    if (!context || !object)
        return;
    if (editPointCell(context, object, ui->tbPoints, row, column))
        loadCenter();
}

void PointsDlg::onActivatePoint(int currentRow, int /*currentColumn*/, int previousRow, int /*previousColumn*/)
{
    if (!context || !object)
        return;
    activatePointRow(context, object, currentRow, previousRow);
}
