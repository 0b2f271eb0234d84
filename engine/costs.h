#pragma once

#include "engine/analysis.h"

#include <string>

namespace tw {

// What the plan costs the client, and what is left of the savings once its charges are
// paid. Every figure reads the schedules and plan dates of the last computation, so it
// is right after SetUpDebitDates and ComputeSchedules whatever screen asks for it.
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

// The same loan paid monthly with a twelfth of the current payment added to principal
// every month from the plan's first payment on: the money the plan's two extra half
// payments put in each year, without any charge.
struct DoItYourself {
    double ExtraPerMonth = 0; // to the cent
    std::string DiyPayoffDate;
    int DiyPaymentsEliminated = 0;
    double DiyInterestSavings = 0;
    double DiyTotalPaymentSavings = 0;
};
DoItYourself ComputeDoItYourself(const LoanAnalysis &a);

// The twelfth of the current payment that the do-it-yourself loan adds each month.
double DoItYourselfExtra(const LoanAnalysis &a);

// The do-it-yourself loan month by month: the plan's row rule with ExtraPerMonth, while
// the balance exceeds the payment, in place of the third debits' half payments.
void FillDoItYourselfSchedule(const LoanAnalysis &a, Schedule<kScheduleRows> &s);

// The plan's average charge a month: FeePerDebit on 26 debits a year, over 12 months.
double AverageMonthlyFee();

} // namespace tw
