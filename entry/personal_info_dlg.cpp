#include "entry/personal_info_dlg.h"

#include "entry/context_help.h"
#include "record/client_record.h"
#include "rules/result_codes.h"
#include "screens/ui_common.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

namespace {

const char *const kIntroText
    = "Congratulations on your decision to use the Tallowin(TM)!  Please enter the following information which "
      "is necessary to manage your mortgage on a bi-weekly schedule.   If you need help with your entry press "
      "the [F1] key for further information.";

// Columns: a narrow margin, two wide label-and-edit pairs and a narrow pair (middle
// initial, zip), a narrow margin. The margins leave room for the frame of the property
// address box, which stands in the same grid so its fields line up with the others.
void PrepareColumns(QGridLayout *grid)
{
    grid->setColumnMinimumWidth(0, 2);
    grid->setColumnMinimumWidth(7, 2);
    grid->setColumnStretch(2, 4);
    grid->setColumnStretch(4, 4);
    grid->setColumnStretch(6, 2);
}

void AddLabelled(
    QGridLayout *grid, QWidget *parent, const char *label, QWidget *edit, int row, int pair, int editSpan = 1)
{
    const int column = 1 + 2 * pair;
    grid->addWidget(MakeFieldLabel(parent, QString::fromUtf8(label), edit), row, column);
    grid->addWidget(edit, row, column + 1, 1, editSpan);
}

} // namespace

