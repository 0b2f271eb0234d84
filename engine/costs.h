#pragma once

#include "engine/analysis.h"

#include <string>

namespace tw {

// What the plan costs the client, and what is left of the savings once its charges are
// paid: from the plan dates, the schedules and the summary figures of the last
// computation (after ComputeSummaryScreenFigures or ComputeSummaryFigures), whatever
// screen asks for it.
struct PlanCosts {
    int PlanDebits = 0; // the debit schedule's debits, the first to the one on or after PayoffDate
    double TotalFees = 0; // FeePerDebit on each of them, to the cent
    double ExtraPaid = 0; // the extra half payments paid in to principal
    double NetSavings = 0; // interest saved less TotalFees: all paid monthly less all paid under the plan
    // The payment date (MM/DD/YYYY, as PayoffDate names months) from which the interest
    // saved covers the fees debited so far; "" when it never does.
    std::string BreakEvenDate;
};
PlanCosts ComputePlanCosts(const LoanAnalysis &a);

// The do-it-yourself figures by the rules, from the schedules as they stand. ComputeSchedules
// leaves the same figures in LoanAnalysis::Diy.
DoItYourself ComputeDoItYourself(const LoanAnalysis &a);

// The twelfth of the current payment that the do-it-yourself loan adds each month.
double DoItYourselfExtra(const LoanAnalysis &a);

// The do-it-yourself loan month by month: the plan's row rule with ExtraPerMonth, while
// the balance exceeds the payment, in place of the third debits' half payments.
void FillDoItYourselfSchedule(const LoanAnalysis &a, Schedule<kScheduleRows> &s);

// The plan's average charge a month: FeePerDebit on 26 debits a year, over 12 months.
double AverageMonthlyFee();

} // namespace tw
