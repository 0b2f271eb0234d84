// The schedules are computed in whole cents for speed; they must be the very doubles the
// row rules give, month by month, for any loan.
#include "engine/costs.h"
#include "engine/plan_dates.h"
#include "engine/schedules.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <random>

namespace tw {
namespace {

// The schedules by the row rules alone, from the row 0 that ComputeSchedules set.
void ByTheRules(LoanAnalysis &a)
{
    ExtraDebitCursor thirdDebits(a);
    bool final = false;
    const double r = a.MonthlyRate;
    for (int k = 1; k <= a.TermMonths; ++k) {
        MonthlyRowStep(a.MonthlySchedule[k - 1], a.MonthlySchedule[k], r);
        ScheduleRow &row = a.BiWeeklySchedule[k - 1];
        const double extra = thirdDebits.TakeThirdDebit(k, row.Balance, row.Payment) ? a.HalfPayment : 0.0;
        final = PlanRowStep(row, a.BiWeeklySchedule[k], r, extra, final);
    }
    a.MonthlySchedule[a.TermMonths] = ScheduleRow {};
}

TEST(ComputeSchedules, WholeCentsGiveTheRowRulesDoubles)
{
    std::mt19937_64 rng(12);
    char text[32];
    int computed = 0;
    for (int i = 0; i < 400; ++i) {
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
        if (!SetUpDebitDates(*a) || !ComputeSchedules(*a))
            continue;
        ++computed;
        auto rules = std::make_unique<LoanAnalysis>(*a);
        ByTheRules(*rules);
        const std::size_t bytes = sizeof(ScheduleRow) * static_cast<std::size_t>(a->TermMonths + 1);
        ASSERT_EQ(std::memcmp(a->MonthlySchedule.data(), rules->MonthlySchedule.data(), bytes), 0)
            << a->AmountText << " " << a->LowestRateText << " " << a->TermText;
        ASSERT_EQ(std::memcmp(a->BiWeeklySchedule.data(), rules->BiWeeklySchedule.data(), bytes), 0)
            << a->AmountText << " " << a->LowestRateText << " " << a->TermText << " " << a->CurrentPaymentText;
        // The do-it-yourself loan, run beside them, against its own schedule by the rules.
        const DoItYourself diy = ComputeDoItYourself(*rules);
        EXPECT_EQ(a->Diy.DiyPayoffDate, diy.DiyPayoffDate);
        EXPECT_EQ(a->Diy.DiyPaymentsEliminated, diy.DiyPaymentsEliminated);
        EXPECT_NEAR(a->Diy.DiyInterestSavings, diy.DiyInterestSavings, 1e-6) << a->FirstPaymentDate;
        EXPECT_EQ(a->Diy.DiyTotalPaymentSavings, diy.DiyTotalPaymentSavings);
    }
    EXPECT_GT(computed, 300);
}

} // namespace
} // namespace tw
