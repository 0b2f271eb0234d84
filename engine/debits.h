#pragma once

#include "engine/analysis.h"

#include <optional>
#include <string>
#include <vector>

namespace tw {

// What the plan charges on every bi-weekly debit, on top of the half payment: the
// agreement's service charge, and the one figure every cost the client is shown is
// built from.
inline constexpr double FeePerDebit = 3.45;

inline constexpr const char *kNoDemoForScheduleMessage
    = "You must run through the demo before generating the withdrawal schedule.";

// Finds the range of the plan's debits: FirstDebitIndex (the first calendar entry on or
// after FirstDebitDate), PayoffDebitIndex (the first entry on or after PayoffDate, so
// the range runs through the debit that pays the loan off) and DebitCount, the number
// of debits from the first to that one. Returns the message to show, changing nothing,
// when no demonstration has been calculated: the calendar's first entry is 0 or less, or
// either date is not a date text. A date past the calendar's end stops at its last entry.
std::optional<std::string> PrepareDebitSchedule(LoanAnalysis &a);

// Whether the analysis holds a plan whose debits can be listed: the calendar is set up
// and both the first debit and the payoff date are dates. PrepareDebitSchedule refuses
// exactly when this is false.
bool HoldsDebitPlan(const LoanAnalysis &a);

// What leaves the client's account on every debit, in whole cents: half of the monthly
// payment with its additional payment (the agreement's charge A), and that plus the
// service charge (its total, D). The total is built from the rounded half payment, so
// the two amounts and the fee always add up on the form, the schedule and the exports.
double DebitAmount(const LoanAnalysis &a);
double DebitTotal(const LoanAnalysis &a);

// One debit of the schedule as the printout lists it.
struct ScheduledDebit {
    int number = 0; // 1 for the first debit
    int day = 0; // day number
    double amount = 0; // DebitAmount
    double fee = 0; // FeePerDebit
    double total = 0; // DebitTotal
};

// The debits of the range PrepareDebitSchedule found, first to payoff debit, kept inside
// the calendar as the printout keeps them; empty when there is no plan.
std::vector<ScheduledDebit> ScheduledDebits(const LoanAnalysis &a);

// Day numbers of the mortgage payments that take a third debit of their month to
// principal, in the plan the analysis holds now (with an additional payment when one is
// used): the months the schedule gives its extra half payment, each on the day the plan
// pays the mortgage.
std::vector<int> ExtraPrincipalPaymentDays(const LoanAnalysis &a);

// The same range without storing it, for figures that count the plan's debits.
struct DebitRange {
    int first = 0; // calendar index of the first debit
    int payoff = 0; // calendar index of the debit that pays the loan off
    int count = 0; // debits from the one to the other, both counted
};
std::optional<DebitRange> FindDebitRange(const LoanAnalysis &a);

} // namespace tw
