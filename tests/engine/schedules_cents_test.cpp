// The schedules are computed in whole cents for speed. Here they are checked against a
// slow reference written from the row rules alone, with the definition's rounding to cents
// worked on the double's exact decimal expansion, so that it shares no code with the engine.
#include "engine/costs.h"
#include "engine/plan_dates.h"
#include "engine/schedules.h"
#include "reference_cents.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

namespace tw {
namespace {

struct Reference {
    Schedule<kScheduleRows> monthly {};
    Schedule<kScheduleRows> plan {};
};

// Both schedules by the row rules, from the loan's row 0, half payment and third-debit list.
std::unique_ptr<Reference> ScheduleByHand(const LoanAnalysis &a)
{
    auto ref = std::make_unique<Reference>();
    const double r = a.MonthlyRate;
    auto &m = ref->monthly;
    auto &c = ref->plan;
    m[0].Balance = c[0].Balance = a.MonthlySchedule[0].Balance;
    m[0].Payment = c[0].Payment = a.MonthlySchedule[0].Payment;
    // A third debit listed before the loan's first payment (0) matches no month and is
    // passed over, so that the months after it still get theirs.
    int listed = 0;
    while (a.ExtraDebitPayments[listed] < 1 && a.ExtraDebitPayments[listed + 1] > 0)
        ++listed;
    bool final = false;
    for (int k = 1; k <= a.TermMonths; ++k) {
        ScheduleRow &row = m[k - 1];
        row.Interest = ReferenceToCents(row.Balance * r);
        row.Principal = ReferenceToCents(row.Payment - row.Interest);
        m[k].Balance = ReferenceToCents(row.Balance - row.Principal);
        m[k].Payment = ReferenceToCents(row.Payment <= m[k].Balance ? row.Payment : m[k].Balance);

        ScheduleRow &p = c[k - 1];
        p.Interest = ReferenceToCents(p.Balance * r);
        p.Principal = ReferenceToCents(p.Payment - p.Interest);
        if (listed < kExtraDebitEntries && a.ExtraDebitPayments[listed] == k && p.Balance > p.Payment) {
            p.Extra = a.HalfPayment;
            ++listed;
        }
        c[k].Balance = ReferenceToCents(p.Balance - (p.Principal + p.Extra + (final ? p.Interest : 0.0)));
        if (p.Payment <= c[k].Balance) {
            c[k].Payment = ReferenceToCents(p.Payment);
        } else {
            c[k].Payment = ReferenceToCents(c[k].Balance);
            final = true;
        }
    }
    m[a.TermMonths] = ScheduleRow {};
    return ref;
}

void ExpectSameRows(
    const Schedule<kScheduleRows> &got, const Schedule<kScheduleRows> &want, int rows, const std::string &loan)
{
    for (int i = 0; i < rows; ++i) {
        const ScheduleRow &g = got[i];
        const ScheduleRow &w = want[i];
        ASSERT_TRUE(g.Balance == w.Balance && g.Payment == w.Payment && g.Interest == w.Interest
            && g.Principal == w.Principal && g.Extra == w.Extra && g.Reserved == w.Reserved)
            << loan << " row " << i << ": " << g.Balance << " " << g.Payment << " " << g.Interest << " " << g.Principal
            << " " << g.Extra << " against " << w.Balance << " " << w.Payment << " " << w.Interest << " " << w.Principal
            << " " << w.Extra;
    }
}

TEST(ComputeSchedules, WholeCentsGiveTheRowRulesDoubles)
{
    // Loans found by search whose balance meets the payment exactly, to the cent: the
    // plan's 70,357.00 after month 346 and 68,443.00 after month 409, the monthly
    // 59,831.00 after month 286; then random loans.
    const char *const boundary[][3] = {{"70357", "5.714", "33"}, {"68443", "4.330", "39"}, {"59831", "3.705", "24"}};
    std::mt19937_64 rng(12);
    char text[32];
    int computed = 0;
    for (int i = 0; i < 153; ++i) {
        auto a = std::make_unique<LoanAnalysis>();
        a->CurrentDate = "12/07/2026";
        std::snprintf(text, sizeof text, "%02d/%02d/20%02d", int(1 + rng() % 12), int(1 + rng() % 31), int(rng() % 30));
        a->FirstPaymentDate = text;
        a->TermText = std::to_string(2 + rng() % 39);
        // Amounts with a fraction of a cent too, which the computation rounds first.
        std::snprintf(text, sizeof text, "%.3f", double(rng() % 200000000) / 1000.0 + 2);
        a->AmountText = text;
        std::snprintf(text, sizeof text, "%.3f", 1.01 + double(rng() % 1500) / 100.0);
        a->LowestRateText = text;
        std::snprintf(text, sizeof text, "%.2f", double(rng() % 600000) / 100.0);
        a->CurrentPaymentText = text;
        if (i < 3) {
            a->FirstPaymentDate = "04/15/2019";
            a->AmountText = boundary[i][0];
            a->LowestRateText = boundary[i][1];
            a->TermText = boundary[i][2];
            a->CurrentPaymentText = "1"; // raised to the loan's own payment
        }
        if (!SetUpDebitDates(*a) || !ComputeSchedules(*a))
            continue;
        ++computed;
        const auto ref = ScheduleByHand(*a);
        const std::string loan
            = a->AmountText + " at " + a->LowestRateText + " over " + a->TermText + ", paying " + a->CurrentPaymentText;
        ExpectSameRows(a->MonthlySchedule, ref->monthly, a->TermMonths + 1, loan);
        ExpectSameRows(a->BiWeeklySchedule, ref->plan, a->TermMonths + 1, loan);
        // The do-it-yourself loan, run beside them, against its own schedule by the rules.
        const DoItYourself diy = ComputeDoItYourself(*a);
        EXPECT_EQ(a->Diy.DiyPayoffDate, diy.DiyPayoffDate) << loan;
        EXPECT_EQ(a->Diy.DiyPaymentsEliminated, diy.DiyPaymentsEliminated) << loan;
        EXPECT_NEAR(a->Diy.DiyInterestSavings, diy.DiyInterestSavings, 1e-6) << loan;
        EXPECT_EQ(a->Diy.DiyTotalPaymentSavings, diy.DiyTotalPaymentSavings) << loan;
    }
    EXPECT_GT(computed, 100);
}

// The plan's row step at its two thresholds, worked by hand at 0.5 % a month: a payment
// equal to the next balance is a regular payment, one cent more makes it the final one;
// an extra is paid only while the balance is above the payment.
struct PlanStepCase {
    const char *name;
    double balance, payment, extra;
    bool finalBefore;
    double nextBalance, nextPayment;
    bool finalAfter;
};

class PlanRowStepTest : public testing::TestWithParam<PlanStepCase> { };

TEST_P(PlanRowStepTest, MeetsTheThresholds)
{
    const PlanStepCase &c = GetParam();
    ScheduleRow row {c.balance, c.payment, 0, 0, 0, 0};
    ScheduleRow next {};
    EXPECT_EQ(PlanRowStep(row, next, 0.005, c.extra, c.finalBefore), c.finalAfter);
    EXPECT_EQ(next.Balance, c.nextBalance);
    EXPECT_EQ(next.Payment, c.nextPayment);
}

INSTANTIATE_TEST_SUITE_P(Thresholds, PlanRowStepTest,
    testing::Values(
        // 1,000.00 owes 5.00 interest; 495.00 of the 500.00 is principal.
        PlanStepCase {"NextBalanceEqualsThePayment", 1000, 500, 5.00, false, 500.00, 500.00, false},
        PlanStepCase {"NextBalanceACentAbove", 1000, 500, 4.99, false, 500.01, 500.00, false},
        PlanStepCase {"NextBalanceACentBelow", 1000, 500, 5.01, false, 499.99, 499.99, true},
        // The final month clears its interest too: 2.50 on 499.99, 497.49 principal.
        PlanStepCase {"FinalPaymentClearsTheBalance", 499.99, 499.99, 0, true, 0, 0, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ExtraDebitCursor, AThirdDebitNeedsABalanceAboveThePayment)
{
    auto a = std::make_unique<LoanAnalysis>();
    a->ExtraDebitPayments[0] = 5;
    a->ExtraDebitPayments[1] = 10;
    ExtraDebitCursor above(*a);
    EXPECT_FALSE(above.TakeThirdDebit(4, 900, 500)); // not a listed month
    EXPECT_TRUE(above.TakeThirdDebit(5, 500.01, 500));
    EXPECT_TRUE(above.TakeThirdDebit(10, 900, 500));

    // A listed month met with the balance equal to the payment is never used, and no
    // later month gets an extra in its place.
    ExtraDebitCursor equal(*a);
    EXPECT_FALSE(equal.TakeThirdDebit(5, 500, 500));
    EXPECT_FALSE(equal.TakeThirdDebit(10, 900, 500));
}

} // namespace
} // namespace tw
