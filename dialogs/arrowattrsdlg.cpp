#include "dialogs/arrowattrsdlg.h"
#include "dialogs/formfit.h"

#include "edit/canvaspainterscope.h"
#include "model/figcontext.h"
#include "toolbars/drawingattributes.h"

#include "ui_arrowattrsdlg.h"

#include <QDoubleSpinBox>
#include <QRadioButton>

namespace {

// Widths and heights are kept in Fig units and shown in line-width units.
constexpr double figUnitsPerLineWidth = 15.0;

} // namespace

ArrowAttrsDlg::ArrowAttrsDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* document)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::ArrowAttrsDlg>())
    , document(document)
{
    ui->setupUi(this);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &ArrowAttrsDlg::reject);
    connect(ui->rbAbsolute, &QRadioButton::clicked, this, &ArrowAttrsDlg::onModeChanged);
    connect(ui->rbRelative, &QRadioButton::clicked, this, &ArrowAttrsDlg::onModeChanged);
    if (currentAttrs.arrowSizeMode)
        ui->rbAbsolute->setChecked(true);

    const DrawingAttributes& a = currentAttrs;
    ui->thickness1->setValue(static_cast<double>(a.arrowThickness));
    ui->width1->setValue(static_cast<double>(a.arrowWidth) / figUnitsPerLineWidth);
    ui->height1->setValue(static_cast<double>(a.arrowHeight) / figUnitsPerLineWidth);
    ui->thickness2->setValue(static_cast<double>(a.arrowThicknessRel));
    ui->width2->setValue(static_cast<double>(a.arrowWidthRel) / figUnitsPerLineWidth);
    ui->height2->setValue(static_cast<double>(a.arrowHeightRel) / figUnitsPerLineWidth);

    currentAttrs.arrowSizeMode = ui->rbAbsolute->isChecked();
    enableColumns();
    connectValues();
    formfit::fitToContents(this);
}

ArrowAttrsDlg::~ArrowAttrsDlg() = default;

void ArrowAttrsDlg::connectValues()
{
    for (QDoubleSpinBox* box : { ui->thickness1, ui->width1, ui->height1, ui->thickness2, ui->width2, ui->height2 })
        connect(box, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &ArrowAttrsDlg::onChangeValues);
}

void ArrowAttrsDlg::disconnectValues()
{
    for (QDoubleSpinBox* box : { ui->thickness1, ui->width1, ui->height1, ui->thickness2, ui->width2, ui->height2 })
        disconnect(box, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &ArrowAttrsDlg::onChangeValues);
}

void ArrowAttrsDlg::enableColumns()
{
    const bool absolute = currentAttrs.arrowSizeMode;
    for (QDoubleSpinBox* box : { ui->thickness1, ui->width1, ui->height1 })
        box->setEnabled(absolute);
    for (QDoubleSpinBox* box : { ui->thickness2, ui->width2, ui->height2 })
        box->setEnabled(!absolute);
}

void ArrowAttrsDlg::onModeChanged(bool /*checked*/)
{
    disconnectValues();
    currentAttrs.arrowSizeMode = ui->rbAbsolute->isChecked();
    enableColumns();
    connectValues();
}

void ArrowAttrsDlg::onChangeValues(double /*value*/)
{
    // Every box is stored as it shows, whichever one changed.
    DrawingAttributes& a = currentAttrs;
    a.arrowThickness = static_cast<float>(ui->thickness1->value());
    a.arrowThicknessRel = static_cast<float>(ui->thickness2->value());
    a.arrowWidth = static_cast<float>(ui->width1->value() * figUnitsPerLineWidth);
    a.arrowWidthRel = static_cast<float>(ui->width2->value() * figUnitsPerLineWidth);
    a.arrowHeight = static_cast<float>(ui->height1->value() * figUnitsPerLineWidth);
    a.arrowHeightRel = static_cast<float>(ui->height2->value() * figUnitsPerLineWidth);
    if (!document || !document->currentObject)
        return;
    CanvasPainterScope scope(document);
    document->updateObjectAttributes(document->currentObject, false);
}
