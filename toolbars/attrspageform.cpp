#include "toolbars/attrspageform.h"

#include "app/qtmainfrm.h"
#include "dialogs/arrowattrsdlg.h"
#include "dialogs/figcolordlg.h"
#include "dialogs/objectcommentdlg.h"
#include "model/figcontext.h"
#include "toolbars/attrstoolbarhandler.h"
#include "toolbars/drawingattributes.h"
#include "toolbars/shapestoolbar.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpacerItem>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {

constexpr int arrowKindCount = 29;
constexpr int pageWidth = 78;

const char* const lineStyleIcons[6] = {
    ":/lineStyles/images/lineStyles/solid.png",
    ":/lineStyles/images/lineStyles/dashed.png",
    ":/lineStyles/images/lineStyles/dotted.png",
    ":/lineStyles/images/lineStyles/dashdot.png",
    ":/lineStyles/images/lineStyles/dash2dots.png",
    ":/lineStyles/images/lineStyles/dash3dots.png",
};

void fillArrowCombo(QComboBox* combo, bool withNone, const char* stem)
{
    if (withNone)
        combo->addItem(QIcon(QStringLiteral(":/arrows/images/arrows/none.png")), QString());
    for (int n = 1; n <= arrowKindCount; ++n)
        combo->addItem(
            QIcon(QStringLiteral(":/arrows/images/arrows/%1%2.png").arg(QLatin1String(stem)).arg(n)), QString());
}

void bindCombo(QComboBox* combo, AttrsToolbarHandler* handler, void (AttrsToolbarHandler::*slot)(int),
    void (AttrsToolbarHandler::*signal)(int))
{
    if (!combo)
        return;
    QObject::connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), handler, slot);
    QObject::connect(handler, signal, combo, &QComboBox::setCurrentIndex);
}

// Shows `value` in a box whose own range is what is offered for new
// objects, widening the range just enough to hold a larger value (an
// object read from a file), so that showing it never clamps it.
template <class Box, class Value> void showOffered(Box* box, Value value, Value minimum, Value maximum)
{
    const Value shown = box->value();
    // Wide enough for the old and the new value, so that neither is clamped
    // (and sent to the handler) on the way.
    box->setRange(std::min({ minimum, value, shown }), std::max({ maximum, value, shown }));
    box->setValue(value);
    box->setRange(std::min(minimum, value), std::max(maximum, value));
}

// Both directions for a box that offers a narrower range than objects read
// from files may hold (line width, style value): the box's range at binding
// time is the offered one. An edit outside it (possible only while a larger
// value is shown) is refused by the handler, and the box goes back to the
// value the handler holds.
template <class Box, class Value>
void bindOffered(Box* box, AttrsToolbarHandler* handler, void (AttrsToolbarHandler::*slot)(Value),
    void (AttrsToolbarHandler::*signal)(Value))
{
    if (!box)
        return;
    const Value minimum = box->minimum();
    const Value maximum = box->maximum();
    // The value the handler holds, as the box last showed it.
    auto held = std::make_shared<Value>(box->value());
    QObject::connect(box, qOverload<Value>(&Box::valueChanged), handler, [=](Value value) {
        (handler->*slot)(value);
        if ((value < minimum || value > maximum) && value != *held)
            showOffered(box, *held, minimum, maximum);
    });
    QObject::connect(handler, signal, box, [=](Value value) {
        *held = value;
        showOffered(box, value, minimum, maximum);
    });
}

void bindSpin(QSpinBox* box, AttrsToolbarHandler* handler, void (AttrsToolbarHandler::*slot)(int),
    void (AttrsToolbarHandler::*signal)(int))
{
    if (!box)
        return;
    QObject::connect(box, qOverload<int>(&QSpinBox::valueChanged), handler, slot);
    QObject::connect(handler, signal, box, &QSpinBox::setValue);
}

} // namespace

void fillBackArrowCombo(QComboBox* combo, bool withNone)
{
    fillArrowCombo(combo, withNone, "back");
}

void fillForwArrowCombo(QComboBox* combo, bool withNone)
{
    fillArrowCombo(combo, withNone, "forw");
}

void fillLineStyleCombo(QComboBox* combo)
{
    for (const char* icon : lineStyleIcons)
        combo->addItem(QIcon(QString::fromLatin1(icon)), QString());
}

AttrsPageForm::AttrsPageForm(QWidget* page, const char* formName, int height, int spacing, int margin)
    : page(page)
    , formName(formName)
{
    page->setObjectName(QString::fromLatin1(formName));
    page->setWindowTitle(text("Form"));
    // English (United States) everywhere: the style value shows a decimal point.
    page->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    // As wide as its widest text or value needs: the stack takes the
    // widest page's width, so no page is drawn narrower than it asks.
    page->resize(pageWidth, height);
    column = new QVBoxLayout(page);
    column->setObjectName(QStringLiteral("verticalLayout"));
    if (spacing >= 0)
        column->setSpacing(spacing);
    if (margin >= 0)
        column->setContentsMargins(margin, margin, margin, margin);
}

