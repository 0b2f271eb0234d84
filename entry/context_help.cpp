#include "entry/context_help.h"

#include "record/program_paths.h"

#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QTextDocument>
#include <QWhatsThis>
#include <QWidget>

#include <optional>

namespace tw {

namespace {

struct HelpState {
    QString path; // empty: beside the program
    std::optional<CHelpTexts> texts;
    HelpPopupSink sink;
};

HelpState &State()
{
    static HelpState state;
    return state;
}

} // namespace

QString HelpFilePath()
{
    if (!State().path.isEmpty())
        return State().path;
    return QString::fromStdString(DataDirectory()) + QString::fromUtf8(kHelpFileName.data(), kHelpFileName.size());
}

void SetHelpFilePath(const QString &path)
{
    State().path = path;
    State().texts.reset();
}

const CHelpTexts &SharedHelpTexts()
{
    HelpState &state = State();
    if (!state.texts)
        state.texts = CHelpTexts::FromFile(HelpFilePath().toStdString());
    return *state.texts;
}

void SetHelpPopupSink(HelpPopupSink sink)
{
    State().sink = std::move(sink);
}

void ShowHelpPopup(QWidget *control, const QString &text)
{
    if (State().sink) {
        State().sink(control, text);
        return;
    }
    // Just below the control, so the pop-up does not hide what is typed in it.
    QWhatsThis::showText(
        control->mapToGlobal(QPoint(control->width() / 4, control->height())), HelpPopupText(text), control);
}

QString HelpPopupText(const QString &topic)
{
    // The topic is plain text: a "<" in it must show as it stands. Kept as ordinary
    // blanks (not the non-breaking ones of preformatted text), they are where the
    // pop-up wraps; otherwise it can only break inside words. A line break at the end
    // would show as an empty last line.
    QString text = topic;
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    QString html = text.toHtmlEscaped();
    html.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    return QStringLiteral("<p>") + html + QStringLiteral("</p>");
}

CContextHelp::CContextHelp(QDialog *dialog, int dialogId)
    : QObject(dialog)
    , dialog_(dialog)
    , dialogId_(dialogId)
{
    // F1 arrives here when the focused control does not take it itself.
    dialog->installEventFilter(this);
}

void CContextHelp::Add(QWidget *control, int controlId)
{
    entries_.push_back({control, controlId});
    control->installEventFilter(this);
    // A screen reader reads this out as the control's help, so it stays plain text; the
    // pop-up of F1 lays the same topic out as rich text.
    control->setWhatsThis(QString::fromStdString(SharedHelpTexts().TextFor(HelpContextId(dialogId_, controlId))));
}

const CContextHelp::Entry *CContextHelp::Find(const QWidget *widget) const
{
    // A control's inner parts (a spin box's editor, say) count as the control.
    for (; widget && widget != dialog_; widget = widget->parentWidget()) {
        for (const Entry &e : entries_) {
            if (e.control == widget)
                return &e;
        }
    }
    return nullptr;
}

QString CContextHelp::TextFor(const QWidget *widget) const
{
    const Entry *e = Find(widget);
    if (!e)
        return QString::fromUtf8(kNoHelpText.data(), kNoHelpText.size());
    return QString::fromStdString(SharedHelpTexts().TextFor(HelpContextId(dialogId_, e->controlId)));
}

void CContextHelp::ShowFor(QWidget *widget) const
{
    const Entry *e = Find(widget);
    QWidget *at = e ? e->control.data() : widget;
    if (!at)
        at = dialog_;
    ShowHelpPopup(at, TextFor(widget));
}

bool CContextHelp::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget)
        return false;
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            QWidget *focus = widget == dialog_ ? dialog_->focusWidget() : widget;
            ShowFor(focus ? focus : dialog_);
            return true;
        }
    } else if (event->type() == QEvent::ContextMenu && widget != dialog_ && Find(widget)) {
        ShowFor(widget);
        return true;
    }
    return false;
}

} // namespace tw
