// tallowin-cli as a user scripts it: exit codes, what goes to which stream, figures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Result {
    int code = -1;
    std::string out;
    std::string err;
};

std::string ReadAll(int fd)
{
    std::string text;
    char buf[4096];
    for (ssize_t n; (n = read(fd, buf, sizeof buf)) > 0;)
        text.append(buf, static_cast<std::size_t>(n));
    close(fd);
    return text;
}

// Standard output goes to `outPath` when one is given (a full device, say).
Result RunCli(std::vector<std::string> args, const std::string &outPath = "")
{
    // Standard error goes to a file so that a full pipe can never block the child.
    const std::string errPath = testing::TempDir() + "cli-stderr-" + std::to_string(getpid()) + ".txt";
    int out[2];
    if (pipe(out) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        alarm(60); // a command that hangs fails its test instead of stopping the suite
        dup2(outPath.empty() ? out[1] : open(outPath.c_str(), O_WRONLY), 1);
        if (FILE *err = std::fopen(errPath.c_str(), "w"))
            dup2(fileno(err), 2);
        close(out[0]);
        std::vector<char *> argv;
        args.insert(args.begin(), TALLOWIN_CLI_PATH);
        for (std::string &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    Result r;
    r.out = ReadAll(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errPath);
    r.err.assign(std::istreambuf_iterator<char>(err), {});
    return r;
}

const std::vector<std::string> kReferenceLoan = {"analyze", "--today", "12/07/2026", "--first-payment", "01/01/2020",
    "--term", "30", "--amount", "100000", "--payment", "900", "--rate", "7.5"};

std::vector<std::string> With(std::vector<std::string> args, std::initializer_list<std::string> more)
{
    args.insert(args.end(), more);
    return args;
}

// The number after "key": in a JSON text (the first occurrence).
double Number(const std::string &json, const std::string &key)
{
    const auto at = json.find("\"" + key + "\":");
    if (at == std::string::npos)
        return -12345;
    return std::strtod(json.c_str() + at + key.size() + 3, nullptr);
}

std::string Text(const std::string &json, const std::string &key)
{
    const auto at = json.find("\"" + key + "\":\"");
    if (at == std::string::npos)
        return "(missing)";
    const auto start = at + key.size() + 4;
    return json.substr(start, json.find('"', start) - start);
}

TEST(AnalyzeCommand, JsonHoldsTheReferenceFigures)
{
    const Result r = RunCli(With(kReferenceLoan, {"--json"}));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    EXPECT_EQ(Text(r.out, "FirstDebitDate"), "01/08/2027");
    EXPECT_EQ(Text(r.out, "FirstPlanPaymentDate"), "02/01/2027");
    EXPECT_EQ(Text(r.out, "PayoffDate"), "12/01/2044");
    EXPECT_EQ(Text(r.out, "CurrentPayment"), "900");
    EXPECT_EQ(Number(r.out, "PlanStartPayment"), 86);
    EXPECT_NE(r.out.find("\"ExtraDebitPayments\":[88,94,99,105,"), std::string::npos);
    EXPECT_EQ(Number(r.out, "PaymentsEliminated"), 60);
    EXPECT_NEAR(Number(r.out, "TotalInterest"), 151721.99, 0.004);
    EXPECT_NEAR(Number(r.out, "InterestSavings"), 25649.05, 0.004);
    EXPECT_NEAR(Number(r.out, "FiveYearPrincipal"), 5382.20, 0.004);
    EXPECT_EQ(Number(r.out, "MonthlyRate"), static_cast<double>(7.5f * 0.00083333335f)); // round-trip precision
    EXPECT_EQ(r.out.find("schedules"), std::string::npos);
    EXPECT_EQ(r.out.find("additional"), std::string::npos);
    // Worked out from the written rules apart from this code; money to the cent.
    EXPECT_NE(r.out.find("\"costs\":{\"FeePerDebit\":3.45,\"PlanDebits\":468,\"TotalFees\":1614.60,\"ExtraPaid\":"
                         "16650.00,\"NetSavings\":24034.45,\"BreakEvenDate\":\"06/01/2029\"},\"doItYourself\":{"
                         "\"ExtraPerMonth\":75.00,\"PayoffDate\":\"02/01/2045\",\"PaymentsEliminated\":58,"
                         "\"InterestSavings\":24735.23,\"TotalPaymentSavings\":40554.44}"),
        std::string::npos)
        << r.out;
}

TEST(AnalyzeCommand, APlanThatNeverPaysForItselfShowsALossAndNoDate)
{
    // A small loan at a low rate with a year left: two payments eliminated, 8.37 of
    // interest saved against 27 debits' fees.
    const Result r = RunCli({"analyze", "--today", "06/22/2028", "--first-payment", "10/25/1999", "--term", "30",
        "--amount", "22794.27", "--payment", "269.25", "--rate", "4", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\"TotalFees\":93.15,\"ExtraPaid\":269.25,\"NetSavings\":-84.78,\"BreakEvenDate\":\"\"}"),
        std::string::npos)
        << r.out;
}

TEST(AnalyzeCommand, SchedulesAndAdditionalColumn)
{
    const Result r = RunCli(With(kReferenceLoan, {"--json", "--schedules", "--additional", "100"}));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\"MonthlySchedule\":[[100000,699.2"), std::string::npos);
    EXPECT_NE(r.out.find("[99925.789999999994,699.21000000000004,624.53999999999996,74.670000000000002,0,0]"),
        std::string::npos);
    const auto additional = r.out.substr(r.out.find("\"additional\""));
    EXPECT_GT(Number(additional, "PaymentsEliminated"), 60);
    EXPECT_GT(Number(r.out.substr(r.out.rfind("\"AdditionalSavingsGain\"")), "AdditionalSavingsGain"), 0);
}

