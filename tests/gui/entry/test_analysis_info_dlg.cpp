#include "entry/analysis_info_dlg.h"

#include "entry_test_support.h"
#include "format/dates.h"
#include "rules/result_codes.h"

#include <QDate>
#include <QtTest>

using namespace tw;
using namespace tw::test;

class TestAnalysisInfoDlg : public QObject {
    Q_OBJECT

    static void FillGood(QWidget *d)
    {
        Type(d, "firstNameEdit", QStringLiteral("Ann"));
        Type(d, "lastNameEdit", QStringLiteral("Smith"));
        Type(d, "termEdit", QStringLiteral("30"));
        Type(d, "firstPaymentDateEdit", QStringLiteral("01/01/1995"));
        Type(d, "amountEdit", QStringLiteral("$150,000.00"));
        Type(d, "currentPaymentEdit", QStringLiteral("1,200"));
        Type(d, "currentDateEdit", QStringLiteral("06/15/1999"));
        Type(d, "lowestRateEdit", QStringLiteral("7.5"));
    }

    static QString Today()
    {
        const QDate today = QDate::currentDate();
        return Q(DateText(today.month(), today.day(), today.year()));
    }

private slots:
    void continueSavesTheLoanAndEndsWithYes()
    {
        Sandbox box;
        CProfileStore store(box.ProfilePath().toStdString());
        auto record = std::make_unique<CClientRecord>();
        MessageLog log;
        CAnalysisInfoDlg dlg(nullptr, record.get(), &store);
        QVERIFY(Open(dlg));
        FillGood(&dlg);
        Click(&dlg, "continueButton");
        QCOMPARE(log.texts, QStringList());
        QCOMPARE(dlg.result(), int(kResultYes));
        QVERIFY(!dlg.isVisible());
        QCOMPARE(Q(record->Analysis.AmountText), QStringLiteral("150000.00"));
        QCOMPARE(Q(record->Analysis.CurrentPaymentText), QStringLiteral("1200"));

        auto saved = LoadRecord(box.ProfilePath());
        QCOMPARE(Q(saved->FirstName1), QStringLiteral("Ann"));
        QCOMPARE(Q(saved->Analysis.CurrentDate), QStringLiteral("06/15/1999"));
        QCOMPARE(Q(saved->Analysis.TermText), QStringLiteral("30"));
        QCOMPARE(Q(saved->Analysis.LowestRateText), QStringLiteral("7.5"));
    }

    void datesOutsideTheDebitCalendarAreRefusedBeforeSaving()
    {
        Sandbox box;
        CProfileStore store(box.ProfilePath().toStdString());
        auto record = std::make_unique<CClientRecord>();
        MessageLog log;
        CAnalysisInfoDlg dlg(nullptr, record.get(), &store);
        QVERIFY(Open(dlg));
        FillGood(&dlg);
        Type(&dlg, "currentDateEdit", QStringLiteral("01/01/1990"));
        Type(&dlg, "firstPaymentDateEdit", QStringLiteral("01/01/1985"));
        Click(&dlg, "continueButton");
        QCOMPARE(log.texts.size(), 1);
        QVERIFY(!log.texts[0].isEmpty());
        QVERIFY(FocusName(&dlg) == QLatin1String("currentDateEdit")
            || FocusName(&dlg) == QLatin1String("firstPaymentDateEdit"));
        QVERIFY(dlg.isVisible());
        QVERIFY(!box.ProfileExists());
    }

    void backChecksAndWritesNothing()
    {
        Sandbox box;
        CProfileStore store(box.ProfilePath().toStdString());
        auto record = std::make_unique<CClientRecord>();
        record->FirstName1 = "Old";
        MessageLog log;
        CAnalysisInfoDlg dlg(nullptr, record.get(), &store);
        QVERIFY(Open(dlg));
        FillGood(&dlg);
        Type(&dlg, "termEdit", QStringLiteral("99")); // would fail a check
        Click(&dlg, "backButton");
        QCOMPARE(dlg.result(), int(kResultBack));
        QVERIFY(!dlg.isVisible());
        QCOMPARE(log.texts, QStringList());
        QCOMPARE(Q(record->FirstName1), QStringLiteral("Old"));
        QVERIFY(record->Analysis.CurrentDate.empty());
        QVERIFY(!box.ProfileExists());
    }

