#pragma once

#include "engine/analysis.h"

namespace tw {

// One twelfth as the figures use it, the double nearest to 1/12.
inline constexpr double kOneTwelfth = 0.08333333333333333;

// The freed monthly payments invested at 0.008333 a month: p = savings / payments,
// v = p, then for each month v grows by v x 0.008333 and, from the second month on,
// by p. No payments eliminated gives 0.
double InvestmentValueOf(double totalPaymentSavings, int paymentsEliminated);

// The figures the summary comparison shows and stores: RemainingYears, InterestSavings,
// YearsToPayoff, PlanYears, PaymentsEliminated, TotalPaymentSavings, the four equity
// figures, BalanceAtPayoff, the two averages and InvestmentValue.
void ComputeSummaryScreenFigures(LoanAnalysis &a);

// Every summary figure: the above plus the five- and ten-year figures of the monthly
// loan, the time and money to pay half, TotalInterest and TotalPaid.
void ComputeSummaryFigures(LoanAnalysis &a);

// The loan facts of the slide that sets out the client's loan, computed from the
// monthly schedule by that slide's own rules.
struct SlideNineFigures {
    double fiveYearPayments = 0;
    double fiveYearPrincipal = 0;
    double fiveYearInterest = 0;
    double fiveYearBalance = 0;
    double tenYearPayments = 0;
    double tenYearPrincipal = 0;
    double tenYearInterest = 0;
    double tenYearBalance = 0;
    double yearsToPayHalf = 0;
    double halfPrincipalPayments = 0;
    double totalInterest = 0;
    double totalPaid = 0;
};
SlideNineFigures ComputeSlideNineFigures(const LoanAnalysis &a);

} // namespace tw
