#include "docs/rtf_reader.h"

#include "tests/docs/docs_test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tw {
namespace {

using test::IsWellFormedUtf8;

struct TextCase {
    const char *name;
    std::string rtf;
    std::string text;
};

void PrintTo(const TextCase &c, std::ostream *os)
{
    *os << c.name;
}

class RtfText : public testing::TestWithParam<TextCase> { };

TEST_P(RtfText, ReadsTheText)
{
    const auto doc = ParseRtf(GetParam().rtf);
    EXPECT_EQ(PlainText(doc), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Constructs, RtfText,
    testing::Values(TextCase {"paragraphs", R"({\rtf1\ansi Hello\par World\par})", "Hello\nWorld"},
        TextCase {"last_paragraph_without_par", R"({\rtf1 A\par B})", "A\nB"},
        TextCase {"empty_paragraph_kept", R"({\rtf1 A\par\par B\par})", "A\n\nB"},
        TextCase {"one_space_delimits_a_word", R"({\rtf1 \b bold\b0  x})", "bold x"},
        TextCase {"parameter_ends_a_word", R"({\rtf1 \fs24x\fi-360y})", "xy"},
        TextCase {"minus_without_digits_is_text", R"({\rtf1 \b-x})", "-x"},
        TextCase {"escaped_braces_and_backslash", R"({\rtf1 a\{b\}c\\d})", "a{b}c\\d"},
        TextCase {"hex_is_windows_1252", R"({\rtf1 caf\'e9 \'80 \'93q\'94})", "café € “q”"},
        TextCase {"hex_unassigned_in_1252", R"({\rtf1 \'81x})", "\uFFFDx"},
        TextCase {"raw_high_byte_is_windows_1252", "{\\rtf1 caf\xE9}", "café"},
        TextCase {"unicode_skips_one_fallback", R"({\rtf1 \u8364?x})", "€x"},
        TextCase {"uc2_skips_two", R"({\rtf1\uc2 \u8364??x})", "€x"},
        TextCase {"uc0_skips_none", R"({\rtf1\uc0 \u8364 x})", "€x"},
        TextCase {"fallback_hex_escape_counts_one", R"({\rtf1 \u233\'e9x})", "éx"},
        TextCase {"fallback_control_word_counts_one", R"({\rtf1\uc2 \u233\'e9\par x})", "éx"},
        TextCase {"uc_restored_at_group_end", R"({\rtf1 {\uc2 \u8364??}\u8364?x})", "€€x"},
        TextCase {"brace_ends_fallback", R"({\rtf1\uc3 {\u8364?}x})", "€x"},
        TextCase {"huge_uc_ends_at_brace", R"({\rtf1 {\uc1000000 \u8364 abc}d})", "€d"},
        TextCase {"negative_unicode", R"({\rtf1 \u-223?})", "Ａ"},
        TextCase {"surrogate_pair", R"({\rtf1 \u-10179?\u-8704?})", "😀"},
        TextCase {"lone_high_surrogate", R"({\rtf1 \u-10179?x})", "\uFFFDx"},
        TextCase {"lone_low_surrogate", R"({\rtf1 \u-8704?x})", "\uFFFDx"},
        TextCase {"high_surrogate_at_end", R"({\rtf1 x\u55357?})", "x\uFFFD"},
        TextCase {"unicode_out_of_range", R"({\rtf1 \u1114112?a\u-32769?b\u99999999999999999999?c})",
            "\uFFFDa\uFFFDb\uFFFDc"},
        TextCase {"unicode_control_dropped", R"({\rtf1 a\u7?b\u0?c})", "abc"},
        TextCase {"special_spaces_and_hyphens", R"({\rtf1 a\~b\_c\-d})", "a\u00A0b\u2011cd"},
        TextCase {"named_punctuation", R"({\rtf1 \lquote a\rquote \ldblquote b\rdblquote \emdash\endash\bullet})",
            "‘a’“b”—–•"},
        TextCase {"tab", R"({\rtf1 a\tab b})", "a\tb"}, TextCase {"line_break", R"({\rtf1 a\line b})", "a\nb"},
        TextCase {"cr_lf_ignored", "{\\rtf1 ab\r\ncd\r\n}", "abcd"},
        TextCase {"backslash_newline_is_par", "{\\rtf1 ab\\\ncd}", "ab\ncd"},
        TextCase {"font_table_skipped", R"({\rtf1{\fonttbl{\f0\fswiss Arial;}{\f1 Times New Roman;}}\f0 x})", "x"},
        TextCase {"colour_table_skipped", R"({\rtf1{\colortbl;\red255\green0\blue0;}x})", "x"},
        TextCase {
            "stylesheet_and_info_skipped", R"({\rtf1{\stylesheet{\s0 Normal;}}{\info{\title T}{\author A}}x})", "x"},
        TextCase {"picture_skipped", R"({\rtf1 a{\pict\wmetafile8\picw10 0102ff\par}b})", "ab"},
        TextCase {"binary_data_skipped", R"({\rtf1 a{\pict\bin3 }{}}b})", "ab"},
        TextCase {"starred_destination_skipped", R"({\rtf1 a{\*\generator Foo 1.0;}{\*\unknown x\par}b})", "ab"},
        TextCase {"star_inside_group_is_ignored", R"({\rtf1 a{\b \*c}d})", "acd"},
        TextCase {"field_result_shown", R"({\rtf1 {\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}}})", "link"},
        TextCase {"header_footer_skipped", R"({\rtf1{\header h}{\footer f}x})", "x"},
        TextCase {
            "unknown_words_ignored", R"({\rtf1 \foo12 \bar a\zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz b})", "ab"},
        TextCase {"control_characters_dropped",
            std::string("{\\rtf1 a\0b\x01"
                        "c\x7F}",
                14),
            "abc"},
        TextCase {"no_header_is_plain_body", "hello {\\b world} more", "hello world more"},
        TextCase {"surplus_close_without_header", "a}b}}c", "abc"},
        TextCase {"byte_order_mark_before_header", "\xEF\xBB\xBF{\\rtf1 a}b", "a"},
        TextCase {"text_after_document_ignored", R"({\rtf1 a}b)", "a"},
        TextCase {"surplus_close_ends_document", R"({\rtf1 a}}b})", "a"},
        TextCase {"missing_close_braces", R"({\rtf1 {\b a{\i b)", "ab"},
        TextCase {"backslash_at_end", R"({\rtf1 a\)", "a"}, TextCase {"hex_escape_at_end", R"({\rtf1 a\')", "a"},
        TextCase {"hex_escape_half", R"({\rtf1 a\'4)", "a4"},
        TextCase {"hex_escape_not_hex", R"({\rtf1 a\'zz})", "azz"}, TextCase {"minus_at_end", R"({\rtf1 a\fs-)", "a-"},
        TextCase {"empty_input", "", ""}),
    [](const auto &info) { return std::string(info.param.name); });

// Formatting ----------------------------------------------------------------------------

const TextRun &RunAt(const StyledDocument &doc, std::size_t paragraph, std::size_t run)
{
    static const TextRun none;
    if (paragraph >= doc.paragraphs.size() || run >= doc.paragraphs[paragraph].runs.size()) {
        ADD_FAILURE() << "no run " << run << " in paragraph " << paragraph;
        return none;
    }
    return doc.paragraphs[paragraph].runs[run];
}

TEST(RtfFormat, GroupsRestoreCharacterFormat)
{
    const auto doc = ParseRtf(R"({\rtf1 a{\b b{\i\ul c}d}e})");
    ASSERT_EQ(doc.paragraphs.size(), 1u);
    const auto &runs = doc.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0].text, "a");
    EXPECT_FALSE(runs[0].format.bold);
    EXPECT_EQ(runs[1].text, "b");
    EXPECT_TRUE(runs[1].format.bold);
    EXPECT_EQ(runs[2].text, "c");
    EXPECT_TRUE(runs[2].format.bold && runs[2].format.italic && runs[2].format.underline);
    EXPECT_EQ(runs[3].text, "d");
    EXPECT_TRUE(runs[3].format.bold && !runs[3].format.italic && !runs[3].format.underline);
    EXPECT_EQ(runs[4].text, "e");
    EXPECT_EQ(runs[4].format, CharFormat {});
}

