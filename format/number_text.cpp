#include "format/number_text.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <locale.h>

namespace tw {

namespace {

constexpr double kPowersOfTen[] = {1.0, 10.0, 100.0, 1000.0};

// The slow, obviously exact route for magnitudes beyond kExactUnitsLimit: print the
// exact decimal expansion and round on its first dropped digit.
RoundedDigits RoundByText(double value, int decimals)
{
    char buf[400];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals + 30);
    std::string text = ec == std::errc() ? std::string(buf, end) : std::string("0.") + std::string(decimals + 30, '0');
    const auto point = text.find('.');
    std::string digits = text.substr(0, point) + text.substr(point + 1, decimals);
    if (text[point + 1 + decimals] >= '5') {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0)
            ++digits[i];
        else
            digits.insert(digits.begin(), '1');
    }
    const std::size_t intLen = digits.size() - decimals;
    RoundedDigits out {digits.substr(0, intLen), digits.substr(intLen)};
    const auto firstNonZero = out.integer.find_first_not_of('0');
    out.integer = firstNonZero == std::string::npos ? std::string() : out.integer.substr(firstNonZero);
    return out;
}

std::string GroupThousands(const std::string &integer)
{
    const std::size_t n = integer.size();
    if (n < 4 || n > 9)
        return integer;
    std::string out;
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += ',';
        out += integer[i];
    }
    return out;
}

std::string JoinDigits(const RoundedDigits &d, bool grouped)
{
    if (d.integer.empty() && d.fraction.find_first_not_of('0') == std::string::npos)
        return "0." + d.fraction;
    return (grouped ? GroupThousands(d.integer) : d.integer) + "." + d.fraction;
}

locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

} // namespace

RoundedDigits RoundToDigits(double value, int decimals)
{
    if (decimals < 0 || decimals > 3)
        decimals = 2;
    double magnitude = std::fabs(value);
    if (!std::isfinite(magnitude))
        magnitude = 0;
    const double scale = kPowersOfTen[decimals];
    if (magnitude * scale >= kExactUnitsLimit)
        return RoundByText(magnitude, decimals);

    const auto units = static_cast<std::uint64_t>(RoundHalfAwayUnits(magnitude, scale));
    std::string digits = std::to_string(units);
    if (digits.size() <= static_cast<std::size_t>(decimals))
        return {std::string(), std::string(decimals - digits.size(), '0') + digits};
    const std::size_t intLen = digits.size() - decimals;
    return {digits.substr(0, intLen), digits.substr(intLen)};
}

std::string FormatMoney(double value, int multiplier)
{
    return JoinDigits(RoundToDigits(value * multiplier, 2), true);
}

std::string FormatMoneyScaled(double value, double multiplier)
{
    return JoinDigits(RoundToDigits(value * multiplier, 2), true);
}

std::string FormatOneDecimal(double value)
{
    return JoinDigits(RoundToDigits(value, 1), false);
}

std::string FormatRate(double percent)
{
    RoundedDigits d = RoundToDigits(percent, 3);
    if (d.fraction.back() == '0')
        d.fraction.pop_back();
    return (d.integer.empty() ? "0" : d.integer) + "." + d.fraction;
}

namespace {

std::string WithSign(double value, std::string magnitude)
{
    const bool zero = magnitude.find_first_not_of("0.") == std::string::npos;
    return value < 0 && !zero ? "-" + magnitude : magnitude;
}

} // namespace

std::string SignedMoney(double value)
{
    return WithSign(value, FormatMoney(value));
}

std::string SignedOneDecimal(double value)
{
    return WithSign(value, FormatOneDecimal(value));
}

std::string PlainAmountText(double value)
{
    return JoinDigits(RoundToDigits(value, 2), false);
}

std::string CleanNumberText(std::string_view text)
{
    if (text.size() >= 20)
        return {};
    std::string out;
    for (char c : text) {
        if ((c >= '0' && c <= '9') || c == '.')
            out += c;
        else if (c != '$' && c != '%' && c != ',')
            return {};
    }
    return out;
}

double TextToDouble(std::string_view text)
{
    // Plain amounts ("187500", "1412.80") are read without the C library: with at most
    // 15 digits the digits make an exact double, and so does the power of ten, so the one
    // correctly rounded division gives the double strtod gives.
    static constexpr double kPowersOfTen[]
        = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    long long digits = 0;
    int count = 0;
    int decimals = -1; // digits after the point, -1 before it
    bool plain = !text.empty() && text.size() <= 16;
    for (std::size_t i = 0; plain && i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = digits * 10 + (c - '0');
            ++count;
            if (decimals >= 0)
                ++decimals;
        } else if (c == '.' && decimals < 0) {
            decimals = 0;
        } else {
            plain = false;
        }
    }
    if (plain && count > 0 && count <= 15)
        return static_cast<double>(digits) / kPowersOfTen[decimals > 0 ? decimals : 0];

    const std::string copy(text);
    return strtod_l(copy.c_str(), nullptr, CLocale());
}

int TextToInt(std::string_view text)
{
    if (!text.empty() && text.size() <= 9
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        int v = 0;
        for (const char c : text)
            v = v * 10 + (c - '0');
        return v;
    }
    const std::string copy(text);
    const long long v = strtoll_l(copy.c_str(), nullptr, 10, CLocale());
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

} // namespace tw
