#include "dialogs/formfit.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

#include <functional>

namespace formfit {

int comboNeed(const QComboBox* combo)
{
    const QFontMetrics fm = combo->fontMetrics();
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i) {
        const QString text = combo->itemText(i);
        if (text.isEmpty())
            continue;
        int need = fm.horizontalAdvance(text);
        if (!combo->itemIcon(i).isNull())
            need += combo->iconSize().width() + 4;
        widest = qMax(widest, need);
    }
    if (widest == 0)
        return 0;
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    return combo->style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(widest, fm.height()), combo).width();
}

namespace {

// What a push button's text needs: the text (and icon) beside the style's
// margins across, the lines of the text within the frame down.
QSize buttonTextNeed(const QPushButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    const QStyle* style = button->style();
    const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    const int frame = 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
    int width = text.width();
    if (!button->icon().isNull())
        width += button->iconSize().width() + 4;
    width += style->pixelMetric(QStyle::PM_ButtonMargin, &option, button) + frame;
    if (button->autoDefault())
        width += 2 * style->pixelMetric(QStyle::PM_ButtonDefaultIndicator, &option, button);
    return QSize(width, text.height() + frame);
}

// Lets every push button with text shrink down to what its text needs: the
// style's minimum button width is a wish, and a row of buttons that keeps
// it can push a form past its size.
void letButtonsShrink(QWidget* form)
{
    for (QPushButton* button : form->findChildren<QPushButton*>()) {
        if (button->text().isEmpty() || button->minimumWidth() > 0)
            continue;
        button->setMinimumWidth(buttonTextNeed(button).width());
    }
}


// Layouts of a form not yet shown keep the sizes they measured: measure
// again from the innermost out.
void forgetMeasures(QWidget* form)
{
    const QList<QWidget*> widgets = form->findChildren<QWidget*>();
    for (auto it = widgets.crbegin(); it != widgets.crend(); ++it) {
        if (QLayout* layout = (*it)->layout())
            layout->invalidate();
        (*it)->updateGeometry();
    }
    if (form->layout())
        form->layout()->invalidate();
}

} // namespace

void widenFields(QWidget* form)
{
    const QList<QWidget*> widgets = form->findChildren<QWidget*>();
    // The fields first, so that the containers then measure them anew.
    for (QWidget* w : widgets) {
        int need = 0;
        // Combo boxes of icons alone keep the width their form gives.
        if (auto* combo = qobject_cast<QComboBox*>(w))
            need = comboNeed(combo);
        // A number field shows its prefix and suffix too.
        else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w))
            need = spin->sizeHint().width();
        // A button's limits give way to its text, across and down (a fixed
        // height stays fixed, at the larger font's height).
        else if (auto* button = qobject_cast<QPushButton*>(w); button && !button->text().isEmpty()) {
            const QSize text = buttonTextNeed(button);
            if (w->maximumWidth() < text.width())
                w->setMaximumWidth(text.width());
            if (w->maximumHeight() < text.height()) {
                if (w->minimumHeight() == w->maximumHeight())
                    w->setMinimumHeight(text.height());
                w->setMaximumHeight(text.height());
            }
        }
        if (need == 0)
            continue;
        // A least height given in the form holds the field's text whole.
        if (w->minimumHeight() > 0 && w->minimumHeight() < w->minimumSizeHint().height())
            w->setMinimumHeight(w->minimumSizeHint().height());
        w->setMinimumWidth(qMax(w->minimumWidth(), need));
        if (w->maximumWidth() < need)
            w->setMaximumWidth(need);
    }
    forgetMeasures(form);
    for (QWidget* w : widgets) {
        // Only what shows a text or holds others: icon buttons keep their
        // exact squares.
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (!w->layout() && !qobject_cast<QLabel*>(w) && !(button && !button->text().isEmpty()))
            continue;
        if (button) {
            // Its text's own need, as letButtonsShrink gave it.
            if (w->maximumWidth() < w->minimumWidth())
                w->setMaximumWidth(w->minimumWidth());
            continue;
        }
        const QSize need = w->minimumSizeHint();
        // A minimum given in the form replaces a group's own measure in
        // layouts: never let it be the smaller one.
        if (w->minimumWidth() > 0 && w->minimumWidth() < need.width())
            w->setMinimumWidth(need.width());
        if (w->minimumHeight() > 0 && w->minimumHeight() < need.height())
            w->setMinimumHeight(need.height());
        if (w->maximumWidth() < need.width())
            w->setMaximumWidth(need.width());
        if (w->maximumHeight() < need.height())
            w->setMaximumHeight(need.height());
    }
    forgetMeasures(form);
}

