#include "engine/debits.h"

#include "engine/schedules.h"
#include "engine/to_cents.h"
#include "format/dates.h"
#include "format/number_text.h"

#include <algorithm>

namespace tw {

bool HoldsDebitPlan(const LoanAnalysis &a)
{
    return a.DebitCalendar[0] > 0 && IsDateText(a.FirstDebitDate) && IsDateText(a.PayoffDate);
}

double DebitAmount(const LoanAnalysis &a)
{
    // The lender screen stores the payment as typed ("$1,250.00").
    const double payment = TextToDouble(CleanNumberText(a.CurrentPaymentText));
    return ToCents((payment + a.AdditionalPayment) * 0.5);
}

double DebitTotal(const LoanAnalysis &a)
{
    // Half of an odd-cent payment ends in half a cent; rounding the sum of the unrounded
    // half and the fee would at times land a cent below the half rounded plus the fee.
    return ToCents(DebitAmount(a) + FeePerDebit);
}

std::vector<ScheduledDebit> ScheduledDebits(const LoanAnalysis &a)
{
    std::vector<ScheduledDebit> debits;
    if (!HoldsDebitPlan(a))
        return debits;
    const int first = std::clamp(a.FirstDebitIndex, 0, kCalendarEntries - 1);
    const int last = std::min(a.PayoffDebitIndex, kCalendarEntries - 1);
    if (last < first)
        return debits;
    const double amount = DebitAmount(a);
    const double total = DebitTotal(a);
    debits.reserve(static_cast<std::size_t>(last - first + 1));
    for (int i = first; i <= last; ++i)
        debits.push_back({i - first + 1, a.DebitCalendar[static_cast<std::size_t>(i)], amount, FeePerDebit, total});
    return debits;
}

std::vector<int> ExtraPrincipalPaymentDays(const LoanAnalysis &a)
{
    std::vector<int> days;
    if (!IsDateText(a.FirstPlanPaymentDate) || a.PlanStartPayment < 1)
        return days;
    // The plan pays on one day of every month (at most the 28th), and payment
    // PlanStartPayment falls on FirstPlanPaymentDate.
    const CalendarDate start = DateOfDay(DayNumberOfDateText(a.FirstPlanPaymentDate));
    const long long startMonth = start.year * 12LL + (start.month - 1);

    // The schedule's own rule, replayed on the rows it left: the plan in force carries
    // the balance and payment each month began with.
    ExtraDebitCursor thirdDebits(a);
    const int months = std::min(a.TermMonths, kScheduleRows - 1);
    for (int k = 1; k <= months; ++k) {
        const ScheduleRow &row = a.BiWeeklySchedule[static_cast<std::size_t>(k - 1)];
        if (!thirdDebits.TakeThirdDebit(k, row.Balance, row.Payment))
            continue;
        const long long month = startMonth + (k - a.PlanStartPayment);
        days.push_back(DayNumber(static_cast<int>(month / 12), static_cast<int>(month % 12) + 1, start.day));
    }
    return days;
}

std::optional<DebitRange> FindDebitRange(const LoanAnalysis &a)
{
    if (!HoldsDebitPlan(a))
        return std::nullopt;

    const int start = DayNumberOfDateText(a.FirstDebitDate);
    const int end = DayNumberOfDateText(a.PayoffDate);
    const int last = kCalendarEntries - 1;

    // The calendar ascends 14 days a step: the first entry on or after each date.
    const int *calendar = a.DebitCalendar.data();
    const int first = static_cast<int>(std::lower_bound(calendar, calendar + last, start) - calendar);
    const int payoff = std::max(first, static_cast<int>(std::lower_bound(calendar, calendar + last, end) - calendar));
    const int count = payoff - first + 1;
    return DebitRange {first, payoff, count};
}

std::optional<std::string> PrepareDebitSchedule(LoanAnalysis &a)
{
    const auto range = FindDebitRange(a);
    if (!range)
        return std::string(kNoDemoForScheduleMessage);
    a.FirstDebitIndex = range->first;
    a.PayoffDebitIndex = range->payoff;
    a.DebitCount = range->count;
    return std::nullopt;
}

} // namespace tw
