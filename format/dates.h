#pragma once

#include <string>
#include <string_view>

namespace tw {

// Day numbers count days from 1 January 1938 (day 1), Gregorian leap years.
struct CalendarDate {
    int month = 0;
    int day = 0;
    int year = 0;
};

bool IsLeapYear(int year);
int MonthLength(int month, int year);

// True for exactly "MM/DD/YYYY": ten characters, digits, "/" at positions 3 and 6.
bool IsDateText(std::string_view text);

// Validity of a compact date YYYYMMDD: 0 valid, 20 bad month, 21 bad day,
// 22 year outside 1961..2049. The checks stop at the first failure in that order.
enum : int { kDateOk = 0, kDateBadMonth = 20, kDateBadDay = 21, kDateBadYear = 22 };
int CheckDate(std::string_view compact);

// "MM/DD/YYYY" with leading zeros.
std::string DateText(int month, int day, int year);
// "MM/DD/YYYY" rearranged to YYYYMMDD (characters 7-10, 1-2, 4-5).
std::string CompactFromDateText(std::string_view dateText);

// Day number of a compact date; a day past the month's end counts on into the next.
int DayNumber(std::string_view compact);
int DayNumber(int year, int month, int day);
// Day number of a "MM/DD/YYYY" text.
int DayNumberOfDateText(std::string_view dateText);

CalendarDate DateOfDay(int dayNumber);
std::string DateTextOfDay(int dayNumber);
int MonthOfDay(int dayNumber);
int SameDayPreviousMonth(int dayNumber);
int SameDayNextMonth(int dayNumber);

// Month name of the number in the first two characters, "" for anything else.
std::string MonthName(std::string_view text);
// "January 5, 1999" for 19990105.
std::string LongDateText(std::string_view compact);

} // namespace tw
