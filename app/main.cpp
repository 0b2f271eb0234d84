#include "app/display_check.h"
#include "app/tallowin_app.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char *const kUsage = R"(Usage: tallowin [OPTIONS]

Shows a home owner how much a bi-weekly mortgage plan saves, and enrols them in it.

Options:
  -h, --help         Show this help and exit.
  --version          Show the version and exit.
  -platform NAME     The Qt platform to show the windows on (xcb, wayland, offscreen, ...).

Environment:
  TALLOWIN_PROFILE   The profile file to use instead of ~/.config/tallowin/tallowin.ini.
)";

} // namespace

int main(int argc, char **argv)
{
    // Answered before anything needs a display, so they work on any terminal.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tallowin %s\n", TALLOWIN_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    // Qt aborts when it finds no display; a plain sentence is kinder.
    if (const std::string missing = tw::MissingDisplayMessage(argc, argv, [](const char *n) { return std::getenv(n); });
        !missing.empty()) {
        std::fprintf(stderr, "%s\n", missing.c_str());
        return 1;
    }
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallowin"));
    tw::CTallowinApp app;
    if (!app.InitInstance())
        return 0;
    return QApplication::exec();
}
