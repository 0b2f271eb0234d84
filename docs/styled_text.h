#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// A rich-text document as the slide screens show it: paragraphs of formatted runs.
// Units stay those of the rich-text source so that nothing is rounded on the way in:
// font sizes in half-points, spacing and indents in twips (1/20 point, 1/1440 inch).

// A line break inside a paragraph is the character U+2028 (LINE SEPARATOR) in a run's
// text; PlainText turns it into '\n' and ToHtml into <br>. A tab is '\t'.
inline constexpr std::string_view kLineBreak = "\xE2\x80\xA8";

enum class Alignment { Left, Center, Right, Justify };

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb &) const = default;
};

struct CharFormat {
    // Empty: the viewer's default face.
    std::string fontFamily;
    int sizeHalfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    // Empty: the automatic (default) text colour.
    std::optional<Rgb> color;
    bool operator==(const CharFormat &) const = default;
};

struct TextRun {
    std::string text; // UTF-8
    CharFormat format;
    bool operator==(const TextRun &) const = default;
};

struct ParagraphFormat {
    Alignment alignment = Alignment::Left;
    int spaceBeforeTwips = 0;
    int spaceAfterTwips = 0;
    int firstLineIndentTwips = 0; // relative to the left indent; negative hangs
    int leftIndentTwips = 0;
    int rightIndentTwips = 0;
    bool operator==(const ParagraphFormat &) const = default;
};

struct Paragraph {
    ParagraphFormat format;
    std::vector<TextRun> runs; // never holds a run with empty text
    bool operator==(const Paragraph &) const = default;
};

struct StyledDocument {
    std::vector<Paragraph> paragraphs; // none: an empty document
    bool empty() const { return paragraphs.empty(); }
    bool operator==(const StyledDocument &) const = default;
};

// The paragraph's text with line breaks as '\n'.
std::string ParagraphText(const Paragraph &paragraph);

// The document's text: paragraphs joined by '\n', line breaks as '\n'.
std::string PlainText(const StyledDocument &doc);

// A complete HTML page showing the document; every text is escaped and malformed UTF-8
// is shown as U+FFFD, so any document gives a well-formed page.
std::string ToHtml(const StyledDocument &doc, std::string_view title = "Document");

// Replaces the first occurrence of |token| in the document's text, ASCII letters compared
// without regard to case, by |replacement|, which takes the character format of the
// token's first character. A token may cover several runs but never crosses a paragraph
// end. Returns false, leaving the document untouched, when there is none (or the token
// is empty).
bool ReplaceFirstToken(StyledDocument &doc, std::string_view token, std::string_view replacement);

} // namespace tw
