#include "engine/grid_compare.h"

#include "engine/costs.h"
#include "engine/grid_text.h"
#include "engine/grid_tools.h"
#include "engine/to_cents.h"
#include "format/dates.h"
#include "format/number_text.h"

#include <cmath>
#include <memory>

namespace tw {

namespace {

std::vector<double> BalancesOf(const GridTable &t)
{
    const int months = GridMonthCount(t);
    std::vector<double> v;
    v.reserve(static_cast<std::size_t>(months) + 1);
    for (int n = 1; n <= months; ++n)
        v.push_back(t.Month(n).Balance);
    v.push_back(0);
    return v;
}

ComparisonSeries SeriesOf(std::string name, const GridTable &t, const GridTable &level)
{
    return {std::move(name), ComputeGridTotals(t, level), BalancesOf(t)};
}

// The plan's line from the analysis: its schedule's balances, its payoff date, and its
// interest as the summary figures have it (the monthly loan's less the savings).
ComparisonSeries PlanSeries(const LoanAnalysis &a, const GridTable &level)
{
    ComparisonSeries s;
    s.name = kPlanSeriesName;
    // The analysis's plan schedule leaves out an additional payment the client chose.
    if (TextToDouble(CleanNumberText(a.AdditionalPaymentText)) > 0)
        s.name += " (without the additional payment)";
    const int months = static_cast<int>(std::lround(a.YearsToPayoff * 12));
    for (int k = 1; k <= months && k <= kScheduleRows; ++k)
        s.balances.push_back(a.BiWeeklySchedule[static_cast<std::size_t>(k - 1)].Balance);
    s.balances.push_back(0);
    s.totals.months = months;
    s.totals.totalInterest = ToCents(a.TotalInterest - a.InterestSavings);
    // What the client pays under the plan includes its fee on every debit.
    s.totals.totalPaid = ToCents(a.LoanAmount + s.totals.totalInterest + ComputePlanCosts(a).TotalFees);
    s.totals.payoffDate = a.PayoffDate;
    s.totals.levelMonths = GridMonthCount(level);
    s.totals.monthsSaved = s.totals.levelMonths - months;
    return s;
}

// The same loan paid monthly with a twelfth of the payment more each month from the
// plan's start: the plan's result without its fees.
ComparisonSeries DoItYourselfSeries(const LoanAnalysis &a, const GridTable &level)
{
    ComparisonSeries s;
    s.name = "Do it yourself, no fees";
    auto schedule = std::make_unique<Schedule<kScheduleRows>>();
    FillDoItYourselfSchedule(a, *schedule);
    const int months = a.TermMonths - a.Diy.DiyPaymentsEliminated;
    for (int k = 1; k <= months && k <= kScheduleRows; ++k)
        s.balances.push_back((*schedule)[static_cast<std::size_t>(k - 1)].Balance);
    s.balances.push_back(0);
    s.totals.months = months;
    s.totals.totalInterest = ToCents(a.TotalInterest - a.Diy.DiyInterestSavings);
    s.totals.totalPaid = ToCents(a.LoanAmount + s.totals.totalInterest);
    s.totals.payoffDate = a.Diy.DiyPayoffDate;
    s.totals.levelMonths = GridMonthCount(level);
    s.totals.monthsSaved = s.totals.levelMonths - months;
    return s;
}

bool SameLoan(const LoanAnalysis &a, const GridTable &level)
{
    return a.YearsToPayoff > 0 && PlainAmountText(a.LoanAmount) == PlainAmountText(level.Month(1).Balance)
        && a.TermYears * 12 == GridTermMonths(level) && a.FirstPaymentDate == level.StartDate
        && PlainAmountText(a.AnnualRate) == PlainAmountText(level.Month(1).Rate);
}

std::string IsoOf(const std::string &date)
{
    return IsDateText(date) ? date.substr(6, 4) + "-" + date.substr(0, 2) + "-" + date.substr(3, 2) : std::string();
}

std::string CsvField(const std::string &text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos
        && (text.empty() || (text.front() != ' ' && text.back() != ' ')))
        return text;
    std::string out = "\"";
    for (char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string JsonString(const std::string &text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

} // namespace

GridComparison CompareGrid(const GridTable &grid, const std::vector<GridScenario> &scenarios, const LoanAnalysis *plan)
{
    GridComparison c;
    if (!GridHasLoan(grid))
        return c;
    const auto level = std::make_unique<GridTable>(LevelPaymentGrid(grid));
    c.series.push_back(SeriesOf(kAgreedSeriesName, *level, *level));
    c.series.push_back(SeriesOf(kGridSeriesName, grid, *level));
    auto t = std::make_unique<GridTable>();
    for (const GridScenario &scenario : scenarios) {
        *t = grid;
        CopyGridInputs(*t, scenario.inputs);
        RecalculateGrid(*t);
        c.series.push_back(SeriesOf(scenario.name, *t, *level));
    }
    if (plan) {
        if (SameLoan(*plan, *level)) {
            c.series.push_back(PlanSeries(*plan, *level));
            c.series.push_back(DoItYourselfSeries(*plan, *level));
        } else
            c.note = "The bi-weekly plan and its do-it-yourself alternative are not shown: the client's loan (amount, term, first payment and rate) is not "
                     "the loan of this grid.";
    }
    return c;
}

std::string ComparisonCsv(const GridComparison &c)
{
    std::string out = "Scenario,Months,TotalPaid,TotalInterest,PayoffDate,MonthsSaved\n";
    for (const ComparisonSeries &s : c.series)
        out += CsvField(s.name) + "," + std::to_string(s.totals.months) + "," + GridNumberText(s.totals.totalPaid) + ","
            + GridNumberText(s.totals.totalInterest) + "," + IsoOf(s.totals.payoffDate) + ","
            + std::to_string(s.totals.monthsSaved) + "\n";
    return out;
}

std::string ComparisonJson(const GridComparison &c)
{
    std::string out = "[";
    for (std::size_t i = 0; i < c.series.size(); ++i) {
        const ComparisonSeries &s = c.series[i];
        out += i > 0 ? ",\n" : "\n";
        out += "{\"Scenario\":" + JsonString(s.name) + ",\"Months\":" + std::to_string(s.totals.months)
            + ",\"TotalPaid\":" + GridNumberText(s.totals.totalPaid)
            + ",\"TotalInterest\":" + GridNumberText(s.totals.totalInterest) + ",\"PayoffDate\":\""
            + IsoOf(s.totals.payoffDate) + "\",\"MonthsSaved\":" + std::to_string(s.totals.monthsSaved) + "}";
    }
    out += c.series.empty() ? "]\n" : "\n]\n";
    return out;
}

} // namespace tw
