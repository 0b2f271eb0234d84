#include "record/profile_file_system.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tw {

namespace {

class PosixFileSystem final : public ProfileFileSystem {
public:
    int ReadFile(const std::string &path, std::string &contents) override
    {
        contents.clear();
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            return errno;
        struct stat st { };
        int error = 0;
        if (::fstat(fd, &st) != 0)
            error = errno;
        else if (S_ISDIR(st.st_mode))
            error = EISDIR;
        else if (!S_ISREG(st.st_mode))
            error = EINVAL;
        if (error == 0) {
            contents.reserve(static_cast<std::size_t>(st.st_size));
            char buf[65536];
            for (;;) {
                const ssize_t n = ::read(fd, buf, sizeof buf);
                if (n > 0) {
                    contents.append(buf, static_cast<std::size_t>(n));
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

} // namespace tw
