#include "screens/additional_dlg.h"

#include "record/client_record.h"
#include "rules/result_codes.h"
#include "screens/screen_frame.h"
#include "screens/screen_texts.h"
#include "screens/ui_common.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

namespace {

// Object names and control ids of the figure fields, by row: normal, additional, difference.
struct FieldIds {
    const char *key;
    int normal;
    int additional;
    int difference;
};
constexpr FieldIds kFields[kComparisonRows] = {
    {"YearsToPayOff", 1080, 1039, 1047},
    {"InterestSavings", 1031, 1040, 1048},
    {"PaymentsEliminated", 1033, 1041, 1049},
    {"TotalPaymentSavings", 1055, 1056, 1057},
    {"Equity5", 1034, 1042, 1050},
    {"Equity10", 1035, 1043, 1051},
    {"AverageMonthlySavings", 1036, 1044, 1052},
    {"AverageYearlySavings", 1037, 1045, 1053},
    {"CashAvailable", 1038, 1046, 1054},
};
constexpr const char *kColumnNames[3] = {"normal", "additional", "difference"};

LoanAnalysis &AnalysisOf(CClientRecord *record, std::unique_ptr<LoanAnalysis> &spare)
{
    if (record)
        return record->Analysis;
    spare = std::make_unique<LoanAnalysis>();
    return *spare;
}

} // namespace

CAdditionalPaymentDlg::CAdditionalPaymentDlg(QWidget *parent, CClientRecord *record)
    : QDialog(parent)
    , session_(AnalysisOf(record, spare_))
{
    setObjectName(QStringLiteral("additionalPaymentDlg"));
    SetUpScreen(this, 350, 224);
    const int margin = MarginPixels(this);
    const int gap = GapPixels(this);

    auto *amountLabel = new QLabel(QStringLiteral("Additional Payment:"), this);
    amountEdit_ = new QLineEdit(this);
    amountEdit_->setObjectName(QStringLiteral("additionalPaymentEdit"));
    amountEdit_->setProperty("controlId", 1032);
    amountEdit_->setMaxLength(19);
    amountEdit_->setFixedWidth(DialogUnitsToPixels(font(), 60, 12).width());
    amountLabel->setBuddy(amountEdit_);
    auto *recalculate = MakeButton(QStringLiteral("&ReCalculate"), "recalculateButton", this, 1183);
    // Enter after typing an amount shows its figures; keeping it takes the Ok button.
    recalculate->setDefault(true);
    connect(recalculate, &QPushButton::clicked, this, &CAdditionalPaymentDlg::OnRecalculate);

    auto *amountRow = new QHBoxLayout;
    amountRow->addWidget(amountLabel);
    amountRow->addWidget(amountEdit_);
    amountRow->addSpacing(gap * 2);
    amountRow->addWidget(recalculate);
    amountRow->addStretch(1);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(gap * 2);
    grid->setVerticalSpacing(gap);
    const QString headings[3]
        = {QStringLiteral("Normal Bi-Weekly"), QStringLiteral("Additional Payment"), QStringLiteral("Difference")};
    const int valueWidth = DialogUnitsToPixels(font(), 62, 12).width();
    for (int c = 0; c < 3; ++c) {
        auto *heading = new QLabel(headings[c], this);
        heading->setObjectName(QString::fromLatin1(kColumnNames[c]) + QStringLiteral("Heading"));
        QFont f = heading->font();
        f.setBold(true);
        heading->setFont(f);
        grid->addWidget(heading, 0, c + 1, Qt::AlignCenter);
    }
    for (int r = 0; r < kComparisonRows; ++r) {
        auto *label = new QLabel(ComparisonRowLabels()[r], this);
        grid->addWidget(label, r + 1, 0);
        const int ids[3] = {kFields[r].normal, kFields[r].additional, kFields[r].difference};
        for (int c = 0; c < 3; ++c) {
            auto *edit = new QLineEdit(this);
            edit->setObjectName(QString::fromLatin1(kColumnNames[c]) + QString::fromLatin1(kFields[r].key));
            edit->setProperty("controlId", ids[c]);
            edit->setReadOnly(true);
            edit->setFocusPolicy(Qt::NoFocus);
            edit->setAlignment(Qt::AlignRight);
            edit->setFixedWidth(valueWidth);
            grid->addWidget(edit, r + 1, c + 1);
            columns_[c][r] = edit;
        }
    }
    grid->setColumnStretch(0, 1);

    auto *okButton = MakeButton(QStringLiteral("&Ok (Use Additional Pmt.)"), "okButton", this, 1);
    auto *exitButton = MakeButton(QStringLiteral("&Exit (Don't use additional Pmt.)"), "exitButton", this, 2);
    connect(okButton, &QPushButton::clicked, this, &CAdditionalPaymentDlg::accept);
    connect(exitButton, &QPushButton::clicked, this, &CAdditionalPaymentDlg::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addSpacing(gap * 2);
    buttons->addWidget(exitButton);
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(gap);
    layout->addLayout(amountRow);
    layout->addSpacing(gap * 2);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addSpacing(gap * 2);
    layout->addLayout(buttons);

    session_.Start();
    amountEdit_->setText(QString::fromLatin1(AdditionalPaymentSession::kStartAmountText));
    ShowFigures();
    amountEdit_->setFocus(Qt::OtherFocusReason);
    amountEdit_->selectAll();
}

CAdditionalPaymentDlg::~CAdditionalPaymentDlg() = default;

void CAdditionalPaymentDlg::ShowFigures()
{
    const std::array<QString, kComparisonRows> texts[3] = {
        ComparisonColumnTexts(session_.Plan()),
        ComparisonColumnTexts(session_.Comparison().additional),
        ComparisonColumnTexts(session_.Comparison().difference),
    };
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < kComparisonRows; ++r) {
            columns_[c][r]->setText(texts[c][r]);
            columns_[c][r]->setCursorPosition(0);
        }
    }
}

bool CAdditionalPaymentDlg::AmountIsUsable()
{
    const auto problem = CheckAdditionalAmount(amountEdit_->text().toStdString());
    if (!problem)
        return true;
    ShowMessage(this, QString::fromStdString(*problem));
    amountEdit_->setFocus(Qt::OtherFocusReason);
    amountEdit_->selectAll();
    return false;
}

void CAdditionalPaymentDlg::OnRecalculate()
{
    if (!AmountIsUsable())
        return;
    if (session_.Recalculate(amountEdit_->text().toStdString()))
        ShowFigures();
}

void CAdditionalPaymentDlg::accept()
{
    if (ended_ || !AmountIsUsable())
        return;
    ended_ = true;
    session_.Use(amountEdit_->text().toStdString());
    done(kResultYes);
}

void CAdditionalPaymentDlg::reject()
{
    if (ended_)
        return;
    ended_ = true;
    session_.Decline();
    done(kResultCancel);
}

} // namespace tw
