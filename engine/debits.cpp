#include "engine/debits.h"

#include "format/dates.h"

namespace tw {

std::optional<std::string> PrepareDebitSchedule(LoanAnalysis &a)
{
    if (a.DebitCalendar[0] <= 0 || !IsDateText(a.FirstDebitDate) || !IsDateText(a.PayoffDate))
        return std::string(kNoDemoForScheduleMessage);

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
    a.FirstDebitIndex = first;
    a.PayoffDebitIndex = payoff;
    a.DebitCount = count;
    return std::nullopt;
}

} // namespace tw
