#include "export/exportformlayout.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QWidget>

#include <initializer_list>

namespace exportformlayout {

namespace {

// Spans the remaining columns, the stretching one after the last included,
// as a field or group that runs to the right edge of its page.
constexpr int toEnd = -1;

// One widget's cell in its container's grid.
struct Cell {
    const char* name;
    int row;
    int column;
    int rowSpan = 1;
    int columnSpan = 1;
    // Check boxes and radio buttons beside others keep the width of their
    // caption at the left of their cell.
    Qt::Alignment alignment = {};
};

constexpr Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment top = Qt::AlignTop;

// A container of the form without a layout and the cells of its children,
// row by row as the form shows them from top to bottom and left to right.
struct Grid {
    const char* container;
    std::initializer_list<Cell> cells;
};

// The general options: magnification and figure size above, layers, border
// width and background below.
const Grid general = { "groupBoxGeneral",
    {
        { "groupBoxMagnification", 0, 0 },
        { "groupBoxFigureSize", 0, 1, 1, 2 },
        { "groupBoxLayers", 1, 0 },
        { "groupBoxBorderWidth", 1, 1 },
        { "groupBoxBackground", 1, 2 },
    } };

// Group boxes of the pages that place their children by hand.
const Grid groups[] = {
    { "groupBoxPlottingArea_2",
        {
            { "dxfRestrictArea", 0, 0, 1, 3, left },
            { "label_69", 1, 0 },
            { "dxfAreaXll", 1, 1 },
            { "dxfAreaYll", 1, 2 },
            { "label_70", 2, 0 },
            { "dxfAreaXur", 2, 1 },
            { "dxfAreaYur", 2, 2 },
        } },
    { "groupBoxPlottingArea",
        {
            { "ibmglRestrictArea", 0, 0, 1, 3, left },
            { "label_25", 1, 0 },
            { "ibmglAreaXll", 1, 1 },
            { "ibmglAreaYll", 1, 2 },
            { "label_26", 2, 0 },
            { "ibmglAreaXur", 2, 1 },
            { "ibmglAreaYur", 2, 2 },
        } },
    { "groupBoxCoordSystem",
        {
            { "label_40", 0, 0 },
            { "coordTop", 0, 1 },
            { "label_41", 1, 0 },
            { "coordXmin", 1, 1 },
            { "coordYmin", 1, 2 },
            { "label_42", 2, 0 },
            { "coordXmax", 2, 1 },
            { "coordYmax", 2, 2 },
        } },
    { "groupBoxMarginSize",
        {
            { "label_51", 0, 0 },
            { "pstricksXMargin", 0, 1 },
            { "label_56", 1, 0 },
            { "pstricksYMargin", 1, 1 },
        } },
};

// The PDF and Postscript pages share their arrangement: labels in column 0,
// fields in columns 1 to 3, the offsets and the envelope button in column 4.
const Grid pages[] = {
    { "bitmap",
        {
            { "groupBoxBitmapFormats", 0, 0, 5, 1, top },
            { "label_19", 0, 1 },
            { "cbSmoothFactor", 0, 2 },
            { "bmGrayscale", 0, 3, 1, 1, left },
            { "label_20", 1, 1 },
            { "transpCol", 1, 2 },
            { "label_21", 1, 3 },
            { "label_22", 2, 1 },
            { "jpegQuality", 2, 2 },
            { "label_23", 3, 1, 1, toEnd, top },
        } },
    { "cgm",
        {
            { "binaryOutput", 0, 0 },
            { "dontCompensateLineLength", 1, 0 },
        } },
    { "dxf",
        {
            { "dxfAnsiApaper", 0, 0, 1, 2 },
            { "dxfPortraitMode", 1, 0, 1, 2 },
            { "dxfReflected", 2, 0, 1, 2 },
            { "dxfUse6180", 3, 0, 1, 2 },
            { "groupBoxPlottingArea_2", 4, 0, 1, 1, top },
            { "groupBoxOffset_7", 4, 1, 1, 1, top },
        } },
    { "epic",
        {
            { "label_34", 0, 0 },
            { "cbEpicTextEncoding", 0, 1 },
            { "label_37", 0, 2 },
            { "cbEpicLanguage", 0, 3 },
            { "label_35", 1, 0 },
            { "epicLineThreshold", 1, 1 },
            { "label_36", 2, 0 },
            { "arrowDivide", 2, 1 },
            { "epicNoFontSpec", 3, 0, 1, 2 },
            { "epicComments", 3, 2, 1, 2 },
            { "epicCompleteFile", 4, 0, 1, 2 },
            { "epicVariableWidth", 4, 2, 1, 2 },
            { "epicRotatedText", 5, 0, 1, 4 },
        } },
    { "gbx",
        {
            { "label_60", 0, 0 },
            { "cbGbxDimensions", 0, 1 },
            { "groupBoxOffset_4", 0, 2 },
            { "label_61", 1, 0 },
            { "cbGbxPolarity", 1, 1 },
            { "groupBoxOffset_5", 1, 2 },
            { "label_68", 2, 0 },
            { "cbGbxComments", 2, 1 },
            { "groupBoxOffset_6", 2, 2 },
        } },
    { "ibmgl",
        {
            { "isoA4paper", 0, 0, 1, 1, left },
            { "useHpgl", 0, 1, 1, 1, left },
            { "mirrorImage", 0, 2, 1, 2, left },
            { "ibmglUse6180", 1, 0, 1, 1, left },
            { "ibmGlPortrait", 1, 1, 1, 1, left },
            { "label_24", 1, 2 },
            { "speed", 1, 3 },
            { "groupBoxPlottingArea", 2, 0, 1, 2, top },
            { "groupBoxOffset_2", 2, 2, 1, 2, top },
        } },
    { "latex",
        {
            { "label_14", 0, 0 },
            { "cbLatexTextEncoding", 0, 1 },
            { "label_16", 1, 0 },
            { "latexLineThreshold", 1, 1 },
            { "label_18", 2, 0 },
            { "dashmag", 2, 1 },
        } },
    { "metafont",
        {
            { "label_38", 0, 0 },
            { "startCode", 0, 1 },
            { "label_39", 1, 0 },
            { "penMagnification", 1, 1 },
            { "groupBoxCoordSystem", 0, 2, 3, 1 },
            { "label_43", 3, 0 },
            { "mfFilename", 3, 1, 1, toEnd },
        } },
    { "metapost",
        {
            { "multiLevel", 0, 0 },
            { "lbFigureSize_2", 0, 1 },
            { "metapostPrologues", 0, 2 },
            { "lbFigureSize_3", 0, 3 },
            { "oldMode", 1, 0 },
            { "groupBoxIncludeFile", 2, 0, 1, toEnd },
            { "groupBoxIncludeFile_2", 3, 0, 1, toEnd },
        } },
    { "pdf",
        {
            { "label_28", 0, 0 },
            { "cbPdfPageFormat", 0, 1, 1, 3 },
            { "label_33", 1, 0 },
            { "cbPdfOrientation", 1, 1 },
            { "label_31", 1, 2 },
            { "cbPdfJustification", 1, 3 },
            { "label_32", 2, 0 },
            { "cbPdfMultiplePages", 2, 1 },
            { "pdfOverlapMargins", 2, 2, 1, 2 },
            { "groupBoxOffset_3", 2, 4, 3, 1, top },
            { "pdfGrayscale", 3, 0 },
            { "label_27", 4, 0 },
            { "pdfTitle", 4, 1, 1, 3 },
            { "pdfOpenInViewer", 5, 0, 1, 2, left },
            { "pdfUseLatex", 6, 0, 1, 4, left },
            { "pdfOpenTexEnvelope", 6, 4 },
        } },
    { "ps",
        {
            { "label", 0, 0 },
            { "cbPageFormat", 0, 1, 1, 3 },
            { "label_2", 1, 0 },
            { "cbOrientation", 1, 1 },
            { "label_3", 1, 2 },
            { "cbJustification", 1, 3 },
            { "label_4", 2, 0 },
            { "cbMultiplePages", 2, 1 },
            { "overlapMargins", 2, 2, 1, 2 },
            { "groupBoxOffset", 2, 4, 4, 1, top },
            { "label_5", 3, 0 },
            { "cbPsPreview", 3, 1, 1, 2 },
            { "psGrayscale", 4, 0 },
            { "label_6", 5, 0 },
            { "psTitle", 5, 1, 1, 3 },
            { "psOpenInViewer", 6, 0, 1, 2, left },
            { "psUseLatex", 7, 0, 1, 4, left },
            { "psOpenTexEnvelope", 7, 4 },
        } },
    { "eps",
        {
            { "label_15", 0, 0 },
            { "cbEpsPreview", 0, 1 },
            { "epsGrayscale", 1, 0 },
            { "label_17", 2, 0 },
            { "epsTitle", 2, 1, 1, 2 },
            { "groupBoxBoundingBox", 3, 0, 1, toEnd },
            { "epsOpenInViewer", 4, 0, 1, 2, left },
            { "epsUseLatex", 5, 0, 1, 2, left },
            { "epsOpenTexEnvelope", 5, 2 },
        } },
    { "pdftex",
        {
            { "cbPdfTexMode", 0, 0, 1, toEnd },
            { "pdftexOpenInPdfViewer", 1, 0, 1, 1, left },
            { "pdftexNoFontspec", 2, 0, 1, 1, left },
            { "label_46", 2, 1 },
            { "cbPdftexEncoding", 2, 2 },
            { "groupBoxPdftexTitle", 3, 0, 1, toEnd },
            { "groupBoxPdftexOverlay", 4, 0, 1, toEnd },
        } },
    { "pstex",
        {
            { "cbPsTexMode", 0, 0, 1, toEnd },
            { "pstexOpenInPsViewer", 1, 0, 1, 1, left },
            { "pstexNoFontspec", 2, 0, 1, 1, left },
            { "label_47", 2, 1 },
            { "cbPstexEncoding", 2, 2 },
            { "groupBoxPstexTitle", 3, 0, 1, toEnd },
            { "groupBoxPstexOverlay", 4, 0, 1, toEnd },
        } },
    { "pic",
        {
            { "picAllowArcbox", 0, 0 },
            { "picUseLineThickness", 1, 0 },
            { "picFilledEllipses", 2, 0 },
            { "picDontConvertPsFonts", 3, 0 },
        } },
    { "pict2e",
        {
            { "label_74", 0, 0 },
            { "cbPict2eTextEncoding", 0, 1 },
            { "label_73", 1, 0 },
            { "pic2eDefaultColor", 1, 1 },
            { "pict2eEpicCompatible", 2, 0 },
            { "pict2eNoFontname", 3, 0 },
            { "label_75", 4, 0 },
            { "pict2eFont", 4, 1 },
            { "label_76", 5, 0 },
            { "pict2ePrependDir", 5, 1 },
            { "pict2eNoFontsizeOrBaselineskip", 6, 0 },
            { "pict2eDontQuoteChars", 7, 0 },
            { "pict2ePagemode", 8, 0 },
            { "pict2eReplaceArrowheads", 9, 0 },
        } },
    { "pictex",
        {
            { "label_48", 0, 0 },
            { "cbPictexTextEncoding", 0, 1 },
        } },
    { "pstricks",
        {
            { "label_50", 0, 0 },
            { "cbPstricksVersion", 0, 1 },
            { "groupBoxMarginSize", 0, 2, 3, 1, top },
            { "label_49", 1, 0 },
            { "pstricksLineWeight", 1, 1 },
            { "label_52", 2, 0 },
            { "pstricksEnvironment", 2, 1 },
            { "label_53", 3, 0 },
            { "pstricksArrowStyle", 3, 1 },
            { "label_55", 4, 0 },
            { "cbPstricksFontHandling", 4, 1 },
            { "label_54", 5, 0 },
            { "pstricksBmEpsDir", 5, 1, 1, 2 },
            { "pstricksVerbose", 6, 0 },
            { "pstricksGrid", 7, 0 },
        } },
    { "svg",
        {
            { "label_57", 0, 0 },
            { "cbSvgPageFormat", 0, 1 },
        } },
    { "tikz",
        {
            { "label_78", 0, 0 },
            { "tikzTextEncoding", 0, 1 },
            { "label_79", 1, 0 },
            { "tikzDefaultColor", 1, 1 },
            { "tikzNoFontname", 2, 0 },
            { "label_77", 3, 0 },
            { "tikzFont", 3, 1 },
            { "label_80", 4, 0 },
            { "tikzPrependDir", 4, 1 },
            { "tikzNoFontsizeOrBaselineskip", 5, 0 },
            { "tikzDontQuoteChars", 6, 0 },
            { "tikzPagemode", 7, 0 },
            { "tikzUseTexFonts", 8, 0 },
            { "tikzRemoveSuffix", 9, 0 },
        } },
    { "tk",
        {
            { "label_59", 0, 0 },
            { "cbTkOrientation", 0, 1 },
            { "tkFullpage", 1, 0, 1, 2, left },
            { "label_58", 2, 0 },
            { "cbTkPageFormat", 2, 1 },
        } },
    { "custom",
        {
            { "groupBoxPstexTitle_2", 0, 0, 1, toEnd },
        } },
};

// Puts the container's children into a grid of the cells given. The
// widgets keep to the top left as the form placed them: an empty last row
// and column take what room is left.
void fill(QWidget* dialog, const Grid& grid, int margin)
{
    auto* container = dialog->findChild<QWidget*>(QLatin1String(grid.container));
    Q_ASSERT(container && !container->layout());
    if (!container || container->layout())
        return;
    int rows = 0;
    int columns = 0;
    for (const Cell& cell : grid.cells) {
        rows = qMax(rows, cell.row + cell.rowSpan);
        columns = qMax(columns, cell.column + qMax(cell.columnSpan, 1));
    }
    auto* layout = new QGridLayout(container);
    if (margin >= 0)
        layout->setContentsMargins(margin, margin, margin, margin);
    for (const Cell& cell : grid.cells) {
        auto* widget = container->findChild<QWidget*>(QLatin1String(cell.name), Qt::FindDirectChildrenOnly);
        Q_ASSERT(widget);
        if (!widget)
            continue;
        const int span = cell.columnSpan == toEnd ? columns + 1 - cell.column : cell.columnSpan;
        layout->addWidget(widget, cell.row, cell.column, cell.rowSpan, span, cell.alignment);
    }
    layout->setRowStretch(rows, 1);
    layout->setColumnStretch(columns, 1);
}

// The list as wide as its widest entry with a little room on both sides and
// as high as all its rows: no entry touches the frame and none scrolls away.
void fitFormatList(QListWidget* list)
{
    const int frame = 2 * list->frameWidth();
    const int room = 2 * list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list)
        + list->fontMetrics().averageCharWidth();
    const int width = qMax(list->minimumWidth(), list->sizeHintForColumn(0) + frame + room);
    list->setMinimumWidth(width);
    list->setMaximumWidth(width);
    int height = frame;
    for (int row = 0; row < list->count(); ++row)
        height += list->sizeHintForRow(row);
    list->setMinimumHeight(height);
}

// The form's minimum height of its fields is a floor for the usual font: a
// layout short of room would press them down to it at a larger one.
void keepFieldHeights(QWidget* dialog)
{
    for (QWidget* field : dialog->findChildren<QWidget*>()) {
        if (!qobject_cast<QAbstractSpinBox*>(field) && !qobject_cast<QComboBox*>(field)
            && !qobject_cast<QLineEdit*>(field))
            continue;
        const int need = field->minimumSizeHint().height();
        if (field->minimumHeight() > 0 && field->minimumHeight() < need)
            field->setMinimumHeight(need);
    }
}

} // namespace

void layOut(QWidget* dialog)
{
    keepFieldHeights(dialog);
    fill(dialog, general, -1);
    for (const Grid& group : groups)
        fill(dialog, group, -1);
    // The pages stand in a group box of their own: a narrow margin.
    const int pageMargin = dialog->style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing);
    for (const Grid& page : pages)
        fill(dialog, page, qMax(pageMargin, 4));
    fitFormatList(dialog->findChild<QListWidget*>(QStringLiteral("exportFormatList")));
    // The figure size's button is held low by the form: at least its line
    // of text and frame.
    auto* fit = dialog->findChild<QPushButton*>(QStringLiteral("btFitToPage"));
    const int frame = 2 * fit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, fit);
    fit->setMaximumHeight(qMax(fit->maximumHeight(), fit->fontMetrics().height() + frame));
}

} // namespace exportformlayout
