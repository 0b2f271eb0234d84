#pragma once

#include "format/number_text.h"

namespace tw {

double ToCentsByText(double value);

// The value rounded to whole cents: the same double as writing the exact binary value
// with two decimals (halves away from zero) and reading that text back. Values of 0
// or less, and NaN, give 0.
inline double ToCents(double value)
{
    if (!(value > 0))
        return 0;
    if (value * 100 < kExactUnitsLimit)
        return RoundHalfAwayUnits(value, 100) / 100; // n / 100 is correctly rounded, as strtod is
    return ToCentsByText(value);
}

// The text form of a cents amount: integer digits (none below 1), ".", two decimals.
std::string CentsText(double value);

} // namespace tw
