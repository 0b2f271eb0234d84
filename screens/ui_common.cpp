#include "screens/ui_common.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

// The pictures are compiled into the static screens library, which the linker would
// leave out unless something refers to them; the picture functions do.
static void InitPictureResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    (void)done;
}

namespace tw {

namespace {
MessageSink &Sink()
{
    static MessageSink sink;
    return sink;
}
} // namespace

void ShowMessage(QWidget *parent, const QString &text)
{
    if (Sink()) {
        Sink()(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tallowin"), text, QMessageBox::Ok, parent);
    box.exec();
}

void SetMessageSink(MessageSink sink)
{
    Sink() = std::move(sink);
}

QSize DialogUnitsToPixels(const QFont &font, int widthUnits, int heightUnits)
{
    const QFontMetrics fm(font);
    // The average width of the Latin letters, as dialog templates measure it.
    const int baseX
        = (fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 + 1) / 2;
    const int baseY = fm.height();
    return {(widthUnits * baseX + 2) / 4, (heightUnits * baseY + 4) / 8};
}

namespace {

// The content's own need: its layout's minimum, and the height its wrapped texts need at
// the width it gets.
QSize ContentSize(QWidget *window, QSize minimum)
{
    QSize wanted = minimum;
    if (QLayout *layout = window->layout()) {
        layout->activate();
        wanted = wanted.expandedTo(layout->totalMinimumSize());
        if (layout->hasHeightForWidth())
            wanted.setHeight(std::max(wanted.height(), layout->totalHeightForWidth(wanted.width())));
    }
    return wanted;
}

// Moves the window's layout, with its controls, into a scroll area that fills the window.
void ScrollContent(QWidget *window, QSize content)
{
    auto *inner = new QWidget;
    inner->setObjectName(QStringLiteral("scrolledContent"));
    inner->setLayout(window->layout()); // takes the layout and its widgets from the window
    inner->setMinimumSize(content);
    auto *area = new QScrollArea(window);
    area->setObjectName(QStringLiteral("screenScrollArea"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(inner);
    auto *outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(area);
}

class CScreenFit : public QObject {
public:
    CScreenFit(QWidget *window, QSize minimum, bool fixed)
        : QObject(window)
        , window_(window)
        , minimum_(minimum)
        , fixed_(fixed)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The first show is when the window knows its screen and its final content.
        if (watched == window_ && event->type() == QEvent::Show) {
            window_->removeEventFilter(this);
            Fit();
            deleteLater();
        }
        return false;
    }

private:
    void Fit()
    {
        const QSize wanted = ContentSize(window_, minimum_);
        const QSize room = ScreenRoom(window_);
        if (wanted.width() <= room.width() && wanted.height() <= room.height()) {
            if (fixed_) {
                window_->setFixedSize(wanted);
            } else {
                window_->setMinimumSize(wanted);
                window_->resize(wanted.expandedTo(window_->size()).boundedTo(room));
            }
            return;
        }
        window_->setMinimumSize(0, 0);
        window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (window_->layout())
            ScrollContent(window_, wanted);
        // Room for a scroll bar beside or below the content that still fits one way.
        const int bar = window_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        QSize size = wanted;
        if (wanted.height() > room.height())
            size.rwidth() += bar;
        if (wanted.width() > room.width())
            size.rheight() += bar;
        window_->resize(size.boundedTo(room));
        window_->move(window_->screen()->availableGeometry().topLeft());
    }

    QWidget *window_;
    QSize minimum_;
    bool fixed_;
};

} // namespace

QSize ScreenRoom(const QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    const QSize available = screen->availableGeometry().size();
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return {available.width(), available.height() - titleBar};
}

void FitWindowToScreen(QWidget *window, QSize minimum, bool fixed)
{
    new CScreenFit(window, minimum, fixed);
}

QPixmap LogoPixmap()
{
    InitPictureResources();
    return QPixmap(QStringLiteral(":/pictures/logo.png"));
}

QPixmap IntroPixmap()
{
    InitPictureResources();
    return QPixmap(QStringLiteral(":/pictures/intro.png"));
}

QPixmap AppIconPixmap()
{
    InitPictureResources();
    return QPixmap(QStringLiteral(":/pictures/tallowin.png"));
}

} // namespace tw
