#include "record/profile_file_system.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tw {

namespace {

int RegularFileError(const struct stat &st)
{
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    if (!S_ISREG(st.st_mode))
        return EINVAL;
    if (static_cast<std::uintmax_t>(st.st_size) > kMaxProfileBytes)
        return EFBIG;
    return 0;
}

class PosixFileSystem final : public ProfileFileSystem {
public:
    int ReadFile(const std::string &path, std::string &contents) override
    {
        contents.clear();
        // Looked at before it is opened: opening a pipe or a device can block or act.
        struct stat st { };
        if (::stat(path.c_str(), &st) != 0)
            return errno;
        if (int error = RegularFileError(st))
            return error;
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        if (fd < 0)
            return errno;
        // It may have been swapped for something else in between.
        int error = ::fstat(fd, &st) != 0 ? errno : RegularFileError(st);
        if (error == 0) {
            contents.reserve(static_cast<std::size_t>(st.st_size));
            char buf[65536];
            for (;;) {
                const ssize_t n = ::read(fd, buf, sizeof buf);
                if (n > 0) {
                    contents.append(buf, static_cast<std::size_t>(n));
                    // It may also have grown since.
                    if (contents.size() > kMaxProfileBytes) {
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
            contents.clear();
        return error;
    }

    int MakeDirectories(const std::string &dir) override
    {
        struct stat st { };
        if (::stat(dir.c_str(), &st) == 0)
            return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
        // Create from the outermost missing folder inwards.
        std::vector<std::string> missing;
        std::string current = dir;
        while (!current.empty() && ::stat(current.c_str(), &st) != 0) {
            if (errno != ENOENT)
                return errno;
            missing.push_back(current);
            const auto slash = current.find_last_of('/', current.size() - 1);
            if (slash == std::string::npos || slash == 0)
                break;
            current.resize(slash);
            while (current.size() > 1 && current.back() == '/')
                current.pop_back();
        }
        for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
            if (::mkdir(it->c_str(), 0700) != 0 && errno != EEXIST)
                return errno;
        }
        return 0;
    }

    int CreateTemp(const std::string &dir, const std::string &prefix, int &fd, std::string &path) override
    {
        std::string name = dir + "/" + prefix + "XXXXXX";
        fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0)
            return errno;
        path = name;
        // mkostemp already asks for 0600; make sure no umask or ACL default widened it.
        // The lock tells a cleanup that the writer is alive; a file system without
        // locks leaves the age rule alone, which is no reason to fail the save.
        ::flock(fd, LOCK_EX | LOCK_NB);
        if (::fchmod(fd, S_IRUSR | S_IWUSR) != 0) {
            const int error = errno;
            ::close(fd);
            ::unlink(name.c_str());
            fd = -1;
            return error;
        }
        return 0;
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

    int Rename(const std::string &from, const std::string &to) override
    {
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }

    int SyncDirectory(const std::string &dir) override
    {
        const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return errno;
        int error = ::fsync(fd) == 0 ? 0 : errno;
        // Some file systems cannot sync a folder at all; that is no failure of the save.
        if (error == EINVAL || error == EROFS)
            error = 0;
        ::close(fd);
        return error;
    }

    int RemoveFile(const std::string &path) override { return ::unlink(path.c_str()) == 0 ? 0 : errno; }
};

} // namespace

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

namespace {

std::string DirectoryOf(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string OwnedByAnother(const char *what, const std::string &path, const struct stat &st)
{
    return std::string(what) + " " + path + " belongs to another user (" + UserName(st.st_uid)
        + "), so it was left as it is";
}

} // namespace

SaveTarget ResolveSaveTarget(const std::string &path)
{
    const uid_t me = ::geteuid();
    SaveTarget result;
    std::string current = path;
    // Each link on the way is looked at by itself: realpath would pass over a link that
    // another user planted in the middle of a chain.
    for (int hops = 0; hops <= 40; ++hops) {
        struct stat st { };
        if (::lstat(current.c_str(), &st) != 0) {
            const int error = errno;
            if (error == ENOENT && current != path) {
                result.refusal = "The link " + path + " leads to " + current
                    + ", which does not exist; a link that leads nowhere is not replaced by a file";
            } else if (error == ENOENT) {
                result.path = path;
            } else {
                result.error = error;
            }
            return result;
        }
        if (S_ISLNK(st.st_mode)) {
            if (st.st_uid != me) {
                result.refusal = OwnedByAnother("The link", current, st);
                return result;
            }
            std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 0) + 256, '\0');
            const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
            if (n < 0 || static_cast<std::size_t>(n) >= target.size()) {
                result.error = n < 0 ? errno : ENAMETOOLONG;
                return result;
            }
            target.resize(static_cast<std::size_t>(n));
            current = target.front() == '/' ? target : DirectoryOf(current) + "/" + target;
            continue;
        }
        if (S_ISDIR(st.st_mode)) {
            result.error = EISDIR;
        } else if (!S_ISREG(st.st_mode)) {
            result.refusal = current + " is not a regular file, so it was left as it is";
        } else if (st.st_uid != me) {
            result.refusal = OwnedByAnother("The file", current, st);
        } else {
            result.path = current;
        }
        return result;
    }
    result.error = ELOOP;
    return result;
}

int RemoveStaleTemporaries(const std::string &dir, const std::string &name)
{
    // Short of a minute, a file nobody holds locked may still be between its creation
    // and its lock, or between its close and its rename.
    constexpr long kUnlockedGraceSeconds = 2;
    constexpr long kStaleSeconds = 60;
    const std::string prefix = "." + name + ".";
    DIR *folder = ::opendir(dir.c_str());
    if (!folder)
        return 0;
    const uid_t me = ::geteuid();
    const std::time_t now = std::time(nullptr);
    int removed = 0;
    while (const dirent *entry = ::readdir(folder)) {
        const std::string_view candidate(entry->d_name);
        if (candidate.size() != prefix.size() + 6 || candidate.substr(0, prefix.size()) != prefix)
            continue;
        bool temporaryName = true;
        for (char c : candidate.substr(prefix.size()))
            temporaryName
                = temporaryName && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'));
        if (!temporaryName)
            continue;
        const std::string full = dir + "/" + std::string(candidate);
        const int fd = ::open(full.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0)
            continue;
        struct stat st { };
        struct stat named { };
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == me) {
            const long age = static_cast<long>(now - st.st_mtime);
            const bool writerGone = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
            const bool stale = age >= kStaleSeconds || (writerGone && age >= kUnlockedGraceSeconds);
            // Only the very file that was looked at goes.
            if (stale && ::lstat(full.c_str(), &named) == 0 && named.st_dev == st.st_dev && named.st_ino == st.st_ino
                && ::unlink(full.c_str()) == 0)
                ++removed;
        }
        ::close(fd);
    }
    ::closedir(folder);
    return removed;
}

int RemoveStaleTemporariesOf(const std::string &path)
{
    int removed = RemoveStaleTemporaries(DirectoryOf(path), NameOf(path));
    struct stat st { };
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        const SaveTarget target = ResolveSaveTarget(path);
        if (!target.path.empty() && target.path != path)
            removed += RemoveStaleTemporaries(DirectoryOf(target.path), NameOf(target.path));
    }
    return removed;
}

} // namespace tw
