#pragma once

#include "rules/vendor_checks.h"

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tw::cli {

// The longest field a prospect's row may hold, in characters: as many as an entry field
// of the program takes. A name or an address pasted a million times over is a mistake.
inline constexpr std::size_t kMaxCsvFieldCharacters = 255;
// A quoted address may run over lines ("Apt 4" under the street), with a comma or two;
// one with this many commas is taken for two rows joined by a stray quote.
inline constexpr long kMaxAddressCommas = 3;
// More fields than a row has any use for, with every column of the form named.
inline constexpr std::size_t kMaxCsvFields = 64;

// One record of a CSV file and the line it starts on (1-based). A record that breaks
// the format carries `error` and as many fields as were read before it.
struct CsvRow {
    int line = 0;
    std::vector<std::string> fields;
    std::string error;
};

// Reads a CSV text record by record, as RFC 4180 has it: fields between commas, either
// unquoted (no quote inside) or in double quotes (which may hold commas, line breaks and
// "" for a quote; only a comma or a line end may follow the closing quote). A record
// that breaks these rules ends at its line's end and is returned with `error`, so no
// record ever takes another's fields. Lines end in LF, CRLF or a lone CR; lines
// without any text are skipped; a UTF-8 byte order mark is dropped.
class CsvReader {
public:
    explicit CsvReader(std::string_view text);
    // The next record; false when there is none.
    bool Next(CsvRow &row);

private:
    bool AtLineEnd() const;
    void SkipLineEnd();
    void SkipRestOfLine();

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

// Which column holds each field of the vendor form, from the header's profile keys
// (in any order). Unknown, repeated or missing required columns make `error` say so.
struct ProspectColumns {
    std::vector<int> columnOfKey; // by the index in VendorFormKeys(); -1 for a missing column
    std::string error;
};
ProspectColumns ReadProspectHeader(const std::vector<std::string> &header);

// The form a data row fills in: a missing optional column reads as empty, an empty
// CurrentDate as `today`, and Variable is ticked when a highest rate is given; the lines
// of an address that holds line breaks are joined with single blanks. Returns the
// complaint when the row broke the CSV rules, has a different number of fields than the
// header, has a field longer than kMaxCsvFieldCharacters, or has a line break in any
// field but the address (or in an address with kMaxAddressCommas commas).
std::string ProspectForm(const CsvRow &row, const ProspectColumns &columns, std::size_t headerFields,
    const std::string &today, VendorForm &form);

// "Ellison-Margaret.pdf", "Nuñez-José.pdf": the prospect's last and first names, with
// letters of any alphabet, digits, "-" and "_" kept and every run of anything a file
// system or a shell would trip on (blanks, slashes, quotes, wildcards, controls,
// invisible and direction marks, broken UTF-8) made one "-"; "-2", "-3" ... for a name
// already `used`; "line-N.pdf" for a row without a usable name. Adds the name to `used`
// (compared without ASCII case).
std::string LetterFileName(const VendorForm &form, int line, std::set<std::string> &used);

} // namespace tw::cli
