// The additional-payment comparison: every way through it goes by the engine's session,
// and the figures on screen are the session's.
#include "engine/additional.h"
#include "engine/schedules.h"
#include "record/client_record.h"
#include "screens/additional_dlg.h"
#include "rules/result_codes.h"
#include "record/sample_client.h"
#include "screens/screen_texts.h"
#include "screens/ui_common.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tw;

namespace {

const char *const kKeys[kComparisonRows] = {"YearsToPayOff", "InterestSavings", "PaymentsEliminated",
    "TotalPaymentSavings", "Equity5", "Equity10", "AverageMonthlySavings", "AverageYearlySavings", "CashAvailable"};

std::array<QString, kComparisonRows> Column(CAdditionalPaymentDlg &dlg, const char *column)
{
    std::array<QString, kComparisonRows> texts;
    for (int r = 0; r < kComparisonRows; ++r) {
        auto *e = dlg.findChild<QLineEdit *>(QString::fromLatin1(column) + QString::fromLatin1(kKeys[r]));
        texts[r] = e ? e->text() : QStringLiteral("<missing>");
    }
    return texts;
}

QLineEdit *AmountEdit(CAdditionalPaymentDlg &dlg)
{
    return dlg.findChild<QLineEdit *>(QStringLiteral("additionalPaymentEdit"));
}

void Click(CAdditionalPaymentDlg &dlg, const char *button)
{
    QTest::mouseClick(dlg.findChild<QPushButton *>(QString::fromLatin1(button)), Qt::LeftButton);
}

// What the session computes for |amount| on a copy of the sample client's analysis.
AdditionalComparison Expected(const LoanAnalysis &base, const char *amount)
{
    auto copy = std::make_unique<LoanAnalysis>(base);
    AdditionalPaymentSession session(*copy);
    session.Start();
    session.Recalculate(amount);
    return session.Comparison();
}

SavingsColumn FiguresOf(const LoanAnalysis &a)
{
    return PlanColumn(a);
}

} // namespace

class TestAdditionalDlg : public QObject {
    Q_OBJECT
private slots:
    void init();
    void opensWithTenDollars();
    void recalculateOnlyWhenTheAmountChanges();
    void okKeepsTheAmountAsThePlan();
    void exitDropsTheAmount_data();
    void exitDropsTheAmount();
    void reopeningAfterOkRestoresThePlan();
    void zeroAmountChangesNothing();
    void amountThatIsNoMoneyIsRefused_data();
    void amountThatIsNoMoneyIsRefused();
    void looksAsDescribed();

private:
    std::unique_ptr<CClientRecord> record_;
    std::unique_ptr<LoanAnalysis> base_; // the sample's analysis as computed
};

void TestAdditionalDlg::init()
{
    record_ = std::make_unique<CClientRecord>();
    FillSampleClient(*record_);
    base_ = std::make_unique<LoanAnalysis>(record_->Analysis);
}

void TestAdditionalDlg::opensWithTenDollars()
{
    const SavingsColumn plan = FiguresOf(*base_);
    const AdditionalComparison ten = Expected(*base_, "10.00");
    // Whatever an earlier run left, the screen starts again from 10.00.
    record_->Analysis.AdditionalPaymentText = "55";
    CAdditionalPaymentDlg dlg(nullptr, record_.get());
    QCOMPARE(AmountEdit(dlg)->text(), QStringLiteral("10.00"));
    QCOMPARE(record_->Analysis.AdditionalPayment, 10.0);
    QCOMPARE(record_->Analysis.AdditionalPaymentText, std::string("10.00"));
    QCOMPARE(Column(dlg, "normal"), ComparisonColumnTexts(plan));
    QCOMPARE(Column(dlg, "additional"), ComparisonColumnTexts(ten.additional));
    QCOMPARE(Column(dlg, "difference"), ComparisonColumnTexts(ten.difference));
    // Paying more pays off sooner: a negative difference in years, shown with its sign.
    QVERIFY(ten.difference.YearsToPayoff < 0);
    QVERIFY(Column(dlg, "difference")[0].startsWith(QLatin1Char('-')));
    QVERIFY(ten.additional.InterestSavings > plan.InterestSavings);
}

