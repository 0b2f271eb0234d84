#include "engine/costs.h"

#include "engine/debits.h"
#include "engine/schedules.h"
#include "engine/to_cents.h"
#include "format/dates.h"
#include "format/number_text.h"

#include <cmath>
#include <memory>

namespace tw {

namespace {

// Every amount of a schedule is whole cents: the running sums of the costs are kept as
// whole numbers, so "saved at least the fees" is decided on exact amounts.
long long CentsOfWhole(double v)
{
    return std::llround(v * 100);
}

bool HasSchedules(const LoanAnalysis &a)
{
    return a.TermMonths > 0 && a.TermMonths < kScheduleRows;
}

} // namespace

double AverageMonthlyFee()
{
    return FeePerDebit * 26 / 12;
}

PlanCosts ComputePlanCosts(const LoanAnalysis &a)
{
    PlanCosts costs;
    if (!HasSchedules(a))
        return costs;
    const auto &monthly = a.MonthlySchedule;
    const auto &plan = a.BiWeeklySchedule;
    const int months = a.TermMonths;

    // The interest of each loan up to its first month without any, and the plan's extra
    // half payments over the months it runs.
    long long monthlyInterest = 0;
    long long planInterest = 0;
    for (int i = 0; i <= months && monthly[i].Interest > 0; ++i)
        monthlyInterest += CentsOfWhole(monthly[i].Interest);
    for (int i = 0; i <= months && plan[i].Interest > 0; ++i) {
        planInterest += CentsOfWhole(plan[i].Interest);
        costs.ExtraPaid += plan[i].Extra;
    }

    const auto range = FindDebitRange(a);
    costs.PlanDebits = range ? range->count : 0;
    costs.TotalFees = ToCents(FeePerDebit * costs.PlanDebits);
    const long long feeCents = CentsOfWhole(FeePerDebit);
    costs.NetSavings = static_cast<double>(monthlyInterest - planInterest - CentsOfWhole(costs.TotalFees)) / 100;

    if (!range || !IsDateText(a.FirstPaymentDate))
        return costs;
    // Month k's payment date carries a day past the month's end into the next month, as
    // the debit schedule reads PayoffDate.
    const int firstMonth = TextToInt(a.FirstPaymentDate.substr(0, 2));
    const int day = TextToInt(a.FirstPaymentDate.substr(3, 2));
    const int firstYear = TextToInt(a.FirstPaymentDate.substr(6, 4));
    long long saved = 0;
    int debited = 0; // the plan's debits on or before month k's payment date
    for (int k = 1; k <= months; ++k) {
        saved += CentsOfWhole(monthly[k - 1].Interest) - CentsOfWhole(plan[k - 1].Interest);
        if (k < a.PlanStartPayment)
            continue;
        const int monthIndex = firstMonth - 1 + k - 1;
        const int paymentDay = DayNumber(firstYear + monthIndex / 12, monthIndex % 12 + 1, day);
        while (debited < range->count && a.DebitCalendar[range->first + debited] <= paymentDay)
            ++debited;
        if (saved >= feeCents * debited) {
            costs.BreakEvenDate = PaymentDateText(a, k);
            break;
        }
    }
    return costs;
}

double DoItYourselfExtra(const LoanAnalysis &a)
{
    return ToCents(TextToDouble(CleanNumberText(a.CurrentPaymentText)) / 12);
}

void FillDoItYourselfSchedule(const LoanAnalysis &a, Schedule<kScheduleRows> &s)
{
    const double extra = DoItYourselfExtra(a);
    const int start = a.PlanStartPayment;
    RunPlanSchedule(s, a, a.MonthlySchedule[0].Payment,
        [&](int k, const ScheduleRow &row) { return k >= start && row.Balance > row.Payment ? extra : 0.0; });
}

DoItYourself ComputeDoItYourself(const LoanAnalysis &a)
{
    DoItYourself d;
    d.ExtraPerMonth = DoItYourselfExtra(a);
    if (!HasSchedules(a))
        return d;
    auto s = std::make_unique<Schedule<kScheduleRows>>();
    FillDoItYourselfSchedule(a, *s);
    const int rows = ComputedRows(a);
    const int paid = CountRowsAbove(*s, &ScheduleRow::Interest, rows);
    d.DiyPayoffDate = PayoffDateFor(a, *s);
    d.DiyPaymentsEliminated = a.TermMonths - paid;
    d.DiyInterestSavings = SumRowsAbove(a.MonthlySchedule, &ScheduleRow::Interest, rows)
        - SumRowsAbove(*s, &ScheduleRow::Interest, rows);
    d.DiyTotalPaymentSavings = (*s)[0].Payment * d.DiyPaymentsEliminated;
    return d;
}

} // namespace tw
