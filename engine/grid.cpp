#include "engine/grid.h"

#include "engine/grid_text.h"
#include "engine/to_cents.h"
#include "format/number_text.h"

#include <cmath>

namespace tw {

namespace {

// The inputs a month is computed with: amounts that are not positive numbers count as
// nothing, so a stored "-50" or "nan" can never push the balance up or poison a sum.
double UsableAmount(double v)
{
    return v > 0 && std::isfinite(v) ? v : 0;
}

bool UsableRate(double rate)
{
    return rate > 0 && rate <= kGridMaxRate;
}

constexpr double kMonthlyRateFactor = 1.0 / 1200.0;

// The level payment that pays `amount` off in `months` at the monthly rate `i`; at 0 %
// the limit of the formula, the amount spread evenly.
double LevelPaymentOver(double amount, double i, int months)
{
    const double g = std::fabs(std::pow(1.0 + i, -static_cast<double>(months)) - 1.0);
    return g > 0 ? i / g * amount : amount / months;
}

} // namespace

double GridValue(const GridRow &row, int field)
{
    switch (field) {
    case kGridBalance:
        return row.Balance;
    case kGridPayment:
        return row.Payment;
    case kGridInterest:
        return row.Interest;
    case kGridPrincipal:
        return row.Principal;
    case kGridExtra:
        return row.Extra;
    case kGridRate:
        return row.Rate;
    case kGridAdjustment:
        return row.Adjustment;
    default:
        return 0;
    }
}

void SetGridValue(GridRow &row, int field, double value)
{
    switch (field) {
    case kGridBalance:
        row.Balance = value;
        break;
    case kGridPayment:
        row.Payment = value;
        break;
    case kGridInterest:
        row.Interest = value;
        break;
    case kGridPrincipal:
        row.Principal = value;
        break;
    case kGridExtra:
        row.Extra = value;
        break;
    case kGridRate:
        row.Rate = value;
        break;
    case kGridAdjustment:
        row.Adjustment = value;
        break;
    default:
        break;
    }
}

bool GridHasLoan(const GridTable &t)
{
    const double b = t.Rows[0].Balance;
    return b > 0 && b <= kGridMaxBalance;
}

int GridTermMonths(const GridTable &t)
{
    const int years = t.TermYears >= 1 && t.TermYears <= kGridMaxTermYears ? t.TermYears : kGridDefaultTermYears;
    return years * 12;
}

int GridMonthCount(const GridTable &t)
{
    if (!GridHasLoan(t))
        return 0;
    int n = 0;
    while (n < kGridRows && t.Rows[static_cast<std::size_t>(n)].Balance > 0)
        ++n;
    return n;
}

int GridShownRows(const GridTable &t)
{
    const int months = GridMonthCount(t);
    const int term = GridTermMonths(t);
    return months > term ? months : term;
}

namespace {

inline constexpr double kCentsLimit = 1e12; // dollars; far below 2^52 cents

// ToCents as whole cents, for values far below 2^52 cents.
inline long long CentsOf(double value)
{
    return value > 0 ? static_cast<long long>(RoundHalfAwayUnits(value, 100)) : 0;
}

// Whether an amount is a whole number of cents as ToCents gives them; its cents in `cents`.
inline bool WholeCents(double value, long long &cents)
{
    if (value == 0) {
        cents = 0;
        return true;
    }
    if (!(value < kCentsLimit))
        return false;
    cents = CentsOf(value);
    return cents / 100.0 == value;
}

// x rounded to a whole number, halves away from zero, when x is known only to within
// `slack`: false when x lies that close to a half, where only the exact rule can tell.
inline bool RoundClear(double x, double slack, long long &rounded)
{
    if (!(x > 0)) {
        rounded = 0;
        return x < 0.5 - slack;
    }
    const auto whole = static_cast<long long>(x);
    const double fraction = x - static_cast<double>(whole);
    if (std::fabs(fraction - 0.5) <= slack)
        return false;
    rounded = fraction > 0.5 ? whole + 1 : whole;
    return true;
}

} // namespace

void RecalculateGrid(GridTable &t)
{
    if (!GridHasLoan(t))
        return;
    const int termMonths = GridTermMonths(t);
    const double loan = t.Rows[0].Balance;
    bool payoff = false;
    double previousRate = 0;
    // The level payment changes only with the rate, so its power is taken once per rate.
    double levelRate = -1;
    double levelPayment = 0;
    double levelCents = 0; // levelPayment x 100
    double levelRounded = 0; // ToCents(levelPayment)
    // The balance in whole cents: each month's figures are rounded to cents, so most
    // months need one rounding where the rules below take three, with the same result.
    long long balanceCents = 0;
    bool centsKnown = false;
    int last = kGridRows;
    for (int k = 1; k <= kGridRows; ++k) {
        GridRow &row = t.Month(k);
        if (!UsableRate(row.Rate))
            row.Rate = previousRate;
        previousRate = row.Rate;
        row.Extra = UsableAmount(row.Extra);
        row.Adjustment = UsableAmount(row.Adjustment);

        const double i = row.Rate * kMonthlyRateFactor;
        if (row.Rate != levelRate) {
            const bool opening = levelRate < 0;
            levelRate = row.Rate;
            if (opening) {
                levelPayment = LevelPaymentOver(loan, i, termMonths);
            } else if (!payoff) {
                // A change of rate is recast as lenders recast it: the balance now owed,
                // paid level over the months left in the term, to the cent. Past the
                // term that is one month: the balance and its interest.
                const int monthsLeft = termMonths - k + 1 > 1 ? termMonths - k + 1 : 1;
                levelPayment = ToCents(LevelPaymentOver(row.Balance, i, monthsLeft));
            }
            levelCents = levelPayment * 100;
            levelRounded = ToCents(levelPayment);
        }
        if (k == kGridRows && !payoff) {
            // The table ends here, so this month settles whatever is left.
            payoff = true;
            row.Payment = ToCents(row.Balance);
        }

        long long extraCents = 0, adjustmentCents = 0, interest = 0, principal = 0;
        if (!payoff && centsKnown && levelPayment < kCentsLimit && WholeCents(row.Extra, extraCents)
            && WholeCents(row.Adjustment, adjustmentCents)) {
            const double product = static_cast<double>(balanceCents) * i;
            if (RoundClear(product, product * 1e-14 + 1e-12, interest)
                && RoundClear(levelCents - static_cast<double>(interest), levelCents * 1e-14 + 1e-12, principal)) {
                row.Payment = levelPayment;
                row.Interest = interest / 100.0;
                row.Principal = principal / 100.0;
                GridRow &next = t.Month(k + 1);
                const long long nextCents = balanceCents - (adjustmentCents + extraCents + principal);
                balanceCents = nextCents > 0 ? nextCents : 0;
                next.Balance = balanceCents / 100.0;
                if (next.Balance >= row.Payment) {
                    next.Payment = levelRounded;
                } else {
                    payoff = true;
                    next.Extra = 0;
                    next.Payment = next.Balance;
                }
                if (!(next.Balance > 0)) {
                    last = k;
                    break;
                }
                continue;
            }
        }

        // The rules themselves: the first month, the last, and any month the cents above
        // cannot decide.
        if (!payoff)
            row.Payment = levelPayment;
        row.Interest = ToCents(row.Balance * i);
        double paid;
        if (payoff) {
            row.Payment = ToCents(row.Payment + row.Interest);
            paid = row.Balance;
        } else {
            paid = row.Payment - row.Interest;
        }
        row.Principal = ToCents(paid);
        if (k == kGridRows)
            break;

        GridRow &next = t.Month(k + 1);
        next.Balance = ToCents(row.Balance - (row.Adjustment + row.Extra + row.Principal));
        balanceCents = CentsOf(next.Balance);
        centsKnown = next.Balance < kCentsLimit;
        double carried;
        if (next.Balance >= row.Payment) {
            carried = row.Payment;
        } else {
            payoff = true;
            next.Extra = 0;
            carried = next.Balance;
        }
        next.Payment = ToCents(carried);
        if (!(next.Balance > 0)) {
            last = k;
            break;
        }
    }
    // Figures of a longer earlier table are not part of this one; the month after the
    // last keeps only its zero balance. The inputs stay for a later, longer table.
    for (int m = last + 1; m <= kGridRows; ++m) {
        GridRow &row = t.Month(m);
        row.Balance = row.Payment = row.Interest = row.Principal = 0;
    }
}

void SetGridRateFrom(GridTable &t, int month, double rate)
{
    if (month < 1 || month > kGridRows)
        return;
    const double old = t.Month(month).Rate;
    t.Month(month).Rate = rate;
    for (int n = month + 1; n <= kGridRows; ++n) {
        GridRow &row = t.Month(n);
        const bool same = row.Rate == old || (!UsableRate(row.Rate) && !UsableRate(old));
        if (!same)
            break;
        row.Rate = rate;
    }
}

bool GridInputLooksTyped(const GridTable &t, int month, int field)
{
    if (month < 1 || month > kGridRows)
        return false;
    const GridRow &row = t.Month(month);
    switch (field) {
    case kGridExtra:
        return UsableAmount(row.Extra) > 0;
    case kGridAdjustment:
        return UsableAmount(row.Adjustment) > 0;
    case kGridRate:
        return month > 1 && row.Rate != t.Month(month - 1).Rate;
    default:
        return false;
    }
}

double GridCellNumber(std::string_view text)
{
    const std::string clean = CleanNumberText(text);
    if (clean.empty())
        return 0;
    const double v = TextToDouble(clean);
    return std::isfinite(v) ? v : 0;
}

void ReadGridCells(GridTable &t, const std::function<std::string(int month, int field)> &cellText)
{
    const int months = GridMonthCount(t); // as held before the reading
    for (int n = 1; n <= months; ++n) {
        GridRow &row = t.Month(n);
        for (int f = 0; f < kGridFieldCount; ++f)
            SetGridValue(row, f, GridCellNumber(cellText(n, f)));
    }
}

std::string CheckGridInput(std::string_view text, int field, int month)
{
    std::string_view trimmed = text;
    while (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.front() == '\t'))
        trimmed.remove_prefix(1);
    while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t'))
        trimmed.remove_suffix(1);
    const std::string what = std::string(GridFieldHeading(field)) + " of month " + std::to_string(month);
    // Every later month can take the rate of the month before; the first has none.
    if (field == kGridRate && month == 1 && !(GridCellNumber(trimmed) > 0))
        return "The " + what + " is the loan's rate: it cannot be empty or 0.";
    if (trimmed.empty())
        return {};
    if (trimmed.front() == '-')
        return "The " + what + " cannot be negative: \"" + std::string(text) + "\".";
    const std::string clean = CleanNumberText(trimmed);
    bool digits = false;
    int points = 0;
    for (char c : clean) {
        digits = digits || (c >= '0' && c <= '9');
        points += c == '.';
    }
    if (clean.empty() || !digits || points > 1) {
        return "The " + what + " is not a number: \"" + std::string(text)
            + "\". Type a number such as 1000.00, or leave the cell empty for 0.";
    }
    if (field == kGridRate && TextToDouble(clean) > kGridMaxRate)
        return "The " + what + " must be at most 100%: \"" + std::string(text) + "\".";
    return {};
}

