// `tallowin-cli grid` as a script uses it: the same grid as the engine (and the dialog's
// export, which writes GridCsv too), refusals on standard error with exit code 2.
#include "engine/grid.h"
#include "engine/grid_text.h"
#include "record/grid_inputs.h"
#include "record/profile_store.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <sys/wait.h>

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
    const std::string good = Profile("grid-cli-good.ini", "[PrinBal]\nMth1=1000\n[IntRate]\nMth1=5\n");
    const std::pair<std::string, std::string> cases[] = {
        {"grid --profile " + empty, "corrupted"},
        {"grid --profile " + testing::TempDir() + "no-such-profile.ini", "does not exist"},
        {"grid --profile " + testing::TempDir(), "folder"},
        {"grid --profile " + good + " --csv --json", "one of"},
        {"grid --profile " + good + " --pdf x", "--pdf"},
        {"grid", "--profile"},
    };
    for (const auto &[args, reason] : cases) {
        const CliRun quiet = Cli(args);
        EXPECT_EQ(quiet.code, 2) << args;
        EXPECT_EQ(quiet.out, "") << args;
        EXPECT_NE(Cli(args, true).out.find(reason), std::string::npos) << args;
    }
}

} // namespace
} // namespace tw
