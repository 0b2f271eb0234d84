#pragma once

namespace tw {

// What the next print or preview produces; any other value prints an error page.
enum PrintType : int {
    kPrintNone = -1,
    kPrintEnrollment = 1,
    kPrintAnalysisLetter = 2,
    kPrintDebitSchedule = 3,
};

} // namespace tw
