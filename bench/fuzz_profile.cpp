// libFuzzer target for the profile reader: parsing, lookups, writes and the text that
// comes back out. Built and run by scripts/fuzz-profile with clang; not part of the
// CMake build.

#include "record/profile_document.h"

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

// A name taken from the input's own bytes, so that writes also hit what it holds.
std::string_view Slice(std::string_view input, std::size_t from, std::size_t length)
{
    if (from >= input.size())
        return {};
    return input.substr(from, std::min(length, input.size() - from));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const tw::ProfileDocument doc = tw::ProfileDocument::Parse(input);

    // Untouched, the file comes out byte for byte as it went in.
    Check(doc.Serialize() == input);

    // No value read holds a line break: the next save would refuse it.
    const std::string_view sections[] = {"General", "Loan", "Client", "Bank", "AddPmt", Slice(input, 1, 6)};
    const std::string_view keys[] = {"VendorCode", "Grid", "AccountNumber", "Mth1", Slice(input, 0, 3)};
    for (const auto section : sections) {
        for (const auto key : keys) {
            if (const auto value = doc.Find(section, key)) {
                Check(value->find_first_of("\r\n") == std::string::npos);
                Check(value->size() <= input.size());
            }
        }
    }

    // A write the profile accepts reads back as written, after a save and a new read,
    // and leaves every other key as it was. The input's last byte chooses which write.
    const std::string_view values[] = {"TW-1", "", " padded ", "\"quoted\"", "'", Slice(input, 2, 9)};
    const std::size_t choice = size > 0 ? data[size - 1] : 0;
    const auto section = sections[choice % std::size(sections)];
    const auto key = keys[(choice / std::size(sections)) % std::size(keys)];
    const auto value = values[(choice / 7) % std::size(values)];
    if (tw::ProfileEntryProblem(section, key, value).empty()) {
        tw::ProfileDocument edited = doc;
        edited.Set(section, key, value);
        const tw::ProfileDocument reread = tw::ProfileDocument::Parse(edited.Serialize());
        const auto back = reread.Find(section, key);
        Check(back.has_value() && *back == value);
        for (const auto otherSection : sections) {
            for (const auto otherKey : keys) {
                if (tw::FoldCase(otherSection) == tw::FoldCase(section) && tw::FoldCase(otherKey) == tw::FoldCase(key))
                    continue;
                Check(reread.Find(otherSection, otherKey) == doc.Find(otherSection, otherKey));
            }
        }
    }
    return 0;
}
