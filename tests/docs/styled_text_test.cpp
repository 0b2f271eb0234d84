#include "docs/rtf_reader.h"
#include "docs/styled_text.h"

#include "tests/docs/docs_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

using test::IsWellFormedUtf8;
using test::MakeRun;

StyledDocument OneParagraph(std::vector<TextRun> runs)
{
    StyledDocument doc;
    doc.paragraphs.push_back(Paragraph {{}, std::move(runs)});
    return doc;
}

// Replacing tokens -------------------------------------------------------------------------

struct ReplaceCase {
    const char *name;
    std::string rtf;
    std::string token;
    std::string replacement;
    bool found;
    std::string text;
};

void PrintTo(const ReplaceCase &c, std::ostream *os)
{
    *os << c.name;
}

class ReplaceToken : public testing::TestWithParam<ReplaceCase> { };

TEST_P(ReplaceToken, ReplacesTheFirstOccurrence)
{
    auto doc = ParseRtf(GetParam().rtf);
    const auto before = doc;
    EXPECT_EQ(ReplaceFirstToken(doc, GetParam().token, GetParam().replacement), GetParam().found);
    EXPECT_EQ(PlainText(doc), GetParam().text);
    if (!GetParam().found) {
        EXPECT_EQ(doc, before);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, ReplaceToken,
    testing::Values(ReplaceCase {"first_only", R"({\rtf1 \{\{A\}\} and \{\{A\}\}})", "{{A}}", "x", true, "x and {{A}}"},
        ReplaceCase {
            "upper_case_found_by_lower", R"({\rtf1 $\{\{LOANAMNT\}\}})", "{{loanamnt}}", "100,000", true, "$100,000"},
        ReplaceCase {"mixed_case_found", R"({\rtf1 \{\{LoanAmnt\}\} \{\{loanamnt\}\}})", "{{LOANAMNT}}", "1", true,
            "1 {{loanamnt}}"},
        ReplaceCase {"later_paragraph", R"({\rtf1 one\par two \{\{B\}\}\par})", "{{b}}", "2", true, "one\ntwo 2"},
        ReplaceCase {"not_found", R"({\rtf1 \{\{A\}\}})", "{{B}}", "x", false, "{{A}}"},
        ReplaceCase {"empty_document", "", "{{A}}", "x", false, ""},
        ReplaceCase {"empty_token", R"({\rtf1 abc})", "", "x", false, "abc"},
        ReplaceCase {
            "never_across_paragraphs", R"({\rtf1 \{\{TO\par KEN\}\}})", "{{TOKEN}}", "x", false, "{{TO\nKEN}}"},
        ReplaceCase {
            "never_across_a_line_break", R"({\rtf1 \{\{TO\line KEN\}\}})", "{{TOKEN}}", "x", false, "{{TO\nKEN}}"},
        ReplaceCase {"replacement_holds_the_token", R"({\rtf1 \{\{A\}\}!})", "{{A}}", "<{{A}}>", true, "<{{A}}>!"},
        ReplaceCase {"empty_replacement", R"({\rtf1 a\{\{A\}\}b})", "{{a}}", "", true, "ab"},
        ReplaceCase {"non_ascii_compared_exactly", R"({\rtf1 \'c9t\'e9})", "ÉTÉ", "x", false, "Été"},
        ReplaceCase {"never_splits_a_character", R"({\rtf1 caf\'e9})", "\xA9", "x", false, "café"},
        ReplaceCase {"after_multibyte_text", R"({\rtf1 \'e9\'e9\{\{A\}\}})", "{{A}}", "€", true, "éé€"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ReplaceTokenFormat, InsertedTextTakesTheFormatOfTheFirstCharacter)
{
    // The token "{{TOTALSAVINGS}}" covers parts of three runs in three formats.
    auto doc = OneParagraph(
        {MakeRun("Total: "), MakeRun("{{TOT", true), MakeRun("ALSAV", false, true), MakeRun("INGS}} end")});
    ASSERT_TRUE(ReplaceFirstToken(doc, "{{totalsavings}}", "1,234.00"));
    EXPECT_EQ(doc.paragraphs[0].runs, (std::vector {MakeRun("Total: "), MakeRun("1,234.00", true), MakeRun(" end")}));
}

TEST(ReplaceTokenFormat, TokenStartingARunTakesThatRunsFormat)
{
    auto doc = OneParagraph({MakeRun("a"), MakeRun("{{X}}", true), MakeRun("b")});
    ASSERT_TRUE(ReplaceFirstToken(doc, "{{X}}", "42"));
    EXPECT_EQ(doc.paragraphs[0].runs, (std::vector {MakeRun("a"), MakeRun("42", true), MakeRun("b")}));
}

TEST(ReplaceTokenFormat, RemovedTokenLeavesNoEmptyRunAndJoinsItsNeighbours)
{
    auto doc = OneParagraph({MakeRun("a"), MakeRun("{{X", true), MakeRun("}}"), MakeRun("b")});
    ASSERT_TRUE(ReplaceFirstToken(doc, "{{X}}", ""));
    EXPECT_EQ(doc.paragraphs[0].runs, (std::vector {MakeRun("ab")}));
}

TEST(ReplaceTokenFormat, TokenInsideARunKeepsTheRunWhole)
{
    auto doc = ParseRtf(R"({\rtf1 {\b\i ab\{\{X\}\}cd}})");
    ASSERT_TRUE(ReplaceFirstToken(doc, "{{x}}", "12"));
    ASSERT_EQ(doc.paragraphs[0].runs.size(), 1u);
    EXPECT_EQ(doc.paragraphs[0].runs[0].text, "ab12cd");
    EXPECT_TRUE(doc.paragraphs[0].runs[0].format.bold && doc.paragraphs[0].runs[0].format.italic);
}

TEST(ReplaceTokenList, EachCallTakesTheFirstOccurrenceStillPresent)
{
    auto doc = ParseRtf(R"({\rtf1 \{\{TOTALSAVINGS\}\}\par\{\{TotalSavings\}\}\par\{\{totalsavings\}\}\par})");
    EXPECT_TRUE(ReplaceFirstToken(doc, "{{TOTALSAVINGS}}", "1.00"));
    EXPECT_TRUE(ReplaceFirstToken(doc, "{{TOTALSAVINGS}}", "2.00"));
    EXPECT_EQ(PlainText(doc), "1.00\n2.00\n{{totalsavings}}");
}

// Text and page forms ----------------------------------------------------------------------

TEST(StyledText, PlainTextJoinsParagraphsAndBreaksLines)
{
    const auto doc = ParseRtf(R"({\rtf1 a\line b\par\par c\tab d})");
    EXPECT_EQ(PlainText(doc), "a\nb\n\nc\td");
    EXPECT_EQ(PlainText(StyledDocument {}), "");
}

struct HtmlCase {
    const char *name;
    std::string rtf;
    std::vector<std::string> contains;
};

void PrintTo(const HtmlCase &c, std::ostream *os)
{
    *os << c.name;
}

class HtmlPage : public testing::TestWithParam<HtmlCase> { };

TEST_P(HtmlPage, ShowsTheDocument)
{
    const std::string html = ToHtml(ParseRtf(GetParam().rtf), "Slide <1>");
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(html.find("<title>Slide &lt;1&gt;</title>"), std::string::npos);
    EXPECT_NE(html.find("</html>"), std::string::npos);
    for (const auto &piece : GetParam().contains) {
        EXPECT_NE(html.find(piece), std::string::npos) << piece << "\n" << html;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, HtmlPage,
    testing::Values(HtmlCase {"escapes_text", R"({\rtf1 <script>a & "b" 'c'</script>})",
                        {"&lt;script&gt;a &amp; &quot;b&quot; &#39;c&#39;&lt;/script&gt;"}},
        HtmlCase {"line_break_and_empty_paragraph", R"({\rtf1 a\line b\par\par c})",
            {">a<br>b</span></p>", "<p style=\"text-align:left\"><br></p>"}},
        HtmlCase {"character_format",
            R"({\rtf1{\fonttbl{\f0 Times New Roman;}}{\colortbl;\red255\green128\blue0;}\f0\fs21\b\i\ul\cf1 x})",
            {"<span style=\"font-family:'Times New Roman';font-size:10.5pt;font-weight:bold;font-style:italic;"
             "text-decoration:underline;color:#ff8000\">x</span>"}},
        HtmlCase {"paragraph_format", R"({\rtf1\qc\sb240\sa30\li720\ri360\fi-180 x})",
            {"<p style=\"text-align:center;margin-top:12pt;margin-bottom:1.5pt;margin-left:36pt;"
             "margin-right:18pt;text-indent:-9pt\">"}},
        HtmlCase {"hostile_font_name", R"({\rtf1{\fonttbl{\f0 A'"><b>x;}}\f0 y})", {"font-family:'Abx';"}},
        HtmlCase {"unicode_kept", R"({\rtf1 \u8364?})", {">€</span>"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(StyledText, HtmlIsWellFormedWhateverTheRunsHold)
{
    auto doc = OneParagraph({MakeRun(std::string("bad \xC3 \xFF \xED\xA0\x80 ctl \x01\x7F tab\t"))});
    const std::string html = ToHtml(doc);
    EXPECT_TRUE(IsWellFormedUtf8(html));
    EXPECT_NE(html.find("bad \uFFFD \uFFFD \uFFFD\uFFFD\uFFFD ctl  tab\t"), std::string::npos) << html;
}

} // namespace
} // namespace tw
