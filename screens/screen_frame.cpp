#include "screens/screen_frame.h"

#include "screens/ui_common.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace tw {

void SetUpScreen(QDialog *dialog, int widthUnits, int heightUnits)
{
    dialog->setWindowTitle(QStringLiteral("Tallowin"));
    dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    dialog->setModal(true);
    const QSize size = DialogUnitsToPixels(dialog->font(), widthUnits, heightUnits);
    dialog->resize(size);
    FitWindowToScreen(dialog, size);
}

QLabel *MakeLogoLabel(QWidget *parent)
{
    auto *logo = new QLabel(parent);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setPixmap(LogoPixmap());
    logo->setFixedSize(48, 48);
    return logo;
}

QPushButton *MakeButton(const QString &text, const char *objectName, QWidget *parent, int controlId)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    if (controlId != 0)
        button->setProperty("controlId", controlId);
    // Enter on a focused button presses that button; elsewhere it presses the
    // screen's default button.
    button->setAutoDefault(true);
    // The template's width, or the caption's where that is wider: an explicit minimum
    // would otherwise let a narrow window squeeze the caption.
    button->setMinimumWidth(std::max(DialogUnitsToPixels(button->font(), 50, 14).width(), button->sizeHint().width()));
    return button;
}

int MarginPixels(const QWidget *dialog)
{
    return DialogUnitsToPixels(dialog->font(), 7, 7).width();
}

int GapPixels(const QWidget *dialog)
{
    return DialogUnitsToPixels(dialog->font(), 4, 4).width();
}

} // namespace tw
