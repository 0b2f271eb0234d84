#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tw {

// The file-system steps a profile save is made of. Every call returns 0 or an errno
// value. The profile store takes them through this interface so that tests can make
// any single step fail and check that the profile on disk survives.
class ProfileFileSystem {
public:
    virtual ~ProfileFileSystem() = default;

    // The whole file; ENOENT when it does not exist, EISDIR for a folder and EINVAL
    // for anything that is not an ordinary file (a device or pipe would never end).
    virtual int ReadFile(const std::string &path, std::string &contents) = 0;
    // Creates the folder and any missing parents, each readable by its owner only.
    virtual int MakeDirectories(const std::string &dir) = 0;
    // Creates and opens a new, unique file "<dir>/<prefix>XXXXXX" with mode 0600.
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

} // namespace tw
