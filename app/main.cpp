#include "app/display_check.h"
#include "app/tallowin_app.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
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
