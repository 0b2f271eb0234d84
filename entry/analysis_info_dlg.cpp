#include "entry/analysis_info_dlg.h"

#include "entry/context_help.h"
#include "format/dates.h"
#include "record/client_record.h"
#include "rules/result_codes.h"
#include "screens/ui_common.h"

#include <QCheckBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <tuple>

namespace tw {

namespace {

const char *const kIntroText
    = "The analysis is completely confidential, and only takes a few minutes. Please enter the following "
      "information and your savings will be calculated. If you need help with your entry press the [F1] key "
      "for further information on the selected field.";
const char *const kRateNote
    = "Please Note:  If your mortgage is a variable rate, the values reflected are averages for your loan.";

} // namespace

CAnalysisInfoDlg::CAnalysisInfoDlg(QWidget *parent, CClientRecord *record, CProfileStore *profile)
    : QDialog(parent)
    , record_(record)
    , profile_(profile)
{
    setObjectName(QStringLiteral("analysisInfoDlg"));

    auto *intro = MakeLabel(this, QString::fromUtf8(kIntroText), true);
    intro->setObjectName(QStringLiteral("introText"));

    auto *box = MakeGroupBox(this, QStringLiteral("Analysis Information:"));
    auto *grid = new QGridLayout(box);
    SetBoxMargins(grid);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    // Created in the order the Tab key walks them.
    firstName_ = MakeEdit(box, "firstNameEdit", 1009);
    lastName_ = MakeEdit(box, "lastNameEdit", 1013);
    term_ = MakeEdit(box, "termEdit", 1023);
    firstPaymentDate_ = MakeEdit(box, "firstPaymentDateEdit", 1031);
    amount_ = MakeEdit(box, "amountEdit", 1018);
    currentPayment_ = MakeEdit(box, "currentPaymentEdit", 1182);
    currentDate_ = MakeEdit(box, "currentDateEdit", 1181);

    auto *rateBox = MakeGroupBox(box, QStringLiteral("Interest Rate:"));
    auto *rateGrid = new QGridLayout(rateBox);
    SetBoxMargins(rateGrid);
    variable_ = new QCheckBox(QStringLiteral("&Variable"), rateBox);
    variable_->setObjectName(QStringLiteral("variableCheck"));
    variable_->setProperty("controlId", 1067);
    lowestRate_ = MakeEdit(rateBox, "lowestRateEdit", 1025);
    highestRate_ = MakeEdit(rateBox, "highestRateEdit", 1027);

    auto *names = new QHBoxLayout;
    names->addWidget(MakeFieldLabel(box, QStringLiteral("&First Name:"), firstName_));
    names->addWidget(firstName_, 1);
    names->addSpacing(8);
    names->addWidget(MakeFieldLabel(box, QStringLiteral("&Last Name:"), lastName_));
    names->addWidget(lastName_, 1);
    grid->addLayout(names, 0, 0, 1, 2);

    // Each label's note stands on a line of its own under it, free to run on under the
    // edit, so the edits keep room for a whole date or amount.
    auto *loan = new QGridLayout;
    loan->setVerticalSpacing(2);
    const std::tuple<const char *, const char *, QLineEdit *> loanRows[] = {
        {"&Term (Years):", nullptr, term_},
        {"Date of First &Payment:", "(In the form MM/DD/YYYY)", firstPaymentDate_},
        {"Loan &Amount:", nullptr, amount_},
        {"C&urrent Payment:", "(Including Taxes and Insurance)", currentPayment_},
        {"Current &Date:", "(Please change if Incorrect)", currentDate_},
    };
    int row = 0;
    for (const auto &[label, note, edit] : loanRows) {
        if (row > 0)
            loan->setRowMinimumHeight(row++, 4);
        loan->addWidget(MakeFieldLabel(box, QString::fromUtf8(label), edit), row, 0);
        loan->addWidget(edit, row, 1);
        SetMinimumText(edit, QStringLiteral("00/00/0000"));
        ++row;
        if (note)
            loan->addWidget(MakeLabel(box, QString::fromUtf8(note)), row++, 0, 1, 2);
    }
    loan->setRowStretch(row, 1);
    grid->addLayout(loan, 1, 0);
    grid->addWidget(rateBox, 1, 1);

    auto *variableNote
        = MakeLabel(rateBox, QStringLiteral("(Check this box if you have a variable interest rate)"), true);
    auto *rateNote = MakeLabel(rateBox, QString::fromUtf8(kRateNote), true);
    rateNote->setObjectName(QStringLiteral("rateNote"));
    rateGrid->setColumnStretch(1, 1);
    SetMinimumText(lowestRate_, QStringLiteral("00.000"));
    SetMinimumText(highestRate_, QStringLiteral("00.000"));
    rateGrid->addWidget(variable_, 0, 0, 1, 2);
    rateGrid->addWidget(variableNote, 1, 0, 1, 2);
    rateGrid->addWidget(MakeFieldLabel(rateBox, QStringLiteral("Fixed or L&owest Rate:"), lowestRate_), 2, 0);
    rateGrid->addWidget(lowestRate_, 2, 1);
    rateGrid->addWidget(MakeFieldLabel(rateBox, QStringLiteral("&Highest Rate:"), highestRate_), 3, 0);
    rateGrid->addWidget(highestRate_, 3, 1);
    rateGrid->addWidget(rateNote, 4, 0, 1, 2);
    rateGrid->setRowStretch(5, 1);

    back_ = MakeButton(this, QStringLiteral("<- &Back"), "backButton", 1053);
    continue_ = MakeButton(this, QStringLiteral("&Continue ->"), "continueButton", 1);
    continue_->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(box, 1);
    layout->addLayout(MakeButtonRow(this, back_, continue_));

    help_ = new CContextHelp(this, kDialogId);
    for (QWidget *w : std::initializer_list<QWidget *> {
             term_, firstPaymentDate_, amount_, variable_, lowestRate_, highestRate_, currentDate_})
        help_->Add(w, w->property("controlId").toInt());

    // The record's loan as typed; the current date is always today's, never the stored one.
    const LoanAnalysis &a = record_->Analysis;
    texts_.Show(firstName_, record_->FirstName1);
    texts_.Show(lastName_, record_->LastName1);
    texts_.Show(firstPaymentDate_, a.FirstPaymentDate);
    texts_.Show(term_, a.TermText);
    texts_.Show(amount_, a.AmountText);
    texts_.Show(currentPayment_, a.CurrentPaymentText);
    texts_.Show(lowestRate_, a.LowestRateText);
    texts_.Show(highestRate_, a.HighestRateText);
    variable_->setChecked(a.VariableFlag != 0);
    highestRate_->setEnabled(variable_->isChecked());
    const QDate today = QDate::currentDate();
    currentDate_->setText(QString::fromStdString(DateText(today.month(), today.day(), today.year())));

    connect(variable_, &QCheckBox::toggled, highestRate_, &QWidget::setEnabled);
    connect(back_, &QPushButton::clicked, this, &CAnalysisInfoDlg::OnBack);
    connect(continue_, &QPushButton::clicked, this, &CAnalysisInfoDlg::OnContinue);

    FinishEntryDialog(this, 299, 237);
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    firstName_->setFocus(Qt::OtherFocusReason);
}

AnalysisForm CAnalysisInfoDlg::Form() const
{
    AnalysisForm f;
    f.currentDate = texts_.Read(currentDate_);
    f.firstName = texts_.Read(firstName_);
    f.lastName = texts_.Read(lastName_);
    f.firstPaymentDate = texts_.Read(firstPaymentDate_);
    f.term = texts_.Read(term_);
    f.amount = texts_.Read(amount_);
    f.currentPayment = texts_.Read(currentPayment_);
    f.variable = variable_->isChecked();
    f.lowestRate = texts_.Read(lowestRate_);
    f.highestRate = texts_.Read(highestRate_);
    return f;
}

QWidget *CAnalysisInfoDlg::FieldControl(AnalysisField field) const
{
    switch (field) {
    case AnalysisField::CurrentDate:
        return currentDate_;
    case AnalysisField::FirstName:
        return firstName_;
    case AnalysisField::LastName:
        return lastName_;
    case AnalysisField::FirstPaymentDate:
        return firstPaymentDate_;
    case AnalysisField::Term:
        return term_;
    case AnalysisField::Amount:
        return amount_;
    case AnalysisField::CurrentPayment:
        return currentPayment_;
    case AnalysisField::LowestRate:
        return lowestRate_;
    case AnalysisField::HighestRate:
        return highestRate_;
    }
    return nullptr;
}

void CAnalysisInfoDlg::Refuse(const AnalysisCheckFailure &failure)
{
    ShowMessage(this, QString::fromStdString(failure.message));
    FocusField(FieldControl(failure.field));
}

void CAnalysisInfoDlg::OnContinue()
{
    Leave(kResultYes);
}

void CAnalysisInfoDlg::Leave(int result)
{
    if (auto failure = ApplyAnalysisForm(Form(), *record_)) {
        Refuse(*failure);
        return;
    }
    // Dates outside the debit calendar or a loan the engine declines would only fail
    // later, after the client has watched the slides; say so while the field is here.
    if (auto failure = CheckAnalysisCanRun(record_->Analysis)) {
        Refuse(*failure);
        return;
    }
    if (!SaveRecordOrSay(this, *record_, profile_))
        return;
    done(result);
}

void CAnalysisInfoDlg::OnBack()
{
    done(kResultBack);
}

void CAnalysisInfoDlg::reject()
{
    // The wizard goes on to the results however this screen is left, so leaving it
    // passes the same checks as Continue.
    Leave(kResultCancel);
}

} // namespace tw
