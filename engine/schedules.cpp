#include "engine/schedules.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

// 1/1200 in single precision: rates are percent per year.
constexpr float kMonthlyRateFactor = 0.00083333335f;

// Every amount of the schedules below this many dollars is held as whole cents exactly,
// with room to spare for the sums of a row.
constexpr double kCentsPathLimit = 1e12;

// ToCents as a whole number of cents; the value must be below kCentsPathLimit.
inline long long CentsOf(double value)
{
    if (!(value > 0))
        return 0;
    return static_cast<long long>(RoundHalfAwayUnits(value, 100));
}

// The cents of ToCents(balance x r) for balance = balanceCents / 100, without the division
// on the path from one month to the next: balanceCents x r is the same product to within
// a few units of its last place, so it rounds to the same cent unless it lies that close
// to a half cent, and then the product of the doubles decides.
inline long long InterestCents(long long balanceCents, double balance, double r)
{
    const double x = static_cast<double>(balanceCents) * r;
    const auto whole = static_cast<long long>(x);
    const double fraction = x - static_cast<double>(whole);
    if (std::fabs(fraction - 0.5) > x * 1e-14 + 1e-12)
        return fraction > 0.5 ? whole + 1 : whole;
    return CentsOf(balance * r);
}

// One schedule's running balance and payment in whole cents beside their doubles. The
// rows' rules (MonthlyRowStep, PlanRowStep) round every balance, interest, principal and
// payment to cents, and the difference of two cents amounts rounded to cents is the
// difference of the whole numbers: so a month of whole cents needs one rounding (the
// interest) where the rules take three, and gives the same doubles. Row 0's payment is
// not whole cents, and a month with an extra (which may hold fractions of a cent) or
// the plan's final month goes by the rules themselves.
struct CentsLane {
    long long balance = 0; // cents of the row's Balance
    long long payment = -1; // cents of the row's Payment, -1 while it is not whole cents

    void Load(const ScheduleRow &row)
    {
        balance = CentsOf(row.Balance);
        payment = CentsOf(row.Payment);
    }
};

// The monthly row step in cents; the same values as MonthlyRowStep.
inline void MonthlyCentsStep(ScheduleRow &row, ScheduleRow &next, double r, CentsLane &lane)
{
    if (lane.payment < 0) {
        MonthlyRowStep(row, next, r);
        lane.Load(next);
        return;
    }
    const long long interest = InterestCents(lane.balance, row.Balance, r);
    const long long principal = lane.payment > interest ? lane.payment - interest : 0;
    const long long nextBalance = lane.balance > principal ? lane.balance - principal : 0;
    const long long nextPayment = lane.payment <= nextBalance ? lane.payment : nextBalance;
    row.Interest = interest / 100.0;
    row.Principal = principal / 100.0;
    row.Extra = 0;
    row.Reserved = 0;
    next.Balance = nextBalance / 100.0;
    // The payment stays the same until the balance falls below it.
    next.Payment = nextPayment == lane.payment ? row.Payment : nextPayment / 100.0;
    lane.balance = nextBalance;
    lane.payment = nextPayment;
}

// The plan's row step in cents for a month without extra before the final one; the same
// values as PlanRowStep. Returns the final flag.
inline bool PlanCentsStep(ScheduleRow &row, ScheduleRow &next, double r, double extra, bool final, CentsLane &lane)
{
    if (lane.payment < 0 || extra != 0 || final) {
        final = PlanRowStep(row, next, r, extra, final);
        lane.Load(next);
        return final;
    }
    const long long interest = InterestCents(lane.balance, row.Balance, r);
    const long long principal = lane.payment > interest ? lane.payment - interest : 0;
    const long long nextBalance = lane.balance > principal ? lane.balance - principal : 0;
    row.Interest = interest / 100.0;
    row.Principal = principal / 100.0;
    row.Extra = 0;
    row.Reserved = 0;
    next.Balance = nextBalance / 100.0;
    lane.balance = nextBalance;
    if (lane.payment <= nextBalance) {
        next.Payment = row.Payment; // whole cents already: the same double
        return false;
    }
    next.Payment = next.Balance;
    lane.payment = nextBalance;
    return true;
}

// Both schedules of ComputeSchedules, month by month in whole cents; false (nothing
// written) for amounts too large for it, which then go by the rules in doubles.
bool RunSchedulesInCents(LoanAnalysis &a, double payment, double r, ExtraDebitCursor &thirdDebits)
{
    const double largest = std::max({a.LoanAmount, payment, a.HalfPayment});
    if (!(largest < kCentsPathLimit) || !(r < 1))
        return false;
    auto &monthly = a.MonthlySchedule;
    auto &plan = a.BiWeeklySchedule;
    CentsLane monthlyLane;
    CentsLane planLane;
    monthlyLane.balance = planLane.balance = CentsOf(a.LoanAmount);
    bool final = false;
    for (int k = 1; k <= a.TermMonths; ++k) {
        MonthlyCentsStep(monthly[k - 1], monthly[k], r, monthlyLane);
        ScheduleRow &row = plan[k - 1];
        const double extra = thirdDebits.TakeThirdDebit(k, row.Balance, row.Payment) ? a.HalfPayment : 0.0;
        final = PlanCentsStep(row, plan[k], r, extra, final, planLane);
    }
    return true;
}

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
    if (!RunSchedulesInCents(a, payment, r, thirdDebits)) {
        bool final = false;
        for (int k = 1; k <= months; ++k) {
            MonthlyRowStep(monthly[k - 1], monthly[k], r);
            ScheduleRow &row = plan[k - 1];
            const double extra = thirdDebits.TakeThirdDebit(k, row.Balance, row.Payment) ? a.HalfPayment : 0.0;
            final = PlanRowStep(row, plan[k], r, extra, final);
        }
    }
    // The loan as agreed ends with the term: the row after the last payment is empty.
    monthly[months] = ScheduleRow {};
    a.PayoffDate = PayoffDateFor(a, a.BiWeeklySchedule);
    return true;
}

std::string PaymentDateText(const LoanAnalysis &a, int payment)
{
    const std::string &first = a.FirstPaymentDate;
    int month = first.size() >= 2 ? TextToInt(first.substr(0, 2)) : 0;
    int year = first.size() >= 4 ? TextToInt(first.substr(first.size() - 4)) : 0;
    const std::string middle = first.size() >= 6 ? first.substr(2, 4) : std::string("/");
    const int monthIndex = (month - 1) + std::max(payment - 1, 0);
    year += monthIndex >= 0 ? monthIndex / 12 : -((11 - monthIndex) / 12);
    month = ((monthIndex % 12) + 12) % 12 + 1;
    return (month < 10 ? "0" : "") + std::to_string(month) + middle + std::to_string(year);
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
