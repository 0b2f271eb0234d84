#pragma once

#include "engine/analysis.h"

#include <ctime>
#include <string>

namespace tw {

class CClientRecord;

// The files a client takes home beside the printed schedule of debit dates. Both list
// the range of debits PrepareDebitSchedule found, as the printout lists them.
enum class DebitExport { Calendar, Csv };

// "Debit,Date,Amount,Fee,TotalDebited", then one line per debit: its number, ISO date,
// the half payment, the service charge and what leaves the account, two decimals each.
std::string DebitScheduleCsv(const LoanAnalysis &a);

// An iCalendar file (RFC 5545): one all-day event that recurs every 14 days from the
// first debit for as many debits as the schedule prints, with a reminder on the morning
// of the third business day before each, the last day the bank can still stop it; and
// an all-day event on each mortgage payment that takes a third debit to principal.
// `stamp` is the moment of writing (DTSTAMP). Names the bank and only the last four
// digits of the account. Lines end in CRLF and are folded at 75 octets.
std::string DebitCalendarIcs(const CClientRecord &record, std::time_t stamp);

// "Bi-weekly mortgage debit $709.85": what the client sees leave the account, the
// half payment and the service charge together, as the bank statement shows it.
std::string DebitEventTitle(const LoanAnalysis &a);

// The file name a save offers first: "debit-dates.ics", "debit-schedule.csv".
const char *DefaultDebitExportName(DebitExport kind);

// Writes the file for the record's prepared range of debits to `path`, readable by its
// owner only and replaced atomically, as the printouts are. "" when written; otherwise
// the message for the user (no plan yet, the path names the client's profile, or why
// the file could not be written).
std::string SaveDebitExport(
    DebitExport kind, const CClientRecord &record, const std::string &path, const std::string &profilePath);

} // namespace tw
