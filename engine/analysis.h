#pragma once

#include <array>
#include <string>

namespace tw {

// One month of a schedule. Row 0 is the loan at its start; row k - 1 is the month of
// payment k, and Balance of row k is the balance after payment k.
struct ScheduleRow {
    double Balance = 0;
    double Payment = 0;
    double Interest = 0;
    double Principal = 0;
    double Extra = 0;
    double Reserved = 0;
};

inline constexpr int kScheduleRows = 500;
inline constexpr int kAdditionalRows = 499;
inline constexpr int kCalendarEntries = 2600;
inline constexpr int kExtraDebitEntries = 70;
inline constexpr int kExtraDebitFilled = 69;
inline constexpr int kMaxTermYears = 40;

// Day number of 01/05/1996, the first entry of the debit calendar.
inline constexpr int kCalendarStartDay = 21189;
inline constexpr int kDebitSpacingDays = 14;

template <std::size_t N>
using Schedule = std::array<ScheduleRow, N>;

// The same loan paid monthly with a twelfth of the current payment added to principal
// every month from the plan's first payment on: the money the plan's two extra half
// payments put in each year, without any charge.
struct DoItYourself {
    double ExtraPerMonth = 0; // to the cent
    std::string DiyPayoffDate;
    int DiyPaymentsEliminated = 0;
    double DiyInterestSavings = 0;
    double DiyTotalPaymentSavings = 0;
};

// The analysis of one client's loan: the loan as typed, the numbers derived from it,
// the bi-weekly plan's dates, the three schedules and the summary figures.
struct LoanAnalysis {
    // Texts as the loan-entry screen stores them.
    std::string CurrentDate; // MM/DD/YYYY
    std::string FirstPaymentDate; // MM/DD/YYYY
    std::string TermText;
    std::string AmountText;
    std::string LowestRateText; // fixed rate, or the lowest of a variable rate
    std::string HighestRateText;
    int VariableFlag = 0;
    std::string CurrentPaymentText; // including taxes and insurance
    std::string AdditionalPaymentText;

    // Plan dates (MM/DD/YYYY).
    std::string FirstDebitDate;
    std::string FirstPlanPaymentDate;
    std::string PayoffDate;

    // Numbers derived from the texts by each computation.
    double LoanAmount = 0;
    int TermYears = 0;
    int TermMonths = 0;
    float AnnualRate = 0;
    float MonthlyRate = 0;
    double AdditionalPayment = 0;
    double HalfPayment = 0;

    // Bi-weekly bookkeeping.
    std::array<int, kCalendarEntries> DebitCalendar {};
    int PlanStartPayment = 0;
    std::array<int, kExtraDebitEntries> ExtraDebitPayments {};
    int FirstDebitIndex = 0;
    int PayoffDebitIndex = 0;
    int DebitCount = 0;

    Schedule<kScheduleRows> MonthlySchedule {};
    Schedule<kScheduleRows> BiWeeklySchedule {};
    Schedule<kAdditionalRows> AdditionalSchedule {};

    // Summary figures.
    int PaymentsEliminated = 0;
    double YearsToPayoff = 0;
    double InterestSavings = 0;
    double TotalPaymentSavings = 0;
    double BiWeeklyEquity5 = 0;
    double BiWeeklyEquity10 = 0;
    double NormalEquity5 = 0;
    double NormalEquity10 = 0;
    double BalanceAtPayoff = 0;
    double AverageMonthlySavings = 0;
    double AverageYearlySavings = 0;
    double InvestmentValue = 0;
    double AdditionalSavingsGain = 0;
    double FiveYearPayments = 0;
    double FiveYearPrincipal = 0;
    double FiveYearInterest = 0;
    double FiveYearBalance = 0;
    double TenYearPayments = 0;
    double TenYearPrincipal = 0;
    double TenYearInterest = 0;
    double TenYearBalance = 0;
    double YearsToPayHalf = 0;
    double PaymentsToPayHalf = 0;
    double TotalInterest = 0;
    double TotalPaid = 0;
    double RemainingYears = 0;
    double PlanYears = 0;

    // The do-it-yourself loan, computed beside the schedules.
    DoItYourself Diy;
};

// A row's balance, or 0 for any index outside the schedule: rows past the computed
// ones are cleared, so a plan that ends early reads as paid off.
template <std::size_t N>
double BalanceOrZero(const Schedule<N> &schedule, long long row)
{
    if (row < 0 || row >= static_cast<long long>(N))
        return 0;
    const double b = schedule[static_cast<std::size_t>(row)].Balance;
    return b > 0 ? b : 0;
}

} // namespace tw
