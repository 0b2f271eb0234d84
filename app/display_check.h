#pragma once

#include <functional>
#include <string>

namespace tw {

// Reads an environment variable; nullptr when it is not set.
using EnvironmentReader = std::function<const char *(const char *name)>;

// Why no window can be shown, as one line for stderr; "" when a display (or a Qt platform
// chosen by QT_QPA_PLATFORM or a -platform argument) is there. Checked before the
// application object exists, because Qt aborts the program when it finds no display.
std::string MissingDisplayMessage(int argc, char **argv, const EnvironmentReader &env);

} // namespace tw
