#include "engine/plan_dates.h"

#include "format/dates.h"

#include <algorithm>

namespace tw {

namespace {

// Index of the first calendar entry later than `day`, or kCalendarEntries if none is.
int FirstEntryAfter(int day)
{
    if (day < kCalendarStartDay)
        return 0;
    return std::min((day - kCalendarStartDay) / kDebitSpacingDays + 1, kCalendarEntries);
}

// The month's length without a call: the walk below asks for hundreds of months.
inline int DaysInMonth(int month, int year)
{
    static constexpr int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month != 2)
        return kLengths[month - 1];
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 ? 29 : 28;
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
    for (int i = 0; i < kCalendarEntries; ++i)
        a.DebitCalendar[i] = CalendarEntryDay(i);
    a.FirstDebitDate = DateTextOfDay(p.firstDebitDay);
    a.FirstPlanPaymentDate = DateTextOfDay(p.firstPlanPaymentDay);
    a.PlanStartPayment = p.planStartPayment;

    // Months with a third debit, numbered as loan payments: month offset m from the
    // first debit's month maps to payment PlanStartPayment - 1 + m.
    a.ExtraDebitPayments.fill(0);
    // A month whose first debit falls on day d holds 1 + (length - d) / 14 of them, so
    // the walk goes a month at a time; a third debit counts only while the calendar
    // still has its entry.
    int listed = 0;
    const CalendarDate first = DateOfDay(p.firstDebitDay);
    int day = first.day;
    int month = first.month;
    int year = first.year;
    int index = p.firstDebitIndex; // calendar index of the month's first debit
    for (int offset = 0; listed < kExtraDebitFilled; ++offset) {
        const int length = DaysInMonth(month, year);
        // After the first month the first debit falls on day 14 or earlier, so a month
        // holds two debits or three.
        const int debits = day <= kDebitSpacingDays ? (day + 2 * kDebitSpacingDays <= length ? 3 : 2)
                                                    : 1 + (length - day) / kDebitSpacingDays;
        if (debits >= 3) {
            if (index + 2 >= kCalendarEntries)
                break;
            a.ExtraDebitPayments[listed++] = a.PlanStartPayment - 1 + offset;
        }
        index += debits;
        if (index >= kCalendarEntries)
            break;
        day += debits * kDebitSpacingDays - length;
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    return true;
}

} // namespace tw