TEST(RtfFormat, SwitchesOffAndPlainResets)
{
    const auto doc = ParseRtf(
        R"({\rtf1{\colortbl;\red1\green2\blue3;}\b\i\ul\fs40\cf1 a\b0 b\i0 c\ul0 d\ul e\ulnone f\uldb g\plain h})");
    ASSERT_EQ(doc.paragraphs.size(), 1u);
    const auto &runs = doc.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 8u);
    EXPECT_TRUE(runs[0].format.bold && runs[0].format.italic && runs[0].format.underline);
    EXPECT_EQ(runs[0].format.sizeHalfPoints, 40);
    EXPECT_EQ(runs[0].format.color, (Rgb {1, 2, 3}));
    EXPECT_FALSE(runs[1].format.bold);
    EXPECT_FALSE(runs[2].format.italic);
    EXPECT_FALSE(runs[3].format.underline);
    EXPECT_TRUE(runs[4].format.underline);
    EXPECT_FALSE(runs[5].format.underline);
    EXPECT_TRUE(runs[6].format.underline);
    EXPECT_EQ(runs[7].text, "h");
    EXPECT_EQ(runs[7].format, CharFormat {});
}

TEST(RtfFormat, EqualFormatsShareOneRun)
{
    const auto doc = ParseRtf(R"({\rtf1 a{b}\b0 c{\b0 d}})");
    ASSERT_EQ(doc.paragraphs.size(), 1u);
    ASSERT_EQ(doc.paragraphs[0].runs.size(), 1u);
    EXPECT_EQ(doc.paragraphs[0].runs[0].text, "abcd");
}

