#include "toolbars/textattrstoolbar.h"

#include "app/qtmainfrm.h"
#include "dialogs/fontsdlg.h"
#include "dialogs/textcoordsdlg.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "model/figtext.h"
#include "render/fonts.h"
#include "toolbars/attrspageform.h"
#include "toolbars/attrstoolbarhandler.h"
#include "toolbars/drawingattributes.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSpacerItem>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int postScriptFlag = 4;

const char* const sizeEntries[] = { "6", "7", "8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26",
    "28", "36", "48", "72" };

void addGap(QVBoxLayout* column)
{
    column->addItem(new QSpacerItem(20, 6, QSizePolicy::Minimum, QSizePolicy::Fixed));
}

QPushButton* flagButton(AttrsPageForm& form, const char* name, const char* caption, const char* tip, QLayout* layout)
{
    QPushButton* button = form.addButton(name, caption, tip, layout);
    button->setCheckable(true);
    button->setFixedHeight(22);
    return button;
}

} // namespace

TextAttrsToolbar::TextAttrsToolbar(AttrsToolbarHandler* handler, QTMainFrm* mainWindow, Qt::WindowFlags flags)
    : ObjectAttrsPage(mainWindow, flags, "TextAttrsForm", 531)
{
    setMinimumWidth(38);
    QPushButton* editText = form->addButton("editText", "Edit...", nullptr);
    form->addDepthRows();
    form->depth->setMinimumHeight(22);
    fontButton = form->addButton("openFontSel", nullptr, "Open font selection window");
    fontButton->setFixedHeight(22);
    QFont small = fontButton->font();
    small.setPointSize(7);
    fontButton->setFont(small);
    addGap(form->column);
    form->addLabel("lbTextAngle", "Text angle");
    QSpinBox* textAngle = form->addSpinBox("textAngle", "Rotate text by angle (0..360)", 0, 360, 1);
    textAngle->setMinimumHeight(22);
    form->addLabel("lbFontSize", "Font size");
    fontSize = form->addComboBox("fontSize", "Font size");
    fontSize->setEditable(true);
    // A typed size is taken as the current size, never added to the list.
    fontSize->setInsertPolicy(QComboBox::NoInsert);
    // Nor completed to a listed one: a typed 2 stays 2, not 20.
    fontSize->setCompleter(nullptr);
    form->addLabel("lbAlignment", "Alignment");
    QComboBox* textAlign = form->addComboBox("textAlign", "Text alignment", { "Left", "Center", "Right" });
    addGap(form->column);

    auto* flagsGroup = new QGroupBox(form->text("Flags"), this);
    flagsGroup->setObjectName(QStringLiteral("groupBox"));
    flagsGroup->setMinimumHeight(80);
    auto* flagsColumn = new QVBoxLayout(flagsGroup);
    flagsColumn->setSpacing(2);
    flagsColumn->setContentsMargins(1, 1, 1, 1);
    QPushButton* textRigid = flagButton(
        *form, "textRigid", "Rigid", "Don't scale when the enclosing compound is scaled.", flagsColumn);
    QPushButton* textSpecial = flagButton(*form, "textSpecial", "LaTeX",
        "Don't excape special characters on export.\nSet this for LaTeX formula.", flagsColumn);
    form->openPointsDlg = form->addButton("openPointsDlg", "Coords...", "Edit coordinates", flagsColumn);
    form->openPointsDlg->setFixedHeight(22);
    form->column->addWidget(flagsGroup);
    addGap(form->column);
    form->addColorsGroup("groupBox_2");
    form->finish();

    if (mainWindow && mainWindow->fontsDlg) {
        connect(mainWindow->fontsDlg, &FontsDlg::psFontChanged, this, &TextAttrsToolbar::onPsFontChanged);
        connect(mainWindow->fontsDlg, &FontsDlg::latexFontChanged, this, &TextAttrsToolbar::onLatexFontChanged);
    }
    fontButton->setStyleSheet(QStringLiteral("background-color: rgb(255, 255, 255);"));
    if (currentAttrs.textFlags & postScriptFlag)
        onPsFontChanged(currentAttrs.psFont);
    else
        onLatexFontChanged(currentAttrs.latexFont);
    for (const char* entry : sizeEntries)
        fontSize->addItem(QString::fromLatin1(entry));

    connect(editText, &QPushButton::clicked, this, &TextAttrsToolbar::onEditText);
    connect(fontButton, &QPushButton::clicked, this, &TextAttrsToolbar::onOpenFontSel);
    if (handler) {
        using H = AttrsToolbarHandler;
        form->bind(handler);
        connect(handler, &H::psFontChanged, this, &TextAttrsToolbar::onPsFontChanged);
        connect(handler, &H::latexFontChanged, this, &TextAttrsToolbar::onLatexFontChanged);
        connect(textAngle, qOverload<int>(&QSpinBox::valueChanged), handler, &H::onTextAngle);
        connect(handler, &H::textAngleChanged, textAngle, &QSpinBox::setValue);
        // The size is taken once it is complete: when the user leaves the
        // field or presses Return, or picks an entry. Taking every keystroke
        // would make sizes 0 and 1 on the way to 14, each an undo step.
        connect(fontSize->lineEdit(), &QLineEdit::editingFinished, this, [this, handler] { takeFontSize(handler); });
        connect(fontSize, qOverload<int>(&QComboBox::activated), this, [this, handler] { takeFontSize(handler); });
        connect(handler, &H::fontSizeChanged, fontSize, &QComboBox::setEditText);
        connect(textAlign, qOverload<int>(&QComboBox::currentIndexChanged), handler, &H::onTextAlign);
        connect(handler, &H::textAlignChanged, textAlign, &QComboBox::setCurrentIndex);
        connect(textRigid, &QPushButton::clicked, handler, &H::onTextRigid);
        connect(handler, &H::textRigidChanged, textRigid, &QPushButton::setChecked);
        connect(textSpecial, &QPushButton::clicked, handler, &H::onTextSpecial);
        connect(handler, &H::textSpecialChanged, textSpecial, &QPushButton::setChecked);
    }
    connect(form->openPointsDlg, &QPushButton::clicked, this, &TextAttrsToolbar::onOpenPointsDlg);
    connectFrame(handler);
}