    // The wizard goes on to the results however this screen is left; empty or bad
    // fields must not get there by Escape or the close button.
    void escapeAndCloseCheckAsContinueDoes_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Escape") << true;
        QTest::newRow("close button") << false;
    }
    void escapeAndCloseCheckAsContinueDoes()
    {
        QFETCH(bool, escape);
        Sandbox box;
        CProfileStore store(box.ProfilePath().toStdString());
        auto record = std::make_unique<CClientRecord>();
        MessageLog log;
        CAnalysisInfoDlg dlg(nullptr, record.get(), &store);
        QVERIFY(Open(dlg));
        EscapeOrClose(dlg, escape); // a fresh profile: every field empty
        QCOMPARE(log.texts, QStringList {QStringLiteral("Please enter your first name.")});
        QVERIFY(dlg.isVisible());
        QCOMPARE(FocusName(&dlg), QStringLiteral("firstNameEdit"));

        FillGood(&dlg);
        Type(&dlg, "termEdit", QStringLiteral("99"));
        EscapeOrClose(dlg, escape);
        QCOMPARE(log.texts.size(), 2);
        QVERIFY(dlg.isVisible());
        QCOMPARE(FocusName(&dlg), QStringLiteral("termEdit"));
        QVERIFY(!box.ProfileExists());

        Type(&dlg, "termEdit", QStringLiteral("30"));
        EscapeOrClose(dlg, escape);
        QCOMPARE(log.texts.size(), 2);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(kResultCancel));
        QCOMPARE(Q(LoadRecord(box.ProfilePath())->Analysis.TermText), QStringLiteral("30"));
    }

    void opensWithTheRecordAndTodaysDate()
    {
        auto record = std::make_unique<CClientRecord>();
        record->Analysis.CurrentDate = "01/01/1999";
        for (int opening = 0; opening < 2; ++opening) {
            CAnalysisInfoDlg dlg(nullptr, record.get(), nullptr);
            QCOMPARE(Edit(&dlg, "currentDateEdit")->text(), Today());
            QCOMPARE(dlg.windowTitle(), QStringLiteral("Tallowin"));
            QVERIFY(dlg.windowFlags() & Qt::WindowContextHelpButtonHint);
            record->Analysis.CurrentDate = "12/31/2048";
        }
    }

    void variableBoxEnablesTheHighestRate()
    {
        auto record = std::make_unique<CClientRecord>();
        record->Analysis.HighestRateText = "9.5";
        CAnalysisInfoDlg dlg(nullptr, record.get(), nullptr);
        QLineEdit *highest = Edit(&dlg, "highestRateEdit");
        auto *variable = dlg.findChild<QCheckBox *>(QStringLiteral("variableCheck"));
        QVERIFY(!variable->isChecked());
        QVERIFY(!highest->isEnabled());
        variable->click();
        QVERIFY(highest->isEnabled());
        variable->click();
        QVERIFY(!highest->isEnabled());
        QCOMPARE(highest->text(), QStringLiteral("9.5"));

        record->Analysis.VariableFlag = 1;
        CAnalysisInfoDlg ticked(nullptr, record.get(), nullptr);
        QVERIFY(Edit(&ticked, "highestRateEdit")->isEnabled());
    }

    void failedSaveKeepsTheScreenAndWhatWasTyped()
    {
        Sandbox box;
        CProfileStore store(box.UnwritableProfilePath().toStdString());
        auto record = std::make_unique<CClientRecord>();
        MessageLog log;
        CAnalysisInfoDlg dlg(nullptr, record.get(), &store);
        QVERIFY(Open(dlg));
        FillGood(&dlg);
        Click(&dlg, "continueButton");
        QCOMPARE(log.texts.size(), 1);
        QVERIFY(log.texts[0].contains(QStringLiteral("not-a-folder")));
        QVERIFY(dlg.isVisible());
        QCOMPARE(Edit(&dlg, "firstNameEdit")->text(), QStringLiteral("Ann"));
        QCOMPARE(Q(record->FirstName1), QStringLiteral("Ann"));

        // Once the profile can be written, the same press goes through.
        CProfileStore good(box.ProfilePath().toStdString());
        CAnalysisInfoDlg retry(nullptr, record.get(), &good);
        QVERIFY(Open(retry));
        FillGood(&retry);
        Click(&retry, "continueButton");
        QCOMPARE(retry.result(), int(kResultYes));
    }

    void longTextsAreNotCut()
    {
        auto record = std::make_unique<CClientRecord>();
        record->FirstName1 = std::string(40000, 'a');
        CAnalysisInfoDlg dlg(nullptr, record.get(), nullptr);
        QCOMPARE(Edit(&dlg, "firstNameEdit")->text().size(), 40000);
        QCOMPARE(dlg.Form().firstName.size(), std::size_t(40000));
    }

    void untouchedFieldsGiveBackTheirBytes()
    {
        // Text from an old profile in another encoding is not valid UTF-8; a field the
        // user did not touch must come back exactly as it was.
        auto record = std::make_unique<CClientRecord>();
        record->LastName1 = "M\xFCller";
        CAnalysisInfoDlg dlg(nullptr, record.get(), nullptr);
        QCOMPARE(dlg.Form().lastName, std::string("M\xFCller"));
        Type(&dlg, "lastNameEdit", QStringLiteral("M\u00fcller"));
        QCOMPARE(dlg.Form().lastName, std::string("M\xC3\xBCller"));
    }
};

QTEST_MAIN(TestAnalysisInfoDlg)
#include "test_analysis_info_dlg.moc"
