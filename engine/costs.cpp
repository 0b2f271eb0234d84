#include "engine/costs.h"

#include "engine/debits.h"
#include "engine/schedules.h"
#include "engine/to_cents.h"
#include "format/dates.h"
#include "format/number_text.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace tw {

namespace {

// Every amount of a schedule is whole cents (and never negative): the running sums of
// the costs are kept as whole numbers, so "saved at least the fees" is decided on exact
// amounts.
long long CentsOfWhole(double v)
{
    return static_cast<long long>(v * 100 + 0.5);
}

bool HasSchedules(const LoanAnalysis &a)
{
    return a.TermMonths > 0 && a.TermMonths < kScheduleRows;
}

// The day numbers of the loan's payment dates as PayoffDate names them (the first
// payment's day kept in every month, a day past the month's end carried into the next).
class PaymentDays {
public:
    // From payment `payment` on.
    PaymentDays(const std::string &firstPayment, int payment)
    {
        const int monthIndex = TextToInt(firstPayment.substr(0, 2)) - 1 + payment - 1;
        month_ = monthIndex % 12 + 1;
        year_ = TextToInt(firstPayment.substr(6, 4)) + monthIndex / 12;
        day_ = TextToInt(firstPayment.substr(3, 2));
        monthStart_ = DayNumber(year_, month_, 1);
    }
    int Current() const { return monthStart_ + day_ - 1; }
    // On to the next month's payment.
    void Next()
    {
        monthStart_ += MonthLength(month_, year_);
        if (++month_ > 12) {
            month_ = 1;
            ++year_;
        }
    }

private:
    int month_ = 1;
    int year_ = 0;
    int day_ = 1;
    int monthStart_ = 0;
};

} // namespace

double AverageMonthlyFee()
{
    return FeePerDebit * 26 / 12;
}

PlanCosts ComputePlanCosts(const LoanAnalysis &a)
{
    PlanCosts costs;
    if (!HasSchedules(a))
        return costs;
    const auto &monthly = a.MonthlySchedule;
    const auto &plan = a.BiWeeklySchedule;
    const int months = a.TermMonths;
    const auto range = FindDebitRange(a);
    costs.PlanDebits = range ? range->count : 0;
    costs.TotalFees = ToCents(FeePerDebit * costs.PlanDebits);
    const long long feeCents = CentsOfWhole(FeePerDebit);

    // The plan's extra half payments over the months it runs (the months with interest),
    // in row order: only the listed third-debit months can carry one, and adding the
    // others (which carry 0) would change no sum. Half of a payment typed in cents is
    // a whole number of half cents (277.225 of 554.45), which no double holds exactly:
    // such extras are added in half cents and the sum rounded to the cent once, halves
    // up (3,603.93 for 13 of them, where adding the doubles gives 3,603.92). Half of a
    // payment the computation raised to the loan's own is added as the double it is.
    const int planMonths = std::clamp(months - a.PaymentsEliminated, 0, months);
    double extraSum = 0;
    long long extraHalfCents = 0;
    bool wholeHalfCents = true;
    int previous = 0;
    for (const int k : a.ExtraDebitPayments) {
        if (k <= previous && previous > 0)
            break; // the list's unused end
        previous = k;
        if (k > planMonths)
            break;
        if (k < 1)
            continue;
        const double extra = plan[k - 1].Extra;
        const double halfCents = std::nearbyint(extra * 200);
        wholeHalfCents = wholeHalfCents && std::fabs(extra * 200 - halfCents) < 1e-6;
        extraHalfCents += static_cast<long long>(halfCents);
        extraSum += extra;
    }
    costs.ExtraPaid = wholeHalfCents ? static_cast<double>((extraHalfCents + 1) / 2) / 100 : ToCents(extraSum);

    // From the plan's first payment on, the interest saved so far against the fees
    // debited by each payment date.
    if (range && IsDateText(a.FirstPaymentDate)) {
        const int start = std::max(a.PlanStartPayment, 1);
        long long saved = 0;
        for (int i = 0; i < start - 1 && i < months; ++i)
            saved += CentsOfWhole(monthly[i].Interest) - CentsOfWhole(plan[i].Interest);
        PaymentDays days(a.FirstPaymentDate, start);
        int debited = 0; // the plan's debits on or before the current payment date
        for (int k = start; k <= months; ++k, days.Next()) {
            saved += CentsOfWhole(monthly[k - 1].Interest) - CentsOfWhole(plan[k - 1].Interest);
            while (debited < range->count && a.DebitCalendar[range->first + debited] <= days.Current())
                ++debited;
            if (saved >= feeCents * debited) {
                costs.BreakEvenDate = PaymentDateText(a, k);
                break;
            }
        }
    }
    costs.NetSavings = a.InterestSavings - costs.TotalFees;
    return costs;
}

double DoItYourselfExtra(const LoanAnalysis &a)
{
    return ToCents(TextToDouble(CleanNumberText(a.CurrentPaymentText)) / 12);
}

void FillDoItYourselfSchedule(const LoanAnalysis &a, Schedule<kScheduleRows> &s)
{
    const double extra = DoItYourselfExtra(a);
    const int start = a.PlanStartPayment;
    RunPlanSchedule(s, a, a.MonthlySchedule[0].Payment,
        [&](int k, const ScheduleRow &row) { return k >= start && row.Balance > row.Payment ? extra : 0.0; });
}

DoItYourself ComputeDoItYourself(const LoanAnalysis &a)
{
    DoItYourself d;
    d.ExtraPerMonth = DoItYourselfExtra(a);
    if (!HasSchedules(a))
        return d;
    auto s = std::make_unique<Schedule<kScheduleRows>>();
    FillDoItYourselfSchedule(a, *s);
    const int rows = ComputedRows(a);
    const int paid = CountRowsAbove(*s, &ScheduleRow::Interest, rows);
    d.DiyPayoffDate = PayoffDateFor(a, *s);
    d.DiyPaymentsEliminated = a.TermMonths - paid;
    d.DiyInterestSavings = SumRowsAbove(a.MonthlySchedule, &ScheduleRow::Interest, rows)
        - SumRowsAbove(*s, &ScheduleRow::Interest, rows);
    d.DiyTotalPaymentSavings = (*s)[0].Payment * d.DiyPaymentsEliminated;
    return d;
}

} // namespace tw
