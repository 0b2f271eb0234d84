#include "engine/schedules.h"

#include "engine/costs.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tw {

namespace {

// 1/1200 in single precision: rates are percent per year.
constexpr float kMonthlyRateFactor = 0.00083333335f;

// ToCents as a whole number of cents, for values far below 2^52 cents.
inline long long CentsOf(double value)
{
    if (!(value > 0))
        return 0;
    return static_cast<long long>(RoundHalfAwayUnits(value, 100));
}

// The fast path below holds every amount as whole cents below 2^31 (a loan of up to
// 21 million dollars): then a balance times the rate's 24-bit mantissa fits 64 bits, and
// cents convert to dollars without a division.
constexpr long long kCentsLaneLimit = 1LL << 31;

// n / 100 correctly rounded for 0 <= n < 2^31, without a division (which would cost
// more than the rest of a month): 0.01 = kCentHi + kCentLo with kCentHi of 22
// significant bits, so n x kCentHi is exact and the small second product moves the sum
// by far less than n / 100 ever lies from a rounding boundary (at least 1/200 of a unit
// in the last place). Checked for every such n.
constexpr double kCentHi = 2684355.0 / 268435456.0; // 2684355 / 2^28
constexpr double kCentLo = -0.44 / 268435456.0;

inline double DollarsOfCents(long long cents)
{
    const auto x = static_cast<double>(cents);
    return x * kCentHi + x * kCentLo;
}

// The monthly rate as an exact binary fraction: r = mantissa / 2^shift.
struct FixedRate {
    std::uint64_t mantissa = 0;
    int shift = 0;
    std::uint64_t fractionMask = 0;
    std::uint64_t half = 0;
    std::uint64_t nearHalf = 0; // how close to a half cent the doubles may round differently
    double r = 0;
    bool usable = false;

    explicit FixedRate(float rate)
        : r(rate)
    {
        int exponent = 0;
        const float fraction = std::frexp(rate, &exponent);
        shift = 24 - exponent;
        if (!(rate > 0) || shift < 20 || shift > 60)
            return;
        mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 24));
        fractionMask = (std::uint64_t {1} << shift) - 1;
        half = std::uint64_t {1} << (shift - 1);
        nearHalf = std::uint64_t {1} << (shift - 16);
        usable = true;
    }

    // The cents of ToCents(balance x r) for a balance of `cents`: the exact product
    // rounded half up. The rules round the product of the doubles, which lies within
    // 2^-17 of a cent of the exact one for any balance of the lane; only a product that
    // close to a half cent is left to the doubles themselves.
    long long Interest(long long cents) const
    {
        const std::uint64_t p = static_cast<std::uint64_t>(cents) * mantissa;
        const std::uint64_t fraction = p & fractionMask;
        if (fraction - (half - nearHalf) <= 2 * nearHalf) [[unlikely]]
            return CentsOf(DollarsOfCents(cents) * r);
        return static_cast<long long>((p + half) >> shift);
    }
};

// One month of a schedule in whole cents, by the row rules of MonthlyRowStep and
// PlanRowStep: every amount of a row is whole cents from row 1 on, and the difference of
// whole cents rounded to cents is the difference itself, so the month needs one rounding
// (the interest) where the rules take three, and gives the same doubles.
struct CentsMonth {
    long long interest = 0;
    long long principal = 0;
    long long nextBalance = 0;
    long long nextPayment = 0;
    bool final = false;
};

// extra: whole cents of this month's extra principal (0 for none); `final` as the plan's
// row rule keeps it; the monthly loan never sets it.
inline CentsMonth StepInCents(
    const FixedRate &rate, long long balance, long long payment, long long extra, bool final, bool plan)
{
    CentsMonth m;
    m.interest = rate.Interest(balance);
    m.principal = payment > m.interest ? payment - m.interest : 0;
    long long paid = m.principal + extra;
    if (final)
        paid += m.interest;
    m.nextBalance = balance > paid ? balance - paid : 0;
    m.final = final;
    if (payment <= m.nextBalance) {
        m.nextPayment = payment;
    } else {
        m.nextPayment = m.nextBalance;
        m.final = plan;
    }
    return m;
}

// The extra a plan month carries in whole cents, or -1 when it is not whole cents.
inline long long WholeCents(double amount)
{
    const long long cents = CentsOf(amount);
    return DollarsOfCents(cents) == amount ? cents : -1;
}

