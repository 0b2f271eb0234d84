#pragma once

#include "record/client_record.h"
#include "record/profile_document.h"
#include "record/profile_file_system.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

class CProfileStore;

// The profile as it was read at one moment: one read of the file, then any number of
// lookups without touching the disk again. A file that is missing or cannot be read
// reads as empty (every lookup gives its default), as the platform's profile calls do.
class CProfileSnapshot {
public:
    CProfileSnapshot() = default;

    // The value of the key, or `fallback` when the section or the key is missing.
    // An existing key with an empty value reads as "".
    std::string Read(std::string_view section, std::string_view key, std::string_view fallback = {}) const;
    bool Contains(std::string_view section, std::string_view key) const;

    // The values of "Mth1" to "Mth<count>" of one section; element n - 1 holds month n,
    // "" where the key is missing.
    std::vector<std::string> ReadMonths(std::string_view section, int count) const;

    // 0 when the file was read or does not exist; the errno value that kept it from
    // being read otherwise.
    int ReadError() const { return readError_; }
    // Whether there was no file (which reads as empty, the state of a first run).
    bool Missing() const { return missing_; }

private:
    friend class CProfileStore;
    ProfileDocument doc_;
    int readError_ = 0;
    bool missing_ = false;
};

// A set of writes that reaches the disk as one replacement of the file: either all of
// them are saved or none is. Reads through the edit see its own writes.
class CProfileEdit {
public:
    std::string Read(std::string_view section, std::string_view key, std::string_view fallback = {}) const;

    // Sets the key to the value as given (UTF-8, kept byte for byte). A value with a
    // line break cannot be stored; the first such write makes Commit fail and save
    // nothing, so no value is ever cut short or changed on the way.
    void Write(std::string_view section, std::string_view key, std::string_view value);

    // Whether any write changed the file's text.
    bool Changed() const { return changed_; }

    // Replaces the file with the edited text (nothing happens when nothing changed).
    SaveStatus Commit();

private:
    friend class CProfileStore;
    explicit CProfileEdit(CProfileStore &store);

    CProfileStore *store_;
    ProfileDocument doc_;
    int readError_ = 0;
    std::string problem_;
    bool changed_ = false;
};

// The program's INI profile at one path. Reads never fail (missing means default);
// writes go through ReplacePrivateFile: atomic, readable by the owner only, never onto
// another user's file. A folder the store creates is its owner's only. Every load and
// save first removes what crashed saves of this profile left behind.
class CProfileStore {
public:
    explicit CProfileStore(std::string path);
    // For tests: the file-system steps of a save go through `fs`.
    CProfileStore(std::string path, std::shared_ptr<ProfileFileSystem> fs);

    const std::string &Path() const { return path_; }

    // One key, from a fresh read of the file.
    std::string Read(std::string_view section, std::string_view key, std::string_view fallback = {}) const;
    // The whole file, read once, for many lookups.
    CProfileSnapshot Snapshot() const;

    // One key, saved at once.
    SaveStatus Write(std::string_view section, std::string_view key, std::string_view value);
    // Many keys, saved together by CProfileEdit::Commit.
    CProfileEdit Edit();

private:
    friend class CProfileEdit;
    SaveStatus Replace(const std::string &bytes);
    SaveStatus Failure(const std::string &reason) const;

    std::string path_;
    std::shared_ptr<ProfileFileSystem> fs_;
};

// How ReplacePrivateFile ended; `reason` in words when it did not simply succeed.
struct FileReplacement {
    enum Outcome { kReplaced, kNotReplaced, kUnsynced } outcome = kReplaced;
    std::string reason;
};

// Replaces the file at `path` with `bytes` for a file that holds private data (the
// profile, a printout with account numbers): the bytes go to a new file of mode 0600
// in the same folder, which is flushed to the disk and renamed over the old one, so a
// crash leaves either the old file or the new one, never a torn one, and the data is
// never readable by others, not even for a moment. The path must be this user's under
// ResolveSaveTarget's rule; a symbolic link at the end is written through, not replaced,
// unless `link` refuses it. With `makeFolders` missing folders on the way are created
// (mode 0700). kUnsynced: the file was replaced but the folder could not be flushed.
FileReplacement ReplacePrivateFile(ProfileFileSystem &fs, const std::string &path, std::string_view bytes,
    bool makeFolders, LinkAtEnd link = LinkAtEnd::Follow);

// The reason for an errno value in plain words ("Permission denied", "The disk is full").
std::string DescribeFileError(int error);

} // namespace tw
