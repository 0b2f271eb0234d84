#include "engine/schedules.h"

#include <cmath>

namespace tw {

namespace {

// 1/1200 in single precision: rates are percent per year.
constexpr float kMonthlyRateFactor = 0.00083333335f;

} // namespace

double LevelPayment(float monthlyRate, int months, double amount)
{
    const long double r = monthlyRate;
    const long double growth = std::pow(1.0L + r, static_cast<long double>(-months));
    return static_cast<double>(r / std::fabs(growth - 1.0L) * static_cast<long double>(amount));
}

LoanNumbers ReadLoanNumbers(const LoanAnalysis &a)
{
    LoanNumbers n;
    const double amount = TextToDouble(a.AmountText);
    n.loanAmount = amount > 0 ? ToCents(amount) : 0;
    n.termYears = TextToInt(a.TermText);
    n.annualRate = static_cast<float>(TextToDouble(a.LowestRateText));
    if (a.VariableFlag != 0) {
        const auto highest = static_cast<float>(TextToDouble(a.HighestRateText));
        n.annualRate = static_cast<float>((highest + n.annualRate) * 0.5);
    }
    n.computable = n.loanAmount > 1.0 && n.termYears > 1 && n.termYears <= kMaxTermYears && n.annualRate > 1.0f;
    return n;
}

std::string ExplainDeclinedLoan(const LoanAnalysis &a)
{
    const LoanNumbers n = ReadLoanNumbers(a);
    if (!(n.loanAmount > 1.0))
        return "The loan amount must be more than 1.00 for the savings to be calculated.";
    if (n.termYears <= 1)
        return "The term must be at least 2 years for the savings to be calculated.";
    if (n.termYears > kMaxTermYears)
        return "The term can be at most 40 years for the savings to be calculated.";
    if (!(n.annualRate > 1.0f))
        return "The interest rate must be more than 1% for the savings to be calculated.";
    return {};
}

bool ComputeSchedules(LoanAnalysis &a)
{
    const LoanNumbers n = ReadLoanNumbers(a);
    if (!n.computable)
        return false;
    a.LoanAmount = n.loanAmount;
    a.TermYears = n.termYears;
    a.AnnualRate = n.annualRate;
    a.TermMonths = a.TermYears * 12;
    a.MonthlyRate = a.AnnualRate * kMonthlyRateFactor;

    const double payment = LevelPayment(a.MonthlyRate, a.TermMonths, a.LoanAmount);
    // The lender screen stores the payment as typed ("$1,200.00"): read the number it shows.
    const double entered = TextToDouble(CleanNumberText(a.CurrentPaymentText));
    a.HalfPayment = entered * 0.5;
    if (entered * 0.5 * 2.0 < payment) {
        // The plan debits at least half of the loan's own payment; the entry screens
        // then show the computed payment instead of the lower one typed.
        a.HalfPayment = payment * 0.5;
        a.CurrentPaymentText = CentsText(payment);
    }

    // Both schedules advance month by month in one pass.
    auto &monthly = a.MonthlySchedule;
    auto &plan = a.BiWeeklySchedule;
    const int months = a.TermMonths;
    const double r = a.MonthlyRate;
    StartSchedule(monthly, months, a.LoanAmount, payment);
    StartSchedule(plan, months, a.LoanAmount, payment);
    ExtraDebitCursor thirdDebits(a);
    bool final = false;
    for (int k = 1; k <= months; ++k) {
        MonthlyRowStep(monthly[k - 1], monthly[k], r);
        ScheduleRow &row = plan[k - 1];
        const double extra = thirdDebits.TakeThirdDebit(k, row.Balance, row.Payment) ? a.HalfPayment : 0.0;
        final = PlanRowStep(row, plan[k], r, extra, final);
    }
    // The loan as agreed ends with the term: the row after the last payment is empty.
    monthly[months] = ScheduleRow {};
    a.PayoffDate = PayoffDateFor(a, a.BiWeeklySchedule);
    return true;
}

ExtraDebitCursor::ExtraDebitCursor(const LoanAnalysis &a)
    : a_(a)
{
    // A third debit in the month before the loan's first payment has no payment
    // number a month can match; waiting for it would lose every later extra payment.
    while (next_ < kExtraDebitEntries && a_.ExtraDebitPayments[next_] < 1 && next_ + 1 < kExtraDebitEntries
        && a_.ExtraDebitPayments[next_ + 1] > 0)
        ++next_;
}

bool ExtraDebitCursor::TakeThirdDebit(int k, double balance, double payment)
{
    if (next_ >= kExtraDebitEntries || a_.ExtraDebitPayments[next_] != k || !(balance > payment))
        return false;
    ++next_;
    return true;
}

} // namespace tw
