#pragma once

#include "record/profile_file_system.h"

#include <cerrno>
#include <memory>
#include <string>

namespace tw::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    const std::string &Path() const { return path_; }
    std::string File(const std::string &name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string ReadBytes(const std::string &path);
void WriteBytes(const std::string &path, const std::string &bytes);
// Names in the folder other than "." and "..", sorted.
std::string ListFolder(const std::string &dir);
int ModeOf(const std::string &path); // permission bits, -1 when missing

enum Step { kRead, kMakeDirs, kCreateTemp, kWrite, kSyncFile, kClose, kRename, kSyncDir, kStepCount };

// The real file system, except that one chosen step fails; counts the steps taken.
class FaultyFileSystem : public ProfileFileSystem {
public:
    Step failAt = kStepCount;
    int error = EIO;
    int calls[kStepCount] = {};

    int ReadFile(const std::string &p, std::string &c) override
    {
        return Run(kRead, [&] { return real->ReadFile(p, c); });
    }
    int OpenFolder(const std::string &d, bool make, FileHandle &f, std::string &why) override
    {
        return Run(kMakeDirs, [&] { return real->OpenFolder(d, make, f, why); });
    }
    int CreateTemp(int d, const std::string &pre, int &fd, std::string &p) override
    {
        return Run(kCreateTemp, [&] { return real->CreateTemp(d, pre, fd, p); });
    }
    int WriteAll(int fd, std::string_view data) override
    {
        if (failAt == kWrite) // a disk that fills up half-way
            real->WriteAll(fd, data.substr(0, data.size() / 2));
        return Run(kWrite, [&] { return real->WriteAll(fd, data); });
    }
    int SyncFile(int fd) override
    {
        return Run(kSyncFile, [&] { return real->SyncFile(fd); });
    }
    int CloseFile(int fd) override
    {
        // A failed close still releases the descriptor.
        const int result = real->CloseFile(fd);
        return Run(kClose, [&] { return result; });
    }
    int Rename(int d, const std::string &a, const std::string &b) override
    {
        return Run(kRename, [&] { return real->Rename(d, a, b); });
    }
    int SyncDirectory(int d) override
    {
        return Run(kSyncDir, [&] { return real->SyncDirectory(d); });
    }
    int RemoveFile(int d, const std::string &p) override { return real->RemoveFile(d, p); }

private:
    template <class F>
    int Run(Step step, F &&f)
    {
        ++calls[step];
        return step == failAt ? error : f();
    }
    std::shared_ptr<ProfileFileSystem> real = PosixProfileFileSystem();
};

} // namespace tw::test
