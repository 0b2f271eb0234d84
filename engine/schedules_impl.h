#pragma once

// Template bodies of engine/schedules.h.

#include "app/format/dates.h"
#include "app/format/number_text.h"
#include "engine/to_cents.h"

#include <algorithm>

namespace tw {

template<std::size_t N, typename ExtraRule>
void RunPlanSchedule(Schedule<N> &s, const LoanAnalysis &a, double payment, ExtraRule extraFor)
{
    const int months = std::min(a.TermMonths, static_cast<int>(N) - 1);
    const double r = a.MonthlyRate;
    // Rows past this computation are cleared so that nothing of a longer earlier loan
    // can be read as part of this one.
    std::fill(s.begin() + months, s.end(), ScheduleRow {});
    s[0].Balance = a.LoanAmount;
    s[0].Payment = payment;
    bool final = false;
    for (int k = 1; k <= months; ++k) {
        ScheduleRow &row = s[k - 1];
        ScheduleRow &next = s[k];
        row.Interest = ToCents(row.Balance * r);
        row.Principal = ToCents(row.Payment - row.Interest);
        row.Extra = extraFor(k, row);
        row.Reserved = 0;
        double paid = row.Principal + row.Extra;
        if (final)
            paid += row.Interest;
        next.Balance = ToCents(row.Balance - paid);
        if (row.Payment <= next.Balance) {
            next.Payment = ToCents(row.Payment);
        } else {
            next.Payment = ToCents(next.Balance);
            final = true;
        }
    }
}

template<std::size_t N> std::string PayoffDateFor(const LoanAnalysis &a, const Schedule<N> &plan)
{
    const std::string &first = a.FirstPaymentDate;
    int month = first.size() >= 2 ? TextToInt(first.substr(0, 2)) : 0;
    int year = first.size() >= 4 ? TextToInt(first.substr(first.size() - 4)) : 0;
    const std::string middle = first.size() >= 6 ? first.substr(2, 4) : std::string("/");
    const int n = CountRowsAbove(plan, &ScheduleRow::Balance, ComputedRows(a));
    const int advance = std::max(n - 1, 0);
    const int monthIndex = (month - 1) + advance;
    year += monthIndex >= 0 ? monthIndex / 12 : -((11 - monthIndex) / 12);
    month = ((monthIndex % 12) + 12) % 12 + 1;
    return (month < 10 ? "0" : "") + std::to_string(month) + middle + std::to_string(year);
}

} // namespace tw
