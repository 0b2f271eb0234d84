#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tw {

// Width of a text in the caller's units (a printer font, a test's fixed pitch).
using TextWidthFunction = std::function<int(std::string_view)>;

// Shortens a UTF-8 text one character at a time until it fits maxWidth. When
// anything was cut and `ellipsis` is set, one more character goes and "..." is
// appended (the result may then be slightly wider than maxWidth, as on paper).
std::string FitTextToWidth(const TextWidthFunction &measure, std::string_view text, int maxWidth, bool ellipsis);

} // namespace tw
