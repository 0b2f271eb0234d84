#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tw {

// Help context ids: the dialog id and the control id on top of a common base, so that
// each control of each data-entry screen has its own topic.
inline constexpr int kHelpContextBase = 131072;
constexpr int HelpContextId(int dialogId, int controlId)
{
    return kHelpContextBase + dialogId + controlId;
}

// The controls of a data-entry screen (136, 147, 150, 152) that have help topics;
// empty for any other dialog id.
std::span<const int> HelpControlIds(int dialogId);

// The help file beside the program, and what a control without a topic shows.
inline constexpr std::string_view kHelpFileName = "tallowin-help.ini";
inline constexpr std::string_view kNoHelpText = "No help is available for this field.";

// The topics of the help file: an INI file whose [Help] section maps a help context id
// in decimal to its text. A value is one line; "\n" in it stands for a line break and
// "\\" for a backslash. Section names match ignoring case, blanks around keys and
// values do not count, one pair of quotes around a value is removed, and where an id
// appears twice the first one wins. A missing or unreadable file has no topics.
class CHelpTexts {
public:
    CHelpTexts() = default;
    static CHelpTexts FromText(std::string_view text);
    static CHelpTexts FromFile(const std::string &path);

    std::optional<std::string> Find(int helpContextId) const;
    // The topic, or kNoHelpText when there is none (or it is blank).
    std::string TextFor(int helpContextId) const;
    std::size_t Size() const { return texts_.size(); }

private:
    std::unordered_map<int, std::string> texts_;
};

} // namespace tw
