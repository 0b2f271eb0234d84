#include "engine/to_cents.h"
#include "loan_fixture.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(low->HalfPayment, low->MonthlySchedule[0].Payment * 0.5);

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
    for (const char *term : {"15", "30", "40"}) {
        const auto a = Analyse({.term = term});
        ASSERT_TRUE(a);
        const auto &m = a->MonthlySchedule;
        const int months = a->TermMonths;
        for (int i = 0; i < months; ++i) {
            ASSERT_EQ(m[i].Extra, 0);
            ASSERT_EQ(m[i].Principal, ToCents(m[i].Payment - m[i].Interest)) << i;
            if (i + 1 == months)
                break; // the row after the term is cleared, leftover or not
            ASSERT_EQ(m[i + 1].Balance, ToCents(m[i].Balance - m[i].Principal)) << i;
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
    const auto a = Analyse();
    const auto &c = a->BiWeeklySchedule;
    int listed = 0;
    for (int k = 1; k <= a->TermMonths; ++k) {
        const ScheduleRow &row = c[k - 1];
        const bool isListed = listed < kExtraDebitEntries && a->ExtraDebitPayments[listed] == k;
        if (isListed && row.Balance > row.Payment) {
            EXPECT_EQ(row.Extra, a->HalfPayment) << k;
            ++listed;
        } else {
            EXPECT_EQ(row.Extra, 0) << k;
        }
    }
    EXPECT_GT(listed, 30);
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
