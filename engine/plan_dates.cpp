#include "engine/plan_dates.h"

#include "format/dates.h"

#include <algorithm>
#include <array>
#include <limits>

namespace tw {

namespace {

// Index of the first calendar entry later than `day`, or kCalendarEntries if none is.
int FirstEntryAfter(int day)
{
    if (day < kCalendarStartDay)
        return 0;
    return std::min((day - kCalendarStartDay) / kDebitSpacingDays + 1, kCalendarEntries);
}

// Months counted from January 1996, the calendar's first month.
int MonthIndex(int year, int month)
{
    return (year - 1996) * 12 + month - 1;
}

// The debit calendar never changes: its day numbers and the months in which it has three
// debits are worked out once.
const std::array<int, kCalendarEntries> &CalendarDays()
{
    static const std::array<int, kCalendarEntries> days = [] {
        std::array<int, kCalendarEntries> d {};
        for (int i = 0; i < kCalendarEntries; ++i)
            d[i] = CalendarEntryDay(i);
        return d;
    }();
    return days;
}

// Ascending month indexes of the calendar's months with three debits (about 26 debits a
// year in 12 months: two or three such months a year); kNoMonth fills the rest.
constexpr int kNoMonth = std::numeric_limits<int>::max();
using ThirdDebitMonthList = std::array<int, kCalendarEntries / 3 + 1>;
const ThirdDebitMonthList &ThirdDebitMonths()
{
    static const ThirdDebitMonthList months = [] {
        ThirdDebitMonthList list;
        list.fill(kNoMonth);
        std::size_t n = 0;
        int month = -1;
        int count = 0;
        for (int i = 0; i < kCalendarEntries; ++i) {
            const CalendarDate c = DateOfDay(CalendarEntryDay(i));
            const int index = MonthIndex(c.year, c.month);
            count = index == month ? count + 1 : 1;
            month = index;
            if (count == 3 && n < list.size())
                list[n++] = index;
        }
        return list;
    }();
    return months;
}

int DayInMonthOf(int dayNumber, int day)
{
    const CalendarDate c = DateOfDay(dayNumber);
    return DayNumber(c.year, c.month, day);
}

} // namespace

PlanDates ComputePlanDates(const std::string &currentDate, const std::string &firstPaymentDate)
{
    PlanDates p;
    const int today = DayNumberOfDateText(currentDate);
    const CalendarDate first = DateOfDay(DayNumberOfDateText(firstPaymentDate));
    // Debits are tied to a day every month has.
    const int d = std::min(first.day, 28);
    const int start = DayNumber(first.year, first.month, d);

    int reference = start;
    if (today >= start)
        reference = DayInMonthOf(SameDayNextMonth(SameDayNextMonth(today)), d);

    // The debit before the last one on or before the reference date.
    const int after = FirstEntryAfter(reference);
    if (after < 2 || after >= kCalendarEntries)
        return p;
    int index = after - 2;
    if (CalendarEntryDay(index) - today < 12)
        index += 2; // the first debit is at least 12 days away
    if (index >= kCalendarEntries)
        return p;
    const int firstDebit = CalendarEntryDay(index);

    const int secondDebit = firstDebit + kDebitSpacingDays;
    int planPayment = DayInMonthOf(secondDebit, d);
    if (planPayment < secondDebit)
        planPayment = SameDayNextMonth(planPayment);
    if (planPayment < today + 12)
        planPayment = SameDayNextMonth(planPayment);

    // Both dates fall on day d (at most 28), so stepping the plan's first payment back a
    // month at a time until it is no later than the loan's first payment takes exactly
    // the months between them.
    const CalendarDate planMonth = DateOfDay(planPayment);
    const int monthsAfterStart = (planMonth.year - first.year) * 12 + (planMonth.month - first.month);
    const int payment = 1 + std::max(monthsAfterStart, 0);

    p.ok = true;
    p.firstDebitIndex = index;
    p.firstDebitDay = firstDebit;
    p.firstPlanPaymentDay = planPayment;
    p.planStartPayment = payment;
    return p;
}

std::string CheckPlanCalendar(const std::string &currentDate, const std::string &firstPaymentDate, int termYears)
{
    const std::string first = DateTextOfDay(kCalendarStartDay);
    const std::string last = DateTextOfDay(kCalendarLastDay);
    if (!ComputePlanDates(currentDate, firstPaymentDate).ok)
        return "The bi-weekly debits of this plan would fall outside the debit calendar, which runs from " + first
            + " to " + last + ".\nPlease check the current date and the date of first payment.";
    const CalendarDate start = DateOfDay(DayNumberOfDateText(firstPaymentDate));
    const int months = std::clamp(termYears, 0, kMaxTermYears) * 12;
    const int lastPayment = DayNumber(start.year + months / 12, start.month, std::min(start.day, 28));
    if (lastPayment > kCalendarLastDay)
        return "This loan would run past " + last
            + ", the last date of the bi-weekly debit calendar.\n"
              "Please check the date of first payment and the term.";
    return {};
}

bool SetUpDebitDates(LoanAnalysis &a)
{
    const PlanDates p = ComputePlanDates(a.CurrentDate, a.FirstPaymentDate);
    if (!p.ok)
        return false;
    a.DebitCalendar = CalendarDays();
    a.FirstDebitDate = DateTextOfDay(p.firstDebitDay);
    a.FirstPlanPaymentDate = DateTextOfDay(p.firstPlanPaymentDay);
    a.PlanStartPayment = p.planStartPayment;

    // Months with a third debit, numbered as loan payments: month offset m from the
    // first debit's month maps to payment PlanStartPayment - 1 + m. The first month
    // counts its debits from the first debit on; every later month counts them all,
    // and only while the calendar still has its third one.
    a.ExtraDebitPayments.fill(0);
    int listed = 0;
    const CalendarDate first = DateOfDay(p.firstDebitDay);
    const int firstMonth = MonthIndex(first.year, first.month);
    if (first.day + 2 * kDebitSpacingDays <= MonthLength(first.month, first.year)
        && p.firstDebitIndex + 2 < kCalendarEntries)
        a.ExtraDebitPayments[listed++] = a.PlanStartPayment - 1;
    const auto &months = ThirdDebitMonths();
    for (auto m = std::upper_bound(months.begin(), months.end(), firstMonth);
         m != months.end() && *m != kNoMonth && listed < kExtraDebitFilled; ++m)
        a.ExtraDebitPayments[listed++] = a.PlanStartPayment - 1 + (*m - firstMonth);
    return true;
}

} // namespace tw
