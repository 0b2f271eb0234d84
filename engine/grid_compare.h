#pragma once

// Scenarios of the amortization grid side by side: the loan as agreed, the grid as it
// stands, each saved scenario on the grid's loan, and the bi-weekly plan of the client's
// analysis when it is the same loan.

#include "engine/analysis.h"
#include "engine/grid.h"

#include <string>
#include <vector>

namespace tw {

// A named set of what-ifs: the extra, rate and adjustment of every month. The loan they
// apply to is always the grid's.
struct GridScenario {
    std::string name;
    GridTable inputs;
};

// One line of a comparison: its totals (months saved against the loan as agreed) and
// its balance month by month, from month 1 to the month after its last payment (0).
struct ComparisonSeries {
    std::string name;
    GridTotals totals;
    std::vector<double> balances;
};

struct GridComparison {
    std::vector<ComparisonSeries> series; // the loan as agreed first
    std::string note; // what is left out and why, "" when nothing is
};

inline constexpr const char *kAgreedSeriesName = "Loan as agreed";
inline constexpr const char *kGridSeriesName = "This grid";
inline constexpr const char *kPlanSeriesName = "Bi-weekly plan, fees included";

// `grid` is a recalculated table with a loan. `plan`, when given, is the client's
// analysis after SetUpDebitDates, ComputeSchedules and ComputeSummaryFigures; its line
// comes from the analysis's own schedule and figures, followed by the do-it-yourself
// alternative (the analysis's Diy figures), and only when the analysis is of
// the grid's loan (amount, term, first payment and rate), which `note` says otherwise.
GridComparison CompareGrid(const GridTable &grid, const std::vector<GridScenario> &scenarios, const LoanAnalysis *plan);

// The comparison as CSV (header Scenario,Months,TotalPaid,TotalInterest,PayoffDate,
// MonthsSaved; ISO dates, plain numbers) and as a JSON array of objects with those keys.
std::string ComparisonCsv(const GridComparison &c);
std::string ComparisonJson(const GridComparison &c);

} // namespace tw
