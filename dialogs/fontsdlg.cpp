#include "dialogs/fontsdlg.h"
#include "dialogs/formfit.h"

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

// The LaTeX buttons get the cells of the first PostScript buttons: the
// columns as wide, button j as high as PostScript button j, no gap; the
// rest of the LaTeX page stays below them instead of pulling them apart.
void matchLatexCells(QGridLayout* psGrid, QGridLayout* latexGrid)
{
    int widths[gridColumns] = {};
    for (int i = 0; i < psGrid->count(); ++i) {
        QWidget* button = psGrid->itemAt(i)->widget();
        button->ensurePolished(); // its style sheet decides its frame
        int& width = widths[i % gridColumns];
        width = qMax(width, button->sizeHint().width());
    }
    for (int column = 0; column < gridColumns; ++column) {
        psGrid->setColumnMinimumWidth(column, widths[column]);
        latexGrid->setColumnMinimumWidth(column, widths[column]);
    }
    for (int j = 0; j < latexGrid->count(); ++j) {
        if (auto* button = qobject_cast<QPushButton*>(latexGrid->itemAt(j)->widget()))
            button->setFixedHeight(psGrid->itemAt(j)->widget()->sizeHint().height());
    }
    latexGrid->setRowStretch(fontTableSize / gridColumns, 1);
    // The LaTeX page's own layout already keeps the margins.
    latexGrid->setContentsMargins(0, 0, 0, 0);
}

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
    matchLatexCells(psGrid, latexGrid);

    connect(&psMapper, &QSignalMapper::mappedInt, this, &FontsDlg::onPsFont);
    connect(&latexMapper, &QSignalMapper::mappedInt, this, &FontsDlg::onLatexFont);
    formfit::fitToContents(this);
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
