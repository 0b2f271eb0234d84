#include "cli/options.h"

#include "format/dates.h"

#include <cerrno>

#include <ctime>

namespace tw::cli {

Options::Options(
    const std::vector<std::string> &args, const std::set<std::string> &valued, const std::set<std::string> &flags)
{
    for (std::size_t i = 0; i < args.size() && error_.empty(); ++i) {
        const std::string &arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            positional_.push_back(arg);
        } else if (flags.count(arg)) {
            flags_.insert(arg);
        } else if (valued.count(arg)) {
            if (i + 1 >= args.size())
                error_ = "The option " + arg + " needs a value.";
            else
                values_[arg] = args[++i];
        } else {
            error_ = "Unknown option " + arg + ".";
        }
    }
}

std::optional<std::string> Options::value(const std::string &name) const
{
    const auto it = values_.find(name);
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

bool Options::has(const std::string &name) const
{
    return flags_.count(name) > 0 || values_.count(name) > 0;
}

std::string ReadProfile(const std::string &path, bool missingIsEmpty, CProfileSnapshot &snapshot)
{
    const std::string named = "The profile \"" + path + "\"";
    snapshot = CProfileStore(path).Snapshot();
    if (snapshot.Missing())
        return missingIsEmpty ? std::string() : named + " does not exist.";
    switch (snapshot.ReadError()) {
    case 0:
        return {};
    case EISDIR:
        return named + " is a folder, not a file.";
    case EINVAL:
        return named + " is not a regular file.";
    default:
        return named + " cannot be read: " + DescribeFileError(snapshot.ReadError()) + ".";
    }
}

std::string TodayText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    return DateText(local.tm_mon + 1, local.tm_mday, local.tm_year + 1900);
}

} // namespace tw::cli
