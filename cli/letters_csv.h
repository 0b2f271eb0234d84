#pragma once

#include "rules/vendor_checks.h"

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tw::cli {

// One record of a CSV file and the line it starts on (1-based).
struct CsvRow {
    int line = 0;
    std::vector<std::string> fields;
};
struct CsvTable {
    std::vector<CsvRow> rows; // the header first; lines without any text are skipped
    std::string error; // a quote left open, with its line
};
// Commas between fields, fields in double quotes may hold commas, line breaks and ""
// for a quote; CRLF or LF line ends; a UTF-8 byte order mark is dropped.
CsvTable ParseCsv(std::string_view text);

// Which column holds each field of the vendor form, from the header's profile keys
// (in any order). Unknown, repeated or missing required columns make `error` say so.
struct ProspectColumns {
    std::vector<int> columnOfKey; // by the index in VendorFormKeys(); -1 for a missing column
    std::string error;
};
ProspectColumns ReadProspectHeader(const std::vector<std::string> &header);

// The form a data row fills in: a missing optional column reads as empty, an empty
// CurrentDate as `today`, and Variable is ticked when a highest rate is given. Returns
// the complaint when the row has a different number of fields than the header.
std::string ProspectForm(const CsvRow &row, const ProspectColumns &columns, std::size_t headerFields,
    const std::string &today, VendorForm &form);

// "Ellison-Margaret.pdf": the prospect's last and first names in letters, digits, "-"
// and "_" only, with "-2", "-3" ... for a name already `used`; "line-N.pdf" for a row
// without a usable name. Adds the name to `used` (compared without case).
std::string LetterFileName(const VendorForm &form, int line, std::set<std::string> &used);

} // namespace tw::cli
