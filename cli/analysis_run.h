#pragma once

#include "app/record/client_record.h"
#include "cli/options.h"

#include <set>
#include <string>

namespace tw::cli {

// The options that describe a loan: typed out, or read from a profile.
extern const std::set<std::string> kLoanOptions;

// Fills the record's loan from the options (or the profile they name), runs the loan
// screen's checks and the calendar check, then the calculation and the summary figures,
// as the demonstration does. Returns "" on success, otherwise the message to show; no
// figure is left half computed when it fails.
std::string RunAnalysis(const Options &options, CClientRecord &record);

} // namespace tw::cli
