#include "loan_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tw {
namespace {

using testing_support::Analyse;
using testing_support::LoanTexts;

TEST(ComputeSummaryFigures, ReferenceLoan)
{
    const auto a = Analyse();
    EXPECT_EQ(a->PaymentsEliminated, 60);
    EXPECT_EQ(FormatMoney(a->TotalInterest), "151,721.99");
    EXPECT_EQ(FormatMoney(a->InterestSavings), "25,649.05");
    EXPECT_EQ(FormatMoney(a->FiveYearPrincipal), "5,382.20");

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

TEST(ComputeSummaryFigures, RelationsBetweenTheFigures)
{
    const auto a = Analyse({.firstPayment = "09/01/2022"});
    EXPECT_EQ(a->PlanStartPayment, 54);
    EXPECT_EQ(FormatOneDecimal(a->RemainingYears), "25.5");
    const int c = a->TermMonths - a->PaymentsEliminated;
    EXPECT_DOUBLE_EQ(a->YearsToPayoff, c * kOneTwelfth);
    EXPECT_DOUBLE_EQ(a->PlanYears, (c - 54) * kOneTwelfth);
    EXPECT_DOUBLE_EQ(a->TotalPaymentSavings, a->PaymentsEliminated * a->MonthlySchedule[0].Payment);
    EXPECT_DOUBLE_EQ(a->AverageMonthlySavings, a->TotalPaymentSavings / c);
    EXPECT_DOUBLE_EQ(a->AverageYearlySavings, a->AverageMonthlySavings * 12);
    EXPECT_EQ(a->BalanceAtPayoff, a->MonthlySchedule[c - 1].Balance);
    EXPECT_EQ(a->NormalEquity5, 100000 - a->MonthlySchedule[54 + 59].Balance);
    EXPECT_EQ(a->BiWeeklyEquity10, 100000 - a->BiWeeklySchedule[54 + 119].Balance);
    EXPECT_GT(a->BiWeeklyEquity10, a->NormalEquity10);
    EXPECT_EQ(a->TotalPaid, 100000 + a->TotalInterest);
    EXPECT_EQ(a->FiveYearBalance, a->MonthlySchedule[59].Balance);
    EXPECT_EQ(a->FiveYearPayments, a->MonthlySchedule[0].Payment * 60);
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
    const double payment = a->MonthlySchedule[0].Payment;
    EXPECT_EQ(f.fiveYearPayments, payment * 60);
    EXPECT_EQ(f.fiveYearPrincipal, a->FiveYearPrincipal);
    EXPECT_DOUBLE_EQ(f.fiveYearInterest, payment * 60 - f.fiveYearPrincipal);
    EXPECT_NEAR(f.fiveYearBalance, a->MonthlySchedule[60].Balance, 1e-6); // the balance after 60 payments
    EXPECT_NEAR(f.tenYearBalance, a->MonthlySchedule[120].Balance, 1e-6);
    const int half = static_cast<int>(std::lround(f.yearsToPayHalf * 12));
    EXPECT_LT(a->MonthlySchedule[half].Balance, 50000);
    EXPECT_GE(a->MonthlySchedule[half - 1].Balance, 50000);
    EXPECT_DOUBLE_EQ(f.halfPrincipalPayments, payment * half);
    EXPECT_EQ(f.totalInterest, a->TotalInterest);
    EXPECT_EQ(f.totalPaid, a->TotalPaid);
}

} // namespace
} // namespace tw
