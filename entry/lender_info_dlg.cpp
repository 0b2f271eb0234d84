#include "entry/lender_info_dlg.h"

#include "entry/context_help.h"
#include "record/client_record.h"
#include "rules/result_codes.h"
#include "screens/ui_common.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

namespace {

const char *const kIntroText
    = "Remember, restructuring your mortgage on a bi-weekly schedule does not change your existing mortgage "
      "agreement with your lender in any way.   If you need help with your entry press the [F1] key for further "
      "information on the selected field.";

} // namespace

CLenderInfoDlg::CLenderInfoDlg(QWidget *parent, CClientRecord *record, CProfileStore *profile)
    : QDialog(parent)
    , record_(record)
    , profile_(profile)
{
    setObjectName(QStringLiteral("lenderInfoDlg"));

    auto *intro = MakeLabel(this, QString::fromUtf8(kIntroText), true);
    intro->setObjectName(QStringLiteral("introText"));

    auto *box = MakeGroupBox(this, QStringLiteral("Mortgage Information:"));
    auto *grid = new QGridLayout(box);
    SetBoxMargins(grid);
    grid->setColumnStretch(1, 4);
    grid->setColumnStretch(3, 4);
    grid->setColumnStretch(5, 2);

    using F = LenderField;
    using L = LenderForm;
    auto add
        = [this, box](F id, std::string L::*member, const char *name) { return edits_.Add(box, id, member, name); };
    // Created in the order the Tab key walks them.
    QLineEdit *name = add(F::Name, &L::name, "lenderNameEdit");
    QLineEdit *address = add(F::Address, &L::address, "addressEdit");
    QLineEdit *city = add(F::City, &L::city, "cityEdit");
    QLineEdit *state = add(F::State, &L::state, "stateEdit");
    QLineEdit *zip = add(F::Zip, &L::zip, "zipEdit");
    QLineEdit *phone = add(F::Phone, &L::phone, "phoneEdit");
    QLineEdit *account = add(F::AccountNumber, &L::accountNumber, "accountNumberEdit");
    QLineEdit *payment = add(F::CurrentPayment, &L::currentPayment, "currentPaymentEdit");
    QLineEdit *additional = add(F::AdditionalPayment, &L::additionalPayment, "additionalPaymentEdit");
    QLineEdit *grace = add(F::GracePeriod, &L::gracePeriod, "gracePeriodEdit");
    // Chosen on the additional-payment comparison; shown here for the record only.
    additional->setReadOnly(true);
    QPalette readOnly = additional->palette();
    readOnly.setColor(QPalette::Base, readOnly.color(QPalette::Window));
    additional->setPalette(readOnly);

    auto label
        = [box](const char *text, QWidget *field) { return MakeFieldLabel(box, QString::fromUtf8(text), field); };
    grid->addWidget(label("&Lender:", name), 0, 0);
    grid->addWidget(name, 0, 1, 1, 5);
    grid->addWidget(label("&Address:", address), 1, 0);
    grid->addWidget(address, 1, 1, 1, 5);
    grid->addWidget(label("Cit&y:", city), 2, 0);
    grid->addWidget(city, 2, 1);
    grid->addWidget(label("&State:", state), 2, 2);
    grid->addWidget(state, 2, 3);
    grid->addWidget(label("&Zip:", zip), 2, 4);
    grid->addWidget(zip, 2, 5);
    grid->addWidget(label("&Phone:", phone), 3, 0);
    grid->addWidget(phone, 3, 1);
    grid->addWidget(label("Acc&ount #:", account), 3, 2);
    grid->addWidget(account, 3, 3, 1, 3);

    // The payment rows have long labels; they get their own two columns.
    auto *money = new QGridLayout;
    money->setColumnStretch(2, 1);
    money->addWidget(label("Current Pay&ment: (Including Taxes and Insurance):", payment), 0, 0);
    money->addWidget(payment, 0, 1);
    money->addWidget(label("Add&itional Monthly Payment (Optional):", additional), 1, 0);
    money->addWidget(additional, 1, 1);
    money->addWidget(label("&Grace Period (Days):", grace), 2, 0);
    money->addWidget(grace, 2, 1);
    grid->addLayout(money, 4, 0, 1, 6);
    grid->setRowStretch(5, 1);

    back_ = MakeButton(this, QStringLiteral("<- &Back"), "backButton", 1053);
    continue_ = MakeButton(this, QStringLiteral("&Continue ->"), "continueButton", 1046);
    continue_->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(box, 1);
    layout->addLayout(MakeButtonRow(this, back_, continue_));

    help_ = new CContextHelp(this, kDialogId);
    for (QLineEdit *edit : {name, address, phone, account, payment, additional, grace})
        help_->Add(edit, edit->property("controlId").toInt());

    const LenderForm shown = LenderFormFromRecord(*record_);
    edits_.Show(shown);

    connect(back_, &QPushButton::clicked, this, &CLenderInfoDlg::OnBack);
    connect(continue_, &QPushButton::clicked, this, &CLenderInfoDlg::OnContinue);

    FinishEntryDialog(this, 320, 207);
    name->setFocus(Qt::OtherFocusReason);
}

LenderForm CLenderInfoDlg::Form() const
{
    LenderForm form;
    edits_.Read(form);
    return form;
}

QLineEdit *CLenderInfoDlg::FieldControl(LenderField field) const
{
    return edits_.Control(field);
}

void CLenderInfoDlg::OnContinue()
{
    const LenderForm form = Form();
    if (auto failure = CheckLenderForm(form)) {
        ShowMessage(this, QString::fromStdString(failure->message));
        FocusField(FieldControl(failure->field));
        return;
    }
    StoreLenderForm(form, *record_);
    done(kResultForward);
}

void CLenderInfoDlg::OnBack()
{
    StoreLenderForm(Form(), *record_);
    done(kResultBack);
}

void CLenderInfoDlg::reject()
{
    if (!ConfirmEndDemonstration(this))
        return;
    StoreLenderForm(Form(), *record_);
    if (!SaveRecordOrSay(this, *record_, profile_))
        return;
    done(kResultEnded);
}

} // namespace tw
