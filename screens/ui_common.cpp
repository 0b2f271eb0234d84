#include "screens/ui_common.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
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

QuestionSink &Questions()
{
    static QuestionSink sink;
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

bool AskYesNo(QWidget *parent, const QString &text)
{
    if (Questions())
        return Questions()(text);
    QMessageBox box(
        QMessageBox::Question, QStringLiteral("Tallowin"), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void SetQuestionSink(QuestionSink sink)
{
    Questions() = std::move(sink);
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

// The size the content takes within `room`: the template's size (`minimum`) where the
// room allows, never less than its layout's minimum, and the height its wrapped texts need
// at that width. The template's width is a wish a small screen or a large scale may
// refuse; the controls' own minimum is not, and texts wrap to what is left.
QSize ContentSize(QWidget *window, QSize minimum, QSize room)
{
    QLayout *layout = window->layout();
    if (!layout)
        return minimum;
    layout->activate();
    const QSize need = layout->totalMinimumSize();
    const int width = std::max(need.width(), std::min(minimum.width(), room.width()));
    int height = std::max(need.height(), std::min(minimum.height(), room.height()));
    if (layout->hasHeightForWidth())
        height = std::max(height, layout->totalHeightForWidth(width));
    return {width, height};
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
    // Only a frame for the controls, which take the focus in turn and are scrolled into
    // view: a screen reader would otherwise stop at a nameless pane.
    area->setFocusPolicy(Qt::NoFocus);
    area->setAccessibleName(window->windowTitle());
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
        // What does not fit the screen scrolls, and only up and down: the content takes at
        // most the room's width, less a vertical scroll bar when it is taller than the room.
        const QSize room = ScreenRoom(window_);
        const int bar = window_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        QSize content = ContentSize(window_, minimum_, room);
        if (content.height() > room.height())
            content = ContentSize(window_, minimum_, QSize(room.width() - bar, room.height()));
        if (content.width() <= room.width() && content.height() <= room.height()) {
            if (fixed_) {
                window_->setFixedSize(content);
            } else {
                window_->setMinimumSize(content);
                window_->resize(content.expandedTo(window_->size()).boundedTo(room));
            }
            return;
        }
        window_->setMinimumSize(0, 0);
        window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (window_->layout())
            ScrollContent(window_, content);
        QSize size = content;
        if (content.height() > room.height())
            size.rwidth() += bar;
        if (content.width() > room.width())
            size.rheight() += bar;
        window_->resize(size.boundedTo(room));
        window_->move(window_->screen()->availableGeometry().topLeft());
    }

    QWidget *window_;
    QSize minimum_;
    bool fixed_;
};

void GiveFocusBack(QWidget *under)
{
    if (!under->isVisible())
        return; // closed along with the dialog; its own window gets the focus
    if (QWidget *modal = QApplication::activeModalWidget(); modal && modal != under)
        return; // the next dialog is up and has the focus
    if (const QWidget *focus = QApplication::focusWidget(); focus && focus->window() == under)
        return;
    under->activateWindow();
    if (QWidget *last = under->focusWidget())
        last->setFocus(Qt::ActiveWindowFocusReason);
    else
        under->setFocus(Qt::ActiveWindowFocusReason);
}

class CFocusReturn : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Hide || !watched->isWidgetType())
            return false;
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (dialog && dialog->isWindow() && dialog->parentWidget()) {
            // Once the dialog's own close has run its course: a dialog that closes as it
            // ends another (an answer closing with its comparison) hides before its opener.
            QWidget *under = dialog->parentWidget()->window();
            QTimer::singleShot(0, under, [under] { GiveFocusBack(under); });
        }
        return false;
    }
};

} // namespace

void GiveFocusBackAfterDialogs()
{
    static QPointer<CFocusReturn> installed;
    if (!qApp || installed)
        return;
    installed = new CFocusReturn(qApp);
    qApp->installEventFilter(installed);
}

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