struct SizeCase {
    const char *rtf;
    int halfPoints;
};

void PrintTo(const SizeCase &c, std::ostream *os)
{
    *os << c.rtf;
}

class RtfFontSize : public testing::TestWithParam<SizeCase> { };

TEST_P(RtfFontSize, IsClampedToAUsableSize)
{
    EXPECT_EQ(RunAt(ParseRtf(GetParam().rtf), 0, 0).format.sizeHalfPoints, GetParam().halfPoints);
}

INSTANTIATE_TEST_SUITE_P(Sizes, RtfFontSize,
    testing::Values(SizeCase {R"({\rtf1\fs20 x})", 20}, SizeCase {R"({\rtf1\fs1 x})", 1},
        SizeCase {R"({\rtf1\fs0 x})", 24}, SizeCase {R"({\rtf1\fs-8 x})", 24}, SizeCase {R"({\rtf1\fs x})", 24},
        SizeCase {R"({\rtf1\fs3276 x})", 3276}, SizeCase {R"({\rtf1\fs99999999999999999999999 x})", 3276}));

struct FontCase {
    const char *rtf;
    const char *family;
};

void PrintTo(const FontCase &c, std::ostream *os)
{
    *os << c.rtf;
}

class RtfFont : public testing::TestWithParam<FontCase> { };

TEST_P(RtfFont, NamesTheFaceFromTheFontTable)
{
    EXPECT_EQ(RunAt(ParseRtf(GetParam().rtf), 0, 0).format.fontFamily, GetParam().family);
}

#define TW_FONTS                                                                                                       \
    R"({\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\froman Times New Roman{\*\panose 0202};}{\f2 Caf\'e9 ;}})"

INSTANTIATE_TEST_SUITE_P(Fonts, RtfFont,
    testing::Values(FontCase {"{\\rtf1" TW_FONTS "\\f1 x}", "Times New Roman"},
        FontCase {"{\\rtf1" TW_FONTS "\\f2 x}", "Café"}, FontCase {"{\\rtf1\\deff1" TW_FONTS " x}", "Times New Roman"},
        FontCase {"{\\rtf1" TW_FONTS " x}", "Arial"}, FontCase {"{\\rtf1" TW_FONTS "\\f1\\plain x}", "Arial"},
        FontCase {"{\\rtf1" TW_FONTS "\\f7 x}", ""},
        FontCase {"{\\rtf1{\\fonttbl\\f0 Courier;\\f1 Symbol;}\\f1 x}", "Symbol"},
        FontCase {"{\\rtf1{\\fonttbl{\\f3 Unterminated}}\\f3 x}", "Unterminated"}, FontCase {"{\\rtf1 x}", ""}));

