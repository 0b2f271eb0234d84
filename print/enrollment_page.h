#pragma once

#include "print/print_surface.h"

#include <string>

namespace tw {

class CClientRecord;

// The enrollment package: an instruction sheet, then two copies (one to keep, one to
// sign and return) of the three-page form with the debit authorization and agreement.
inline constexpr int kEnrollmentPages = 7;

// Draws page 1 to 7 of the package from the record as it is now; any other page
// number draws nothing.
void DrawEnrollmentPage(PrintSurface &s, int page, const CClientRecord &record);

// What the type-of-account blank holds for an account type.
std::string AccountTypeText(const CClientRecord &record);

// The charge amounts, in cents: A is half of the current payment plus the additional
// payment, D adds the service fee to it (DebitAmount and DebitTotal of the engine). The
// payment text passes CleanNumberText first, so "$1,250.00" reads as 1250.
double BiWeeklyDebitAmount(const CClientRecord &record);
double BiWeeklyTotalAmount(const CClientRecord &record);

} // namespace tw
