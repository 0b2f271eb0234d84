#pragma once

#include "print/print_surface.h"

#include <string>

namespace tw {

class CClientRecord;
struct LoanAnalysis;

// The analysis letter: a seven-page personal letter to a prospect, from the loan the
// vendor form stored and the figures the engine computed from it; its last page says
// what the plan costs and what the client could do instead on their own.
inline constexpr int kAnalysisLetterPages = 7;

// Draws page 1 to 7 of the letter from the record as it is now; any other page number
// draws nothing.
void DrawAnalysisLetterPage(PrintSurface &s, int page, const CClientRecord &record);

// The rate the first page names: the stored fixed rate (without a typed "%"), or for a
// variable rate the average of the lowest and the highest in the money form.
std::string LetterRateText(const LoanAnalysis &a);
// "variable" when a highest rate is stored, otherwise "fixed".
std::string LetterRateKind(const LoanAnalysis &a);
// The term read from the term text less the years the plan runs, one decimal.
std::string LetterYearsSaved(const LoanAnalysis &a);

} // namespace tw
