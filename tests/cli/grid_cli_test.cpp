// `tallowin-cli grid` as a script uses it: the same grid as the engine (and the dialog's
// export, which writes GridCsv too), refusals on standard error with exit code 2.
#include "engine/grid.h"
#include "engine/grid_text.h"
#include "engine/grid_tools.h"
#include "record/grid_inputs.h"
#include "record/profile_store.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

namespace tw {
namespace {

struct CliRun {
    int code = -1;
    std::string out;
};

// Standard error is folded into `out` only when asked, so that a test can see that a
// refusal leaves standard output empty.
CliRun Cli(const std::string &args, bool withErrors = false)
{
    const std::string command = std::string(TALLOWIN_CLI_PATH) + " " + args + (withErrors ? " 2>&1" : " 2>/dev/null");
    CliRun r;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return r;
    std::array<char, 4096> buf {};
    for (std::size_t n; (n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0;)
        r.out.append(buf.data(), n);
    const int status = pclose(pipe);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string Profile(const std::string &name, const std::string &text)
{
    const std::string path = testing::TempDir() + name;
    std::ofstream(path) << text;
    return path;
}

TEST(GridCommand, CsvAndJsonAreTheRecalculatedGrid)
{
    const std::string path = Profile("grid-cli.ini",
        "[PrinBal]\nMth1=150000.00\nLoanTermYears=15\nLoanStartDate=01/31/2021\n[IntRate]\nMth1=5.00\nMth37=4.25\n"
        "[AddPmt]\nMth12=2500.00\n");
    auto t = std::make_unique<GridTable>(LoadGridInputs(CProfileStore(path).Snapshot()));
    RecalculateGrid(*t);

    const CliRun csv = Cli("grid --profile " + path + " --csv");
    EXPECT_EQ(csv.code, 0);
    EXPECT_EQ(csv.out, GridCsv(*t));
    EXPECT_NE(csv.out.find("\n2,2021-02-28,"), std::string::npos); // a short month takes its last day
    // 150,000.00 over 15 years at 5 % is 1,186.19 a month (published tables).
    EXPECT_EQ(csv.out.rfind("Month,Date,Balance,Payment,Interest,Principal,Extra,Rate,Adjustment\n"
                            "1,2021-01-31,150000.00,1186.19,625.00,",
                  0),
        0u);

    const CliRun json = Cli("grid --profile " + path + " --json");
    EXPECT_EQ(json.code, 0);
    EXPECT_EQ(json.out, GridJson(*t));
    std::size_t objects = 0;
    for (std::size_t at = 0; (at = json.out.find("{\"Month\":", at)) != std::string::npos; ++at)
        ++objects;
    EXPECT_EQ(objects, static_cast<std::size_t>(GridMonthCount(*t)));

    const CliRun text = Cli("grid --profile " + path);
    EXPECT_EQ(text.code, 0);
    EXPECT_NE(text.out.find("1,186.19"), std::string::npos);
}

TEST(GridCommand, RefusalsExitWithTwoAndPrintNothing)
{
    const std::string empty = Profile("grid-cli-empty.ini", "[PrinBal]\nLoanTermYears=30\n");
    const std::string bad = Profile("grid-cli-bad.ini", "[PrinBal]\nMth1=abc\n");
    const std::string crs = Profile("grid-cli-crs.ini", std::string(4096, '\r'));
    const std::string nuls = Profile("grid-cli-nuls.ini", std::string(4096, '\0'));
    const std::string fifo = testing::TempDir() + "grid-cli-fifo.ini";
    std::remove(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string good = Profile("grid-cli-good.ini",
        "[PrinBal]\nMth1=100000\nLoanStartDate=01/15/2020\n[IntRate]\nMth1=5\n[GridScenario1]\nName=Kept\n");
    const std::pair<std::string, std::string> cases[] = {
        {"grid --profile " + empty, "[PrinBal] Mth1, the opening balance, is missing"},
        {"grid --profile " + crs, "holds no amortization grid"},
        {"grid --profile " + nuls, "holds no amortization grid"},
        {"grid --profile " + bad, "[PrinBal] Mth1 is \"abc\""},
        {"grid --profile " + fifo, "not a regular file"},
        {"grid --profile " + testing::TempDir() + "no-such-profile.ini", "does not exist"},
        {"grid --profile " + testing::TempDir(), "folder"},
        {"grid --profile " + good + " --csv --json", "one of"},
        {"grid --profile " + good + " --pdf x", "--pdf"},
        {"grid", "--profile"},
        {"grid --profile " + good + " --extra abc", "--extra \"abc\": The amount is not a number"},
        {"grid --profile " + good + " --extra 100@0", "first month"},
        {"grid --profile " + good + " --extra 100@12-x", "FROM-TO"},
        {"grid --profile " + good + " --yearly 100@13", "--yearly \"100@13\": The month of the year must be"},
        {"grid --profile " + good + " --yearly 100@03/1999", "first year"},
        {"grid --profile " + good + " --arm 5/6", "or --worst-case"},
        {"grid --profile " + good + " --arm 4/6/2/1/5:2:3", "3, 5, 7 or 10 years"},
        {"grid --profile " + good + " --arm 5/6:2.75:30", "The index must be at most 25%"},
        {"grid --profile " + good + " --worst-case", "give --arm"},
        {"grid --profile " + good + " --payoff-by 2040", "MM/YYYY"},
        {"grid --profile " + good + " --payoff-by 06/2021@30", "Not even the whole balance"},
        {"grid --profile " + good + " --scenario Gone", "no scenario named \"Gone\"; it has \"Kept\""},
    };
    for (const auto &[args, reason] : cases) {
        const CliRun quiet = Cli(args);
        EXPECT_EQ(quiet.code, 2) << args;
        EXPECT_EQ(quiet.out, "") << args;
        const std::string said = Cli(args, true).out;
        EXPECT_NE(said.find(reason), std::string::npos) << args << "\n" << said;
    }
}

// The tools from the command line give the numbers of the same engine calls the screen
// makes, in the order given; the profile is never written.
TEST(GridCommand, ToolsApplyInTheOrderGiven)
{
    const std::string text = "[PrinBal]\nMth1=300000.00\nLoanTermYears=30\nLoanStartDate=01/01/2020\n[IntRate]\n"
                             "Mth1=6.00\n[GridScenario2]\nName=Bonus\nExtra=3-360:50.00\n";
    const std::string path = Profile("grid-cli-tools.ini", text);
    auto expected = std::make_unique<GridTable>(LoadGridInputs(CProfileStore(path).Snapshot()));
    RecalculateGrid(*expected);
    ASSERT_EQ(AddMonthlyExtra(*expected, 100, 13, 24), "");
    RecalculateGrid(*expected);
    ArmTerms arm = FindArmPreset("5/1")->terms;
    arm.margin = 2.75;
    arm.index = 5.5;
    ASSERT_EQ(ApplyArm(*expected, arm), "");
    RecalculateGrid(*expected);
    ASSERT_EQ(AddYearlyExtra(*expected, 2500, 3, 2023), "");
    RecalculateGrid(*expected);

    const std::string tools = "grid --profile " + path + " --extra 100@13-24 --arm 5/1:2.75:5.5 --yearly 2500@03/2023";
    const CliRun csv = Cli(tools + " --csv");
    EXPECT_EQ(csv.code, 0);
    EXPECT_EQ(csv.out, GridCsv(*expected));
    EXPECT_NE(csv.out.find("\n61,2025-01-01,"), std::string::npos);
    // A scenario replaces every input: given last, it undoes the tools before it.
    EXPECT_EQ(
        Cli(tools + " --scenario bonus --csv").out, Cli("grid --profile " + path + " --scenario Bonus --csv").out);
    EXPECT_NE(Cli(tools + " --scenario bonus --csv").out, csv.out);

    // The extra found is said (on standard error when the output is data).
    const CliRun found = Cli("grid --profile " + path + " --payoff-by 06/2040@13");
    EXPECT_EQ(found.code, 0);
    EXPECT_EQ(found.out.rfind("An extra of ", 0), 0u) << found.out;
    EXPECT_NE(found.out.find(" 06/2040"), std::string::npos);
    const CliRun foundCsv = Cli("grid --profile " + path + " --payoff-by 06/2040@13 --csv");
    EXPECT_EQ(foundCsv.out.rfind("Month,Date,", 0), 0u);

    const CliRun compare = Cli("grid --profile " + path + " --extra 100 --compare --csv");
    EXPECT_EQ(compare.code, 0);
    EXPECT_EQ(compare.out.rfind("Scenario,Months,TotalPaid,TotalInterest,PayoffDate,MonthsSaved\n"
                                "Loan as agreed,360,",
                  0),
        0u)
        << compare.out;
    EXPECT_NE(compare.out.find("\nThis grid,"), std::string::npos);
    EXPECT_NE(compare.out.find("\nBonus,"), std::string::npos);
    std::ifstream in(path);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text);
}

TEST(GridCommand, TextColumnsFitEveryFigure)
{
    // An extra of 1.7e308 ends the loan in month 5 and is shown whole; the totals count
    // only what was owed.
    const std::string path = Profile("grid-cli-huge.ini",
        "[PrinBal]\nMth1=100000.00\nLoanStartDate=11/15/1999\n[IntRate]\nMth1=7.50\n[AddPmt]\nMth5=1.7e308\n");
    const CliRun text = Cli("grid --profile " + path);
    EXPECT_EQ(text.code, 0);
    std::vector<std::string> lines;
    std::istringstream in(text.out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 7u); // header, 5 months, totals
    EXPECT_GT(lines[5].size(), 309u);
    // 625.00 + 624.54 + 624.07 + 623.60 + 623.13 of interest, on top of the loan.
    EXPECT_EQ(lines[6].rfind("Total paid 103,120.34, total interest 3,120.34, 5 months", 0), 0u) << lines[6];
}

} // namespace
} // namespace tw
