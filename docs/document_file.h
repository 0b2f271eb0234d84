#pragma once

#include "docs/styled_text.h"

#include <cstddef>
#include <string>

namespace tw {

// Documents are read in pieces of this size until the end of the file.
inline constexpr std::size_t kDocumentReadChunk = 64 * 1024;

// Replaces |doc| by the rich-text document |directory| + |fileName|. |directory| is the
// program's own directory with its trailing '/', or empty for the current directory.
// A file that is missing, cannot be opened or read, or is a directory leaves |doc|
// empty without a message. A read error part-way keeps what was read before it; a file
// longer than kMaxRtfBytes shows its first kMaxRtfBytes bytes.
void LoadDocumentFile(StyledDocument &doc, const std::string &directory, const std::string &fileName);

} // namespace tw
