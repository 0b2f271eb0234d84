#include "engine/debits.h"

#include "format/dates.h"

#include <algorithm>

namespace tw {

std::optional<DebitRange> FindDebitRange(const LoanAnalysis &a)
{
    if (a.DebitCalendar[0] <= 0 || !IsDateText(a.FirstDebitDate) || !IsDateText(a.PayoffDate))
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
