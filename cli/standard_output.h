#pragma once

namespace tw::cli {

// Sends std::cout straight to standard output's descriptor, remembering the first write
// that fails, and makes the program's exit check it: when anything printed did not
// reach its destination (a full disk, a closed file), "write error: <reason>" goes to
// standard error and the exit code becomes 1, as the standard tools do, so that a script
// never takes a cut-off report for a whole one. Called once, first thing in main.
void CheckStandardOutputAtExit();

} // namespace tw::cli
