#pragma once

#include <string>
#include <vector>

namespace tw::cli {

// Each command takes the arguments after its name and returns the exit code:
// 0 done, 2 refused input (the reason on standard error, nothing on standard output).
int RunAnalyzeCommand(const std::vector<std::string> &args);
int RunProfileCommand(const std::vector<std::string> &args);
int RunDocumentCommand(const std::vector<std::string> &args);
int RunGridCommand(const std::vector<std::string> &args);

inline constexpr int kExitRefused = 2;

} // namespace tw::cli
