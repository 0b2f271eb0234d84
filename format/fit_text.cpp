#include "format/fit_text.h"

#include <cstddef>

namespace tw {

namespace {

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// A prefix of whole UTF-8 characters.
struct Prefix {
    std::size_t characters = 0;
    std::size_t bytes = 0;
};

// The prefix of `characters` characters, counted on from the shorter prefix `from`;
// the whole text when it holds fewer.
Prefix Extend(std::string_view text, Prefix from, std::size_t characters)
{
    while (from.characters < characters && from.bytes < text.size()) {
        ++from.bytes;
        while (from.bytes < text.size() && IsContinuationByte(text[from.bytes]))
            ++from.bytes;
        ++from.characters;
    }
    return from;
}

// Drops the last UTF-8 character, never half of one.
void DropLastCharacter(std::string &text)
{
    if (text.empty())
        return;
    std::size_t i = text.size() - 1;
    while (i > 0 && IsContinuationByte(text[i]))
        --i;
    text.erase(i);
}

} // namespace

std::string FitTextToWidth(const TextWidthFunction &measure, std::string_view text, int maxWidth, bool ellipsis)
{
    if (text.empty())
        return {};
    const auto fits = [&](Prefix p) { return measure(text.substr(0, p.bytes)) <= maxWidth; };

    // Gallop over prefixes of 1, 2, 4, ... characters until one is too wide or the whole
    // text fits, then search between the last that fits and the first that does not. The
    // empty prefix is never measured: it is what is left when nothing fits.
    Prefix good;
    Prefix bad;
    for (std::size_t characters = 1;; characters *= 2) {
        const Prefix p = Extend(text, good, characters);
        if (!fits(p)) {
            bad = p;
            break;
        }
        if (p.bytes == text.size())
            return std::string(text);
        good = p;
    }
    while (bad.characters - good.characters > 1) {
        const Prefix middle = Extend(text, good, good.characters + (bad.characters - good.characters) / 2);
        (fits(middle) ? good : bad) = middle;
    }

    std::string out(text.substr(0, good.bytes));
    if (ellipsis) {
        DropLastCharacter(out);
        out += "...";
    }
    return out;
}

} // namespace tw
