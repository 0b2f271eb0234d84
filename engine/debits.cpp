#include "engine/debits.h"

#include "format/dates.h"

namespace tw {

std::optional<DebitRange> FindDebitRange(const LoanAnalysis &a)
{
    if (a.DebitCalendar[0] <= 0 || !IsDateText(a.FirstDebitDate) || !IsDateText(a.PayoffDate))
        return std::nullopt;

    const int start = DayNumberOfDateText(a.FirstDebitDate);
    const int end = DayNumberOfDateText(a.PayoffDate);
    const int last = kCalendarEntries - 1;

    int first = 0;
    while (first < last && a.DebitCalendar[first] < start)
        ++first;
    int payoff = first;
    int count = 1;
    while (payoff < last && a.DebitCalendar[payoff] < end) {
        ++payoff;
        ++count;
    }
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
