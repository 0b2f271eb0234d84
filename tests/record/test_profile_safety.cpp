// The profile under hostile or broken files: other users' files and links, leftovers of
// killed saves, files that are no profile at all, old line ends.
#include "record/profile_store.h"

#include "tests/record/record_test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tw {
namespace {

using test::ListFolder;
using test::ModeOf;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

const std::string kTheirs = "[Bank]\nAccountNumber=THEIRS-0001\n";
const std::string kMine = "[Bank]\nAccountNumber=MINE-0002\n";
constexpr uid_t kNobody = 65534;

uid_t OwnerOf(const std::string &path)
{
    struct stat st { };
    return ::lstat(path.c_str(), &st) == 0 ? st.st_uid : static_cast<uid_t>(-1);
}

// What another user left in a shared folder (world-writable and sticky, as /tmp is):
// their profile, their link to it, and their link to a name where this user's own
// profile will stand.
void PlantTheirs(const std::string &dir, uid_t owner)
{
    WriteBytes(dir + "/theirs.ini", kTheirs);
    ::chmod((dir + "/theirs.ini").c_str(), 0644);
    ASSERT_EQ(::symlink("theirs.ini", (dir + "/their-link.ini").c_str()), 0);
    ASSERT_EQ(::symlink("mine-behind-their-link.ini", (dir + "/their-link-to-mine.ini").c_str()), 0);
    for (const char *name : {"theirs.ini", "their-link.ini", "their-link-to-mine.ini"})
        ASSERT_EQ(::lchown((dir + "/" + name).c_str(), owner, owner), 0) << name;
}

// Every save case, as whoever runs it, in a folder PlantTheirs prepared for the user
// named `theirName`.
void CheckSaveCases(const std::string &dir, const std::string &theirName)
{
    const auto at = [&](const std::string &name) { return dir + "/" + name; };
    WriteBytes(at("mine.ini"), kMine);
    ::chmod(at("mine.ini").c_str(), 0644);
    WriteBytes(at("mine-target.ini"), kMine);
    ::symlink("mine-target.ini", at("my-link.ini").c_str());
    ::symlink("theirs.ini", at("my-link-to-theirs.ini").c_str());
    WriteBytes(at("mine-behind-their-link.ini"), kMine);
    ::symlink("gone.ini", at("dangling.ini").c_str());

    struct Case {
        const char *path;
        const char *written; // where the new key lands; nullptr when the save is refused
        const char *message; // part of the refusal
    };
    const Case cases[] = {
        {"mine.ini", "mine.ini", nullptr},
        {"new.ini", "new.ini", nullptr},
        {"my-link.ini", "mine-target.ini", nullptr},
        {"theirs.ini", nullptr, "belongs to another user"},
        {"my-link-to-theirs.ini", nullptr, "belongs to another user"},
        {"their-link.ini", nullptr, "belongs to another user"},
        {"their-link-to-mine.ini", nullptr, "belongs to another user"},
        {"dangling.ini", nullptr, "does not exist"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        const SaveStatus status = CProfileStore(at(c.path)).Write("General", "Grid", "YES");
        if (c.written) {
            EXPECT_TRUE(status.ok) << status.message;
            EXPECT_EQ(CProfileStore(at(c.written)).Read("General", "Grid"), "YES");
            EXPECT_EQ(ModeOf(at(c.written)), 0600);
            EXPECT_EQ(OwnerOf(at(c.written)), ::geteuid());
        } else {
            EXPECT_FALSE(status.ok);
            EXPECT_NE(status.message.find(c.message), std::string::npos) << status.message;
            if (std::string(c.message) == "belongs to another user") {
                EXPECT_NE(status.message.find("(" + theirName + ")"), std::string::npos) << status.message;
            }
        }
    }
    EXPECT_EQ(ReadBytes(at("theirs.ini")), kTheirs);
    EXPECT_EQ(ModeOf(at("theirs.ini")), 0644);
    EXPECT_EQ(ReadBytes(at("mine-behind-their-link.ini")), kMine);
    EXPECT_EQ(ListFolder(dir),
        "dangling.ini mine-behind-their-link.ini mine-target.ini mine.ini my-link-to-theirs.ini my-link.ini new.ini "
        "their-link-to-mine.ini their-link.ini theirs.ini");
}

// A folder an unprivileged user can reach: the private temporary folder opened to all.
std::string SharedFolder(const TempDir &dir)
{
    ::chmod(dir.Path().c_str(), 0755);
    const std::string shared = dir.File("shared");
    ::mkdir(shared.c_str(), 0777);
    ::chmod(shared.c_str(), 01777);
    return shared;
}

// As root, another user's files are those of nobody. Run again by the test below under
// setpriv, it checks the same cases as nobody in the folder root prepared.
TEST(SafeSave, AsWhoeverRunsIt)
{
    if (const char *dir = std::getenv("TW_SAFE_SAVE_DIR")) {
        CheckSaveCases(dir, std::getenv("TW_SAFE_SAVE_OTHER"));
        return;
    }
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can plant another user's files";
    TempDir dir;
    const std::string shared = SharedFolder(dir);
    PlantTheirs(shared, kNobody);
    CheckSaveCases(shared, UserName(kNobody));
}

TEST(SafeSave, AsAnOrdinaryUser)
{
    char self[4096] = {};
    if (::geteuid() != 0 || ::access("/usr/bin/setpriv", X_OK) != 0 || ::readlink("/proc/self/exe", self, 4095) <= 0)
        GTEST_SKIP() << "needs root and setpriv to become nobody";
    TempDir dir;
    const std::string shared = SharedFolder(dir);
    PlantTheirs(shared, 0);
    const int status = std::system(("TW_SAFE_SAVE_DIR='" + shared + "' TW_SAFE_SAVE_OTHER='" + UserName(0)
        + "' /usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups '" + self
        + "' --gtest_filter=SafeSave.AsWhoeverRunsIt --gtest_brief=1")
                                       .c_str());
    if (WIFEXITED(status) && WEXITSTATUS(status) >= 126)
        GTEST_SKIP() << "the test could not be started as nobody here";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(OwnerOf(shared + "/mine.ini"), kNobody);
}

// Leftovers of killed saves beside the profile, each a full copy of the record.
class StaleTemporaries : public ::testing::TestWithParam<bool> { };

TEST_P(StaleTemporaries, GoOnLoadOrSaveWhenTheirWriterIsGone)
{
    TempDir dir;
    const std::string path = dir.File("tallowin.ini");
    WriteBytes(path, kMine);
    const auto leave = [&](const std::string &name, int secondsAgo) {
        WriteBytes(dir.File(name), kMine);
        const timespec times[2] = {{std::time(nullptr) - secondsAgo, 0}, {std::time(nullptr) - secondsAgo, 0}};
        ::utimensat(AT_FDCWD, dir.File(name).c_str(), times, 0);
    };
    leave(".tallowin.ini.k9Zq2A", 10); // its writer was killed
    leave(".tallowin.ini.Busy01", 10); // a save still running (locked below)
    leave(".tallowin.ini.Hung02", 120); // locked, but far too old for any save
    leave(".tallowin.ini.Fresh3", 0); // between creation and lock, perhaps
    leave(".tallowin.ini.long-name", 300); // not a name a save gives
    leave(".other.ini.abcdef", 300); // another profile's
    const int busy = ::open(dir.File(".tallowin.ini.Busy01").c_str(), O_RDONLY);
    const int hung = ::open(dir.File(".tallowin.ini.Hung02").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);
    ASSERT_EQ(::flock(hung, LOCK_EX), 0);

    CProfileStore store(path);
    if (GetParam())
        ASSERT_TRUE(store.Write("General", "Grid", "YES"));
    else
        EXPECT_EQ(store.Read("Bank", "AccountNumber"), "MINE-0002");
    ::close(busy);
    ::close(hung);

    EXPECT_EQ(ListFolder(dir.Path()),
        ".other.ini.abcdef .tallowin.ini.Busy01 .tallowin.ini.Fresh3 .tallowin.ini.long-name tallowin.ini");
}

INSTANTIATE_TEST_SUITE_P(LoadAndSave, StaleTemporaries, ::testing::Values(false, true),
    [](const ::testing::TestParamInfo<bool> &info) { return info.param ? "Save" : "Load"; });

// What is no profile is reported at once: never opened when that could block (a pipe),
// never read whole when it is huge, never replaced by a save.
TEST(ProfileReading, FilesThatAreNoProfileAreReported)
{
    TempDir dir;
    const std::string fifo = dir.File("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = dir.File("huge.ini");
    WriteBytes(huge, "[General]\n");
    ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(kMaxProfileBytes) + 1), 0);
    const std::string largest = dir.File("largest.ini");
    WriteBytes(largest, "[General]\nGrid=YES\n");
    ASSERT_EQ(::truncate(largest.c_str(), static_cast<off_t>(kMaxProfileBytes)), 0);

    const std::pair<std::string, int> cases[]
        = {{fifo, EINVAL}, {"/dev/zero", EINVAL}, {dir.Path(), EISDIR}, {huge, EFBIG}, {largest, 0}};
    for (const auto &[path, error] : cases) {
        SCOPED_TRACE(path);
        const CProfileSnapshot snapshot = CProfileStore(path).Snapshot();
        EXPECT_EQ(snapshot.ReadError(), error);
        EXPECT_FALSE(snapshot.Missing());
        if (error != 0 && path != "/dev/zero") {
            EXPECT_FALSE(CProfileStore(path).Write("General", "Grid", "NO").ok);
        }
    }
    EXPECT_TRUE(CProfileStore(dir.File("none.ini")).Snapshot().Missing());
    EXPECT_EQ(CProfileStore(largest).Read("General", "Grid"), "YES");
}

// A lone CR (an old editor's line end) ends a line as LF and CRLF do, so no value holds
// one and the next save goes through, changing nothing else.
TEST(ProfileReading, EveryLineEndEndsALine)
{
    TempDir dir;
    const std::string path = dir.File("tallowin.ini");
    const std::string old = "[Client]\rFirstName1=Ann\rLastName1=Lee\r\n[Bank]\nName=Lakeview\rAccountType=2";
    WriteBytes(path, old);
    CProfileStore store(path);
    EXPECT_EQ(store.Read("Client", "FirstName1"), "Ann");
    EXPECT_EQ(store.Read("Client", "LastName1"), "Lee");
    EXPECT_EQ(store.Read("Bank", "Name"), "Lakeview");
    EXPECT_EQ(store.Read("Bank", "AccountType"), "2");
    ASSERT_TRUE(store.Write("Client", "FirstName1", "Zoe"));
    ASSERT_TRUE(store.Write("Loan", "LoanAmount", "150000"));
    EXPECT_EQ(ReadBytes(path),
        "[Client]\rFirstName1=Zoe\rLastName1=Lee\r\n[Bank]\nName=Lakeview\rAccountType=2\r\r[Loan]\rLoanAmount="
        "150000\r");
}

} // namespace
} // namespace tw