CPersonalInfoDlg::CPersonalInfoDlg(QWidget *parent, CClientRecord *record, CProfileStore *profile)
    : QDialog(parent)
    , record_(record)
    , profile_(profile)
{
    setObjectName(QStringLiteral("personalInfoDlg"));

    auto *intro = MakeLabel(this, QString::fromUtf8(kIntroText), true);
    intro->setObjectName(QStringLiteral("introText"));

    auto *box = MakeGroupBox(this, QStringLiteral("Personal Information:"));
    auto *grid = new QGridLayout(box);
    SetBoxMargins(grid);
    PrepareColumns(grid);

    using F = PersonalField;
    using P = PersonalForm;
    auto add = [this](QWidget *parent, F id, std::string P::*member, const char *name) {
        return edits_.Add(parent, id, member, name);
    };
    // Created in the order the Tab key walks them.
    QLineEdit *firstName1 = add(box, F::FirstName1, &P::firstName1, "firstName1Edit");
    QLineEdit *lastName1 = add(box, F::LastName1, &P::lastName1, "lastName1Edit");
    QLineEdit *mi1 = add(box, F::MI1, &P::mi1, "mi1Edit");
    QLineEdit *firstName2 = add(box, F::FirstName2, &P::firstName2, "firstName2Edit");
    QLineEdit *lastName2 = add(box, F::LastName2, &P::lastName2, "lastName2Edit");
    QLineEdit *mi2 = add(box, F::MI2, &P::mi2, "mi2Edit");
    QLineEdit *address = add(box, F::Address, &P::address, "addressEdit");
    QLineEdit *city = add(box, F::City, &P::city, "cityEdit");
    QLineEdit *state = add(box, F::State, &P::state, "stateEdit");
    QLineEdit *zip = add(box, F::Zip, &P::zip, "zipEdit");

    auto *propertyBox = MakeGroupBox(box, QStringLiteral("Property Address (If different than above):"));
    propertyBox->setObjectName(QStringLiteral("propertyBox"));
    QLineEdit *propertyAddress = add(box, F::PropertyAddress, &P::propertyAddress, "propertyAddressEdit");
    QLineEdit *propertyCity = add(box, F::PropertyCity, &P::propertyCity, "propertyCityEdit");
    QLineEdit *propertyState = add(box, F::PropertyState, &P::propertyState, "propertyStateEdit");
    QLineEdit *propertyZip = add(box, F::PropertyZip, &P::propertyZip, "propertyZipEdit");

    QLineEdit *homePhone = add(box, F::HomePhone, &P::homePhone, "homePhoneEdit");
    QLineEdit *workPhone1 = add(box, F::WorkPhone1, &P::workPhone1, "workPhone1Edit");
    QLineEdit *workPhone2 = add(box, F::WorkPhone2, &P::workPhone2, "workPhone2Edit");

    // Each label has an Alt letter of its own: a repeated caption (the second borrower, the
    // property address, the second work phone) takes a later letter of it.
    AddLabelled(grid, box, "&First Name:", firstName1, 0, 0);
    AddLabelled(grid, box, "&Last Name:", lastName1, 0, 1);
    AddLabelled(grid, box, "&MI:", mi1, 0, 2);
    AddLabelled(grid, box, "Fi&rst Name:", firstName2, 1, 0);
    AddLabelled(grid, box, "Last &Name:", lastName2, 1, 1);
    AddLabelled(grid, box, "M&I:", mi2, 1, 2);
    AddLabelled(grid, box, "&Address:", address, 2, 0, 5);
    AddLabelled(grid, box, "Cit&y:", city, 3, 0);
    AddLabelled(grid, box, "&State:", state, 3, 1);
    AddLabelled(grid, box, "&Zip:", zip, 3, 2);
    // The box spans a row for its title, the two rows of fields and a row below them.
    grid->setRowMinimumHeight(4, propertyBox->fontMetrics().height());
    grid->addWidget(propertyBox, 4, 0, 4, 8);
    AddLabelled(grid, box, "A&ddress:", propertyAddress, 5, 0, 5);
    AddLabelled(grid, box, "Ci&ty:", propertyCity, 6, 0);
    AddLabelled(grid, box, "Stat&e:", propertyState, 6, 1);
    AddLabelled(grid, box, "Zi&p:", propertyZip, 6, 2);
    grid->setRowMinimumHeight(7, 0);
    AddLabelled(grid, box, "&Home Phone:", homePhone, 8, 0);
    AddLabelled(grid, box, "&Work Phone:", workPhone1, 9, 0);
    AddLabelled(grid, box, "Wor&k Phone:", workPhone2, 9, 1);
    propertyBox->lower();

    back_ = MakeButton(this, QStringLiteral("<- &Back"), "backButton", 1053);
    continue_ = MakeButton(this, QStringLiteral("&Continue ->"), "continueButton", 1046);
    continue_->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(box, 1);
    layout->addLayout(MakeButtonRow(this, back_, continue_));

    help_ = new CContextHelp(this, kDialogId);
    for (QLineEdit *edit : {address, propertyAddress, homePhone, workPhone1, workPhone2})
        help_->Add(edit, edit->property("controlId").toInt());

    const PersonalForm shown = PersonalFormFromRecord(*record_);
    edits_.Show(shown);

    connect(back_, &QPushButton::clicked, this, &CPersonalInfoDlg::OnBack);
    connect(continue_, &QPushButton::clicked, this, &CPersonalInfoDlg::OnContinue);

    FinishEntryDialog(this, 320, 233);
    firstName1->setFocus(Qt::OtherFocusReason);
}

PersonalForm CPersonalInfoDlg::Form() const
{
    PersonalForm form;
    edits_.Read(form);
    return form;
}

QLineEdit *CPersonalInfoDlg::FieldControl(PersonalField field) const
{
    return edits_.Control(field);
}

void CPersonalInfoDlg::OnContinue()
{
    const PersonalForm form = Form();
    if (auto failure = CheckPersonalForm(form)) {
        ShowMessage(this, QString::fromStdString(failure->message));
        FocusField(FieldControl(failure->field));
        return;
    }
    StorePersonalForm(form, *record_);
    // The record keeps what was typed, so a retry after freeing the disk saves it.
    if (!SaveRecordOrSay(this, *record_, profile_))
        return;
    done(kResultForward);
}

void CPersonalInfoDlg::OnBack()
{
    StorePersonalForm(Form(), *record_);
    done(kResultBack);
}

void CPersonalInfoDlg::reject()
{
    if (!ConfirmEndDemonstration(this))
        return;
    StorePersonalForm(Form(), *record_);
    if (!SaveRecordOrSay(this, *record_, profile_))
        return;
    done(kResultEnded);
}

} // namespace tw
