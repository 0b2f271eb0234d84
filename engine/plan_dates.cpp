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
    int listed = 0;
    CalendarDate date = DateOfDay(p.firstDebitDay); // walked 14 days at a time
    int trackedMonth = date.month;
    int count = 1;
    int offset = 0;
    for (int i = p.firstDebitIndex + 1; i < kCalendarEntries && listed < kExtraDebitFilled; ++i) {
        date.day += kDebitSpacingDays;
        if (const int length = MonthLength(date.month, date.year); date.day > length) {
            date.day -= length;
            if (++date.month > 12) {
                date.month = 1;
                ++date.year;
            }
        }
        if (date.month != trackedMonth) {
            trackedMonth = date.month;
            count = 1;
            ++offset;
        } else if (++count == 3) {
            a.ExtraDebitPayments[listed++] = a.PlanStartPayment - 1 + offset;
        }
    }
    return true;
}

} // namespace tw
