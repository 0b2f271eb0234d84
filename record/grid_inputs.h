#pragma once

#include "engine/grid.h"
#include "record/client_record.h"

#include <memory>
#include <optional>
#include <string>

namespace tw {

class CProfileSnapshot;
class CProfileStore;

// The message of a grid whose stored opening balance is missing or unusable.
inline constexpr const char *kGridCorruptedMessage = "Your amortization data has been corrupted, please rerun demo";

// The grid's inputs as the profile keeps them: [PrinBal] Mth1 (the opening balance),
// LoanTermYears (30 when missing or outside 1..40) and LoanStartDate, and for every
// month the table can hold the extra principal [AddPmt], rate [IntRate] and
// adjustment [Adjust] under "Mth" and the month number. Missing values read as 0.
// The table is not yet recalculated.
GridTable LoadGridInputs(const CProfileSnapshot &profile);

// Writes the extra, rate and adjustment of every month of the table (zeros included)
// as plain two-decimal texts (a rate with a third decimal keeps it), in one replacement
// of the file. Nothing is written when the table has no opening balance. `withLoan`
// writes the loan too ([PrinBal] Mth1, LoanTermYears and LoanStartDate), for a table
// that did not come from them: one reset to the client's loan.
SaveStatus StoreGridInputs(const GridTable &t, CProfileStore &profile, bool withLoan = false);

// The inputs the enrollment stores for the loan the record holds: the plan's opening
// balance, its third-debit extras, the loan's rate and the additional payment, month by
// month until the plan pays off. nullopt, with the reason in `why`, when the stored loan
// cannot be calculated.
std::optional<GridTable> EnrollmentGridInputs(const CClientRecord &record, std::string *why = nullptr);

// The client's analysis with the plan and every figure computed (SetUpDebitDates,
// ComputeSchedules, ComputeSummaryFigures), for a comparison; nullptr when the record's
// loan cannot be calculated.
std::unique_ptr<LoanAnalysis> PlanAnalysisFor(const CClientRecord &record);

} // namespace tw
