#include "engine/grid_text.h"

#include "format/number_text.h"

#include <cmath>

namespace tw {

const char *GridFieldHeading(int field)
{
    switch (field) {
    case kGridBalance:
        return "Pricipal Bal";
    case kGridPayment:
        return "Payment";
    case kGridInterest:
        return "Interest";
    case kGridPrincipal:
        return "Principle";
    case kGridExtra:
        return "Principle Reduction";
    case kGridRate:
        return "Interest Rate";
    case kGridAdjustment:
        return "Adjustments";
    default:
        return "";
    }
}

CalendarDate GridPaymentDate(const std::string &startDate, int month)
{
    if (!IsDateText(startDate) || month < 1)
        return {};
    const int m0 = TextToInt(startDate.substr(0, 2));
    const int d0 = TextToInt(startDate.substr(3, 2));
    const int y0 = TextToInt(startDate.substr(6, 4));
    if (m0 < 1 || m0 > 12 || d0 < 1 || d0 > MonthLength(m0, y0))
        return {};
    const int index = (m0 - 1) + (month - 1);
    CalendarDate c;
    c.year = y0 + index / 12;
    c.month = index % 12 + 1;
    const int length = MonthLength(c.month, c.year);
    c.day = d0 < length ? d0 : length;
    return c;
}

namespace {

void AppendTwoDigits(std::string &s, int v)
{
    s += static_cast<char>('0' + (v / 10) % 10);
    s += static_cast<char>('0' + v % 10);
}

} // namespace

std::string GridDateText(const std::string &startDate, int month)
{
    const CalendarDate c = GridPaymentDate(startDate, month);
    if (c.month == 0)
        return {};
    return DateText(c.month, c.day, c.year);
}

std::string GridIsoDate(const std::string &startDate, int month)
{
    const CalendarDate c = GridPaymentDate(startDate, month);
    if (c.month == 0)
        return {};
    std::string s = std::to_string(c.year);
    s += '-';
    AppendTwoDigits(s, c.month);
    s += '-';
    AppendTwoDigits(s, c.day);
    return s;
}

std::string GridNumberText(double value)
{
    const RoundedDigits d = RoundToDigits(value > 0 && std::isfinite(value) ? value : 0, 2);
    return (d.integer.empty() ? std::string("0") : d.integer) + "." + d.fraction;
}

namespace {

// The rate's digits at three decimals when the third is not 0; false otherwise.
bool NeedsThirdDecimal(double rate, RoundedDigits &digits)
{
    if (!(rate > 0) || !std::isfinite(rate))
        return false;
    digits = RoundToDigits(rate, 3);
    return digits.fraction.size() == 3 && digits.fraction[2] != '0';
}

} // namespace

std::string GridRateText(double rate)
{
    RoundedDigits d;
    return NeedsThirdDecimal(rate, d) ? d.integer + "." + d.fraction : FormatMoney(rate);
}

std::string GridRateStoredText(double rate)
{
    RoundedDigits d;
    return NeedsThirdDecimal(rate, d) ? d.integer + "." + d.fraction : PlainAmountText(rate);
}

std::string GridFieldText(int field, double value)
{
    return field == kGridRate ? GridRateText(value) : FormatMoney(value);
}

std::string GridExportText(int field, double value)
{
    RoundedDigits d;
    if (field == kGridRate && NeedsThirdDecimal(value, d))
        return (d.integer.empty() ? std::string("0") : d.integer) + "." + d.fraction;
    return GridNumberText(value);
}

namespace {

constexpr const char *kExportKeys[] = {"Balance", "Payment", "Interest", "Principal", "Extra", "Rate", "Adjustment"};

} // namespace

std::string GridCsv(const GridTable &t)
{
    std::string out = "Month,Date";
    for (const char *key : kExportKeys)
        out += std::string(",") + key;
    out += '\n';
    const int months = GridMonthCount(t);
    for (int n = 1; n <= months; ++n) {
        const GridRow &row = t.Month(n);
        out += std::to_string(n);
        out += ',';
        out += GridIsoDate(t.StartDate, n);
        for (int f = 0; f < kGridFieldCount; ++f) {
            out += ',';
            out += GridExportText(f, GridValue(row, f));
        }
        out += '\n';
    }
    return out;
}

std::string GridJson(const GridTable &t)
{
    std::string out = "[";
    const int months = GridMonthCount(t);
    for (int n = 1; n <= months; ++n) {
        const GridRow &row = t.Month(n);
        out += n > 1 ? ",\n" : "\n";
        out += "{\"Month\":" + std::to_string(n) + ",\"Date\":\"" + GridIsoDate(t.StartDate, n) + "\"";
        for (int f = 0; f < kGridFieldCount; ++f)
            out += std::string(",\"") + kExportKeys[f] + "\":" + GridExportText(f, GridValue(row, f));
        out += '}';
    }
    out += months > 0 ? "\n]\n" : "]\n";
    return out;
}

} // namespace tw
