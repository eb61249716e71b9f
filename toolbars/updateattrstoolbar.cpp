#include "toolbars/updateattrstoolbar.h"

#include "toolbars/attrspageform.h"
#include "toolbars/updatemask.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct BoxRow {
    const char* name;
    const char* text;
    const char* tip;
};

// In column order; the last six stand in the "Text" group.
const BoxRow boxRows[19] = {
    { "depth", "Depth", "update depth (layer)" },
    { "outlinePen", "Outline", "update outline and pattern color" },
    { "fillPen", "Fill", "update fill color and pattern style" },
    { "lineWidth", "Line wdh", "update line width" },
    { "lineStyle", "Line style", "update line style" },
    { "styleValue", "Dash len", "update dash length/dot gap" },
    { "capStyle", "Cap style", "update cap style" },
    { "joinStyle", "Join style", "update join style" },
    { "arrowStyle", "Arrow", "update arrow type and dimensions" },
    { "boxType", "Box type", "update box type (normal, rounded)" },
    { "cornerRadius", "Cornr rds", "update corner radius" },
    { "arcType", "Arc type", "update arc type" },
    { "ellipseAngle", "Ell. angle", "update ellipse angle" },
    { "textFont", "Font", "update font" },
    { "textAdjust", "Adjust", "update text adjustment" },
    { "textRigid", "Rigid", "update \"rigid\" flag" },
    { "textSpecial", "Special", "update \"special\" flag" },
    { "textSize", "Size", "update size" },
    { "textAngle", "Angle", "update angle" },
};

constexpr int textGroupStart = 13;

} // namespace

UpdateAttrsToolbar::UpdateAttrsToolbar(QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , mainWindow(mainWindow)
    , form(std::make_unique<AttrsPageForm>(this, "UpdateAttrsForm", 560, 0, 0))
{
    auto* group = new QGroupBox(form->text("Text"), this);
    group->setObjectName(QStringLiteral("groupBox"));
    auto* groupColumn = new QVBoxLayout(group);
    groupColumn->setSpacing(0);
    groupColumn->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 19; ++i) {
        const BoxRow& row = boxRows[i];
        auto* box = new QCheckBox(form->text(row.text), i < textGroupStart ? static_cast<QWidget*>(this) : group);
        box->setObjectName(QString::fromLatin1(row.name));
        box->setToolTip(form->text(row.tip));
        // The tick stands right of the text.
        box->setLayoutDirection(Qt::RightToLeft);
        (i < textGroupStart ? form->column : groupColumn)->addWidget(box);
        if (i == textGroupStart - 1)
            form->column->addWidget(group);
        boxes[i] = box;
    }
    QPushButton* all = form->addButton("btAll", "All", nullptr);
    QPushButton* none = form->addButton("btNone", "None", nullptr);
    QPushButton* toggle = form->addButton("btToggle", "Toggle", nullptr);
    form->finish();

    for (QCheckBox* box : boxes)
        box->setCheckState(Qt::Checked);
    flagChanged();
    connect(all, &QPushButton::clicked, this, &UpdateAttrsToolbar::onAll);
    connect(none, &QPushButton::clicked, this, &UpdateAttrsToolbar::onNone);
    connect(toggle, &QPushButton::clicked, this, &UpdateAttrsToolbar::onToggle);
    for (QCheckBox* box : boxes)
        connect(box, &QCheckBox::stateChanged, this, &UpdateAttrsToolbar::flagChanged);
}

UpdateAttrsToolbar::~UpdateAttrsToolbar() = default;

void UpdateAttrsToolbar::setAll(Qt::CheckState state)
{
    for (QCheckBox* box : boxes)
        box->setCheckState(state);
    flagChanged();
}

void UpdateAttrsToolbar::onAll(bool /*checked*/)
{
    setAll(Qt::Checked);
}

void UpdateAttrsToolbar::onNone(bool /*checked*/)
{
    setAll(Qt::Unchecked);
}

void UpdateAttrsToolbar::onToggle(bool /*checked*/)
{
    for (QCheckBox* box : boxes)
        box->setCheckState(box->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    flagChanged();
}

void UpdateAttrsToolbar::flagChanged()
{
    const auto on = [this](int i) { return boxes[i]->checkState() == Qt::Checked; };
    UpdateMask& m = updateMask;
    m.depth = on(0);
    m.penColor = on(1);
    // One box for both: the fill colour is never copied without its area fill.
    m.fillColor = on(2);
    m.fillStyle = on(2);
    m.lineWidth = on(3);
    m.lineStyle = on(4);
    m.styleVal = on(5);
    m.capStyle = on(6);
    m.joinStyle = on(7);
    m.arrows = on(8);
    m.boxType = on(9);
    m.boxCornerRadius = on(10);
    m.arcType = on(11);
    m.ellipseAngle = on(12);
    m.font = on(13);
    m.textAlign = on(14);
    m.textRigid = on(15);
    m.textSpecial = on(16);
    m.fontSize = on(17);
    m.textAngle = on(18);
}
