// The profile under hostile or broken files: other users' files and links, leftovers of
// killed saves, files that are no profile at all, old line ends.
#include "record/profile_store.h"

#include "tests/record/record_test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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
constexpr uid_t kStranger = 4242; // neither root nor nobody

uid_t OwnerOf(const std::string &path)
{
    struct stat st { };
    return ::lstat(path.c_str(), &st) == 0 ? st.st_uid : static_cast<uid_t>(-1);
}

// What another user left in a shared folder (world-writable and sticky, as /tmp is):
// their profile, their link to it, their link to a name where this user's own profile
// will stand, and links to this user's folder: one of a stranger (`linker`, never root),
// one of root, and one of root in a sticky folder of the stranger's.
void PlantTheirs(const std::string &dir, uid_t owner, uid_t linker)
{
    WriteBytes(dir + "/theirs.ini", kTheirs);
    ::chmod((dir + "/theirs.ini").c_str(), 0644);
    ASSERT_EQ(::symlink("theirs.ini", (dir + "/their-link.ini").c_str()), 0);
    ASSERT_EQ(::symlink("mine-behind-their-link.ini", (dir + "/their-link-to-mine.ini").c_str()), 0);
    for (const char *name : {"theirs.ini", "their-link.ini", "their-link-to-mine.ini"})
        ASSERT_EQ(::lchown((dir + "/" + name).c_str(), owner, owner), 0) << name;
    ASSERT_EQ(::mkdir((dir + "/sticky").c_str(), 0777), 0);
    ASSERT_EQ(::chmod((dir + "/sticky").c_str(), 01777), 0);
    const std::pair<const char *, uid_t> links[]
        = {{"their-dir", linker}, {"root-dir", 0}, {"sticky", linker}, {"sticky/root-dir", 0}};
    for (const auto &[name, uid] : links) {
        const char *target = std::string(name).find('/') != std::string::npos ? "../mine-dir" : "mine-dir";
        if (std::string(name) != "sticky") {
            ASSERT_EQ(::symlink(target, (dir + "/" + name).c_str()), 0);
        }
        ASSERT_EQ(::lchown((dir + "/" + name).c_str(), uid, uid), 0) << name;
    }
}

