#include "engine/grid_tools.h"

#include "engine/grid_text.h"
#include "engine/to_cents.h"
#include "format/number_text.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace tw {

namespace {

std::optional<double> ReadNumber(std::string_view text, std::string_view what, std::string *problem)
{
    const auto fail = [&](const std::string &why) -> std::optional<double> {
        if (problem)
            *problem = std::string(what) + " " + why;
        return std::nullopt;
    };
    std::string_view trimmed = text;
    while (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.front() == '\t'))
        trimmed.remove_prefix(1);
    while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t'))
        trimmed.remove_suffix(1);
    if (trimmed.empty())
        return fail("is missing.");
    if (trimmed.front() == '-')
        return fail("cannot be negative: \"" + std::string(text) + "\".");
    const std::string clean = CleanNumberText(trimmed);
    const bool digits = clean.find_first_of("0123456789") != std::string::npos;
    if (!digits || std::count(clean.begin(), clean.end(), '.') > 1)
        return fail("is not a number: \"" + std::string(text) + "\".");
    return TextToDouble(clean);
}

// The month/year a month of the table is paid in, "06/2040"; "month N" without dates.
std::string MonthYearText(const GridTable &t, int month)
{
    const std::string date = GridDateText(t.StartDate, month);
    return date.empty() ? "month " + std::to_string(month) : date.substr(0, 3) + date.substr(6);
}

std::string MonthWithDate(const GridTable &t, int month)
{
    const std::string date = GridDateText(t.StartDate, month);
    return "month " + std::to_string(month) + (date.empty() ? std::string() : " (" + date + ")");
}

double ToThousandths(double rate)
{
    return RoundHalfAwayUnits(rate, 1000) / 1000;
}

} // namespace

std::optional<double> ReadToolAmount(std::string_view text, std::string_view what, std::string *problem)
{
    const std::optional<double> v = ReadNumber(text, what, problem);
    if (!v)
        return v;
    const double cents = ToCents(*v);
    if (!(cents > 0)) {
        if (problem)
            *problem = std::string(what) + " must be more than 0.00.";
        return std::nullopt;
    }
    if (cents > kGridMaxToolAmount) {
        if (problem)
            *problem = std::string(what) + " must be at most " + FormatMoney(kGridMaxToolAmount) + ": \""
                + std::string(text) + "\".";
        return std::nullopt;
    }
    return cents;
}

std::optional<double> ReadToolPercent(std::string_view text, std::string_view what, std::string *problem)
{
    const std::optional<double> v = ReadNumber(text, what, problem);
    if (v && *v > kGridMaxToolPercent) {
        if (problem)
            *problem = std::string(what) + " must be at most 25%: \"" + std::string(text) + "\".";
        return std::nullopt;
    }
    return v;
}

std::string AddMonthlyExtra(GridTable &t, double amount, int from, int to)
{
    if (!GridHasLoan(t))
        return "The grid has no loan to add an extra payment to.";
    const int last = to > 0 ? to : kGridRows;
    const int months = GridMonthCount(t);
    if (from < 1 || from > months)
        return "The first month of the extra must be one of the loan's months, 1 to " + std::to_string(months) + ".";
    if (last < from || last > kGridRows)
        return "The last month of the extra must lie between month " + std::to_string(from) + " and month "
            + std::to_string(kGridRows) + ".";
    for (int n = from; n <= last; ++n)
        t.Month(n).Extra = ToCents(std::max(t.Month(n).Extra, 0.0) + amount);
    return {};
}