namespace {

// Runs `run` as the form is, then with each page of each of its stacks (tab
// pages too) shown in turn; each stack shows its own page again after.
void onEveryPage(QWidget* form, const std::function<void()>& run)
{
    run();
    for (QStackedWidget* stack : form->findChildren<QStackedWidget*>()) {
        const int current = stack->currentIndex();
        for (int i = 0; i < stack->count(); ++i) {
            stack->setCurrentIndex(i);
            run();
        }
        stack->setCurrentIndex(current);
    }
}

// The size, minimum and maximum raised where the layout needs more.
void growToNeed(QWidget* form)
{
    QLayout* layout = form->layout();
    layout->activate();
    QSize min = form->minimumSize();
    QSize max = form->maximumSize();
    QSize size = form->size();
    const QSize need = layout->totalMinimumSize();

    const bool fixedWidth = min.width() == max.width();
    if (max.width() < need.width()) {
        max.setWidth(need.width());
        if (fixedWidth)
            min.setWidth(need.width());
    }
    size.setWidth(qBound(min.width(), qMax(size.width(), need.width()), max.width()));

    // Wrapped texts need more height the narrower the form is; those of a
    // stack's page count only while it is shown, so each page is measured
    // shown in turn.
    int needHeight = need.height();
    const auto measure = [&] {
        forgetMeasures(form);
        if (layout->hasHeightForWidth())
            needHeight = qMax(needHeight, layout->totalHeightForWidth(size.width()));
    };
    onEveryPage(form, measure);
    forgetMeasures(form);
    const bool fixedHeight = min.height() == max.height();
    if (max.height() < needHeight) {
        max.setHeight(needHeight);
        if (fixedHeight)
            min.setHeight(needHeight);
    }
    size.setHeight(qBound(min.height(), qMax(size.height(), needHeight), max.height()));

    form->setMinimumSize(min);
    form->setMaximumSize(max);
    form->resize(size);
}

// Lays the form out at its size, as showing it would, every layout from
// the outside in.
void layOut(QWidget* form)
{
    form->layout()->activate();
    for (QWidget* w : form->findChildren<QWidget*>()) {
        if (w->layout())
            w->layout()->activate();
    }
}

// A wrapped label that a layout holds lower than its lines need at the
// width it gets keeps that height as its minimum; on every page of every
// stack (tab pages too). True when one grew.
bool heightenWrappedLabels(QWidget* form)
{
    bool grew = false;
    const auto check = [form, &grew] {
        layOut(form);
        for (QLabel* label : form->findChildren<QLabel*>()) {
            if (!label->wordWrap() || label->text().isEmpty() || !label->isVisibleTo(form))
                continue;
            const int need = label->heightForWidth(label->width());
            if (label->height() < need && label->minimumHeight() < need) {
                label->setMinimumHeight(need);
                grew = true;
            }
        }
    };
    onEveryPage(form, check);
    return grew;
}

} // namespace

void fitToContents(QWidget* form)
{
    letButtonsShrink(form);
    widenFields(form);
    if (!form->layout())
        return;
    growToNeed(form);
    if (heightenWrappedLabels(form)) {
        forgetMeasures(form);
        growToNeed(form);
    }
}

} // namespace formfit
