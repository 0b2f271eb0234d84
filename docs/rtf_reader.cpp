#include "docs/rtf_reader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tw {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char32_t kLineSeparator = 0x2028;
// Parameters are read as 32-bit values; longer digit strings saturate.
constexpr std::int64_t kParameterLimit = 2147483647;
constexpr int kMaxTwips = 31680; // 22 inches, far beyond any page
constexpr int kMaxHalfPoints = 3276;
constexpr std::size_t kMaxFontNameBytes = 128;

enum class Destination : std::uint8_t { Text, Skip, FontTable, ColorTable };

struct GroupState {
    int font = -1; // -1: the document's default font (\deff)
    int sizeHalfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int color = 0; // index into the colour table; out of range: automatic
    int unicodeSkip = 1;
    Destination destination = Destination::Text;
    ParagraphFormat paragraph;
};

enum class Word : std::uint8_t {
    Bold,
    Binary,
    Blue,
    ColorIndex,
    ColorTable,
    DefaultFont,
    FirstIndent,
    Font,
    FontSize,
    FontTable,
    Green,
    Italic,
    LeftIndent,
    Line,
    ParagraphEnd,
    ParagraphDefaults,
    Plain,
    AlignCenter,
    AlignJustify,
    AlignLeft,
    AlignRight,
    Red,
    RightIndent,
    SkipDestination,
    SpaceAfter,
    SpaceBefore,
    Tab,
    Unicode,
    UnicodeSkip,
    Underline,
    UnderlineNone,
    // Named characters.
    Bullet,
    EmDash,
    EmSpace,
    EnDash,
    EnSpace,
    LeftDoubleQuote,
    LeftQuote,
    QuarterEmSpace,
    RightDoubleQuote,
    RightQuote,
};

struct WordEntry {
    std::string_view name;
    Word word;
};

