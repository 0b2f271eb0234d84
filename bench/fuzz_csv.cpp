// libFuzzer target for the bulk letters' CSV reader and the file names made from what
// it reads. Built and run by scripts/fuzz-csv with clang; not part of the CMake build.

#include "cli/letters_csv.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A broken invariant is reported as a crash so that libFuzzer keeps the input.
void Check(bool ok)
{
    if (!ok) {
        __builtin_trap();
    }
}

bool IsUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

// The record as the standard writes it: every field quoted, quotes doubled.
std::string Quoted(const std::vector<std::string> &fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        line += i == 0 ? "\"" : ",\"";
        for (const char c : fields[i])
            line += c == '"' ? std::string("\"\"") : std::string(1, c);
        line += '"';
    }
    return line + "\r\n";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    int lines = 1;
    for (std::size_t i = 0; i < size; ++i)
        lines += input[i] == '\n' || (input[i] == '\r' && (i + 1 == size || input[i + 1] != '\n'));

    tw::cli::CsvReader reader(input);
    std::vector<std::vector<std::string>> whole;
    std::string rewritten;
    std::set<std::string> used;
    int lastLine = 0;
    std::size_t bytes = 0;
    for (tw::cli::CsvRow row; reader.Next(row);) {
        // Records come in the order of their lines, each from a line of the file, and
        // hold no more than the file did.
        Check(row.line > lastLine && row.line <= lines);
        lastLine = row.line;
        Check(row.fields.size() <= tw::cli::kMaxCsvFields);
        for (const std::string &field : row.fields)
            bytes += field.size();
        Check(bytes <= input.size());
        if (row.error.empty()) {
            whole.push_back(row.fields);
            rewritten += Quoted(row.fields);
        }

        // A letter's file name: one name in the folder, nothing a shell or a file system
        // trips on, whole UTF-8 characters, never used twice.
        tw::VendorForm form;
        form.lastName1 = row.fields.empty() ? "" : row.fields[0];
        form.firstName1 = row.fields.size() < 2 ? "" : row.fields[1];
        const std::string name = tw::cli::LetterFileName(form, row.line, used);
        Check(name.size() <= 255 && name.size() > 4 && name.substr(name.size() - 4) == ".pdf");
        Check(name.front() != '-' && name.front() != '.');
        for (const char c : name.substr(0, name.size() - 4)) {
            const auto u = static_cast<unsigned char>(c);
            Check(u >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'
                || c == '-');
        }
        Check(IsUtf8(name));
    }

    // What was read whole reads back the same once written as the standard writes it.
    tw::cli::CsvReader again(rewritten);
    for (const auto &fields : whole) {
        tw::cli::CsvRow row;
        Check(again.Next(row) && row.error.empty() && row.fields == fields);
    }
    tw::cli::CsvRow extra;
    Check(!again.Next(extra));
    return 0;
}
