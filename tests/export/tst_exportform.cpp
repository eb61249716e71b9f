// The export form as set up, before any options object touches it: every
// widget of the frame and of the 24 format pages by object name, with its
// kind, caption or items, range, decimals, start value and indicator side;
// the frame's fixed size, the page order and the start page.
#include "support/testenv.h"

#include "ui_exportdlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>

#include <memory>

namespace {

// One widget: its class, its caption (labels, buttons, group titles) or its
// items joined by "|" (combo boxes), its range and decimals (spin boxes),
// its start value (a number, the current item, "checked" or "", the text of
// a line edit) and whether its indicator stands right of its caption.
struct WidgetRow {
    const char* name;
    const char* kind;
    const char* caption;
    double minimum;
    double maximum;
    int decimals;
    const char* start;
    bool indicatorRight;
};

const char* const enc = "None|ISO-8859-1|ISO-8859-2";
const char* const preview = "None|ASCII (EPSI)|Monochrome TIFF|Color TIFF";
const char* const modes = "Export both parts|Export graphics only (suppress 'special' text)|Export 'special' text only";
const char* const gridSteps = "None|1/16|1/8|1/4|1/2|1|2|5|10";
const char* const noFontSpec = "Don\u2019t set font face, series and style";

const WidgetRow widgetRows[] = {
    // The frame: general and grid options.
    { "groupBoxGeneral", "QGroupBox", "General options", 0, 0, 0, "", false },
    { "groupBoxMagnification", "QGroupBox", "Magnification in %", 0, 0, 0, "", false },
    { "magnification", "QSpinBox", "", 0, 10000, 0, "100", false },
    { "lbFigureSize", "QLabel", "TextLabel", 0, 0, 0, "", false },
    { "btFitToPage", "QPushButton", "Fit to page", 0, 0, 0, "", false },
    { "groupBoxLayers", "QGroupBox", "Layers", 0, 0, 0, "", false },
    { "rbExportAll", "QRadioButton", "Export all", 0, 0, 0, "checked", false },
    { "rbExportOnlyActive", "QRadioButton", "Export only active", 0, 0, 0, "", false },
    { "groupBoxBorderWidth", "QGroupBox", "Border width", 0, 0, 0, "", false },
    { "borderWidth", "QSpinBox", "", 0, 1000, 0, "0", false },
    { "groupBoxBackground", "QGroupBox", "Background color", 0, 0, 0, "", false },
    { "cbBackground", "QComboBox", "", 0, 0, 0, "-1", false },
    { "groupBoxGrid", "QGroupBox", "Grid", 0, 0, 0, "", false },
    { "label_9", "QLabel", "Minor", 0, 0, 0, "", false },
    { "cbGridMinor", "QComboBox", gridSteps, 0, 0, 0, "0", false },
    { "label_10", "QLabel", "Major", 0, 0, 0, "", false },
    { "cbGridMajor", "QComboBox", gridSteps, 0, 0, 0, "0", false },
    { "label_11", "QLabel", "Unit", 0, 0, 0, "", false },
    { "cbGridUnit", "QComboBox", "mm|cm|m|in|ft", 0, 0, 0, "0", false },
    { "groupBoxSpecific", "QGroupBox", "Specific options", 0, 0, 0, "", false },
    { "groupBoxCmdParams", "QGroupBox", "fig2dev command line parameters", 0, 0, 0, "", false },
    { "fig2devParameters", "QLabel", "TextLabel", 0, 0, 0, "", false },

    // Page 0: Bitmap.
    { "groupBoxBitmapFormats", "QGroupBox", "Format", 0, 0, 0, "", false },
    { "rbGif", "QRadioButton", "GIF", 0, 0, 0, "checked", false },
    { "rbJpeg", "QRadioButton", "JPEG", 0, 0, 0, "", false },
    { "rbPcx", "QRadioButton", "PCX", 0, 0, 0, "", false },
    { "rbPng", "QRadioButton", "PNG", 0, 0, 0, "", false },
    { "rbPpm", "QRadioButton", "PPM", 0, 0, 0, "", false },
    { "rbTiff", "QRadioButton", "TIFF", 0, 0, 0, "", false },
    { "rbXbm", "QRadioButton", "XBM", 0, 0, 0, "", false },
    { "rbXpm", "QRadioButton", "XPM", 0, 0, 0, "", false },
    { "label_19", "QLabel", "Smoothfactor", 0, 0, 0, "", false },
    { "cbSmoothFactor", "QComboBox", "0|2|4", 0, 0, 0, "0", false },
    { "bmGrayscale", "QCheckBox", "Grayscale", 0, 0, 0, "", true },
    { "label_20", "QLabel", "GIF transparent color", 0, 0, 0, "", false },
    { "transpCol", "QLineEdit", "", 0, 0, 0, "", false },
    { "label_21", "QLabel", "(i.e. #1122ee)", 0, 0, 0, "", false },
    { "label_22", "QLabel", "JPEG Quality in %", 0, 0, 0, "", false },
    { "jpegQuality", "QSpinBox", "", 0, 100, 0, "75", false },
    { "label_23", "QLabel",
        "Bitmap export requires GhostScript (see readme.txt)\n\nSome of the formats require additional tools:\n"
        "GIF and XPM require ppmquant\nXBM requires ppmtopgm",
        0, 0, 0, "", false },

    // Page 1: CGM.
    { "binaryOutput", "QCheckBox", "Generate binary output (requires ralcgm)", 0, 0, 0, "", false },
    { "dontCompensateLineLength", "QCheckBox", "Do not compensate line length for arrows", 0, 0, 0, "", false },

    // Page 2: DXF.
    { "dxfAnsiApaper", "QCheckBox", "Select ANSI A paper size instead of the default ISO A4.", 0, 0, 0, "", false },
    { "dxfPortraitMode", "QCheckBox", "Rotate the figure to portrait mode. The default is landscape mode.", 0, 0, 0, "",
        false },
    { "dxfReflected", "QCheckBox", "Plot the figure upside-down in portrait mode or backwards in landscape mode.", 0, 0,
        0, "", false },
    { "dxfUse6180", "QCheckBox", "Use IBM 6180 without IBM-GEC", 0, 0, 0, "", false },
    { "groupBoxPlottingArea_2", "QGroupBox", "Plotting area", 0, 0, 0, "", false },
    { "dxfRestrictArea", "QCheckBox", "restrict area", 0, 0, 0, "", false },
    { "label_69", "QLabel", "(xll, yll)", 0, 0, 0, "", false },
    { "dxfAreaXll", "QDoubleSpinBox", "", 0, 1000, 2, "0", false },
    { "dxfAreaYll", "QDoubleSpinBox", "", 0, 1000, 2, "0", false },
    { "label_70", "QLabel", "(xur, yur)", 0, 0, 0, "", false },
    { "dxfAreaXur", "QDoubleSpinBox", "", 0, 1000, 2, "0", false },
    { "dxfAreaYur", "QDoubleSpinBox", "", 0, 1000, 2, "0", false },
    { "groupBoxOffset_7", "QGroupBox", "Offset (inch)", 0, 0, 0, "", false },
    { "label_71", "QLabel", "X", 0, 0, 0, "", false },
    { "dxfXoffset", "QDoubleSpinBox", "", 0, 1000, 4, "0", false },
    { "label_72", "QLabel", "Y", 0, 0, 0, "", false },
    { "dxfYoffset", "QDoubleSpinBox", "", 0, 1000, 4, "0", false },

    // Page 3: Epic.
    { "label_34", "QLabel", "Encoding for text translation", 0, 0, 0, "", false },
    { "cbEpicTextEncoding", "QComboBox", enc, 0, 0, 0, "0", false },
    { "label_37", "QLabel", "Language", 0, 0, 0, "", false },
    { "cbEpicLanguage", "QComboBox", "EPIC|EEPIC|EEPIC-emu", 0, 0, 0, "0", false },
    { "label_35", "QLabel", "Thin/thick line threshold", 0, 0, 0, "", false },
    { "epicLineThreshold", "QSpinBox", "", 0, 10000, 0, "2", false },
    { "label_36", "QLabel", "Divde arrowhead size by", 0, 0, 0, "", false },
    { "arrowDivide", "QDoubleSpinBox", "", 0, 10000, 2, "1", false },
    { "epicNoFontSpec", "QCheckBox", noFontSpec, 0, 0, 0, "", false },
    { "epicComments", "QCheckBox", "Include comments", 0, 0, 0, "", false },
    { "epicCompleteFile", "QCheckBox", "Generate complete LaTeX file", 0, 0, 0, "", false },
    { "epicVariableWidth", "QCheckBox", "Enable variable line width", 0, 0, 0, "", false },
    { "epicRotatedText", "QCheckBox", nullptr, 0, 0, 0, "", false },

    // Page 4: Gerber.
    { "label_60", "QLabel", "Unit", 0, 0, 0, "", false },
    { "cbGbxDimensions", "QComboBox", "mm|in", 0, 0, 0, "0", false },
    { "groupBoxOffset_4", "QGroupBox", "Scale", 0, 0, 0, "", false },
    { "label_62", "QLabel", "X", 0, 0, 0, "", false },
    { "gbxScaleX", "QDoubleSpinBox", "", 0, 10000, 4, "1", false },
    { "label_63", "QLabel", "Y", 0, 0, 0, "", false },
    { "gbxScaleY", "QDoubleSpinBox", "", 0, 10000, 4, "1", false },
    { "label_61", "QLabel", "Polarity", 0, 0, 0, "", false },
    { "cbGbxPolarity", "QComboBox", "positive|negative", 0, 0, 0, "1", false },
    { "label_68", "QLabel", "Comments", 0, 0, 0, "", false },
    { "cbGbxComments", "QComboBox", "yes|no", 0, 0, 0, "0", false },
    { "groupBoxOffset_5", "QGroupBox", "Offset", 0, 0, 0, "", false },
    { "label_64", "QLabel", "X", 0, 0, 0, "", false },
    { "gbxOffsetX", "QDoubleSpinBox", "", 0, 100000, 4, "0", false },
    { "label_65", "QLabel", "Y", 0, 0, 0, "", false },
    { "gbxOffsetY", "QDoubleSpinBox", "", 0, 100000, 4, "0", false },
    { "groupBoxOffset_6", "QGroupBox", "Precision", 0, 0, 0, "", false },
    { "label_66", "QLabel", "X", 0, 0, 0, "", false },
    { "gbxPrecisionX", "QSpinBox", "", 0, 99, 0, "3", false },
    { "label_67", "QLabel", "Y", 0, 0, 0, "", false },
    { "gbxPrecisionY", "QSpinBox", "", 0, 99, 0, "5", false },

    // Page 5: IBM-GL.
    { "isoA4paper", "QCheckBox", "ISO A4 paper size", 0, 0, 0, "", false },
    { "useHpgl", "QCheckBox", "Use HP/GL", 0, 0, 0, "", false },
    { "mirrorImage", "QCheckBox", "Mirror image", 0, 0, 0, "", false },
    { "ibmglUse6180", "QCheckBox", "Use IBM 6180 without IBM-GEC", 0, 0, 0, "", false },
    { "ibmGlPortrait", "QCheckBox", "Porttrait", 0, 0, 0, "", false },
    { "label_24", "QLabel", "Speed (cm/s)", 0, 0, 0, "", false },
    { "speed", "QDoubleSpinBox", "", 0, 1000, 4, "0", false },
    { "groupBoxPlottingArea", "QGroupBox", "Plotting area", 0, 0, 0, "", false },
    { "ibmglRestrictArea", "QCheckBox", "restrict area", 0, 0, 0, "", false },
    { "label_25", "QLabel", "(xll, yll)", 0, 0, 0, "", false },
    { "ibmglAreaXll", "QDoubleSpinBox", "", 0, 1000, 2, "0", false },
    { "ibmglAreaYll", "QDoubleSpinBox", "", 0, 1000, 2, "0", false },
    { "label_26", "QLabel", "(xur, yur)", 0, 0, 0, "", false },
    { "ibmglAreaXur", "QDoubleSpinBox", "", 0, 1000, 2, "0", false },
    { "ibmglAreaYur", "QDoubleSpinBox", "", 0, 1000, 2, "0", false },
    { "groupBoxOffset_2", "QGroupBox", "Offset (inch)", 0, 0, 0, "", false },
    { "label_29", "QLabel", "X", 0, 0, 0, "", false },
    { "ibmglXoffset", "QDoubleSpinBox", "", 0, 1000, 4, "0", false },
    { "label_30", "QLabel", "Y", 0, 0, 0, "", false },
    { "ibmglYoffset", "QDoubleSpinBox", "", 0, 1000, 4, "0", false },

    // Page 6: LaTeX.
    { "label_14", "QLabel", "Encoding for text translation", 0, 0, 0, "", false },
    { "cbLatexTextEncoding", "QComboBox", enc, 0, 0, 0, "0", false },
    { "label_16", "QLabel", "Thin/thick line threshold", 0, 0, 0, "", false },
    { "latexLineThreshold", "QSpinBox", "", 0, 10000, 0, "2", false },
    { "label_18", "QLabel", "Dash magnification in %", 0, 0, 0, "", false },
    { "dashmag", "QSpinBox", "", 0, 10000, 0, "100", false },

    // Page 9: Metafont (pages 7 and 8 are empty).
    { "label_38", "QLabel", "Encoding for text translation", 0, 0, 0, "", false },
    { "startCode", "QSpinBox", "", 0, 10000, 0, "32", false },
    { "label_39", "QLabel", "Pen magnification", 0, 0, 0, "", false },
    { "penMagnification", "QDoubleSpinBox", "", 0, 100000, 2, "1", false },
    { "groupBoxCoordSystem", "QGroupBox", "Coordinate system (inches)", 0, 0, 0, "", false },
    { "label_40", "QLabel", "top", 0, 0, 0, "", false },
    { "coordTop", "QDoubleSpinBox", "", 0, 100000, 2, "8", false },
    { "label_41", "QLabel", "(xmin, ymin)", 0, 0, 0, "", false },
    { "coordXmin", "QDoubleSpinBox", "", 0, 100000, 2, "0", false },
    { "coordYmin", "QDoubleSpinBox", "", 0, 100000, 2, "0", false },
    { "label_42", "QLabel", "(xmax, ymax)", 0, 0, 0, "", false },
    { "coordXmax", "QDoubleSpinBox", "", 0, 100000, 2, "8", false },
    { "coordYmax", "QDoubleSpinBox", "", 0, 100000, 2, "8", false },
    { "label_43", "QLabel", "Name", 0, 0, 0, "", false },
    { "mfFilename", "QLineEdit", "", 0, 0, 0, "", false },

    // Page 10: Metapost.
    { "multiLevel", "QCheckBox", "Multi-level (mmp)", 0, 0, 0, "", false },
    { "lbFigureSize_2", "QLabel", "Add  \"prologues:=", 0, 0, 0, "", false },
    { "metapostPrologues", "QSpinBox", "", 0, 10000, 0, "0", false },
    { "lbFigureSize_3", "QLabel", "\"", 0, 0, 0, "", false },
    { "oldMode", "QCheckBox", "Old mode", 0, 0, 0, "", false },
    { "groupBoxIncludeFile", "QGroupBox", "Include file via \\input", 0, 0, 0, "", false },
    { "metapostInput", "QLineEdit", "", 0, 0, 0, "", false },
    { "groupBoxIncludeFile_2", "QGroupBox", "Include file as additional header", 0, 0, 0, "", false },
    { "metapostHeader", "QLineEdit", "", 0, 0, 0, "", false },

    // Page 11: PDF.
    { "label_28", "QLabel", "Paper size", 0, 0, 0, "", false },
    { "cbPdfPageFormat", "QComboBox", "", 0, 0, 0, "-1", false },
    { "label_33", "QLabel", "Orientation", 0, 0, 0, "", false },
    { "cbPdfOrientation", "QComboBox", "Portrait|Landscape", 0, 0, 0, "0", false },
    { "label_31", "QLabel", "Justification", 0, 0, 0, "", false },
    { "cbPdfJustification", "QComboBox", "Centered|Flush left", 0, 0, 0, "1", false },
    { "label_32", "QLabel", "Pages", 0, 0, 0, "", false },
    { "cbPdfMultiplePages", "QComboBox", "Single|Multiple", 0, 0, 0, "0", false },
    { "pdfOverlapMargins", "QCheckBox", "Overlap margins", 0, 0, 0, "", true },
    { "groupBoxOffset_3", "QGroupBox", "Offset (1/72 inch)", 0, 0, 0, "", false },
    { "label_44", "QLabel", "X", 0, 0, 0, "", false },
    { "pdfxOffset", "QSpinBox", "", 0, 99, 0, "0", false },
    { "label_45", "QLabel", "Y", 0, 0, 0, "", false },
    { "pdfyOffset", "QSpinBox", "", 0, 99, 0, "0", false },
    { "pdfGrayscale", "QCheckBox", "Grayscale", 0, 0, 0, "", true },
    { "label_27", "QLabel", "Title", 0, 0, 0, "", false },
    { "pdfTitle", "QLineEdit", "", 0, 0, 0, "", false },
    { "pdfOpenInViewer", "QCheckBox", "Open in PDF viewer", 0, 0, 0, "", true },
    { "pdfUseLatex", "QCheckBox", "Use LaTeX for rendering LaTeX formatted texts", 0, 0, 0, "", true },
    { "pdfOpenTexEnvelope", "QPushButton", "Edit TeX envelope", 0, 0, 0, "", false },

    // Page 12: Postscript.
    { "label", "QLabel", "Paper size", 0, 0, 0, "", false },
    { "cbPageFormat", "QComboBox", "", 0, 0, 0, "-1", false },
    { "label_2", "QLabel", "Orientation", 0, 0, 0, "", false },
    { "cbOrientation", "QComboBox", "Portrait|Landscape", 0, 0, 0, "0", false },
    { "label_3", "QLabel", "Justification", 0, 0, 0, "", false },
    { "cbJustification", "QComboBox", "Centered|Flush left", 0, 0, 0, "1", false },
    { "label_4", "QLabel", "Pages", 0, 0, 0, "", false },
    { "cbMultiplePages", "QComboBox", "Single|Multiple", 0, 0, 0, "0", false },
    { "overlapMargins", "QCheckBox", "Overlap margins", 0, 0, 0, "", true },
    { "groupBoxOffset", "QGroupBox", "Offset (1/72 inch)", 0, 0, 0, "", false },
    { "label_7", "QLabel", "X", 0, 0, 0, "", false },
    { "xOffset", "QSpinBox", "", 0, 99, 0, "0", false },
    { "label_8", "QLabel", "Y", 0, 0, 0, "", false },
    { "yOffset", "QSpinBox", "", 0, 99, 0, "0", false },
    { "label_5", "QLabel", "Preview", 0, 0, 0, "", false },
    { "cbPsPreview", "QComboBox", preview, 0, 0, 0, "0", false },
    { "psGrayscale", "QCheckBox", "Grayscale", 0, 0, 0, "", true },
    { "label_6", "QLabel", "Title", 0, 0, 0, "", false },
    { "psTitle", "QLineEdit", "", 0, 0, 0, "", false },
    { "psOpenInViewer", "QCheckBox", "Open in PostScript viewer", 0, 0, 0, "", true },
    { "psUseLatex", "QCheckBox", "Use LaTeX for rendering LaTeX formatted texts", 0, 0, 0, "", true },
    { "psOpenTexEnvelope", "QPushButton", "Edit TeX envelope", 0, 0, 0, "", false },

    // Page 13: EPS.
    { "label_15", "QLabel", "Preview", 0, 0, 0, "", false },
    { "cbEpsPreview", "QComboBox", preview, 0, 0, 0, "0", false },
    { "epsGrayscale", "QCheckBox", "Grayscale", 0, 0, 0, "", true },
    { "label_17", "QLabel", "Title", 0, 0, 0, "", false },
    { "epsTitle", "QLineEdit", "", 0, 0, 0, "", false },
    { "groupBoxBoundingBox", "QGroupBox", "Bounding box", 0, 0, 0, "", false },
    { "rbBoundingBox1", "QRadioButton", "Automatic", 0, 0, 0, "checked", true },
    { "label_12", "QLabel", "(X0, Y0)", 0, 0, 0, "", false },
    { "boundingBoxX0", "QDoubleSpinBox", "", 0, 99.99, 2, "0", false },
    { "boundingBoxY0", "QDoubleSpinBox", "", 0, 99.99, 2, "0", false },
    { "lbBoundindBoxUnit1", "QLabel", "cm", 0, 0, 0, "", false },
    { "rbBoundingBox2", "QRadioButton", "Relative to screen - upper left corner", 0, 0, 0, "", true },
    { "label_13", "QLabel", "(Wx, Wy)", 0, 0, 0, "", false },
    { "boundingBoxWX", "QDoubleSpinBox", "", 0, 99.99, 2, "0", false },
    { "boundingBoxWY", "QDoubleSpinBox", "", 0, 99.99, 2, "0", false },
    { "lbBoundindBoxUnit2", "QLabel", "cm", 0, 0, 0, "", false },
    { "rbBoundingBox3", "QRadioButton", "Relative to figure - lower left corner", 0, 0, 0, "", true },
    { "epsOpenInViewer", "QCheckBox", "Open in PostScript viewer", 0, 0, 0, "", true },
    { "epsUseLatex", "QCheckBox", "Use LaTeX for rendering LaTeX formatted texts", 0, 0, 0, "", true },
    { "epsOpenTexEnvelope", "QPushButton", "Edit TeX envelope", 0, 0, 0, "", false },

    // Page 14: PdfTeX.
    { "cbPdfTexMode", "QComboBox", modes, 0, 0, 0, "0", false },
    { "pdftexOpenInPdfViewer", "QCheckBox", "Open in PDF viewer", 0, 0, 0, "", false },
    { "pdftexNoFontspec", "QCheckBox", noFontSpec, 0, 0, 0, "", false },
    { "label_46", "QLabel", "Encoding for text translation", 0, 0, 0, "", false },
    { "cbPdftexEncoding", "QComboBox", enc, 0, 0, 0, "0", false },
    { "groupBoxPdftexTitle", "QGroupBox", "Title", 0, 0, 0, "", false },
    { "pdftexTitle", "QLineEdit", "", 0, 0, 0, "", false },
    { "groupBoxPdftexOverlay", "QGroupBox", "PostScript file to be overlaid", 0, 0, 0, "", false },
    { "useDefaultPdftexOverlayFile", "QCheckBox", "Use default", 0, 0, 0, "checked", true },
    { "pdftexOverlay", "QLineEdit", "", 0, 0, 0, "", false },

    // Page 15: PsTeX.
    { "cbPsTexMode", "QComboBox", modes, 0, 0, 0, "0", false },
    { "pstexOpenInPsViewer", "QCheckBox", "Open in PS viewer", 0, 0, 0, "", false },
    { "pstexNoFontspec", "QCheckBox", noFontSpec, 0, 0, 0, "", false },
    { "label_47", "QLabel", "Encoding for text translation", 0, 0, 0, "", false },
    { "cbPstexEncoding", "QComboBox", enc, 0, 0, 0, "0", false },
    { "groupBoxPstexTitle", "QGroupBox", "Title", 0, 0, 0, "", false },
    { "pstexTitle", "QLineEdit", "", 0, 0, 0, "", false },
    { "groupBoxPstexOverlay", "QGroupBox", "PostScript file to be overlaid", 0, 0, 0, "", false },
    { "useDefaultPstexOverlayFile", "QCheckBox", "Use default", 0, 0, 0, "checked", true },
    { "pstexOverlay", "QLineEdit", "", 0, 0, 0, "", false },

    // Page 16: Pic.
    { "picAllowArcbox", "QCheckBox", "Allow ARC_BOX i.e. use rounded corners", 0, 0, 0, "", false },
    { "picUseLineThickness", "QCheckBox", "Use the \u2019line_thickness\u2019 value", 0, 0, 0, "", false },
    { "picFilledEllipses", "QCheckBox", "Allow ellipses to be filled", 0, 0, 0, "", false },
    { "picDontConvertPsFonts", "QCheckBox", "Don\u2019t convert Postscript fonts generic type", 0, 0, 0, "", false },

    // Page 17: Pict2e.
    { "label_74", "QLabel", "Encoding for text translation", 0, 0, 0, "", false },
    { "cbPict2eTextEncoding", "QComboBox", enc, 0, 0, 0, "0", false },
    { "label_73", "QLabel", "Do not emit a \\color-command for the color number", 0, 0, 0, "", false },
    { "pic2eDefaultColor", "QLineEdit", "", 0, 0, 0, "", false },
    { "pict2eEpicCompatible", "QCheckBox", "Do not try to be compatible with epic/eepic", 0, 0, 0, "", true },
    { "pict2eNoFontname", "QCheckBox", "Do not set the font family, series or shape", 0, 0, 0, "", true },
    { "label_75", "QLabel", "Default font used for text objects", 0, 0, 0, "", false },
    { "pict2eFont", "QLineEdit", "", 0, 0, 0, "", false },
    { "label_76", "QLabel", "Prepend to graphics files included in the pict2e-picture", 0, 0, 0, "", false },
    { "pict2ePrependDir", "QLineEdit", "", 0, 0, 0, "", false },
    { "pict2eNoFontsizeOrBaselineskip", "QCheckBox", "Do not set the font size or baselineskip", 0, 0, 0, "", true },
    { "pict2eDontQuoteChars", "QCheckBox", "Do not quote characters special to TeX/LaTeX", 0, 0, 0, "", true },
    { "pict2ePagemode", "QCheckBox", "Pagemode, generate a stand-alone LaTeX-file", 0, 0, 0, "", true },
    { "pict2eReplaceArrowheads", "QCheckBox", "Replace arrowheads num by LaTeX-arrows (\"\\vector\")", 0, 0, 0, "",
        true },

    // Page 18: PicTeX.
    { "label_48", "QLabel", "Encoding for text translation", 0, 0, 0, "", false },
    { "cbPictexTextEncoding", "QComboBox", enc, 0, 0, 0, "0", false },

    // Page 19: PSTricks.
    { "label_50", "QLabel", "PSTricks version", 0, 0, 0, "", false },
    { "cbPstricksVersion", "QComboBox", "< 1.20|>= 1.20", 0, 0, 0, "1", false },
    { "groupBoxMarginSize", "QGroupBox", "Margin Size", 0, 0, 0, "", false },
    { "label_51", "QLabel", "X", 0, 0, 0, "", false },
    { "pstricksXMargin", "QDoubleSpinBox", "", 0, 10000, 2, "0", false },
    { "label_56", "QLabel", "Y", 0, 0, 0, "", false },
    { "pstricksYMargin", "QDoubleSpinBox", "", 0, 10000, 2, "0", false },
    { "label_49", "QLabel", "Line Weight", 0, 0, 0, "", false },
    { "pstricksLineWeight", "QDoubleSpinBox", "", 0, 10000, 2, "1", false },
    { "label_52", "QLabel", "Environment", 0, 0, 0, "", false },
    { "pstricksEnvironment", "QComboBox", "0|1|2|3", 0, 0, 0, "0", false },
    { "label_53", "QLabel", "Arrow Style", 0, 0, 0, "", false },
    { "pstricksArrowStyle", "QComboBox", "0|1|2", 0, 0, 0, "0", false },
    { "label_55", "QLabel", "Font Handling", 0, 0, 0, "", false },
    { "cbPstricksFontHandling", "QComboBox", "0|1|2", 0, 0, 0, "0", false },
    { "label_54", "QLabel", "-p dir", 0, 0, 0, "", false },
    { "pstricksBmEpsDir", "QLineEdit", "", 0, 0, 0, "", false },
    { "pstricksVerbose", "QCheckBox", "Verbose Output", 0, 0, 0, "", true },
    { "pstricksGrid", "QCheckBox", "Grid", 0, 0, 0, "", true },

    // Page 20: SVG.
    { "label_57", "QLabel", "Paper size", 0, 0, 0, "", false },
    { "cbSvgPageFormat", "QComboBox", "", 0, 0, 0, "-1", false },

    // Page 21: TikZ.
    { "label_78", "QLabel", "Encoding for text translation", 0, 0, 0, "", false },
    { "tikzTextEncoding", "QComboBox", enc, 0, 0, 0, "0", false },
    { "label_79", "QLabel", "Do not emit a \\color-command for the color number", 0, 0, 0, "", false },
    { "tikzDefaultColor", "QLineEdit", "", 0, 0, 0, "", false },
    { "tikzNoFontname", "QCheckBox", "Do not set the font family, series or shape", 0, 0, 0, "", true },
    { "label_77", "QLabel", "Default font used for text objects", 0, 0, 0, "", false },
    { "tikzFont", "QLineEdit", "", 0, 0, 0, "", false },
    { "label_80", "QLabel", "Prepend to graphics files included in the tikz-picture", 0, 0, 0, "", false },
    { "tikzPrependDir", "QLineEdit", "", 0, 0, 0, "", false },
    { "tikzNoFontsizeOrBaselineskip", "QCheckBox", "Do not set the font size or baselineskip", 0, 0, 0, "", true },
    { "tikzDontQuoteChars", "QCheckBox", "Do not quote characters special to TeX/LaTeX", 0, 0, 0, "", true },
    { "tikzPagemode", "QCheckBox", "Pagemode, generate a stand-alone LaTeX-file", 0, 0, 0, "", true },
    { "tikzUseTexFonts", "QCheckBox", "Only use TeX fonts", 0, 0, 0, "", true },
    { "tikzRemoveSuffix", "QCheckBox", "Remove the suffix from included graphics-files", 0, 0, 0, "", true },

    // Page 22: TK/PTK.
    { "label_59", "QLabel", "Orientation", 0, 0, 0, "", false },
    { "cbTkOrientation", "QComboBox", "Portrait|Landscape", 0, 0, 0, "0", false },
    { "tkFullpage", "QCheckBox", "Generate canvas of full page size", 0, 0, 0, "", true },
    { "label_58", "QLabel", "Paper size", 0, 0, 0, "", false },
    { "cbTkPageFormat", "QComboBox", "", 0, 0, 0, "-1", false },

    // Page 23: Custom.
    { "groupBoxPstexTitle_2", "QGroupBox", "Enter any additional parameters you want to pass to fig2dev", 0, 0, 0, "",
        false },
    { "customParameters", "QLineEdit", "", 0, 0, 0, "", false },
};

const char* const pageNames[]
    = { "bitmap", "cgm", "dxf", "epic", "gbx", "ibmgl", "latex", "map", "emf", "metafont", "metapost", "pdf", "ps",
          "eps", "pdftex", "pstex", "pic", "pict2e", "pictex", "pstricks", "svg", "tikz", "tk", "custom" };

// The widget's caption or its items joined by "|".
QString captionOf(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget))
        return group->title();
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items.join(QLatin1Char('|'));
    }
    return QString();
}