// Sorted by name for binary search.
constexpr std::array kWords = std::to_array<WordEntry>({
    {"annotation", Word::SkipDestination},
    {"atnauthor", Word::SkipDestination},
    {"atndate", Word::SkipDestination},
    {"atnid", Word::SkipDestination},
    {"atnref", Word::SkipDestination},
    {"author", Word::SkipDestination},
    {"b", Word::Bold},
    {"bin", Word::Binary},
    {"bkmkend", Word::SkipDestination},
    {"bkmkstart", Word::SkipDestination},
    {"blue", Word::Blue},
    {"bullet", Word::Bullet},
    {"buptim", Word::SkipDestination},
    {"cell", Word::Tab},
    {"cf", Word::ColorIndex},
    {"colorschememapping", Word::SkipDestination},
    {"colortbl", Word::ColorTable},
    {"comment", Word::SkipDestination},
    {"company", Word::SkipDestination},
    {"creatim", Word::SkipDestination},
    {"datastore", Word::SkipDestination},
    {"deff", Word::DefaultFont},
    {"doccomm", Word::SkipDestination},
    {"docvar", Word::SkipDestination},
    {"emdash", Word::EmDash},
    {"emspace", Word::EmSpace},
    {"endash", Word::EnDash},
    {"enspace", Word::EnSpace},
    {"f", Word::Font},
    {"falt", Word::SkipDestination},
    {"fi", Word::FirstIndent},
    {"filetbl", Word::SkipDestination},
    {"fldinst", Word::SkipDestination},
    {"fonttbl", Word::FontTable},
    {"footer", Word::SkipDestination},
    {"footerf", Word::SkipDestination},
    {"footerl", Word::SkipDestination},
    {"footerr", Word::SkipDestination},
    {"footnote", Word::SkipDestination},
    {"fs", Word::FontSize},
    {"ftncn", Word::SkipDestination},
    {"ftnsep", Word::SkipDestination},
    {"ftnsepc", Word::SkipDestination},
    {"generator", Word::SkipDestination},
    {"green", Word::Green},
    {"header", Word::SkipDestination},
    {"headerf", Word::SkipDestination},
    {"headerl", Word::SkipDestination},
    {"headerr", Word::SkipDestination},
    {"i", Word::Italic},
    {"info", Word::SkipDestination},
    {"keywords", Word::SkipDestination},
    {"latentstyles", Word::SkipDestination},
    {"ldblquote", Word::LeftDoubleQuote},
    {"li", Word::LeftIndent},
    {"line", Word::Line},
    {"listoverridetable", Word::SkipDestination},
    {"listtable", Word::SkipDestination},
    {"lquote", Word::LeftQuote},
    {"manager", Word::SkipDestination},
    {"nestcell", Word::Tab},
    {"nonshppict", Word::SkipDestination},
    {"objdata", Word::SkipDestination},
    {"object", Word::SkipDestination},
    {"operator", Word::SkipDestination},
    {"page", Word::ParagraphEnd},
    {"panose", Word::SkipDestination},
    {"par", Word::ParagraphEnd},
    {"pard", Word::ParagraphDefaults},
    {"pgdsctbl", Word::SkipDestination},
    {"pict", Word::SkipDestination},
    {"plain", Word::Plain},
    {"printim", Word::SkipDestination},
    {"private", Word::SkipDestination},
    {"qc", Word::AlignCenter},
    {"qj", Word::AlignJustify},
    {"ql", Word::AlignLeft},
    {"qmspace", Word::QuarterEmSpace},
    {"qr", Word::AlignRight},
    {"rdblquote", Word::RightDoubleQuote},
    {"red", Word::Red},
    {"revtbl", Word::SkipDestination},
    {"revtim", Word::SkipDestination},
    {"ri", Word::RightIndent},
    {"row", Word::ParagraphEnd},
    {"rquote", Word::RightQuote},
    {"rsidtbl", Word::SkipDestination},
    {"sa", Word::SpaceAfter},
    {"sb", Word::SpaceBefore},
    {"sect", Word::ParagraphEnd},
    {"stylesheet", Word::SkipDestination},
    {"subject", Word::SkipDestination},
    {"tab", Word::Tab},
    {"tc", Word::SkipDestination},
    {"template", Word::SkipDestination},
    {"themedata", Word::SkipDestination},
    {"title", Word::SkipDestination},
    {"txe", Word::SkipDestination},
    {"u", Word::Unicode},
    {"uc", Word::UnicodeSkip},
    {"ul", Word::Underline},
    {"uld", Word::Underline},
    {"uldash", Word::Underline},
    {"uldashd", Word::Underline},
    {"uldashdd", Word::Underline},
    {"uldb", Word::Underline},
    {"ulhwave", Word::Underline},
    {"ulldash", Word::Underline},
    {"ulnone", Word::UnderlineNone},
    {"ulth", Word::Underline},
    {"ulthd", Word::Underline},
    {"ulthdash", Word::Underline},
    {"ulthdashd", Word::Underline},
    {"ulthdashdd", Word::Underline},
    {"ulthldash", Word::Underline},
    {"ululdbwave", Word::Underline},
    {"ulw", Word::Underline},
    {"ulwave", Word::Underline},
    {"userprops", Word::SkipDestination},
    {"xe", Word::SkipDestination},
    {"xmlnstbl", Word::SkipDestination},
});

static_assert(std::ranges::is_sorted(kWords, {}, &WordEntry::name));

std::optional<Word> LookUpWord(std::string_view name)
{
    const auto it = std::ranges::lower_bound(kWords, name, {}, &WordEntry::name);
    if (it != kWords.end() && it->name == name) {
        return it->word;
    }
    return std::nullopt;
}

// Windows-1252 bytes 0x80 to 0x9F; the five unassigned ones read as U+FFFD.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC,
    0xFFFD,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0xFFFD,
    0x017D,
    0xFFFD,
    0xFFFD,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0xFFFD,
    0x017E,
    0x0178,
};

char32_t FromWindows1252(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0) {
        return kCp1252High[byte - 0x80];
    }
    return byte;
}

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

void AppendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsHighSurrogate(char32_t cp)
{
    return cp >= 0xD800 && cp <= 0xDBFF;
}

