#include "entry/debit_bank_dlg.h"

#include "entry_test_support.h"
#include "rules/result_codes.h"

#include <QRadioButton>
#include <QtTest>

using namespace tw;
using namespace tw::test;

class TestDebitBankDlg : public QObject {
    Q_OBJECT

    static void FillRequired(QWidget *d)
    {
        Type(d, "bankNameEdit", QStringLiteral("Credit Union"));
        Type(d, "addressEdit", QStringLiteral("9 Elm"));
        Type(d, "cityEdit", QStringLiteral("Akron"));
        Type(d, "stateEdit", QStringLiteral("OH"));
        Type(d, "zipEdit", QStringLiteral("44308"));
        Type(d, "accountNumberEdit", QStringLiteral("0042"));
    }

    static QRadioButton *Radio(QWidget *d, const char *name)
    {
        return d->findChild<QRadioButton *>(QString::fromLatin1(name));
    }

private slots:
    void printStoresSavesRecordAndGridData()
    {
        Sandbox box;
        CProfileStore store(box.ProfilePath().toStdString());
        auto record = std::make_unique<CClientRecord>();
        record->Analysis.TermText = "30";
        record->Analysis.FirstPaymentDate = "01/01/1995";
        MessageLog log;
        CDebitBankDlg dlg(nullptr, record.get(), &store);
        QVERIFY(Open(dlg));
        FillRequired(&dlg);
        Radio(&dlg, "savingsRadio")->click();
        Click(&dlg, "printButton");
        QCOMPARE(log.texts, QStringList());
        QCOMPARE(dlg.result(), int(kResultPrint));
        QVERIFY(!dlg.isVisible());
        QCOMPARE(record->AccountType, int(kAccountSavings));
        QCOMPARE(Q(store.Read("Bank", "AccountType")), QStringLiteral("2"));
        QCOMPARE(Q(store.Read("Bank", "Name")), QStringLiteral("Credit Union"));
        QCOMPARE(Q(store.Read("PrinBal", "LoanTermYears")), QStringLiteral("30"));
    }

    void otherNeedsADescriptionSavingsDoesNot()
    {
        auto record = std::make_unique<CClientRecord>();
        MessageLog log;
        CDebitBankDlg dlg(nullptr, record.get(), nullptr);
        QVERIFY(Open(dlg));
        FillRequired(&dlg);
        QLineEdit *description = Edit(&dlg, "descriptionEdit");
        QVERIFY(!description->isEnabled());
        Radio(&dlg, "otherRadio")->click();
        QVERIFY(description->isEnabled());
        Click(&dlg, "printButton");
        QCOMPARE(log.texts, QStringList {QStringLiteral("Please enter your account's description")});
        QCOMPARE(FocusName(&dlg), QStringLiteral("descriptionEdit"));
        QVERIFY(dlg.isVisible());

        Radio(&dlg, "savingsRadio")->click();
        QVERIFY(!description->isEnabled());
        Click(&dlg, "printButton");
        QCOMPARE(log.texts.size(), 1);
        QCOMPARE(dlg.result(), int(kResultPrint));
    }

    void accountTypeOpensAndStores_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("ticked");
        QTest::addColumn<int>("afterBack");
        QTest::newRow("never chosen") << 0 << "checkingRadio" << 1;
        QTest::newRow("checking") << 1 << "checkingRadio" << 1;
        QTest::newRow("savings") << 2 << "savingsRadio" << 2;
        QTest::newRow("other") << 3 << "otherRadio" << 3;
    }
    void accountTypeOpensAndStores()
    {
        QFETCH(int, stored);
        QFETCH(QString, ticked);
        QFETCH(int, afterBack);
        auto record = std::make_unique<CClientRecord>();
        record->AccountType = stored;
        record->AccountOptionalDescription = "Money market";
        CDebitBankDlg dlg(nullptr, record.get(), nullptr);
        QVERIFY(Radio(&dlg, ticked.toLatin1().constData())->isChecked());
        QCOMPARE(Edit(&dlg, "descriptionEdit")->isEnabled(), stored == 3);
        QCOMPARE(Edit(&dlg, "descriptionEdit")->text(), QStringLiteral("Money market"));
        QVERIFY(Open(dlg));
        Click(&dlg, "backButton");
        QCOMPARE(dlg.result(), int(kResultBack));
        QCOMPARE(record->AccountType, afterBack);
    }

    void switchingAwayFromOtherKeepsTheOldDescription()
    {
        auto record = std::make_unique<CClientRecord>();
        record->AccountType = kAccountOther;
        record->AccountOptionalDescription = "Money market";
        CDebitBankDlg dlg(nullptr, record.get(), nullptr);
        QVERIFY(Open(dlg));
        Type(&dlg, "descriptionEdit", QStringLiteral("Trust"));
        Radio(&dlg, "checkingRadio")->click();
        QCOMPARE(Edit(&dlg, "descriptionEdit")->text(), QStringLiteral("Trust"));
        Click(&dlg, "backButton");
        QCOMPARE(record->AccountType, int(kAccountChecking));
        QCOMPARE(Q(record->AccountOptionalDescription), QStringLiteral("Money market"));
    }

    void failedSaveKeepsTheScreenAndWhatWasTyped()
    {
        Sandbox box;
        CProfileStore store(box.UnwritableProfilePath().toStdString());
        auto record = std::make_unique<CClientRecord>();
        MessageLog log;
        CDebitBankDlg dlg(nullptr, record.get(), &store);
        QVERIFY(Open(dlg));
        FillRequired(&dlg);
        Click(&dlg, "printButton");
        QCOMPARE(log.texts.size(), 1);
        QVERIFY(log.texts[0].contains(QStringLiteral("not-a-folder")));
        QVERIFY(dlg.isVisible());
        QCOMPARE(Edit(&dlg, "bankNameEdit")->text(), QStringLiteral("Credit Union"));
        QCOMPARE(Q(record->BankName), QStringLiteral("Credit Union"));
    }
};

QTEST_MAIN(TestDebitBankDlg)
#include "test_debit_bank_dlg.moc"
