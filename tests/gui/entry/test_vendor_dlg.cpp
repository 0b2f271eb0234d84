#include "entry/vendor_dlg.h"

#include "entry_test_support.h"
#include "rules/result_codes.h"

#include <QtTest>

using namespace tw;
using namespace tw::test;

class TestVendorDlg : public QObject {
    Q_OBJECT

    static std::unique_ptr<CClientRecord> StoredClient()
    {
        auto r = std::make_unique<CClientRecord>();
        r->FirstName1 = "Margaret";
        r->LastName1 = "Ellison";
        r->Address = "418 Larkspur Lane";
        r->City = "Fairhaven";
        r->State = "OH";
        r->Zip = "44123";
        r->Analysis.FirstPaymentDate = "06/01/2019";
        r->Analysis.TermText = "30";
        r->Analysis.AmountText = "$180,000";
        r->Analysis.CurrentPaymentText = "1450";
        r->Analysis.LowestRateText = "6.5%";
        r->Analysis.CurrentDate = "01/01/2020";
        return r;
    }

private slots:
    void opensWithTheRecordAndTodaysDate()
    {
        auto r = StoredClient();
        r->Analysis.HighestRateText = "8.0";
        r->Analysis.VariableFlag = 0;
        CVendorEntryDlg dlg(nullptr, r.get(), nullptr, "12/07/2026");
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Vendor Data Entry"));
        // The stored current date is never shown: the form starts from today's.
        QCOMPARE(Edit(&dlg, "currentDateEdit")->text(), QStringLiteral("12/07/2026"));
        auto *variable = dlg.findChild<QCheckBox *>("variableCheck");
        QVERIFY(variable->isChecked());
        QVERIFY(Edit(&dlg, "highestRateEdit")->isEnabled());

        // Clearing Variable empties the highest rate at once and disables it.
        variable->setChecked(false);
        QCOMPARE(Edit(&dlg, "highestRateEdit")->text(), QString());
        QVERIFY(!Edit(&dlg, "highestRateEdit")->isEnabled());
        variable->setChecked(true);
        QVERIFY(Edit(&dlg, "highestRateEdit")->isEnabled());

        // The local date by default.
        CVendorEntryDlg local(nullptr, r.get(), nullptr);
        const QDate today = QDate::currentDate();
        QCOMPARE(Edit(&local, "currentDateEdit")->text(), today.toString(QStringLiteral("MM/dd/yyyy")));
    }

    void printSavesAsTypedAndEndsWithOne()
    {
        Sandbox box;
        CProfileStore store(box.ProfilePath().toStdString());
        auto r = StoredClient();
        MessageLog log;
        CVendorEntryDlg dlg(nullptr, r.get(), &store, "12/07/2026");
        QVERIFY(Open(dlg));
        Type(&dlg, "workPhone2Edit", QStringLiteral("(216) 555-0193"));
        Click(&dlg, "printButton");
        QCOMPARE(log.texts, QStringList());
        QCOMPARE(dlg.result(), int(kResultYes));
        auto saved = LoadRecord(box.ProfilePath());
        QCOMPARE(Q(saved->Analysis.AmountText), QStringLiteral("$180,000"));
        QCOMPARE(Q(saved->Analysis.LowestRateText), QStringLiteral("6.5%"));
        QCOMPARE(Q(saved->Analysis.CurrentDate), QStringLiteral("12/07/2026"));
        QCOMPARE(Q(saved->WorkPhone2), QStringLiteral("(216) 555-0193"));
    }

    void clearLeavesPaymentAndDateAndStopsAtTheStartDate()
    {
        auto r = StoredClient();
        MessageLog log;
        CVendorEntryDlg dlg(nullptr, r.get(), nullptr, "12/07/2026");
        QVERIFY(Open(dlg));
        Click(&dlg, "clearButton");
        QCOMPARE(Edit(&dlg, "firstName1Edit")->text(), QStringLiteral(" "));
        QCOMPARE(Edit(&dlg, "currentPaymentEdit")->text(), QStringLiteral("1450"));
        QCOMPARE(Edit(&dlg, "currentDateEdit")->text(), QStringLiteral("12/07/2026"));
        Click(&dlg, "printButton");
        QCOMPARE(log.texts.size(), 1);
        QVERIFY(log.texts[0].startsWith(QStringLiteral("The loan start date format is incorrect.")));
        QCOMPARE(FocusName(&dlg), QStringLiteral("firstPaymentDateEdit"));
    }

    void closeStoresNothing()
    {
        Sandbox box;
        CProfileStore store(box.ProfilePath().toStdString());
        auto r = StoredClient();
        CVendorEntryDlg dlg(nullptr, r.get(), &store, "12/07/2026");
        QVERIFY(Open(dlg));
        Type(&dlg, "cityEdit", QStringLiteral("Elsewhere"));
        Click(&dlg, "closeButton");
        QCOMPARE(dlg.result(), int(kResultCancel));
        QCOMPARE(Q(r->City), QStringLiteral("Fairhaven"));
        QVERIFY(!box.ProfileExists());
    }

    void unsavableProfileIsReported()
    {
        Sandbox box;
        CProfileStore store(box.UnwritableProfilePath().toStdString());
        auto r = StoredClient();
        MessageLog log;
        CVendorEntryDlg dlg(nullptr, r.get(), &store, "12/07/2026");
        QVERIFY(Open(dlg));
        Click(&dlg, "printButton");
        QCOMPARE(log.texts.size(), 1);
        QVERIFY(dlg.isVisible());
    }
};

QTEST_MAIN(TestVendorDlg)
#include "test_vendor_dlg.moc"
