#pragma once
// What a form's contents need: the least size its layout can show them at,
// with wrapped texts measured at the form's present width. A form keeps the
// size it was given where that is enough and grows to this where not.

#include <QLayout>
#include <QSize>
#include <QWidget>

inline QSize formNeed(const QWidget& form)
{
    QLayout* layout = form.layout();
    if (!layout)
        return QSize(0, 0);
    QSize need = layout->totalMinimumSize();
    if (layout->hasHeightForWidth())
        need.setHeight(qMax(need.height(), layout->totalHeightForWidth(form.width())));
    return need;
}

// The given size, or larger where the contents need more.
inline QSize sizeOrNeed(const QWidget& form, const QSize& given)
{
    return given.expandedTo(formNeed(form));
}
