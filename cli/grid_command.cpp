#include "cli/commands.h"
#include "cli/options.h"
#include "engine/grid.h"
#include "engine/grid_compare.h"
#include "engine/grid_text.h"
#include "engine/grid_tools.h"
#include "format/number_text.h"
#include "record/grid_inputs.h"
#include "record/grid_scenarios.h"
#include "record/profile_store.h"

#include <array>
#include <iostream>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tw::cli {

namespace {

constexpr const char *kGridUsage
    = "Usage: tallowin-cli grid --profile FILE [--extra AMOUNT[@FROM[-TO]]] [--yearly AMOUNT@MM[/FROMYEAR]]\n"
      "         [--arm PRESET|YEARS/INTERVAL/FIRST/PERIODIC/LIFETIME[:MARGIN:INDEX]] [--worst-case]\n"
      "         [--payoff-by MM/YYYY[@FROM]] [--scenario NAME] [--compare] [--csv | --json]\n"
      "ARM presets: 5/6 (caps 2/1/5), 7/6 and 10/6 (caps 5/1/5), 5/1 (caps 2/2/5).";

const std::set<std::string> kToolOptions = {"--extra", "--yearly", "--arm", "--payoff-by", "--scenario"};
const std::set<std::string> kFlags = {"--worst-case", "--compare", "--csv", "--json"};

// A whole number of at most nine digits, nothing else.
std::optional<int> WholeNumber(std::string_view text)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    return TextToInt(text);
}

// Splits at the first `separator`: the part before, and the part after (nullopt without one).
std::pair<std::string, std::optional<std::string>> SplitAt(const std::string &text, char separator)
{
    const auto at = text.find(separator);
    if (at == std::string::npos)
        return {text, std::nullopt};
    return {text.substr(0, at), text.substr(at + 1)};
}

// One option applied to the table; "" when done, else the problem in words.
struct GridRun {
    std::unique_ptr<GridTable> table;
    std::vector<GridScenario> scenarios;
    bool worstCase = false;
    std::vector<std::string> said; // what --payoff-by found, in order
};

std::string ApplyExtra(GridRun &run, const std::string &value)
{
    const auto [amountText, months] = SplitAt(value, '@');
    std::string problem;
    const auto amount = ReadToolAmount(amountText, "The amount", &problem);
    if (!amount)
        return problem;
    int from = 1, to = 0;
    if (months) {
        const auto [fromText, toText] = SplitAt(*months, '-');
        const auto f = WholeNumber(fromText);
        const auto t = toText ? WholeNumber(*toText) : std::optional<int>(0);
        if (!f || !t)
            return "The months are not FROM or FROM-TO, whole month numbers such as 13 or 13-72.";
        from = *f;
        to = *t;
    }
    return AddMonthlyExtra(*run.table, *amount, from, to);
}

std::string ApplyYearly(GridRun &run, const std::string &value)
{
    const auto [amountText, when] = SplitAt(value, '@');
    if (!when)
        return "Give the month of the year after \"@\": AMOUNT@MM or AMOUNT@MM/FROMYEAR.";
    std::string problem;
    const auto amount = ReadToolAmount(amountText, "The amount", &problem);
    if (!amount)
        return problem;
    const auto [monthText, yearText] = SplitAt(*when, '/');
    const auto month = WholeNumber(monthText);
    const auto year = yearText ? WholeNumber(*yearText) : std::optional<int>(0);
    if (!month || *month < 1 || *month > 12 || monthText.size() > 2)
        return "The month of the year must be 1 to 12.";
    if (!year || (yearText && yearText->size() != 4))
        return "The first year must have four digits.";
    return AddYearlyExtra(*run.table, *amount, *month, *year);
}

std::string ApplyArmOption(GridRun &run, const std::string &value)
{
    std::vector<std::string> parts;
    for (std::string rest = value;;) {
        auto [head, tail] = SplitAt(rest, ':');
        parts.push_back(head);
        if (!tail)
            break;
        rest = *tail;
    }
    if (parts.size() != 1 && parts.size() != 3)
        return "Give the terms, then the margin and the index if any: TERMS or TERMS:MARGIN:INDEX.";
    ArmTerms terms;
    if (const ArmPreset *preset = FindArmPreset(parts[0])) {
        terms = preset->terms;
    } else {
        std::vector<std::string> numbers;
        for (std::string rest = parts[0];;) {
            auto [head, tail] = SplitAt(rest, '/');
            numbers.push_back(head);
            if (!tail)
                break;
            rest = *tail;
        }
        if (numbers.size() != 5)
            return "The terms are neither a preset (5/6, 7/6, 10/6, 5/1) nor "
                   "YEARS/INTERVAL/FIRST/PERIODIC/LIFETIME.";
        const auto years = WholeNumber(numbers[0]);
        const auto interval = WholeNumber(numbers[1]);
        if (!years || !interval)
            return "The fixed years and the months between changes must be whole numbers.";
        terms.initialYears = *years;
        terms.intervalMonths = *interval;
        const char *what[] = {"The cap of the first change", "The cap of each later change", "The lifetime cap"};
        double *caps[] = {&terms.firstCap, &terms.periodicCap, &terms.lifetimeCap};
        for (int i = 0; i < 3; ++i) {
            std::string problem;
            const auto cap = ReadToolPercent(numbers[static_cast<std::size_t>(i + 2)], what[i], &problem);
            if (!cap)
                return problem;
            *caps[i] = *cap;
        }
    }
    terms.worstCase = run.worstCase;
    if (parts.size() == 3) {
        std::string problem;
        const auto margin = ReadToolPercent(parts[1], "The margin", &problem);
        const auto index = margin ? ReadToolPercent(parts[2], "The index", &problem) : std::nullopt;
        if (!margin || !index)
            return problem;
        terms.margin = *margin;
        terms.index = *index;
    } else if (!terms.worstCase) {
        return "Give the margin and the index (" + parts[0] + ":MARGIN:INDEX), or --worst-case.";
    }
    return ApplyArm(*run.table, terms);
}

