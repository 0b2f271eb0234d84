#include "engine/costs.h"
#include "loan_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tw {
namespace {

using testing_support::Analyse;
using testing_support::LoanTexts;

// Each figure against its text, worked out by hand: 100,000 at 7.5 % over 30 years
// amortized month by month in cents at the payment 699.2145 (699.21 after row 0); the
// annuity formula agrees to the dollar (after 120 payments 86,794.99 is owed).
void ExpectMoney(std::initializer_list<std::pair<double, const char *>> figures)
{
    for (const auto &[value, text] : figures)
        EXPECT_EQ(FormatMoney(value), text);
}

TEST(ComputeSummaryFigures, ReferenceLoan)
{
    const auto a = Analyse();
    EXPECT_EQ(a->PaymentsEliminated, 60);
    ExpectMoney({{a->TotalInterest, "151,721.99"}, {a->InterestSavings, "25,649.05"},
        {a->FiveYearPrincipal, "5,382.20"}, {a->FiveYearInterest, "36,570.40"}, {a->FiveYearBalance, "94,724.98"},
        {a->FiveYearPayments, "41,952.87"}, {a->TenYearPrincipal, "13,204.11"}, {a->TenYearInterest, "70,701.09"},
        {a->TenYearBalance, "86,951.65"}, {a->TenYearPayments, "83,905.74"}, {a->YearsToPayHalf, "22.08"},
        {a->PaymentsToPayHalf, "185,291.85"}, {a->TotalPaid, "251,721.99"},
        // 60 freed payments p = 699.2145 at g = 1.008333: p g^60 + p (g^59 - 1) / (g - 1).
        {a->InvestmentValue, "54,154.06"}});

    const auto notStarted = Analyse({.firstPayment = "03/01/2027"});
    EXPECT_EQ(notStarted->PaymentsEliminated, 99);
    EXPECT_EQ(FormatMoney(notStarted->InterestSavings), "48,965.83");
}

TEST(ComputeSummaryFigures, SavingsAndPlanInterestAddUpToTheLoansInterest)
{
    for (const char *first : {"01/01/2020", "03/01/2027", "06/30/2011"}) {
        const auto a = Analyse({.firstPayment = first});
        double planInterest = 0;
        for (int i = 0; a->BiWeeklySchedule[i].Interest > 0; ++i)
            planInterest += a->BiWeeklySchedule[i].Interest;
        EXPECT_NEAR(a->InterestSavings + planInterest, a->TotalInterest, 1e-6) << first;
    }
}

TEST(ComputeSummaryFigures, LoanStartedIn2022)
{
    const auto a = Analyse({.firstPayment = "09/01/2022"});
    EXPECT_EQ(a->PlanStartPayment, 54);
    // The plan's last payment is month c = 287: 360 - 287 = 73 payments eliminated,
    // 287 / 12 = 23.92 years, (287 - 54) / 12 = 19.42 of them under the plan, (360 - 54) / 12
    // = 25.50 left today; 73 x 699.2145 = 51,042.66 saved, / 287 = 177.85 a month.
    EXPECT_EQ(a->PaymentsEliminated, 73);
    ExpectMoney({{a->YearsToPayoff, "23.92"}, {a->PlanYears, "19.42"}, {a->RemainingYears, "25.50"},
        {a->TotalPaymentSavings, "51,042.66"}, {a->AverageMonthlySavings, "177.85"},
        {a->AverageYearlySavings, "2,134.19"}, {a->BalanceAtPayoff, "41,328.52"}, {a->NormalEquity5, "12,133.89"},
        {a->NormalEquity10, "23,016.38"}, {a->BiWeeklyEquity5, "18,081.63"}, {a->BiWeeklyEquity10, "37,052.88"}});
}

TEST(InvestmentValue, CompoundsTheFreedPaymentsAtTheFixedMonthlyRate)
{
    EXPECT_DOUBLE_EQ(InvestmentValueOf(500, 1), 500 * 1.008333);
    EXPECT_DOUBLE_EQ(InvestmentValueOf(1000, 2), 500 * 1.008333 * 1.008333 + 500);
    EXPECT_EQ(InvestmentValueOf(1000, 0), 0);
    EXPECT_EQ(InvestmentValueOf(1000, -3), 0);
}

TEST(ComputeSummaryFigures, RowsPastTheScheduleReadAsPaidOff)
{
    // Started in 1988 on a 40-year term: the plan starts near the end, so the equity
    // rows lie beyond the schedule and the plan eliminates no payment at all.
    const auto a = Analyse({.firstPayment = "06/01/1988", .term = "40"});
    ASSERT_TRUE(a);
    EXPECT_GT(a->PlanStartPayment + 59, a->TermMonths);
    EXPECT_EQ(a->BiWeeklyEquity5, 100000);
    EXPECT_EQ(a->NormalEquity10, 100000);
    EXPECT_GE(a->PaymentsEliminated, 0);
    for (double v : {a->AverageMonthlySavings, a->AverageYearlySavings, a->InvestmentValue, a->PlanYears})
        EXPECT_TRUE(std::isfinite(v));
}

// Seen on 12/08/2026, a loan first paid on 03/15/1997 is in its last month: the plan's
// first payment is the loan's 360th and last. It eliminates and saves nothing, and its
// fees are never paid back (the entry checks refuse such a loan).
TEST(ComputeSummaryFigures, APlanStartingOnTheLastPaymentSavesNothing)
{
    const auto a = Analyse({.today = "12/08/2026", .firstPayment = "03/15/1997"});
    ASSERT_TRUE(a);
    EXPECT_EQ(a->PlanStartPayment, 360);
    for (const double v : {double(a->PaymentsEliminated), a->PlanYears, a->InterestSavings, a->TotalPaymentSavings,
             a->AverageMonthlySavings, a->InvestmentValue})
        EXPECT_EQ(v, 0);
    EXPECT_EQ(ComputePlanCosts(*a).BreakEvenDate, "");
}

TEST(ComputeSummaryFigures, NoPaymentEliminatedGivesZeroAverages)
{
    auto a = Analyse();
    // A plan that never gets ahead of the monthly loan.
    a->BiWeeklySchedule = a->MonthlySchedule;
    ComputeSummaryScreenFigures(*a);
    EXPECT_EQ(a->PaymentsEliminated, 0);
    EXPECT_EQ(a->InvestmentValue, 0);
    EXPECT_EQ(a->InterestSavings, 0);
    EXPECT_DOUBLE_EQ(a->AverageMonthlySavings, 0);
}

TEST(ComputeSummaryFigures, FreshAnalysisShowsZeros)
{
    auto a = std::make_unique<LoanAnalysis>();
    ComputeSummaryFigures(*a);
    EXPECT_EQ(a->PaymentsEliminated, 0);
    EXPECT_EQ(a->InvestmentValue, 0);
    EXPECT_EQ(a->AverageMonthlySavings, 0);
    EXPECT_EQ(a->BalanceAtPayoff, 0);
    EXPECT_EQ(a->TotalInterest, 0);
}

TEST(SlideNineFigures, FollowTheSlidesOwnRules)
{
    const auto a = Analyse();
    const SlideNineFigures f = ComputeSlideNineFigures(*a);
    // The slide takes interest as payments less principal and the balance after 60 and
    // 120 payments: 41,952.87 - 5,382.20 = 36,570.67; 100,000 - 13,204.11 = 86,795.89.
    // Half the loan is paid with payment 265 (the annuity formula: 50,362 owed after 264,
    // 49,977 after 265): 265 / 12 = 22.08 years, 265 x 699.2145 = 185,291.85.
    ExpectMoney(
        {{f.fiveYearPayments, "41,952.87"}, {f.fiveYearPrincipal, "5,382.20"}, {f.fiveYearInterest, "36,570.67"},
            {f.fiveYearBalance, "94,617.80"}, {f.tenYearPayments, "83,905.74"}, {f.tenYearPrincipal, "13,204.11"},
            {f.tenYearInterest, "70,701.63"}, {f.tenYearBalance, "86,795.89"}, {f.yearsToPayHalf, "22.08"},
            {f.halfPrincipalPayments, "185,291.85"}, {f.totalInterest, "151,721.99"}, {f.totalPaid, "251,721.99"}});
}

} // namespace
} // namespace tw
