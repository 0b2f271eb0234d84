#pragma once

// The grid's texts: column headings, payment dates, and the table as CSV and JSON.

#include "engine/grid.h"
#include "format/dates.h"

#include <string>

namespace tw {

// The column headings of fields, as the grid shows them.
const char *GridFieldHeading(int field);

// Payment date of a month: the start date advanced month by month, keeping its day
// except where a month is shorter (01/31 is followed by 02/28 or 02/29). An invalid
// start date gives an invalid date (month 0) and empty texts.
CalendarDate GridPaymentDate(const std::string &startDate, int month);
std::string GridDateText(const std::string &startDate, int month); // MM/DD/YYYY
std::string GridIsoDate(const std::string &startDate, int month); // YYYY-MM-DD

// A rate as the grid shows, stores and exports it: two decimals, or three when the
// third is not 0, since adjustable rates move in eighths of a percent (6.125). A rate
// of two decimals reads exactly as before: "7.50" shown and stored, "7.50" exported.
std::string GridRateText(double rate); // shown: 7.50, 6.125, .50
std::string GridRateStoredText(double rate); // profile: 7.50, 6.125, .125
// A field's value as the grid shows it: money text, rates as above.
std::string GridFieldText(int field, double value);
// A field's value as the exports write it: GridNumberText, rates as above with a 0
// before the point.
std::string GridExportText(int field, double value);

// The table as comma-separated values and as JSON: one header row (or object keys)
// Month,Date,Balance,Payment,Interest,Principal,Extra,Rate,Adjustment, one row per
// month of the table, ISO dates, plain numbers with two decimals (rates: GridRateText).
std::string GridCsv(const GridTable &t);
std::string GridJson(const GridTable &t);
// A figure as the exports write it: two decimals, no separators, "0.25" below 1.
std::string GridNumberText(double value);

} // namespace tw