std::string AddYearlyExtra(GridTable &t, double amount, int calendarMonth, int fromYear)
{
    if (!GridHasLoan(t))
        return "The grid has no loan to add an extra payment to.";
    if (calendarMonth < 1 || calendarMonth > 12)
        return "The month of the yearly extra must be 1 to 12.";
    const CalendarDate first = GridPaymentDate(t.StartDate, 1);
    if (first.month == 0)
        return "The grid has no date of the first payment, so the months of a year cannot be found.";
    const CalendarDate last = GridPaymentDate(t.StartDate, GridMonthCount(t));
    if (fromYear != 0 && (fromYear < first.year || fromYear > last.year))
        return "The first year of the yearly extra must be one of the loan's years, " + std::to_string(first.year)
            + " to " + std::to_string(last.year) + ".";
    // The first month of the table in that calendar month, then every twelfth.
    int n = 1 + (calendarMonth - first.month + 12) % 12;
    if (fromYear != 0)
        n += 12 * std::max(0, fromYear - (first.year + (first.month - 1 + n - 1) / 12));
    if (n > GridMonthCount(t))
        return "The loan has no payment in that month and year.";
    for (; n <= kGridRows; n += 12)
        t.Month(n).Extra = ToCents(std::max(t.Month(n).Extra, 0.0) + amount);
    return {};
}

const std::vector<ArmPreset> &ArmPresets()
{
    static const std::vector<ArmPreset> presets = {
        {"5/6", "2/1/5", {5, 6, 2, 1, 5}},
        {"7/6", "5/1/5", {7, 6, 5, 1, 5}},
        {"10/6", "5/1/5", {10, 6, 5, 1, 5}},
        {"5/1", "2/2/5", {5, 12, 2, 2, 5}},
    };
    return presets;
}

const ArmPreset *FindArmPreset(std::string_view name)
{
    for (const ArmPreset &p : ArmPresets())
        if (name == p.name)
            return &p;
    return nullptr;
}

double FullyIndexedRate(double index, double margin)
{
    // In ten-thousandths of a percent an eighth is 1250 and the sum is exact.
    const auto units = static_cast<long long>(RoundHalfAwayUnits(index, 10000) + RoundHalfAwayUnits(margin, 10000));
    long long eighths = units / 1250;
    if (units % 1250 > 625)
        ++eighths;
    return static_cast<double>(eighths) / 8;
}

std::string CheckArmTerms(const ArmTerms &terms)
{
    const int years = terms.initialYears;
    if (years != 3 && years != 5 && years != 7 && years != 10)
        return "The fixed period must be 3, 5, 7 or 10 years.";
    if (terms.intervalMonths != 6 && terms.intervalMonths != 12)
        return "The rate must change every 6 or every 12 months.";
    const std::pair<double, const char *> percents[]
        = {{terms.firstCap, "The cap of the first change"}, {terms.periodicCap, "The cap of each later change"},
            {terms.lifetimeCap, "The lifetime cap"}, {terms.margin, "The margin"}, {terms.index, "The index"}};
    for (const auto &[value, what] : percents)
        if (!(value >= 0 && value <= kGridMaxToolPercent))
            return std::string(what) + " must be 0% to 25%.";
    return {};
}

std::vector<RateChange> ArmRateChanges(const ArmTerms &terms, double initialRate, int lastMonth)
{
    std::vector<RateChange> changes;
    const double ceiling = initialRate + terms.lifetimeCap;
    const double indexed = FullyIndexedRate(terms.index, terms.margin);
    double rate = initialRate;
    for (int month = terms.initialYears * 12 + 1; month <= lastMonth; month += terms.intervalMonths) {
        const double cap = changes.empty() ? terms.firstCap : terms.periodicCap;
        double next = terms.worstCase ? rate + cap : std::clamp(indexed, rate - cap, rate + cap);
        if (!terms.worstCase)
            next = std::max(next, terms.margin);
        rate = ToThousandths(std::min(next, ceiling));
        changes.push_back({month, rate});
    }
    return changes;
}

double GridRateInMonth(const GridTable &t, int month)
{
    double rate = 0;
    for (int n = 1; n <= month && n <= kGridRows; ++n)
        if (const double r = t.Month(n).Rate; r > 0 && r <= kGridMaxRate)
            rate = r;
    return rate;
}

