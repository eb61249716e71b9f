#pragma once
// What a form's contents need: the least size its layout can show them at,
// with wrapped texts measured at the form's present width, on whichever
// page of its stacks (tab pages too) needs most. A form keeps the size it
// was given where that is enough and grows to this where not.

#include <QLayout>
#include <QSize>
#include <QStackedWidget>
#include <QWidget>

inline QSize formNeed(const QWidget& form)
{
    QLayout* layout = form.layout();
    if (!layout)
        return QSize(0, 0);
    QSize need = layout->totalMinimumSize();
    const auto measure = [&] {
        layout->invalidate();
        if (layout->hasHeightForWidth())
            need.setHeight(qMax(need.height(), layout->totalHeightForWidth(form.width())));
    };
    measure();
    for (QStackedWidget* stack : form.findChildren<QStackedWidget*>()) {
        const int current = stack->currentIndex();
        for (int i = 0; i < stack->count(); ++i) {
            stack->setCurrentIndex(i);
            measure();
        }
        stack->setCurrentIndex(current);
    }
    return need;
}

// The given size, or larger where the contents need more.
inline QSize sizeOrNeed(const QWidget& form, const QSize& given)
{
    return given.expandedTo(formNeed(form));
}
