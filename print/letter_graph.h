#pragma once

#include "engine/analysis.h"
#include "print/print_surface.h"

#include <string>
#include <vector>

namespace tw {

// The plot area of a graph in page units (y negative down the page).
struct GraphBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
// Where the letter's graph stands: the free space of page 4 under the comparison table.
GraphBox LetterGraphBox();

// A point of a balance curve: years from the first mortgage payment, dollars owed.
struct BalancePoint {
    double years = 0;
    double balance = 0;
};
struct BalanceCurves {
    std::vector<BalancePoint> monthly; // the loan paid monthly, as now
    std::vector<BalancePoint> plan; // the same loan under the bi-weekly plan
    double monthlyPayoffYears = 0;
    double planPayoffYears = 0;
    double todayYears = 0; // the current date; negative before the first payment
};
// Month by month, from the loan's start until each reaches 0.
BalanceCurves LetterBalanceCurves(const LoanAnalysis &a);

// Years from the first payment to a date (both MM/DD/YYYY), in years of 365.25 days;
// NaN when either is no date text.
inline constexpr double kDaysPerYear = 365.25;
double YearsFromFirstPayment(const std::string &firstPaymentDate, const std::string &date);

// The top of the dollar axis and its step: a round number at or above the loan, in four
// or five steps.
struct AxisScale {
    double top = 0;
    double step = 0;
};
AxisScale BalanceAxisScale(double largest);
// A step for the years axis that gives at most about seven labels.
int YearStep(double years);
// Where the years axis ends: the first multiple of YearStep at or past `years`, so the
// last tick stands at the axis's end.
int YearAxisEnd(double years);

// "$150,000" for a whole number of dollars.
std::string WholeDollars(double value);

// Draws the balance of the loan paid monthly (solid) against the plan (dashed), the
// payoff points (a circle and a diamond), today's position, axis labels in years and
// dollars and a legend, in black on any surface. Besides the plot it takes a row above
// it (legend) and two below (year labels and the axis title).
void DrawBalanceGraph(PrintSurface &s, const LoanAnalysis &a, const GraphBox &box);

// A polyline of dashes of `dash` units with `gap` units between them, the pattern running
// on across corners.
struct PagePoint {
    double x = 0;
    double y = 0;
};
void DrawDashedPolyline(PrintSurface &s, const std::vector<PagePoint> &points, double dash, double gap);

} // namespace tw
