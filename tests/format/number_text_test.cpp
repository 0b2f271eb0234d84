#include "format/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>

namespace tw {
namespace {

struct MoneyCase {
    double value;
    const char *text;
};

class FormatMoneyTest : public testing::TestWithParam<MoneyCase> { };

TEST_P(FormatMoneyTest, WritesTheMoneyText)
{
    EXPECT_EQ(FormatMoney(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, FormatMoneyTest,
    testing::Values(MoneyCase {999.996, "1,000.00"}, // rounding happens before the separators
        MoneyCase {12345678.9, "12,345,678.90"}, MoneyCase {1234567.891, "1,234,567.89"},
        MoneyCase {1234567890, "1234567890.00"}, // ten integer digits: no separators
        MoneyCase {999999999.99, "999,999,999.99"}, MoneyCase {999999999.999, "1000000000.00"},
        MoneyCase {-1234.5, "1,234.50"}, // a negative value prints its magnitude
        MoneyCase {0.5, ".50"}, MoneyCase {0.994, ".99"}, MoneyCase {0.996, "1.00"}, MoneyCase {0, "0.00"},
        MoneyCase {0.004, "0.00"}, MoneyCase {1000, "1,000.00"}, MoneyCase {100, "100.00"},
        MoneyCase {0.125, ".13"}, // exactly halfway in binary: away from zero
        MoneyCase {2.675, "2.67"}, // just below halfway in binary
        MoneyCase {1e15 + 0.25, "1000000000000000.25"}, MoneyCase {1e17, "100000000000000000.00"},
        MoneyCase {1e15 + 0.125, "1000000000000000.13"})); // past the exact path, a dropped 5 rounds up

TEST(FormatMoney, MultipliesFirst)
{
    EXPECT_EQ(FormatMoney(350.5, 2), "701.00");
    EXPECT_EQ(FormatMoneyScaled(1250.02, 0.5), "625.01");
    EXPECT_EQ(FormatMoneyScaled(900, 0.5), "450.00");
}

TEST(FormatOneDecimal, RoundsToOneDecimalWithoutSeparators)
{
    EXPECT_EQ(FormatOneDecimal(7.3), "7.3");
    EXPECT_EQ(FormatOneDecimal(25.5), "25.5");
    EXPECT_EQ(FormatOneDecimal(20.75), "20.8");
    EXPECT_EQ(FormatOneDecimal(12345.67), "12345.7");
    EXPECT_EQ(FormatOneDecimal(30), "30.0");
    EXPECT_EQ(FormatOneDecimal(0.5), ".5");
    EXPECT_EQ(FormatOneDecimal(0), "0.0");
    EXPECT_EQ(FormatOneDecimal(-3.8), "3.8");
}

TEST(FormatRate, KeepsAThirdDecimalAndReadsSinglePrecisionAsTyped)
{
    for (const auto &[rate, text] : {std::pair {6.125f, "6.125"}, {6.13f, "6.13"}, {6.8125f, "6.813"}, {7.0f, "7.00"}})
        EXPECT_EQ(FormatRate(rate), text) << rate;
}

TEST(SignedTexts, ShowTheSignOfValuesThatDoNotRoundToZero)
{
    struct Case {
        double value;
        const char *money;
        const char *years;
    };
    for (const Case &c :
        {Case {1234.5, "1,234.50", "1234.5"}, Case {-1234.5, "-1,234.50", "-1234.5"}, Case {-0.5, "-.50", "-.5"},
            Case {-0.004, "0.00", "0.0"}, Case {-0.04, "-.04", "0.0"}, // money rounds away from zero, years do not
            Case {0.0, "0.00", "0.0"}}) {
        EXPECT_EQ(SignedMoney(c.value), c.money) << c.value;
        EXPECT_EQ(SignedOneDecimal(c.value), c.years) << c.value;
    }
}

TEST(PlainAmountText, HasNoSeparatorsAndNoLeadingZero)
{
    EXPECT_EQ(PlainAmountText(150000), "150000.00");
    EXPECT_EQ(PlainAmountText(0.25), ".25");
    EXPECT_EQ(PlainAmountText(1234567.125), "1234567.13");
}

TEST(CleanNumberText, KeepsDigitsAndPointsOnly)
{
    EXPECT_EQ(CleanNumberText("$1,234.50"), "1234.50");
    EXPECT_EQ(CleanNumberText("7.5%"), "7.5");
    EXPECT_EQ(CleanNumberText("12 years"), "");
    EXPECT_EQ(CleanNumberText("7.5 %"), ""); // a blank spoils the whole text
    EXPECT_EQ(CleanNumberText(" 30"), "");
    EXPECT_EQ(CleanNumberText("$"), "");
    EXPECT_EQ(CleanNumberText("."), ".");
    EXPECT_EQ(CleanNumberText(""), "");
    EXPECT_EQ(CleanNumberText(std::string(19, '9')), std::string(19, '9'));
    EXPECT_EQ(CleanNumberText(std::string(20, '9')), "");
    EXPECT_EQ(CleanNumberText("1\xC3\xA9"), ""); // any non-ASCII byte
}

TEST(TextToNumber, ReadsTheLeadingNumberLikeTheCRuntime)
{
    EXPECT_DOUBLE_EQ(TextToDouble("1234.50"), 1234.5);
    EXPECT_DOUBLE_EQ(TextToDouble("  7.5abc"), 7.5);
    EXPECT_DOUBLE_EQ(TextToDouble(".5"), 0.5);
    EXPECT_DOUBLE_EQ(TextToDouble("abc"), 0);
    EXPECT_DOUBLE_EQ(TextToDouble(""), 0);
    EXPECT_EQ(TextToInt("30"), 30);
    EXPECT_EQ(TextToInt("1.5"), 1);
    EXPECT_EQ(TextToInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(TextToInt("x"), 0);
}

TEST(TextToNumber, PlainAmountsGiveTheCRuntimesVeryDouble)
{
    // Plain digits and one point are read without the C runtime; the double must be the
    // same to the last bit, also around the 15 digits that path takes.
    for (const char *text : {"0.1", "123.", ".5", "6.125", "1412.80", "0.07", "187500.005", "999999999999999",
             "99999999999999.9", "9999999999999999", "0.000000000000001", "12.34.5", "1e5", "00000000000000012"})
        EXPECT_EQ(TextToDouble(text), std::strtod(text, nullptr)) << text;
    for (const char *text : {"000000030", "123456789", "1234567890", "2147483648"})
        EXPECT_EQ(TextToInt(text), static_cast<int>(std::min(std::strtoll(text, nullptr, 10), 2147483647LL))) << text;
}

TEST(TextToNumber, IgnoresTheUsersLocale)
{
    // Qt programs adopt the user's locale; a German one reads "7,5" for 7.5.
    const char *previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no German locale installed";
    EXPECT_DOUBLE_EQ(TextToDouble("7.5"), 7.5);
    EXPECT_EQ(FormatMoney(1234.5), "1,234.50");
    std::setlocale(LC_ALL, saved.c_str());
}

} // namespace
} // namespace tw
