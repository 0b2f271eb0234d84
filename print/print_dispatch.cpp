#include "print/print_dispatch.h"

#include "print/analysis_letter.h"
#include "print/debit_schedule.h"
#include "print/enrollment_page.h"
#include "print/print_types.h"
#include "record/client_record.h"

namespace tw {

int PrintPageCount(PrintSurface &s, int printType, const CClientRecord &record)
{
    switch (printType) {
    case kPrintEnrollment:
        return kEnrollmentPages;
    case kPrintAnalysisLetter:
        return kAnalysisLetterPages;
    case kPrintDebitSchedule:
        return DebitSchedulePageCount(s, record.Analysis);
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
        DrawAnalysisLetterPage(s, page, record);
        break;
    case kPrintDebitSchedule:
        DrawDebitSchedulePage(s, page, record);
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
