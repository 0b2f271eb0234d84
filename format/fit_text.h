#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tw {

// Width of a text in the caller's units (a printer font, a test's fixed pitch). A
// longer prefix of a text is never narrower than a shorter one.
using TextWidthFunction = std::function<int(std::string_view)>;

// The longest prefix of a UTF-8 text (whole characters only) that fits maxWidth. When
// anything was cut and `ellipsis` is set, one more character goes and "..." is appended
// (the result may then be slightly wider than maxWidth, as on paper).
//
// The prefix is searched for, not found by dropping one character at a time: the cost
// grows with the length of what fits (times its logarithm), not with the length of the
// text, so a pasted megabyte prints as fast as a name.
std::string FitTextToWidth(const TextWidthFunction &measure, std::string_view text, int maxWidth, bool ellipsis);

} // namespace tw
