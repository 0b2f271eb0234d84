// What the data-entry screens share: every field shows and stores its own text of the
// record, every field can be reached by its label's mnemonic, Enter on a focused button
// presses that button rather than the screen's default one, and closing a sign-up screen
// asks first and keeps what was typed.
#include "entry/analysis_info_dlg.h"
#include "entry/debit_bank_dlg.h"
#include "entry/lender_info_dlg.h"
#include "entry/personal_info_dlg.h"
#include "entry/vendor_dlg.h"
#include "entry_test_support.h"
#include "rules/result_codes.h"

#include <QKeySequence>
#include <QLabel>
#include <QMap>

#include <map>
#include <vector>

using namespace tw;
using namespace tw::test;

namespace {

std::unique_ptr<QDialog> MakeScreen(const QString &which, CClientRecord *record, CProfileStore *profile = nullptr)
{
    if (which == QLatin1String("analysis"))
        return std::make_unique<CAnalysisInfoDlg>(nullptr, record, profile);
    if (which == QLatin1String("personal"))
        return std::make_unique<CPersonalInfoDlg>(nullptr, record, profile);
    if (which == QLatin1String("lender"))
        return std::make_unique<CLenderInfoDlg>(nullptr, record, profile);
    if (which == QLatin1String("vendor"))
        return std::make_unique<CVendorEntryDlg>(nullptr, record, profile, "12/07/2026");
    return std::make_unique<CDebitBankDlg>(nullptr, record, profile);
}

// A text field and the record's text it shows and stores. The loan's texts are given,
// valid for the checks that storing passes; a loan text without one before is not shown
// from the record (the current date). Every other field gets a text of its own.
struct Field {
    const char *edit;
    std::string CClientRecord::*client;
    std::string LoanAnalysis::*loan = nullptr;
    const char *before = nullptr;
    const char *after = nullptr;
};

std::string &Text(CClientRecord &r, const Field &f)
{
    return f.client ? r.*f.client : r.Analysis.*f.loan;
}
std::string Before(const Field &f)
{
    return f.loan ? (f.before ? f.before : "01/01/2000") : std::string("Zo\xC3\xAB ") + f.edit;
}
std::string After(const Field &f)
{
    return f.loan ? f.after
                  : std::string("\xC3\x91"
                                "and\xC3\xBA ")
            + f.edit;
}

using C = CClientRecord;
using L = LoanAnalysis;
const Field kLoanFields[] = {{"termEdit", nullptr, &L::TermText, "30", "25"},
    {"firstPaymentDateEdit", nullptr, &L::FirstPaymentDate, "01/15/2020", "02/15/2021"},
    {"amountEdit", nullptr, &L::AmountText, "180000", "175000.50"},
    {"currentPaymentEdit", nullptr, &L::CurrentPaymentText, "1450", "1500"},
    {"lowestRateEdit", nullptr, &L::LowestRateText, "6.5", "5.5"},
    {"highestRateEdit", nullptr, &L::HighestRateText, "7.25", "8"},
    {"currentDateEdit", nullptr, &L::CurrentDate, nullptr, "12/07/2026"}};
const std::map<QString, std::vector<Field>> kFields = {
    {"analysis", {{"firstNameEdit", &C::FirstName1}, {"lastNameEdit", &C::LastName1}}},
    {"personal",
        {{"firstName1Edit", &C::FirstName1}, {"lastName1Edit", &C::LastName1}, {"mi1Edit", &C::MI1},
            {"firstName2Edit", &C::FirstName2}, {"lastName2Edit", &C::LastName2}, {"mi2Edit", &C::MI2},
            {"addressEdit", &C::Address}, {"cityEdit", &C::City}, {"stateEdit", &C::State}, {"zipEdit", &C::Zip},
            {"propertyAddressEdit", &C::PropertyAddress}, {"propertyCityEdit", &C::PropertyCity},
            {"propertyStateEdit", &C::PropertyState}, {"propertyZipEdit", &C::PropertyZip},
            {"homePhoneEdit", &C::HomePhone}, {"workPhone1Edit", &C::WorkPhone1}, {"workPhone2Edit", &C::WorkPhone2}}},
    {"lender",
        {{"lenderNameEdit", &C::MortgageName}, {"addressEdit", &C::MortgageAddress}, {"cityEdit", &C::MortgageCity},
            {"stateEdit", &C::MortgageState}, {"zipEdit", &C::MortgageZip}, {"phoneEdit", &C::MortgagePhone},
            {"accountNumberEdit", &C::MortgageAccountNumber}, {"gracePeriodEdit", &C::GracePeriod},
            {"currentPaymentEdit", nullptr, &L::CurrentPaymentText, "1,450.00", "$1,500"},
            {"additionalPaymentEdit", nullptr, &L::AdditionalPaymentText, "100.00", "100.00"}}}, // read-only
    {"bank",
        {{"bankNameEdit", &C::BankName}, {"addressEdit", &C::BankAddress}, {"cityEdit", &C::BankCity},
            {"stateEdit", &C::BankState}, {"zipEdit", &C::BankZip}, {"phoneEdit", &C::BankPhone},
            {"accountNumberEdit", &C::BankAccountNumber}, {"descriptionEdit", &C::AccountOptionalDescription}}},
    {"vendor",
        {{"firstName1Edit", &C::FirstName1}, {"lastName1Edit", &C::LastName1}, {"firstName2Edit", &C::FirstName2},
            {"lastName2Edit", &C::LastName2}, {"addressEdit", &C::Address}, {"cityEdit", &C::City},
            {"stateEdit", &C::State}, {"zipEdit", &C::Zip}, {"homePhoneEdit", &C::HomePhone},
            {"workPhone1Edit", &C::WorkPhone1}, {"workPhone2Edit", &C::WorkPhone2}}},
};

std::vector<Field> FieldsOf(const QString &which)
{
    std::vector<Field> fields = kFields.at(which);
    if (which == QLatin1String("analysis") || which == QLatin1String("vendor"))
        fields.insert(fields.end(), std::begin(kLoanFields), std::end(kLoanFields));
    return fields;
}

// The button that checks the form and goes on.
const char *Forward(const QString &which)
{
    return which == QLatin1String("bank") || which == QLatin1String("vendor") ? "printButton" : "continueButton";
}

// The city each sign-up screen keeps.
std::string CityOf(const QString &which, const CClientRecord &r)
{
    if (which == QLatin1String("personal"))
        return r.City;
    return which == QLatin1String("lender") ? r.MortgageCity : r.BankCity;
}

} // namespace

