#pragma once

namespace tw {

// How a screen was left; the wizard turns these into its next step.
enum ResultCode : int {
    kResultForward = 0, // Continue, NO
    kResultYes = 1, // YES, OK, the introduction's Continue, the analysis screen's Continue
    kResultCancel = 2, // Escape or the window's close button
    kResultBack = 5,
    kResultPrint = 10, // the bank screen's Print Enrollment Form
    kResultLenderClosed = 50, // the lender screen's close button
    kResultEnded = 3, // a sign-up screen closed after the user chose to end the demonstration
};

} // namespace tw
