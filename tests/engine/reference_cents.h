#pragma once

// Rounding to cents as the definition states it, for tests to compare the engine with.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace tw {

// The definition itself: the exact binary value written out in decimal, rounded to
// two decimals with halves away from zero, and read back.
inline double ReferenceToCents(double v)
{
    if (!(v > 0))
        return 0;
    // A double of at least 2^-30 has at most 52 + 30 fraction bits, so 90 decimals
    // hold it exactly; smaller ones need the full expansion.
    char buf[1500];
    std::snprintf(buf, sizeof buf, "%.*f", v >= 0x1p-30 ? 90 : 1100, v);
    std::string text = buf;
    const std::size_t point = text.find('.');
    std::string kept = text.substr(0, point) + text.substr(point + 1, 2);
    if (text[point + 3] >= '5') {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[i] == '9')
            kept[i--] = '0';
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[i];
    }
    kept.insert(kept.size() - 2, ".");
    return std::strtod(kept.c_str(), nullptr);
}

} // namespace tw
