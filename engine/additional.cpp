#include "engine/additional.h"

#include "engine/figures.h"
#include "engine/schedules.h"
#include "format/number_text.h"

namespace tw {

namespace {

SavingsColumn Subtract(const SavingsColumn &x, const SavingsColumn &y)
{
    SavingsColumn d;
    d.YearsToPayoff = x.YearsToPayoff - y.YearsToPayoff;
    d.InterestSavings = x.InterestSavings - y.InterestSavings;
    d.PaymentsEliminated = x.PaymentsEliminated - y.PaymentsEliminated;
    d.TotalPaymentSavings = x.TotalPaymentSavings - y.TotalPaymentSavings;
    d.BiWeeklyEquity5 = x.BiWeeklyEquity5 - y.BiWeeklyEquity5;
    d.BiWeeklyEquity10 = x.BiWeeklyEquity10 - y.BiWeeklyEquity10;
    d.AverageMonthlySavings = x.AverageMonthlySavings - y.AverageMonthlySavings;
    d.AverageYearlySavings = x.AverageYearlySavings - y.AverageYearlySavings;
    d.InvestmentValue = x.InvestmentValue - y.InvestmentValue;
    return d;
}

bool HasComputedPlan(const LoanAnalysis &a)
{
    return a.TermMonths >= 12 && a.TermMonths <= kMaxTermYears * 12;
}

} // namespace

SavingsColumn PlanColumn(const LoanAnalysis &a)
{
    SavingsColumn c;
    c.YearsToPayoff = a.YearsToPayoff;
    c.InterestSavings = a.InterestSavings;
    c.PaymentsEliminated = a.PaymentsEliminated;
    c.TotalPaymentSavings = a.TotalPaymentSavings;
    c.BiWeeklyEquity5 = a.BiWeeklyEquity5;
    c.BiWeeklyEquity10 = a.BiWeeklyEquity10;
    c.AverageMonthlySavings = a.AverageMonthlySavings;
    c.AverageYearlySavings = a.AverageYearlySavings;
    c.InvestmentValue = a.InvestmentValue;
    return c;
}

AdditionalComparison RecalculateAdditional(LoanAnalysis &a)
{
    AdditionalComparison result;
    const SavingsColumn plan = PlanColumn(a);
    if (!HasComputedPlan(a)) {
        result.difference = Subtract(result.additional, plan);
        return result;
    }
    auto &extra = a.AdditionalSchedule;
    const int rows = ComputedRows(a);
    const int L = a.PlanStartPayment;
    const double half = TextToDouble(CleanNumberText(a.CurrentPaymentText)) * 0.5;

    ExtraDebitCursor thirdDebits(a);
    RunPlanSchedule(
        extra, a, LevelPayment(a.MonthlyRate, a.TermMonths, a.LoanAmount), [&](int k, const ScheduleRow &row) {
            if (thirdDebits.TakeThirdDebit(k, row.Balance, row.Payment))
                return a.AdditionalPayment + half;
            return k < L ? 0.0 : a.AdditionalPayment;
        });

    SavingsColumn &x = result.additional;
    const int d = CountRowsAbove(extra, &ScheduleRow::Interest, rows);
    x.InterestSavings = (SumRowsAbove(a.BiWeeklySchedule, &ScheduleRow::Interest, rows)
                            - SumRowsAbove(extra, &ScheduleRow::Interest, rows))
        + a.InterestSavings;
    x.YearsToPayoff = d * kOneTwelfth;
    x.PaymentsEliminated = a.TermMonths - d;
    x.TotalPaymentSavings = x.PaymentsEliminated * a.BiWeeklySchedule[0].Payment;
    x.BiWeeklyEquity5 = extra[0].Balance - BalanceOrZero(extra, L + 59LL);
    x.BiWeeklyEquity10 = extra[0].Balance - BalanceOrZero(extra, L + 119LL);
    x.AverageMonthlySavings = d > 0 ? x.TotalPaymentSavings / d : 0;
    x.AverageYearlySavings = x.AverageMonthlySavings * 12;
    x.InvestmentValue = InvestmentValueOf(x.TotalPaymentSavings, x.PaymentsEliminated);

    result.difference = Subtract(x, plan);
    a.AdditionalSavingsGain = result.difference.TotalPaymentSavings;
    return result;
}

void RecomputeBaseSchedules(LoanAnalysis &a)
{
    // The plan as the last full computation made it: the same half payment (from the
    // current payment text, which that computation already raised to the loan's own
    // payment when needed) and the same payoff date text.
    const std::string paymentText = a.CurrentPaymentText;
    const std::string payoffDate = a.PayoffDate;
    if (!ComputeSchedules(a))
        return;
    a.CurrentPaymentText = paymentText;
    a.PayoffDate = payoffDate;

    const int rows = ComputedRows(a);
    const int L = a.PlanStartPayment;
    const auto &monthly = a.MonthlySchedule;
    const auto &plan = a.BiWeeklySchedule;
    const int c = CountRowsAbove(plan, &ScheduleRow::Interest, rows);
    a.InterestSavings
        = SumRowsAbove(monthly, &ScheduleRow::Interest, rows) - SumRowsAbove(plan, &ScheduleRow::Interest, rows);
    a.PaymentsEliminated = a.TermMonths - c;
    a.BalanceAtPayoff = BalanceOrZero(monthly, c - 1LL);
    a.BiWeeklyEquity5 = plan[0].Balance - BalanceOrZero(plan, L + 59LL);
    a.BiWeeklyEquity10 = plan[0].Balance - BalanceOrZero(plan, L + 119LL);
    a.TotalPaymentSavings = a.PaymentsEliminated * monthly[0].Payment;
    a.AverageMonthlySavings = c > 0 ? a.TotalPaymentSavings / c : 0;
    a.AverageYearlySavings = a.AverageMonthlySavings * 12;
    a.InvestmentValue = InvestmentValueOf(a.TotalPaymentSavings, a.PaymentsEliminated);
    a.YearsToPayoff = c * kOneTwelfth;
}

AdditionalPaymentSession::AdditionalPaymentSession(LoanAnalysis &a)
    : a_(a)
{
}

void AdditionalPaymentSession::Start()
{
    if (a_.AdditionalPayment > 0)
        RecomputeBaseSchedules(a_);
    plan_ = PlanColumn(a_);
    a_.AdditionalPayment = 10.00;
    a_.AdditionalPaymentText = kStartAmountText;
    comparison_ = RecalculateAdditional(a_);
}

bool AdditionalPaymentSession::Recalculate(std::string_view typedAmount)
{
    // An emptied edit changes nothing: clearing the text alone would print no additional
    // payment on the enrollment form for a plan that still includes one.
    if (typedAmount.empty())
        return false;
    a_.AdditionalPaymentText = CleanNumberText(typedAmount);
    const double amount = TextToDouble(a_.AdditionalPaymentText);
    if (amount == a_.AdditionalPayment)
        return false;
    a_.AdditionalPayment = amount;
    comparison_ = RecalculateAdditional(a_);
    return true;
}

void AdditionalPaymentSession::Use(std::string_view typedAmount)
{
    Recalculate(typedAmount);
    if (!HasComputedPlan(a_))
        return;
    const int months = a_.TermMonths;
    for (int i = 0; i < months; ++i) {
        ScheduleRow &to = a_.BiWeeklySchedule[i];
        const ScheduleRow &from = a_.AdditionalSchedule[i];
        to.Balance = from.Balance;
        to.Payment = from.Payment;
        to.Interest = from.Interest;
        to.Principal = from.Principal;
    }
    const SavingsColumn &x = comparison_.additional;
    a_.InterestSavings = x.InterestSavings;
    a_.PaymentsEliminated = x.PaymentsEliminated;
    a_.YearsToPayoff = x.YearsToPayoff;
    a_.TotalPaymentSavings = x.TotalPaymentSavings;
    a_.BiWeeklyEquity5 = x.BiWeeklyEquity5;
    a_.BiWeeklyEquity10 = x.BiWeeklyEquity10;
    a_.AverageMonthlySavings = x.AverageMonthlySavings;
    a_.AverageYearlySavings = x.AverageYearlySavings;
    a_.InvestmentValue = x.InvestmentValue;
    a_.BalanceAtPayoff = BalanceOrZero(a_.MonthlySchedule, months - x.PaymentsEliminated - 1LL);
    a_.PayoffDate = PayoffDateFor(a_, a_.AdditionalSchedule);
}

void AdditionalPaymentSession::Decline()
{
    a_.AdditionalPayment = 0;
    a_.AdditionalPaymentText = "0";
}

} // namespace tw
