#include "export/paperpage.h"

#include "app/preferences.h"
#include "export/exportoptions.h"
#include "export/exportrun.h"
#include "model/figcontext.h"
#include "model/figformat.h"
#include "model/units.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include <utility>

void fillPaperList(QComboBox* list)
{
    for (const PaperSize& paper : paperSizes)
        list->addItem(QString::fromLatin1(paper.label));
}

QString paperOptionName(int row)
{
    if (row < 0 || row >= paperSizeCount)
        return QString();
    return QString::fromLatin1(paperSizes[row].figName).trimmed();
}

void takeDocumentPage(const PaperPageWidgets& page, const CFigContext& context)
{
    page.paper->setCurrentIndex(context.paperIndex);
    page.orientation->setCurrentIndex(context.landscape ? 1 : 0);
    page.justification->setCurrentIndex(context.flushLeft ? 1 : 0);
    page.pages->setCurrentIndex(context.multiplePages ? 1 : 0);
}

void enablePaperPage(const PaperPageWidgets& page, bool enabled)
{
    for (QWidget* widget : { static_cast<QWidget*>(page.paper), static_cast<QWidget*>(page.orientation),
             static_cast<QWidget*>(page.justification), static_cast<QWidget*>(page.pages),
             static_cast<QWidget*>(page.overlap), static_cast<QWidget*>(page.preview),
             static_cast<QWidget*>(page.grayscale), static_cast<QWidget*>(page.title),
             static_cast<QWidget*>(page.xOffset), static_cast<QWidget*>(page.yOffset) }) {
        if (widget)
            widget->setEnabled(enabled);
    }
}

QString paperPageOptions(const PaperPageWidgets& page)
{
    QString options;
    if (preferences.fontBase72dpi)
        options += QStringLiteral(" -F");
    options += QStringLiteral(" -z ") + paperOptionName(page.paper->currentIndex());
    options += page.orientation->currentIndex() == 0 ? QStringLiteral(" -p foo") : QStringLiteral(" -l foo");
    options += page.justification->currentIndex() == 0 ? QStringLiteral(" -c") : QStringLiteral(" -e");
    if (page.pages->currentIndex() == 1) {
        page.overlap->setEnabled(true);
        options += QStringLiteral(" -M");
        if (page.overlap->checkState() != Qt::Unchecked)
            options += QStringLiteral(" -O");
    } else {
        page.overlap->setEnabled(false);
    }
    if (page.preview) {
        switch (page.preview->currentIndex()) {
        case 1:
            options += QStringLiteral(" -A");
            break;
        case 2:
            options += QStringLiteral(" -T");
            break;
        case 3:
            options += QStringLiteral(" -C foo");
            break;
        default:
            break;
        }
    }
    if (page.grayscale->checkState() == Qt::Checked)
        options += QStringLiteral(" -N");
    if (!page.title->text().isEmpty())
        options += QStringLiteral(" -n ") + quotedOption(page.title->text());
    if (page.xOffset->value() != 0)
        options += QStringLiteral(" -x %1").arg(page.xOffset->value());
    if (page.yOffset->value() != 0)
        options += QStringLiteral(" -y %1").arg(page.yOffset->value());
    return options;
}

int fitToPageMagnification(CFigContext& context, int paperRow)
{
    if (paperRow < 0 || paperRow >= paperSizeCount)
        return -1;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    context.getObjectListBounds(&context.drawing.objects, left, top, right, bottom, false, true, true);
    // The paper in true inches, the drawing as fig2dev draws it.
    const double scale = 1200.0 / drawnFigUnitsPerInch(context.metric);
    const double w = (right - left) * scale;
    const double h = (bottom - top) * scale;
    if (w == 0 || h == 0)
        return -1;
    double pw = paperSizes[paperRow].width - 1200;
    double ph = paperSizes[paperRow].height - 1200;
    if (context.landscape)
        std::swap(pw, ph);
    return roundToInt(ph / h > pw / w ? pw * 100 / w : ph * 100 / h);
}