std::string ApplyPayoffBy(GridRun &run, const std::string &value)
{
    const auto [dateText, fromText] = SplitAt(value, '@');
    const auto [monthText, yearText] = SplitAt(dateText, '/');
    const auto month = WholeNumber(monthText);
    const auto year = yearText ? WholeNumber(*yearText) : std::nullopt;
    if (!month || *month < 1 || *month > 12 || !year || yearText->size() != 4)
        return "Give the month and year as MM/YYYY, such as 06/2040.";
    const auto from = fromText ? WholeNumber(*fromText) : std::optional<int>(1);
    if (!from)
        return "The month the extra starts in must be a whole month number, such as 13.";
    GridTable &t = *run.table;
    if (GridPaymentDate(t.StartDate, 1).month == 0)
        return "The grid has no date of the first payment, so a month and year cannot be found in it.";
    const PayoffSearch search = FindPayoffExtra(t, GridMonthOfPaymentDate(t, *month, *year), *from);
    if (search.outcome == PayoffSearch::kFound)
        AddMonthlyExtra(t, search.extra, *from);
    else if (search.outcome != PayoffSearch::kNotNeeded)
        return search.message;
    run.said.push_back(search.message);
    return {};
}

std::string ApplyScenario(GridRun &run, const std::string &name)
{
    const GridScenario *s = FindScenario(run.scenarios, name);
    if (!s) {
        std::string saved;
        for (const GridScenario &each : run.scenarios)
            saved += (saved.empty() ? "" : ", ") + ("\"" + each.name + "\"");
        return "The profile has no scenario named \"" + name + "\""
            + (saved.empty() ? std::string(" (it has none).") : "; it has " + saved + ".");
    }
    CopyGridInputs(*run.table, s->inputs);
    return {};
}

// Text columns as wide as their widest cell, so that no figure is ever cut.
std::string Columns(const std::vector<std::vector<std::string>> &rows, const std::vector<bool> &leftAligned)
{
    std::vector<std::size_t> widths(leftAligned.size(), 0);
    for (const auto &row : rows)
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    std::string out;
    for (const auto &row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string pad(widths[c] - row[c].size(), ' ');
            line += (c > 0 ? "  " : "") + (leftAligned[c] ? row[c] + pad : pad + row[c]);
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out += line + "\n";
    }
    return out;
}

// The grid as the screen shows it, in columns.
std::string TextTable(const GridTable &t)
{
    std::vector<std::vector<std::string>> rows
        = {{"Month", "Date", "Balance", "Payment", "Interest", "Principal", "Extra", "Rate", "Adjustment"}};
    const int months = GridMonthCount(t);
    for (int n = 1; n <= months; ++n) {
        const GridRow &r = t.Month(n);
        std::vector<std::string> row = {std::to_string(n), GridDateText(t.StartDate, n)};
        for (int f = 0; f < kGridFieldCount; ++f)
            row.push_back(GridFieldText(f, GridValue(r, f)));
        rows.push_back(std::move(row));
    }
    std::string out = Columns(rows, {false, true, false, false, false, false, false, false, false});
    const GridTotals totals = ComputeGridTotals(t, LevelPaymentGrid(t));
    out += "Total paid " + FormatMoney(totals.totalPaid) + ", total interest " + FormatMoney(totals.totalInterest)
        + ", " + std::to_string(totals.months) + " months";
    if (!totals.payoffDate.empty())
        out += " to " + totals.payoffDate;
    out += ", " + std::to_string(totals.monthsSaved) + " months saved against the loan paid as agreed.\n";
    return out;
}

