#include "record/client_record.h"

#include "engine/grid_text.h"
#include "format/number_text.h"
#include "record/profile_store.h"

#include <string>

namespace tw {

namespace {

// One stored text: its section and key, and the field of the record or of its
// analysis that holds it.
struct StoredText {
    const char *section;
    const char *key;
    std::string CClientRecord::*field;
    std::string LoanAnalysis::*analysisField;
};

using R = CClientRecord;
using A = LoanAnalysis;

// The order in which the record is saved and loaded.
constexpr StoredText kStoredTexts[] = {
    {"Loan", "CurrentDate", nullptr, &A::CurrentDate},
    {"Loan", "LoanStartDate", nullptr, &A::FirstPaymentDate},
    {"Loan", "LoanTermYears", nullptr, &A::TermText},
    {"Loan", "LoanAmount", nullptr, &A::AmountText},
    {"Loan", "LowestRate", nullptr, &A::LowestRateText},
    {"Loan", "HighestRate", nullptr, &A::HighestRateText},
    {"Client", "FirstName1", &R::FirstName1, nullptr},
    {"Client", "FirstName2", &R::FirstName2, nullptr},
    {"Client", "LastName1", &R::LastName1, nullptr},
    {"Client", "LastName2", &R::LastName2, nullptr},
    {"Client", "MI1", &R::MI1, nullptr},
    {"Client", "MI2", &R::MI2, nullptr},
    {"Client", "Address", &R::Address, nullptr},
    {"Client", "City", &R::City, nullptr},
    {"Client", "State", &R::State, nullptr},
    {"Client", "Zip", &R::Zip, nullptr},
    {"Client", "PropertyAddress", &R::PropertyAddress, nullptr},
    {"Client", "PropertyCity", &R::PropertyCity, nullptr},
    {"Client", "PropertyState", &R::PropertyState, nullptr},
    {"Client", "PropertyZip", &R::PropertyZip, nullptr},
    {"Client", "HomePhone", &R::HomePhone, nullptr},
    {"Client", "WorkPhone1", &R::WorkPhone1, nullptr},
    {"Client", "WorkPhone2", &R::WorkPhone2, nullptr},
    {"Mortgage", "Name", &R::MortgageName, nullptr},
    {"Mortgage", "Address", &R::MortgageAddress, nullptr},
    {"Mortgage", "City", &R::MortgageCity, nullptr},
    {"Mortgage", "State", &R::MortgageState, nullptr},
    {"Mortgage", "Zip", &R::MortgageZip, nullptr},
    {"Mortgage", "Phone", &R::MortgagePhone, nullptr},
    {"Mortgage", "CurrentPayment", nullptr, &A::CurrentPaymentText},
    {"Mortgage", "GracePeriod", &R::GracePeriod, nullptr},
    {"Mortgage", "AccountNumber", &R::MortgageAccountNumber, nullptr},
    {"Mortgage", "AdditionalPayment", nullptr, &A::AdditionalPaymentText},
    {"Bank", "Name", &R::BankName, nullptr},
    {"Bank", "Address", &R::BankAddress, nullptr},
    {"Bank", "City", &R::BankCity, nullptr},
    {"Bank", "State", &R::BankState, nullptr},
    {"Bank", "Zip", &R::BankZip, nullptr},
    {"Bank", "Phone", &R::BankPhone, nullptr},
    {"Bank", "AccountNumber", &R::BankAccountNumber, nullptr},
};

const std::string &Text(const CClientRecord &r, const StoredText &t)
{
    return t.field ? r.*t.field : r.Analysis.*t.analysisField;
}

std::string &Text(CClientRecord &r, const StoredText &t)
{
    return t.field ? r.*t.field : r.Analysis.*t.analysisField;
}

std::string MonthKey(std::size_t month)
{
    return "Mth" + std::to_string(month);
}

} // namespace

void CClientRecord::LoadFromProfile(const CProfileStore &profile)
{
    LoadFromSnapshot(profile.Snapshot());
}

void CClientRecord::LoadFromSnapshot(const CProfileSnapshot &snapshot)
{
    VendorCode = snapshot.Read("General", "VendorCode");
    for (const StoredText &t : kStoredTexts)
        Text(*this, t) = snapshot.Read(t.section, t.key);

    const std::string type = snapshot.Read("Bank", "AccountType", "1");
    if (type == "1") {
        AccountType = kAccountChecking;
    } else if (type == "2") {
        AccountType = kAccountSavings;
    } else if (type == "3") {
        AccountType = kAccountOther;
        AccountOptionalDescription = snapshot.Read("Bank", "AccountOptionalDescription");
    }
}

SaveStatus CClientRecord::SaveToProfile(CProfileStore &profile) const
{
    CProfileEdit edit = profile.Edit();
    for (const StoredText &t : kStoredTexts)
        edit.Write(t.section, t.key, Text(*this, t));

    switch (AccountType) {
    case kAccountChecking:
        edit.Write("Bank", "AccountType", "1");
        break;
    case kAccountSavings:
        edit.Write("Bank", "AccountType", "2");
        break;
    case kAccountOther:
        edit.Write("Bank", "AccountType", "3");
        edit.Write("Bank", "AccountOptionalDescription", AccountOptionalDescription);
        break;
    default:
        break; // not chosen: the type stays as stored
    }
    return edit.Commit();
}

SaveStatus CClientRecord::SaveGridData(CProfileStore &profile) const
{
    CProfileEdit edit = profile.Edit();
    // The grid data of an earlier enrollment, or as the grid itself edited it, is kept.
    if (!edit.Read("PrinBal", "Mth1").empty())
        return edit.Commit();

    const auto &rows = Analysis.BiWeeklySchedule;
    const double firstBalance = rows[0].Balance;
    if (firstBalance > 0) {
        const double rate = Analysis.AnnualRate;
        const double adjust = Analysis.AdditionalPayment;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::string key = MonthKey(i + 1);
            if (rows[i].Extra > 0)
                edit.Write("AddPmt", key, PlainAmountText(rows[i].Extra));
            if (rate > 0)
                edit.Write("IntRate", key, GridRateStoredText(rate)); // 6.125 stays 6.125
            if (adjust > 0)
                edit.Write("Adjust", key, PlainAmountText(adjust));
            if (i + 1 >= rows.size() || !(rows[i + 1].Balance > 0))
                break;
        }
        edit.Write("PrinBal", "Mth1", PlainAmountText(firstBalance));
    }
    edit.Write("PrinBal", "LoanTermYears", Analysis.TermText);
    edit.Write("PrinBal", "LoanStartDate", Analysis.FirstPaymentDate);
    return edit.Commit();
}

} // namespace tw