TextAttrsToolbar::~TextAttrsToolbar() = default;

void TextAttrsToolbar::takeFontSize(AttrsToolbarHandler* handler)
{
    bool ok = false;
    const int size = fontSize->currentText().trimmed().toInt(&ok, 10);
    if (!ok || size < minFontSize || size > maxFontSize) {
        fontSize->setEditText(QString::number(currentAttrs.fontSize));
        return;
    }
    handler->onFontSize(QString::number(size));
}

void TextAttrsToolbar::onEditText()
{
    CFigContext* context = attrspage::documentWithCurrentObject();
    if (!context || context->currentObject->type != FigObject::Text)
        return;
    context->editText(static_cast<FigText*>(context->currentObject));
}

void TextAttrsToolbar::onOpenFontSel()
{
    if (!mainWindow || !mainWindow->fontsDlg || mainWindow->fontsDlg->isVisible())
        return;
    mainWindow->fontsDlg->show();
    mainWindow->fontsDlg->exec();
}

void TextAttrsToolbar::onPsFontChanged(int fontIdx)
{
    if (fontIdx < 0 || fontIdx >= fontTableSize)
        return;
    const FontTableEntry& row = fontTable[fontIdx];
    QFont font(row.family);
    // The face changes, the button's small size stays.
    font.setPointSizeF(fontButton->font().pointSizeF());
    font.setWeight(row.weight);
    font.setStyle(static_cast<QFont::Style>(row.style));
    font.setStretch(row.stretch);
    fontButton->setFont(font);
    fontButton->setText(row.psName);
    fontButton->setToolTip(row.psName);
    fontButton->setIcon(QIcon());
}

void TextAttrsToolbar::onLatexFontChanged(int fontIdx)
{
    if (fontIdx < 0 || fontIdx >= latexFontCount)
        return;
    fontButton->setText(QString());
    const QPixmap image(QStringLiteral(":/fonts/images/fonts/") + QLatin1String(latexFontIconNames[fontIdx])
        + QStringLiteral(".png"));
    fontButton->setIconSize(QSize(image.width(), 12));
    fontButton->setIcon(QIcon(image));
}

void TextAttrsToolbar::onOpenPointsDlg(bool /*checked*/)
{
    attrspage::runValueDialog<TextCoordsDlg>(mainWindow);
}
