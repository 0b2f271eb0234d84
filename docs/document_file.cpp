#include "docs/document_file.h"

#include "docs/rtf_reader.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace tw {

void LoadDocumentFile(StyledDocument &doc, const std::string &directory, const std::string &fileName)
{
    doc = StyledDocument {};
    const std::string path = directory + fileName;
    const std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        return;
    }
    std::string bytes;
    while (bytes.size() < kMaxRtfBytes) {
        const std::size_t want = std::min(kDocumentReadChunk, kMaxRtfBytes - bytes.size());
        const std::size_t had = bytes.size();
        bytes.resize(had + want);
        const std::size_t got = std::fread(bytes.data() + had, 1, want, file.get());
        bytes.resize(had + got);
        if (got < want) {
            break; // end of file, or a read error (a directory reads as one)
        }
    }
    doc = ParseRtf(bytes);
}

} // namespace tw