std::string ApplyArm(GridTable &t, const ArmTerms &terms)
{
    if (!GridHasLoan(t))
        return "The grid has no loan to change the rate of.";
    if (std::string problem = CheckArmTerms(terms); !problem.empty())
        return problem;
    const int first = terms.initialYears * 12 + 1;
    if (first > GridMonthCount(t))
        return "The loan is paid off before its rate would first change, in " + MonthWithDate(t, first) + ".";
    const double initial = GridRateInMonth(t, first - 1);
    if (!(initial > 0))
        return "The grid has no rate before the first change to start from.";
    const std::vector<RateChange> changes = ArmRateChanges(terms, initial);
    for (std::size_t c = 0; c < changes.size(); ++c) {
        const int to = c + 1 < changes.size() ? changes[c + 1].month : kGridRows + 1;
        for (int n = changes[c].month; n < to; ++n)
            t.Month(n).Rate = changes[c].rate;
    }
    return {};
}

int GridMonthOfPaymentDate(const GridTable &t, int month, int year)
{
    const CalendarDate first = GridPaymentDate(t.StartDate, 1);
    if (first.month == 0)
        return 0;
    return (year - first.year) * 12 + (month - first.month) + 1;
}

PayoffSearch FindPayoffExtra(const GridTable &t, int byMonth, int fromMonth)
{
    PayoffSearch s;
    const int months = GridMonthCount(t);
    if (months == 0) {
        s.message = "The grid has no loan to pay off.";
        return s;
    }
    if (byMonth < 1) {
        s.message = "The loan's first payment is " + GridDateText(t.StartDate, 1) + "; choose a month from then on.";
        return s;
    }
    if (fromMonth < 1 || fromMonth > months) {
        s.message = "The extra must start in one of the loan's months, 1 to " + std::to_string(months) + ".";
        return s;
    }
    const std::string by = MonthYearText(t, byMonth);
    s.months = months;
    if (months <= byMonth) {
        s.outcome = PayoffSearch::kNotNeeded;
        s.message = "The loan is paid off by " + by + " as it is: its last payment is in " + MonthWithDate(t, months)
            + ". No extra is needed.";
        return s;
    }
    if (byMonth < fromMonth) {
        s.outcome = PayoffSearch::kImpossible;
        s.message = "Not even the whole balance paid at once can pay the loan off by " + by
            + ": the extra starts only in " + MonthWithDate(t, fromMonth) + ".";
        return s;
    }
    // An extra of the whole balance owed in the first month ends the loan there; the
    // search narrows the cents between "not enough" (lo) and "enough" (hi).
    auto trial = std::make_unique<GridTable>();
    const auto endsBy = [&](long long cents) {
        *trial = t;
        for (int n = fromMonth; n <= kGridRows; ++n)
            trial->Month(n).Extra = ToCents(std::max(trial->Month(n).Extra, 0.0) + static_cast<double>(cents) / 100);
        RecalculateGrid(*trial);
        ++s.recalculations;
        return GridMonthCount(*trial);
    };
    long long lo = 0;
    long long hi = static_cast<long long>(RoundHalfAwayUnits(t.Month(fromMonth).Balance, 100));
    while (hi - lo > 1) {
        const long long mid = lo + (hi - lo) / 2;
        if (endsBy(mid) <= byMonth)
            hi = mid;
        else
            lo = mid;
    }
    s.outcome = PayoffSearch::kFound;
    s.extra = static_cast<double>(hi) / 100;
    s.months = endsBy(hi);
    // Money in a sentence reads with its dollar sign and a 0 before the point.
    const std::string money = FormatMoney(s.extra);
    s.message = "An extra of $" + (money.front() == '.' ? "0" + money : money) + " a month from "
        + MonthWithDate(t, fromMonth) + " pays the loan off by " + by + ": its last payment is then in "
        + MonthWithDate(t, s.months) + ".";
    return s;
}

void CopyGridInputs(GridTable &to, const GridTable &from)
{
    // A scenario written by hand may give no rate for month 1; the loan's own stays then,
    // where a 0 would run the loan without interest.
    const double firstRate = from.Month(1).Rate > 0 ? from.Month(1).Rate : to.Month(1).Rate;
    for (int n = 1; n <= kGridRows; ++n) {
        to.Month(n).Extra = from.Month(n).Extra;
        to.Month(n).Rate = from.Month(n).Rate;
        to.Month(n).Adjustment = from.Month(n).Adjustment;
    }
    to.Month(1).Rate = firstRate;
}

} // namespace tw
