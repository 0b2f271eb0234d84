#include "rules/help_texts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace tw {
namespace {

TEST(HelpTexts, ContextIdsAddDialogAndControlToTheBase)
{
    EXPECT_EQ(HelpContextId(136, 1023), 132231);
    EXPECT_EQ(HelpContextId(152, 1172), 132396);
    EXPECT_EQ(HelpControlIds(136).size(), 7u);
    EXPECT_EQ(HelpControlIds(147).size(), 5u);
    EXPECT_EQ(HelpControlIds(152).size(), 7u);
    EXPECT_EQ(HelpControlIds(150).size(), 5u);
    EXPECT_TRUE(HelpControlIds(149).empty());
}

TEST(HelpTexts, ReadsTheHelpSectionOnly)
{
    const CHelpTexts help = CHelpTexts::FromText("\xEF\xBB\xBF; comment\r\n"
                                                 "132231=not in a section\r\n"
                                                 "[Other]\r\n"
                                                 "132232=other section\r\n"
                                                 "[ help ]\r\n"
                                                 "  132231 =  Type the term.  \r\n"
                                                 "132231=second one loses\r\n"
                                                 "132239=\"  quoted  \"\r\n"
                                                 "132226=Line one\\nLine two \\\\ done\r\n"
                                                 "Title=not an id\r\n"
                                                 "-5=negative\r\n"
                                                 "132275=\r\n"
                                                 "# also a comment\r\n"
                                                 "[Help]\r\n"
                                                 "132233=repeated section is not read\r\n");
    EXPECT_EQ(help.Find(132231), "Type the term.");
    EXPECT_EQ(help.Find(132239), "  quoted  ");
    EXPECT_EQ(help.Find(132226), "Line one\nLine two \\ done");
    EXPECT_FALSE(help.Find(132232));
    EXPECT_FALSE(help.Find(132233));
    EXPECT_FALSE(help.Find(-5));
    EXPECT_EQ(help.Size(), 4u);
    // A blank topic is as good as none.
    EXPECT_EQ(help.TextFor(132275), kNoHelpText);
    EXPECT_EQ(help.TextFor(999), kNoHelpText);
    EXPECT_EQ(help.TextFor(132231), "Type the term.");
}

TEST(HelpTexts, MissingOrUnreadableFileHasNoTopics)
{
    EXPECT_EQ(CHelpTexts::FromFile("/nonexistent/tallowin-help.ini").Size(), 0u);
    EXPECT_EQ(CHelpTexts::FromFile(std::filesystem::temp_directory_path().string()).Size(), 0u);
    EXPECT_EQ(CHelpTexts::FromFile("").TextFor(132231), kNoHelpText);
}

TEST(HelpTexts, ReadsAFile)
{
    const auto path = std::filesystem::temp_directory_path() / "tw_help_texts_test.ini";
    {
        std::ofstream out(path, std::ios::binary);
        out << "[Help]\n132319=Your phone, caf\xC3\xA9 or home.\n";
    }
    const CHelpTexts help = CHelpTexts::FromFile(path.string());
    std::filesystem::remove(path);
    EXPECT_EQ(help.Find(132319), "Your phone, caf\xC3\xA9 or home.");
}

// The help file that ships beside the program must have a topic for every control
// the screens offer help on.
TEST(HelpTexts, ShippedFileCoversEveryScreenControl)
{
    if (!std::filesystem::exists(TALLOWIN_HELP_FILE))
        GTEST_SKIP() << "no help file in the source tree yet";
    const CHelpTexts help = CHelpTexts::FromFile(TALLOWIN_HELP_FILE);
    for (int dialog : {136, 147, 150, 152}) {
        for (int control : HelpControlIds(dialog))
            EXPECT_NE(help.TextFor(HelpContextId(dialog, control)), kNoHelpText)
                << "dialog " << dialog << " control " << control;
    }
}

} // namespace
} // namespace tw
