// `tallowin-cli grid` as a script uses it: every month as the written rules give it,
// worked apart from the engine; refusals on standard error with exit code 2.
#include "tests/engine/grid_reference.h"

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

// The grid by the rules, as the export documents it: month, ISO date (the first payment's
// day, or a shorter month's last) and the seven figures with two decimals; as CSV and JSON.
std::pair<std::string, std::string> ExportByRules(
    double loan, int years, int y0, int m0, int d0, const std::vector<MonthByRules> &inputs)
{
    const char *const keys[] = {"Balance", "Payment", "Interest", "Principal", "Extra", "Rate", "Adjustment"};
    std::string csv = "Month,Date,Balance,Payment,Interest,Principal,Extra,Rate,Adjustment\n", json = "[";
    const std::vector<MonthByRules> months = GridByRules(loan, years, inputs);
    char text[64];
    for (std::size_t k = 0; k < months.size(); ++k) {
        const int index = m0 - 1 + static_cast<int>(k), y = y0 + index / 12, m = index % 12 + 1;
        const int length = m == 2 ? (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0) ? 29 : 28) : 30 + (m + m / 8) % 2;
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", y, m, std::min(d0, length));
        csv += std::to_string(k + 1) + "," + text;
        json
            += std::string(k > 0 ? ",\n" : "\n") + "{\"Month\":" + std::to_string(k + 1) + ",\"Date\":\"" + text + "\"";
        const MonthByRules &r = months[k];
        int key = 0;
        for (double v : {r.balance, r.payment, r.interest, r.principal, r.extra, r.rate, r.adjustment}) {
            std::snprintf(text, sizeof text, "%.2f", v);
            csv += std::string(",") + text;
            json += std::string(",\"") + keys[key++] + "\":" + text;
        }
        csv += "\n";
        json += "}";
    }
    return {csv, json + "\n]\n"};
}

TEST(GridCommand, CsvAndJsonAreTheRecalculatedGrid)
{
    const std::string path = Profile("grid-cli.ini",
        "[PrinBal]\nMth1=150000.00\nLoanTermYears=15\nLoanStartDate=01/31/2021\n[IntRate]\nMth1=5.00\nMth37=4.25\n"
        "[AddPmt]\nMth12=2500.00\n");
    std::vector<MonthByRules> inputs(499);
    inputs[0].rate = 5;
    inputs[36].rate = 4.25;
    inputs[11].extra = 2500;
    const auto [csvByRules, jsonByRules] = ExportByRules(150000, 15, 2021, 1, 31, inputs);

    const CliRun csv = Cli("grid --profile " + path + " --csv");
    EXPECT_EQ(csv.code, 0);
    EXPECT_EQ(csv.out, csvByRules);
    // 150,000.00 over 15 years at 5 % is 1,186.19 a month (published tables).
    EXPECT_EQ(csv.out.find("\n1,2021-01-31,150000.00,1186.19,625.00,561.19,0.00,5.00,0.00\n"), csv.out.find('\n'));

    const CliRun json = Cli("grid --profile " + path + " --json");
    EXPECT_EQ(json.code, 0);
    EXPECT_EQ(json.out, jsonByRules);

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
    // 100.00 more in months 13 to 24; the 5/1 with caps 2/2/5 on 2.75 + 5.5 = 8.25 rises
    // from 6 % to 8 % in month 61 and 8.25 % in month 73; 2,500.00 every March from 2023
    // (month 39) to the table's end.
    std::vector<MonthByRules> inputs(499);
    for (int n = 13; n <= 24; ++n)
        inputs[n - 1].extra = 100;
    for (int n = 39; n <= 499; n += 12)
        inputs[n - 1].extra = 2500;
    for (const auto &[month, rate] : {std::pair {1, 6.0}, {61, 8.0}, {73, 8.25}})
        inputs[month - 1].rate = rate;

    const std::string tools = "grid --profile " + path + " --extra 100@13-24 --arm 5/1:2.75:5.5 --yearly 2500@03/2023";
    const CliRun csv = Cli(tools + " --csv");
    EXPECT_EQ(csv.code, 0);
    EXPECT_EQ(csv.out, ExportByRules(300000, 30, 2020, 1, 1, inputs).first);
    // A scenario replaces every input: given last, it undoes the tools before it.
    EXPECT_EQ(
        Cli(tools + " --scenario bonus --csv").out, Cli("grid --profile " + path + " --scenario Bonus --csv").out);
    EXPECT_NE(Cli(tools + " --scenario bonus --csv").out, csv.out);
    // That scenario was written by hand without rates: the loan keeps its 6 %.
    std::vector<MonthByRules> bonus(499);
    for (int n = 3; n <= 360; ++n)
        bonus[n - 1].extra = 50;
    bonus[0].rate = 6.0;
    EXPECT_EQ(Cli("grid --profile " + path + " --scenario Bonus --csv").out,
        ExportByRules(300000, 30, 2020, 1, 1, bonus).first);

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
