#include "format/fit_text.h"

namespace tw {

namespace {

// Drops the last UTF-8 character, never half of one.
void DropLastCharacter(std::string &text)
{
    if (text.empty())
        return;
    std::size_t i = text.size() - 1;
    while (i > 0 && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
        --i;
    text.erase(i);
}

} // namespace

std::string FitTextToWidth(const TextWidthFunction &measure, std::string_view text, int maxWidth, bool ellipsis)
{
    std::string out(text);
    if (out.empty())
        return out;
    bool cut = false;
    while (!out.empty() && measure(out) > maxWidth) {
        DropLastCharacter(out);
        cut = true;
    }
    if (cut && ellipsis) {
        DropLastCharacter(out);
        out += "...";
    }
    return out;
}

} // namespace tw
