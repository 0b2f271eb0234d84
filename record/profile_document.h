#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tw {

// The text of an INI profile held line by line, so that a change rewrites only the line
// it touches and everything else (comments, unknown keys, odd lines, a byte-order mark,
// any mix of LF, CRLF and CR line ends, the order) comes out byte for byte as it went in.
//
// Reading follows the platform's profile-string rules: section and key names match
// ignoring ASCII case, surrounding blanks are not part of a name or value, one pair of
// matching quotes around a value is removed, and where a section or a key appears twice
// the first one wins (keys of a repeated section are not seen). Lines that are neither a
// "[section]" header nor a "key=value" pair are kept untouched and otherwise ignored;
// so are pairs that stand before the first header.
//
// A file with more sections or keys than kMaxProfileSections or kMaxProfileKeys is not
// taken in at all (TooManyEntries): no real profile comes near, and memory and time
// stay in proportion to the file's size whatever it is made of.
inline constexpr std::size_t kMaxProfileSections = 10000;
inline constexpr std::size_t kMaxProfileKeys = 100000;

class ProfileDocument {
public:
    static ProfileDocument Parse(std::string_view bytes);
    std::string Serialize() const;
    // Parse found more sections or keys than the limits; the document is then empty.
    bool TooManyEntries() const { return tooManyEntries_; }

    // Index of the section a read or write of that name goes to, or -1.
    int FindSection(std::string_view section) const;
    std::optional<std::string> Find(int section, std::string_view key) const;
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // Replaces the key's value in place, or adds the key at the end of its section (and
    // the section at the end of the file). Names and value must have passed
    // ProfileEntryProblem. Returns whether the file's text changed.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    // How a value is stored on its line so that reading gives it back unchanged:
    // quoted when blanks at either end or a surrounding pair of quotes would be lost.
    static std::string EncodeValue(std::string_view value);

private:
    enum class LineEnd : unsigned char { None, Lf, CrLf, Cr };
    // A header, a key line, or a run of other lines held as one (comments, blank lines,
    // odd text): `text` then holds every line of the run with its line end but the last.
    struct Line {
        std::string text;
        LineEnd end = LineEnd::Lf;
        std::size_t equals = std::string::npos; // position of '=' on a key line
        bool other = false;
    };
    struct Section {
        std::string name; // empty for the lines before the first header
        std::vector<Line> lines; // the header line first, when there is one
        std::unordered_map<std::string, std::size_t> keys; // folded key -> first line
        std::size_t lastKeyLine = 0; // new keys go after this line
    };

    Line *LastLine();
    static ProfileDocument TooMany();
    static std::string_view LineEndText(LineEnd end);

    bool bom_ = false;
    bool tooManyEntries_ = false;
    LineEnd newline_ = LineEnd::Lf;
    std::vector<Section> sections_; // [0] holds what stands before any header
    std::unordered_map<std::string, int> sectionIndex_; // folded name -> first section
};

// Why a section, key and value cannot be written to a profile line, in words for the
// user ("" when they can): a line break in the value would split it into other lines.
std::string ProfileEntryProblem(std::string_view section, std::string_view key, std::string_view value);

// ASCII case folding as the profile's name matching uses it.
std::string FoldCase(std::string_view text);

} // namespace tw
