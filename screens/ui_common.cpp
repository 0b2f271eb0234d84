#include "screens/ui_common.h"

#include <QFontMetrics>
#include <QMessageBox>

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