QLabel* AttrsPageForm::addLabel(const char* name, const char* caption, bool wordWrap, QLayout* layout)
{
    auto* label = new QLabel(text(caption), page);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(wordWrap);
    (layout ? layout : column)->addWidget(label);
    return label;
}

QSpinBox* AttrsPageForm::addSpinBox(const char* name, const char* tip, int minimum, int maximum, int value)
{
    auto* box = new QSpinBox(page);
    box->setObjectName(QString::fromLatin1(name));
    if (tip)
        box->setToolTip(text(tip));
    box->setRange(minimum, maximum);
    box->setValue(value);
    column->addWidget(box);
    return box;
}

QDoubleSpinBox* AttrsPageForm::addDoubleSpinBox(const char* name, const char* tip, double maximum, double value)
{
    auto* box = new QDoubleSpinBox(page);
    box->setObjectName(QString::fromLatin1(name));
    if (tip)
        box->setToolTip(text(tip));
    box->setDecimals(2);
    box->setRange(0.0, maximum);
    box->setSingleStep(1.0);
    box->setValue(value);
    column->addWidget(box);
    return box;
}

QComboBox* AttrsPageForm::addComboBox(
    const char* name, const char* tip, std::initializer_list<const char*> entries, QLayout* layout)
{
    auto* combo = new QComboBox(page);
    combo->setObjectName(QString::fromLatin1(name));
    if (tip)
        combo->setToolTip(text(tip));
    int position = 0;
    for (const char* entry : entries)
        combo->insertItem(position++, QIcon(), text(entry));
    (layout ? layout : column)->addWidget(combo);
    return combo;
}

QPushButton* AttrsPageForm::addButton(const char* name, const char* caption, const char* tip, QLayout* layout)
{
    auto* button = new QPushButton(page);
    button->setObjectName(QString::fromLatin1(name));
    if (caption)
        button->setText(text(caption));
    if (tip)
        button->setToolTip(text(tip));
    (layout ? layout : column)->addWidget(button);
    return button;
}

void AttrsPageForm::addDepthRows()
{
    addLabel("lbDepth", "Depth");
    depth = addSpinBox("depth", "Set value for ordering layers", 0, 999, 50);
    depth->setSuffix(QString());
}

void AttrsPageForm::addLineBlock(bool withCap)
{
    addDepthRows();
    addLabel("lbWidht", "Line width");
    lineWidth = addSpinBox("lineWidth", "Line width", 0, offeredLineWidthMax, 1);
    addLabel("lbLineStyle", "Line style");
    lineStyle = addComboBox("lineStyle", "Line style");
    lineStyle->setIconSize(QSize(40, 8));
    fillLineStyleCombo(lineStyle);
    lbStyleVal = addLabel("lbStyleVal", "styleval", true);
    styleVal = addDoubleSpinBox("styleVal", "dash length / dot gap", offeredStyleValMax, 4.0);
    if (withCap) {
        addLabel("lbCapStyle", "Cap style");
        capStyle = addComboBox("capStyle", "Cap style", { "Butt", "Round", "Projecting" });
    }
}

void AttrsPageForm::addJoinStyleRows()
{
    addLabel("lbJoinStyle", "Join style");
    joinStyle = addComboBox("joinStyle", "Join style", { "Miter", "Round", "Bevel" });
}

void AttrsPageForm::addArrowGroup()
{
    auto* group = new QGroupBox(text("Arrows"), page);
    group->setObjectName(QStringLiteral("groupBox"));
    auto* layout = new QVBoxLayout(group);
    layout->setSpacing(1);
    layout->setContentsMargins(1, 1, 1, 1);
    backArrow = addComboBox("backArrow", "Backward arrow type", {}, layout);
    forwArrow = addComboBox("forwArrow", "Forward arrow type", {}, layout);
    for (QComboBox* combo : { backArrow, forwArrow }) {
        combo->setIconSize(QSize(28, 16));
        combo->setFixedHeight(22);
    }
    fillBackArrowCombo(backArrow, true);
    fillForwArrowCombo(forwArrow, true);
    openArrowAttrs = addButton("openArrowAttrs", "Size...", "Arrow dimensions", layout);
    openArrowAttrs->setFixedHeight(22);
    column->addWidget(group);
}

void AttrsPageForm::addColorsGroup(const char* groupName)
{
    auto* group = new QGroupBox(text("Colors"), page);
    group->setObjectName(QString::fromLatin1(groupName));
    group->setFixedSize(65, 70);
    auto* grid = new QGridLayout(group);
    grid->setSpacing(0);
    grid->setContentsMargins(0, 0, 0, 0);
    selectPenColor = new QPushButton(group);
    selectPenColor->setObjectName(QStringLiteral("selectPenColor"));
    selectPenColor->setFixedSize(39, 39);
    selectPenColor->setIconSize(QSize(34, 34));
    selectPenColor->setToolTip(text("Current pen. Click to open color window"));
    grid->addWidget(selectPenColor, 0, 0);
    column->addWidget(group);
    addCommentButton();
}

