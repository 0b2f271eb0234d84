#include "entry/vendor_dlg.h"

#include "format/dates.h"
#include "record/client_record.h"
#include "record/profile_store.h"
#include "rules/result_codes.h"
#include "screens/ui_common.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

namespace {

void AddPair(QGridLayout *grid, QWidget *parent, const char *label, QWidget *edit, int row, int column, int span = 1)
{
    grid->addWidget(MakeFieldLabel(parent, QString::fromUtf8(label), edit), row, column);
    grid->addWidget(edit, row, column + 1, 1, span);
}

std::string LocalToday()
{
    const QDate today = QDate::currentDate();
    return DateText(today.month(), today.day(), today.year());
}

} // namespace

CVendorEntryDlg::CVendorEntryDlg(QWidget *parent, CClientRecord *record, CProfileStore *profile, std::string today)
    : QDialog(parent)
    , record_(record)
    , profile_(profile)
{
    setObjectName(QStringLiteral("vendorEntryDlg"));

    using F = VendorField;
    using V = VendorForm;
    auto add = [this](QWidget *parent, F id, std::string V::*member, const char *name) {
        return edits_.Add(parent, id, member, name);
    };

    auto *personal = MakeGroupBox(this, QStringLiteral("Personal Information:"));
    auto *pg = new QGridLayout(personal);
    SetBoxMargins(pg);
    pg->setColumnStretch(1, 3);
    pg->setColumnStretch(3, 2);
    pg->setColumnStretch(5, 1);
    // Created in the order the Tab key walks them.
    QLineEdit *firstName1 = add(personal, F::FirstName1, &V::firstName1, "firstName1Edit");
    QLineEdit *lastName1 = add(personal, F::LastName1, &V::lastName1, "lastName1Edit");
    QLineEdit *firstName2 = add(personal, F::FirstName2, &V::firstName2, "firstName2Edit");
    QLineEdit *lastName2 = add(personal, F::LastName2, &V::lastName2, "lastName2Edit");
    QLineEdit *address = add(personal, F::Address, &V::address, "addressEdit");
    QLineEdit *city = add(personal, F::City, &V::city, "cityEdit");
    QLineEdit *state = add(personal, F::State, &V::state, "stateEdit");
    QLineEdit *zip = add(personal, F::Zip, &V::zip, "zipEdit");
    QLineEdit *homePhone = add(personal, F::HomePhone, &V::homePhone, "homePhoneEdit");
    QLineEdit *workPhone1 = add(personal, F::WorkPhone1, &V::workPhone1, "workPhone1Edit");
    QLineEdit *workPhone2 = add(personal, F::WorkPhone2, &V::workPhone2, "workPhone2Edit");
    // Every label gives its field a name and an Alt letter; the repeated labels of the second
    // borrower and the second work phone take a later letter of their caption.
    AddPair(pg, personal, "&First Name:", firstName1, 0, 0);
    AddPair(pg, personal, "&Last Name:", lastName1, 0, 2, 3);
    AddPair(pg, personal, "F&irst Name:", firstName2, 1, 0);
    AddPair(pg, personal, "Last &Name:", lastName2, 1, 2, 3);
    AddPair(pg, personal, "&Address:", address, 2, 0, 5);
    AddPair(pg, personal, "Cit&y:", city, 3, 0);
    AddPair(pg, personal, "&State:", state, 3, 2);
    AddPair(pg, personal, "&Zip:", zip, 3, 4);
    AddPair(pg, personal, "&Home Phone:", homePhone, 4, 0);
    AddPair(pg, personal, "&Work Phone:", workPhone1, 5, 0);
    AddPair(pg, personal, "Wor&k Phone:", workPhone2, 5, 2, 3);
    SetMinimumText(zip, QStringLiteral("00000-0000"));

    auto *mortgage = MakeGroupBox(this, QStringLiteral("Mortgage Information:"));
    auto *mg = new QGridLayout(mortgage);
    SetBoxMargins(mg);
    mg->setColumnStretch(1, 1);
    mg->setColumnStretch(3, 1);
    QLineEdit *term = add(mortgage, F::Term, &V::term, "termEdit");
    QLineEdit *firstPaymentDate = add(mortgage, F::FirstPaymentDate, &V::firstPaymentDate, "firstPaymentDateEdit");
    QLineEdit *amount = add(mortgage, F::Amount, &V::amount, "amountEdit");
    QLineEdit *currentDate = add(mortgage, F::CurrentDate, &V::currentDate, "currentDateEdit");
    QLineEdit *currentPayment = add(mortgage, F::CurrentPayment, &V::currentPayment, "currentPaymentEdit");
    variable_
        = new QCheckBox(QStringLiteral("&Variable (Check this box if you have a variable interest rate)"), mortgage);
    variable_->setObjectName(QStringLiteral("variableCheck"));
    variable_->setProperty("controlId", static_cast<int>(F::Variable));
    QLineEdit *lowestRate = add(mortgage, F::LowestRate, &V::lowestRate, "lowestRateEdit");
    QLineEdit *highestRate = add(mortgage, F::HighestRate, &V::highestRate, "highestRateEdit");
    for (QLineEdit *e : {term, firstPaymentDate, amount, currentDate, currentPayment, lowestRate, highestRate})
        SetMinimumText(e, QStringLiteral("00/00/0000"));
    AddPair(mg, mortgage, "&Term (Years):", term, 0, 0);
    AddPair(mg, mortgage, "Loan Start &Date:", firstPaymentDate, 0, 2);
    AddPair(mg, mortgage, "Loan A&mount:", amount, 1, 0);
    AddPair(mg, mortgage, "C&urrent Date:", currentDate, 1, 2);
    AddPair(mg, mortgage, "Current &Payment:", currentPayment, 2, 0);
    mg->addWidget(variable_, 3, 0, 1, 4);
    AddPair(mg, mortgage, "Fixed or L&owest Rate:", lowestRate, 4, 0);
    AddPair(mg, mortgage, "Hi&ghest Rate:", highestRate, 4, 2);

    // Close keeps Alt+C, the key users try first to leave a form; Clear, which empties it,
    // answers to Alt+E so that neither key does the other's work.
    clear_ = MakeButton(this, QStringLiteral("Cl&ear"), "clearButton", 1183);
    print_ = MakeButton(this, QStringLiteral("P&rint"), "printButton", 1182);
    close_ = MakeButton(this, QStringLiteral("&Close"), "closeButton", 1083);
    print_->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(MakeLogo(this), 0, Qt::AlignLeft | Qt::AlignBottom);
    buttons->addStretch(1);
    for (QPushButton *b : {clear_, print_, close_})
        buttons->addWidget(b, 0, Qt::AlignBottom);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(personal);
    layout->addWidget(mortgage, 1);
    layout->addLayout(buttons);

    edits_.Show(VendorFormFromRecord(*record_, today.empty() ? LocalToday() : today));
    variable_->setChecked(!record_->Analysis.HighestRateText.empty());
    highestRate->setEnabled(variable_->isChecked());

    connect(variable_, &QCheckBox::toggled, this, &CVendorEntryDlg::OnVariableToggled);
    connect(clear_, &QPushButton::clicked, this, &CVendorEntryDlg::OnClear);
    connect(print_, &QPushButton::clicked, this, &CVendorEntryDlg::OnPrint);
    connect(close_, &QPushButton::clicked, this, &CVendorEntryDlg::reject);

    FinishEntryDialog(this, 322, 236);
    setWindowTitle(QStringLiteral("Vendor Data Entry"));
    firstName1->setFocus(Qt::OtherFocusReason);
}