// Both schedules of ComputeSchedules and the do-it-yourself loan, month by month in whole
// cents; false (nothing written) when the amounts or the rate are outside the lane, and
// the rules in doubles then do the work.
bool RunSchedulesInCents(LoanAnalysis &a, double payment, ExtraDebitCursor &thirdDebits)
{
    const FixedRate rate(a.MonthlyRate);
    const double largest = std::max({a.LoanAmount, payment, a.HalfPayment, a.Diy.ExtraPerMonth});
    if (!rate.usable || !(largest * 100 < static_cast<double>(kCentsLaneLimit)))
        return false;
    auto &monthly = a.MonthlySchedule;
    auto &plan = a.BiWeeklySchedule;
    const int months = a.TermMonths;
    const double r = a.MonthlyRate;
    const long long half = WholeCents(a.HalfPayment);
    const double extraOf[2] = {0.0, a.HalfPayment}; // a plan month's Extra, without a branch
    const long long diyExtra = CentsOf(a.Diy.ExtraPerMonth);
    const int diyStart = a.PlanStartPayment;

    // Row 0 holds the unrounded payment: the rules themselves, then whole cents.
    MonthlyRowStep(monthly[0], monthly[1], r);
    long long mBalance = CentsOf(monthly[1].Balance);
    long long mPayment = CentsOf(monthly[1].Payment);
    long long monthlyInterest = CentsOf(monthly[0].Interest);

    ScheduleRow &first = plan[0];
    const double firstExtra = thirdDebits.TakeThirdDebit(1, first.Balance, first.Payment) ? a.HalfPayment : 0.0;
    bool final = PlanRowStep(first, plan[1], r, firstExtra, false);
    long long pBalance = CentsOf(plan[1].Balance);
    long long pPayment = CentsOf(plan[1].Payment);

    // The do-it-yourself loan's row 0 has the monthly loan's interest and principal.
    long long yBalance = CentsOf(a.LoanAmount);
    long long yInterest = CentsOf(monthly[0].Interest);
    int yRows = yInterest > 0 ? 1 : 0;
    int yOwing = yBalance > 0 ? 1 : 0;
    bool yFinal = false;
    long long yPayment = 0;
    {
        const bool extra = diyStart <= 1 && a.LoanAmount > payment;
        const long long paid = CentsOf(monthly[0].Principal) + (extra ? diyExtra : 0);
        yBalance = yBalance > paid ? yBalance - paid : 0;
        const double next = DollarsOfCents(yBalance);
        yPayment = payment <= next ? CentsOf(payment) : yBalance;
        yFinal = !(payment <= next);
        yOwing += yBalance > 0;
    }

    for (int k = 2; k <= months; ++k) {
        ScheduleRow &mRow = monthly[k - 1];
        ScheduleRow &mNext = monthly[k];
        const long long mBalanceBefore = mBalance;
        const long long mPaymentBefore = mPayment;
        const CentsMonth m = StepInCents(rate, mBalance, mPayment, 0, false, false);
        mRow.Interest = DollarsOfCents(m.interest);
        mRow.Principal = DollarsOfCents(m.principal);
        mRow.Extra = 0;
        mRow.Reserved = 0;
        mNext.Balance = DollarsOfCents(m.nextBalance);
        mNext.Payment = m.nextPayment == mPayment ? mRow.Payment : DollarsOfCents(m.nextPayment);
        monthlyInterest += m.interest;
        mBalance = m.nextBalance;
        mPayment = m.nextPayment;

        if (k < diyStart && !yFinal && yBalance == mBalanceBefore && yPayment == mPaymentBefore) {
            // Before its first extra the do-it-yourself loan is the monthly loan.
            yRows += m.interest > 0;
            yInterest += m.interest;
            yOwing += m.nextBalance > 0;
            yBalance = m.nextBalance;
            yPayment = m.nextPayment;
            yFinal = !(mPaymentBefore <= m.nextBalance);
        } else if (yBalance > 0) {
            const bool extra = k >= diyStart && yBalance > yPayment;
            const CentsMonth y = StepInCents(rate, yBalance, yPayment, extra ? diyExtra : 0, yFinal, true);
            if (y.interest > 0) {
                ++yRows;
                yInterest += y.interest;
            }
            yOwing += y.nextBalance > 0;
            yBalance = y.nextBalance;
            yPayment = y.nextPayment;
            yFinal = y.final;
        }

        ScheduleRow &pRow = plan[k - 1];
        ScheduleRow &pNext = plan[k];
        if (pBalance == 0 && pPayment == 0) {
            // Paid off: every later month of the plan is empty.
            pRow = ScheduleRow {};
            pNext = ScheduleRow {};
            continue;
        }
        const bool third = thirdDebits.TakeThirdDebit(k, pRow.Balance, pRow.Payment);
        // (The conditions are in the order that keeps the branches predictable: the plan
        // leaves the monthly loan once and for all, while third-debit months come
        // irregularly.)
        if (pBalance == mBalanceBefore && pPayment == mPaymentBefore && !final && !third) {
            // Until its first extra the plan is the monthly loan, row for row.
            pRow.Interest = mRow.Interest;
            pRow.Principal = mRow.Principal;
            pRow.Extra = 0;
            pRow.Reserved = 0;
            pNext.Balance = mNext.Balance;
            pNext.Payment = mNext.Payment;
            pBalance = m.nextBalance;
            pPayment = m.nextPayment;
            final = !(mPaymentBefore <= m.nextBalance);
            continue;
        }
        if (half < 0 && third) {
            final = PlanRowStep(pRow, pNext, r, a.HalfPayment, final);
            pBalance = CentsOf(pNext.Balance);
            pPayment = CentsOf(pNext.Payment);
            continue;
        }
        const CentsMonth p = StepInCents(rate, pBalance, pPayment, third ? half : 0, final, true);
        pRow.Interest = DollarsOfCents(p.interest);
        pRow.Principal = DollarsOfCents(p.principal);
        pRow.Extra = extraOf[third ? 1 : 0];
        pRow.Reserved = 0;
        pNext.Balance = DollarsOfCents(p.nextBalance);
        pNext.Payment = p.nextPayment == pPayment ? pRow.Payment : DollarsOfCents(p.nextPayment);
        pBalance = p.nextBalance;
        pPayment = p.nextPayment;
        final = p.final;
    }

    DoItYourself &diy = a.Diy;
    diy.DiyPaymentsEliminated = months - yRows;
    diy.DiyInterestSavings = static_cast<double>(monthlyInterest - yInterest) / 100;
    diy.DiyTotalPaymentSavings = payment * diy.DiyPaymentsEliminated;
    diy.DiyPayoffDate = PaymentDateText(a, yOwing);
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
    a.Diy = DoItYourself {};
    a.Diy.ExtraPerMonth = DoItYourselfExtra(a);
    ExtraDebitCursor thirdDebits(a);
    const bool inCents = RunSchedulesInCents(a, payment, thirdDebits);
    if (!inCents) {
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
    if (!inCents)
        a.Diy = ComputeDoItYourself(a);
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
