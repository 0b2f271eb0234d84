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

} // namespace
} // namespace tw
