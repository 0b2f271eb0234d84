#pragma once

#include "engine/analysis.h"

#include <optional>
#include <string>

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

// The same range without storing it, for figures that count the plan's debits.
struct DebitRange {
    int first = 0; // calendar index of the first debit
    int payoff = 0; // calendar index of the debit that pays the loan off
    int count = 0; // debits from the one to the other, both counted
};
std::optional<DebitRange> FindDebitRange(const LoanAnalysis &a);

} // namespace tw
