#pragma once

// The amortization grid's what-if tools. Each one changes input cells of a table, which
// the caller then recalculates, or says in words for the user why it cannot. The grid
// screen and the command line call the same functions, so they give the same numbers.

#include "engine/grid.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The largest amount a tool takes: no loan the grid holds is larger.
inline constexpr double kGridMaxToolAmount = kGridMaxBalance;
// The largest percent a rate tool takes (an index, a margin, a cap).
inline constexpr double kGridMaxToolPercent = 25.0;

// An amount typed for a tool ("1,000.00", "$250"), rounded to the cent: nullopt, with the
// reason in `problem`, when it is not a number above 0 and at most kGridMaxToolAmount.
// `what` names the amount in the message ("The extra amount").
std::optional<double> ReadToolAmount(std::string_view text, std::string_view what, std::string *problem);
// A percent typed for a rate tool, 0 to kGridMaxToolPercent, "%" allowed.
std::optional<double> ReadToolPercent(std::string_view text, std::string_view what, std::string *problem);

// Extra every month: adds `amount` to the extra principal of months `from` to `to` (0:
// to the table's last row, so that a loan that runs longer keeps paying it). What the
// months held already, such as the plan's extra payments, stays. Returns the problem,
// "" when the cells were changed.
std::string AddMonthlyExtra(GridTable &t, double amount, int from, int to = 0);

// Extra once a year: adds `amount` to every month whose payment date falls in
// `calendarMonth` (1 to 12) from the year `fromYear` on (0: from the first such month).
// The months are found from the start date, which the table must have.
std::string AddYearlyExtra(GridTable &t, double amount, int calendarMonth, int fromYear = 0);

// An adjustable rate: fixed for the first years, then changed at every interval to the
// fully indexed rate (index + margin to the nearest 1/8 %, a tie going down), held
// within the caps: a change moves at most `firstCap` (the first) or `periodicCap`
// percent points, the rate never exceeds the initial rate plus `lifetimeCap` and never
// falls below the margin. The worst case rises by the cap at every change up to the
// lifetime cap, whatever the index.
struct ArmTerms {
    int initialYears = 5; // 3, 5, 7 or 10
    int intervalMonths = 6; // 6 or 12
    double firstCap = 2;
    double periodicCap = 1;
    double lifetimeCap = 5;
    double margin = 0;
    double index = 0;
    bool worstCase = false;
};
struct ArmPreset {
    const char *name; // as the trade calls it: "5/6", "5/1"
    const char *caps; // "2/1/5"
    ArmTerms terms; // margin and index left at 0
};
const std::vector<ArmPreset> &ArmPresets();
const ArmPreset *FindArmPreset(std::string_view name);

double FullyIndexedRate(double index, double margin);
// What is wrong with the terms, "" when a loan can run on them.
std::string CheckArmTerms(const ArmTerms &terms);

struct RateChange {
    int month = 0;
    double rate = 0;
};
// The rate at every change from month initialYears x 12 + 1 to `lastMonth`, starting
// from `initialRate`; rates to three decimals.
std::vector<RateChange> ArmRateChanges(const ArmTerms &terms, double initialRate, int lastMonth = kGridRows);
// The rate month `month` of a table runs at: its own, or the last usable one before it.
double GridRateInMonth(const GridTable &t, int month);
// Writes the rates from the first change to the table's last row; the months before
// keep theirs, and the initial rate is the one of the month before the first change.
std::string ApplyArm(GridTable &t, const ArmTerms &terms);

// The month of the table whose payment date falls in month/year (may lie outside the
// table: below 1 or past its last row); 0 without a usable start date.
int GridMonthOfPaymentDate(const GridTable &t, int month, int year);

// Paid off by: the smallest extra, to the cent, added to every month from `fromMonth`
// on, that ends the loan no later than month `byMonth`, found by a binary search on the
// grid's own recalculation. `t` is a recalculated table; it is not changed.
struct PayoffSearch {
    enum Outcome { kFound, kNotNeeded, kImpossible, kRefused } outcome = kRefused;
    double extra = 0; // kFound: the amount to add every month
    int months = 0; // months of the loan with that extra (kNotNeeded: as it is)
    int recalculations = 0;
    std::string message; // what to tell the user, for every outcome
};
PayoffSearch FindPayoffExtra(const GridTable &t, int byMonth, int fromMonth);

// Copies the extra, rate and adjustment of every month; the loan itself stays, and so
// does its month-1 rate when `from` has none.
void CopyGridInputs(GridTable &to, const GridTable &from);

} // namespace tw
