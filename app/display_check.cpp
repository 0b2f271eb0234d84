#include "app/display_check.h"

#include <cstring>

namespace tw {

namespace {
bool IsSet(const EnvironmentReader &env, const char *name)
{
    const char *value = env(name);
    return value && *value;
}
} // namespace

std::string MissingDisplayMessage(int argc, char **argv, const EnvironmentReader &env)
{
    if (IsSet(env, "QT_QPA_PLATFORM") || IsSet(env, "DISPLAY") || IsSet(env, "WAYLAND_DISPLAY"))
        return {};
    for (int i = 1; i < argc; ++i) {
        if (argv[i] && (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0))
            return {};
    }
    return "tallowin: no display found (DISPLAY is not set). Tallowin is a desktop program; for scripted use run "
           "tallowin-cli.";
}

} // namespace tw
