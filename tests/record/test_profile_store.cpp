#include "record/profile_store.h"

#include "tests/record/record_test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {
namespace {

using namespace std::string_literals;

using test::FaultyFileSystem;
using test::kClose;
using test::kCreateTemp;
using test::kMakeDirs;
using test::kRead;
using test::kRename;
using test::kSyncDir;
using test::kSyncFile;
using test::kWrite;
using test::ListFolder;
using test::ModeOf;
using test::ReadBytes;
using test::Step;
using test::TempDir;
using test::WriteBytes;

const std::string kOld = "; kept\r\n[General]\r\nVendorCode=TW-OLD\r\n";

class FailedSave : public ::testing::TestWithParam<Step> { };

TEST_P(FailedSave, LeavesTheOldFileAndNoTemporary)
{
    TempDir dir;
    const std::string path = dir.File("tallowin.ini");
    WriteBytes(path, kOld);
    auto fs = std::make_shared<FaultyFileSystem>();
    fs->failAt = GetParam();
    fs->error = ENOSPC;
    CProfileStore store(path, fs);

    const SaveStatus status = store.Write("General", "VendorCode", "TW-NEW");

    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.message.find(path), std::string::npos) << status.message;
    EXPECT_EQ(ListFolder(dir.Path()), "tallowin.ini");
    if (GetParam() == kSyncDir) {
        // Past the rename the new text is in place; the user is only warned.
        EXPECT_EQ(store.Read("General", "VendorCode"), "TW-NEW");
    } else {
        EXPECT_EQ(ReadBytes(path), kOld);
        EXPECT_NE(
            status.message.find(GetParam() == kRead ? "could not be read" : "The disk is full"), std::string::npos)
            << status.message;
    }
}

std::string StepName(const ::testing::TestParamInfo<Step> &info)
{
    static const char *const names[]
        = {"Read", "MakeDirs", "CreateTemp", "Write", "SyncFile", "Close", "Rename", "SyncDir"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(EachStep, FailedSave,
    ::testing::Values(kRead, kMakeDirs, kCreateTemp, kWrite, kSyncFile, kClose, kRename, kSyncDir), StepName);

TEST(ProfileStore, ASaveIsOneReplacementAndNeedsNoFolderBeforehand)
{
    TempDir dir;
    const std::string path = dir.File("a/b/tallowin.ini");
    auto fs = std::make_shared<FaultyFileSystem>();
    CProfileStore store(path, fs);
    EXPECT_EQ(store.Read("General", "VendorCode", "none"), "none");

    CProfileEdit edit = store.Edit();
    for (int n = 1; n <= 450; ++n)
        edit.Write("AddPmt", "Mth" + std::to_string(n), std::to_string(n));
    ASSERT_TRUE(edit.Commit());

    EXPECT_EQ(fs->calls[kRename], 1);
    EXPECT_EQ(fs->calls[kSyncFile], 1);
    EXPECT_EQ(fs->calls[kSyncDir], 1);
    EXPECT_EQ(ModeOf(path), 0600);
    EXPECT_EQ(ModeOf(dir.File("a")), 0700);
    EXPECT_EQ(ModeOf(dir.File("a/b")), 0700);
    const auto months = store.Snapshot().ReadMonths("addpmt", 451);
    EXPECT_EQ(months[0], "1");
    EXPECT_EQ(months[449], "450");
    EXPECT_EQ(months[450], "");
    EXPECT_EQ(store.Snapshot().ReadMonths("AddPmt", 450).back(), "450"); // the last month asked for

    // Writing what is already there does not touch the file.
    EXPECT_TRUE(store.Write("AddPmt", "Mth7", "7"));
    EXPECT_EQ(fs->calls[kRename], 1);
}

TEST(ProfileStore, ExistingLooseFileBecomesOwnerOnly)
{
    TempDir dir;
    const std::string path = dir.File("tallowin.ini");
    WriteBytes(path, kOld);
    ::chmod(path.c_str(), 0644);
    ASSERT_TRUE(CProfileStore(path).Write("Bank", "AccountNumber", "12345"));
    EXPECT_EQ(ModeOf(path), 0600);
}

TEST(ProfileStore, LineBreakIsRefusedAndNothingIsSaved)
{
    TempDir dir;
    const std::string path = dir.File("tallowin.ini");
    WriteBytes(path, kOld);
    CProfileStore store(path);
    CProfileEdit edit = store.Edit();
    edit.Write("Client", "FirstName1", "Zoë");
    edit.Write("Client", "Address", "12 Elm St\n[Bank]");
    const SaveStatus status = edit.Commit();
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.message.find("Client / Address"), std::string::npos) << status.message;
    EXPECT_EQ(ReadBytes(path), kOld);
}

TEST(ProfileStore, PathThatIsAFolderIsReportedNotReplaced)
{
    TempDir dir;
    CProfileStore store(dir.Path());
    EXPECT_EQ(store.Read("General", "VendorCode", "d"), "d");
    const SaveStatus status = store.Write("General", "VendorCode", "x");
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.message.find(dir.Path()), std::string::npos);
    EXPECT_NE(status.message.find("folder"), std::string::npos) << status.message;
    struct stat st { };
    ASSERT_EQ(::stat(dir.Path().c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
}

// A folder the user may not write to; as root (which may write anywhere) the save runs
// in a child process that has given up its rights.
TEST(ProfileStore, ReadOnlyFolderIsReportedAndOldFileKept)
{
    TempDir dir;
    const std::string sub = dir.File("locked");
    ::mkdir(sub.c_str(), 0700);
    const std::string path = sub + "/tallowin.ini";
    WriteBytes(path, kOld);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(sub.c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
        ::chmod(dir.Path().c_str(), 0755);
    }
    ::chmod(sub.c_str(), 0500);
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(2);
            const SaveStatus status = CProfileStore(path).Write("General", "VendorCode", "TW-NEW");
            std::fprintf(stderr, "%s\n", status.message.c_str());
            ::_exit(status.ok ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "could not save your information to .*locked/tallowin.ini: Permission denied");
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(ListFolder(sub), "tallowin.ini");
}

TEST(ProfileStore, SymbolicLinkKeepsPointingAtTheUpdatedFile)
{
    TempDir dir;
    const std::string real = dir.File("real.ini");
    const std::string link = dir.File("tallowin.ini");
    WriteBytes(real, kOld);
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    ASSERT_TRUE(CProfileStore(link).Write("General", "Grid", "YES"));
    struct stat st { };
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(CProfileStore(real).Read("General", "Grid"), "YES");
}

TEST(ProfileStore, MalformedFilesReadAndSurviveASave)
{
    TempDir dir;
    const std::string path = dir.File("tallowin.ini");
    const std::string odd = "\xEF\xBB\xBFstray=1\r\n[general]\r\nvendorcode=TW-9\r\nVendorCode=TW-8\r\n"
                            "\x01\xFF\xFE garbage \x00 line\r\n"s
        + std::string(100 * 1024, 'z') + "\r\n[General]\r\nGrid=YES\r\n";
    WriteBytes(path, odd);
    CProfileStore store(path);
    EXPECT_EQ(store.Read("GENERAL", "VENDORCODE"), "TW-9");
    EXPECT_EQ(store.Read("General", "Grid"), "");
    ASSERT_TRUE(store.Write("Loan", "LoanAmount", "150000"));
    EXPECT_EQ(ReadBytes(path), odd + "\r\n[Loan]\r\nLoanAmount=150000\r\n");
}

} // namespace
} // namespace tw