bool IsLowSurrogate(char32_t cp)
{
    return cp >= 0xDC00 && cp <= 0xDFFF;
}

// What a document may show: tabs, line breaks and printable characters; other control
// characters are dropped (-1), anything that is not a character reads as U+FFFD.
std::int64_t ShowableCodePoint(char32_t cp)
{
    if (cp == '\t' || cp == kLineSeparator) {
        return cp;
    }
    if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0)) {
        return -1;
    }
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xFFFE || cp == 0xFFFF) {
        return kReplacementCharacter;
    }
    return cp;
}

int Clamp(std::int64_t value, int low, int high)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, low, high));
}

class RtfReader {
public:
    explicit RtfReader(std::string_view input)
        : in_(input.substr(0, std::min(input.size(), kMaxRtfBytes)))
    {
        groups_.reserve(kMaxRtfGroupDepth + 1);
        groups_.emplace_back();
    }

    StyledDocument Read()
    {
        if (in_.starts_with("\xEF\xBB\xBF")) {
            pos_ = 3; // a byte-order mark some editors put before the header
        }
        const auto first = in_.find_first_not_of(" \t\r\n", pos_);
        const bool endsWithFirstGroup = first != std::string_view::npos && in_[first] == '{';
        while (pos_ < in_.size() && !full_) {
            const char c = in_[pos_++];
            if (c == '{') {
                OpenGroup();
            } else if (c == '}') {
                if (CloseGroup() && endsWithFirstGroup && groups_.size() == 1) {
                    break;
                }
            } else if (c == '\r' || c == '\n') {
                // Line ends in the source are not text.
            } else if (c == '\\') {
                ReadControl();
            } else {
                groupJustOpened_ = false;
                if (!ConsumeFallback() && overflowDepth_ == 0) {
                    TextByte(static_cast<unsigned char>(c));
                }
            }
        }
        if (pendingHighSurrogate_ != 0) {
            AppendToParagraph(kReplacementCharacter);
        }
        if (!paragraph_.runs.empty()) {
            document_.paragraphs.push_back(std::move(paragraph_));
        }
        return std::move(document_);
    }

private:
    GroupState &State() { return groups_.back(); }

    void OpenGroup()
    {
        fallbackToSkip_ = 0;
        groupJustOpened_ = true;
        if (overflowDepth_ > 0 || groups_.size() > static_cast<std::size_t>(kMaxRtfGroupDepth)) {
            ++overflowDepth_;
            return;
        }
        groups_.push_back(groups_.back());
    }

    // Returns whether a group of the document (not a surplus brace) was closed.
    bool CloseGroup()
    {
        fallbackToSkip_ = 0;
        groupJustOpened_ = false;
        if (overflowDepth_ > 0) {
            --overflowDepth_;
            return false;
        }
        if (groups_.size() == 1) {
            return false;
        }
        // Tolerate a last table entry without its ';'.
        if (State().destination == Destination::FontTable && !fontName_.empty()) {
            CommitFont();
        } else if (State().destination == Destination::ColorTable && colorHasComponent_) {
            CommitColor();
        }
        groups_.pop_back();
        formatChanged_ = true;
        return true;
    }

    // After \uN the next \ucN characters, escapes or control words are the fallback
    // for readers without Unicode; a brace ends them early.
    bool ConsumeFallback()
    {
        if (fallbackToSkip_ > 0) {
            --fallbackToSkip_;
            return true;
        }
        return false;
    }