TEST(AnalyzeCommand, HighestRateMakesTheRateVariable)
{
    const Result r = RunCli({"analyze", "--today", "12/07/2026", "--first-payment", "01/01/2020", "--term", "30",
        "--amount", "$100,000", "--payment", "900", "--rate", "6", "--highest-rate", "8%", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Number(r.out, "AnnualRate"), 7);
    EXPECT_EQ(Number(r.out, "LoanAmount"), 100000);
}

TEST(AnalyzeCommand, ReadableTableLikeTheSummaryScreen)
{
    const Result r = RunCli(kReferenceLoan);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Interest Savings"), std::string::npos);
    EXPECT_NE(r.out.find("25,649.05"), std::string::npos);
    EXPECT_NE(r.out.find("-0-"), std::string::npos);
    EXPECT_NE(r.out.find("Selling or refinancing before 06/01/2029 means the plan cost more than it saved."),
        std::string::npos);
}

struct Refusal {
    std::vector<std::string> args;
    const char *message;
};

class AnalyzeRefusals : public testing::TestWithParam<Refusal> { };

TEST_P(AnalyzeRefusals, SayWhyOnStandardErrorAndPrintNothing)
{
    const Result r = RunCli(GetParam().args);
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
}

std::vector<std::string> Replace(const std::string &option, const std::string &value)
{
    std::vector<std::string> args = kReferenceLoan;
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == option)
            args[i + 1] = value;
    return args;
}

INSTANTIATE_TEST_SUITE_P(Inputs, AnalyzeRefusals,
    testing::Values(Refusal {Replace("--today", ""), "Please enter the current date."},
        Refusal {Replace("--first-payment", "1/1/2020"), "The loan start date format is incorrect."},
        Refusal {Replace("--term", "41"), "(has to be to be less than 40)."},
        Refusal {Replace("--amount", "lots"), "Please enter the loan amount."},
        Refusal {Replace("--payment", ""), "Please enter the total amount of your current payment."},
        Refusal {Replace("--rate", "7.5 %"), "Please enter the fixed interest rate."},
        Refusal {With(kReferenceLoan, {"--highest-rate", ""}), "Please enter highest interest rate"},
        Refusal {Replace("--term", "1"), "at least 2 years"}, Refusal {Replace("--amount", "1.00"), "more than 1.00"},
        Refusal {Replace("--rate", "0.5"), "more than 1%"}, Refusal {Replace("--payment", "600"), "less than $699.21"},
        Refusal {With(kReferenceLoan, {"--additional", "ten"}), "additional payment"},
        Refusal {With(kReferenceLoan, {"--additional", "-20"}), "cannot be negative"},
        Refusal {With(kReferenceLoan, {"--colour"}), "Unknown option --colour."},
        Refusal {{"analyze", "--today"}, "needs a value"}, Refusal {{"frobnicate"}, "Unknown command"}),
    [](const testing::TestParamInfo<Refusal> &info) { return "Case" + std::to_string(info.index); });

