#include "screens/summary_texts.h"

#include "engine/costs.h"
#include "engine/debits.h"
#include "format/number_text.h"

namespace tw {

namespace {

const QString kNothing = QStringLiteral("  -0-");

QString Money(double value)
{
    return QString::fromStdString(FormatMoney(value));
}

QString OneDecimal(double value)
{
    return QString::fromStdString(FormatOneDecimal(value));
}

} // namespace

QString RebuildCashAvailableLabel(const QString &label, const QString &years)
{
    const qsizetype at = label.indexOf(QStringLiteral("30"));
    if (at < 0)
        return label;
    QString before = label.left(at);
    before.chop(1);
    return before + QLatin1Char(' ') + years + label.mid(at + 2);
}

QString BalanceDueLabel(const QString &years)
{
    return QStringLiteral("Balance Due After %1 Years:").arg(years);
}

CostTexts BuildCostTexts(const LoanAnalysis &a)
{
    const PlanCosts costs = ComputePlanCosts(a);
    const DoItYourself &diy = a.Diy;
    CostTexts t;
    t.title = QStringLiteral("What the plan costs");
    t.labels = {QStringLiteral("Fees over the plan (%1 debits of $%2)")
                    .arg(QString::number(costs.PlanDebits), Money(FeePerDebit)),
        QStringLiteral("Net savings after fees"), QStringLiteral("Break-even date")};
    t.values = {Money(costs.TotalFees), QString::fromStdString(SignedMoney(costs.NetSavings)),
        costs.BreakEvenDate.empty() ? QStringLiteral("None") : QString::fromStdString(costs.BreakEvenDate)};
    t.breakEvenSentence = costs.BreakEvenDate.empty()
        ? QStringLiteral("The interest saved never catches up with the fees: the plan costs more than it saves.")
        : QStringLiteral("Selling or refinancing before %1 means the plan cost more than it saved.")
              .arg(QString::fromStdString(costs.BreakEvenDate));
    t.doItYourself = QStringLiteral("Doing it yourself: adding $%1 to principal with every monthly payment from %2 "
                                    "pays the loan off by %3 and saves $%4 in interest, at no charge.")
                         .arg(Money(diy.ExtraPerMonth), QString::fromStdString(a.FirstPlanPaymentDate),
                             QString::fromStdString(diy.DiyPayoffDate), Money(diy.DiyInterestSavings));
    return t;
}

SummaryTexts BuildSummaryTexts(const LoanAnalysis &a)
{
    SummaryTexts t;
    t.title = QStringLiteral("Here's a summary comparison of your mortgage...");
    t.withoutHeading = QStringLiteral("    WITHOUT\nOur Free Service:");
    t.withHeading = QStringLiteral("       WITH\nOur Free Service:");

    const QString remaining = OneDecimal(a.RemainingYears);
    const QString planYears = OneDecimal(a.PlanYears);
    auto &r = t.rows;
    r[kRowRemainingYears] = {QStringLiteral("Remaining Years To Pay"), remaining, planYears};
    r[kRowInterestSavings] = {QStringLiteral("Interest Savings"), kNothing, Money(a.InterestSavings)};
    r[kRowPaymentsSaved] = {QStringLiteral("Monthly Payments Saved"), kNothing, QString::number(a.PaymentsEliminated)};
    r[kRowTotalSavings] = {QStringLiteral("Total Savings"), kNothing, Money(a.TotalPaymentSavings)};
    r[kRowEquity5] = {QStringLiteral("Equity 5 Years From Today"), Money(a.NormalEquity5), Money(a.BiWeeklyEquity5)};
    r[kRowEquity10]
        = {QStringLiteral("Equity 10 Years From Today"), Money(a.NormalEquity10), Money(a.BiWeeklyEquity10)};
    r[kRowBalanceDue] = {BalanceDueLabel(planYears), Money(a.BalanceAtPayoff), kNothing};
    r[kRowAverageMonthly] = {QStringLiteral("Average Monthly Savings"), kNothing, Money(a.AverageMonthlySavings)};
    r[kRowAverageYearly] = {QStringLiteral("Average Yearly Savings"), kNothing, Money(a.AverageYearlySavings)};
    r[kRowCashAvailable]
        = {RebuildCashAvailableLabel(
               QStringLiteral("Cash Available After 30 Years\n(Based on a 10% Investment)"), remaining),
            kNothing, Money(a.InvestmentValue)};
    r[kRowOvercharged] = {QStringLiteral("Chances of being overcharged \nby a Lender  Miscalculation \naccording "
                                         "to the F.D.I.C."),
        QStringLiteral("1 In 2 (50%)"), QStringLiteral(" NONE")};
    t.costs = BuildCostTexts(a);
    return t;
}

} // namespace tw
