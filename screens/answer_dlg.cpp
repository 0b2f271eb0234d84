#include "screens/answer_dlg.h"

#include "docs/placeholders.h"
#include "screens/additional_dlg.h"
#include "rules/result_codes.h"
#include "screens/rich_text_view.h"
#include "screens/screen_frame.h"
#include "screens/ui_common.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

namespace {
constexpr int kAnswerWithAdditional = 9;
}

CAnswerDlg::CAnswerDlg(QWidget *parent, int answerNumber, CClientRecord *record)
    : QDialog(parent)
    , answer_(answerNumber)
    , record_(record)
{
    setObjectName(QStringLiteral("answerDlg"));
    SetUpScreen(this, 397, 242);

    auto *view = new CRichTextView(this);
    view->setObjectName(QStringLiteral("richText"));
    view->setAccessibleName(QStringLiteral("Answer"));

    auto *okButton = MakeButton(QStringLiteral("&Ok"), "okButton", this, 1);
    okButton->setDefault(true);
    auto *additionalButton = MakeButton(QStringLiteral("&Additional"), "additionalButton", this);
    QSizePolicy keepPlace = additionalButton->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    additionalButton->setSizePolicy(keepPlace);
    additionalButton->setVisible(answer_ == kAnswerWithAdditional);
    connect(okButton, &QPushButton::clicked, this, [this] { done(kResultForward); });
    connect(additionalButton, &QPushButton::clicked, this, &CAnswerDlg::OnAdditional);

    // Ok stands in the middle: the logo's column and the Additional button's column
    // are kept equally wide.
    auto *bottom = new QGridLayout;
    auto *logo = MakeLogoLabel(this);
    bottom->addWidget(logo, 0, 0, Qt::AlignLeft | Qt::AlignBottom);
    bottom->addWidget(okButton, 0, 1, Qt::AlignCenter);
    bottom->addWidget(additionalButton, 0, 2, Qt::AlignRight | Qt::AlignVCenter);
    const int side = std::max(logo->width(), additionalButton->sizeHint().width());
    bottom->setColumnMinimumWidth(0, side);
    bottom->setColumnMinimumWidth(2, side);
    bottom->setColumnStretch(0, 1);
    bottom->setColumnStretch(2, 1);

    auto *layout = new QVBoxLayout(this);
    const int margin = MarginPixels(this);
    layout->setContentsMargins(margin, margin, margin, GapPixels(this));
    layout->setSpacing(GapPixels(this));
    layout->addWidget(view, 1);
    layout->addLayout(bottom);

    if (record_)
        view->SetDocument(LoadAnswer(DocumentDirectory(), answer_, *record_));
    okButton->setFocus(Qt::OtherFocusReason);
}

void CAnswerDlg::OnAdditional()
{
    CAdditionalPaymentDlg comparison(this, record_);
    comparison.exec();
    done(kResultForward);
}

void CAnswerDlg::reject()
{
    done(kResultCancel);
}

} // namespace tw