class ProfileCommands : public testing::Test {
protected:
    void SetUp() override
    {
        path_ = testing::TempDir() + "cli-profile-" + std::to_string(getpid()) + ".ini";
        std::ofstream(path_) << "[General]\nVendorCode=TW-5521\n"
                                "[Loan]\nCurrentDate=12/07/2026\nLoanStartDate=01/01/2020\nLoanTermYears=30\n"
                                "LoanAmount=100000\nLowestRate=7.5\nHighestRate=\n"
                                "[Client]\nFirstName1=Ana\nLastName1=Pe\xC3\xB1"
                                "a\n"
                                "[Mortgage]\nCurrentPayment=$900.00\nAccountNumber=LN-00442211\n"
                                "[Bank]\nAccountNumber=987654321\nAccountType=2\n";
    }
    std::string path_;
};

TEST_F(ProfileCommands, AnalyzeTheStoredLoan)
{
    const Result stored = RunCli({"analyze", "--profile", path_, "--json"});
    ASSERT_EQ(stored.code, 0) << stored.err;
    const Result typed = RunCli(With(kReferenceLoan, {"--json"}));
    EXPECT_EQ(Number(stored.out, "InterestSavings"), Number(typed.out, "InterestSavings"));
    EXPECT_EQ(Text(stored.out, "PayoffDate"), "12/01/2044");
    EXPECT_EQ(Text(stored.out, "CurrentPayment"), "900.00"); // filtered as the screen does

    const Result later = RunCli({"analyze", "--profile", path_, "--today", "03/15/2030", "--json"});
    ASSERT_EQ(later.code, 0) << later.err;
    EXPECT_NE(Text(later.out, "FirstDebitDate"), "01/08/2027");
}

TEST_F(ProfileCommands, ShowMasksAccountNumbers)
{
    const Result r = RunCli({"profile", "show", "--profile", path_});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("AccountNumber=*******2211"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("AccountNumber=*****4321"), std::string::npos);
    EXPECT_EQ(r.out.find("987654321"), std::string::npos);
    EXPECT_NE(r.out.find("LastName1=Pe\xC3\xB1"
                         "a"),
        std::string::npos);
    EXPECT_NE(r.out.find("AccountType=2"), std::string::npos);
}

// A profile named with --profile that cannot serve is reported as a file problem by
// every command, never read as an empty client whose loan is then blamed.
TEST_F(ProfileCommands, ExplicitProfileThatCannotServeIsRefused)
{
    const std::string dir = testing::TempDir() + "cli-bad-profiles-" + std::to_string(getpid());
    std::filesystem::create_directories(dir);
    const std::string fifo = dir + "/fifo.ini";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = dir + "/huge.ini";
    std::ofstream(huge) << "[General]\n";
    std::filesystem::resize_file(huge, (16u << 20) + 1);
    const std::string crowded = dir + "/crowded.ini";
    std::string headers;
    for (int i = 0; i <= 10000; ++i)
        headers += "[]\n";
    std::ofstream(crowded) << headers;
    const std::pair<std::string, std::string> profiles[] = {{dir + "/no-such-profile.ini", "does not exist"},
        {dir, "is a folder"}, {fifo, "is not a regular file"}, {"/dev/zero", "is not a regular file"},
        {huge, "larger than 16 MiB"}, {crowded, "more than 10,000 sections"}};
    const std::vector<std::string> commands[] = {{"analyze", "--today", "12/07/2026"}, {"profile", "show"},
        {"document", "bottoml.qnl"}, {"print", "enrollment", "--pdf", dir + "/out.pdf"}};
    for (const auto &[profile, message] : profiles) {
        for (const auto &command : commands) {
            const Result r = RunCli(With(command, {"--profile", profile}));
            EXPECT_EQ(r.code, 2) << command[0] << " " << profile << ": " << r.err;
            EXPECT_NE(r.err.find("The profile \"" + profile + "\" "), std::string::npos) << r.err;
            EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
            EXPECT_EQ(r.out, "");
        }
        // The default profile too, unless it is only not made yet (the first run, below).
        setenv("TALLOWIN_PROFILE", profile.c_str(), 1);
        const Result byDefault = RunCli({"profile", "show"});
        unsetenv("TALLOWIN_PROFILE");
        EXPECT_EQ(byDefault.code, message == std::string("does not exist") ? 0 : 2) << profile << byDefault.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir + "/out.pdf"));
    std::filesystem::remove_all(dir);
}

