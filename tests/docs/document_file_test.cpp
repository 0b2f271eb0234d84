#include "docs/document_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace tw {
namespace {

namespace fs = std::filesystem;

class LoadDocument : public testing::Test {
protected:
    void SetUp() override
    {
        const auto *info = testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::path(testing::TempDir()) / ("tw_docs_" + std::to_string(getpid()) + "_" + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        // A document from an earlier slide must never survive a failed load.
        doc_.paragraphs.push_back(Paragraph {{}, {TextRun {"previous slide", {}}}});
    }

    void TearDown() override { fs::remove_all(dir_); }

    std::string Directory() const { return dir_.string() + "/"; }

    void Write(const std::string &name, const std::string &bytes) const
    {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }

    fs::path dir_;
    StyledDocument doc_;
};

TEST_F(LoadDocument, ReadsTheFileFromTheDirectory)
{
    Write("001.qnl", R"({\rtf1 Hello \{\{clientname\}\}\par})");
    LoadDocumentFile(doc_, Directory(), "001.qnl");
    EXPECT_EQ(PlainText(doc_), "Hello {{clientname}}");
}

TEST_F(LoadDocument, EmptyDirectoryMeansTheCurrentDirectory)
{
    Write("002.qnl", R"({\rtf1 here})");
    const auto previous = fs::current_path();
    fs::current_path(dir_);
    LoadDocumentFile(doc_, "", "002.qnl");
    fs::current_path(previous);
    EXPECT_EQ(PlainText(doc_), "here");
}

struct UnreadableCase {
    const char *name;
    const char *fileName; // relative to the test directory
};

void PrintTo(const UnreadableCase &c, std::ostream *os)
{
    *os << c.name;
}

class LoadUnreadable : public LoadDocument, public testing::WithParamInterface<UnreadableCase> { };

TEST_P(LoadUnreadable, LeavesTheDocumentEmpty)
{
    fs::create_directories(dir_ / "folder.qnl");
    Write("empty.qnl", "");
    LoadDocumentFile(doc_, Directory(), GetParam().fileName);
    EXPECT_TRUE(doc_.empty());
}

INSTANTIATE_TEST_SUITE_P(Files, LoadUnreadable,
    testing::Values(UnreadableCase {"missing", "003.qnl"}, UnreadableCase {"missing_directory", "nowhere/003.qnl"},
        UnreadableCase {"a_directory", "folder.qnl"}, UnreadableCase {"the_directory_itself", ""},
        UnreadableCase {"empty_file", "empty.qnl"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LoadDocument, ReadsPastManyChunks)
{
    std::string rtf = "{\\rtf1\\ansi ";
    int paragraphs = 0;
    while (rtf.size() < 3 * kDocumentReadChunk + 1000) {
        rtf += "Line " + std::to_string(paragraphs++) + " of the document\\par\n";
    }
    rtf += "\\{\\{LAST\\}\\}}";
    Write("big.qnl", rtf);
    LoadDocumentFile(doc_, Directory(), "big.qnl");
    ASSERT_EQ(doc_.paragraphs.size(), static_cast<std::size_t>(paragraphs + 1));
    EXPECT_EQ(ParagraphText(doc_.paragraphs.front()), "Line 0 of the document");
    EXPECT_EQ(ParagraphText(doc_.paragraphs.back()), "{{LAST}}");
}

TEST_F(LoadDocument, FileOfExactlyOneChunkLoadsWhole)
{
    std::string rtf = "{\\rtf1 ";
    rtf.append(kDocumentReadChunk - rtf.size() - 2, 'x');
    rtf += "y}";
    ASSERT_EQ(rtf.size(), kDocumentReadChunk);
    Write("chunk.qnl", rtf);
    LoadDocumentFile(doc_, Directory(), "chunk.qnl");
    ASSERT_EQ(doc_.paragraphs.size(), 1u);
    EXPECT_EQ(ParagraphText(doc_.paragraphs[0]).back(), 'y');
}

} // namespace
} // namespace tw
