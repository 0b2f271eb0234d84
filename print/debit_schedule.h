#pragma once

#include "engine/analysis.h"
#include "engine/debits.h"
#include "print/print_surface.h"

#include <optional>
#include <string>

namespace tw {

class CClientRecord;

// What a schedule page works out from the font: the line step and how many dates a
// column and a page hold.
struct DebitPageLayout {
    int lineStep = 0;
    int linesPerColumn = 0;
    int linesPerPage = 0;
};
DebitPageLayout DebitLayoutForHeight(int textHeight);

// Draws page p (1-based) of the debit schedule: the title, up to three columns of
// long dates from the prepared range, and the page number. Reads only.
DebitPageLayout DrawDebitSchedulePage(PrintSurface &s, int page, const LoanAnalysis &a);

// The same page with the header line under the title: the client, the bank and the
// account's last four digits, the debit amount, the first and last debit and their number.
void DrawDebitSchedulePage(PrintSurface &s, int page, const CClientRecord &record);
std::string DebitScheduleHeader(PrintSurface &s, const CClientRecord &record, int maxWidth);

// As many pages as the prepared range of dates needs at the surface's line step, and at
// least one: every date is printed and no page is left without one.
int DebitSchedulePageCount(PrintSurface &s, const LoanAnalysis &a);

} // namespace tw
