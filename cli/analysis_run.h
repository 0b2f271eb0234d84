#pragma once

#include "cli/options.h"
#include "record/client_record.h"
#include "rules/analysis_checks.h"

#include <set>
#include <string>

namespace tw::cli {

// The options that describe a loan: typed out, or read from a profile.
extern const std::set<std::string> kLoanOptions;

// The loan a record holds, as the loan-entry screen's fields would show it on
// `currentDate`; the rate counts as variable when a highest rate is stored.
AnalysisForm LoanFormOfRecord(const CClientRecord &record, const std::string &currentDate);

// Fills the record's loan from the options (or the profile they name), runs the loan
// screen's checks and the calendar check, then the calculation and the summary figures,
// as the demonstration does. Returns "" on success, otherwise the message to show; no
// figure is left half computed when it fails.
std::string RunAnalysis(const Options &options, CClientRecord &record);

} // namespace tw::cli
