#include "record/program_paths.h"

#include "record/profile_store.h"

#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace tw {

namespace {

constexpr std::size_t kSerialCodeLimit = 511;

std::string Environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string HomeDirectory()
{
    std::string home = Environment("HOME");
    if (!home.empty())
        return home;
    if (const passwd *pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return {};
}

std::string WithSlash(std::string dir)
{
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    return dir;
}

} // namespace

std::string DefaultProfilePath()
{
    if (std::string explicitPath = Environment("TALLOWIN_PROFILE"); !explicitPath.empty())
        return explicitPath;
    std::string config = Environment("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/') {
        const std::string home = HomeDirectory();
        // Without any home the profile stays beside the current folder rather than in "/".
        config = home.empty() ? std::string() : WithSlash(home) + ".config";
    }
    return config.empty() ? std::string("tallowin.ini") : WithSlash(config) + "tallowin/tallowin.ini";
}

std::string ProgramDirectory()
{
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buf)
        return {};
    const std::string exe(buf, static_cast<std::size_t>(n));
    const auto slash = exe.find_last_of('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

std::string DataDirectory()
{
    const std::string program = ProgramDirectory();
    if (program.empty())
        return {};
    // The first slide marks a folder that holds the data files.
    constexpr const char *kMarker = "001.qnl";
    for (const std::string &dir : {program, program + "../share/tallowin/"}) {
        if (::access((dir + kMarker).c_str(), R_OK) == 0)
            return dir;
    }
    return program;
}

std::string ReadSerialVendorCode(const std::string &programDir)
{
    if (programDir.empty())
        return {};
    std::string code = CProfileStore(WithSlash(programDir) + "serial.txt").Read("General", "VendorCode");
    if (code.size() > kSerialCodeLimit) {
        std::size_t cut = kSerialCodeLimit;
        // Step back over continuation bytes so that no character is left half.
        while (cut > 0 && (static_cast<unsigned char>(code[cut]) & 0xC0) == 0x80)
            --cut;
        code.resize(cut);
    }
    return code;
}

} // namespace tw
