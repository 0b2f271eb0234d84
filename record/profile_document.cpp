#include "record/profile_document.h"

#include <algorithm>

namespace tw {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view Unquote(std::string_view v)
{
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

enum class Kind { Other, Header, Key };

struct Parsed {
    Kind kind = Kind::Other;
    std::string_view name; // section or key name
    std::size_t equals = std::string::npos;
};

Parsed ParseLine(std::string_view text)
{
    std::size_t p = 0;
    while (p < text.size() && IsBlank(text[p]))
        ++p;
    if (p == text.size() || text[p] == ';' || text[p] == '#')
        return {};
    if (text[p] == '[') {
        const auto close = text.find(']', p + 1);
        if (close == std::string_view::npos)
            return {};
        return {Kind::Header, Trim(text.substr(p + 1, close - p - 1))};
    }
    const auto eq = text.find('=', p);
    if (eq == std::string_view::npos)
        return {};
    const auto key = Trim(text.substr(p, eq - p));
    if (key.empty())
        return {};
    return {Kind::Key, key, eq};
}

bool HasLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

std::string FoldCase(std::string_view text)
{
    std::string out(text);
    for (char &c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string ProfileEntryProblem(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string where = std::string(section) + " / " + std::string(key);
    if (section.empty() || Trim(section) != section || HasLineBreak(section)
        || section.find(']') != std::string_view::npos)
        return "the section name \"" + std::string(section) + "\" cannot stand in the file";
    if (key.empty() || Trim(key) != key || HasLineBreak(key) || key.find('=') != std::string_view::npos
        || key.front() == '[' || key.front() == ';' || key.front() == '#')
        return "the key name \"" + std::string(key) + "\" cannot stand in the file";
    if (HasLineBreak(value))
        return "the " + where + " text contains a line break, which the file cannot hold";
    return {};
}

std::string ProfileDocument::EncodeValue(std::string_view value)
{
    if (value.empty())
        return {};
    const bool blankEnds = IsBlank(value.front()) || IsBlank(value.back());
    if (blankEnds || Unquote(value).size() != value.size())
        return "\"" + std::string(value) + "\"";
    return std::string(value);
}

ProfileDocument ProfileDocument::Parse(std::string_view bytes)
{
    ProfileDocument doc;
    if (bytes.substr(0, kBom.size()) == kBom) {
        doc.bom_ = true;
        bytes.remove_prefix(kBom.size());
    }
    doc.sections_.emplace_back();
    bool newlineSeen = false;
    std::size_t keyCount = 0;
    // Lines that are no header and no key join the run before them, copied once when
    // the run ends: a file of millions of blank lines costs its bytes, not a record for
    // every line.
    Line *run = nullptr;
    std::size_t runStart = 0;
    std::size_t runEnd = 0;
    const auto endRun = [&] {
        if (run)
            run->text.assign(bytes.substr(runStart, runEnd - runStart));
        run = nullptr;
    };
    for (std::size_t at = 0; at < bytes.size();) {
        // A line ends at LF, CRLF or a lone CR (an old editor's line end), as INI readers
        // take them; a CR read into a value would make every later save refuse it.
        const std::size_t end = std::min(bytes.find_first_of("\r\n", at), bytes.size());
        const std::string_view text = bytes.substr(at, end - at);
        const std::size_t lineStart = at;
        LineEnd lineEnd;
        if (end == bytes.size()) {
            lineEnd = LineEnd::None;
            at = end;
        } else if (bytes[end] == '\n') {
            lineEnd = LineEnd::Lf;
            at = end + 1;
        } else if (end + 1 < bytes.size() && bytes[end + 1] == '\n') {
            lineEnd = LineEnd::CrLf;
            at = end + 2;
        } else {
            lineEnd = LineEnd::Cr;
            at = end + 1;
        }
        if (lineEnd != LineEnd::None && !newlineSeen) {
            doc.newline_ = lineEnd;
            newlineSeen = true;
        }
        const Parsed parsed = ParseLine(text);
        if (parsed.kind == Kind::Other && run) {
            run->end = lineEnd;
            runEnd = end;
            continue;
        }
        endRun();
        if (parsed.kind == Kind::Header) {
            if (doc.sections_.size() > kMaxProfileSections)
                return TooMany();
            Section section;
            section.name = std::string(parsed.name);
            const std::string folded = FoldCase(section.name);
            // An empty name ("[]") still closes the section before it but can never be addressed.
            if (!folded.empty())
                doc.sectionIndex_.try_emplace(folded, static_cast<int>(doc.sections_.size()));
            doc.sections_.push_back(std::move(section));
        }
        Section &current = doc.sections_.back();
        Line line {std::string(), lineEnd, std::string::npos, parsed.kind == Kind::Other};
        if (parsed.kind == Kind::Key) {
            if (++keyCount > kMaxProfileKeys)
                return TooMany();
            line.equals = parsed.equals;
            current.keys.try_emplace(FoldCase(parsed.name), current.lines.size());
            current.lastKeyLine = current.lines.size();
        }
        current.lines.push_back(std::move(line));
        if (parsed.kind == Kind::Other) {
            run = &current.lines.back();
            runStart = lineStart;
            runEnd = end;
        } else {
            current.lines.back().text = std::string(text);
        }
    }
    endRun();
    return doc;
}

ProfileDocument ProfileDocument::TooMany()
{
    ProfileDocument doc;
    doc.sections_.emplace_back();
    doc.tooManyEntries_ = true;
    return doc;
}

std::string_view ProfileDocument::LineEndText(LineEnd end)
{
    switch (end) {
    case LineEnd::Lf:
        return "\n";
    case LineEnd::CrLf:
        return "\r\n";
    case LineEnd::Cr:
        return "\r";
    case LineEnd::None:
        break;
    }
    return {};
}

std::string ProfileDocument::Serialize() const
{
    std::size_t size = bom_ ? kBom.size() : 0;
    for (const auto &section : sections_) {
        for (const auto &line : section.lines)
            size += line.text.size() + 2;
    }
    std::string out;
    out.reserve(size);
    if (bom_)
        out += kBom;
    for (const auto &section : sections_) {
        for (const auto &line : section.lines) {
            out += line.text;
            out += LineEndText(line.end);
        }
    }
    return out;
}

int ProfileDocument::FindSection(std::string_view section) const
{
    const auto it = sectionIndex_.find(FoldCase(section));
    return it == sectionIndex_.end() ? -1 : it->second;
}

std::optional<std::string> ProfileDocument::Find(int section, std::string_view key) const
{
    if (section < 0 || section >= static_cast<int>(sections_.size()))
        return std::nullopt;
    const Section &s = sections_[static_cast<std::size_t>(section)];
    const auto it = s.keys.find(FoldCase(key));
    if (it == s.keys.end())
        return std::nullopt;
    const Line &line = s.lines[it->second];
    return std::string(Unquote(Trim(std::string_view(line.text).substr(line.equals + 1))));
}

std::optional<std::string> ProfileDocument::Find(std::string_view section, std::string_view key) const
{
    return Find(FindSection(section), key);
}

ProfileDocument::Line *ProfileDocument::LastLine()
{
    for (auto it = sections_.rbegin(); it != sections_.rend(); ++it) {
        if (!it->lines.empty())
            return &it->lines.back();
    }
    return nullptr;
}

bool ProfileDocument::Set(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string foldedSection = FoldCase(section);
    auto found = sectionIndex_.find(foldedSection);
    if (found == sectionIndex_.end()) {
        // A new section goes at the end, after a blank line when the file has text.
        if (Line *last = LastLine()) {
            if (last->end == LineEnd::None)
                last->end = newline_;
            const auto lastLineStart = last->text.find_last_of("\r\n");
            const std::string_view lastLine
                = std::string_view(last->text).substr(lastLineStart == std::string::npos ? 0 : lastLineStart + 1);
            if (!Trim(lastLine).empty())
                sections_.back().lines.push_back(Line {std::string(), newline_, std::string::npos, true});
        }
        Section added;
        added.name = std::string(section);
        added.lines.push_back(Line {"[" + std::string(section) + "]", newline_, std::string::npos, false});
        found = sectionIndex_.emplace(foldedSection, static_cast<int>(sections_.size())).first;
        sections_.push_back(std::move(added));
    }
    Section &s = sections_[static_cast<std::size_t>(found->second)];
    const std::string encoded = EncodeValue(value);

    const std::string foldedKey = FoldCase(key);
    if (const auto k = s.keys.find(foldedKey); k != s.keys.end()) {
        Line &line = s.lines[k->second];
        // Keep the key as spelt and the blanks after "=", so only the value changes.
        std::size_t valueStart = line.equals + 1;
        while (valueStart < line.text.size() && (line.text[valueStart] == ' ' || line.text[valueStart] == '\t'))
            ++valueStart;
        std::string text = line.text.substr(0, valueStart) + encoded;
        if (text == line.text)
            return false;
        line.text = std::move(text);
        return true;
    }

    const std::size_t at = s.lines.empty() ? 0 : s.lastKeyLine + 1;
    if (at > 0 && s.lines[at - 1].end == LineEnd::None)
        s.lines[at - 1].end = newline_;
    Line line {std::string(key) + "=" + encoded, newline_, key.size(), false};
    s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    s.keys.emplace(foldedKey, at);
    s.lastKeyLine = at;
    return true;
}

} // namespace tw
