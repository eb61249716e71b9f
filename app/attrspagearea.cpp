#include "app/attrspagearea.h"

#include <QLayout>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>

AttrsPageArea::AttrsPageArea(QStackedWidget* stack, QWidget* parent)
    : QScrollArea(parent)
    , stack(stack)
{
    setObjectName(QStringLiteral("attrsPageArea"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The area sizes the stack itself: to the shown page, not the tallest.
    setWidgetResizable(false);
    stack->layout()->setSizeConstraint(QLayout::SetNoConstraint);
    stack->setMinimumSize(0, 0);
    setWidget(stack);
    setFixedWidth(pagesWidth());
    connect(stack, &QStackedWidget::currentChanged, this, &AttrsPageArea::fitStack);
    for (int i = 0; i < stack->count(); ++i)
        stack->widget(i)->installEventFilter(this);
    fitStack();
}

QSize AttrsPageArea::sizeHint() const
{
    return QSize(width(), tallestPage());
}

QSize AttrsPageArea::minimumSizeHint() const
{
    return QSize(width(), QScrollArea::minimumSizeHint().height());
}

void AttrsPageArea::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    fitStack();
}

bool AttrsPageArea::eventFilter(QObject* watched, QEvent* event)
{
    // The page lays itself out on this event: measure it afterwards.
    if (event->type() == QEvent::LayoutRequest)
        QMetaObject::invokeMethod(this, &AttrsPageArea::fitStack, Qt::QueuedConnection);
    return QScrollArea::eventFilter(watched, event);
}

int AttrsPageArea::pagesWidth() const
{
    int widest = 0;
    for (int i = 0; i < stack->count(); ++i)
        widest = qMax(widest, stack->widget(i)->sizeHint().expandedTo(stack->widget(i)->minimumSizeHint()).width());
    return widest;
}

namespace {

// The height the page's widgets need at the given width (wrapped labels
// need more lines the narrower they are).
int pageNeed(const QWidget* page, int width)
{
    int need = page->minimumSizeHint().height();
    if (page->hasHeightForWidth())
        need = qMax(need, page->heightForWidth(width));
    return need;
}

} // namespace

int AttrsPageArea::tallestPage() const
{
    const int width = pagesWidth();
    int tallest = 0;
    for (int i = 0; i < stack->count(); ++i)
        tallest = qMax(tallest, pageNeed(stack->widget(i), width));
    return tallest;
}

void AttrsPageArea::fitStack()
{
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
    const int pages = pagesWidth();
    const int total = pages + (tallestPage() > height() ? bar : 0);
    if (width() != total)
        setFixedWidth(total);
    QWidget* page = stack->currentWidget();
    const int need = page ? pageNeed(page, pages) : 0;
    const int stackWidth = need > height() ? total - bar : total;
    stack->resize(stackWidth, qMax(height(), need));
}
