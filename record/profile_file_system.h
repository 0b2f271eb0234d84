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

// An open file descriptor, closed when its owner goes.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(int fd)
        : fd_(fd)
    {
    }
    ~FileHandle() { Reset(); }
    FileHandle(FileHandle &&other) noexcept
        : fd_(other.Release())
    {
    }
    FileHandle &operator=(FileHandle &&other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    int Release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void Reset(int fd = -1);

private:
    int fd_ = -1;
};

// A whole regular file of at most `maxBytes`; ENOENT when it does not exist, EISDIR
// for a folder, EINVAL for anything else that is not a regular file (a pipe or device
// is never opened: that alone could block or have effects), EFBIG when it is larger.
int ReadRegularFile(const std::string &path, std::size_t maxBytes, std::string &contents);

// True when both paths name one existing file, told by device and inode: a link or
// another spelling of a profile's path names the profile too.
bool NamesSameFile(const std::string &a, const std::string &b);

// A folder opened for writing files into it. The path is walked one component at a
// time, and a symbolic link on the way is followed only under the rule the kernel
// applies in shared folders: the link must be this user's or root's, and a link in a
// world-writable sticky folder (as /tmp is) must be this user's or the folder owner's.
// So a link that another user planted anywhere on the way can never send a file into
// a folder of their choosing. With `makeMissing`, missing folders are created, each
// readable by its owner only. `refusal` says in words why a link was not followed;
// otherwise `error` holds the errno value that stopped the walk.
struct OpenedFolder {
    FileHandle folder;
    std::string refusal;
    int error = 0;
};
OpenedFolder OpenFolder(const std::string &dir, bool makeMissing);

// The file-system steps a save is made of. Every call returns 0 or an errno value; the
// folders are those OpenFolder opened. The profile store takes them through this
// interface so that tests can make any single step fail and check that the profile on
// disk survives.
class ProfileFileSystem {
public:
    virtual ~ProfileFileSystem() = default;

    // The whole file, under ReadRegularFile's rules, up to kMaxProfileBytes.
    virtual int ReadFile(const std::string &path, std::string &contents) = 0;
    // OpenFolder; -1 with the reason in `refusal` when a link was refused.
    virtual int OpenFolder(const std::string &dir, bool makeMissing, FileHandle &folder, std::string &refusal) = 0;
    // Creates and opens a new, unique file "<prefix>XXXXXX" in the folder with mode 0600,
    // locked (flock) until it is closed so that a cleanup can tell it from a dead writer's.
    virtual int CreateTemp(int folder, const std::string &prefix, int &fd, std::string &name) = 0;
    virtual int WriteAll(int fd, std::string_view data) = 0;
    virtual int SyncFile(int fd) = 0;
    virtual int CloseFile(int fd) = 0;
    virtual int Rename(int folder, const std::string &from, const std::string &to) = 0;
    virtual int SyncDirectory(int folder) = 0;
    virtual int RemoveFile(int folder, const std::string &name) = 0;
};

// The real thing, on POSIX calls.
std::shared_ptr<ProfileFileSystem> PosixProfileFileSystem();

// Whether a symbolic link where the file itself should stand is written through (a
// profile kept elsewhere) or refused (a folder of letters, where no link belongs).
enum class LinkAtEnd { Follow, Refuse };

// Where a save of `path` may write, under the rule that a save never takes a file from
// another user: the folders on the way are opened as OpenFolder does; the file itself
// may be missing or a regular file of this user; a symbolic link there is written
// through only when every link on the way and the file at the end belong to this user.
// Otherwise `refusal` says why in words, or `error` holds the errno value that kept the
// path from being examined.
struct SaveTarget {
    FileHandle folder; // the folder the file is or will be in
    std::string name; // the file's name in that folder
    std::string path; // where it is, for messages
    std::string refusal;
    int error = 0;
};
SaveTarget ResolveSaveTarget(ProfileFileSystem &fs, const std::string &path, bool makeFolders, LinkAtEnd link);
SaveTarget ResolveSaveTarget(const std::string &path);

// The names CreateTemp gives a save of `name` begin with this.
std::string TemporaryPrefix(const std::string &name);

// Removes the temporary files that earlier saves of `name` in the folder left behind
// when a crashed or killed writer could not: files of this program's own pattern, that
// are regular, this user's and of mode 0600, that no live writer holds locked, or that
// are older than a minute. Each holds a whole copy of what was being saved; anything
// else (a backup the user made, however it is named) is left alone. Returns how many
// were removed.
int RemoveStaleTemporaries(int folder, const std::string &name);
// The same beside `path` and, when it is a symbolic link, beside the file it leads to.
int RemoveStaleTemporariesOf(const std::string &path);

// The name of the user with this id, or "user <id>" when it has none.
std::string UserName(unsigned uid);

} // namespace tw