QPushButton* AttrsPageForm::addCommentButton(QLayout* layout)
{
    openCommentDlg = addButton("openCommentDlg", nullptr, "Edit comment", layout);
    openCommentDlg->setMaximumSize(24, 24);
    attrspage::showCommentIcon(openCommentDlg, false);
    return openCommentDlg;
}

void AttrsPageForm::finish()
{
    column->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
}

void AttrsPageForm::bind(AttrsToolbarHandler* handler, const std::function<void(int)>& onLineStyle)
{
    if (!handler)
        return;
    using H = AttrsToolbarHandler;
    bindSpin(depth, handler, &H::onDepth, &H::depthChanged);
    bindOffered(lineWidth, handler, &H::onLineWidth, &H::lineWidthChanged);
    bindCombo(lineStyle, handler, &H::onLineStyle, &H::lineStyleChanged);
    if (lineStyle && onLineStyle)
        QObject::connect(handler, &H::lineStyleChanged, page, onLineStyle);
    bindOffered(styleVal, handler, &H::onStyleVal, &H::styleValChanged);
    bindCombo(capStyle, handler, &H::onCapStyle, &H::capStyleChanged);
    bindCombo(joinStyle, handler, &H::onJoinStyle, &H::joinStyleChanged);
    bindCombo(arcType, handler, &H::onArcType, &H::arcTypeChanged);
    bindCombo(backArrow, handler, &H::onBackArrow, &H::backArrowChanged);
    bindCombo(forwArrow, handler, &H::onForwArrow, &H::forwArrowChanged);
    bindCombo(boxType, handler, &H::onBoxType, &H::boxTypeChanged);
    bindSpin(boxCornerRadius, handler, &H::onBoxCornerRadius, &H::boxCornerRadiusChanged);
    bindSpin(ellipseAngle, handler, &H::onEllipseAngle, &H::ellipseAngleChanged);
    bindSpin(numSides, handler, &H::onNumSides, &H::numSidesChanged);
    bindCombo(arrowType, handler, &H::onArrowType, &H::arrowTypeChanged);
}

namespace attrspage {

void showStyleValLabel(const AttrsPageForm& form, int lineStyle)
{
    if (!form.lbStyleVal)
        return;
    switch (lineStyle) {
    case 0:
        form.lbStyleVal->setText(QString());
        break;
    case 1:
        form.lbStyleVal->setText(form.text("dash len."));
        break;
    case 2:
        form.lbStyleVal->setText(form.text("dot gap"));
        break;
    default:
        break; // the dash-dot styles keep what the label says
    }
}

void showCommentIcon(QPushButton* button, bool hasComment)
{
    if (!button)
        return;
    button->setIcon(QIcon(hasComment ? QStringLiteral(":/diverse/images/diverse/comment_filled.png")
                                     : QStringLiteral(":/diverse/images/diverse/comment.png")));
}

void showPenColor(QPushButton* button, const QPixmap& pixmap)
{
    if (button)
        button->setIcon(QIcon(pixmap));
}

void connectFrameButtons(const AttrsPageForm& form, AttrsToolbarHandler* handler)
{
    if (!handler)
        return;
    if (form.openCommentDlg)
        QObject::connect(form.openCommentDlg, &QPushButton::clicked, handler, &AttrsToolbarHandler::openCommentDlgClicked);
    if (form.selectPenColor)
        QObject::connect(form.selectPenColor, &QPushButton::clicked, handler, &AttrsToolbarHandler::openColorDlgClicked);
}

void connectCommentSignals(QTMainFrm* mainWindow, QObject* page, std::function<void(bool)> tip)
{
    if (!mainWindow)
        return;
    QObject::connect(mainWindow, &QTMainFrm::commentChanged, page, tip);
    QObject::connect(&mainWindow->commentDlg, &ObjectCommentDlg::commentChanged, page, tip);
    if (mainWindow->shapesToolbar)
        QObject::connect(mainWindow->shapesToolbar, &ShapesToolbar::commentChanged, page, tip);
}

void connectColorPreview(QTMainFrm* mainWindow, QObject* page, std::function<void(const QPixmap&)> show)
{
    if (mainWindow && mainWindow->colorDlg)
        QObject::connect(mainWindow->colorDlg, &FigColorDlg::colorChanged, page, show);
}

void passEscape(QTMainFrm* mainWindow, const QKeyEvent* event)
{
    if (mainWindow && event->key() == Qt::Key_Escape)
        mainWindow->cancelActiveChildMode();
}

CFigContext* documentWithCurrentObject()
{
    CFigContext* context = activeFigContext();
    return context && context->currentObject ? context : nullptr;
}

QWidget* asWidget(QTMainFrm* mainWindow)
{
    return mainWindow;
}

void runArrowSizeDialog(QTMainFrm* mainWindow)
{
    CFigContext* context = activeFigContext();
    if (!context)
        return;
    ArrowAttrsDlg dialog(mainWindow, {}, context);
    // Modal before it is shown, as every dialog run with exec.
    dialog.setModal(true);
    dialog.show();
    dialog.exec();
}

} // namespace attrspage