    void ReadControl()
    {
        if (pos_ >= in_.size()) {
            return;
        }
        const char c = in_[pos_];
        if (IsAsciiLetter(c)) {
            const std::size_t start = pos_;
            while (pos_ < in_.size() && IsAsciiLetter(in_[pos_])) {
                ++pos_;
            }
            const std::string_view name = in_.substr(start, pos_ - start);
            bool negative = false;
            if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
                negative = true;
                ++pos_;
            }
            bool hasParameter = false;
            std::int64_t value = 0;
            while (pos_ < in_.size() && IsDigit(in_[pos_])) {
                hasParameter = true;
                value = std::min(value * 10 + (in_[pos_] - '0'), kParameterLimit);
                ++pos_;
            }
            if (pos_ < in_.size() && in_[pos_] == ' ') {
                ++pos_;
            }
            ControlWord(name, hasParameter, negative ? -value : value);
            return;
        }
        ++pos_;
        if (c == '\'') {
            const bool complete = pos_ + 1 < in_.size() && HexValue(in_[pos_]) >= 0 && HexValue(in_[pos_ + 1]) >= 0;
            groupJustOpened_ = false;
            if (!complete) {
                ConsumeFallback();
                return; // a malformed escape is dropped; what follows is read as usual
            }
            const auto byte = static_cast<unsigned char>(HexValue(in_[pos_]) * 16 + HexValue(in_[pos_ + 1]));
            pos_ += 2;
            if (!ConsumeFallback() && overflowDepth_ == 0) {
                Character(FromWindows1252(byte));
            }
            return;
        }
        ControlSymbol(c);
    }

    void ControlSymbol(char c)
    {
        const bool justOpened = groupJustOpened_;
        groupJustOpened_ = false;
        if (ConsumeFallback() || overflowDepth_ > 0) {
            return;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Character(static_cast<unsigned char>(c));
            break;
        case '~':
            Character(0x00A0);
            break;
        case '_':
            Character(0x2011);
            break;
        case '*':
            // {\*\name ...}: a destination this reader may not know; never text.
            if (justOpened) {
                State().destination = Destination::Skip;
            }
            break;
        case '\r':
        case '\n':
            ParagraphEnd();
            break;
        default:
            break; // \- optional hyphen and the rest show nothing
        }
    }

    void ControlWord(std::string_view name, bool hasParameter, std::int64_t parameter)
    {
        groupJustOpened_ = false;
        const auto word = LookUpWord(name);
        if (word == Word::Binary) {
            // Raw bytes follow; they are never text, whatever the destination.
            const std::int64_t length = hasParameter ? std::max<std::int64_t>(parameter, 0) : 0;
            pos_ += static_cast<std::size_t>(
                std::min<std::int64_t>(length, static_cast<std::int64_t>(in_.size() - pos_)));
            ConsumeFallback();
            return;
        }
        if (ConsumeFallback() || overflowDepth_ > 0 || !word || State().destination == Destination::Skip) {
            return;
        }
        auto &state = State();
        const bool on = !hasParameter || parameter != 0;
        switch (*word) {
        case Word::SkipDestination:
            state.destination = Destination::Skip;
            break;
        case Word::FontTable:
            state.destination = Destination::FontTable;
            fontName_.clear();
            break;
        case Word::ColorTable:
            state.destination = Destination::ColorTable;
            colors_.clear();
            ResetColorEntry();
            break;
        case Word::Font:
            if (state.destination == Destination::FontTable) {
                fontName_.clear();
                fontNumber_ = Clamp(parameter, -1, INT32_MAX);
            } else {
                state.font = hasParameter ? Clamp(parameter, -1, INT32_MAX) : -1;
                formatChanged_ = true;
            }
            break;
        case Word::DefaultFont:
            defaultFont_ = Clamp(parameter, 0, INT32_MAX);
            formatChanged_ = true;
            break;
        case Word::Red:
        case Word::Green:
        case Word::Blue:
            if (state.destination == Destination::ColorTable) {
                const auto component = static_cast<std::uint8_t>(Clamp(parameter, 0, 255));
                (*word == Word::Red ? color_.red : *word == Word::Green ? color_.green : color_.blue) = component;
                colorHasComponent_ = true;
            }
            break;
        case Word::Unicode:
            if (hasParameter) {
                // Values are signed 16-bit, so characters above U+7FFF come negative.
                char32_t cp = kReplacementCharacter;
                if (parameter < 0 && parameter >= -32768) {
                    cp = static_cast<char32_t>(parameter + 65536);
                } else if (parameter >= 0 && parameter <= 0x10FFFF) {
                    cp = static_cast<char32_t>(parameter);
                }
                Character(cp);
                fallbackToSkip_ = state.unicodeSkip;
            }
            break;
        case Word::UnicodeSkip:
            state.unicodeSkip = hasParameter ? Clamp(parameter, 0, INT32_MAX) : 1;
            break;
        case Word::Plain:
            state.font = -1;
            state.sizeHalfPoints = 24;
            state.bold = state.italic = state.underline = false;
            state.color = 0;
            formatChanged_ = true;
            break;
        case Word::Bold:
            state.bold = on;
            formatChanged_ = true;
            break;
        case Word::Italic:
            state.italic = on;
            formatChanged_ = true;
            break;
        case Word::Underline:
            state.underline = on;
            formatChanged_ = true;
            break;
        case Word::UnderlineNone:
            state.underline = false;
            formatChanged_ = true;
            break;
        case Word::FontSize:
            state.sizeHalfPoints = hasParameter && parameter > 0 ? Clamp(parameter, 1, kMaxHalfPoints) : 24;
            formatChanged_ = true;
            break;
        case Word::ColorIndex:
            state.color = Clamp(parameter, -1, INT32_MAX);
            formatChanged_ = true;
            break;
        case Word::ParagraphDefaults:
            state.paragraph = {};
            break;
        case Word::AlignLeft:
            state.paragraph.alignment = Alignment::Left;
            break;
        case Word::AlignCenter:
            state.paragraph.alignment = Alignment::Center;
            break;
        case Word::AlignRight:
            state.paragraph.alignment = Alignment::Right;
            break;
        case Word::AlignJustify:
            state.paragraph.alignment = Alignment::Justify;
            break;
        case Word::SpaceBefore:
            state.paragraph.spaceBeforeTwips = Clamp(parameter, 0, kMaxTwips);
            break;
        case Word::SpaceAfter:
            state.paragraph.spaceAfterTwips = Clamp(parameter, 0, kMaxTwips);
            break;
        case Word::FirstIndent:
            state.paragraph.firstLineIndentTwips = Clamp(parameter, -kMaxTwips, kMaxTwips);
            break;
        case Word::LeftIndent:
            state.paragraph.leftIndentTwips = Clamp(parameter, -kMaxTwips, kMaxTwips);
            break;
        case Word::RightIndent:
            state.paragraph.rightIndentTwips = Clamp(parameter, -kMaxTwips, kMaxTwips);
            break;
        case Word::ParagraphEnd:
            ParagraphEnd();
            break;
        case Word::Line:
            Character(kLineSeparator);
            break;
        case Word::Tab:
            Character('\t');
            break;
        case Word::Bullet:
            Character(0x2022);
            break;
        case Word::EmDash:
            Character(0x2014);
            break;
        case Word::EnDash:
            Character(0x2013);
            break;
        case Word::EmSpace:
            Character(0x2003);
            break;
        case Word::EnSpace:
            Character(0x2002);
            break;
        case Word::QuarterEmSpace:
            Character(0x2005);
            break;
        case Word::LeftQuote:
            Character(0x2018);
            break;
        case Word::RightQuote:
            Character(0x2019);
            break;
        case Word::LeftDoubleQuote:
            Character(0x201C);
            break;
        case Word::RightDoubleQuote:
            Character(0x201D);
            break;
        case Word::Binary:
            break;
        }
    }

    void TextByte(unsigned char byte)
    {
        const auto destination = State().destination;
        if (byte == ';' && destination == Destination::FontTable) {
            CommitFont();
        } else if (byte == ';' && destination == Destination::ColorTable) {
            CommitColor();
        } else {
            Character(FromWindows1252(byte));
        }
    }

    // One character of the current destination.
    void Character(char32_t cp)
    {
        switch (State().destination) {
        case Destination::Text:
            break;
        case Destination::FontTable:
            if (const auto shown = ShowableCodePoint(cp); shown >= 0 && fontName_.size() < kMaxFontNameBytes) {
                AppendUtf8(fontName_, static_cast<char32_t>(shown));
            }
            return;
        case Destination::Skip:
        case Destination::ColorTable:
            return;
        }
        if (pendingHighSurrogate_ != 0) {
            const char32_t high = pendingHighSurrogate_;
            pendingHighSurrogate_ = 0;
            if (IsLowSurrogate(cp)) {
                AppendToParagraph(0x10000 + ((high - 0xD800) << 10) + (cp - 0xDC00));
                return;
            }
            AppendToParagraph(kReplacementCharacter);
        }
        if (IsHighSurrogate(cp)) {
            pendingHighSurrogate_ = cp;
            return;
        }
        AppendToParagraph(cp);
    }

    void AppendToParagraph(char32_t cp)
    {
        const auto shown = ShowableCodePoint(cp);
        if (shown < 0) {
            return;
        }
        if (formatChanged_ || paragraph_.runs.empty()) {
            CharFormat format = CurrentCharFormat();
            if (paragraph_.runs.empty() || !(paragraph_.runs.back().format == format)) {
                if (!CountPiece()) {
                    return;
                }
                paragraph_.runs.push_back(TextRun {{}, std::move(format)});
            }
            formatChanged_ = false;
        }
        AppendUtf8(paragraph_.runs.back().text, static_cast<char32_t>(shown));
        paragraph_.format = State().paragraph;
    }

    void ParagraphEnd()
    {
        if (State().destination != Destination::Text) {
            return;
        }
        if (pendingHighSurrogate_ != 0) {
            pendingHighSurrogate_ = 0;
            AppendToParagraph(kReplacementCharacter);
        }
        if (!CountPiece()) {
            return;
        }
        paragraph_.format = State().paragraph;
        document_.paragraphs.push_back(std::move(paragraph_));
        paragraph_ = Paragraph {};
    }

    bool CountPiece()
    {
        if (pieces_ >= kMaxRtfPieces) {
            full_ = true;
            return false;
        }
        ++pieces_;
        return true;
    }

    CharFormat CurrentCharFormat() const
    {
        const auto &state = groups_.back();
        CharFormat format;
        const auto font = fonts_.find(state.font >= 0 ? state.font : defaultFont_);
        if (font != fonts_.end()) {
            format.fontFamily = font->second;
        }
        format.sizeHalfPoints = state.sizeHalfPoints;
        format.bold = state.bold;
        format.italic = state.italic;
        format.underline = state.underline;
        if (state.color >= 0 && static_cast<std::size_t>(state.color) < colors_.size()) {
            format.color = colors_[static_cast<std::size_t>(state.color)];
        }
        return format;
    }

    void CommitFont()
    {
        const auto first = fontName_.find_first_not_of(" \t");
        if (first != std::string::npos) {
            const auto last = fontName_.find_last_not_of(" \t");
            fonts_.try_emplace(fontNumber_, fontName_.substr(first, last - first + 1));
        }
        fontName_.clear();
        formatChanged_ = true;
    }

    void CommitColor()
    {
        colors_.push_back(colorHasComponent_ ? std::optional<Rgb>(color_) : std::nullopt);
        ResetColorEntry();
        formatChanged_ = true;
    }

    void ResetColorEntry()
    {
        color_ = Rgb {};
        colorHasComponent_ = false;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::vector<GroupState> groups_; // the innermost last; never empty
    int overflowDepth_ = 0; // groups opened beyond the depth bound, still open
    bool groupJustOpened_ = false;
    int fallbackToSkip_ = 0;
    char32_t pendingHighSurrogate_ = 0;

    std::map<int, std::string> fonts_;
    int defaultFont_ = 0;
    int fontNumber_ = 0;
    std::string fontName_;
    std::vector<std::optional<Rgb>> colors_; // an entry without components: automatic
    Rgb color_;
    bool colorHasComponent_ = false;

    StyledDocument document_;
    Paragraph paragraph_;
    bool formatChanged_ = true;
    std::size_t pieces_ = 0; // paragraphs and runs made so far
    bool full_ = false;
};

} // namespace

StyledDocument ParseRtf(std::string_view bytes)
{
    return RtfReader(bytes).Read();
}

} // namespace tw
