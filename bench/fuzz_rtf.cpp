// libFuzzer target for the slide-document reader and token replacement. Built and run by
// scripts/fuzz-rtf with clang; not part of the CMake build.

#include "screens/docs/rtf_reader.h"
#include "screens/docs/styled_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// A broken invariant is reported as a crash so that libFuzzer keeps the input.
void Check(bool ok)
{
    if (!ok) {
        __builtin_trap();
    }
}

bool WellFormedUtf8(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto lead = static_cast<unsigned char>(s[i]);
        std::size_t length = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, cp = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, cp = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, cp = lead & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (i + length > s.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(s[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

std::size_t TextBytes(const tw::StyledDocument &doc)
{
    std::size_t bytes = 0;
    for (const auto &paragraph : doc.paragraphs) {
        for (const auto &run : paragraph.runs) {
            bytes += run.text.size();
        }
    }
    return bytes;
}

void CheckRunsNotEmpty(const tw::StyledDocument &doc)
{
    for (const auto &paragraph : doc.paragraphs) {
        for (const auto &run : paragraph.runs) {
            Check(!run.text.empty());
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    tw::StyledDocument doc = tw::ParseRtf(input);

    // What the reader makes is clean text: well-formed UTF-8 without control characters.
    CheckRunsNotEmpty(doc);
    for (const auto &paragraph : doc.paragraphs) {
        for (const auto &run : paragraph.runs) {
            Check(WellFormedUtf8(run.text));
            for (const char c : run.text) {
                Check(static_cast<unsigned char>(c) >= 0x20 || c == '\t');
            }
        }
    }
    Check(WellFormedUtf8(tw::PlainText(doc)));

    // Tokens and replacements: fixed ones and some taken from the input's own bytes.
    const std::string_view tail = input.substr(size - std::min<std::size_t>(size, 5));
    const std::string_view head = input.substr(0, std::min<std::size_t>(size, 9));
    const std::string_view tokens[] = {"{{FIRSTNAME}}", "{{a}}", "e", tail, "\xE2\x80\xA8", "\xA9"};
    const std::string_view replacements[] = {"1,234.00", "", "<{{A}}>", head, "\xC3"};
    for (const auto token : tokens) {
        for (const auto replacement : replacements) {
            const tw::StyledDocument before = doc;
            const std::size_t bytes = TextBytes(doc);
            if (tw::ReplaceFirstToken(doc, token, replacement)) {
                Check(TextBytes(doc) == bytes - token.size() + replacement.size());
                Check(doc.paragraphs.size() == before.paragraphs.size());
            } else {
                Check(doc == before);
            }
            CheckRunsNotEmpty(doc);
        }
    }

    // Whatever the runs hold by now (the replacements above need not be UTF-8), the page
    // is well-formed.
    Check(WellFormedUtf8(tw::ToHtml(doc, head)));
    return 0;
}
