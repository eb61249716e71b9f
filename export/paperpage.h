#pragma once
// The paper page that the PDF and PostScript formats share: paper size,
// orientation, justification, pages, grayscale, title and offsets (the
// PostScript page adds a preview list). The options objects hand their own
// page's widgets; this code owns none of them.

#include <QString>

class CFigContext;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

struct PaperPageWidgets {
    QComboBox* paper;
    QComboBox* orientation;
    QComboBox* justification;
    QComboBox* pages;
    QCheckBox* overlap;
    QComboBox* preview; // null on the PDF page
    QCheckBox* grayscale;
    QLineEdit* title;
    QSpinBox* xOffset;
    QSpinBox* yOffset;
};

// Fills a paper list with the labels of the paper table, in table order.
void fillPaperList(QComboBox* list);
// The paper name fig2dev takes for a row of the paper table (without the
// blanks that pad some names); empty for a row outside the table.
QString paperOptionName(int row);

// The document's paper size, orientation, justification and pages.
void takeDocumentPage(const PaperPageWidgets& page, const CFigContext& context);
// Enables or disables every widget of the page.
void enablePaperPage(const PaperPageWidgets& page, bool enabled);
// The page's options after the common ones, each beginning with a blank:
// font base, paper, orientation, justification, pages, preview, grayscale,
// title and offsets. Also enables the overlap box only for multiple pages.
QString paperPageOptions(const PaperPageWidgets& page);

// The magnification in percent that fits the drawing (with line widths and
// arrows) on the paper of that row less one inch each way, in the
// document's orientation; -1 for an empty drawing or one without width or
// height.
int fitToPageMagnification(CFigContext& context, int paperRow);
