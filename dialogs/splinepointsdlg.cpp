#include "dialogs/splinepointsdlg.h"
#include "dialogs/formfit.h"

#include "app/preferences.h"
#include "dialogs/valueediting.h"
#include "model/changeshapefactoraction.h"
#include "model/figcontext.h"
#include "model/figspline.h"

#include "ui_splinepointsdlg.h"

#include <QSignalBlocker>

#include <cmath>

using namespace valueediting;

SplinePointsDlg::SplinePointsDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::SplinePointsDlg>())
    , context(context)
{
    ui->setupUi(this);
    fillUnitCombo(ui->cbUnit);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    formfit::fitToContents(this);
    FigObject* current = context ? context->currentObject : nullptr;
    if (current && current->type != FigObject::Spline)
        return; // another kind: only Close works
    if (current) {
        spline = static_cast<FigSpline*>(current);
        loadCenter();
        loadTable();
    }
    ui->tbPoints->setColumnWidth(0, 80);
    ui->tbPoints->setColumnWidth(1, 80);
    connect(ui->cbUnit, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &SplinePointsDlg::onUnit);
    connect(ui->centerX, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &SplinePointsDlg::onCenter);
    connect(ui->centerY, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &SplinePointsDlg::onCenter);
    connect(ui->tbPoints, &QTableWidget::cellChanged, this, &SplinePointsDlg::onChangePoint);
    connect(ui->tbPoints, &QTableWidget::currentCellChanged, this, &SplinePointsDlg::onActivatePoint);
}

SplinePointsDlg::~SplinePointsDlg() = default;

void SplinePointsDlg::loadCenter()
{
    if (!spline)
        return;
    int cx = 0;
    int cy = 0;
    objectCentre(context, spline, cx, cy);
    showFigValueF(context, ui->centerX, cx);
    showFigValueF(context, ui->centerY, cy);
}

void SplinePointsDlg::loadTable()
{
    if (!spline)
        return;
    const QSignalBlocker blocker(ui->tbPoints);
    ui->tbPoints->clearContents();
    const int rows = spline->pointCount();
    ui->tbPoints->setRowCount(rows);
    fillPointCells(context, ui->tbPoints, spline->points, rows);
    // Shape factors have no unit.
    const ShapeFactorNode* node = spline->shapeFactors;
    for (int row = 0; row < rows && node; ++row, node = node->next)
        ui->tbPoints->setItem(row, 2, new QTableWidgetItem(cellText(node->value)));
}

void SplinePointsDlg::onUnit(int index)
{
    if (index == preferences.valuesUnit)
        return;
    preferences.valuesUnit = index;
    loadCenter();
    loadTable();
}

void SplinePointsDlg::onCenter(double /*value*/)
{
    if (!context || !spline)
        return;
    if (!moveToTypedCentre(context, spline, ui->centerX, ui->centerY))
        return;
    loadCenter();
    loadTable();
}

void SplinePointsDlg::onChangePoint(int row, int column)
{
    if (!context || !spline)
        return;
    if (column == 2) {
        editShapeFactor(row);
        return;
    }
    if (editPointCell(context, spline, ui->tbPoints, row, column))
        loadCenter();
}

void SplinePointsDlg::editShapeFactor(int row)
{
    QTableWidgetItem* item = ui->tbPoints->item(row, 2);
    const ShapeFactorNode* node = spline->shapeFactorAt(row);
    if (!item || !node)
        return;
    bool isNumber = false;
    const double value = item->text().toDouble(&isNumber);
    // Fig shape factors lie between -1 and 1; anything else is refused.
    if (!isNumber || !std::isfinite(value) || value < -1.0 || value > 1.0) {
        const QSignalBlocker blocker(ui->tbPoints);
        item->setText(cellText(node->value));
        return;
    }
    if (value == node->value)
        return;
    applyStep(context, spline, { new ChangeShapeFactorAction(context->objects(), spline, row, value) });
}

void SplinePointsDlg::onActivatePoint(int currentRow, int /*currentColumn*/, int previousRow, int /*previousColumn*/)
{
    if (!context || !spline)
        return;
    activatePointRow(context, spline, currentRow, previousRow);
}
