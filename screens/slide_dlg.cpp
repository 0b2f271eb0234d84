#include "screens/slide_dlg.h"

#include "docs/placeholders.h"
#include "rules/result_codes.h"
#include "screens/rich_text_view.h"
#include "screens/screen_frame.h"
#include "rules/slide_paging.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

CSlideDlg::CSlideDlg(QWidget *parent, CClientRecord *record, int slideNumber)
    : QDialog(parent)
    , record_(record)
    , slide_(slideNumber)
{
    setObjectName(QStringLiteral("slideDlg"));
    SetUpScreen(this, 397, 241);

    view_ = new CRichTextView(this);
    view_->setObjectName(QStringLiteral("richText"));
    view_->setAccessibleName(QStringLiteral("Slide"));

    auto *backButton = MakeButton(QStringLiteral("<- &Back"), "backButton", this);
    continueButton_ = MakeButton(QStringLiteral("&Continue ->"), "continueButton", this);
    continueButton_->setDefault(true);
    connect(backButton, &QPushButton::clicked, this, &CSlideDlg::OnBack);
    connect(continueButton_, &QPushButton::clicked, this, &CSlideDlg::OnContinue);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(MakeLogoLabel(this), 0, Qt::AlignBottom);
    bottom->addStretch(1);
    bottom->addWidget(backButton, 0, Qt::AlignVCenter);
    bottom->addSpacing(GapPixels(this));
    bottom->addWidget(continueButton_, 0, Qt::AlignVCenter);

    auto *layout = new QVBoxLayout(this);
    const int margin = MarginPixels(this);
    layout->setContentsMargins(margin, margin, margin, GapPixels(this));
    layout->setSpacing(GapPixels(this));
    layout->addWidget(view_, 1);
    layout->addLayout(bottom);

    ShowSlide();
}

void CSlideDlg::ShowSlide()
{
    view_->Clear();
    if (record_)
        view_->SetDocument(LoadSlide(DocumentDirectory(), slide_, *record_));
    continueButton_->setFocus(Qt::OtherFocusReason);
}

void CSlideDlg::OnContinue()
{
    const SlideMove move = ContinueFromSlide(slide_);
    if (move.kind == SlideMove::Show) {
        slide_ = move.value;
        ShowSlide();
    } else if (move.kind == SlideMove::Close) {
        done(move.value);
    }
}

void CSlideDlg::OnBack()
{
    const SlideMove move = BackFromSlide(slide_);
    if (move.kind == SlideMove::Show) {
        slide_ = move.value;
        ShowSlide();
    } else if (move.kind == SlideMove::Close) {
        done(move.value);
    }
}

void CSlideDlg::reject()
{
    done(kResultCancel);
}

} // namespace tw
