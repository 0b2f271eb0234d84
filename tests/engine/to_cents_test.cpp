#include "engine/to_cents.h"
#include "reference_cents.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace tw {
namespace {

void ExpectSame(double v)
{
    const double numeric = ToCents(v);
    const double reference = ReferenceToCents(v);
    ASSERT_EQ(std::memcmp(&numeric, &reference, sizeof numeric), 0)
        << "value " << std::hexfloat << v << " numeric " << numeric << " reference " << reference;
}

TEST(ToCents, NonPositiveAndNaNGiveZero)
{
    EXPECT_EQ(ToCents(0), 0);
    EXPECT_EQ(ToCents(-0.0), 0);
    EXPECT_EQ(ToCents(-5.25), 0);
    EXPECT_EQ(ToCents(std::nan("")), 0);
}

TEST(ToCents, HalfwayValuesRoundAwayFromZero)
{
    EXPECT_EQ(ToCents(0.125), 0.13);
    EXPECT_EQ(ToCents(0.375), 0.38);
    EXPECT_EQ(ToCents(1.005), 1.0); // 1.005 is below the half in binary
    EXPECT_EQ(ToCents(2.675), 2.67);
    EXPECT_EQ(ToCents(625.0000016), 625.0);
    EXPECT_EQ(ToCents(0.004999), 0.0);
    EXPECT_EQ(ToCents(0.005), 0.01); // 0.005 is above the half in binary
}

TEST(ToCents, MatchesTheTextRoundTripOnHardCases)
{
    // Values exactly halfway in binary (k/8 and k/1024 steps), their neighbours,
    // values below 1 and values near 1e12 and beyond the fast path's range.
    for (int k = 0; k < 20000; ++k) {
        for (double base : {k / 8.0, k / 1024.0, k * 1000003.0 / 8.0, 1e12 + k / 8.0, 4.5e13 + k / 8.0}) {
            ExpectSame(base);
            ExpectSame(std::nextafter(base, 0.0));
            ExpectSame(std::nextafter(base, 1e300));
        }
        const double decimal = k / 1000.0; // x.xx5 written in decimal
        ExpectSame(decimal);
        ExpectSame(decimal + 1000);
        ExpectSame(decimal + 2.67);
    }
    for (double v : {1e-300, 5e-324, 0.0049999999999999999, 0.005, 0.015, 1e15, 1e16 + 2, 1e17, 1e300}) {
        ExpectSame(v);
    }
}

TEST(ToCents, MatchesTheTextRoundTripOnAMillionRandomValues)
{
    std::mt19937_64 rng(20261207);
    std::uniform_real_distribution<double> money(0, 2e6);
    std::uniform_int_distribution<int> exponent(-30, 42);
    std::uniform_int_distribution<long long> cents(0, 99999999999LL);
    for (int i = 0; i < 1000000; ++i) {
        switch (i % 4) {
        case 0:
            ExpectSame(money(rng));
            break;
        case 1: // any magnitude a schedule could meet, and far beyond
            ExpectSame(std::ldexp(money(rng) / 2e6 + 0.5, exponent(rng)));
            break;
        case 2: // sums and products of cents, as the row steps make them
            ExpectSame(cents(rng) / 100.0 * 0.0062500000931322575);
            break;
        default: // exact thousandths: every third decimal digit
            ExpectSame(cents(rng) / 1000.0);
        }
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

TEST(CentsText, HasNoSeparatorsAndNoLeadingZero)
{
    EXPECT_EQ(CentsText(699.2106), "699.21");
    EXPECT_EQ(CentsText(1234567.5), "1234567.50");
    EXPECT_EQ(CentsText(0.5), ".50");
}

} // namespace
} // namespace tw
