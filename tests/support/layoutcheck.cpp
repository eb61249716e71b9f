#include "support/layoutcheck.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSizeGrip>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTextDocument>

namespace layoutcheck {

namespace {

QString plainText(const QLabel* label)
{
    if (label->textFormat() == Qt::RichText
        || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()))) {
        QTextDocument document;
        document.setHtml(label->text());
        return document.toPlainText();
    }
    return label->text();
}

} // namespace

QString describe(const QWidget* w)
{
    QString text;
    if (auto* label = qobject_cast<const QLabel*>(w))
        text = label->text();
    else if (auto* button = qobject_cast<const QAbstractButton*>(w))
        text = button->text();
    else if (auto* group = qobject_cast<const QGroupBox*>(w))
        text = group->title();
    else if (auto* combo = qobject_cast<const QComboBox*>(w))
        text = combo->currentText();
    return QStringLiteral("%1 %2 \"%3\" at %4,%5 %6x%7")
        .arg(QLatin1String(w->metaObject()->className()), w->objectName(), text.left(40))
        .arg(w->x())
        .arg(w->y())
        .arg(w->width())
        .arg(w->height());
}

// What the widget needs to show its text whole, compared with what it has.
void checkText(QWidget* w, QStringList& faults)
{
    const QFontMetrics fm = w->fontMetrics();
    const auto tooSmall = [&](const QSize& need, const QSize& has) {
        if (need.width() > has.width() || need.height() > has.height())
            faults << QStringLiteral("%1 needs %2x%3").arg(describe(w)).arg(need.width()).arg(need.height());
    };
    if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->text().isEmpty())
            return;
        if (!label->wordWrap()) {
            tooSmall(label->sizeHint(), label->size());
            return;
        }
        // Wrapped: every word on a line of its own at most, all lines shown.
        const int margin = label->margin() * 2 + label->contentsMargins().left() + label->contentsMargins().right();
        for (const QString& word : plainText(label).split(QRegularExpression(QStringLiteral("\\s+"))))
            tooSmall(QSize(fm.horizontalAdvance(word) + margin, 0), label->size());
        tooSmall(QSize(0, label->heightForWidth(label->width())), label->size());
        return;
    }
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
        // Indicator, gap and text side by side; all lines of the text.
        const QString text = static_cast<QAbstractButton*>(w)->text();
        if (!text.isEmpty())
            tooSmall(QSize(w->sizeHint().width(), fm.size(Qt::TextShowMnemonic, text).height()), w->size());
        return;
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        if (button->text().isEmpty())
            return;
        // The style's own need without its minimum button width.
        QStyleOptionButton option;
        option.initFrom(button);
        QSize contents = fm.size(Qt::TextShowMnemonic, button->text());
        if (!button->icon().isNull())
            contents.rwidth() += button->iconSize().width() + 4;
        const QStyle* style = button->style();
        const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button) * 2;
        const int indicator
            = button->autoDefault() ? style->pixelMetric(QStyle::PM_ButtonDefaultIndicator, &option, button) * 2 : 0;
        const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, &option, button);
        // Across: the style's margins; down: the line of text itself, as
        // buttons of a fixed height draw it over their frame.
        tooSmall(QSize(contents.width() + margin + frame + indicator, contents.height()), button->size());
        return;
    }
    if (auto* group = qobject_cast<QGroupBox*>(w)) {
        if (!group->title().isEmpty())
            tooSmall(QSize(fm.horizontalAdvance(group->title()), fm.height()), group->contentsRect().size());
        return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        // Every entry, as the closed box shows it: icon, gap and text.
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
            return;
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.frame = combo->hasFrame();
        const QSize need
            = combo->style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(widest, fm.height()), combo);
        tooSmall(QSize(need.width(), fm.height()), combo->size());
        return;
    }
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
        // The widest of the range's ends with prefix, suffix and decimals:
        // what the spin box itself asks of its style.
        tooSmall(QSize(spin->sizeHint().width(), 0), spin->size());
    }
}

bool isComposite(const QWidget* w)
{
    return qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w)
        || qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QTabBar*>(w)
        || qobject_cast<const QLineEdit*>(w) || qobject_cast<const QScrollBar*>(w)
        || (qobject_cast<const QAbstractScrollArea*>(w) && !qobject_cast<const QScrollArea*>(w));
}

namespace {

void walk(QWidget* parent, QStringList& faults)
{
    QList<QWidget*> shown;
    const auto* area = qobject_cast<QAbstractScrollArea*>(parent->parentWidget());
    const bool scrolled = area && area->viewport() == parent;
    for (QObject* object : parent->children()) {
        auto* w = qobject_cast<QWidget*>(object);
        if (!w || w->isWindow() || !w->isVisible() || qobject_cast<QSizeGrip*>(w))
            continue;
        if (!scrolled && !parent->rect().contains(w->geometry()))
            faults << QStringLiteral("%1 reaches out of %2").arg(describe(w), describe(parent));
        for (QWidget* other : shown) {
            if (other->geometry().intersects(w->geometry()))
                faults << QStringLiteral("%1 overlaps %2").arg(describe(w), describe(other));
        }
        shown << w;
        checkText(w, faults);
        if (!isComposite(w))
            walk(w, faults);
    }
}

} // namespace

QStringList shownFaults(QWidget* top)
{
    QApplication::processEvents();
    QStringList faults;
    walk(top, faults);
    faults.removeDuplicates();
    return faults;
}

QStringList layoutFaults(QWidget* top)
{
    QApplication::processEvents();
    QStringList faults;
    walk(top, faults);
    for (QStackedWidget* stack : top->findChildren<QStackedWidget*>()) {
        if (!stack->isVisible())
            continue;
        const int current = stack->currentIndex();
        for (int i = 0; i < stack->count(); ++i) {
            if (i == current)
                continue;
            stack->setCurrentIndex(i);
            QApplication::processEvents();
            checkText(stack->widget(i), faults);
            walk(stack->widget(i), faults);
        }
        stack->setCurrentIndex(current);
    }
    faults.removeDuplicates();
    return faults;
}

QByteArray report(const QStringList& faults)
{
    for (const QString& fault : faults)
        qWarning().noquote() << fault;
    return QByteArray::number(faults.size()) + " texts or fields not shown whole";
}

} // namespace layoutcheck
