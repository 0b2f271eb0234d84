#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace tw {

// The largest profile that is read. A real one is a few kilobytes, and the largest the
// program writes (the record and 3 x 450 months of grid data) under 64 KiB; a larger
// file is not a profile, and reading it whole could take seconds and gigabytes.
inline constexpr std::size_t kMaxProfileBytes = std::size_t {16} << 20;

// The file-system steps a profile save is made of. Every call returns 0 or an errno
// value. The profile store takes them through this interface so that tests can make
// any single step fail and check that the profile on disk survives.
class ProfileFileSystem {
public:
    virtual ~ProfileFileSystem() = default;

    // The whole file; ENOENT when it does not exist, EISDIR for a folder, EINVAL for
    // anything else that is not a regular file (a pipe or device is never opened: that
    // alone could block or have effects), EFBIG above kMaxProfileBytes.
    virtual int ReadFile(const std::string &path, std::string &contents) = 0;
    // Creates the folder and any missing parents, each readable by its owner only.
    virtual int MakeDirectories(const std::string &dir) = 0;
    // Creates and opens a new, unique file "<dir>/<prefix>XXXXXX" with mode 0600, locked
    // (flock) until it is closed so that a cleanup can tell it from a dead writer's.
    virtual int CreateTemp(const std::string &dir, const std::string &prefix, int &fd, std::string &path) = 0;
    virtual int WriteAll(int fd, std::string_view data) = 0;
    virtual int SyncFile(int fd) = 0;
    virtual int CloseFile(int fd) = 0;
    virtual int Rename(const std::string &from, const std::string &to) = 0;
    virtual int SyncDirectory(const std::string &dir) = 0;
    virtual int RemoveFile(const std::string &path) = 0;
};

// The real thing, on POSIX calls.
std::shared_ptr<ProfileFileSystem> PosixProfileFileSystem();

// Where a save of `path` may write, under the rule that a save never takes a file from
// another user: the path itself when it is missing or a regular file of this user; a
// symbolic link is written through only when every link on the way and the file at the
// end belong to this user. Otherwise `refusal` says why in words, or `error` holds the
// errno value that kept the path from being examined.
struct SaveTarget {
    std::string path;
    std::string refusal;
    int error = 0;
};
SaveTarget ResolveSaveTarget(const std::string &path);

// Removes this user's temporary files of earlier saves of `<dir>/<name>` (the names
// CreateTemp gives with the prefix ".<name>.") that a crashed or killed writer left:
// those no live writer holds locked, and any older than a minute. Each holds a whole
// copy of what was being saved. Returns how many were removed.
int RemoveStaleTemporaries(const std::string &dir, const std::string &name);
// The same beside `path` and, when it is a symbolic link, beside the file it leads to.
int RemoveStaleTemporariesOf(const std::string &path);

// The name of the user with this id, or "user <id>" when it has none.
std::string UserName(unsigned uid);

} // namespace tw
