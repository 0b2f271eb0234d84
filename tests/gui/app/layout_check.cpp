#include "tests/gui/app/layout_check.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>
#include <QWidget>

#include <algorithm>

namespace tw {

namespace {

QString Name(const QWidget *w)
{
    const QString name = w->objectName().isEmpty() ? QStringLiteral("(unnamed)") : w->objectName();
    return QStringLiteral("%1 %2").arg(QString::fromLatin1(w->metaObject()->className()), name);
}

QString Size(QSize s)
{
    return QStringLiteral("%1x%2").arg(s.width()).arg(s.height());
}

// Inside a scroll area a child may lie outside what is visible, since the user scrolls to
// it; it must still lie inside the scrolled content. The scrolled content itself may be
// larger than its window: that is why it scrolls.
QWidget *Frame(QWidget *w, QWidget *window)
{
    for (QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget()) {
        auto *area = qobject_cast<QScrollArea *>(p->parentWidget());
        if (area && area->viewport() == p)
            return w == area->widget() ? nullptr : area->widget();
    }
    return window;
}

// A control's own text, when it has one that must be read whole.
QString ControlFault(const QWidget *w, bool sideways)
{
    if (auto *label = qobject_cast<const QLabel *>(w)) {
        if (label->wordWrap() && !label->text().isEmpty()) {
            const int needed = label->heightForWidth(label->width());
            if (label->height() < needed)
                return QStringLiteral("wrapped text needs %1 px of height, has %2").arg(needed).arg(label->height());
            return {};
        }
        const QSize hint = label->sizeHint();
        if (label->width() < hint.width() || label->height() < hint.height())
            return QStringLiteral("needs %1, has %2").arg(Size(hint), Size(label->size()));
        return {};
    }
    if (auto *tool = qobject_cast<const QToolButton *>(w); tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
        return {};
    if (auto *button = qobject_cast<const QAbstractButton *>(w)) {
        const QFontMetrics fm = button->fontMetrics();
        const int text = fm.horizontalAdvance(QString(button->text()).remove(QLatin1Char('&')));
        if (button->width() < text + 4 || button->height() < fm.height())
            return QStringLiteral("text needs %1x%2, has %3").arg(text + 4).arg(fm.height()).arg(Size(button->size()));
        // What a scrolled window's edge leaves of it: scrolling down may bring a button into
        // view, but a caption cut at the side stays cut.
        int left = 0, right = button->width();
        for (const QWidget *p = button->parentWidget(); p; p = p->parentWidget()) {
            const int x = button->mapTo(p, QPoint(0, 0)).x();
            left = std::max(left, -x);
            right = std::min(right, p->width() - x);
            if (p->isWindow())
                break;
        }
        if (!sideways && right - left < text + 4)
            return QStringLiteral("caption needs %1 px, %2 px of it are in view")
                .arg(text + 4)
                .arg(std::max(right - left, 0));
        return {};
    }
    if (auto *edit = qobject_cast<const QLineEdit *>(w)) {
        const QFontMetrics fm = edit->fontMetrics();
        const int frame = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
        const int room = edit->width() - 2 * frame - 4;
        if (fm.horizontalAdvance(edit->text()) > room)
            return QStringLiteral("text \"%1\" needs %2 px, has %3")
                .arg(edit->text())
                .arg(fm.horizontalAdvance(edit->text()))
                .arg(room);
        if (edit->height() < fm.height() + 2 * frame)
            return QStringLiteral("needs %1 px of height, has %2").arg(fm.height() + 2 * frame).arg(edit->height());
        return {};
    }
    if (auto *combo = qobject_cast<const QComboBox *>(w)) {
        if (combo->height() < combo->minimumSizeHint().height())
            return QStringLiteral("needs %1 px of height, has %2")
                .arg(combo->minimumSizeHint().height())
                .arg(combo->height());
    }
    return {};
}

} // namespace

QStringList LayoutFaults(QWidget *window, bool sideways)
{
    QStringList faults;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window) || w->isWindow())
            continue;
        QWidget *frame = Frame(w, window);
        const QRect r = frame ? QRect(w->mapTo(frame, QPoint(0, 0)), w->size()) : QRect();
        if (frame && !frame->rect().contains(r))
            faults << QStringLiteral("%1 lies outside its window (%2,%3 %4 in %5)")
                          .arg(Name(w))
                          .arg(r.x())
                          .arg(r.y())
                          .arg(Size(r.size()), Size(frame->size()));
        if (const QString fault = ControlFault(w, sideways); !fault.isEmpty())
            faults << QStringLiteral("%1 is clipped: %2").arg(Name(w), fault);
        // Forms and texts wrap to the window; only tables and page views scroll sideways.
        auto *area = qobject_cast<QAbstractScrollArea *>(w);
        if (!sideways && area && (qobject_cast<QScrollArea *>(w) || qobject_cast<QTextEdit *>(w))
            && area->horizontalScrollBar()->maximum() > 0)
            faults << QStringLiteral("%1 needs a horizontal scroll bar (%2 px wider than its view)")
                          .arg(Name(w))
                          .arg(area->horizontalScrollBar()->maximum());
    }
    if (const QScreen *screen = window->screen()) {
        const QRect available = screen->availableGeometry();
        if (window->width() > available.width() || window->height() > available.height())
            faults << QStringLiteral("%1 is %2, larger than the screen's %3")
                          .arg(Name(window), Size(window->size()), Size(available.size()));
    }
    return faults;
}

} // namespace tw
