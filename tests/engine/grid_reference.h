#pragma once

// The amortization grid by its written rules alone, one month at a time in plain doubles
// with the definition's rounding to cents. It shares no code with the engine, whose whole-
// cents recalculation and commands are checked against it.

#include "tests/engine/reference_cents.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tw {

struct MonthByRules {
    double balance = 0, payment = 0, interest = 0, principal = 0;
    double extra = 0, rate = 0, adjustment = 0; // inputs; a rate of 0 takes the month before's
};

// `inputs[n - 1]` holds the inputs of month n. Returns months 1 to the last one paid.
inline std::vector<MonthByRules> GridByRules(double loan, int termYears, std::vector<MonthByRules> inputs)
{
    constexpr int kRows = 499;
    const int term = (termYears >= 1 && termYears <= 40 ? termYears : 30) * 12;
    inputs.resize(kRows);
    std::vector<MonthByRules> months;
    double balance = loan, rate = -1, payment = 0;
    bool payoff = false;
    for (int k = 1; k <= kRows && balance > 0; ++k) {
        MonthByRules m = inputs[k - 1];
        if (!(m.rate > 0 && m.rate <= 100))
            m.rate = k == 1 ? 0 : rate;
        m.extra = m.extra > 0 && std::isfinite(m.extra) ? m.extra : 0;
        m.adjustment = m.adjustment > 0 && std::isfinite(m.adjustment) ? m.adjustment : 0;
        const double i = m.rate * (1.0 / 1200.0);
        if (m.rate != rate && !payoff) {
            // The loan's level payment in month 1; at a change, the balance's over the
            // months left, to the cent.
            const int left = k == 1 ? term : std::max(term - k + 1, 1);
            const double owed = k == 1 ? loan : balance;
            const double g = std::fabs(std::pow(1.0 + i, -static_cast<double>(left)) - 1.0);
            payment = g > 0 ? i / g * owed : owed / left;
            if (k > 1)
                payment = ReferenceToCents(payment);
        }
        rate = m.rate;
        if (k == kRows && !payoff) {
            payoff = true;
            payment = ReferenceToCents(balance);
        }
        m.balance = balance;
        m.interest = ReferenceToCents(balance * i);
        m.payment = payoff ? ReferenceToCents(payment + m.interest) : payment;
        m.principal = ReferenceToCents(payoff ? balance : payment - m.interest);
        months.push_back(m);
        balance = ReferenceToCents(balance - (m.adjustment + m.extra + m.principal));
        if (!payoff && balance < payment) {
            payoff = true;
            if (k < kRows)
                inputs[static_cast<std::size_t>(k)].extra = 0;
            payment = ReferenceToCents(balance);
        }
    }
    return months;
}

} // namespace tw