std::string TextComparison(const GridComparison &c)
{
    std::vector<std::vector<std::string>> rows
        = {{"Scenario", "Months", "Total paid", "Total interest", "Paid off", "Months saved"}};
    for (const ComparisonSeries &s : c.series)
        rows.push_back({s.name, std::to_string(s.totals.months), FormatMoney(s.totals.totalPaid),
            FormatMoney(s.totals.totalInterest), s.totals.payoffDate.empty() ? "-" : s.totals.payoffDate,
            std::to_string(s.totals.monthsSaved)});
    std::string out = Columns(rows, {true, false, false, false, false, false});
    out += "Months saved count against the loan paid as agreed.\n";
    if (!c.note.empty())
        out += c.note + "\n";
    return out;
}

// Why the profile's grid data gives no loan: the opening balance, named as the file
// holds it.
std::string NoGridProblem(const std::string &path, const CProfileSnapshot &profile)
{
    const std::string named = "The profile \"" + path + "\" ";
    if (!profile.Contains("PrinBal", "Mth1"))
        return named
            + "holds no amortization grid: [PrinBal] Mth1, the opening balance, is missing. Run the "
              "demonstration to its enrollment, or open the grid and press \"Reset to the Loan\".";
    return named + "holds no usable amortization grid: [PrinBal] Mth1 is \"" + profile.Read("PrinBal", "Mth1")
        + "\", not an opening balance above 0.00 and at most " + FormatMoney(kGridMaxBalance) + ". "
        + kGridCorruptedMessage + ".";
}

int Refuse(const std::string &message, bool withUsage = false)
{
    std::cerr << message << "\n";
    if (withUsage)
        std::cerr << kGridUsage << "\n";
    return kExitRefused;
}

} // namespace

int RunGridCommand(const std::vector<std::string> &args)
{
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kGridUsage;
        return 0;
    }
    // The what-if options apply in the order given, so they are read in order here.
    std::optional<std::string> path;
    std::vector<std::pair<std::string, std::string>> steps;
    std::set<std::string> flags;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (kFlags.count(arg)) {
            flags.insert(arg);
        } else if (arg == "--profile" || kToolOptions.count(arg)) {
            if (i + 1 >= args.size())
                return Refuse("The option " + arg + " needs a value.", true);
            const std::string &value = args[++i];
            if (arg != "--profile")
                steps.emplace_back(arg, value);
            else if (path)
                return Refuse("Give --profile once.", true);
            else
                path = value;
        } else if (arg.rfind("--", 0) == 0) {
            return Refuse("Unknown option " + arg + ".", true);
        } else {
            return Refuse("Unexpected argument \"" + arg + "\".", true);
        }
    }
    if (flags.count("--csv") && flags.count("--json"))
        return Refuse("Choose one of --csv and --json.", true);
    if (!path || path->empty())
        return Refuse("Name the profile with --profile FILE.", true);
    GridRun run;
    run.worstCase = flags.count("--worst-case") > 0;
    bool arm = false;
    for (const auto &step : steps)
        arm = arm || step.first == "--arm";
    if (run.worstCase && !arm)
        return Refuse("--worst-case applies to --arm: give --arm PRESET as well.", true);
    CProfileSnapshot snapshot; // read once: the grid, its scenarios and the plan all come from it
    if (const std::string problem = ReadProfile(*path, false, snapshot); !problem.empty())
        return Refuse(problem);

    run.table = std::make_unique<GridTable>(LoadGridInputs(snapshot));
    if (!GridHasLoan(*run.table))
        return Refuse(NoGridProblem(*path, snapshot));
    run.scenarios = LoadGridScenarios(snapshot);
    RecalculateGrid(*run.table);
    for (const auto &[option, value] : steps) {
        std::string problem;
        if (option == "--extra")
            problem = ApplyExtra(run, value);
        else if (option == "--yearly")
            problem = ApplyYearly(run, value);
        else if (option == "--arm")
            problem = ApplyArmOption(run, value);
        else if (option == "--payoff-by")
            problem = ApplyPayoffBy(run, value);
        else
            problem = ApplyScenario(run, value);
        if (!problem.empty())
            return Refuse(option + " \"" + value + "\": " + problem);
        RecalculateGrid(*run.table);
    }

    // What --payoff-by found is the answer asked for; in CSV or JSON it goes to standard
    // error, so that standard output stays one file.
    const bool data = flags.count("--csv") || flags.count("--json");
    for (const std::string &said : run.said)
        (data ? std::cerr : std::cout) << said << "\n";
    if (flags.count("--compare")) {
        auto record = std::make_unique<CClientRecord>();
        record->LoadFromSnapshot(snapshot);
        const std::unique_ptr<LoanAnalysis> plan = PlanAnalysisFor(*record);
        const GridComparison comparison = CompareGrid(*run.table, run.scenarios, plan.get());
        if (flags.count("--csv"))
            std::cout << ComparisonCsv(comparison);
        else if (flags.count("--json"))
            std::cout << ComparisonJson(comparison);
        else
            std::cout << TextComparison(comparison);
    } else if (flags.count("--csv")) {
        std::cout << GridCsv(*run.table);
    } else if (flags.count("--json")) {
        std::cout << GridJson(*run.table);
    } else {
        std::cout << TextTable(*run.table);
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}

} // namespace tw::cli