QString startOf(QWidget* widget)
{
    if (auto* spin = qobject_cast<QSpinBox*>(widget))
        return QString::number(spin->value());
    if (auto* decimal = qobject_cast<QDoubleSpinBox*>(widget))
        return QString::number(decimal->value());
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return QString::number(combo->currentIndex());
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->isChecked() ? QStringLiteral("checked") : QString();
    return QString();
}

} // namespace

class TestExportForm : public QObject {
    Q_OBJECT

    std::unique_ptr<QDialog> dialog;
    std::unique_ptr<Ui::ExportDlgForm> form;

    QWidget* widget(const char* name) { return dialog->findChild<QWidget*>(QLatin1String(name)); }

private slots:
    void init()
    {
        dialog = std::make_unique<QDialog>();
        form = std::make_unique<Ui::ExportDlgForm>();
        form->setupUi(dialog.get());
    }
    void cleanup()
    {
        form.reset();
        dialog.reset();
    }

    void widgetsAsSetUp_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(widgetRows)); ++i)
            QTest::newRow(widgetRows[i].name) << i;
    }
    void widgetsAsSetUp()
    {
        QFETCH(int, row);
        const WidgetRow& expected = widgetRows[row];
        QWidget* found = widget(expected.name);
        QVERIFY2(found, expected.name);
        QCOMPARE(found->metaObject()->className(), expected.kind);
        if (expected.caption)
            QCOMPARE(captionOf(found), QString::fromUtf8(expected.caption));
        QCOMPARE(startOf(found), QString::fromLatin1(expected.start));
        QCOMPARE(found->layoutDirection() == Qt::RightToLeft, expected.indicatorRight);
        if (auto* spin = qobject_cast<QSpinBox*>(found)) {
            QCOMPARE(spin->minimum(), int(expected.minimum));
            QCOMPARE(spin->maximum(), int(expected.maximum));
        }
        if (auto* decimal = qobject_cast<QDoubleSpinBox*>(found)) {
            QCOMPARE(decimal->minimum(), expected.minimum);
            QCOMPARE(decimal->maximum(), expected.maximum);
            QCOMPARE(decimal->decimals(), expected.decimals);
        }
        // Every field is at least 22 pixels high, but the two lists of the
        // PsTeX page.
        const bool field = qobject_cast<QAbstractSpinBox*>(found) || qobject_cast<QComboBox*>(found)
            || qobject_cast<QLineEdit*>(found);
        const bool exempt
            = qstrcmp(expected.name, "cbPsTexMode") == 0 || qstrcmp(expected.name, "cbPstexEncoding") == 0;
        if (field)
            QCOMPARE(found->minimumHeight(), exempt ? 0 : 22);
        // No help texts anywhere.
        QVERIFY(found->toolTip().isEmpty());
        QVERIFY(found->statusTip().isEmpty());
        QVERIFY(found->whatsThis().isEmpty());
    }

    // The rotated-text box names the option it switches.
    void rotatedTextCaptionNamesItsOption()
    {
        auto* box = qobject_cast<QCheckBox*>(widget("epicRotatedText"));
        QVERIFY(box);
        QVERIFY(box->text().contains(QLatin1String("rotate"), Qt::CaseInsensitive));
    }

    void everyValueWidgetIsListed()
    {
        QSet<QString> listed;
        for (const WidgetRow& row : widgetRows)
            listed << QString::fromLatin1(row.name);
        const QList<QWidget*> all = dialog->findChildren<QWidget*>();
        for (QWidget* w : all) {
            const QString name = w->objectName();
            if (name.startsWith(QLatin1String("qt_")) || name.isEmpty())
                continue;
            const bool value = qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w)
                || qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w);
            if (value && w->parent() != form->buttonBox)
                QVERIFY2(listed.contains(name), qPrintable(name));
        }
    }

    void frame()
    {
        QCOMPARE(dialog->objectName(), QStringLiteral("ExportDlgForm"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Export figure"));
        QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
        QCOMPARE(dialog->minimumSize(), QSize(610, 680));
        QCOMPARE(dialog->maximumSize(), QSize(610, 680));
        QCOMPARE(dialog->locale(), QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(form->exportFormatList->minimumWidth(), 70);
        QCOMPARE(form->exportFormatList->maximumWidth(), 70);
        QCOMPARE(form->exportFormatList->count(), 0);
        QCOMPARE(form->groupBoxGeneral->minimumHeight(), 175);
        QCOMPARE(form->groupBoxGrid->minimumHeight(), 60);
        QCOMPARE(form->groupBoxCmdParams->minimumHeight(), 55);
        QCOMPARE(form->cbBackground->iconSize(), QSize(126, 18));
        QCOMPARE(form->cbBackground->count(), 0);
        QCOMPARE(form->buttonBox->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QVERIFY(!form->fig2devParameters->wordWrap());
        QVERIFY(form->fig2devParameters->textInteractionFlags() & Qt::TextSelectableByMouse);
        QVERIFY(form->fig2devParameters->textInteractionFlags() & Qt::TextSelectableByKeyboard);
        const QRect general[] = { form->groupBoxMagnification->geometry(), form->groupBoxLayers->geometry(),
            form->groupBoxBorderWidth->geometry(), form->groupBoxBackground->geometry() };
        QCOMPARE(general[0], QRect(10, 24, 121, 55));
        QCOMPARE(general[1], QRect(10, 84, 161, 80));
        QCOMPARE(general[2], QRect(180, 84, 150, 80));
        QCOMPARE(general[3], QRect(340, 84, 159, 80));
        QCOMPARE(form->btFitToPage->maximumSize(), QSize(100, 22));
        QCOMPARE(form->lbFigureSize->parentWidget(), form->btFitToPage->parentWidget());
        QCOMPARE(form->lbFigureSize->parentWidget()->geometry(), QRect(140, 24, 359, 55));
    }

    void pagesInOrderWithThePaperPageFirstShown()
    {
        QCOMPARE(form->stackedWidget->count(), 24);
        for (int i = 0; i < 24; ++i)
            QCOMPARE(form->stackedWidget->widget(i)->objectName(), QString::fromLatin1(pageNames[i]));
        QCOMPARE(form->stackedWidget->currentIndex(), 13);
        // The Map and Metafile pages hold nothing.
        QVERIFY(form->stackedWidget->widget(7)->findChildren<QWidget*>().isEmpty());
        QVERIFY(form->stackedWidget->widget(8)->findChildren<QWidget*>().isEmpty());
    }

    // Exclusive groups: checking one button clears the others.
    void exclusiveButtons_data()
    {
        QTest::addColumn<QStringList>("group");
        QTest::newRow("layers") << QStringList { "rbExportAll", "rbExportOnlyActive" };
        QTest::newRow("bitmap formats") << QStringList { "rbGif", "rbJpeg", "rbPcx", "rbPng", "rbPpm", "rbTiff",
            "rbXbm", "rbXpm" };
        QTest::newRow("bounding box") << QStringList { "rbBoundingBox1", "rbBoundingBox2", "rbBoundingBox3" };
    }
    void exclusiveButtons()
    {
        QFETCH(QStringList, group);
        for (const QString& chosen : group) {
            auto* button = dialog->findChild<QRadioButton*>(chosen);
            QVERIFY(button);
            button->click();
            for (const QString& other : group)
                QCOMPARE(dialog->findChild<QRadioButton*>(other)->isChecked(), other == chosen);
        }
    }

    // Spin boxes keep their values inside their ranges and take a decimal
    // point whatever the system locale says.
    void rangesHoldAndPointIsTheSeparator()
    {
        form->magnification->setValue(20000);
        QCOMPARE(form->magnification->value(), 10000);
        form->borderWidth->setValue(-5);
        QCOMPARE(form->borderWidth->value(), 0);
        form->pdfxOffset->setValue(150);
        QCOMPARE(form->pdfxOffset->value(), 99);
        form->boundingBoxWX->setValue(120.5);
        QCOMPARE(form->boundingBoxWX->value(), 99.99);
        QCOMPARE(form->arrowDivide->locale().decimalPoint(), QLatin1Char('.'));
        QCOMPARE(form->arrowDivide->text(), QStringLiteral("1.00"));
    }
};

TAVREL_TEST_MAIN(TestExportForm)
#include "tst_exportform.moc"
