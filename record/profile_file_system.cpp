#include "record/profile_file_system.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace tw {

void FileHandle::Reset(int fd)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
}

namespace {

// Links followed in one walk before it counts as a loop, as the kernel counts them.
constexpr int kMaxLinks = 40;
constexpr std::size_t kRandomCharacters = 6;

int RegularFileError(const struct stat &st, std::size_t maxBytes)
{
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    if (!S_ISREG(st.st_mode))
        return EINVAL;
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes)
        return EFBIG;
    return 0;
}

std::string Joined(const std::string &folder, const std::string &name)
{
    if (folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// "a/b/c" -> "a/b" and "c"; "c" -> "" and "c"; "/c" -> "/" and "c".
std::pair<std::string, std::string> SplitLast(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {std::string(), path};
    return {slash == 0 ? std::string("/") : path.substr(0, slash), path.substr(slash + 1)};
}

std::string OwnedByAnother(const char *what, const std::string &path, const struct stat &st)
{
    return std::string(what) + " " + path + " belongs to another user (" + UserName(st.st_uid)
        + "), so it was left as it is";
}

int ReadLinkAt(int folder, const std::string &name, const struct stat &st, std::string &target)
{
    target.assign(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 0) + 256, '\0');
    const ssize_t n = ::readlinkat(folder, name.c_str(), target.data(), target.size());
    if (n < 0)
        return errno;
    if (static_cast<std::size_t>(n) >= target.size())
        return ENAMETOOLONG;
    target.resize(static_cast<std::size_t>(n));
    return target.empty() ? ENOENT : 0;
}

// One walk over folders, sharing its count of links with the walks it continues.
class FolderWalker {
public:
    explicit FolderWalker(bool makeMissing)
        : makeMissing_(makeMissing)
    {
    }

    // Opens `dir` (O_PATH), relative to `start` unless it is absolute; `shown` is how
    // the start is named in messages. Returns 0, an errno value, or -1 with `refusal`.
    int Walk(int start, const std::string &dir, std::string shown, FileHandle &out, std::string &refusal)
    {
        FileHandle current;
        std::vector<std::string> pending; // components still to walk, the next one last
        auto restart = [&](const std::string &from, bool absolute) {
            Push(pending, from);
            if (absolute) {
                current.Reset(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
                shown = "/";
            }
        };
        current.Reset(::openat(start, ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
        restart(dir, !dir.empty() && dir.front() == '/');
        while (!pending.empty()) {
            if (!current.Valid())
                return errno;
            const std::string part = std::move(pending.back());
            pending.pop_back();
            if (part.empty() || part == ".")
                continue;
            struct stat st { };
            if (::fstatat(current.Get(), part.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
                if (errno != ENOENT || !makeMissing_)
                    return errno;
                if (::mkdirat(current.Get(), part.c_str(), 0700) != 0 && errno != EEXIST)
                    return errno;
                if (::fstatat(current.Get(), part.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
                    return errno;
            }
            const std::string here = Joined(shown, part);
            if (S_ISLNK(st.st_mode)) {
                struct stat folder { };
                if (::fstat(current.Get(), &folder) != 0)
                    return errno;
                if (int error = MayFollow(st, folder, here, refusal))
                    return error;
                std::string target;
                if (int error = ReadLinkAt(current.Get(), part, st, target))
                    return error;
                restart(target, target.front() == '/');
                continue;
            }
            if (!S_ISDIR(st.st_mode))
                return ENOTDIR;
            // O_NOFOLLOW: a link swapped in since the look above is not followed.
            FileHandle next(::openat(current.Get(), part.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            if (!next.Valid())
                return errno == ELOOP ? ENOTDIR : errno;
            current = std::move(next);
            shown = here;
        }
        if (!current.Valid())
            return errno;
        out = std::move(current);
        return 0;
    }

    // The kernel's rule for links in shared folders, applied to every folder.
    int MayFollow(const struct stat &link, const struct stat &folder, const std::string &shown, std::string &refusal)
    {
        if (++links_ > kMaxLinks)
            return ELOOP;
        const uid_t me = ::geteuid();
        if (link.st_uid == me)
            return 0;
        if (link.st_uid != 0) {
            refusal = "The link " + shown + " belongs to another user (" + UserName(link.st_uid)
                + "), so nothing is written through it";
            return -1;
        }
        const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
        if (shared && folder.st_uid != link.st_uid) {
            refusal = "The link " + shown
                + " stands in a folder that every user may write to and was not made by the folder's owner, so "
                  "nothing is written through it";
            return -1;
        }
        return 0;
    }

private:
    static void Push(std::vector<std::string> &pending, const std::string &path)
    {
        std::vector<std::string> parts;
        std::size_t from = 0;
        while (from <= path.size()) {
            const auto slash = path.find('/', from);
            const auto end = slash == std::string::npos ? path.size() : slash;
            if (end > from)
                parts.push_back(path.substr(from, end - from));
            from = end + 1;
        }
        pending.insert(pending.end(), parts.rbegin(), parts.rend());
    }

    bool makeMissing_;
    int links_ = 0;
};

// The O_PATH folder a walk ends on, opened for reading where it can be, so that it can
// also be listed and flushed to the disk.
FileHandle Readable(FileHandle folder)
{
    FileHandle readable(::openat(folder.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return readable.Valid() ? std::move(readable) : std::move(folder);
}

class PosixFileSystem final : public ProfileFileSystem {
public:
    int ReadFile(const std::string &path, std::string &contents) override
    {
        return ReadRegularFile(path, kMaxProfileBytes, contents);
    }

    int OpenFolder(const std::string &dir, bool makeMissing, FileHandle &folder, std::string &refusal) override
    {
        OpenedFolder opened = tw::OpenFolder(dir, makeMissing);
        folder = std::move(opened.folder);
        refusal = std::move(opened.refusal);
        return refusal.empty() ? opened.error : -1;
    }

    int CreateTemp(int folder, const std::string &prefix, int &fd, std::string &name) override
    {
        static constexpr char kCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        for (int attempt = 0; attempt < 100; ++attempt) {
            unsigned char random[kRandomCharacters];
            if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
                // No random source: the clock and the process make a name; O_EXCL keeps it unique.
                auto seed = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())
                    ^ (static_cast<std::uint64_t>(::getpid()) << 32) ^ static_cast<std::uint64_t>(attempt);
                for (unsigned char &c : random) {
                    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
                    c = static_cast<unsigned char>(seed >> 56);
                }
            }
            name = prefix;
            for (unsigned char c : random)
                name += kCharacters[c % (sizeof kCharacters - 1)];
            fd = ::openat(folder, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd < 0) {
                if (errno == EEXIST)
                    continue;
                return errno;
            }
            // The lock tells a cleanup that the writer is alive; a file system without
            // locks leaves the age rule alone, which is no reason to fail the save. The
            // mode is set again in case an ACL default widened it.
            ::flock(fd, LOCK_EX | LOCK_NB);
            if (::fchmod(fd, S_IRUSR | S_IWUSR) != 0) {
                const int error = errno;
                ::close(fd);
                ::unlinkat(folder, name.c_str(), 0);
                fd = -1;
                return error;
            }
            return 0;
        }
        return EEXIST;
    }

    int WriteAll(int fd, std::string_view data) override
    {
        while (!data.empty()) {
            const ssize_t n = ::write(fd, data.data(), data.size());
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            if (n == 0)
                return ENOSPC;
            data.remove_prefix(static_cast<std::size_t>(n));
        }
        return 0;
    }

    int SyncFile(int fd) override { return ::fsync(fd) == 0 ? 0 : errno; }

    int CloseFile(int fd) override { return ::close(fd) == 0 ? 0 : errno; }

    int Rename(int folder, const std::string &from, const std::string &to) override
    {
        return ::renameat(folder, from.c_str(), folder, to.c_str()) == 0 ? 0 : errno;
    }

    int SyncDirectory(int folder) override
    {
        const int error = ::fsync(folder) == 0 ? 0 : errno;
        // Some file systems cannot sync a folder at all, and a folder that may be written
        // but not listed can only be held by path: neither is a failure of the save.
        return error == EINVAL || error == EROFS || error == EBADF ? 0 : error;
    }

    int RemoveFile(int folder, const std::string &name) override
    {
        return ::unlinkat(folder, name.c_str(), 0) == 0 ? 0 : errno;
    }
};

} // namespace

bool NamesSameFile(const std::string &a, const std::string &b)
{
    struct stat first { };
    struct stat second { };
    return !a.empty() && !b.empty() && ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0
        && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

int ReadRegularFile(const std::string &path, std::size_t maxBytes, std::string &contents)
{
    contents.clear();
    // Looked at before it is opened: opening a pipe or a device can block or act.
    struct stat st { };
    if (::stat(path.c_str(), &st) != 0)
        return errno;
    if (int error = RegularFileError(st, maxBytes))
        return error;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return errno;
    // It may have been swapped for something else in between.
    int error = ::fstat(fd, &st) != 0 ? errno : RegularFileError(st, maxBytes);
    if (error == 0) {
        contents.reserve(static_cast<std::size_t>(st.st_size));
        char buf[65536];
        for (;;) {
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n > 0) {
                contents.append(buf, static_cast<std::size_t>(n));
                // It may also have grown since.
                if (contents.size() > maxBytes) {
                    error = EFBIG;
                    break;
                }
            } else if (n == 0) {
                break;
            } else if (errno != EINTR) {
                error = errno;
                break;
            }
        }
    }
    ::close(fd);
    if (error != 0)
        contents = std::string();
    return error;
}

OpenedFolder OpenFolder(const std::string &dir, bool makeMissing)
{
    OpenedFolder opened;
    FileHandle folder;
    const int result
        = FolderWalker(makeMissing).Walk(AT_FDCWD, dir.empty() ? "." : dir, std::string(), folder, opened.refusal);
    if (result == 0)
        opened.folder = Readable(std::move(folder));
    else if (opened.refusal.empty())
        opened.error = result;
    return opened;
}

std::shared_ptr<ProfileFileSystem> PosixProfileFileSystem()
{
    static const auto fs = std::make_shared<PosixFileSystem>();
    return fs;
}

std::string UserName(unsigned uid)
{
    struct passwd pw { };
    struct passwd *found = nullptr;
    std::vector<char> buf(16384);
    if (::getpwuid_r(static_cast<uid_t>(uid), &pw, buf.data(), buf.size(), &found) == 0 && found && pw.pw_name
        && *pw.pw_name)
        return pw.pw_name;
    return "user " + std::to_string(uid);
}

SaveTarget ResolveSaveTarget(ProfileFileSystem &fs, const std::string &path, bool makeFolders, LinkAtEnd link)
{
    SaveTarget result;
    auto [dir, name] = SplitLast(path);
    if (name.empty() || name == "." || name == "..") {
        result.error = EISDIR;
        return result;
    }
    if (int error = fs.OpenFolder(dir.empty() ? "." : dir, makeFolders, result.folder, result.refusal)) {
        if (result.refusal.empty())
            result.error = error;
        return result;
    }
    const uid_t me = ::geteuid();
    FolderWalker walker(false);
    std::string shown = path;
    // Each link at the end is looked at by itself: realpath would pass over a link that
    // another user planted in the middle of a chain.
    for (int hops = 0;; ++hops) {
        struct stat st { };
        if (::fstatat(result.folder.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            const int error = errno;
            if (error == ENOENT && hops > 0) {
                result.refusal = "The link " + path + " leads to " + shown
                    + ", which does not exist; a link that leads nowhere is not replaced by a file";
            } else if (error == ENOENT) {
                result.name = name;
                result.path = shown;
            } else {
                result.error = error;
            }
            return result;
        }
        if (S_ISLNK(st.st_mode)) {
            if (link == LinkAtEnd::Refuse) {
                result.refusal = shown + " is a symbolic link, and no file in this folder is written through one";
                return result;
            }
            if (st.st_uid != me) {
                result.refusal = OwnedByAnother("The link", shown, st);
                return result;
            }
            std::string target;
            int error = hops >= kMaxLinks ? ELOOP : ReadLinkAt(result.folder.Get(), name, st, target);
            auto [targetDir, targetName] = SplitLast(target);
            if (error == 0 && targetName.empty())
                error = EISDIR;
            if (error == 0 && !targetDir.empty()) {
                FileHandle folder;
                error = walker.Walk(result.folder.Get(), targetDir, SplitLast(shown).first, folder, result.refusal);
                if (error == 0)
                    result.folder = Readable(std::move(folder));
            }
            if (error != 0) {
                if (result.refusal.empty())
                    result.error = error;
                return result;
            }
            shown = target.front() == '/' ? target : Joined(SplitLast(shown).first, target);
            name = targetName;
            continue;
        }
        if (S_ISDIR(st.st_mode)) {
            result.error = EISDIR;
        } else if (!S_ISREG(st.st_mode)) {
            result.refusal = shown + " is not a regular file, so it was left as it is";
        } else if (st.st_uid != me) {
            result.refusal = OwnedByAnother("The file", shown, st);
        } else {
            result.name = name;
            result.path = shown;
        }
        return result;
    }
}

SaveTarget ResolveSaveTarget(const std::string &path)
{
    return ResolveSaveTarget(*PosixProfileFileSystem(), path, false, LinkAtEnd::Follow);
}

std::string TemporaryPrefix(const std::string &name)
{
    // A mark of this program's own: a user's ".tallowin.ini.backup" never matches it.
    return "." + name + ".twsave-";
}

int RemoveStaleTemporaries(int folder, const std::string &name)
{
    // Short of a minute, a file nobody holds locked may still be between its creation
    // and its lock, or between its close and its rename.
    constexpr long kUnlockedGraceSeconds = 2;
    constexpr long kStaleSeconds = 60;
    const std::string prefix = TemporaryPrefix(name);
    const int listed = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listed < 0)
        return 0;
    DIR *entries = ::fdopendir(listed);
    if (!entries) {
        ::close(listed);
        return 0;
    }
    const uid_t me = ::geteuid();
    const std::time_t now = std::time(nullptr);
    int removed = 0;
    while (const dirent *entry = ::readdir(entries)) {
        const std::string_view candidate(entry->d_name);
        if (candidate.size() != prefix.size() + kRandomCharacters || candidate.substr(0, prefix.size()) != prefix)
            continue;
        bool temporaryName = true;
        for (char c : candidate.substr(prefix.size()))
            temporaryName
                = temporaryName && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'));
        if (!temporaryName)
            continue;
        const std::string file(candidate);
        const int fd = ::openat(folder, file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0)
            continue;
        struct stat st { };
        struct stat named { };
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == me
            && (st.st_mode & 07777) == (S_IRUSR | S_IWUSR)) {
            const long age = static_cast<long>(now - st.st_mtime);
            const bool writerGone = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
            const bool stale = age >= kStaleSeconds || (writerGone && age >= kUnlockedGraceSeconds);
            // Only the very file that was looked at goes.
            if (stale && ::fstatat(folder, file.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == st.st_dev
                && named.st_ino == st.st_ino && ::unlinkat(folder, file.c_str(), 0) == 0)
                ++removed;
        }
        ::close(fd);
    }
    ::closedir(entries);
    return removed;
}

int RemoveStaleTemporariesOf(const std::string &path)
{
    const auto [dir, name] = SplitLast(path);
    const OpenedFolder opened = OpenFolder(dir.empty() ? "." : dir, false);
    if (!opened.folder.Valid() || name.empty())
        return 0;
    int removed = RemoveStaleTemporaries(opened.folder.Get(), name);
    struct stat st { };
    if (::fstatat(opened.folder.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode)) {
        const SaveTarget target = ResolveSaveTarget(path);
        if (target.folder.Valid() && !target.name.empty())
            removed += RemoveStaleTemporaries(target.folder.Get(), target.name);
    }
    return removed;
}

} // namespace tw
