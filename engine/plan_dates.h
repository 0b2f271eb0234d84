#pragma once

#include "engine/analysis.h"

#include <string>

namespace tw {

// Day number of the debit calendar's entry i: 01/05/1996 plus 14 days a step.
constexpr int CalendarEntryDay(int i)
{
    return kCalendarStartDay + kDebitSpacingDays * i;
}
inline constexpr int kCalendarLastDay = CalendarEntryDay(kCalendarEntries - 1);

// The plan's dates for a current date and a first payment date (both MM/DD/YYYY).
struct PlanDates {
    bool ok = false;
    int firstDebitIndex = 0; // calendar index of the first debit
    int firstDebitDay = 0; // day numbers
    int firstPlanPaymentDay = 0;
    int planStartPayment = 0;
};
PlanDates ComputePlanDates(const std::string &currentDate, const std::string &firstPaymentDate);

// Why these dates cannot get a plan from the debit calendar, in words for the user;
// "" when they can. Shared by the loan-entry screen and the command line, which
// refuse such dates before anything is computed.
std::string CheckPlanCalendar(const std::string &currentDate, const std::string &firstPaymentDate, int termYears);

// Sets DebitCalendar, FirstDebitDate, FirstPlanPaymentDate, PlanStartPayment and the
// third-debit months of ExtraDebitPayments. Returns false, changing nothing, when the
// dates fall outside the calendar.
bool SetUpDebitDates(LoanAnalysis &a);

} // namespace tw
