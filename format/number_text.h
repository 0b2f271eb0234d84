#pragma once

#include <string>
#include <string_view>

namespace tw {

// Decimal digits of |value| rounded to `decimals` places from its exact binary value,
// halves away from zero: the integer part (empty when the rounded value is below 1)
// and exactly `decimals` fraction digits.
struct RoundedDigits {
    std::string integer;
    std::string fraction;
};
RoundedDigits RoundToDigits(double value, int decimals);

// Largest scaled magnitude for which RoundHalfAwayUnits is exact (2^52).
inline constexpr double kExactUnitsLimit = 4503599627370496.0;

// magnitude x scale (scale a small power of ten, magnitude >= 0) rounded to a whole
// number, halves away from zero, judged on the exact product rather than on the
// rounded double product. Exact while the product is below kExactUnitsLimit.
inline double RoundHalfAwayUnits(double magnitude, double scale)
{
    const double p = magnitude * scale;
    const double whole = static_cast<double>(static_cast<long long>(p));
    // Exact: the fraction and 0.5 are both multiples of ulp(p), so only a product that
    // lands exactly on the half needs the rounding error of the multiplication.
    const double aboveHalf = (p - whole) - 0.5;
    if (aboveHalf != 0)
        return aboveHalf > 0 ? whole + 1 : whole;
    // Dekker's two-product: p + err is exactly magnitude x scale.
    constexpr double kSplitter = 134217729.0; // 2^27 + 1
    const double c = kSplitter * magnitude;
    const double hi = c - (c - magnitude);
    const double lo = magnitude - hi;
    const double err = (hi * scale - p) + lo * scale;
    return err >= 0 ? whole + 1 : whole;
}

// Money text: two decimals, "," between groups of three integer digits when the
// integer part has 4 to 9 digits, no sign, no currency symbol. A value that rounds
// to zero reads "0.00"; other values below 1 have no integer digits (".50").
std::string FormatMoney(double value, int multiplier = 1);
std::string FormatMoneyScaled(double value, double multiplier);

// One decimal, no separators (7.3); zero reads "0.0", other values below 1 ".5".
std::string FormatOneDecimal(double value);

// A rate in percent as a client quotes it: two decimals, a third when it has one
// (6.50, 6.125); rounding to a cent of a percent would print 6.125 as 6.13.
std::string FormatRate(double percent);

// The same texts with a "-" before a negative value that does not round to zero, for
// differences, which can go either way.
std::string SignedMoney(double value);
std::string SignedOneDecimal(double value);

// Plain two-decimal text without separators or sign, as the profile and the
// payment text store amounts (150000.00, .25).
std::string PlainAmountText(double value);

// The text reduced to its digits and points; "$", "%" and "," are dropped.
// Any other character, or a text of 20 characters or more, gives "".
std::string CleanNumberText(std::string_view text);

// Locale-independent conversions of the leading number of a text, as the C
// runtime's atof and atoi read it: leading blanks, an optional sign, then as
// many characters as form a number; no number gives 0.
double TextToDouble(std::string_view text);
int TextToInt(std::string_view text);

} // namespace tw
