#include "format/dates.h"

#include "format/number_text.h"

#include <algorithm>
#include <array>

namespace tw {

namespace {

constexpr std::array<const char *, 12> kMonthNames = {"January", "February", "March", "April", "May", "June", "July",
    "August", "September", "October", "November", "December"};

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
constexpr long long DaysFromCivil(long long y, int m, int d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr long long kDayZero = DaysFromCivil(1938, 1, 1) - 1;

int ReadNumber(std::string_view text, std::size_t pos, std::size_t len)
{
    if (pos >= text.size())
        return 0;
    return TextToInt(text.substr(pos, len));
}

std::string_view Slice(std::string_view text, std::size_t pos, std::size_t len)
{
    return pos >= text.size() ? std::string_view() : text.substr(pos, len);
}

std::string TwoDigits(int n)
{
    return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n);
}

} // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int MonthLength(int month, int year)
{
    static constexpr int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kLengths[month - 1];
}

bool IsDateText(std::string_view text)
{
    if (text.size() != 10 || text[2] != '/' || text[5] != '/')
        return false;
    for (std::size_t i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

int CheckDate(std::string_view compact)
{
    const int year = ReadNumber(compact, 0, 4);
    const int month = ReadNumber(compact, 4, 2);
    const int day = ReadNumber(compact, 6, 2);
    if (year < 1961 || year > 2049)
        return kDateBadYear;
    if (month < 1 || month > 12)
        return kDateBadMonth;
    if (day < 1 || day > MonthLength(month, year))
        return kDateBadDay;
    return kDateOk;
}

std::string DateText(int month, int day, int year)
{
    return TwoDigits(month) + "/" + TwoDigits(day) + "/" + std::to_string(year);
}

std::string CompactFromDateText(std::string_view dateText)
{
    std::string out;
    out += Slice(dateText, 6, 4);
    out += Slice(dateText, 0, 2);
    out += Slice(dateText, 3, 2);
    return out;
}

int DayNumber(int year, int month, int day)
{
    // The sum of the year lengths from 1938 on, then of the months before `month`,
    // then the day itself, which may run past the month's end.
    long long days = 0;
    if (year > 1938)
        days += DaysFromCivil(year, 1, 1) - DaysFromCivil(1938, 1, 1);
    const int monthsBefore = std::clamp(month - 1, 0, 12);
    for (int m = 1; m <= monthsBefore; ++m)
        days += MonthLength(m, year);
    days += day;
    return static_cast<int>(days);
}

int DayNumber(std::string_view compact)
{
    return DayNumber(ReadNumber(compact, 0, 4), ReadNumber(compact, 4, 2), ReadNumber(compact, 6, 2));
}

int DayNumberOfDateText(std::string_view dateText)
{
    // The usual well-formed text is read digit by digit; anything else goes the long way.
    if (IsDateText(dateText)) {
        const auto digits = [&](std::size_t at, std::size_t n) {
            int v = 0;
            for (std::size_t i = at; i < at + n; ++i)
                v = v * 10 + (dateText[i] - '0');
            return v;
        };
        return DayNumber(digits(6, 4), digits(0, 2), digits(3, 2));
    }
    return DayNumber(CompactFromDateText(dateText));
}

CalendarDate DateOfDay(int dayNumber)
{
    if (dayNumber <= 0)
        return {1, dayNumber, 1938};
    // civil_from_days (H. Hinnant), shifted so that day 1 is 1 January 1938.
    const long long z = dayNumber + kDayZero + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int y = static_cast<int>(yoe + era * 400 + (m <= 2));
    return {m, d, y};
}

std::string DateTextOfDay(int dayNumber)
{
    const CalendarDate c = DateOfDay(dayNumber);
    return DateText(c.month, c.day, c.year);
}

int MonthOfDay(int dayNumber)
{
    return DateOfDay(dayNumber).month;
}

int SameDayPreviousMonth(int dayNumber)
{
    CalendarDate c = DateOfDay(dayNumber);
    if (--c.month < 1) {
        c.month = 12;
        --c.year;
    }
    return DayNumber(c.year, c.month, c.day);
}

int SameDayNextMonth(int dayNumber)
{
    CalendarDate c = DateOfDay(dayNumber);
    if (++c.month > 12) {
        c.month = 1;
        ++c.year;
    }
    return DayNumber(c.year, c.month, c.day);
}

std::string MonthName(std::string_view text)
{
    const int month = ReadNumber(text, 0, 2);
    return month >= 1 && month <= 12 ? kMonthNames[month - 1] : std::string();
}

std::string LongDateText(std::string_view compact)
{
    std::string_view day = Slice(compact, 6, 2);
    if (day.size() == 2 && day[0] == '0')
        day.remove_prefix(1);
    std::string out = MonthName(Slice(compact, 4, 2));
    out += " ";
    out += day;
    out += ", ";
    out += Slice(compact, 0, 4);
    return out;
}

} // namespace tw
