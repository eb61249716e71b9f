#include "dialogs/textcoordsdlg.h"
#include "dialogs/formfit.h"

#include "app/preferences.h"
#include "dialogs/valueediting.h"
#include "model/figcontext.h"
#include "model/figtext.h"

#include "ui_textcoordsdlg.h"

using namespace valueediting;

TextCoordsDlg::TextCoordsDlg(QWidget* parent, Qt::WindowFlags flags, CFigContext* context)
    : QDialog(parent, flags)
    , ui(std::make_unique<Ui::CoordsDlg>())
    , context(context)
{
    ui->setupUi(this);
    fillUnitCombo(ui->cbUnit);
    if (context && context->currentObject && context->currentObject->type == FigObject::Text) {
        text = static_cast<FigText*>(context->currentObject);
        loadValues();
    }
    connect(ui->cbUnit, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &TextCoordsDlg::onUnit);
    connect(ui->px, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &TextCoordsDlg::onChange);
    connect(ui->py, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &TextCoordsDlg::onChange);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    formfit::fitToContents(this);
}

TextCoordsDlg::~TextCoordsDlg() = default;

void TextCoordsDlg::loadValues()
{
    if (!text)
        return;
    showFigValue(context, ui->px, text->x);
    showFigValue(context, ui->py, text->y);
}

void TextCoordsDlg::onUnit(int index)
{
    if (index == preferences.valuesUnit)
        return;
    preferences.valuesUnit = index;
    loadValues();
}

void TextCoordsDlg::onChange(double /*value*/)
{
    if (!context || !text)
        return;
    double nx = 0;
    double ny = 0;
    if (!readPair(context, ui->px, ui->py, text->x, text->y, nx, ny))
        return;
    const int dx = static_cast<int>(nx) - text->x;
    const int dy = static_cast<int>(ny) - text->y;
    // The fields keep what was typed; only a refused move puts them back.
    if ((dx != 0 || dy != 0) && !moveObject(context, text, dx, dy, false))
        restorePair(ui->px, ui->py);
    else
        keepPair(ui->px, ui->py);
}
