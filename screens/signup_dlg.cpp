#include "screens/signup_dlg.h"

#include "docs/placeholders.h"
#include "record/client_record.h"
#include "rules/result_codes.h"
#include "screens/rich_text_view.h"
#include "screens/screen_frame.h"
#include "screens/screen_texts.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

CSignUpDlg::CSignUpDlg(QWidget *parent, CClientRecord *record)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("signUpDlg"));
    SetUpScreen(this, 397, 242);
    const int margin = MarginPixels(this);
    const int gap = GapPixels(this);

    auto *view = new CRichTextView(this);
    view->setObjectName(QStringLiteral("richText"));
    view->setAccessibleName(QStringLiteral("Sign up"));

    auto *backButton = MakeButton(QStringLiteral("<- &Back"), "backButton", this);
    auto *yesButton = MakeButton(QStringLiteral("&YES"), "yesButton", this);
    yesButton->setDefault(true);
    auto *noButton = MakeButton(QStringLiteral("&NO"), "noButton", this);
    connect(backButton, &QPushButton::clicked, this, [this] { done(kResultBack); });
    connect(yesButton, &QPushButton::clicked, this, [this] { done(kResultYes); });
    connect(noButton, &QPushButton::clicked, this, [this] { done(kResultForward); });

    auto *yesText = new QLabel(QStringLiteral("I WANT TO TRY YOUR FREE SERVICE WITH NO OBLIGATION"), this);
    yesText->setObjectName(QStringLiteral("yesText"));
    auto *noText = new QLabel(record ? SignUpNoText(record->Analysis) : QString(), this);
    noText->setObjectName(QStringLiteral("noText"));
    for (QLabel *label : {yesText, noText}) {
        label->setTextFormat(Qt::PlainText);
        // A wide font or a large figure wraps the text rather than widening the screen.
        label->setWordWrap(true);
    }

    // Two rows: Back and YES with its text, then NO below YES with its text; the logo
    // at the bottom left, under Back.
    auto *choices = new QGridLayout;
    choices->setHorizontalSpacing(gap * 2);
    choices->setVerticalSpacing(gap);
    choices->addWidget(backButton, 0, 0);
    choices->addWidget(yesButton, 0, 1);
    choices->addWidget(yesText, 0, 2);
    choices->addWidget(MakeLogoLabel(this), 1, 0, Qt::AlignLeft | Qt::AlignBottom);
    choices->addWidget(noButton, 1, 1, Qt::AlignVCenter);
    choices->addWidget(noText, 1, 2, Qt::AlignVCenter);
    choices->setColumnStretch(2, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin, margin, gap);
    layout->setSpacing(gap);
    layout->addWidget(view, 1);
    layout->addLayout(choices);

    if (record)
        view->SetDocument(LoadSignUp(DocumentDirectory(), *record));
    yesButton->setFocus(Qt::OtherFocusReason);
}

void CSignUpDlg::reject()
{
    done(kResultCancel);
}

} // namespace tw
