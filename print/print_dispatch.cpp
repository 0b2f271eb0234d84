#include "print/print_dispatch.h"

#include "print/debit_schedule.h"
#include "print/enrollment_page.h"
#include "print/print_types.h"
#include "record/client_record.h"

namespace tw {

namespace {
// The analysis letter's six pages.
constexpr int kAnalysisLetterPages = 6;
} // namespace

int PrintPageCount(int printType)
{
    switch (printType) {
    case kPrintEnrollment:
        return kEnrollmentPages;
    case kPrintAnalysisLetter:
        return kAnalysisLetterPages;
    case kPrintDebitSchedule:
        return kDebitSchedulePages;
    default:
        return 1;
    }
}

void DrawPrintPage(PrintSurface &s, int printType, int page, const CClientRecord &record)
{
    switch (printType) {
    case kPrintEnrollment:
        DrawEnrollmentPage(s, page, record);
        break;
    case kPrintAnalysisLetter:
        // ANALYSIS LETTER: its page routine goes here; until then its pages stay blank.
        break;
    case kPrintDebitSchedule:
        DrawDebitSchedulePage(s, page, record.Analysis);
        break;
    default:
        DrawErrorPage(s);
        break;
    }
}

void DrawErrorPage(PrintSurface &s)
{
    s.SelectPrintFont(2);
    s.TextCentred(kPageCentreX, -5500, "INCORRECT PRINTOUT TYPE");
}

} // namespace tw
