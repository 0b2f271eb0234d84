#include "record/profile_store.h"

#include <cctype>
#include <cerrno>
#include <cstring>

namespace tw {

namespace {

// 10000 -> "10,000".
std::string FormatCount(std::size_t n)
{
    std::string digits = std::to_string(n);
    for (auto i = static_cast<std::ptrdiff_t>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<std::size_t>(i), ",");
    return digits;
}

} // namespace

std::string DescribeFileError(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return "Permission denied";
    case ENOSPC:
        return "The disk is full";
    case EDQUOT:
        return "Your disk quota is used up";
    case EROFS:
        return "The disk is read-only";
    case EISDIR:
        return "That name belongs to a folder, not a file";
    case ENOTDIR:
        return "A part of the folder path is not a folder";
    case ENOENT:
        return "The folder does not exist";
    case EINVAL:
        return "It is not a regular file";
    case EFBIG:
        return "It is larger than 16 MiB, far more than any profile holds";
    case EOVERFLOW:
        return "It holds more than " + FormatCount(kMaxProfileSections) + " sections or " + FormatCount(kMaxProfileKeys)
            + " keys, far more than any profile holds";
    case ELOOP:
        return "It leads through too many symbolic links";
    case EIO:
        return "The disk reported an error";
    case ENAMETOOLONG:
        return "The name is too long";
    default:
        return std::strerror(error);
    }
}

// --- CProfileSnapshot ---------------------------------------------------------------

std::string CProfileSnapshot::Read(std::string_view section, std::string_view key, std::string_view fallback) const
{
    auto value = doc_.Find(section, key);
    return value ? std::move(*value) : std::string(fallback);
}

bool CProfileSnapshot::Contains(std::string_view section, std::string_view key) const
{
    return doc_.Find(section, key).has_value();
}

std::vector<std::string> CProfileSnapshot::ReadMonths(std::string_view section, int count) const
{
    std::vector<std::string> months(count > 0 ? static_cast<std::size_t>(count) : 0);
    const int s = doc_.FindSection(section);
    if (s < 0)
        return months;
    std::string key = "Mth";
    for (int n = 1; n <= count; ++n) {
        key.resize(3);
        key += std::to_string(n);
        if (auto value = doc_.Find(s, key))
            months[static_cast<std::size_t>(n - 1)] = std::move(*value);
    }
    return months;
}

// --- CProfileEdit ---------------------------------------------------------------

CProfileEdit::CProfileEdit(CProfileStore &store)
    : store_(&store)
{
    RemoveStaleTemporariesOf(store.path_);
    std::string bytes;
    readError_ = store.fs_->ReadFile(store.path_, bytes);
    if (readError_ == ENOENT)
        readError_ = 0;
    doc_ = ProfileDocument::Parse(bytes);
    if (doc_.TooManyEntries())
        readError_ = EOVERFLOW;
}

std::string CProfileEdit::Read(std::string_view section, std::string_view key, std::string_view fallback) const
{
    auto value = doc_.Find(section, key);
    return value ? std::move(*value) : std::string(fallback);
}

void CProfileEdit::Write(std::string_view section, std::string_view key, std::string_view value)
{
    if (!problem_.empty())
        return;
    problem_ = ProfileEntryProblem(section, key, value);
    if (problem_.empty() && doc_.Set(section, key, value))
        changed_ = true;
}

SaveStatus CProfileEdit::Commit()
{
    // A file that exists but cannot be read must not be replaced by what little we know.
    if (readError_ != 0)
        return store_->Failure(
            "The file could not be read (" + DescribeFileError(readError_) + "), so it was left as it is");
    if (!problem_.empty()) {
        std::string reason = problem_;
        reason[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(reason[0])));
        return store_->Failure(reason + ". Nothing was saved");
    }
    if (!changed_)
        return {};
    SaveStatus status = store_->Replace(doc_.Serialize());
    if (status)
        changed_ = false;
    return status;
}

// --- CProfileStore ---------------------------------------------------------------

CProfileStore::CProfileStore(std::string path)
    : CProfileStore(std::move(path), PosixProfileFileSystem())
{
}

CProfileStore::CProfileStore(std::string path, std::shared_ptr<ProfileFileSystem> fs)
    : path_(std::move(path))
    , fs_(fs ? std::move(fs) : PosixProfileFileSystem())
{
}

std::string CProfileStore::Read(std::string_view section, std::string_view key, std::string_view fallback) const
{
    return Snapshot().Read(section, key, fallback);
}

CProfileSnapshot CProfileStore::Snapshot() const
{
    RemoveStaleTemporariesOf(path_);
    CProfileSnapshot snapshot;
    std::string bytes;
    snapshot.readError_ = fs_->ReadFile(path_, bytes);
    snapshot.missing_ = snapshot.readError_ == ENOENT;
    if (snapshot.missing_)
        snapshot.readError_ = 0;
    snapshot.doc_ = ProfileDocument::Parse(bytes);
    if (snapshot.doc_.TooManyEntries())
        snapshot.readError_ = EOVERFLOW;
    return snapshot;
}

SaveStatus CProfileStore::Write(std::string_view section, std::string_view key, std::string_view value)
{
    CProfileEdit edit = Edit();
    edit.Write(section, key, value);
    return edit.Commit();
}

CProfileEdit CProfileStore::Edit()
{
    return CProfileEdit(*this);
}

SaveStatus CProfileStore::Failure(const std::string &reason) const
{
    return {false, "Tallowin could not save your information to " + path_ + ": " + reason + "."};
}

SaveStatus CProfileStore::Replace(const std::string &bytes)
{
    const FileReplacement done = ReplacePrivateFile(*fs_, path_, bytes, true);
    if (done.outcome == FileReplacement::kUnsynced) {
        return {false,
            "Tallowin saved your information to " + path_ + " but could not make sure that it reached the disk: "
                + done.reason + ". If the computer stops now, the last change may be lost."};
    }
    if (done.outcome == FileReplacement::kNotReplaced)
        return Failure(done.reason);
    return {};
}

FileReplacement ReplacePrivateFile(
    ProfileFileSystem &fs, const std::string &path, std::string_view bytes, bool makeFolders, LinkAtEnd link)
{
    const std::string kept = ". What was saved there before is unchanged";
    const auto failed = [&](const std::string &reason) {
        return FileReplacement {FileReplacement::kNotReplaced, reason};
    };
    const SaveTarget target = ResolveSaveTarget(fs, path, makeFolders, link);
    if (!target.refusal.empty())
        return failed(target.refusal);
    if (target.error != 0)
        return failed(DescribeFileError(target.error) + kept);
    const int folder = target.folder.Get();
    RemoveStaleTemporaries(folder, target.name);

    int fd = -1;
    std::string temp;
    if (int error = fs.CreateTemp(folder, TemporaryPrefix(target.name), fd, temp)) {
        // The folder was just opened, so it is there: it takes no new files (as /proc).
        return failed(
            (error == ENOENT ? std::string("No new file can be made in that folder") : DescribeFileError(error))
            + kept);
    }
    int error = fs.WriteAll(fd, bytes);
    if (error == 0)
        error = fs.SyncFile(fd);
    if (error != 0) {
        fs.CloseFile(fd);
    } else {
        error = fs.CloseFile(fd);
    }
    if (error == 0)
        error = fs.Rename(folder, temp, target.name);
    if (error != 0) {
        fs.RemoveFile(folder, temp);
        return failed(DescribeFileError(error) + kept);
    }
    if (int syncError = fs.SyncDirectory(folder))
        return {FileReplacement::kUnsynced, DescribeFileError(syncError)};
    return {};
}

} // namespace tw
