// `tallowin-cli letters`: the prospects' CSV, bad rows reported by line, the others written.
#include "cli/letters_command.h"
#include "cli/letters_csv.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
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
    const auto fields = [](int n, char between) { // "a,a,a": 64 are allowed, 65 are not
        std::string out = "a";
        while (--n > 0)
            out += std::string(1, between) + "a";
        return out;
    };
    const std::pair<std::string, std::string> cases[] = {
        {"\xEF\xBB\xBF"
         "a,b,c\r\n\"x, y\",\"say \"\"hi\"\"\",3\r\n\n\"two\nlines\",,\nlast,row,here",
            "1:a|b|c / 2:x, y|say \"hi\"|3 / 4:two\nlines|| / 6:last|row|here"},
        {"a,b\r1,2\r\r3,4", "1:a|b / 2:1|2 / 4:3|4"},
        {"n,m\nMid\"dle,Quote\n48 Larkspur Way,x\nZel\"da,y\n",
            "1:n|m / 2!Field 1 holds a quot / 3:48 Larkspur Way|x / 4!Field 1 holds a quot"},
        {"\"ab\"c,1\nok,2", "1!Field 1 goes on afte / 2:ok|2"},
        {"a,\"open\nb,c\n", "1!The quote that opens / 2:b|c"},
        {fields(64, ',') + "\n" + fields(65, ',') + "\nz", "1:" + fields(64, '|') + " / 2!The row has more tha / 3:z"},
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

// Columns in any order, named with blanks around them: every value lands in its own field.
// A column left out reads as empty, an empty current date as today, and a highest rate
// ticks Variable.
TEST(LettersCsv, EveryColumnFillsItsOwnField)
{
    using V = VendorForm;
    const std::pair<const char *, std::string V::*> columns[] = {{" HighestRate", &V::highestRate},
        {"LowestRate ", &V::lowestRate}, {"CurrentPayment", &V::currentPayment}, {"LoanAmount", &V::amount},
        {"LoanTermYears", &V::term}, {"LoanStartDate", &V::firstPaymentDate}, {"WorkPhone2", &V::workPhone2},
        {"WorkPhone1", &V::workPhone1}, {"HomePhone", &V::homePhone}, {"Zip", &V::zip}, {"State", &V::state},
        {"City", &V::city}, {"Address", &V::address}, {"LastName2", &V::lastName2}, {"FirstName2", &V::firstName2},
        {" LastName1 ", &V::lastName1}, {"FirstName1", &V::firstName1}, {"CurrentDate", &V::currentDate}};
    std::vector<std::string> header, values;
    for (const auto &[name, member] : columns) {
        header.push_back(name);
        values.push_back("v" + std::to_string(values.size()));
    }
    std::string longest; // 255 characters, each of two bytes
    for (int i = 0; i < 255; ++i)
        longest += "\xC3\xA9";
    values[11] = longest;
    values[12] = "12 Elm St, \r\n Apt 4"; // a quoted address's lines, joined
    VendorForm form;
    ASSERT_EQ(cli::ProspectForm({2, values, ""}, cli::ReadProspectHeader(header), header.size(), "today", form), "");
    values[12] = "12 Elm St, Apt 4";
    for (std::size_t i = 0; i < header.size(); ++i)
        EXPECT_EQ(form.*columns[i].second, values[i]) << header[i];
    EXPECT_TRUE(form.variable);
    values[11] += "\xC3\xA9";
    EXPECT_EQ(cli::ProspectForm({2, values, ""}, cli::ReadProspectHeader(header), header.size(), "today", form),
        "The City field is longer than 255 characters.");

    // The required columns only, and an empty highest rate and current date beside them.
    header.erase(header.begin() + 13, header.begin() + 15);
    header.erase(header.begin() + 6, header.begin() + 9);
    values.assign(header.size(), "x");
    values.front() = values.back() = "";
    form.firstName2 = form.homePhone = "from before";
    ASSERT_EQ(cli::ProspectForm({2, values, ""}, cli::ReadProspectHeader(header), header.size(), "today", form), "");
    EXPECT_EQ(form.currentDate, "today");
    EXPECT_FALSE(form.variable);
    EXPECT_EQ(form.firstName2 + form.homePhone, "");
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
    const std::string csv = WriteCsv(
        " LastName1 ,FirstName1,Address,City,State,Zip,LoanStartDate,LoanTermYears,LoanAmount,CurrentPayment,"
        "LowestRate, HighestRate\n"
        "Ellison,Margaret,418 Larkspur Lane,Fairhaven,OH,44123,06/01/2019,30,\"$180,000\",1450,6.5%,\n"
        "Okafor,Daniel,\"12 Elm St, Apt 4\",Dayton,OH,45402,02/01/2021,45,200000,1500,5,\n"
        "Smith,Ann,9 Oak Road,Akron,OH,44301,06/01/2020,30,,1100,6,\n"
        "Too,few\n"
        "Jones,Bob,1 Main St,Kent,OH,44240,03/01/2022,15,90000,800,4.5,6.5\n");
    const fs::path out = dir_ / "out";
    EXPECT_EQ(Run({"--csv", csv, "--out", out.string(), "--today", "12/07/2026", "--jobs", "2"}), 2);
    const std::string err = err_.str();
    EXPECT_NE(err.find(csv + ":3: The term can be at most 40 years"), std::string::npos) << err;
    EXPECT_NE(err.find(csv + ":4: Please enter the loan amount. (LoanAmount)"), std::string::npos) << err;
    EXPECT_NE(err.find(csv + ":5: The row has 2 fields where the header has 12."), std::string::npos) << err;
    EXPECT_EQ(out_.str(), "Wrote 2 letters to " + out.string() + "; 3 rows refused.\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 2);
    // Each letter's lines, in order: the client read, the loan as typed (a highest rate
    // makes it variable, at the average of the two rates), and the five years' payments
    // worked apart: 60 annuity payments at the single-precision monthly rate, 60 x
    // 1,137.7224 on 180,000.00 at 6.5 % over 360 months, 60 x 735.3751 on 90,000.00 at
    // 5.5 % over 180.
    const std::pair<const char *, std::vector<std::string>> said[]
        = {{"Ellison-Margaret.pdf",
               {"Margaret Ellison", "418 Larkspur Lane", "Fairhaven, OH 44123", "Dear Margaret,", "30", "180,000.00",
                   "mortgage at a 6.5", "fixed", "68,263.35"}},
            {"Jones-Bob.pdf",
                {"Bob Jones", "1 Main St", "Kent, OH 44240", "Dear Bob,", "15", "90,000.00", "mortgage at a 5.50",
                    "variable", "44,122.51"}}};
    for (const auto &[name, lines] : said) {
        std::string text = "\n";
        if (FILE *pdf = popen(("pdftotext '" + (out / name).string() + "' -").c_str(), "r")) {
            for (int c; (c = std::fgetc(pdf)) != EOF;)
                text += static_cast<char>(c);
            pclose(pdf);
        }
        std::size_t at = 0;
        for (const std::string &line : lines)
            ASSERT_NE(at = text.find("\n" + line + "\n", at), std::string::npos) << name << ": " << line << text;
    }
}

// The README's header and four rows, two of them with a stray quote; a line break in a
// quoted address, a name beyond ASCII and a field longer than any entry field; then two
// pairs of rows that stray quotes at a field's edges make one valid CSV record.
TEST_F(LettersCommand, HostileRowsAreReportedAndNeverMerged)
{
    const std::string row = ",418 Larkspur Lane,Fairhaven,OH,44123,,,,06/01/2019,30,180000,1450,6.5,\n";
    const std::string csv = WriteCsv(
        "CurrentDate,FirstName1,LastName1,FirstName2,LastName2,Address,City,State,Zip,HomePhone,WorkPhone1,WorkPhone2,"
        "LoanStartDate,LoanTermYears,LoanAmount,CurrentPayment,LowestRate,HighestRate\n"
        ",Margaret,Ellison,,,\"418 Larkspur Lane\nApt 4\",Fairhaven,OH,44123,,,,06/01/2019,30,180000,1450,6.5,\n"
        ",Jos\xC3\xA9,Nu\xC3\xB1"
        "ez,,"
        + row + ",Mid\"dle,Quote,," + row + ",Zel\"da,Rowe,," + row + "," + std::string(256, 'A') + ",Long,," + row
        + ",\"Middle,Quote,," + row + ",Zelda\",Rowe,," + row + ",Ann,Lee,,,\"12 Elm St" + row.substr(18)
        + ",Bo,Day,,,1 Oak St\"" + row.substr(18));
    const fs::path out = dir_ / "out";
    const mode_t umask = ::umask(0);
    EXPECT_EQ(Run({"--csv", csv, "--out", out.string(), "--today", "12/07/2026"}), 2);
    ::umask(umask);
    const std::string err = err_.str();
    EXPECT_NE(err.find(csv + ":5: Field 2 holds a quote"), std::string::npos) << err;
    EXPECT_NE(err.find(csv + ":6: Field 2 holds a quote"), std::string::npos) << err;
    EXPECT_NE(err.find(csv + ":7: The FirstName1 field is longer than 255 characters."), std::string::npos) << err;
    EXPECT_NE(err.find(csv + ":8: The FirstName1 field runs over more than one line."), std::string::npos) << err;
    EXPECT_NE(
        err.find(csv + ":10: The Address field runs over more than one line and holds 17 commas."), std::string::npos)
        << err;
    EXPECT_EQ(out_.str(), "Wrote 2 letters to " + out.string() + "; 5 rows refused.\n");
    EXPECT_TRUE(fs::exists(out / "Ellison-Margaret.pdf"));
    EXPECT_TRUE(fs::exists(out
        / "Nu\xC3\xB1"
          "ez-Jos\xC3\xA9.pdf"));
    EXPECT_EQ(fs::status(out).permissions(), fs::perms::owner_all);
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
    // Four workers a core at most: as many are taken without a word, one more is noted.
    const unsigned most = 4 * std::max(1u, std::thread::hardware_concurrency());
    for (const unsigned jobs : {most, most + 1}) {
        Run({"--csv", csv, "--out", (dir_ / "jobs").string(), "--today", "12/07/2026", "--jobs", std::to_string(jobs)});
        EXPECT_EQ(err_.str().find("is more than this computer's") != std::string::npos, jobs > most) << jobs;
    }
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
