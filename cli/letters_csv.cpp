#include "cli/letters_csv.h"

#include <algorithm>
#include <cctype>

namespace tw::cli {

namespace {

// The columns a prospect may leave out; every other key of the form must be there.
bool IsOptionalKey(std::string_view key)
{
    static const std::set<std::string_view> optional
        = {"CurrentDate", "FirstName2", "LastName2", "HomePhone", "WorkPhone1", "WorkPhone2", "HighestRate"};
    return optional.count(key) > 0;
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// Letters, digits, "-" and "_" kept; every other run of characters becomes one "-".
std::string SafePart(const std::string &text)
{
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || c == '_' || c == '-')
            out += c;
        else if (!out.empty() && out.back() != '-')
            out += '-';
    }
    while (!out.empty() && out.back() == '-')
        out.pop_back();
    return out.substr(0, 60);
}

} // namespace

CsvTable ParseCsv(std::string_view text)
{
    CsvTable table;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    int line = 1;
    CsvRow row {1, {}};
    std::string field;
    bool quoted = false;
    bool any = false; // the record has any character at all
    int quoteLine = 0;
    auto endField = [&] {
        row.fields.push_back(std::move(field));
        field.clear();
    };
    auto endRecord = [&] {
        endField();
        if (any)
            table.rows.push_back(std::move(row));
        row = CsvRow {line, {}};
        any = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == '\n')
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == '"') {
            quoted = true;
            quoteLine = line;
            any = true;
        } else if (c == ',') {
            endField();
            any = true;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        } else if (c == '\n') {
            ++line;
            endRecord();
        } else {
            field += c;
            any = true;
        }
    }
    if (quoted) {
        table.error = "The quote opened on line " + std::to_string(quoteLine) + " is never closed.";
        return table;
    }
    endRecord();
    return table;
}

ProspectColumns ReadProspectHeader(const std::vector<std::string> &header)
{
    const auto &keys = VendorFormKeys();
    ProspectColumns c;
    c.columnOfKey.assign(keys.size(), -1);
    for (std::size_t col = 0; col < header.size(); ++col) {
        std::string name = header[col];
        while (!name.empty() && name.back() == ' ')
            name.pop_back();
        while (!name.empty() && name.front() == ' ')
            name.erase(name.begin());
        const auto it = std::find_if(keys.begin(), keys.end(), [&](const VendorFormKey &k) { return name == k.key; });
        if (it == keys.end()) {
            c.error = "The header names an unknown column \"" + name + "\" (column " + std::to_string(col + 1) + ").";
            return c;
        }
        int &slot = c.columnOfKey[static_cast<std::size_t>(it - keys.begin())];
        if (slot >= 0) {
            c.error = "The header names the column " + name + " twice.";
            return c;
        }
        slot = static_cast<int>(col);
    }
    for (std::size_t k = 0; k < keys.size(); ++k)
        if (c.columnOfKey[k] < 0 && !IsOptionalKey(keys[k].key)) {
            c.error = std::string("The header has no column ") + keys[k].key + ".";
            return c;
        }
    return c;
}

std::string ProspectForm(const CsvRow &row, const ProspectColumns &columns, std::size_t headerFields,
    const std::string &today, VendorForm &form)
{
    if (row.fields.size() != headerFields)
        return "The row has " + std::to_string(row.fields.size()) + " fields where the header has "
            + std::to_string(headerFields) + ".";
    form = VendorForm {};
    const auto &keys = VendorFormKeys();
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const int col = columns.columnOfKey[k];
        if (col >= 0)
            form.*keys[k].member = row.fields[static_cast<std::size_t>(col)];
    }
    if (form.currentDate.empty())
        form.currentDate = today;
    form.variable = !form.highestRate.empty();
    return {};
}

std::string LetterFileName(const VendorForm &form, int line, std::set<std::string> &used)
{
    std::string stem = SafePart(form.lastName1);
    const std::string first = SafePart(form.firstName1);
    if (!first.empty())
        stem += (stem.empty() ? "" : "-") + first;
    if (stem.empty())
        stem = "line-" + std::to_string(line);
    std::string name = stem;
    for (int n = 2; used.count(Lower(name)); ++n)
        name = stem + "-" + std::to_string(n);
    used.insert(Lower(name));
    return name + ".pdf";
}

} // namespace tw::cli
