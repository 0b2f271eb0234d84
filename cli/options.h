#pragma once

#include "record/profile_store.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tw::cli {

// "--name value" options and "--flag" switches of one command, checked against the
// names the command knows.
class Options {
public:
    // Parses `args`; on an unknown option or a missing value, error() says which.
    Options(
        const std::vector<std::string> &args, const std::set<std::string> &valued, const std::set<std::string> &flags);

    const std::string &error() const { return error_; }
    const std::vector<std::string> &positional() const { return positional_; }
    std::optional<std::string> value(const std::string &name) const;
    bool has(const std::string &name) const;

private:
    std::map<std::string, std::string> values_;
    std::set<std::string> flags_;
    std::vector<std::string> positional_;
    std::string error_;
};

// Today's local date as MM/DD/YYYY.
std::string TodayText();

// Reads the profile at `path`, once, into `snapshot`, and says why it cannot serve (""
// when it can): a file that is unreadable, not a regular file, too large or too full
// would otherwise read as an empty client, and the command would blame the client's
// data. A missing file is a problem too, unless `missingIsEmpty`: only the default
// profile, before anything was saved, is the empty record of a first run.
std::string ReadProfile(const std::string &path, bool missingIsEmpty, CProfileSnapshot &snapshot);

} // namespace tw::cli
