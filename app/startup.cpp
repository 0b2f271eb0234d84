#include "app/startup.h"

#include "app/access_codes.h"

namespace tw {

CodeResult ClassifyCode(const QString &code)
{
    if (code.compare(QString::fromUtf8(kGridAccessCode), Qt::CaseInsensitive) == 0)
        return kCodeGrid;
    if (code.compare(QString::fromUtf8(kVendorAccessCode), Qt::CaseInsensitive) == 0)
        return kCodeVendor;
    return kCodeDemonstration;
}

QString CodePrefill(const std::string &serialCode, const std::string &storedCode)
{
    if (!serialCode.empty())
        return QString::fromStdString(serialCode);
    if (!storedCode.empty())
        return QString::fromStdString(storedCode);
    return QString::fromLatin1(kDefaultCodePrefix);
}

StartPlan PlanStart(int codeResult)
{
    switch (codeResult) {
    case kCodeDemonstration:
        return {true, kStartDemonstration, kCmdSavingsDemonstration, true};
    case kCodeVendor:
        return {true, kStartVendor, kCmdVendorEntryForm, true};
    case kCodeGrid:
        // The grid code is a switch, not a vendor's code: it is not stored as one.
        return {true, kStartGrid, kCmdAmortizationGrid, false};
    default:
        return {};
    }
}

} // namespace tw