TEST(RtfFormat, ColourTableIndices)
{
    const auto doc = ParseRtf(
        R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue255;\red300\green-5;}\cf1 a\cf2 b\cf3 c\cf0 d\cf4 e\cf-1 f\cf99999999999 g})");
    ASSERT_EQ(doc.paragraphs.size(), 1u);
    const auto &runs = doc.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 4u); // d, e, f and g all read in the automatic colour
    EXPECT_EQ(runs[0].format.color, (Rgb {255, 0, 0}));
    EXPECT_EQ(runs[1].format.color, (Rgb {0, 0, 255}));
    EXPECT_EQ(runs[2].format.color, (Rgb {255, 0, 0})); // components clamped to 0..255
    EXPECT_EQ(runs[3].text, "defg");
    EXPECT_FALSE(runs[3].format.color.has_value());
}

struct AlignmentCase {
    const char *rtf;
    std::vector<Alignment> alignments;
};

void PrintTo(const AlignmentCase &c, std::ostream *os)
{
    *os << c.rtf;
}

class RtfAlignment : public testing::TestWithParam<AlignmentCase> { };

TEST_P(RtfAlignment, ParagraphTakesTheFormatAtItsEnd)
{
    const auto doc = ParseRtf(GetParam().rtf);
    std::vector<Alignment> seen;
    for (const auto &paragraph : doc.paragraphs) {
        seen.push_back(paragraph.format.alignment);
    }
    EXPECT_EQ(seen, GetParam().alignments);
}

using enum Alignment;
INSTANTIATE_TEST_SUITE_P(Alignments, RtfAlignment,
    testing::Values(AlignmentCase {R"({\rtf1\qc a\par\qr b\par\qj c\par\ql d\par})", {Center, Right, Justify, Left}},
        AlignmentCase {R"({\rtf1\qc a\par b\par\pard c\par})", {Center, Center, Left}},
        AlignmentCase {R"({\rtf1{\qc a\par}b\par})", {Center, Left}}, AlignmentCase {R"({\rtf1 a\qr\par})", {Right}},
        AlignmentCase {R"({\rtf1\qc last})", {Center}}, AlignmentCase {R"({\rtf1 a\par\qc\pard})", {Left}}));

TEST(RtfFormat, SpacingAndIndents)
{
    const auto doc = ParseRtf(R"({\rtf1\sb120\sa240\fi-360\li720\ri100 a\par\pard\sb-5\sa99999999 b\par})");
    ASSERT_EQ(doc.paragraphs.size(), 2u);
    EXPECT_EQ(doc.paragraphs[0].format, (ParagraphFormat {Alignment::Left, 120, 240, -360, 720, 100}));
    EXPECT_EQ(doc.paragraphs[1].format.spaceBeforeTwips, 0);
    EXPECT_EQ(doc.paragraphs[1].format.spaceAfterTwips, 31680);
}

TEST(RtfFormat, LineBreakStaysInsideTheParagraph)
{
    const auto doc = ParseRtf(R"({\rtf1 a\line b\par c})");
    ASSERT_EQ(doc.paragraphs.size(), 2u);
    EXPECT_EQ(doc.paragraphs[0].runs[0].text, std::string("a") + std::string(kLineBreak) + "b");
}

// Broken and hostile input ------------------------------------------------------------------

constexpr const char *kSample = R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}{\f1 Times;}}
{\colortbl;\red255\green0\blue0;}{\*\generator Writer;}{\info{\title Slide}}
\pard\qc\sb120\sa60\f0\fs32\b Your savings\b0\par
\pard\ql\fs24 Dear {\b\cf1 \{\{FIRSTNAME\}\}}, caf\'e9 \u8364? {\pict\bin2 {}\'ff}\uc2\u-10179??\u-8704??\line
{\i you save \{\{TOTSAVINGS\}\}}\tab done\~!\par})";

