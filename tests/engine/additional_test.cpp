#include "engine/additional.h"
#include "loan_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tw {
namespace {

using testing_support::Analyse;

void ExpectSameColumn(const SavingsColumn &x, const SavingsColumn &y)
{
    EXPECT_DOUBLE_EQ(x.YearsToPayoff, y.YearsToPayoff);
    EXPECT_NEAR(x.InterestSavings, y.InterestSavings, 1e-6);
    EXPECT_EQ(x.PaymentsEliminated, y.PaymentsEliminated);
    EXPECT_DOUBLE_EQ(x.TotalPaymentSavings, y.TotalPaymentSavings);
    EXPECT_DOUBLE_EQ(x.BiWeeklyEquity5, y.BiWeeklyEquity5);
    EXPECT_DOUBLE_EQ(x.BiWeeklyEquity10, y.BiWeeklyEquity10);
    EXPECT_DOUBLE_EQ(x.AverageMonthlySavings, y.AverageMonthlySavings);
    EXPECT_DOUBLE_EQ(x.AverageYearlySavings, y.AverageYearlySavings);
    EXPECT_DOUBLE_EQ(x.InvestmentValue, y.InvestmentValue);
}

TEST(RecalculateAdditional, ZeroAmountEqualsThePlan)
{
    auto a = Analyse();
    a->AdditionalPayment = 0;
    const AdditionalComparison c = RecalculateAdditional(*a);
    ExpectSameColumn(c.additional, PlanColumn(*a));
    EXPECT_NEAR(c.difference.InterestSavings, 0, 1e-6);
    EXPECT_EQ(c.difference.PaymentsEliminated, 0);
    EXPECT_EQ(a->AdditionalSavingsGain, 0);
}

TEST(RecalculateAdditional, PaysTheAmountFromThePlansStart)
{
    auto a = Analyse();
    a->AdditionalPayment = 100;
    RecalculateAdditional(*a);
    const int L = a->PlanStartPayment;
    int listed = 0;
    while (a->ExtraDebitPayments[listed] < L)
        ++listed;
    for (int k = 1; k < L; ++k)
        ASSERT_EQ(a->AdditionalSchedule[k - 1].Extra, 0) << k;
    for (int k = L; a->AdditionalSchedule[k].Balance > 0; ++k) {
        const double extra = a->AdditionalSchedule[k - 1].Extra;
        if (a->ExtraDebitPayments[listed] == k) {
            EXPECT_EQ(extra, 100 + 450) << k;
            ++listed;
        } else {
            EXPECT_EQ(extra, 100) << k;
        }
    }
}

TEST(AdditionalPaymentSession, StartsAtTenAndRecalculatesOnlyOnChange)
{
    auto a = Analyse();
    AdditionalPaymentSession session(*a);
    session.Start();
    EXPECT_EQ(a->AdditionalPayment, 10.00);
    EXPECT_EQ(a->AdditionalPaymentText, "10.00");
    EXPECT_GT(session.Comparison().additional.InterestSavings, a->InterestSavings);

    EXPECT_FALSE(session.Recalculate("10.00"));
    EXPECT_FALSE(session.Recalculate("$10"));
    EXPECT_FALSE(session.Recalculate(""));
    EXPECT_EQ(a->AdditionalPayment, 10.00);
    EXPECT_EQ(a->AdditionalPaymentText, "10"); // as the last typed amount left it: an emptied edit changes nothing
    EXPECT_TRUE(session.Recalculate("$1,00.00"));
    EXPECT_EQ(a->AdditionalPayment, 100.00);
    EXPECT_EQ(a->AdditionalPaymentText, "100.00");
    EXPECT_TRUE(session.Recalculate("abc")); // filters to nothing: counts as 0
    EXPECT_EQ(a->AdditionalPayment, 0);
    ExpectSameColumn(session.Comparison().additional, session.Plan());
}

TEST(AdditionalPaymentSession, OkMakesThePlanThePlanWithTheAmount)
{
    auto a = Analyse();
    AdditionalPaymentSession session(*a);
    session.Start();
    session.Use("150"); // typed but not recalculated yet
    EXPECT_EQ(a->AdditionalPayment, 150);
    const SavingsColumn &x = session.Comparison().additional;
    ExpectSameColumn(PlanColumn(*a), x);
    for (int i = 0; i < a->TermMonths; ++i)
        ASSERT_EQ(a->BiWeeklySchedule[i].Balance, a->AdditionalSchedule[i].Balance) << i;
    // With 150 more every month from payment 86 the loan is paid with payment 240
    // (01/2020 + 239 months), when the monthly loan still owes 59,236.76 (worked by hand).
    EXPECT_EQ(x.PaymentsEliminated, 120);
    EXPECT_EQ(FormatMoney(a->BalanceAtPayoff), "59,236.76");
    EXPECT_EQ(a->PayoffDate, "12/01/2039");
}

TEST(AdditionalPaymentSession, ReopeningAfterOkRestoresThePlanExactly)
{
    auto a = Analyse();
    const auto before = std::make_unique<LoanAnalysis>(*a);
    AdditionalPaymentSession first(*a);
    first.Start();
    first.Use("200");
    AdditionalPaymentSession second(*a);
    second.Start();
    ExpectSameColumn(second.Plan(), PlanColumn(*before));
    EXPECT_EQ(std::memcmp(&a->BiWeeklySchedule, &before->BiWeeklySchedule, sizeof a->BiWeeklySchedule), 0);
    EXPECT_EQ(a->CurrentPaymentText, before->CurrentPaymentText);
    EXPECT_EQ(a->BalanceAtPayoff, before->BalanceAtPayoff);
}

TEST(AdditionalPaymentSession, ReopeningReadsThePaymentAsTheLenderScreenStoredIt)
{
    // That screen keeps the text as typed. Reopening keeps it and shows the plan that a
    // fresh analysis of that payment gives (650.00 is below the loan's 699.21 and raised).
    for (const std::string typed : {"$900.00", "$650.00"}) {
        auto a = Analyse();
        AdditionalPaymentSession first(*a);
        first.Start();
        first.Use("200");
        a->CurrentPaymentText = typed;
        AdditionalPaymentSession second(*a);
        second.Start();
        EXPECT_EQ(a->CurrentPaymentText, typed);
        ExpectSameColumn(second.Plan(), PlanColumn(*Analyse({.payment = typed.substr(1)})));
        EXPECT_GT(second.Comparison().additional.PaymentsEliminated, second.Plan().PaymentsEliminated) << typed;
    }
}

TEST(AdditionalPaymentSession, ExitDropsTheAmountAndKeepsThePlan)
{
    auto a = Analyse();
    const SavingsColumn plan = PlanColumn(*a);
    const std::string payoff = a->PayoffDate;
    AdditionalPaymentSession session(*a);
    session.Start();
    session.Recalculate("300");
    session.Decline();
    EXPECT_EQ(a->AdditionalPayment, 0);
    EXPECT_EQ(a->AdditionalPaymentText, "0");
    ExpectSameColumn(PlanColumn(*a), plan);
    EXPECT_EQ(a->PayoffDate, payoff);
}

TEST(AdditionalPaymentSession, WithoutAnAnalysisShowsNothingAndKeepsSafe)
{
    auto a = std::make_unique<LoanAnalysis>();
    AdditionalPaymentSession session(*a);
    session.Start();
    session.Use("50");
    EXPECT_EQ(session.Comparison().additional.PaymentsEliminated, 0);
    EXPECT_EQ(a->BiWeeklySchedule[0].Balance, 0);
}

} // namespace
} // namespace tw
