#pragma once

#include "engine/analysis.h"

#include <string>

namespace tw {

// The monthly principal-and-interest payment of `amount` over `months` at `monthlyRate`,
// computed in extended precision: rate / |(1 + rate)^-months - 1| x amount.
double LevelPayment(float monthlyRate, int months, double amount);

// The numbers a computation would take from the loan texts; `computable` says whether
// the amount, term and rate pass the engine's own limits.
struct LoanNumbers {
    double loanAmount = 0; // 0 when the amount text converts to 0 or less
    int termYears = 0;
    float annualRate = 0;
    bool computable = false;
};
LoanNumbers ReadLoanNumbers(const LoanAnalysis &a);

// Why the computation would decline these texts, in words for the user; "" when it
// will compute. The loan-entry screen and the command line refuse such loans up front.
std::string ExplainDeclinedLoan(const LoanAnalysis &a);

// Fills MonthlySchedule and BiWeeklySchedule from the loan texts and sets PayoffDate.
// Declines (returns false, changing nothing) when the amount is 1.00 or less, the term
// is 1 year or less or more than 40, or the rate is 1 % or less.
bool ComputeSchedules(LoanAnalysis &a);

// The extra principal a plan pays in month k; consumes third-debit months as it goes.
class ExtraDebitCursor {
public:
    explicit ExtraDebitCursor(const LoanAnalysis &a);
    // True when month k is the next listed third-debit month and the balance still
    // exceeds the payment; such a month is then used up.
    bool TakeThirdDebit(int k, double balance, double payment);

private:
    const LoanAnalysis &a_;
    int next_ = 0;
};

// Count of rows from row 0 whose value is above 0, never past `limit` rows.
template <std::size_t N, typename Field>
int CountRowsAbove(const Schedule<N> &s, Field field, int limit)
{
    int n = 0;
    const int end = limit < static_cast<int>(N) ? limit : static_cast<int>(N);
    while (n < end && s[n].*field > 0)
        ++n;
    return n;
}

// Sum of a value from row 0 up to the first row where it is not above 0.
template <std::size_t N, typename Field>
double SumRowsAbove(const Schedule<N> &s, Field field, int limit)
{
    double sum = 0;
    const int end = limit < static_cast<int>(N) ? limit : static_cast<int>(N);
    for (int i = 0; i < end && s[i].*field > 0; ++i)
        sum += s[i].*field;
    return sum;
}

// Rows a computation of the current term writes: 0 to TermMonths.
inline int ComputedRows(const LoanAnalysis &a)
{
    return a.TermMonths >= 0 ? a.TermMonths + 1 : 0;
}

// Rows of a plan schedule, one bi-weekly month at a time: the balance reaches exactly 0
// with the final payment. Used for the plan and for the plan with an additional payment.
template <std::size_t N, typename ExtraRule>
void RunPlanSchedule(Schedule<N> &s, const LoanAnalysis &a, double payment, ExtraRule extraFor);

// The date of payment `payment` as the payoff date names months: the first payment
// date's month advanced by payment - 1, its "/DD/" kept as typed (so a loan first paid
// on the 31st names a 31st in every month).
std::string PaymentDateText(const LoanAnalysis &a, int payment);

// PayoffDate for a plan schedule: the date of the last payment whose balance is above 0.
template <std::size_t N>
std::string PayoffDateFor(const LoanAnalysis &a, const Schedule<N> &plan);

} // namespace tw

#include "engine/schedules_impl.h"
