#include "dialogs/boxvaluesdlg.h"
#include "dialogs/formfit.h"

#include "app/preferences.h"
#include "dialogs/valueediting.h"
#include "model/figcontext.h"
#include "model/figline.h"
#include "model/movelinepointaction.h"

#include "ui_boxvaluesdlg.h"

using namespace valueediting;

BoxValuesDlg::BoxValuesDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::BoxValuesDlg>())
    , context(context)
{
    ui->setupUi(this);
    fillUnitCombo(ui->cbUnit);
    if (context && context->currentObject && context->currentObject->type == FigObject::Polyline) {
        box = static_cast<FigLine*>(context->currentObject);
        loadValues();
    }
    connect(ui->cbUnit, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &BoxValuesDlg::onUnit);
    const auto valueChanged = QOverload<double>::of(&QDoubleSpinBox::valueChanged);
    connect(ui->centerX, valueChanged, this, &BoxValuesDlg::onCenter);
    connect(ui->centerY, valueChanged, this, &BoxValuesDlg::onCenter);
    connect(ui->width, valueChanged, this, &BoxValuesDlg::onDimension);
    connect(ui->height, valueChanged, this, &BoxValuesDlg::onDimension);
    connect(ui->ulx, valueChanged, this, &BoxValuesDlg::onUl);
    connect(ui->uly, valueChanged, this, &BoxValuesDlg::onUl);
    connect(ui->urx, valueChanged, this, &BoxValuesDlg::onUr);
    connect(ui->ury, valueChanged, this, &BoxValuesDlg::onUr);
    connect(ui->llx, valueChanged, this, &BoxValuesDlg::onLl);
    connect(ui->lly, valueChanged, this, &BoxValuesDlg::onLl);
    connect(ui->lrx, valueChanged, this, &BoxValuesDlg::onLr);
    connect(ui->lry, valueChanged, this, &BoxValuesDlg::onLr);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    formfit::fitToContents(this);
}

BoxValuesDlg::~BoxValuesDlg() = default;

void BoxValuesDlg::loadValues()
{
    if (!box)
        return;
    showFigValue(context, ui->centerX, box->centerX());
    showFigValue(context, ui->centerY, box->centerY());
    showFigValue(context, ui->width, box->boxWidth());
    showFigValue(context, ui->height, box->boxHeight());
    const struct {
        const FigPoint* corner;
        QDoubleSpinBox* x;
        QDoubleSpinBox* y;
    } corners[] = {
        { box->upperLeftCorner(), ui->ulx, ui->uly },
        { box->upperRightCorner(), ui->urx, ui->ury },
        { box->lowerLeftCorner(), ui->llx, ui->lly },
        { box->lowerRightCorner(), ui->lrx, ui->lry },
    };
    for (const auto& c : corners) {
        showFigValue(context, c.x, c.corner ? c.corner->x : 0);
        showFigValue(context, c.y, c.corner ? c.corner->y : 0);
    }
}

void BoxValuesDlg::onUnit(int index)
{
    if (index == preferences.valuesUnit)
        return;
    preferences.valuesUnit = index;
    loadValues();
}

void BoxValuesDlg::moveBy(QDoubleSpinBox* xField, QDoubleSpinBox* yField, int px, int py)
{
    double nx = 0;
    double ny = 0;
    if (!readPair(context, xField, yField, px, py, nx, ny))
        return;
    const int dx = static_cast<int>(nx) - px;
    const int dy = static_cast<int>(ny) - py;
    if (dx == 0 && dy == 0) {
        keepPair(xField, yField);
        return;
    }
    if (!moveObject(context, box, dx, dy, true)) {
        restorePair(xField, yField);
        return;
    }
    loadValues();
}

void BoxValuesDlg::moveCorner(QDoubleSpinBox* xField, QDoubleSpinBox* yField, const FigPoint* corner)
{
    if (!context || !box || !corner)
        return;
    moveBy(xField, yField, corner->x, corner->y);
}

void BoxValuesDlg::onCenter(double /*value*/)
{
    if (!context || !box || !box->points)
        return;
    moveBy(ui->centerX, ui->centerY, box->centerX(), box->centerY());
}

void BoxValuesDlg::onUl(double /*value*/)
{
    if (box)
        moveCorner(ui->ulx, ui->uly, box->upperLeftCorner());
}

void BoxValuesDlg::onUr(double /*value*/)
{
    if (box)
        moveCorner(ui->urx, ui->ury, box->upperRightCorner());
}

void BoxValuesDlg::onLl(double /*value*/)
{
    if (box)
        moveCorner(ui->llx, ui->lly, box->lowerLeftCorner());
}

void BoxValuesDlg::onLr(double /*value*/)
{
    if (box)
        moveCorner(ui->lrx, ui->lry, box->lowerRightCorner());
}

FigPoint* BoxValuesDlg::oppositeOfUpperLeft() const
{
    FigPoint* upperLeft = box->upperLeftCorner();
    // A box chain holds its four corners and the closing copy of the first.
    // When the box is flat the lower right corner may be the upper left one
    // or share its side; the point across the chain is always the other end.
    if ((box->subType == 2 || box->subType == 4 || box->subType == 5) && box->pointCount() == 5) {
        const int index = box->indexOf(upperLeft);
        if (index >= 0 && index < 4)
            return box->pointAt((index + 2) % 4);
    }
    return box->lowerRightCorner();
}

void BoxValuesDlg::onDimension(double /*value*/)
{
    if (!context || !box || !box->points)
        return;
    const int width = box->boxWidth();
    const int height = box->boxHeight();
    double nw = 0;
    double nh = 0;
    if (!readPair(context, ui->width, ui->height, width, height, nw, nh))
        return;
    if (static_cast<int>(nw) == width && static_cast<int>(nh) == height) {
        keepPair(ui->width, ui->height);
        return;
    }
    // Each side moves by half the change, so the centre stays; an odd change
    // ends one unit short.
    const int dw = (static_cast<int>(nw) - width) / 2;
    const int dh = (static_cast<int>(nh) - height) / 2;
    FigPoint* upperLeft = box->upperLeftCorner();
    FigPoint* lowerRight = oppositeOfUpperLeft();
    const bool inRange = withinFigRange(double(upperLeft->x) - dw) && withinFigRange(double(upperLeft->y) - dh)
        && withinFigRange(double(lowerRight->x) + dw) && withinFigRange(double(lowerRight->y) + dh);
    // A change too small to move a side records nothing; the fields show the
    // box as it is.
    if (!inRange || (dw == 0 && dh == 0)) {
        loadValues();
        return;
    }
    applyStep(context, box,
        { new MoveLinePointAction(context->objects(), box, upperLeft, -dw, -dh),
            new MoveLinePointAction(context->objects(), box, lowerRight, dw, dh) });
    loadValues();
}
