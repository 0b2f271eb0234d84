#include "engine/to_cents.h"
#include "loan_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tw {
namespace {

using testing_support::Analyse;
using testing_support::LoanTexts;
using testing_support::MakeLoan;

TEST(ComputeSchedules, FirstRowsOfTheReferenceLoan)
{
    const auto a = Analyse();
    ASSERT_TRUE(a);
    const auto &m = a->MonthlySchedule;
    EXPECT_NEAR(m[0].Payment, 699.21, 0.005);
    EXPECT_NE(m[0].Payment, 699.21); // row 0 keeps the unrounded payment
    EXPECT_EQ(m[0].Interest, 625.00);
    EXPECT_EQ(m[1].Balance, 99925.79);
    EXPECT_EQ(m[1].Payment, 699.21);
    EXPECT_EQ(m[1].Interest, 624.54);
    EXPECT_EQ(m[1].Principal, 74.67);
    EXPECT_EQ(a->TermMonths, 360);
    EXPECT_FLOAT_EQ(a->MonthlyRate, 7.5f * 0.00083333335f);
}

struct PublishedPayment {
    double amount;
    float rate;
    double payment;
};
class LevelPaymentTest : public testing::TestWithParam<PublishedPayment> { };

TEST_P(LevelPaymentTest, MatchesPublishedThirtyYearPayments)
{
    const auto [amount, rate, payment] = GetParam();
    EXPECT_EQ(ToCents(LevelPayment(rate * 0.00083333335f, 360, amount)), payment);
}

INSTANTIATE_TEST_SUITE_P(Tables, LevelPaymentTest,
    testing::Values(PublishedPayment {100000, 4.0f, 477.42}, PublishedPayment {180000, 4.25f, 885.49},
        PublishedPayment {200000, 6.0f, 1199.10}, PublishedPayment {250000, 6.75f, 1621.50}),
    [](const auto &info) { return "Amount" + std::to_string(static_cast<int>(info.param.amount)); });

TEST(ComputeSchedules, LowCurrentPaymentIsRaisedToTheLoansOwn)
{
    auto low = Analyse({.payment = "500.00"});
    ASSERT_TRUE(low);
    EXPECT_EQ(low->CurrentPaymentText, "699.21");
    EXPECT_EQ(FormatMoney(low->HalfPayment), "349.61"); // half of 699.2145

    auto high = Analyse({.payment = "900.00"});
    EXPECT_EQ(high->CurrentPaymentText, "900.00");
    EXPECT_EQ(high->HalfPayment, 450.00);
}

TEST(ComputeSchedules, VariableRateUsesTheAverageOfBothRates)
{
    const auto a = Analyse({.rate = "6", .highestRate = "8"});
    ASSERT_TRUE(a);
    EXPECT_EQ(a->AnnualRate, 7.0f);
}

TEST(ComputeSchedules, DeclinedInputsChangeNothing)
{
    const auto before = Analyse();
    for (const LoanTexts &bad : {LoanTexts {.term = "1"}, LoanTexts {.term = "41"}, LoanTexts {.amount = "1.00"},
             LoanTexts {.amount = "0"}, LoanTexts {.rate = "1"}, LoanTexts {.rate = ""}}) {
        auto a = Analyse();
        a->TermText = bad.term;
        a->AmountText = bad.amount;
        a->LowestRateText = bad.rate;
        EXPECT_FALSE(ComputeSchedules(*a)) << bad.term << " " << bad.amount << " " << bad.rate;
        EXPECT_EQ(std::memcmp(&a->MonthlySchedule, &before->MonthlySchedule, sizeof a->MonthlySchedule), 0);
        EXPECT_EQ(a->TermYears, 30);
        EXPECT_EQ(a->LoanAmount, 100000);
        EXPECT_EQ(a->PayoffDate, before->PayoffDate);
    }
}

TEST(ComputeSchedules, MonthlyScheduleEndsWithTheLeftoverAndAnEmptyRow)
{
    // Published payments of 100,000 at 7.5 %; the balance after i of them follows the
    // annuity formula 100,000 g - p (g - 1) / r with g = (1 + r)^i, and rounding each
    // month to cents keeps the schedule within half a dollar of it.
    const std::pair<const char *, double> terms[] = {{"15", 927.01}, {"30", 699.21}, {"40", 658.07}};
    for (const auto &[term, payment] : terms) {
        const auto a = Analyse({.term = term});
        ASSERT_TRUE(a);
        const auto &m = a->MonthlySchedule;
        const int months = a->TermMonths;
        const double r = 0.075 / 12;
        for (int i = 0; i < months; ++i) {
            ASSERT_EQ(m[i].Extra, 0);
            const double g = std::pow(1 + r, i);
            ASSERT_NEAR(m[i].Balance, 100000 * g - payment * (g - 1) / r, 0.5) << term << " row " << i;
        }
        const ScheduleRow zero {};
        EXPECT_EQ(std::memcmp(&m[months], &zero, sizeof zero), 0) << "row M of a " << term << "-year loan";
        // The payment is rounded to cents, so the last month may owe up to a cent per
        // month more than a regular payment.
        EXPECT_LT(m[months - 1].Balance, m[1].Payment + months * 0.01);
    }
}

TEST(ComputeSchedules, PlanBalanceIsExactlyZeroAfterTheFinalPayment)
{
    const auto a = Analyse();
    const auto &c = a->BiWeeklySchedule;
    int last = 0;
    while (c[last + 1].Balance > 0)
        ++last;
    ASSERT_LT(last, a->TermMonths);
    EXPECT_GT(c[last].Balance, 0);
    EXPECT_EQ(c[last + 1].Balance, 0);
    EXPECT_LE(c[last].Balance, c[last].Payment + c[last].Extra + c[last].Interest);
    for (int i = last + 1; i <= a->TermMonths; ++i)
        ASSERT_EQ(c[i].Balance, 0) << i;
}

TEST(ComputeSchedules, ExtrasOnlyInListedMonthsWhileTheBalanceExceedsThePayment)
{
    // The reference plan's third debits fall in months 88, 94, 99, ..., 295, 300 (37 up to
    // 295); month 300 is its final payment, which clears the balance without an extra.
    const auto a = Analyse();
    const auto &c = a->BiWeeklySchedule;
    const auto &listed = a->ExtraDebitPayments;
    ASSERT_EQ(listed[36], 295);
    ASSERT_EQ(listed[37], 300);
    int extras = 0;
    for (int k = 1; k <= a->TermMonths; ++k) {
        const bool third = std::find(listed.begin(), listed.begin() + 37, k) != listed.begin() + 37;
        EXPECT_EQ(c[k - 1].Extra, third ? 450 : 0) << k; // half of the 900.00 typed
        extras += c[k - 1].Extra > 0;
    }
    EXPECT_EQ(extras, 37);
    EXPECT_EQ(c[299].Balance, 356.92); // the last payment
    EXPECT_EQ(c[300].Balance, 0);
}

TEST(ComputeSchedules, FortyYearTermFillsRowsUpTo480)
{
    const auto a = Analyse({.term = "40"});
    ASSERT_TRUE(a);
    EXPECT_EQ(a->TermMonths, 480);
    EXPECT_GT(a->MonthlySchedule[479].Balance, 0);
    const ScheduleRow zero {};
    EXPECT_EQ(std::memcmp(&a->MonthlySchedule[480], &zero, sizeof zero), 0);
}

TEST(ComputeSchedules, AShorterLoanShowsNothingOfALongerOne)
{
    auto reused = Analyse({.term = "40", .amount = "250000"});
    reused->TermText = "10";
    reused->AmountText = "50000";
    reused->CurrentPaymentText = "900"; // the first computation raised it to that loan's payment
    ASSERT_TRUE(SetUpDebitDates(*reused) && ComputeSchedules(*reused));
    ComputeSummaryFigures(*reused);
    const auto fresh = Analyse({.term = "10", .amount = "50000"});
    EXPECT_EQ(std::memcmp(&reused->MonthlySchedule, &fresh->MonthlySchedule, sizeof fresh->MonthlySchedule), 0);
    EXPECT_EQ(std::memcmp(&reused->BiWeeklySchedule, &fresh->BiWeeklySchedule, sizeof fresh->BiWeeklySchedule), 0);
    EXPECT_EQ(reused->InterestSavings, fresh->InterestSavings);
    EXPECT_EQ(reused->NormalEquity10, fresh->NormalEquity10);
    EXPECT_EQ(reused->PaymentsEliminated, fresh->PaymentsEliminated);
    EXPECT_EQ(reused->PayoffDate, fresh->PayoffDate);
}

TEST(ComputeSchedules, PayoffDateKeepsTheTypedDay)
{
    const auto a = Analyse({.firstPayment = "01/31/2020"});
    ASSERT_TRUE(a);
    EXPECT_EQ(a->PayoffDate.substr(2, 4), "/31/");
    EXPECT_EQ(a->FirstPlanPaymentDate.substr(3, 2), "28");
}

TEST(ComputeSchedules, ReferencePayoffDates)
{
    EXPECT_EQ(Analyse()->PayoffDate, "12/01/2044");
    EXPECT_EQ(Analyse({.firstPayment = "03/01/2027"})->PayoffDate, "11/01/2048");
}

} // namespace
} // namespace tw