// How a file is written: a profile save (which makes missing folders), a PDF, a letter
// of a bulk run (where no link is written through).
enum class Writer { Profile, Pdf, Letter };

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
    ::mkdir(at("mine-dir").c_str(), 0700);
    WriteBytes(at("mine-dir/passwd"), kMine);
    ::symlink("their-dir/passwd", at("my-link-through-theirs.ini").c_str());
    const bool root = ::geteuid() == 0;

    struct Case {
        Writer writer;
        const char *path;
        const char *written; // where the new key lands; nullptr when the save is refused
        const char *message; // part of the refusal
    };
    const Case cases[] = {
        {Writer::Profile, "mine.ini", "mine.ini", nullptr},
        {Writer::Profile, "new.ini", "new.ini", nullptr},
        {Writer::Profile, "my-link.ini", "mine-target.ini", nullptr},
        {Writer::Profile, "theirs.ini", nullptr, "belongs to another user"},
        {Writer::Profile, "my-link-to-theirs.ini", nullptr, "belongs to another user"},
        {Writer::Profile, "their-link.ini", nullptr, "belongs to another user"},
        {Writer::Profile, "their-link-to-mine.ini", nullptr, "belongs to another user"},
        {Writer::Profile, "dangling.ini", nullptr, "does not exist"},
        {Writer::Profile, "their-dir/passwd", nullptr, "belongs to another user"},
        {Writer::Profile, "their-dir/new/tallowin.ini", nullptr, "belongs to another user"},
        {Writer::Pdf, "their-dir/passwd", nullptr, "belongs to another user"},
        {Writer::Pdf, "my-link-through-theirs.ini", nullptr, "belongs to another user"},
        {Writer::Letter, "their-dir/passwd", nullptr, "belongs to another user"},
        {Writer::Letter, "my-link.ini", nullptr, "symbolic link"},
        {Writer::Pdf, "root-dir/root.pdf", "mine-dir/root.pdf", nullptr},
        {Writer::Letter, "sticky/root-dir/sticky.pdf", root ? "mine-dir/sticky.pdf" : nullptr, "not made by"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        SaveStatus status;
        if (c.writer == Writer::Profile) {
            status = CProfileStore(at(c.path)).Write("General", "Grid", "YES");
        } else {
            const FileReplacement done = ReplacePrivateFile(*PosixProfileFileSystem(), at(c.path),
                "[General]\nGrid=YES\n", false, c.writer == Writer::Pdf ? LinkAtEnd::Follow : LinkAtEnd::Refuse);
            status = {done.outcome == FileReplacement::kReplaced, done.reason};
        }
        if (c.written) {
            EXPECT_TRUE(status.ok) << status.message;
            EXPECT_EQ(CProfileStore(at(c.written)).Read("General", "Grid"), "YES");
            EXPECT_EQ(ModeOf(at(c.written)), 0600);
            EXPECT_EQ(OwnerOf(at(c.written)), ::geteuid());
        } else {
            EXPECT_FALSE(status.ok);
            EXPECT_NE(status.message.find(c.message), std::string::npos) << status.message;
            if (c.writer == Writer::Profile && std::string(c.path).find('/') == std::string::npos
                && std::string(c.message) == "belongs to another user") {
                EXPECT_NE(status.message.find("(" + theirName + ")"), std::string::npos) << status.message;
            }
        }
    }
    EXPECT_EQ(ReadBytes(at("theirs.ini")), kTheirs);
    EXPECT_EQ(ModeOf(at("theirs.ini")), 0644);
    EXPECT_EQ(ReadBytes(at("mine-behind-their-link.ini")), kMine);
    EXPECT_EQ(ReadBytes(at("mine-dir/passwd")), kMine);
    EXPECT_EQ(ListFolder(dir),
        "dangling.ini mine-behind-their-link.ini mine-dir mine-target.ini mine.ini my-link-through-theirs.ini "
        "my-link-to-theirs.ini my-link.ini new.ini root-dir sticky their-dir their-link-to-mine.ini their-link.ini "
        "theirs.ini");
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
    PlantTheirs(shared, kNobody, kNobody);
    CheckSaveCases(shared, UserName(kNobody));
}

TEST(SafeSave, AsAnOrdinaryUser)
{
    char self[4096] = {};
    if (::geteuid() != 0 || ::access("/usr/bin/setpriv", X_OK) != 0 || ::readlink("/proc/self/exe", self, 4095) <= 0)
        GTEST_SKIP() << "needs root and setpriv to become nobody";
    TempDir dir;
    const std::string shared = SharedFolder(dir);
    PlantTheirs(shared, 0, kStranger);
    const int status = std::system(("TW_SAFE_SAVE_DIR='" + shared + "' TW_SAFE_SAVE_OTHER='" + UserName(0)
        + "' /usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups '" + self
        + "' --gtest_filter=SafeSave.AsWhoeverRunsIt --gtest_brief=1")
                                       .c_str());
    // 126 and 127: nobody may not run the test program here; a crash (128 + signal) fails.
    if (WIFEXITED(status) && (WEXITSTATUS(status) == 126 || WEXITSTATUS(status) == 127))
        GTEST_SKIP() << "the test could not be started as nobody here";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(OwnerOf(shared + "/mine.ini"), kNobody);
}

