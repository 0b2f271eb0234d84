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
    const auto plan = std::make_unique<LoanAnalysis>(*a);
    AdditionalPaymentSession session(*a);
    session.Start();
    session.Use("150"); // typed but not recalculated yet
    EXPECT_EQ(a->AdditionalPayment, 150);
    const SavingsColumn &x = session.Comparison().additional;
    ExpectSameColumn(PlanColumn(*a), x);
    // The plan takes the rows' money but keeps its own extras: the third debits it listed.
    for (int i = 0; i < a->TermMonths; ++i) {
        const ScheduleRow &c = a->BiWeeklySchedule[i];
        const ScheduleRow &d = a->AdditionalSchedule[i];
        ASSERT_TRUE(c.Balance == d.Balance && c.Payment == d.Payment && c.Interest == d.Interest
            && c.Principal == d.Principal && c.Extra == plan->BiWeeklySchedule[i].Extra)
            << i;
    }
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

// The summary screen recomputes its figures from the plan schedule; after OK that
// schedule is the plan with the amount, so the summary's way to PlanYears is a second
// path to the figure the later screens show. The 125.50 case is the one found with
// "eliminate 71 payments in just 19.5 years".
TEST(AdditionalPaymentSession, OkTakesPlanYearsAlongAndReopeningRestoresThem)
{
    testing_support::LoanTexts tried;
    tried.today = "12/08/2026";
    tried.firstPayment = "04/15/2019";
    tried.amount = "187500";
    tried.payment = "1412.80";
    tried.rate = "6.125";
    for (const char *amount : {"25", "125.50"}) {
        auto a = Analyse(tried);
        ASSERT_TRUE(a);
        const double planYears = a->PlanYears;
        AdditionalPaymentSession session(*a);
        session.Start();
        session.Use(amount);
        const double taken = a->PlanYears;
        EXPECT_LT(taken, planYears) << amount;
        EXPECT_NEAR(taken * 12, a->TermMonths - a->PaymentsEliminated - a->PlanStartPayment, 1e-9) << amount;

        auto summary = std::make_unique<LoanAnalysis>(*a);
        ComputeSummaryScreenFigures(*summary);
        EXPECT_EQ(summary->PaymentsEliminated, a->PaymentsEliminated) << amount;
        EXPECT_DOUBLE_EQ(summary->PlanYears, taken) << amount;

        AdditionalPaymentSession again(*a);
        again.Start();
        EXPECT_DOUBLE_EQ(a->PlanYears, planYears) << amount;
    }
}

TEST(AdditionalPaymentSession, ClearingDropsAnAmountKeptFromAnEarlierRun)
{
    auto a = Analyse();
    AdditionalPaymentSession session(*a);
    session.Start();
    session.Use("25");
    ClearAdditionalPayment(*a);
    EXPECT_EQ(a->AdditionalPayment, 0);
    EXPECT_EQ(a->AdditionalPaymentText, "0");
}

TEST(CheckAdditionalAmount, RefusesWhatIsNoAmountOfMoney)
{
    struct Case {
        const char *typed;
        const char *messagePart; // nullptr: usable
    };
    const Case cases[] = {
        {"25", nullptr},
        {"$1,250.50", nullptr},
        {"0", nullptr},
        {"", nullptr}, // leaves the amount as it is
        {"abc", "amount of money"},
        {".", "amount of money"},
        {"2 5", "amount of money"},
        {"-20", "cannot be negative"},
        {"-", "cannot be negative"},
    };
    for (const Case &c : cases) {
        const auto problem = CheckAdditionalAmount(c.typed);
        if (!c.messagePart) {
            EXPECT_FALSE(problem) << c.typed;
            continue;
        }
        ASSERT_TRUE(problem) << c.typed;
        EXPECT_NE(problem->find(c.messagePart), std::string::npos) << c.typed << ": " << *problem;
    }
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
