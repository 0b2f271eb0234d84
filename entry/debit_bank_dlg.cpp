#include "entry/debit_bank_dlg.h"

#include "entry/context_help.h"
#include "record/client_record.h"
#include "rules/result_codes.h"
#include "screens/ui_common.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tw {

namespace {

const char *const kIntroText
    = "This is the last screen of information we need to accurately manage your mortgage.  If you need help "
      "with your entry press the [F1] key for further information on the selected field.";

QRadioButton *MakeRadio(QWidget *parent, const char *text, const char *name, int controlId)
{
    auto *radio = new QRadioButton(QString::fromUtf8(text), parent);
    radio->setObjectName(QString::fromLatin1(name));
    radio->setProperty("controlId", controlId);
    return radio;
}

} // namespace

CDebitBankDlg::CDebitBankDlg(QWidget *parent, CClientRecord *record, CProfileStore *profile)
    : QDialog(parent)
    , record_(record)
    , profile_(profile)
{
    setObjectName(QStringLiteral("debitBankDlg"));

    auto *intro = MakeLabel(this, QString::fromUtf8(kIntroText), true);
    intro->setObjectName(QStringLiteral("introText"));

    auto *box = MakeGroupBox(this, QStringLiteral("Debit Bank Information:"));
    auto *grid = new QGridLayout(box);
    SetBoxMargins(grid);
    grid->setColumnStretch(1, 4);
    grid->setColumnStretch(3, 4);
    grid->setColumnStretch(5, 2);

    using F = BankField;
    using B = BankForm;
    auto add
        = [this, box](F id, std::string B::*member, const char *name) { return edits_.Add(box, id, member, name); };
    // Created in the order the Tab key walks them.
    QLineEdit *name = add(F::Name, &B::name, "bankNameEdit");
    QLineEdit *address = add(F::Address, &B::address, "addressEdit");
    QLineEdit *city = add(F::City, &B::city, "cityEdit");
    QLineEdit *state = add(F::State, &B::state, "stateEdit");
    QLineEdit *zip = add(F::Zip, &B::zip, "zipEdit");
    QLineEdit *phone = add(F::Phone, &B::phone, "phoneEdit");
    QLineEdit *account = add(F::AccountNumber, &B::accountNumber, "accountNumberEdit");

    auto *typeBox = MakeGroupBox(box, QStringLiteral("Type of Account:"));
    checking_ = MakeRadio(typeBox, "C&hecking", "checkingRadio", 1036);
    savings_ = MakeRadio(typeBox, "&Savings", "savingsRadio", 1040);
    other_ = MakeRadio(typeBox, "&Other", "otherRadio", 1081);
    description_ = edits_.Add(typeBox, F::Description, &B::description, "descriptionEdit");
    // It has no label of its own: it stands beside Other.
    description_->setAccessibleName(QStringLiteral("Description of the other account type"));
    auto *typeRow = new QHBoxLayout(typeBox);
    typeRow->addWidget(checking_);
    typeRow->addSpacing(12);
    typeRow->addWidget(savings_);
    typeRow->addSpacing(12);
    typeRow->addWidget(other_);
    typeRow->addWidget(description_, 1);

    auto label
        = [box](const char *text, QWidget *field) { return MakeFieldLabel(box, QString::fromUtf8(text), field); };
    grid->addWidget(label("Name Of Ban&k:", name), 0, 0);
    grid->addWidget(name, 0, 1, 1, 5);
    grid->addWidget(label("&Address:", address), 1, 0);
    grid->addWidget(address, 1, 1, 1, 5);
    grid->addWidget(label("Cit&y:", city), 2, 0);
    grid->addWidget(city, 2, 1);
    grid->addWidget(label("S&tate:", state), 2, 2);
    grid->addWidget(state, 2, 3);
    grid->addWidget(label("&Zip:", zip), 2, 4);
    grid->addWidget(zip, 2, 5);
    grid->addWidget(label("Phon&e:", phone), 3, 0);
    grid->addWidget(phone, 3, 1);
    SetMinimumText(phone, QStringLiteral("(000) 000-0000"));
    grid->addWidget(label("&Debit Account #:", account), 3, 2);
    grid->addWidget(account, 3, 3, 1, 3);
    grid->addWidget(typeBox, 4, 0, 1, 6);
    grid->setRowStretch(5, 1);

    back_ = MakeButton(this, QStringLiteral("<- &Back"), "backButton", 1053);
    print_ = MakeButton(this, QStringLiteral("&Print Enrollment Form"), "printButton", 1151);
    print_->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(box, 1);
    layout->addLayout(MakeButtonRow(this, back_, print_));

    help_ = new CContextHelp(this, kDialogId);
    for (QLineEdit *edit : {name, address, phone, account, description_})
        help_->Add(edit, edit->property("controlId").toInt());

    const BankForm shown = BankFormFromRecord(*record_);
    edits_.Show(shown);
    checking_->setChecked(shown.accountType == kAccountChecking);
    savings_->setChecked(shown.accountType == kAccountSavings);
    other_->setChecked(shown.accountType == kAccountOther);
    UpdateDescription();

    for (QRadioButton *radio : {checking_, savings_, other_})
        connect(radio, &QRadioButton::toggled, this, &CDebitBankDlg::UpdateDescription);
    connect(back_, &QPushButton::clicked, this, &CDebitBankDlg::OnBack);
    connect(print_, &QPushButton::clicked, this, &CDebitBankDlg::OnPrint);

    FinishEntryDialog(this, 320, 212);
    name->setFocus(Qt::OtherFocusReason);
}

void CDebitBankDlg::UpdateDescription()
{
    description_->setEnabled(BankDescriptionEnabled(Form().accountType));
}

BankForm CDebitBankDlg::Form() const
{
    BankForm form;
    edits_.Read(form);
    form.accountType = checking_->isChecked() ? kAccountChecking
        : savings_->isChecked()               ? kAccountSavings
        : other_->isChecked()                 ? kAccountOther
                                              : kAccountNotChosen;
    return form;
}

QWidget *CDebitBankDlg::FieldControl(BankField field) const
{
    return edits_.Control(field);
}

void CDebitBankDlg::OnPrint()
{
    const BankForm form = Form();
    if (auto failure = CheckBankForm(form)) {
        ShowMessage(this, QString::fromStdString(failure->message));
        FocusField(FieldControl(failure->field));
        return;
    }
    StoreBankForm(form, *record_);
    if (profile_) {
        // Either failure keeps the screen open with everything typed, so the client
        // can free the disk and press the button again; the grid data is written
        // only once, so a second press does not duplicate it.
        SaveStatus saved = record_->SaveToProfile(*profile_);
        if (saved)
            saved = record_->SaveGridData(*profile_);
        if (!saved) {
            ShowMessage(this, QString::fromStdString(saved.message));
            return;
        }
    }
    done(kResultPrint);
}

void CDebitBankDlg::OnBack()
{
    StoreBankForm(Form(), *record_);
    done(kResultBack);
}

void CDebitBankDlg::reject()
{
    if (!ConfirmEndDemonstration(this))
        return;
    StoreBankForm(Form(), *record_);
    if (!SaveRecordOrSay(this, *record_, profile_))
        return;
    done(kResultEnded);
}

} // namespace tw
