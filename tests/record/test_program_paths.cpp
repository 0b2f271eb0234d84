#include "record/program_paths.h"

#include "record/profile_store.h"
#include "tests/record/record_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

namespace tw {
namespace {

using test::ModeOf;
using test::TempDir;
using test::WriteBytes;

struct PathCase {
    const char *name;
    const char *profile; // TALLOWIN_PROFILE, nullptr for unset
    const char *config; // XDG_CONFIG_HOME below the test home ("" empty, "rel" relative), nullptr unset
    std::string expected; // below the test home, "@" standing for it
};
void PrintTo(const PathCase &c, std::ostream *os)
{
    *os << c.name;
}

class ProfileLocation : public ::testing::TestWithParam<PathCase> { };

TEST_P(ProfileLocation, FollowsTheEnvironment)
{
    const PathCase &c = GetParam();
    TempDir home;
    ::setenv("HOME", home.Path().c_str(), 1);
    if (c.profile)
        ::setenv("TALLOWIN_PROFILE", (home.Path() + c.profile).c_str(), 1);
    else
        ::unsetenv("TALLOWIN_PROFILE");
    if (!c.config)
        ::unsetenv("XDG_CONFIG_HOME");
    else if (*c.config == '/')
        ::setenv("XDG_CONFIG_HOME", (home.Path() + c.config).c_str(), 1);
    else
        ::setenv("XDG_CONFIG_HOME", c.config, 1);

    std::string expected = c.expected;
    expected.replace(0, 1, home.Path());
    const std::string path = DefaultProfilePath();
    EXPECT_EQ(path, expected);

    // The first save creates the folders, private to the user.
    ASSERT_TRUE(CProfileStore(path).Write("General", "VendorCode", "TW-1"));
    EXPECT_EQ(ModeOf(path), 0600);
    if (!c.profile) {
        EXPECT_EQ(ModeOf(path.substr(0, path.rfind('/'))), 0700);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ProfileLocation,
    ::testing::Values(PathCase {"ExplicitFile", "/portable/my.ini", "/cfg", "@/portable/my.ini"},
        PathCase {"XdgConfigHome", nullptr, "/cfg", "@/cfg/tallowin/tallowin.ini"},
        PathCase {"XdgUnset", nullptr, nullptr, "@/.config/tallowin/tallowin.ini"},
        PathCase {"XdgEmpty", nullptr, "", "@/.config/tallowin/tallowin.ini"},
        PathCase {"XdgRelativeIgnored", nullptr, "rel", "@/.config/tallowin/tallowin.ini"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ProgramPaths, ProgramDirectoryHoldsTheRunningProgram)
{
    const std::string dir = ProgramDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_EQ(::access((dir + "tw_tests_record").c_str(), X_OK), 0) << dir;
}

TEST(ProgramPaths, SerialVendorCode)
{
    TempDir dir;
    EXPECT_EQ(ReadSerialVendorCode(dir.Path()), "");
    EXPECT_EQ(ReadSerialVendorCode(""), "");

    WriteBytes(dir.File("serial.txt"), "[Other]\nVendorCode=no\n[general]\r\nvendorcode = QX-42 \r\n");
    EXPECT_EQ(ReadSerialVendorCode(dir.Path()), "QX-42");
    EXPECT_EQ(ReadSerialVendorCode(dir.Path() + "/"), "QX-42");

    // 510 letters and then a two-byte character that would straddle the limit.
    WriteBytes(dir.File("serial.txt"), "[General]\nVendorCode=" + std::string(510, 'a') + "é" + "tail\n");
    EXPECT_EQ(ReadSerialVendorCode(dir.Path()), std::string(510, 'a'));
    WriteBytes(dir.File("serial.txt"), "[General]\nVendorCode=" + std::string(600, 'b') + "\n");
    EXPECT_EQ(ReadSerialVendorCode(dir.Path()), std::string(511, 'b'));
}

} // namespace
} // namespace tw
