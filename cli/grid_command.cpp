#include "cli/commands.h"
#include "cli/options.h"
#include "engine/grid.h"
#include "engine/grid_text.h"
#include "format/number_text.h"
#include "record/grid_inputs.h"
#include "record/profile_store.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

namespace tw::cli {

namespace {

constexpr const char *kGridUsage = "Usage: tallowin-cli grid --profile FILE [--csv | --json]";

// A missing profile would read as no grid at all; say what is wrong with the file instead.
std::string ProfileProblem(const std::string &path)
{
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status))
        return "The profile \"" + path + "\" does not exist.";
    if (std::filesystem::is_directory(status))
        return "The profile \"" + path + "\" is a folder, not a file.";
    std::ifstream in(path);
    if (!in)
        return "The profile \"" + path + "\" cannot be read: " + DescribeFileError(errno) + ".";
    return {};
}

// The grid as the screen shows it, in columns.
std::string TextTable(const GridTable &t)
{
    std::string out;
    char line[256];
    std::snprintf(line, sizeof line, "%5s  %-10s %14s %10s %10s %10s %12s %8s %12s\n", "Month", "Date", "Balance",
        "Payment", "Interest", "Principal", "Extra", "Rate", "Adjustment");
    out += line;
    const int months = GridMonthCount(t);
    for (int n = 1; n <= months; ++n) {
        const GridRow &r = t.Month(n);
        std::snprintf(line, sizeof line, "%5d  %-10s %14s %10s %10s %10s %12s %8s %12s\n", n,
            GridDateText(t.StartDate, n).c_str(), FormatMoney(r.Balance).c_str(), FormatMoney(r.Payment).c_str(),
            FormatMoney(r.Interest).c_str(), FormatMoney(r.Principal).c_str(), FormatMoney(r.Extra).c_str(),
            GridCellText(r, kGridRate).c_str(), FormatMoney(r.Adjustment).c_str());
        out += line;
    }
    const GridTotals totals = ComputeGridTotals(t, LevelPaymentGrid(t));
    out += "Total paid " + FormatMoney(totals.totalPaid) + ", total interest " + FormatMoney(totals.totalInterest)
        + ", " + std::to_string(totals.months) + " months";
    if (!totals.payoffDate.empty())
        out += " to " + totals.payoffDate;
    out += ", " + std::to_string(totals.monthsSaved) + " months saved against the loan paid as agreed.\n";
    return out;
}

} // namespace

int RunGridCommand(const std::vector<std::string> &args)
{
    const Options options(args, {"--profile"}, {"--csv", "--json"});
    if (!options.error().empty() || !options.positional().empty()) {
        std::cerr << (options.error().empty() ? "Unexpected argument \"" + options.positional()[0] + "\"."
                                              : options.error())
                  << "\n"
                  << kGridUsage << "\n";
        return kExitRefused;
    }
    if (options.has("--csv") && options.has("--json")) {
        std::cerr << "Choose one of --csv and --json.\n" << kGridUsage << "\n";
        return kExitRefused;
    }
    const std::string path = options.value("--profile").value_or("");
    if (path.empty()) {
        std::cerr << "Name the profile with --profile FILE.\n" << kGridUsage << "\n";
        return kExitRefused;
    }
    if (const std::string problem = ProfileProblem(path); !problem.empty()) {
        std::cerr << problem << "\n";
        return kExitRefused;
    }
    const CProfileStore profile(path);
    auto table = std::make_unique<GridTable>(LoadGridInputs(profile.Snapshot()));
    if (!GridHasLoan(*table)) {
        std::cerr << kGridCorruptedMessage << " (the profile has no usable [PrinBal] Mth1).\n";
        return kExitRefused;
    }
    RecalculateGrid(*table);
    if (options.has("--csv"))
        std::cout << GridCsv(*table);
    else if (options.has("--json"))
        std::cout << GridJson(*table);
    else
        std::cout << TextTable(*table);
    std::cout.flush();
    return std::cout ? 0 : 1;
}

} // namespace tw::cli
