#pragma once

#include <QString>

#include <string>

namespace tw {

// How the code dialog was left.
enum CodeResult : int {
    kCodeCancelled = 0, // the program ends
    kCodeDemonstration = 1, // any code but the two access codes
    kCodeVendor = 2,
    kCodeGrid = 10, // typed now, or stored by an earlier start
};

// Start modes of the main window.
enum StartMode : int { kStartDemonstration = 1, kStartVendor = 2, kStartGrid = 3 };

// Commands of the main window.
enum CommandId : int {
    kCmdEnrollmentPrint = 32771,
    kCmdSavingsDemonstration = 32772,
    kCmdAmortizationGrid = 32774,
    kCmdAmortizationSpreadsheet = 32775,
    kCmdVendorEntryForm = 32776,
    kCmdVendorFormPrint = 32777,
    kCmdDebitSchedule = 32780,
};

inline constexpr const char *kDefaultCodePrefix = "TW-";

// What OK does with the typed code; the access codes match whatever the case.
CodeResult ClassifyCode(const QString &code);

// The code the dialog starts with: serial.txt's, else the stored one, else "TW-".
QString CodePrefill(const std::string &serialCode, const std::string &storedCode);

// What a code result starts: the start mode and the command posted to the main window.
// `ok` is false for a cancelled dialog (or any result the dialog never gives).
struct StartPlan {
    bool ok = false;
    int startMode = kStartDemonstration;
    int command = 0;
    bool storeVendorCode = false;
};
StartPlan PlanStart(int codeResult);

} // namespace tw