void TestAdditionalDlg::recalculateOnlyWhenTheAmountChanges()
{
    CAdditionalPaymentDlg dlg(nullptr, record_.get());
    const auto atTen = Column(dlg, "additional");
    const double balanceAtTen = record_->Analysis.AdditionalSchedule[24].Balance;

    Click(dlg, "recalculateButton"); // the same amount
    QCOMPARE(Column(dlg, "additional"), atTen);
    AmountEdit(dlg)->setText(QStringLiteral("$10.00"));
    Click(dlg, "recalculateButton"); // the same amount, written otherwise
    QCOMPARE(Column(dlg, "additional"), atTen);
    AmountEdit(dlg)->clear();
    Click(dlg, "recalculateButton"); // nothing typed
    QCOMPARE(Column(dlg, "additional"), atTen);
    QCOMPARE(record_->Analysis.AdditionalPayment, 10.0);
    QCOMPARE(record_->Analysis.AdditionalSchedule[24].Balance, balanceAtTen);

    AmountEdit(dlg)->setText(QStringLiteral("150"));
    Click(dlg, "recalculateButton");
    QCOMPARE(record_->Analysis.AdditionalPayment, 150.0);
    const AdditionalComparison more = Expected(*base_, "150");
    QCOMPARE(Column(dlg, "additional"), ComparisonColumnTexts(more.additional));
    QCOMPARE(Column(dlg, "difference"), ComparisonColumnTexts(more.difference));
    QCOMPARE(Column(dlg, "normal"), ComparisonColumnTexts(FiguresOf(*base_)));
}

void TestAdditionalDlg::okKeepsTheAmountAsThePlan()
{
    CAdditionalPaymentDlg dlg(nullptr, record_.get());
    // Typed but not recalculated: Ok takes it all the same.
    AmountEdit(dlg)->setText(QStringLiteral("75.00"));
    Click(dlg, "okButton");
    QCOMPARE(dlg.result(), int(kResultYes));

    const LoanAnalysis &a = record_->Analysis;
    const AdditionalComparison kept = Expected(*base_, "75.00");
    QCOMPARE(a.AdditionalPayment, 75.0);
    QCOMPARE(a.AdditionalPaymentText, std::string("75.00"));
    QCOMPARE(ComparisonColumnTexts(FiguresOf(a)), ComparisonColumnTexts(kept.additional));
    QCOMPARE(a.PaymentsEliminated, kept.additional.PaymentsEliminated);
    QCOMPARE(a.PayoffDate, PayoffDateFor(a, a.AdditionalSchedule));
    QVERIFY(a.PayoffDate != base_->PayoffDate);
    QCOMPARE(a.BiWeeklySchedule[30].Balance, a.AdditionalSchedule[30].Balance);
}

void TestAdditionalDlg::exitDropsTheAmount_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Exit") << "exitButton";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("close button") << "close";
}

void TestAdditionalDlg::exitDropsTheAmount()
{
    QFETCH(QString, how);
    CAdditionalPaymentDlg dlg(nullptr, record_.get());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    AmountEdit(dlg)->setText(QStringLiteral("200"));
    Click(dlg, "recalculateButton");
    if (how == QStringLiteral("escape"))
        QTest::keyClick(&dlg, Qt::Key_Escape);
    else if (how == QStringLiteral("close"))
        dlg.close();
    else
        Click(dlg, qPrintable(how));
    QCOMPARE(dlg.result(), int(kResultCancel));
    const LoanAnalysis &a = record_->Analysis;
    QCOMPARE(a.AdditionalPayment, 0.0);
    QCOMPARE(a.AdditionalPaymentText, std::string("0"));
    // The plan and its figures are as they were.
    QCOMPARE(ComparisonColumnTexts(FiguresOf(a)), ComparisonColumnTexts(FiguresOf(*base_)));
    QCOMPARE(a.PayoffDate, base_->PayoffDate);
    QCOMPARE(a.BiWeeklySchedule[30].Balance, base_->BiWeeklySchedule[30].Balance);
}