VendorForm CVendorEntryDlg::Form() const
{
    VendorForm form;
    edits_.Read(form);
    form.variable = variable_->isChecked();
    return form;
}

QWidget *CVendorEntryDlg::FieldControl(VendorField field) const
{
    if (field == VendorField::Variable)
        return variable_;
    return edits_.Control(field);
}

void CVendorEntryDlg::OnVariableToggled(bool ticked)
{
    QLineEdit *highest = edits_.Control(VendorField::HighestRate);
    if (!ticked)
        highest->clear();
    highest->setEnabled(ticked);
}

void CVendorEntryDlg::OnClear()
{
    VendorForm form = Form();
    ClearVendorForm(form);
    edits_.Show(form);
}

void CVendorEntryDlg::Refuse(const VendorFailure &failure)
{
    ShowMessage(this, QString::fromStdString(failure.message));
    FocusField(FieldControl(failure.field));
}

void CVendorEntryDlg::OnPrint()
{
    if (auto failure = ApplyVendorForm(Form(), *record_)) {
        Refuse(*failure);
        return;
    }
    // The form keeps the loan as typed, so a term of 45 or an amount the engine declines
    // would otherwise print a letter of zeros or of the previous client's figures.
    if (auto failure = CheckVendorLoanCanRun(*record_)) {
        Refuse(*failure);
        return;
    }
    if (!SaveRecordOrSay(this, *record_, profile_))
        return;
    done(kResultYes);
}

void CVendorEntryDlg::reject()
{
    done(kResultCancel);
}

void CVendorEntryDlg::closeEvent(QCloseEvent *event)
{
    done(kResultCancel);
    event->accept();
}

} // namespace tw
