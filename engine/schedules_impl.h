#pragma once

// Template and inline bodies of engine/schedules.h.

#include "engine/to_cents.h"
#include "format/dates.h"
#include "format/number_text.h"

#include <algorithm>

namespace tw {

inline void MonthlyRowStep(ScheduleRow &row, ScheduleRow &next, double r)
{
    row.Interest = ToCents(row.Balance * r);
    row.Principal = ToCents(row.Payment - row.Interest);
    row.Extra = 0;
    row.Reserved = 0;
    next.Balance = ToCents(row.Balance - row.Principal);
    next.Payment = ToCents(row.Payment <= next.Balance ? row.Payment : next.Balance);
}

inline bool PlanRowStep(ScheduleRow &row, ScheduleRow &next, double r, double extra, bool final)
{
    row.Interest = ToCents(row.Balance * r);
    row.Principal = ToCents(row.Payment - row.Interest);
    row.Extra = extra;
    row.Reserved = 0;
    double paid = row.Principal + row.Extra;
    if (final)
        paid += row.Interest; // the final payment also clears the month's interest
    next.Balance = ToCents(row.Balance - paid);
    if (row.Payment <= next.Balance) {
        next.Payment = ToCents(row.Payment);
        return final;
    }
    next.Payment = ToCents(next.Balance);
    return true;
}

template <std::size_t N>
void StartSchedule(Schedule<N> &s, int months, double loan, double payment)
{
    // Rows past this computation are cleared so that nothing of a longer earlier loan
    // can be read as part of this one.
    std::fill(s.begin() + months, s.end(), ScheduleRow {});
    s[0].Balance = loan;
    s[0].Payment = payment;
}

template <std::size_t N, typename ExtraRule>
void RunPlanSchedule(Schedule<N> &s, const LoanAnalysis &a, double payment, ExtraRule extraFor)
{
    const int months = std::min(a.TermMonths, static_cast<int>(N) - 1);
    const double r = a.MonthlyRate;
    StartSchedule(s, months, a.LoanAmount, payment);
    bool final = false;
    for (int k = 1; k <= months; ++k) {
        ScheduleRow &row = s[k - 1];
        final = PlanRowStep(row, s[k], r, extraFor(k, row), final);
    }
}

template <std::size_t N>
std::string PayoffDateFor(const LoanAnalysis &a, const Schedule<N> &plan)
{
    return PaymentDateText(a, CountRowsAbove(plan, &ScheduleRow::Balance, ComputedRows(a)));
}

} // namespace tw
