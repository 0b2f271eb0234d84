#pragma once

#include "record/client_record.h"
#include "rules/signup_checks.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// --- Vendor data entry (dialog 149) ----------------------------------------------------

enum class VendorField : int {
    FirstName1 = 1009,
    LastName1 = 1013,
    FirstName2 = 1011,
    LastName2 = 1094,
    Address = 1002,
    City = 1004,
    State = 1005,
    Zip = 1006,
    HomePhone = 1100,
    WorkPhone1 = 1101,
    WorkPhone2 = 1102,
    Term = 1023,
    FirstPaymentDate = 1031,
    Amount = 1018,
    CurrentDate = 1181,
    CurrentPayment = 1019,
    Variable = 1067,
    LowestRate = 1027,
    HighestRate = 1033,
};

struct VendorForm {
    std::string firstName1;
    std::string lastName1;
    std::string firstName2;
    std::string lastName2;
    std::string address;
    std::string city;
    std::string state;
    std::string zip;
    std::string homePhone;
    std::string workPhone1;
    std::string workPhone2;
    std::string term;
    std::string firstPaymentDate;
    std::string amount;
    std::string currentDate;
    std::string currentPayment;
    bool variable = false;
    std::string lowestRate;
    std::string highestRate;
};

using VendorFailure = EntryFailure<VendorField>;

// What the form opens with: the record's texts and `today` as the current date. Variable
// is ticked when a highest rate is stored, whatever the record's variable flag says.
VendorForm VendorFormFromRecord(const CClientRecord &record, const std::string &today);

// Clear: the sixteen name, address, phone, loan and rate fields become one blank each
// (a blank passes the checks, an empty text does not); the current payment, the current
// date and the Variable tick stay.
void ClearVendorForm(VendorForm &form);

// Print's checks in their order. The optional and address fields are copied first
// without a check; then each passing field is written at once, so a later failure
// leaves it written. The variable flag (and, when not ticked, the emptied highest rate)
// is written even after a failure. Loan texts are stored exactly as typed, except the
// term: whole years in digits, stored without blanks around them.
std::optional<VendorFailure> ApplyVendorForm(const VendorForm &form, CClientRecord &record);

// The text a typed number is computed from: blanks around it, "$", "%" and "," dropped
// ("$150,000" reads 150000, "6.125%" reads 6.125). A text that still is no plain number
// is left as typed, so the engine reads its leading number as before.
std::string ComputableNumberText(std::string_view typed);

// After the form passed: whether the calculation can run on the loan as the record now
// holds it, read through ComputableNumberText. The failure names the field to correct.
// Changes nothing.
std::optional<VendorFailure> CheckVendorLoanCanRun(CClientRecord &record);

// The vendor command's calculation: the plan dates, both schedules and every summary
// figure, computed from the readable form of the typed texts. The texts stay as typed.
// Returns the failure (and computes nothing) when the loan cannot be calculated.
std::optional<VendorFailure> ComputeVendorAnalysis(CClientRecord &record);

// The profile key each text field is stored under, in the form's order; the bulk
// letters' CSV names its columns by these keys.
struct VendorFormKey {
    const char *key; // "LoanTermYears"
    VendorField field;
    std::string VendorForm::*member;
};
const std::vector<VendorFormKey> &VendorFormKeys();
// "LoanTermYears" for VendorField::Term; "" for the Variable tick.
std::string VendorProfileKey(VendorField field);

// Print on a stored or imported client without the form: the record's texts with
// `today` as the current date (Variable ticked when a highest rate is given), every
// check of the form, the loan check and the calculation. The failure names the field.
std::optional<VendorFailure> PrepareVendorLetter(CClientRecord &record, const std::string &today);
std::optional<VendorFailure> PrepareVendorLetter(const VendorForm &form, CClientRecord &record);

} // namespace tw