// Leftovers of killed saves beside the profile, each a full copy of the record, go;
// nothing else does, however it is named.
class StaleTemporaries : public ::testing::TestWithParam<bool> { };
TEST_P(StaleTemporaries, GoOnLoadOrSaveWhenTheirWriterIsGone)
{
    struct Leftover {
        const char *name;
        int secondsAgo;
        bool locked;
        int mode;
        uid_t owner; // 0: the user's
        bool removed;
    };
    const Leftover leftovers[] = {
        // Nobody holds it: between creation and lock for a moment, its writer killed after 2 s.
        {".tallowin.ini.twsave-Fresh1", 1, false, 0600, 0, false},
        {".tallowin.ini.twsave-Gone02", 2, false, 0600, 0, true},
        {".tallowin.ini.twsave-Gone03", 3, false, 0600, 0, true},
        // Locked: a save still running, until it is a minute old and far too old for any save.
        {".tallowin.ini.twsave-Busy59", 59, true, 0600, 0, false},
        {".tallowin.ini.twsave-Hung60", 60, true, 0600, 0, true},
        {".tallowin.ini.twsave-Hung61", 61, true, 0600, 0, true},
        {".tallowin.ini.twsave-Open04", 300, false, 0644, 0, false}, // no save makes a file others may read
        {".tallowin.ini.twsave-Their5", 300, false, 0600, kNobody, false},
        {".tallowin.ini.twsave-zZ09aA", 300, false, 0600, 0, true}, // letters and digits, ends included
        {".tallowin.ini.twsave-ab-de1", 300, false, 0600, 0, false},
        {".tallowin.ini.twsave-long-name", 300, false, 0600, 0, false},
        {".tallowin.ini.backup", 300, false, 0600, 0, false}, // the user's own copies
        {".tallowin.ini.2024v1", 300, false, 0600, 0, false},
        {".other.ini.twsave-abcdef", 300, false, 0600, 0, false}, // another profile's
    };
    // The ages count in whole seconds of the clock: a run that a second's turn cuts
    // through is done again.
    for (int attempt = 0; attempt < 5; ++attempt) {
        TempDir dir;
        const std::string path = dir.File("tallowin.ini");
        WriteBytes(path, kMine);
        std::set<std::string> kept = {"tallowin.ini"};
        std::vector<int> locks;
        const std::time_t start = std::time(nullptr);
        for (const Leftover &l : leftovers) {
            if (l.owner != 0 && ::geteuid() != 0)
                continue;
            const std::string file = dir.File(l.name);
            WriteBytes(file, kMine);
            ::chmod(file.c_str(), static_cast<mode_t>(l.mode));
            if (l.owner != 0) {
                ASSERT_EQ(::chown(file.c_str(), l.owner, l.owner), 0);
            }
            const timespec times[2] = {{start - l.secondsAgo, 0}, {start - l.secondsAgo, 0}};
            ::utimensat(AT_FDCWD, file.c_str(), times, 0);
            if (l.locked) {
                locks.push_back(::open(file.c_str(), O_RDONLY));
                ASSERT_EQ(::flock(locks.back(), LOCK_EX), 0);
            }
            if (!l.removed)
                kept.insert(l.name);
        }

        CProfileStore store(path);
        if (GetParam())
            ASSERT_TRUE(store.Write("General", "Grid", "YES"));
        else
            EXPECT_EQ(store.Read("Bank", "AccountNumber"), "MINE-0002");
        for (const int fd : locks)
            ::close(fd);
        if (std::time(nullptr) != start)
            continue;

        std::string expected;
        for (const std::string &name : kept)
            expected += (expected.empty() ? "" : " ") + name;
        EXPECT_EQ(ListFolder(dir.Path()), expected);
        return;
    }
    FAIL() << "every run crossed a second";
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
    // Section headers and keys, each line of them a record in memory, up to the limits and one past.
    const auto repeated = [&](const std::string &name, const std::string &line, std::size_t count) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i)
            text += line;
        WriteBytes(dir.File(name), text);
        return dir.File(name);
    };

    const std::pair<std::string, int> cases[] = {{fifo, EINVAL}, {"/dev/zero", EINVAL}, {dir.Path(), EISDIR},
        {huge, EFBIG}, {largest, 0}, {repeated("sections.ini", "[]\r", kMaxProfileSections), 0},
        {repeated("more-sections.ini", "[]\r", kMaxProfileSections + 1), EOVERFLOW},
        {repeated("keys.ini", "k=\n", kMaxProfileKeys), 0},
        {repeated("more-keys.ini", "k=\n", kMaxProfileKeys + 1), EOVERFLOW}};
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
