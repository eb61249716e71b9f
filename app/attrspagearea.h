#pragma once
// The scrolled area that holds the attribute page stack in its tool bar.
// Where the window leaves the tool bar less height than the shown page
// needs, the page scrolls, so every widget of it stays reachable; where
// there is room the page shows whole and no scroll bar appears. The area is
// as wide as the widest page, plus a scroll bar's width while the tallest
// page does not fit: switching pages never moves the drawing area, and a
// scroll bar never covers a page.

#include <QScrollArea>

class QStackedWidget;

class AttrsPageArea : public QScrollArea {
    Q_OBJECT
public:
    // Takes the stack, whose pages are all added, as its widget.
    explicit AttrsPageArea(QStackedWidget* stack, QWidget* parent = nullptr);

    // Width of the widest page and height of the tallest page: what the
    // area asks for. At least one line of a page: what it can do with.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    // A page whose contents change (a label's new text) is measured anew.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The shown page fills the visible part and extends below it as far as
    // it needs; the width follows whether any page needs a scroll bar.
    void fitStack();
    int pagesWidth() const;
    int tallestPage() const;

    QStackedWidget* stack;
};