TEST(RtfBroken, EveryTruncationReadsSafely)
{
    const std::string sample = kSample;
    EXPECT_EQ(PlainText(ParseRtf(sample)),
        "Your savings\nDear {{FIRSTNAME}}, café € 😀\nyou save {{TOTSAVINGS}}\tdone\u00A0!");
    for (std::size_t length = 0; length <= sample.size(); ++length) {
        const auto doc = ParseRtf(std::string_view(sample).substr(0, length));
        const std::string text = PlainText(doc);
        ASSERT_TRUE(IsWellFormedUtf8(text)) << "truncated at " << length;
        for (const auto &paragraph : doc.paragraphs) {
            for (const auto &run : paragraph.runs) {
                ASSERT_FALSE(run.text.empty()) << "truncated at " << length;
            }
        }
    }
}

std::string Nested(int depth, const std::string &inner)
{
    return std::string(static_cast<std::size_t>(depth), '{') + inner
        + std::string(static_cast<std::size_t>(depth), '}');
}

TEST(RtfBroken, NestingBeyondTheBoundIsSkipped)
{
    // The document's own group counts as one level.
    EXPECT_EQ(PlainText(ParseRtf("{\\rtf1 a" + Nested(kMaxRtfGroupDepth - 1, "deep") + "b}")), "adeepb");
    EXPECT_EQ(PlainText(ParseRtf("{\\rtf1 a" + Nested(kMaxRtfGroupDepth, "deep") + "b}")), "ab");
    EXPECT_EQ(PlainText(ParseRtf("{\\rtf1 a" + Nested(100000, "deep\\par\\}") + "b}")), "ab");
    EXPECT_EQ(PlainText(ParseRtf("{\\rtf1 a" + std::string(1000000, '{') + "b")), "a");
    EXPECT_EQ(PlainText(ParseRtf(std::string(1000000, '}') + "z")), "z");
}

TEST(RtfBroken, RandomBytesGiveCleanText)
{
    std::mt19937 random(20240607);
    const std::string alphabet = "{}\\'*ubcfsparlinetq0123456789- ;?\x80\xE9\r\n\t";
    for (int round = 0; round < 300; ++round) {
        std::string input;
        const bool structured = round % 2 == 0;
        for (int i = 0; i < 600; ++i) {
            input += structured ? alphabet[random() % alphabet.size()] : static_cast<char>(random() & 0xFF);
        }
        const auto doc = ParseRtf(input);
        const std::string text = PlainText(doc);
        ASSERT_TRUE(IsWellFormedUtf8(text)) << "round " << round;
        for (const unsigned char c : text) {
            ASSERT_TRUE(c >= 0x20 || c == '\t' || c == '\n') << "round " << round;
        }
    }
}

TEST(RtfBroken, ReadingStopsAtThePieceBound)
{
    std::string runs = "{\\rtf1 ";
    std::string paragraphs = "{\\rtf1 ";
    for (std::size_t i = 0; i < kMaxRtfPieces; ++i) {
        runs += "{\\b a}b";
        paragraphs += "\\par ";
    }
    const auto manyRuns = ParseRtf(runs + "}");
    ASSERT_EQ(manyRuns.paragraphs.size(), 1u);
    EXPECT_EQ(manyRuns.paragraphs[0].runs.size(), kMaxRtfPieces);
    EXPECT_EQ(manyRuns.paragraphs[0].runs.back().text, "b");

    const auto manyParagraphs = ParseRtf(paragraphs + "x\\par}");
    EXPECT_EQ(manyParagraphs.paragraphs.size(), kMaxRtfPieces);
    EXPECT_EQ(PlainText(manyParagraphs).find('x'), std::string::npos);
}

TEST(RtfBroken, BytesPastTheBoundAreNotRead)
{
    std::string big = "{\\rtf1 ";
    big.append(kMaxRtfBytes, 'a');
    big += "b}";
    const std::string text = PlainText(ParseRtf(big));
    EXPECT_EQ(text.size(), kMaxRtfBytes - 7);
    EXPECT_EQ(text.find('b'), std::string::npos);
}

} // namespace
} // namespace tw
