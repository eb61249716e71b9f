#include "dialogs/fontsdlg.h"

#include "app/qslog.h"
#include "app/qtmainfrm.h"
#include "edit/canvaspainterscope.h"
#include "model/figcontext.h"
#include "model/figobject.h"
#include "render/fonts.h"
#include "toolbars/drawingattributes.h"

#include "ui_fontsdlg.h"

#include <QGridLayout>
#include <QImage>
#include <QPushButton>

namespace {

constexpr int postScriptFlag = 4; // bit 2 of the text flags
constexpr int gridColumns = 3;
const QString whiteBackground = QStringLiteral("background-color: rgb(255, 255, 255);");

} // namespace

FontsDlg::FontsDlg(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , psMapper(nullptr)
    , latexMapper(nullptr)
    , ui(std::make_unique<Ui::FontsDlgForm>())
{
    ui->setupUi(this);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &FontsDlg::reject);

    auto* psGrid = new QGridLayout(ui->psFonts); // owned by the page
    psGrid->setObjectName(QStringLiteral("gridLayoutPsFonts"));
    psGrid->setSpacing(0);
    for (int i = 0; i < fontTableSize; ++i) {
        const FontTableEntry& row = fontTable[i];
        auto* button = new QPushButton(ui->psFonts); // owned by the page
        button->setStyleSheet(whiteBackground);
        QFont font(row.family);
        font.setPixelSize(14);
        font.setWeight(row.weight);
        font.setStyle(static_cast<QFont::Style>(row.style));
        font.setStretch(row.stretch);
        button->setFont(font);
        button->setText(row.psName);
        psGrid->addWidget(button, i / gridColumns, i % gridColumns);
        connect(button, &QPushButton::clicked, &psMapper, qOverload<>(&QSignalMapper::map));
        psMapper.setMapping(button, i);
    }

    // The LaTeX grid has as many cells as the PostScript one, so that its
    // buttons get the same size.
    auto* latexGrid = new QGridLayout(ui->latexFontsWidget); // owned by the widget
    latexGrid->setObjectName(QStringLiteral("gridLayoutLaTeXFonts"));
    latexGrid->setSpacing(0);
    for (int j = 0; j < latexFontCount; ++j) {
        auto* button = new QPushButton(ui->latexFontsWidget); // owned by the widget
        button->setStyleSheet(whiteBackground);
        const QImage image(
            QStringLiteral(":/fonts/images/fonts/") + QLatin1String(latexFontIconNames[j]) + QStringLiteral(".png"));
        button->setIconSize(image.size());
        button->setIcon(QPixmap::fromImage(image));
        latexGrid->addWidget(button, j / gridColumns, j % gridColumns);
        connect(button, &QPushButton::clicked, &latexMapper, qOverload<>(&QSignalMapper::map));
        latexMapper.setMapping(button, j);
    }
    for (int j = latexFontCount; j < fontTableSize; ++j)
        latexGrid->addWidget(new QWidget(ui->latexFontsWidget), j / gridColumns, j % gridColumns);

    connect(&psMapper, &QSignalMapper::mappedInt, this, &FontsDlg::onPsFont);
    connect(&latexMapper, &QSignalMapper::mappedInt, this, &FontsDlg::onLatexFont);
}

FontsDlg::~FontsDlg() = default;

void FontsDlg::onPsFont(int i)
{
    // The number indexes the font table wherever texts are measured and
    // written: one without a row is not taken.
    if (i < 0 || i >= fontTableSize) {
        QLOG_WARN().noquote() << QStringLiteral("PostScript font %1 refused: not within 0 to %2").arg(i).arg(fontTableSize - 1);
        return;
    }
    currentAttrs.textFlags |= postScriptFlag;
    currentAttrs.psFont = i;
    emit psFontChanged(i);
    applyToCurrentText();
    close();
}

void FontsDlg::onLatexFont(int i)
{
    if (i < 0 || i >= latexFontCount) {
        QLOG_WARN().noquote() << QStringLiteral("LaTeX font %1 refused: not within 0 to %2").arg(i).arg(latexFontCount - 1);
        return;
    }
    currentAttrs.textFlags &= ~postScriptFlag;
    currentAttrs.latexFont = i;
    emit latexFontChanged(i);
    applyToCurrentText();
    close();
}

void FontsDlg::applyToCurrentText()
{
    CFigContext* context = activeFigContext();
    if (!context)
        return;
    FigObject* object = context->currentObject;
    if (!object || object->type != FigObject::Text)
        return;
    CanvasPainterScope scope(context);
    context->updateObjectAttributes(object, false);
}
