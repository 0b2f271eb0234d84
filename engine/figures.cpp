#include "engine/figures.h"

#include "engine/schedules.h"

#include <algorithm>

namespace tw {

namespace {

double SumPrincipalOfFirstRows(const LoanAnalysis &a, int rows)
{
    double sum = 0;
    for (int i = 0; i < rows && i < kScheduleRows; ++i)
        sum += a.MonthlySchedule[i].Principal;
    return sum;
}

// The first row from row 1 on whose monthly balance is below half the loan. The balance
// never grows from one month to the next, so the rows above half come first.
int MonthsToPayHalf(const LoanAnalysis &a)
{
    const auto &s = a.MonthlySchedule;
    const double half = s[0].Balance / 2;
    const int end = std::min(ComputedRows(a), kScheduleRows);
    if (end <= 1)
        return 0;
    const auto first = std::partition_point(
        s.begin() + 1, s.begin() + end, [half](const ScheduleRow &row) { return !(row.Balance < half); });
    return first == s.begin() + end ? 0 : static_cast<int>(first - s.begin());
}

} // namespace

double InvestmentValueOf(double totalPaymentSavings, int paymentsEliminated)
{
    if (paymentsEliminated < 1)
        return 0;
    const double p = totalPaymentSavings / paymentsEliminated;
    double v = p;
    for (int i = 1; i <= paymentsEliminated; ++i) {
        v += v * 0.008333;
        if (i >= 2)
            v += p;
    }
    return v;
}

namespace {

// The schedules' amounts are whole cents: their sums are kept in whole cents, exact
// whatever the number of months, and turned into dollars once.
long long CentsOfRow(double amount)
{
    return static_cast<long long>(amount * 100 + 0.5);
}

double DollarsOf(long long cents)
{
    return static_cast<double>(cents) / 100;
}

// The screen's figures; `monthlyInterest` is the monthly schedule's interest summed up
// to its first row without interest.
struct PlanInterest {
    int months = 0; // rows from row 0 with interest
    long long interest = 0; // their interest in cents
};

PlanInterest PlanInterestOf(const LoanAnalysis &a)
{
    PlanInterest p;
    const auto &plan = a.BiWeeklySchedule;
    for (const int end = std::min(ComputedRows(a), kScheduleRows); p.months < end && plan[p.months].Interest > 0;
         ++p.months)
        p.interest += CentsOfRow(plan[p.months].Interest);
    return p;
}

long long MonthlyInterestCents(const LoanAnalysis &a)
{
    long long sum = 0;
    const auto &monthly = a.MonthlySchedule;
    for (int i = 0, end = std::min(ComputedRows(a), kScheduleRows); i < end && monthly[i].Interest > 0; ++i)
        sum += CentsOfRow(monthly[i].Interest);
    return sum;
}

void ScreenFigures(LoanAnalysis &a, long long monthlyInterest, PlanInterest planned)
{
    const auto &monthly = a.MonthlySchedule;
    const auto &plan = a.BiWeeklySchedule;
    const int L = a.PlanStartPayment;
    const double loan = plan[0].Balance;

    const int c = planned.months;
    a.RemainingYears = (a.TermYears * 12 - L) * kOneTwelfth;
    a.InterestSavings = DollarsOf(monthlyInterest - planned.interest);
    a.YearsToPayoff = c * kOneTwelfth;
    a.PlanYears = (c - L) * kOneTwelfth;
    a.PaymentsEliminated = a.TermMonths - c;
    a.TotalPaymentSavings = a.PaymentsEliminated * monthly[0].Payment;
    a.BiWeeklyEquity5 = loan - BalanceOrZero(plan, L + 59LL);
    a.NormalEquity5 = loan - BalanceOrZero(monthly, L + 59LL);
    a.BiWeeklyEquity10 = loan - BalanceOrZero(plan, L + 119LL);
    a.NormalEquity10 = loan - BalanceOrZero(monthly, L + 119LL);
    a.BalanceAtPayoff = BalanceOrZero(monthly, c - 1LL);
    a.AverageMonthlySavings = c > 0 ? a.TotalPaymentSavings / c : 0;
    a.AverageYearlySavings = a.AverageMonthlySavings * 12;
    a.InvestmentValue = InvestmentValueOf(a.TotalPaymentSavings, a.PaymentsEliminated);
}

} // namespace

void ComputeSummaryScreenFigures(LoanAnalysis &a)
{
    ScreenFigures(a, MonthlyInterestCents(a), PlanInterestOf(a));
}

void ComputeSummaryFigures(LoanAnalysis &a)
{
    const auto &monthly = a.MonthlySchedule;
    const int rows = std::min(ComputedRows(a), kScheduleRows);
    const double payment = monthly[0].Payment;

    // The monthly loan's principal over its first 60 and 120 months, and its interest
    // over the first 60, 120 and all of them; each sum stops at the first month without
    // its amount, and so do the later ones (which start where it stopped).
    long long principal5 = 0, principal10 = 0;
    for (int q = 0; q < std::min(rows, 120) && monthly[q].Principal > 0; ++q) {
        const long long cents = CentsOfRow(monthly[q].Principal);
        principal10 += cents;
        if (q < 60)
            principal5 += cents;
    }
    long long interest = 0;
    int q = 0;
    for (; q < std::min(rows, 60) && monthly[q].Interest > 0; ++q)
        interest += CentsOfRow(monthly[q].Interest);
    const long long interest5 = interest;
    for (; q < std::min(rows, 120) && monthly[q].Interest > 0; ++q)
        interest += CentsOfRow(monthly[q].Interest);
    const long long interest10 = interest;
    for (; q < rows && monthly[q].Interest > 0; ++q)
        interest += CentsOfRow(monthly[q].Interest);

    a.FiveYearPayments = payment * 60;
    a.FiveYearPrincipal = DollarsOf(principal5);
    a.FiveYearInterest = DollarsOf(interest5);
    a.FiveYearBalance = BalanceOrZero(monthly, 59);
    a.TenYearPayments = payment * 120;
    a.TenYearPrincipal = DollarsOf(principal10);
    a.TenYearInterest = DollarsOf(interest10);
    a.TenYearBalance = BalanceOrZero(monthly, 119);
    const int half = MonthsToPayHalf(a);
    a.YearsToPayHalf = half * kOneTwelfth;
    a.PaymentsToPayHalf = half * payment;
    a.TotalInterest = DollarsOf(interest);
    a.TotalPaid = monthly[0].Balance + a.TotalInterest;
    ScreenFigures(a, interest, PlanInterestOf(a));
}

SlideNineFigures ComputeSlideNineFigures(const LoanAnalysis &a)
{
    const auto &monthly = a.MonthlySchedule;
    const double loan = monthly[0].Balance;
    const double payment = monthly[0].Payment;
    SlideNineFigures f;
    f.fiveYearPayments = payment * 60;
    f.fiveYearPrincipal = SumPrincipalOfFirstRows(a, 60);
    f.fiveYearInterest = f.fiveYearPayments - f.fiveYearPrincipal;
    f.fiveYearBalance = loan - f.fiveYearPrincipal;
    f.tenYearPayments = payment * 120;
    f.tenYearPrincipal = SumPrincipalOfFirstRows(a, 120);
    f.tenYearInterest = f.tenYearPayments - f.tenYearPrincipal;
    f.tenYearBalance = loan - f.tenYearPrincipal;
    const int half = MonthsToPayHalf(a);
    f.yearsToPayHalf = half * kOneTwelfth;
    f.halfPrincipalPayments = payment * half;
    f.totalInterest = SumRowsAbove(monthly, &ScheduleRow::Interest, ComputedRows(a));
    f.totalPaid = loan + f.totalInterest;
    return f;
}

} // namespace tw
