#pragma once

#include "print/print_surface.h"

namespace tw {

class CClientRecord;

// Pages of a job: 7 for the enrollment package, 6 for the analysis letter, as many as the
// debit schedule's dates need, 1 (the error page) for any other print type.
int PrintPageCount(PrintSurface &s, int printType, const CClientRecord &record);

// Draws page `page` (1-based) of the printout that the print type names.
void DrawPrintPage(PrintSurface &s, int printType, int page, const CClientRecord &record);

// The page of an unknown print type: "INCORRECT PRINTOUT TYPE" in the middle.
void DrawErrorPage(PrintSurface &s);

} // namespace tw
