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
    double todayYears = 0; // where the plan starts
};
// Month by month, from the loan's start until each reaches 0.
BalanceCurves LetterBalanceCurves(const LoanAnalysis &a);

// The top of the dollar axis and its step: a round number at or above the loan, in four
// or five steps.
struct AxisScale {
    double top = 0;
    double step = 0;
};
AxisScale BalanceAxisScale(double largest);
// A step for the years axis that gives at most about seven labels.
int YearStep(double years);

// "$150,000" for a whole number of dollars.
std::string WholeDollars(double value);

// Draws the balance of the loan paid monthly (solid) against the plan (dashed), the
// payoff points (a circle and a diamond), today's position, axis labels in years and
// dollars and a legend, in black on any surface.
void DrawBalanceGraph(PrintSurface &s, const LoanAnalysis &a, const GraphBox &box);

// A polyline of dashes of `dash` units with `gap` units between them, the pattern running
// on across corners.
struct PagePoint {
    double x = 0;
    double y = 0;
};
void DrawDashedPolyline(PrintSurface &s, const std::vector<PagePoint> &points, double dash, double gap);

} // namespace tw
