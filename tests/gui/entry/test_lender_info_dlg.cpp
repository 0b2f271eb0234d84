#include "entry/lender_info_dlg.h"

#include "entry_test_support.h"
#include "rules/result_codes.h"

#include <QtTest>

using namespace tw;
using namespace tw::test;

class TestLenderInfoDlg : public QObject {
    Q_OBJECT

    static void FillRequired(QWidget *d)
    {
        Type(d, "lenderNameEdit", QStringLiteral("First Savings"));
        Type(d, "addressEdit", QStringLiteral("1 Bank St"));
        Type(d, "cityEdit", QStringLiteral("Dayton"));
        Type(d, "stateEdit", QStringLiteral("OH"));
        Type(d, "zipEdit", QStringLiteral("45402"));
        Type(d, "accountNumberEdit", QStringLiteral("778-12"));
        Type(d, "currentPaymentEdit", QStringLiteral("$1,250.00"));
        Type(d, "gracePeriodEdit", QStringLiteral("15"));
    }

private slots:
    void continueStoresAsTypedWithoutSaving()
    {
        Sandbox box;
        auto record = std::make_unique<CClientRecord>();
        record->Analysis.AdditionalPaymentText = "100.00";
        MessageLog log;
        CLenderInfoDlg dlg(nullptr, record.get());
        QVERIFY(Open(dlg));
        FillRequired(&dlg);
        Click(&dlg, "continueButton");
        QCOMPARE(log.texts, QStringList());
        QCOMPARE(dlg.result(), int(kResultForward));
        QCOMPARE(Q(record->Analysis.CurrentPaymentText), QStringLiteral("$1,250.00"));
        QCOMPARE(Q(record->MortgageName), QStringLiteral("First Savings"));
        QCOMPARE(Q(record->Analysis.AdditionalPaymentText), QStringLiteral("100.00"));
        QVERIFY(!box.ProfileExists());
    }

    void backStoresWithoutChecking()
    {
        auto record = std::make_unique<CClientRecord>();
        record->GracePeriod = "10";
        MessageLog log;
        CLenderInfoDlg dlg(nullptr, record.get());
        QVERIFY(Open(dlg));
        Type(&dlg, "cityEdit", QStringLiteral("Kent"));
        Type(&dlg, "gracePeriodEdit", QString());
        Click(&dlg, "backButton");
        QCOMPARE(dlg.result(), int(kResultBack));
        QVERIFY(!dlg.isVisible());
        QCOMPARE(log.texts, QStringList());
        QCOMPARE(Q(record->MortgageCity), QStringLiteral("Kent"));
        QCOMPARE(Q(record->GracePeriod), QStringLiteral("10"));
    }

    void additionalPaymentIsReadOnly()
    {
        auto record = std::make_unique<CClientRecord>();
        record->Analysis.AdditionalPaymentText = "100.00";
        CLenderInfoDlg dlg(nullptr, record.get());
        QVERIFY(Open(dlg));
        QLineEdit *additional = Edit(&dlg, "additionalPaymentEdit");
        QVERIFY(additional->isReadOnly());
        QCOMPARE(additional->text(), QStringLiteral("100.00"));
        additional->setFocus();
        QTest::keyClicks(additional, QStringLiteral("99"));
        QCOMPARE(additional->text(), QStringLiteral("100.00"));
    }

    // A paste is cut at the limit; a longer text stored by an older version is shown and
    // kept whole while the user leaves it alone.
    void fieldLimitCutsPastesButNotStoredTexts()
    {
        auto record = std::make_unique<CClientRecord>();
        const std::string stored = std::string(300, 'N') + "\xC3\xA9";
        MessageLog log;
        CLenderInfoDlg dlg(nullptr, record.get());
        QVERIFY(Open(dlg));
        FillRequired(&dlg);
        QLineEdit *name = Edit(&dlg, "lenderNameEdit");
        name->clear();
        name->insert(QString(100000, QLatin1Char('W')));
        QCOMPARE(name->text(), QString(255, QLatin1Char('W')));
        Click(&dlg, "continueButton");
        QCOMPARE(record->MortgageName.size(), std::size_t {255});

        record->MortgageAddress = stored;
        CLenderInfoDlg again(nullptr, record.get());
        QVERIFY(Open(again));
        QCOMPARE(Edit(&again, "addressEdit")->text().size(), 301);
        Click(&again, "continueButton");
        QCOMPARE(log.texts, QStringList());
        QCOMPARE(record->MortgageAddress, stored);
    }
};

QTEST_MAIN(TestLenderInfoDlg)
#include "test_lender_info_dlg.moc"