GridTable LevelPaymentGrid(const GridTable &t)
{
    GridTable level;
    level.TermYears = t.TermYears;
    level.StartDate = t.StartDate;
    level.Rows[0].Balance = t.Rows[0].Balance;
    double rate = t.Rows[0].Rate;
    if (!UsableRate(rate)) {
        // The first month takes the first rate stored after it, as the grid would show.
        rate = 0;
        for (const GridRow &row : t.Rows)
            if (UsableRate(row.Rate)) {
                rate = row.Rate;
                break;
            }
    }
    for (GridRow &row : level.Rows)
        row.Rate = rate;
    RecalculateGrid(level);
    return level;
}

GridTotals ComputeGridTotals(const GridTable &t, const GridTable &level)
{
    GridTotals totals;
    totals.months = GridMonthCount(t);
    for (int n = 1; n <= totals.months; ++n) {
        const GridRow &row = t.Month(n);
        // Extras and adjustments count as far as the balance took them: an extra above
        // what is owed, or one in the month that pays the loan off, is never paid.
        const double after = n < kGridRows ? t.Month(n + 1).Balance : 0;
        totals.totalPaid += ToCents(row.Payment) + ToCents(row.Balance - row.Principal - after);
        totals.totalInterest += row.Interest;
    }
    totals.totalPaid = ToCents(totals.totalPaid);
    totals.totalInterest = ToCents(totals.totalInterest);
    if (totals.months > 0)
        totals.payoffDate = GridDateText(t.StartDate, totals.months);
    totals.levelMonths = GridMonthCount(level);
    totals.monthsSaved = totals.levelMonths - totals.months;
    return totals;
}

} // namespace tw
