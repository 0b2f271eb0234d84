#include "app/intro_dlg.h"

#include "rules/result_codes.h"
#include "screens/ui_common.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

CIntroDlg::CIntroDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("introDialog"));
    setProperty("dialogId", 143);
    setWindowTitle(QStringLiteral("Tallowin"));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("introPicture"));
    picture->setProperty("controlId", 1064);
    picture->setPixmap(IntroPixmap());
    picture->setFixedSize(295, 180);

    auto *cont = new QPushButton(QStringLiteral("&Continue ->"), this);
    cont->setObjectName(QStringLiteral("continueButton"));
    cont->setProperty("controlId", 1128);
    cont->setDefault(true);
    connect(cont, &QPushButton::clicked, this, [this] { done(kResultYes); });

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(cont);
    buttonRow->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    layout->addLayout(buttonRow);
    layout->addStretch(1);

    const QSize size = DialogUnitsToPixels(font(), 210, 148).expandedTo(layout->sizeHint());
    resize(size);
    FitWindowToScreen(this, size, true);
}

void CIntroDlg::reject()
{
    done(kResultCancel);
}

} // namespace tw
