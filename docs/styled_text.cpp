#include "docs/styled_text.h"

#include <algorithm>
#include <charconv>

namespace tw {

namespace {

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Position of the first case-blind match of |token| in |text| that starts and ends on
// character boundaries, so that a replacement never splits a UTF-8 sequence.
std::size_t FindIgnoringCase(std::string_view text, std::string_view token)
{
    const auto same = [](char a, char b) { return AsciiLower(a) == AsciiLower(b); };
    auto from = text.begin();
    while (true) {
        const auto hit = std::search(from, text.end(), token.begin(), token.end(), same);
        if (hit == text.end()) {
            return std::string_view::npos;
        }
        const auto pos = static_cast<std::size_t>(hit - text.begin());
        const auto end = pos + token.size();
        if (!IsContinuationByte(text[pos]) && (end == text.size() || !IsContinuationByte(text[end]))) {
            return pos;
        }
        from = hit + 1;
    }
}

void MergeEqualNeighbours(std::vector<TextRun> &runs)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (runs[i].text.empty()) {
            continue;
        }
        if (kept > 0 && runs[kept - 1].format == runs[i].format) {
            runs[kept - 1].text += runs[i].text;
        } else {
            if (kept != i) {
                runs[kept] = std::move(runs[i]);
            }
            ++kept;
        }
    }
    runs.resize(kept);
}

void ReplaceRange(Paragraph &paragraph, std::size_t pos, std::size_t length, std::string_view replacement)
{
    auto &runs = paragraph.runs;
    std::size_t i = 0;
    std::size_t runStart = 0;
    while (runStart + runs[i].text.size() <= pos) {
        runStart += runs[i].text.size();
        ++i;
    }
    const std::size_t offset = pos - runStart;
    const std::size_t inFirst = std::min(length, runs[i].text.size() - offset);
    runs[i].text.replace(offset, inFirst, replacement);
    std::size_t remaining = length - inFirst;
    for (std::size_t j = i + 1; remaining > 0; ++j) {
        const std::size_t take = std::min(remaining, runs[j].text.size());
        runs[j].text.erase(0, take);
        remaining -= take;
    }
    MergeEqualNeighbours(runs);
}

// Number of bytes of the well-formed UTF-8 sequence at the start of |s|, 0 if malformed.
std::size_t Utf8SequenceLength(std::string_view s, char32_t &codePoint)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (s.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    codePoint = cp;
    return length;
}

void AppendEscapedHtml(std::string &out, std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t cp = 0;
        const std::size_t length = Utf8SequenceLength(text.substr(i), cp);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        switch (cp) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        case '\n':
        case 0x2028:
            out += "<br>";
            break;
        case '\t':
            out += '\t';
            break;
        default:
            // Control characters have no place in a page; the reader never produces
            // them, but a replacement text might.
            if (cp >= 0x20 && cp != 0x7F && !(cp >= 0x80 && cp < 0xA0)) {
                out.append(text.substr(i, length));
            }
            break;
        }
        i += length;
    }
}

// |value| / |divisor| as a short decimal, locale-independent ("7.5", "-0.05").
std::string Decimal(int value, int divisor)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value) / divisor);
    return std::string(buffer, result.ptr);
}

// A face name reduced to characters that are safe inside a quoted CSS string inside a
// double-quoted attribute.
std::string SafeFontFamily(std::string_view family)
{
    std::string safe;
    for (const char c : family) {
        const auto u = static_cast<unsigned char>(c);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' || c == '-'
            || c == '_' || c == '.' || u >= 0x80) {
            safe += c;
        }
    }
    return safe;
}

const char *AlignmentCss(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Center:
        return "center";
    case Alignment::Right:
        return "right";
    case Alignment::Justify:
        return "justify";
    case Alignment::Left:
        break;
    }
    return "left";
}

std::string ParagraphStyle(const ParagraphFormat &format)
{
    std::string style = "text-align:";
    style += AlignmentCss(format.alignment);
    const auto add = [&style](const char *property, int twips) {
        if (twips != 0) {
            style += ';';
            style += property;
            style += ':';
            style += Decimal(twips, 20);
            style += "pt";
        }
    };
    add("margin-top", format.spaceBeforeTwips);
    add("margin-bottom", format.spaceAfterTwips);
    add("margin-left", format.leftIndentTwips);
    add("margin-right", format.rightIndentTwips);
    add("text-indent", format.firstLineIndentTwips);
    return style;
}

std::string SpanStyle(const CharFormat &format)
{
    std::string style;
    const std::string family = SafeFontFamily(format.fontFamily);
    if (!family.empty()) {
        style += "font-family:'" + family + "';";
    }
    style += "font-size:" + Decimal(format.sizeHalfPoints, 2) + "pt";
    if (format.bold) {
        style += ";font-weight:bold";
    }
    if (format.italic) {
        style += ";font-style:italic";
    }
    if (format.underline) {
        style += ";text-decoration:underline";
    }
    if (format.color) {
        static constexpr char kHex[] = "0123456789abcdef";
        style += ";color:#";
        for (const std::uint8_t component : {format.color->red, format.color->green, format.color->blue}) {
            style += kHex[component >> 4];
            style += kHex[component & 0x0F];
        }
    }
    return style;
}

} // namespace

std::string ParagraphText(const Paragraph &paragraph)
{
    std::string text;
    for (const auto &run : paragraph.runs) {
        std::string_view rest = run.text;
        for (auto at = rest.find(kLineBreak); at != std::string_view::npos; at = rest.find(kLineBreak)) {
            text.append(rest.substr(0, at));
            text += '\n';
            rest.remove_prefix(at + kLineBreak.size());
        }
        text.append(rest);
    }
    return text;
}

std::string PlainText(const StyledDocument &doc)
{
    std::string text;
    for (std::size_t i = 0; i < doc.paragraphs.size(); ++i) {
        if (i > 0) {
            text += '\n';
        }
        text += ParagraphText(doc.paragraphs[i]);
    }
    return text;
}

std::string ToHtml(const StyledDocument &doc, std::string_view title)
{
    std::string html = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>";
    AppendEscapedHtml(html, title);
    html += "</title>\n<style>p { margin: 0; white-space: pre-wrap; }</style>\n</head>\n<body>\n";
    for (const auto &paragraph : doc.paragraphs) {
        html += "<p style=\"" + ParagraphStyle(paragraph.format) + "\">";
        for (const auto &run : paragraph.runs) {
            html += "<span style=\"" + SpanStyle(run.format) + "\">";
            AppendEscapedHtml(html, run.text);
            html += "</span>";
        }
        if (paragraph.runs.empty()) {
            html += "<br>"; // keeps the height of an empty line
        }
        html += "</p>\n";
    }
    html += "</body>\n</html>\n";
    return html;
}

bool ReplaceFirstToken(StyledDocument &doc, std::string_view token, std::string_view replacement)
{
    if (token.empty()) {
        return false;
    }
    std::string text;
    for (auto &paragraph : doc.paragraphs) {
        text.clear();
        for (const auto &run : paragraph.runs) {
            text += run.text;
        }
        const std::size_t pos = FindIgnoringCase(text, token);
        if (pos != std::string_view::npos) {
            ReplaceRange(paragraph, pos, token.size(), replacement);
            return true;
        }
    }
    return false;
}

} // namespace tw
