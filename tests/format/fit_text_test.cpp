#include "format/fit_text.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

// Ten units per character, counting UTF-8 characters rather than bytes.
int FixedPitch(std::string_view text)
{
    int characters = 0;
    for (unsigned char c : text)
        characters += (c & 0xC0) != 0x80;
    return characters * 10;
}

TEST(FitTextToWidth, LeavesTextThatFits)
{
    EXPECT_EQ(FitTextToWidth(FixedPitch, "Smith", 50, true), "Smith");
    EXPECT_EQ(FitTextToWidth(FixedPitch, "", 0, true), "");
}

TEST(FitTextToWidth, CutsToTheWidth)
{
    EXPECT_EQ(FitTextToWidth(FixedPitch, "Smithson", 50, false), "Smith");
    EXPECT_EQ(FitTextToWidth(FixedPitch, "Smithson", 5, false), "");
}

TEST(FitTextToWidth, EllipsisTakesOneMoreCharacter)
{
    EXPECT_EQ(FitTextToWidth(FixedPitch, "Smithson", 50, true), "Smit...");
    EXPECT_EQ(FitTextToWidth(FixedPitch, "Smithson", 5, true), "...");
}

TEST(FitTextToWidth, NeverSplitsACharacter)
{
    EXPECT_EQ(FitTextToWidth(FixedPitch, "Jos\xC3\xA9phine", 40, false), "Jos\xC3\xA9");
    EXPECT_EQ(FitTextToWidth(FixedPitch, "Jos\xC3\xA9phine", 50, true), "Jos\xC3\xA9...");
    // Cuts that land on the two-byte letter itself, measured by characters and by bytes.
    EXPECT_EQ(FitTextToWidth(FixedPitch, "Jos\xC3\xA9phine", 40, true), "Jos...");
    const auto bytes = [](std::string_view text) { return static_cast<int>(text.size()) * 10; };
    EXPECT_EQ(FitTextToWidth(bytes, "Jos\xC3\xA9", 40, false), "Jos");
}

// 'i' and 'l' narrow, 'M' and 'W' wide, any other character 10 units.
int Proportional(std::string_view text)
{
    int width = 0;
    for (unsigned char c : text)
        width += (c & 0xC0) == 0x80 ? 0 : c == 'i' || c == 'l' ? 4 : c == 'M' || c == 'W' ? 15 : 10;
    return width;
}

// The rule as it was: drop the last character and measure again, until it fits.
std::string OneAtATime(std::string_view text, int maxWidth, bool ellipsis)
{
    std::string out(text);
    const auto drop = [&] {
        while (!out.empty()) {
            const bool lead = (out.back() & 0xC0) != 0x80;
            out.pop_back();
            if (lead)
                break;
        }
    };
    bool cut = false;
    for (; !out.empty() && Proportional(out) > maxWidth; cut = true)
        drop();
    if (cut && ellipsis) {
        drop();
        out += "...";
    }
    return out;
}

TEST(FitTextToWidth, GivesTheLongestPrefixTheOneAtATimeRuleGives)
{
    const std::string texts[] = {"M", "il", "Wilhelmina Montgomery-Illingworth",
        "Jos\xC3\xA9 \xE2\x82\xAC\xF0\x9F\x8F\xA0 MWMWi", std::string(37, 'i') + std::string(5, 'W')};
    for (const std::string &text : texts)
        for (int width = -1; width <= Proportional(text) + 1; ++width)
            for (bool ellipsis : {false, true})
                EXPECT_EQ(FitTextToWidth(Proportional, text, width, ellipsis), OneAtATime(text, width, ellipsis))
                    << text << " in " << width << (ellipsis ? " with ellipsis" : "");
}

// A pasted megabyte costs about what the few characters that fit cost.
TEST(FitTextToWidth, CostFollowsWhatFitsNotTheTextLength)
{
    const std::string huge(1 << 20, 'x');
    for (int width : {0, 55, 6000}) {
        std::size_t measured = 0;
        const auto counting = [&](std::string_view t) { return measured += t.size(), FixedPitch(t); };
        const std::string fitted = FitTextToWidth(counting, huge, width, false);
        EXPECT_EQ(fitted.size(), static_cast<std::size_t>(width / 10));
        EXPECT_LE(measured, 32 * (fitted.size() + 1)) << width;
    }
}

} // namespace
} // namespace tw
