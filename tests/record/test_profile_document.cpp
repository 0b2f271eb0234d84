#include "record/profile_document.h"

#include <gtest/gtest.h>

#include <random>

namespace tw {
namespace {

struct ReadCase {
    const char *name;
    std::string file;
    std::string section;
    std::string key;
    std::optional<std::string> expected;
};
void PrintTo(const ReadCase &c, std::ostream *os)
{
    *os << c.name;
}

class ProfileRead : public ::testing::TestWithParam<ReadCase> { };

TEST_P(ProfileRead, FindsWhatThePlatformCallWould)
{
    const ReadCase &c = GetParam();
    EXPECT_EQ(ProfileDocument::Parse(c.file).Find(c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ProfileRead,
    ::testing::Values(ReadCase {"CaseOfNames", "[loan]\nLOANAMOUNT=150000\n", "Loan", "LoanAmount", "150000"},
        ReadCase {"BlanksAroundNamesAndValue", "  [ Loan ]  \n  Amount  =  12 5  \n", "Loan", "Amount", "12 5"},
        ReadCase {"QuotesKeepBlanks", "[A]\nK=\" x \"\n", "A", "K", " x "},
        ReadCase {"SingleQuotes", "[A]\nK='x'\n", "A", "K", "x"},
        ReadCase {"UnmatchedQuoteKept", "[A]\nK=\"x'\n", "A", "K", "\"x'"},
        ReadCase {"EmptyValueIsNotMissing", "[A]\nK=\n", "A", "K", ""},
        ReadCase {"MissingKey", "[A]\nK=1\n", "A", "J", std::nullopt},
        ReadCase {"MissingSection", "[A]\nK=1\n", "B", "K", std::nullopt},
        ReadCase {"FirstDuplicateKeyWins", "[A]\nK=1\nk=2\n", "A", "K", "1"},
        ReadCase {"FirstDuplicateSectionWins", "[A]\nK=1\n[B]\n[a]\nK=2\nJ=3\n", "A", "J", std::nullopt},
        ReadCase {"KeyBeforeAnySection", "K=1\n[A]\n", "A", "K", std::nullopt},
        ReadCase {"CommentIsNoKey", "[A]\n;K=1\n# K=2\n", "A", "K", std::nullopt},
        ReadCase {"HeaderWithComment", "[A] ; lender\nK=1\n", "A", "K", "1"},
        ReadCase {"BrokenHeaderKeepsSection", "[A]\n[B\nK=1\n", "A", "K", "1"},
        ReadCase {"ByteOrderMark", "\xEF\xBB\xBF[A]\r\nK=1\r\n", "A", "K", "1"},
        ReadCase {"CrLfNotInValue", "[A]\r\nK=v\r\n", "A", "K", "v"},
        ReadCase {"NoFinalNewline", "[A]\nK=v", "A", "K", "v"},
        ReadCase {"EqualsInValue", "[A]\nK=a=b;c\n", "A", "K", "a=b;c"},
        ReadCase {"Utf8Names", "[A]\nK=Zoë Ångström\n", "A", "K", "Zoë Ångström"}),
    [](const auto &info) { return std::string(info.param.name); });

struct WriteCase {
    const char *name;
    std::string before;
    std::string section, key, value;
    std::string after;
};
void PrintTo(const WriteCase &c, std::ostream *os)
{
    *os << c.name;
}

class ProfileWrite : public ::testing::TestWithParam<WriteCase> { };

TEST_P(ProfileWrite, ChangesOnlyWhatItMust)
{
    const WriteCase &c = GetParam();
    ProfileDocument doc = ProfileDocument::Parse(c.before);
    EXPECT_EQ(doc.Set(c.section, c.key, c.value), c.before != c.after);
    EXPECT_EQ(doc.Serialize(), c.after);
    EXPECT_EQ(ProfileDocument::Parse(doc.Serialize()).Find(c.section, c.key), c.value);
}

INSTANTIATE_TEST_SUITE_P(Rows, ProfileWrite,
    ::testing::Values(WriteCase {"EmptyFile", "", "Loan", "Amount", "1", "[Loan]\nAmount=1\n"},
        WriteCase {"InPlaceKeepsSpelling", "; c\n[LOAN]\nX=0\namount = 5\nY=9\n", "Loan", "Amount", "7",
            "; c\n[LOAN]\nX=0\namount = 7\nY=9\n"},
        WriteCase {"SameValueUnchanged", "[A]\nK=1\n", "A", "K", "1", "[A]\nK=1\n"},
        WriteCase {"NewKeyAfterLastKey", "[A]\nK=1\n\n; about B\n[B]\nJ=2\n", "A", "N", "3",
            "[A]\nK=1\nN=3\n\n; about B\n[B]\nJ=2\n"},
        WriteCase {"NewSectionAfterBlankLine", "[A]\nK=1\n", "B", "N", "3", "[A]\nK=1\n\n[B]\nN=3\n"},
        WriteCase {"FileEndingInABlankLine", "[A]\nK=1\n\n", "B", "N", "3", "[A]\nK=1\n\n[B]\nN=3\n"},
        WriteCase {"NoFinalNewline", "[A]\nK=1", "A", "N", "3", "[A]\nK=1\nN=3\n"},
        WriteCase {"CrLfStaysCrLf", "[A]\r\nK=1\r\n", "B", "N", "3", "[A]\r\nK=1\r\n\r\n[B]\r\nN=3\r\n"},
        WriteCase {"BomKept", "\xEF\xBB\xBF[A]\nK=1\n", "A", "K", "2", "\xEF\xBB\xBF[A]\nK=2\n"},
        WriteCase {"FirstOfDuplicates", "[A]\nK=1\nK=2\n[A]\nK=3\n", "a", "k", "9", "[A]\nK=9\nK=2\n[A]\nK=3\n"},
        WriteCase {"KeyBeforeSections", "K=1\n", "A", "K", "2", "K=1\n\n[A]\nK=2\n"},
        WriteCase {"BlankEndsQuoted", "[A]\nK=1\n", "A", "K", " Zoë ", "[A]\nK=\" Zoë \"\n"},
        WriteCase {"QuotedValueQuotedAgain", "[A]\n", "A", "K", "\"q\"", "[A]\nK=\"\"q\"\"\n"},
        WriteCase {"EmptyValue", "[A]\nK=1\n", "A", "K", "", "[A]\nK=\n"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ProfileDocument, OddFilesComeBackByteForByteAroundAWrite)
{
    std::mt19937 random(20240229);
    std::string garbage(4096, '\0');
    for (char &c : garbage)
        c = static_cast<char>(random());
    const std::string inputs[] = {
        garbage,
        "\xEF\xBB\xBF[General]\r\nVendorCode=TW-1\r\n",
        "[A]\n" + std::string(100 * 1024, 'x') + "\nK=" + std::string(100 * 1024, 'v') + "\n",
        "K=before\n[A]\nK=1\nK=2\n[A]\nK=3\nno equals here\n[broken\n\r\rlone\rCR",
    };
    for (const std::string &input : inputs) {
        ProfileDocument doc = ProfileDocument::Parse(input);
        EXPECT_EQ(doc.Serialize(), input);
        doc.Set("Tallowin Test", "Key", "value");
        const std::string out = doc.Serialize();
        EXPECT_EQ(out.substr(0, input.size()), input);
        EXPECT_EQ(ProfileDocument::Parse(out).Find("Tallowin Test", "Key"), "value");
    }
}

TEST(ProfileDocument, RefusesWhatWouldSplitALine)
{
    EXPECT_EQ(ProfileEntryProblem("Client", "FirstName1", "Zoë"), "");
    EXPECT_NE(ProfileEntryProblem("Client", "FirstName1", "a\nb").find("Client / FirstName1"), std::string::npos);
    for (const char *bad : {"a\rb", "\n"})
        EXPECT_NE(ProfileEntryProblem("A", "K", bad), "");
    for (const char *badKey : {"", "a=b", " K", "[K", ";K"})
        EXPECT_NE(ProfileEntryProblem("A", badKey, "v"), "") << badKey;
    for (const char *badSection : {"", "A]", "A\n", " A"})
        EXPECT_NE(ProfileEntryProblem(badSection, "K", "v"), "") << badSection;
}

} // namespace
} // namespace tw