void TestAdditionalDlg::reopeningAfterOkRestoresThePlan()
{
    {
        CAdditionalPaymentDlg first(nullptr, record_.get());
        AmountEdit(first)->setText(QStringLiteral("300"));
        Click(first, "okButton");
    }
    QVERIFY(record_->Analysis.PaymentsEliminated > base_->PaymentsEliminated);
    CAdditionalPaymentDlg again(nullptr, record_.get());
    QCOMPARE(Column(again, "normal"), ComparisonColumnTexts(FiguresOf(*base_)));
    QCOMPARE(Column(again, "additional"), ComparisonColumnTexts(Expected(*base_, "10.00").additional));
    QCOMPARE(AmountEdit(again)->text(), QStringLiteral("10.00"));
}

void TestAdditionalDlg::zeroAmountChangesNothing()
{
    CAdditionalPaymentDlg dlg(nullptr, record_.get());
    AmountEdit(dlg)->setText(QStringLiteral("0"));
    Click(dlg, "recalculateButton");
    QCOMPARE(Column(dlg, "additional"), Column(dlg, "normal"));
    for (const QString &d : Column(dlg, "difference"))
        QVERIFY2(d == QStringLiteral("0.00") || d == QStringLiteral("0.0") || d == QStringLiteral("0"), qPrintable(d));
}

void TestAdditionalDlg::amountThatIsNoMoneyIsRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("said");
    for (const char *button : {"recalculateButton", "okButton"}) {
        QTest::addRow("abc, %s", button) << "abc" << button << "amount of money";
        QTest::addRow("-20, %s", button) << "-20" << button << "cannot be negative";
    }
}

void TestAdditionalDlg::amountThatIsNoMoneyIsRefused()
{
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(QString, said);
    QStringList messages;
    SetMessageSink([&messages](const QString &text) { messages << text; });
    CAdditionalPaymentDlg dlg(nullptr, record_.get());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const auto atTen = Column(dlg, "additional");
    AmountEdit(dlg)->setText(typed);
    Click(dlg, qPrintable(button));
    SetMessageSink({});
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].contains(said), qPrintable(messages[0]));
    QVERIFY(dlg.isVisible());
    QCOMPARE(AmountEdit(dlg)->text(), typed); // kept, to be corrected
    QCOMPARE(record_->Analysis.AdditionalPayment, 10.0);
    QCOMPARE(Column(dlg, "additional"), atTen);
}

void TestAdditionalDlg::looksAsDescribed()
{
    CAdditionalPaymentDlg dlg(nullptr, record_.get());
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Tallowin"));
    auto *ok = dlg.findChild<QPushButton *>(QStringLiteral("okButton"));
    auto *exit = dlg.findChild<QPushButton *>(QStringLiteral("exitButton"));
    auto *recalc = dlg.findChild<QPushButton *>(QStringLiteral("recalculateButton"));
    QCOMPARE(ok->text(), QStringLiteral("&Ok (Use Additional Pmt.)"));
    QCOMPARE(exit->text(), QStringLiteral("&Exit (Don't use additional Pmt.)"));
    QCOMPARE(recalc->text(), QStringLiteral("&ReCalculate"));
    QCOMPARE(recalc->property("controlId").toInt(), 1183);
    QCOMPARE(AmountEdit(dlg)->property("controlId").toInt(), 1032);
    QStringList labels;
    for (QLabel *l : dlg.findChildren<QLabel *>())
        labels << l->text();
    for (const QString &expected : ComparisonRowLabels())
        QVERIFY2(labels.contains(expected), qPrintable(expected));
    for (const char *heading : {"Normal Bi-Weekly", "Additional Payment", "Difference", "Additional Payment:"})
        QVERIFY2(labels.contains(QString::fromLatin1(heading)), heading);
    QCOMPARE(dlg.findChild<QLineEdit *>(QStringLiteral("differenceTotalPaymentSavings"))->property("controlId").toInt(),
        1057);
    for (QLineEdit *e : dlg.findChildren<QLineEdit *>())
        QCOMPARE(e->isReadOnly(), e != AmountEdit(dlg));
}

QTEST_MAIN(TestAdditionalDlg)
#include "tst_additional_dlg.moc"
