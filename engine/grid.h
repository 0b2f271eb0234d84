#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace tw {

// The amortization grid's own table: the first month's balance and, month by month, the
// extra principal, rate and adjustment the user chose; the recalculation fills in the
// rest. It does not read the loan analysis.
inline constexpr int kGridRows = 499; // months the table can hold
inline constexpr int kGridDefaultTermYears = 30;
inline constexpr int kGridMaxTermYears = 40;
// Rates are percent a year; anything outside (0, kGridMaxRate] is not a rate a month can
// be computed at.
inline constexpr double kGridMaxRate = 100.0;
// The largest opening balance the grid takes as a loan.
inline constexpr double kGridMaxBalance = 1e9;

// The seven figures of one month, in the grid's column order after the date.
enum GridField : int {
    kGridBalance = 0, // owed before the month's payment
    kGridPayment,
    kGridInterest,
    kGridPrincipal,
    kGridExtra, // input: extra principal
    kGridRate, // input: percent a year
    kGridAdjustment, // input: further amount off the balance
    kGridFieldCount
};
inline bool IsGridInputField(int field)
{
    return field == kGridExtra || field == kGridRate || field == kGridAdjustment;
}

struct GridRow {
    double Balance = 0;
    double Payment = 0;
    double Interest = 0;
    double Principal = 0;
    double Extra = 0;
    double Rate = 0;
    double Adjustment = 0;
};
double GridValue(const GridRow &row, int field);
void SetGridValue(GridRow &row, int field, double value);

struct GridTable {
    std::array<GridRow, kGridRows> Rows {}; // Rows[n - 1] is month n
    int TermYears = kGridDefaultTermYears;
    std::string StartDate; // date of the first payment, MM/DD/YYYY

    GridRow &Month(int n) { return Rows[static_cast<std::size_t>(n - 1)]; }
    const GridRow &Month(int n) const { return Rows[static_cast<std::size_t>(n - 1)]; }
};

// Whether the table has a loan to compute: an opening balance above 0 (and not absurd).
bool GridHasLoan(const GridTable &t);
// Months of the term: TermYears x 12, the term read as 30 years when it is outside 1..40.
int GridTermMonths(const GridTable &t);
// Months of the table: from month 1 up to the first month whose balance is not above 0.
int GridMonthCount(const GridTable &t);
// Rows a grid shows: every month of the term, and any month the table runs past it.
int GridShownRows(const GridTable &t);

// Rebuilds every month's balance, payment, interest and principal from month 1's balance
// and the months' inputs. Month 1 pays the level payment of the loan amount over the
// whole term at its rate. A month whose rate differs from the month before's pays, from
// then on, the level payment of its opening balance over the months left in the term
// at the new rate, rounded to the cent (a lender's recast). The payment stays until the
// balance falls below it; the last month pays the balance plus its interest. A month
// without a usable rate (missing, 0, not a number) takes the month before's, and the
// table shows that rate. The table's last row, month 499, always pays off what is left.
void RecalculateGrid(GridTable &t);

// A new rate from `month` on: that month and the months after it that had the same rate
// (up to the next change of rate) take `rate`. A later change of rate stays.
void SetGridRateFrom(GridTable &t, int month, double rate);

// Whether an input cell holds something typed, as far as the table alone tells (a grid
// reopened from the profile): a non-zero extra or adjustment, or a rate that differs
// from the month before's. The loan's own rate in month 1 is not a change.
bool GridInputLooksTyped(const GridTable &t, int month, int field);

// A cell's text as the grid reads it back: "$", "%" and "," dropped, anything else
// that is not a plain number reads as 0.
double GridCellNumber(std::string_view text);

// Reads the cells of months 1 to the table's last month back into the table, all seven
// fields, from the texts `cellText(month, field)` gives; then the table is ready for
// RecalculateGrid.
void ReadGridCells(GridTable &t, const std::function<std::string(int month, int field)> &cellText);

// What is wrong with a text typed into an input cell, in words for the user; "" when it
// is a number the grid can use (an empty cell reads as 0, except the rate of month 1).
std::string CheckGridInput(std::string_view text, int field, int month);

// The loan as agreed: the same opening balance, term and start date, the first month's
// rate every month, no extra or adjustment; recalculated.
GridTable LevelPaymentGrid(const GridTable &t);

struct GridTotals {
    int months = 0; // months of the table
    double totalPaid = 0; // payments, and the extras and adjustments the balance took
    double totalInterest = 0;
    std::string payoffDate; // MM/DD/YYYY of the last month, "" without a start date
    int levelMonths = 0; // months of the level-payment loan
    int monthsSaved = 0; // levelMonths - months; negative when the grid takes longer
};
// The table's totals, against the level-payment loan given (LevelPaymentGrid(t)).
GridTotals ComputeGridTotals(const GridTable &t, const GridTable &level);

} // namespace tw
