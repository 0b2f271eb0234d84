// `tallowin-cli letters`: the prospects' CSV, bad rows reported by line, the others written.
#include "cli/letters_command.h"
#include "cli/letters_csv.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace tw {
namespace {

namespace fs = std::filesystem;

// Each record as "LINE:field|field" or "LINE!" and the start of its complaint.
std::string Records(std::string_view csv)
{
    std::string out;
    cli::CsvReader reader(csv);
    for (cli::CsvRow row; reader.Next(row);) {
        std::string fields;
        for (const std::string &f : row.fields)
            fields += (fields.empty() ? "" : "|") + f;
        out += (out.empty() ? "" : " / ") + std::to_string(row.line)
            + (row.error.empty() ? ":" + fields : "!" + row.error.substr(0, 20));
    }
    return out;
}

// RFC 4180, with a complaint for the record that breaks it and the next line a record
// of its own: a stray quote never joins two prospects into one.
TEST(LettersCsv, HostileFilesNeverMergeRecords)
{
    const std::pair<std::string, std::string> cases[] = {
        {"\xEF\xBB\xBF"
         "a,b,c\r\n\"x, y\",\"say \"\"hi\"\"\",3\r\n\n\"two\nlines\",,\nlast,row,here",
            "1:a|b|c / 2:x, y|say \"hi\"|3 / 4:two\nlines|| / 6:last|row|here"},
        {"a,b\r1,2\r\r3,4", "1:a|b / 2:1|2 / 4:3|4"},
        {"n,m\nMid\"dle,Quote\n48 Larkspur Way,x\nZel\"da,y\n",
            "1:n|m / 2!Field 1 holds a quot / 3:48 Larkspur Way|x / 4!Field 1 holds a quot"},
        {"\"ab\"c,1\nok,2", "1!Field 1 goes on afte / 2:ok|2"},
        {"a,\"open\nb,c\n", "1!The quote that opens / 2:b|c"},
        {std::string(70, ',') + "\nz", "1!The row has more tha / 2:z"},
    };
    for (const auto &[csv, records] : cases)
        EXPECT_EQ(Records(csv), records) << csv;
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
    f.firstName1 = "Jos\xC3\xA9";
    f.lastName1 = "-rf *\xE2\x80\xAE\xC3\xB1\xFF$(x)";
    EXPECT_EQ(cli::LetterFileName(f, 4, used), "rf-\xC3\xB1-x-Jos\xC3\xA9.pdf"); // no option, no direction mark
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

// The README's header and four rows, two of them with a stray quote; a line break in a
// quoted address, a name beyond ASCII and a field longer than any entry field.
TEST_F(LettersCommand, HostileRowsAreReportedAndNeverMerged)
{
    const std::string row = ",418 Larkspur Lane,Fairhaven,OH,44123,,,,06/01/2019,30,180000,1450,6.5,\n";
    const std::string csv = WriteCsv(
        "CurrentDate,FirstName1,LastName1,FirstName2,LastName2,Address,City,State,Zip,HomePhone,WorkPhone1,WorkPhone2,"
        "LoanStartDate,LoanTermYears,LoanAmount,CurrentPayment,LowestRate,HighestRate\n"
        ",Margaret,Ellison,,,\"418 Larkspur Lane\nApt 4\",Fairhaven,OH,44123,,,,06/01/2019,30,180000,1450,6.5,\n"
        ",Jos\xC3\xA9,Nu\xC3\xB1"
        "ez,,"
        + row + ",Mid\"dle,Quote,," + row + ",Zel\"da,Rowe,," + row + "," + std::string(256, 'A') + ",Long,," + row);
    const fs::path out = dir_ / "out";
    const mode_t umask = ::umask(0);
    EXPECT_EQ(Run({"--csv", csv, "--out", out.string(), "--today", "12/07/2026"}), 2);
    ::umask(umask);
    const std::string err = err_.str();
    EXPECT_NE(err.find(csv + ":5: Field 2 holds a quote"), std::string::npos) << err;
    EXPECT_NE(err.find(csv + ":6: Field 2 holds a quote"), std::string::npos) << err;
    EXPECT_NE(err.find(csv + ":7: The FirstName1 field is longer than 255 characters."), std::string::npos) << err;
    EXPECT_EQ(out_.str(), "Wrote 2 letters to " + out.string() + "; 3 rows refused.\n");
    EXPECT_TRUE(fs::exists(out / "Ellison-Margaret.pdf"));
    EXPECT_TRUE(fs::exists(out
        / "Nu\xC3\xB1"
          "ez-Jos\xC3\xA9.pdf"));
    EXPECT_EQ(fs::status(out).permissions(), fs::perms::owner_all);

    const auto columns = cli::ReadProspectHeader({"FirstName1", "LastName1", "Address", "City", "State", "Zip",
        "LoanStartDate", "LoanTermYears", "LoanAmount", "CurrentPayment", "LowestRate"});
    const cli::CsvRow full {2, {"A", "B", "418 Larkspur Lane \r\n Apt 4", "C", "OH", "1", "x", "x", "x", "x", "x"}, ""};
    VendorForm form;
    EXPECT_EQ(cli::ProspectForm(full, columns, 11, "", form), "");
    EXPECT_EQ(form.address, "418 Larkspur Lane Apt 4");
}

// A link in the folder of letters, even the user's own to their own profile, is a row
// that could not be written: the profile stays as it was.
TEST_F(LettersCommand, LinkInTheFolderIsNotWrittenThrough)
{
    const std::string csv
        = WriteCsv("CurrentDate,FirstName1,LastName1,Address,City,State,Zip,LoanStartDate,LoanTermYears,LoanAmount,"
                   "CurrentPayment,LowestRate,HighestRate\n"
                   ",Bob,Jones,1 Main St,Kent,OH,44240,03/01/2022,15,90000,800,4.5,6.5\n");
    const fs::path out = dir_ / "out";
    fs::create_directories(out);
    std::ofstream(dir_ / "tallowin.ini") << "[Client]\nFirstName1=Bob\n";
    fs::create_symlink(dir_ / "tallowin.ini", out / "Jones-Bob.pdf");
    EXPECT_EQ(Run({"--csv", csv, "--out", out.string(), "--today", "12/07/2026", "--jobs", "99999999999"}), 1);
    EXPECT_NE(err_.str().find(csv + ":2: The PDF file"), std::string::npos) << err_.str();
    EXPECT_NE(err_.str().find("is a symbolic link"), std::string::npos) << err_.str();
    EXPECT_EQ(err_.str().find("--jobs 99999999999 is more than this computer's"), 0u) << err_.str();
    std::ifstream profile(dir_ / "tallowin.ini");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(profile), {}), "[Client]\nFirstName1=Bob\n");
}

