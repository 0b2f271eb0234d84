// libFuzzer target for the slide-document reader and token replacement. Built and run by
// scripts/fuzz-rtf with clang; not part of the CMake build.

#include "docs/rtf_reader.h"
#include "docs/styled_text.h"
#include "tests/docs/docs_test_support.h"

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
            Check(tw::test::IsWellFormedUtf8(run.text));
            for (const char c : run.text) {
                Check(static_cast<unsigned char>(c) >= 0x20 || c == '\t');
            }
        }
    }
    Check(tw::test::IsWellFormedUtf8(tw::PlainText(doc)));

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
    Check(tw::test::IsWellFormedUtf8(tw::ToHtml(doc, head)));
    return 0;
}