class TestEntryCommon : public QObject {
    Q_OBJECT
private slots:
    void screens_data()
    {
        QTest::addColumn<QString>("which");
        for (const char *which : {"analysis", "personal", "lender", "bank"})
            QTest::newRow(which) << QString::fromLatin1(which);
    }

    // A record whose texts all differ, opened, every field typed over, and left as the
    // screen stores what is typed: each field showed its own text and stored into it.
    void everyFieldShowsAndStoresItsOwnText_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("leave"); // the sign-up screens store on Back without a check
        for (const auto &[which, leave] : {std::pair {"analysis", "continueButton"}, {"personal", "backButton"},
                 {"lender", "backButton"}, {"bank", "backButton"}, {"vendor", "printButton"}})
            QTest::newRow(which) << QString(which) << QString(leave);
    }
    void everyFieldShowsAndStoresItsOwnText()
    {
        QFETCH(QString, which);
        QFETCH(QString, leave);
        const std::vector<Field> fields = FieldsOf(which);
        auto record = std::make_unique<CClientRecord>();
        record->AccountType = kAccountOther; // the bank's description is in use
        record->Analysis.VariableFlag = 1; // and so is the loan's highest rate
        for (const Field &f : fields)
            Text(*record, f) = Before(f);
        auto dlg = MakeScreen(which, record.get());
        QVERIFY(Open(*dlg));
        QVERIFY(dlg->findChild<QPushButton *>(Forward(which))->isDefault());
        for (const Field &f : fields) {
            if (!f.loan || f.before)
                QCOMPARE(Edit(dlg.get(), f.edit)->text(), Q(Before(f)));
            Type(dlg.get(), f.edit, Q(After(f)));
        }
        MessageLog log;
        Click(dlg.get(), leave.toLatin1().constData());
        QCOMPARE(log.texts, QStringList());
        QVERIFY(!dlg->isVisible());
        for (const Field &f : fields)
            QCOMPARE(Q(Text(*record, f)), Q(After(f)));
    }

    // The first field that fails its check is named, gets the focus, and nothing is stored.
    void aFailingFieldIsNamedAndFocused_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("said");
        const char *const rows[][4] = {{"analysis", "currentDateEdit", "", "Please enter the current date."},
            {"analysis", "firstNameEdit", "", "Please enter your first name."},
            {"analysis", "firstPaymentDateEdit", "2/5/1999", "The loan start date format is incorrect."},
            {"analysis", "termEdit", "41", "(has to be to be less than 40)."},
            {"analysis", "amountEdit", "150 000", "Please enter the loan amount."},
            {"analysis", "lowestRateEdit", "", "Please enter the fixed interest rate."},
            {"personal", "firstName1Edit", "", "Please enter your first name"},
            {"personal", "lastName1Edit", "", "Please enter your last name"},
            {"personal", "addressEdit", "", "Please enter your address"},
            {"personal", "cityEdit", "", "Please enter your city"},
            {"personal", "stateEdit", "", "Please enter your state"},
            {"personal", "zipEdit", "", "Please enter your Zip Code"},
            {"personal", "homePhoneEdit", "", "Please enter your home phone number or a contact phone number"},
            {"lender", "lenderNameEdit", "", "Please enter your lender's name"},
            {"lender", "zipEdit", "", "Please enter your lender's Zip Code"},
            {"lender", "accountNumberEdit", "", "Please enter your Account Number"},
            {"lender", "currentPaymentEdit", "$", "Please enter your total current payment amount"},
            {"lender", "currentPaymentEdit", "$1 250", "Please enter your total current payment amount"},
            {"lender", "gracePeriodEdit", "", "Please enter your grace period"},
            {"bank", "bankNameEdit", "", "Please enter your bank's name"},
            {"bank", "cityEdit", "", "Please enter your bank's city"},
            {"bank", "zipEdit", "", "Please enter your bank's Zip Code"},
            {"bank", "accountNumberEdit", "", "Please enter your bank Account Number"},
            {"vendor", "currentDateEdit", "2026-12-07", "The current date format is incorrect."},
            {"vendor", "zipEdit", "", "Please enter your zip code."}, {"vendor", "termEdit", "45", "40 years"},
            {"vendor", "amountEdit", "$0.75", "loan amount"}};
        for (const auto &[which, edit, typed, said] : rows)
            QTest::addRow("%s %s \"%s\"", which, edit, typed)
                << QString(which) << QString(edit) << QString(typed) << QString(said);
    }
    void aFailingFieldIsNamedAndFocused()
    {
        QFETCH(QString, which);
        QFETCH(QString, edit);
        QFETCH(QString, typed);
        QFETCH(QString, said);
        Sandbox box;
        CProfileStore store(box.ProfilePath().toStdString());
        auto record = std::make_unique<CClientRecord>();
        MessageLog log;
        auto dlg = MakeScreen(which, record.get(), &store);
        QVERIFY(Open(*dlg));
        for (const Field &f : FieldsOf(which))
            Type(dlg.get(), f.edit, Q(After(f)));
        Type(dlg.get(), qPrintable(edit), typed);
        Click(dlg.get(), Forward(which));
        QCOMPARE(log.texts.size(), 1);
        QVERIFY2(log.texts[0].contains(said), qPrintable(log.texts[0]));
        QCOMPARE(FocusName(dlg.get()), edit);
        QVERIFY(dlg->isVisible());
        QVERIFY(!box.ProfileExists());
        if (which != QLatin1String("analysis") && which != QLatin1String("vendor"))
            QVERIFY(CityOf(which, *record).empty());
    }

    void everyFieldHasAMnemonicThatReachesIt_data() { screens_data(); }
    void everyFieldHasAMnemonicThatReachesIt()
    {
        QFETCH(QString, which);
        auto record = std::make_unique<CClientRecord>();
        auto dlg = MakeScreen(which, record.get());
        QVERIFY(Open(*dlg));

        // That no two captions share a letter is the accessibility test's, on every window.
        QMap<QWidget *, QLabel *> labelOf;
        for (QLabel *label : dlg->findChildren<QLabel *>()) {
            if (!label->buddy())
                continue;
            labelOf[label->buddy()] = label;
            QVERIFY2(!QKeySequence::mnemonic(label->text()).isEmpty(), qPrintable(label->text()));
        }

        for (QLineEdit *edit : dlg->findChildren<QLineEdit *>()) {
            if (edit->objectName() == QLatin1String("descriptionEdit"))
                continue; // labelled by the "Other" button beside it
            QLabel *label = labelOf.value(edit);
            QVERIFY2(label, qPrintable(edit->objectName() + " has no label"));
            if (!edit->isEnabled())
                continue;
            // Alt and the letter: from elsewhere, the focus lands on a field of that label's wording.
            dlg->findChild<QPushButton *>(QStringLiteral("backButton"))->setFocus();
            const QKeySequence key = QKeySequence::mnemonic(label->text());
            QTest::keySequence(dlg.get(), key);
            QWidget *focus = QApplication::focusWidget();
            QVERIFY2(focus && labelOf.value(focus) && labelOf.value(focus)->text() == label->text(),
                qPrintable(label->text() + " moved to " + (focus ? focus->objectName() : QString("nothing"))));
        }
    }

    void enterOnAFocusedButtonPressesIt_data() { screens_data(); }
    void enterOnAFocusedButtonPressesIt()
    {
        QFETCH(QString, which);
        auto record = std::make_unique<CClientRecord>();
        MessageLog log;
        auto dlg = MakeScreen(which, record.get());
        QVERIFY(Open(*dlg));
        auto *back = dlg->findChild<QPushButton *>(QStringLiteral("backButton"));
        back->setFocus();
        QTest::keyClick(back, Qt::Key_Return);
        QCOMPARE(dlg->result(), int(kResultBack));
        QCOMPARE(log.texts, QStringList()); // no check ran, as after Continue
    }

    // Escape or the close button on a sign-up screen, with the required fields empty:
    // the question comes first; No keeps the screen and stores nothing; Yes stores what
    // was typed, saves it for the next run and ends the demonstration.
    void closingASignUpScreenAsksAndKeepsWhatWasTyped_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<bool>("escape");
        QTest::addColumn<bool>("endIt");
        for (const char *which : {"personal", "lender", "bank"}) {
            QTest::addRow("%s, Escape, stay", which) << QString::fromLatin1(which) << true << false;
            QTest::addRow("%s, close, stay", which) << QString::fromLatin1(which) << false << false;
            QTest::addRow("%s, Escape, end", which) << QString::fromLatin1(which) << true << true;
            QTest::addRow("%s, close, end", which) << QString::fromLatin1(which) << false << true;
        }
    }
    void closingASignUpScreenAsksAndKeepsWhatWasTyped()
    {
        QFETCH(QString, which);
        QFETCH(bool, escape);
        QFETCH(bool, endIt);
        Sandbox box;
        CProfileStore store(box.ProfilePath().toStdString());
        auto record = std::make_unique<CClientRecord>();
        QuestionLog questions(endIt);
        auto dlg = MakeScreen(which, record.get(), &store);
        QVERIFY(Open(*dlg));
        Type(dlg.get(), "cityEdit", QStringLiteral("Akron"));
        EscapeOrClose(*dlg, escape);
        QCOMPARE(questions.texts, QStringList {QStringLiteral("End the demonstration? What you typed here is kept.")});
        QCOMPARE(dlg->isVisible(), !endIt);
        if (!endIt) {
            QVERIFY(CityOf(which, *record).empty());
            QVERIFY(!box.ProfileExists());
            return;
        }
        QCOMPARE(dlg->result(), int(kResultEnded));
        QCOMPARE(Q(CityOf(which, *LoadRecord(box.ProfilePath()))), QStringLiteral("Akron"));
        // Not an enrollment: no grid data is written.
        QVERIFY(CProfileStore(box.ProfilePath().toStdString()).Read("PrinBal", "Mth1").empty());
    }
};

QTEST_MAIN(TestEntryCommon)
#include "test_entry_common.moc"