TEST_F(LettersCommand, RefusedInputWritesNothing)
{
    struct Row {
        std::string csvText;
        std::vector<std::string> args;
        std::string message;
        int code = 2;
    };
    const std::vector<Row> rows = {
        {"", {"--out", "x"}, "Name the prospects' CSV file with --csv FILE."},
        {"FirstName1\n", {"--csv", "@", "--out", "@out"}, "The header has no column LastName1."},
        {"First\"Name1\n", {"--csv", "@", "--out", "@out"}, ":1: Field 1 holds a quote"},
        {"", {"--csv", "@", "--out", "@out"}, "the file has no header row."},
        {"", {"--csv", "@missing.csv", "--out", "@out"}, "does not exist"},
        {"", {"--csv", "/dev/zero", "--out", "@out"}, "\"/dev/zero\" is not a regular file."},
        {"a\n", {"--csv", "@", "--out", "@out", "--jobs", "0"}, "--jobs needs a whole number of 1 or more, not \"0\""},
        {"a\n", {"--csv", "@", "--out", "@out", "--jobs", "-3"}, "--jobs needs a whole number"},
        {"a\n", {"--csv", "@", "--out", "@out", "--jobs", "2x"}, "--jobs needs a whole number"},
        {"LastName1,FirstName1,Address,City,State,Zip,LoanStartDate,LoanTermYears,LoanAmount,CurrentPayment,"
         "LowestRate\n",
            {"--csv", "@", "--out", "/proc/self"}, "\"/proc/self\" cannot hold the letters: no new file can be made",
            1},
    };
    for (const Row &row : rows) {
        const std::string csv = WriteCsv(row.csvText);
        std::vector<std::string> args;
        for (const std::string &a : row.args)
            args.push_back(a == "@" ? csv : a[0] == '@' ? (dir_ / a.substr(1)).string() : a);
        EXPECT_EQ(Run(args), row.code) << row.message;
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
