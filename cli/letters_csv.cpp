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

// The code point of the UTF-8 character at `at` and its length in bytes; 0 for bytes
// that are no well-formed character.
std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t &cp)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
        least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
        least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

// Whether a character may stand in a file name as it is. In ASCII only letters, digits
// and "_": everything else there means something to a shell or a file system, and "-"
// at the start of a name would read as an option. Beyond ASCII every character but the
// invisible ones: controls, blanks, joiners and direction marks (which make a name look
// like another), private use and the specials.
bool KeptInFileName(char32_t cp)
{
    if (cp < 0x80)
        return (cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z') || (cp >= '0' && cp <= '9') || cp == '_';
    constexpr std::pair<char32_t, char32_t> kInvisible[] = {{0x80, 0xA0}, {0xAD, 0xAD}, {0x061C, 0x061C},
        {0x1680, 0x1680}, {0x180E, 0x180E}, {0x2000, 0x200F}, {0x2028, 0x202F}, {0x205F, 0x206F}, {0x3000, 0x3000},
        {0xE000, 0xF8FF}, {0xFEFF, 0xFEFF}, {0xFFF0, 0xFFFF}, {0xE0000, 0x10FFFF}};
    for (const auto &[first, last] : kInvisible)
        if (cp >= first && cp <= last)
            return false;
    return true;
}

// The kept characters of a name, each run of others made one "-", at most 60 bytes
// (never half a character): two parts and a number stay far below a file name's 255.
std::string SafePart(const std::string &text)
{
    constexpr std::size_t kMaxBytes = 60;
    std::string out;
    bool gap = false;
    for (std::size_t at = 0; at < text.size();) {
        char32_t cp = 0;
        const std::size_t length = DecodeUtf8(text, at, cp);
        if (length == 0 || !KeptInFileName(cp)) {
            gap = true;
            at += length == 0 ? 1 : length;
            continue;
        }
        const bool dash = gap && !out.empty();
        if (out.size() + (dash ? 1 : 0) + length > kMaxBytes)
            break;
        if (dash)
            out += '-';
        gap = false;
        out.append(text, at, length);
        at += length;
    }
    return out;
}

std::size_t Characters(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The lines of a quoted field joined with single blanks: "Apt 4\nBuilding" is the
// address "Apt 4 Building" on a letter, not "Apt 4Building".
std::string JoinedLines(const std::string &text)
{
    if (text.find_first_of("\r\n") == std::string::npos)
        return text;
    std::string out;
    std::size_t from = 0;
    while (from <= text.size()) {
        auto end = text.find_first_of("\r\n", from);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + from, end - from);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        if (!line.empty())
            out.append(out.empty() ? "" : " ").append(line);
        from = end + 1;
    }
    return out;
}

} // namespace

CsvReader::CsvReader(std::string_view text)
    : text_(text)
{
    if (text_.substr(0, 3) == "\xEF\xBB\xBF")
        text_.remove_prefix(3);
}

bool CsvReader::AtLineEnd() const
{
    return pos_ < text_.size() && (text_[pos_] == '\n' || text_[pos_] == '\r');
}

void CsvReader::SkipLineEnd()
{
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')
        ++pos_;
    ++pos_;
    ++line_;
}

void CsvReader::SkipRestOfLine()
{
    while (pos_ < text_.size() && !AtLineEnd())
        ++pos_;
    if (pos_ < text_.size())
        SkipLineEnd();
}

bool CsvReader::Next(CsvRow &row)
{
    row = CsvRow {};
    while (AtLineEnd())
        SkipLineEnd();
    if (pos_ >= text_.size())
        return false;
    row.line = line_;
    const auto fail = [&](const std::string &error) {
        row.error = error;
        SkipRestOfLine();
        return true;
    };
    for (;;) {
        const std::string number = std::to_string(row.fields.size() + 1);
        std::string field;
        if (pos_ < text_.size() && text_[pos_] == '"') {
            const std::size_t opening = pos_;
            const int openingLine = line_;
            bool closed = false;
            for (++pos_; pos_ < text_.size() && !closed; ++pos_) {
                const char c = text_[pos_];
                if (c == '"' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                    field += '"';
                    ++pos_;
                } else if (c == '"') {
                    closed = true;
                } else {
                    if (c == '\n' || (c == '\r' && (pos_ + 1 == text_.size() || text_[pos_ + 1] != '\n')))
                        ++line_;
                    field += c;
                }
            }
            if (!closed) {
                // No quote follows anywhere: the lines after this one stand on their own.
                pos_ = opening;
                line_ = openingLine;
                return fail("The quote that opens field " + number + " is never closed.");
            }
            if (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd())
                return fail("Field " + number
                    + " goes on after its closing quote; a quote inside a quoted field must be doubled (\"\").");
        } else {
            const std::size_t stop = std::min(text_.find_first_of(",\r\n\"", pos_), text_.size());
            field.assign(text_.substr(pos_, stop - pos_));
            pos_ = stop;
            if (pos_ < text_.size() && text_[pos_] == '"')
                return fail("Field " + number
                    + " holds a quote but does not begin with one; a field with a quote in it must be put in quotes, "
                      "with the quote doubled (\"\").");
        }
        if (row.fields.size() == kMaxCsvFields)
            return fail("The row has more than " + std::to_string(kMaxCsvFields) + " fields.");
        row.fields.push_back(std::move(field));
        if (pos_ < text_.size() && text_[pos_] == ',') {
            ++pos_;
            continue;
        }
        if (pos_ < text_.size())
            SkipLineEnd();
        return true;
    }
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
    if (!row.error.empty())
        return row.error;
    if (row.fields.size() != headerFields)
        return "The row has " + std::to_string(row.fields.size()) + " fields where the header has "
            + std::to_string(headerFields) + ".";
    form = VendorForm {};
    const auto &keys = VendorFormKeys();
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const int col = columns.columnOfKey[k];
        if (col < 0)
            continue;
        const std::string &value = row.fields[static_cast<std::size_t>(col)];
        if (Characters(value) > kMaxCsvFieldCharacters)
            return std::string("The ") + keys[k].key + " field is longer than " + std::to_string(kMaxCsvFieldCharacters)
                + " characters.";
        // A stray quote at the start of a field and another at the end of a field on a
        // later line make one valid record of two rows, with one prospect's address in
        // another's letter. Only an address has lines of its own, and never a row's worth
        // of commas.
        if (value.find_first_of("\r\n") != std::string::npos) {
            const std::string joined = " A quote at its start may be a stray one that joined this row with the next.";
            if (std::string_view(keys[k].key) != "Address")
                return std::string("The ") + keys[k].key + " field runs over more than one line." + joined;
            if (std::count(value.begin(), value.end(), ',') >= kMaxAddressCommas)
                return "The Address field runs over more than one line and holds "
                    + std::to_string(std::count(value.begin(), value.end(), ',')) + " commas." + joined;
        }
        form.*keys[k].member = JoinedLines(value);
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