// A printout or an export never takes the profile's place, however the path names it.
TEST_F(ProfileCommands, OutputThatIsTheProfileIsRefused)
{
    std::ifstream in(path_);
    const std::string before(std::istreambuf_iterator<char>(in), {});
    const std::string link = path_ + ".link.pdf";
    std::filesystem::create_symlink(path_, link);
    for (const std::string &out : {path_, link}) {
        for (const std::vector<std::string> &command : {std::vector<std::string> {"print", "enrollment", "--pdf", out},
                 {"export", "ics", "--out", out}, {"export", "schedule-csv", "--out", out}}) {
            const Result r = RunCli(With(command, {"--profile", path_}));
            EXPECT_EQ(r.code, 2) << command[0] << " " << out << ": " << r.err;
            EXPECT_NE(r.err.find("is the profile itself"), std::string::npos) << r.err;
        }
    }
    std::ifstream after(path_);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), before);
    std::filesystem::remove(link);
}

// Output that does not reach a full disk is a failure, never a success.
TEST_F(ProfileCommands, FullDiskIsAWriteError)
{
    const std::string csv = path_ + ".csv";
    std::ofstream(csv) << "FirstName1,LastName1,Address,City,State,Zip,LoanStartDate,LoanTermYears,LoanAmount,"
                          "CurrentPayment,LowestRate\n";
    std::vector<std::string> document = kReferenceLoan; // the same loan's answer 4
    document[0] = "answer04.qnl";
    document.insert(document.begin(), "document");
    const std::vector<std::string> commands[] = {{"--help"}, kReferenceLoan,
        With(kReferenceLoan, {"--json", "--schedules"}), {"profile", "show", "--profile", path_},
        {"letters", "--csv", csv, "--out", path_ + ".out"}, document, {"grid", "--help"}, {"document", "--help"}};
    for (const auto &command : commands) {
        const Result r = RunCli(command, "/dev/full");
        EXPECT_EQ(r.code, 1) << command[0];
        EXPECT_NE(r.err.find("write error: No space left on device\n"), std::string::npos) << r.err;
    }
    std::filesystem::remove_all(path_ + ".out");
}

// The first run has no profile yet: without --profile the default one reads as empty.
TEST(ProfileShow, DefaultProfileNotYetMadeIsTheEmptyRecord)
{
    const std::string config = testing::TempDir() + "cli-first-run-" + std::to_string(getpid());
    setenv("TALLOWIN_PROFILE", (config + "/tallowin.ini").c_str(), 1);
    const Result r = RunCli({"profile", "show"});
    unsetenv("TALLOWIN_PROFILE");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("[Bank]\nName=\n"), std::string::npos) << r.out;
}

TEST(DocumentCommand, FillsTheSlideWithTheClientsFigures)
{
    std::vector<std::string> args = kReferenceLoan;
    args[0] = "document";
    args.insert(args.begin() + 1, "bottoml.qnl");
    const Result text = RunCli(With(args, {"--first-name", "Maria"}));
    ASSERT_EQ(text.code, 0) << text.err;
    EXPECT_EQ(text.out.find("{{"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Maria"), std::string::npos);
    EXPECT_NE(text.out.find("151,721.99"), std::string::npos); // total interest
    EXPECT_NE(text.out.find("7.50% fixed"), std::string::npos);

    const Result html = RunCli(With(args, {"--html"}));
    ASSERT_EQ(html.code, 0) << html.err;
    EXPECT_NE(html.out.find("<html"), std::string::npos);

    args[1] = "nothing.qnl";
    EXPECT_EQ(RunCli(args).code, 2);
}

} // namespace
