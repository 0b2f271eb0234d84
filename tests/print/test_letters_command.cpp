// `tallowin-cli letters`: the prospects' CSV, bad rows reported by line, the others written.
#include "cli/letters_command.h"
#include "cli/letters_csv.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tw {
namespace {

namespace fs = std::filesystem;

TEST(LettersCsv, QuotedFieldsCommasLineBreaksAndLineNumbers)
{
    const cli::CsvTable t = cli::ParseCsv("\xEF\xBB\xBF"
                                          "a,b,c\r\n"
                                          "\"x, y\",\"say \"\"hi\"\"\",3\r\n"
                                          "\n"
                                          "\"two\nlines\",,\n"
                                          "last,row,here");
    ASSERT_TRUE(t.error.empty());
    ASSERT_EQ(t.rows.size(), 4u);
    EXPECT_EQ(t.rows[0].fields, (std::vector<std::string> {"a", "b", "c"}));
    EXPECT_EQ(t.rows[1].fields, (std::vector<std::string> {"x, y", "say \"hi\"", "3"}));
    EXPECT_EQ(t.rows[1].line, 2);
    EXPECT_EQ(t.rows[2].line, 4); // the empty line 3 is skipped
    EXPECT_EQ(t.rows[2].fields, (std::vector<std::string> {"two\nlines", "", ""}));
    EXPECT_EQ(t.rows[3].line, 6);
    EXPECT_EQ(cli::ParseCsv("a,b\n\"open,x\n").error, "The quote opened on line 2 is never closed.");
}

TEST(LettersCsv, HeaderNeedsTheRequiredKeysOnceEach)
{
    const std::vector<std::string> required = {"FirstName1", "LastName1", "Address", "City", "State", "Zip",
        "LoanStartDate", "LoanTermYears", "LoanAmount", "CurrentPayment", "LowestRate"};
    EXPECT_EQ(cli::ReadProspectHeader(required).error, "");
    auto missing = required;
    missing.erase(missing.begin() + 8);
    EXPECT_EQ(cli::ReadProspectHeader(missing).error, "The header has no column LoanAmount.");
    auto twice = required;
    twice.push_back("City");
    EXPECT_EQ(cli::ReadProspectHeader(twice).error, "The header names the column City twice.");
    auto unknown = required;
    unknown.push_back("Lastname2");
    EXPECT_EQ(cli::ReadProspectHeader(unknown).error, "The header names an unknown column \"Lastname2\" (column 12).");
}

TEST(LettersCsv, FileNamesAreSafeAndUnique)
{
    std::set<std::string> used;
    VendorForm f;
    f.firstName1 = "Ann Marie";
    f.lastName1 = "O'Neil/../x";
    EXPECT_EQ(cli::LetterFileName(f, 2, used), "O-Neil-x-Ann-Marie.pdf");
    EXPECT_EQ(cli::LetterFileName(f, 3, used), "O-Neil-x-Ann-Marie-2.pdf");
    f.firstName1 = "";
    f.lastName1 = " ";
    EXPECT_EQ(cli::LetterFileName(f, 9, used), "line-9.pdf");
}

class LettersCommand : public testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::path(testing::TempDir()) / ("letters-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string WriteCsv(const std::string &text)
    {
        const fs::path p = dir_ / "prospects.csv";
        std::ofstream(p) << text;
        return p.string();
    }
    int Run(const std::vector<std::string> &args)
    {
        out_.str("");
        err_.str("");
        return RunLettersCommand(args, out_, err_, false);
    }

    fs::path dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(LettersCommand, BadRowsAreReportedByLineAndTheOthersWritten)
{
    const std::string csv
        = WriteCsv("LastName1,FirstName1,Address,City,State,Zip,LoanStartDate,LoanTermYears,LoanAmount,CurrentPayment,"
                   "LowestRate\n"
                   "Ellison,Margaret,418 Larkspur Lane,Fairhaven,OH,44123,06/01/2019,30,\"$180,000\",1450,6.5%\n"
                   "Okafor,Daniel,\"12 Elm St, Apt 4\",Dayton,OH,45402,02/01/2021,45,200000,1500,5\n"
                   "Smith,Ann,9 Oak Road,Akron,OH,44301,06/01/2020,30,,1100,6\n"
                   "Too,few\n"
                   "Jones,Bob,1 Main St,Kent,OH,44240,03/01/2022,15,90000,800,4.5\n");
    const fs::path out = dir_ / "out";
    EXPECT_EQ(Run({"--csv", csv, "--out", out.string(), "--today", "12/07/2026", "--jobs", "2"}), 2);
    const std::string err = err_.str();
    EXPECT_NE(err.find(csv + ":3: The term can be at most 40 years"), std::string::npos) << err;
    EXPECT_NE(err.find(csv + ":4: Please enter the loan amount. (LoanAmount)"), std::string::npos) << err;
    EXPECT_NE(err.find(csv + ":5: The row has 2 fields where the header has 11."), std::string::npos) << err;
    EXPECT_EQ(out_.str(), "Wrote 2 letters to " + out.string() + "; 3 rows refused.\n");
    for (const char *name : {"Ellison-Margaret.pdf", "Jones-Bob.pdf"}) {
        std::ifstream pdf(out / name, std::ios::binary);
        char head[5] = {};
        pdf.read(head, 5);
        EXPECT_EQ(std::string(head, 5), "%PDF-") << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 2);
}

TEST_F(LettersCommand, AllGoodRowsExitZero)
{
    const std::string csv
        = WriteCsv("CurrentDate,FirstName1,LastName1,Address,City,State,Zip,LoanStartDate,LoanTermYears,LoanAmount,"
                   "CurrentPayment,LowestRate,HighestRate\n"
                   ",Bob,Jones,1 Main St,Kent,OH,44240,03/01/2022,15,90000,800,4.5,6.5\n");
    EXPECT_EQ(Run({"--csv", csv, "--out", (dir_ / "out").string(), "--today", "12/07/2026"}), 0);
    EXPECT_EQ(err_.str(), "");
    EXPECT_TRUE(fs::exists(dir_ / "out" / "Jones-Bob.pdf"));
}

TEST_F(LettersCommand, RefusedInputWritesNothing)
{
    struct Row {
        std::string csvText;
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Row> rows = {
        {"", {"--out", "x"}, "Name the prospects' CSV file with --csv FILE."},
        {"FirstName1\n", {"--csv", "@", "--out", "@out"}, "The header has no column LastName1."},
        {"", {"--csv", "@", "--out", "@out"}, "the file has no header row."},
        {"", {"--csv", "@missing.csv", "--out", "@out"}, "cannot be read"},
        {"a\n", {"--csv", "@", "--out", "@out", "--jobs", "0"}, "--jobs needs a number"},
    };
    for (const Row &row : rows) {
        const std::string csv = WriteCsv(row.csvText);
        std::vector<std::string> args;
        for (const std::string &a : row.args)
            args.push_back(a == "@" ? csv : a[0] == '@' ? (dir_ / a.substr(1)).string() : a);
        EXPECT_EQ(Run(args), 2) << row.message;
        EXPECT_NE(err_.str().find(row.message), std::string::npos) << err_.str();
        EXPECT_FALSE(fs::exists(dir_ / "out")) << row.message;
    }
}

} // namespace
} // namespace tw

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
