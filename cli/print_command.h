#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QGuiApplication;

namespace tw {

class CClientRecord;

// Fonts and PDF output need Qt's GUI application: one on the offscreen platform (unless
// the caller chose another) when none runs yet; null when one already does.
std::unique_ptr<QGuiApplication> EnsureGuiApplication();

// `tallowin-cli print enrollment|schedule --profile FILE [--today MM/DD/YYYY] --pdf OUT.pdf`
// with `args` the words after "print". Loads the client from the profile, runs the
// demonstration's calculation for the date given (today's local date by default),
// keeps a stored additional payment above 0 as the comparison screen's OK does, and
// writes the printout as a PDF. Returns 0 when written, 2 when the arguments or the
// stored data are refused (the reason on `err`), 1 when the file could not be written.
int RunPrintCommand(const std::vector<std::string> &args);
int RunPrintCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

// `tallowin-cli export ics|schedule-csv --profile FILE [--today MM/DD/YYYY] --out FILE`:
// the debit dates as an iCalendar file or the schedule as CSV, from the same calculation
// as `print schedule`, written privately. Exit codes as for printing.
int RunExportCommand(const std::vector<std::string> &args);
int RunExportCommand(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

// The calculation a printout needs, on a record loaded from the profile: the loan-entry
// checks (without the names), SetUpDebitDates, ComputeSchedules, the summary figures,
// the stored additional payment, and for the debit schedule its range of dates.
// Returns the reason in words when the record cannot be printed.
std::optional<std::string> PrepareRecordForPrint(CClientRecord &record, const std::string &today, int printType);

} // namespace tw
