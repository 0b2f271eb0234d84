// The summary comparison: figures computed and stored on opening, shown as the texts
// of the comparison, and the screen's results.
#include "engine/figures.h"
#include "format/number_text.h"
#include "record/client_record.h"
#include "rules/result_codes.h"
#include "record/sample_client.h"
#include "screens/summary_dlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tw;

namespace {

QString Field(QDialog &dlg, const char *name)
{
    auto *edit = dlg.findChild<QLineEdit *>(QString::fromLatin1(name));
    return edit ? edit->text() : QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
}

QString Label(QDialog &dlg, const char *name)
{
    auto *label = dlg.findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
}

} // namespace

class TestSummaryDlg : public QObject {
    Q_OBJECT
private slots:
    void openingComputesStoresAndShowsTheFigures();
    void results_data();
    void results();
};

// The end-to-end run holds every figure against the command line's; here is what only this
// screen decides: that it computes afresh, its fixed texts, its labels and the costs.
void TestSummaryDlg::openingComputesStoresAndShowsTheFigures()
{
    CClientRecord record;
    FillSampleClient(record);
    LoanAnalysis expected = record.Analysis;
    ComputeSummaryScreenFigures(expected);
    // Stale figures from an earlier run are overwritten, and the texts are of the new ones.
    record.Analysis.PaymentsEliminated = -1;
    record.Analysis.InvestmentValue = 1;
    record.Analysis.RemainingYears = 0;
    record.Analysis.PlanYears = 0;
    CSummaryDlg dlg(nullptr, &record);
    const LoanAnalysis &a = record.Analysis;
    QCOMPARE(a.PaymentsEliminated, expected.PaymentsEliminated);
    QCOMPARE(a.InvestmentValue, expected.InvestmentValue);
    QCOMPARE(a.BalanceAtPayoff, expected.BalanceAtPayoff);
    QVERIFY(a.PaymentsEliminated > 0);
    const QString remaining = QString::fromStdString(FormatOneDecimal(expected.RemainingYears));
    QCOMPARE(Field(dlg, "remainingYearsWithout"), remaining);
    QCOMPARE(Label(dlg, "cashAvailableLabel"),
        QStringLiteral("Cash Available After %1 Years\n(Based on a 10% Investment)").arg(remaining));
    QCOMPARE(Label(dlg, "balanceDueLabel"),
        QStringLiteral("Balance Due After %1 Years:")
            .arg(QString::fromStdString(FormatOneDecimal(expected.PlanYears))));

    for (const char *name : {"interestSavingsWithout", "paymentsSavedWithout", "totalSavingsWithout",
             "averageMonthlyWithout", "averageYearlyWithout", "cashAvailableWithout", "balanceDueWith"})
        QCOMPARE(Field(dlg, name), QStringLiteral("  -0-"));
    QCOMPARE(Field(dlg, "overchargedWithout"), QStringLiteral("1 In 2 (50%)"));
    QCOMPARE(Field(dlg, "overchargedWith"), QStringLiteral(" NONE"));
    QCOMPARE(Label(dlg, "withoutHeading"), QStringLiteral("    WITHOUT\nOur Free Service:"));
    QCOMPARE(Label(dlg, "withHeading"), QStringLiteral("       WITH\nOur Free Service:"));
    QCOMPARE(Label(dlg, "titleLabel"), QStringLiteral("Here's a summary comparison of your mortgage..."));
    QCOMPARE(Label(dlg, "overchargedLabel"),
        QStringLiteral("Chances of being overcharged \nby a Lender  Miscalculation \naccording to the F.D.I.C."));

    // The sample loan's costs, worked out from the written rules apart from this code.
    QCOMPARE(Label(dlg, "feesLabel"), QStringLiteral("Fees over the plan (471 debits of $3.45)"));
    QCOMPARE(Field(dlg, "feesWith"), QStringLiteral("1,624.95"));
    QCOMPARE(Field(dlg, "netSavingsWith"), QStringLiteral("30,524.32"));
    QCOMPARE(Field(dlg, "breakEvenWith"), QStringLiteral("11/01/2028"));
    QVERIFY(Label(dlg, "breakEvenSentence").startsWith(QStringLiteral("Selling or refinancing before 11/01/2028")));
    QVERIFY(Label(dlg, "doItYourselfLabel").contains(QStringLiteral("$120.83 to principal")));
    QVERIFY(Label(dlg, "doItYourselfLabel").contains(QStringLiteral("by 03/01/2045 and saves $30,947.25")));

    const auto edits = dlg.findChildren<QLineEdit *>();
    QCOMPARE(edits.size(), 25);
    for (QLineEdit *e : edits)
        QVERIFY2(e->isReadOnly(), qPrintable(e->objectName()));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Tallowin"));
    QVERIFY(dlg.findChild<QLabel *>(QStringLiteral("logo"))->pixmap().size() == QSize(48, 48));
}

void TestSummaryDlg::results_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("Back") << "backButton" << int(kResultBack);
    QTest::newRow("Continue") << "continueButton" << int(kResultForward);
    QTest::newRow("Escape") << "" << int(kResultCancel);
}

void TestSummaryDlg::results()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    CClientRecord record;
    FillSampleClient(record);
    CSummaryDlg dlg(nullptr, &record);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    auto *cont = dlg.findChild<QPushButton *>(QStringLiteral("continueButton"));
    QVERIFY(cont->isDefault());
    QCOMPARE(cont->text(), QStringLiteral("&Continue ->"));
    if (button.isEmpty())
        QTest::keyClick(&dlg, Qt::Key_Escape);
    else
        QTest::mouseClick(dlg.findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(dlg.result(), result);
    QVERIFY(!dlg.isVisible());
}

QTEST_MAIN(TestSummaryDlg)
#include "tst_summary_dlg.moc"
