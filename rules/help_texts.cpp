#include "rules/help_texts.h"

#include <array>
#include <charconv>
#include <fstream>

namespace tw {

namespace {

constexpr std::array<int, 7> kAnalysisHelp {1023, 1031, 1018, 1067, 1025, 1027, 1181};
constexpr std::array<int, 5> kPersonalHelp {1002, 1096, 1100, 1101, 1102};
constexpr std::array<int, 7> kLenderHelp {1086, 1087, 1104, 1030, 1159, 1172, 1092};
constexpr std::array<int, 5> kBankHelp {1020, 1050, 1066, 1085, 1044};

// A help file is a few kilobytes; anything far larger is not one.
constexpr std::size_t kMaxHelpFileBytes = 4 * 1024 * 1024;

std::string_view Trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::string Unescape(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() && (value[i + 1] == 'n' || value[i + 1] == '\\')) {
            out += value[i + 1] == 'n' ? '\n' : '\\';
            ++i;
        } else {
            out += value[i];
        }
    }
    return out;
}

std::optional<int> ParseId(std::string_view key)
{
    int id = 0;
    const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), id);
    if (error != std::errc() || end != key.data() + key.size() || key.empty() || key.front() == '-')
        return std::nullopt;
    return id;
}

} // namespace

std::span<const int> HelpControlIds(int dialogId)
{
    switch (dialogId) {
    case 136:
        return kAnalysisHelp;
    case 147:
        return kPersonalHelp;
    case 150:
        return kBankHelp;
    case 152:
        return kLenderHelp;
    default:
        return {};
    }
}

CHelpTexts CHelpTexts::FromText(std::string_view text)
{
    CHelpTexts help;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    bool inHelp = false;
    bool helpSeen = false; // keys of a repeated section are not read
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view line = Trim(text.substr(0, eol));
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);

        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            const bool isHelp
                = close != std::string_view::npos && EqualsIgnoringCase(Trim(line.substr(1, close - 1)), "Help");
            inHelp = isHelp && !helpSeen;
            helpSeen = helpSeen || isHelp;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inHelp || equals == std::string_view::npos)
            continue;
        const auto id = ParseId(Trim(line.substr(0, equals)));
        if (!id)
            continue;
        std::string_view value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        help.texts_.try_emplace(*id, Unescape(value));
    }
    return help;
}

CHelpTexts CHelpTexts::FromFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::string bytes;
    char chunk[8192];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > kMaxHelpFileBytes)
            return {};
    }
    return FromText(bytes);
}

std::optional<std::string> CHelpTexts::Find(int helpContextId) const
{
    const auto it = texts_.find(helpContextId);
    if (it == texts_.end())
        return std::nullopt;
    return it->second;
}

std::string CHelpTexts::TextFor(int helpContextId) const
{
    auto text = Find(helpContextId);
    if (!text || Trim(*text).empty())
        return std::string(kNoHelpText);
    return std::move(*text);
}

} // namespace tw
