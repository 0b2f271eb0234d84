#pragma once

#include "engine/analysis.h"

#include <string>

namespace tw {

class CProfileSnapshot;
class CProfileStore;

// What a save reports: ok, or a message that names the file and the reason, ready
// to be shown to the user as it stands.
struct SaveStatus {
    bool ok = true;
    std::string message;
    explicit operator bool() const { return ok; }
};

// Account types as the bank screen and the profile know them.
enum AccountType : int { kAccountNotChosen = 0, kAccountChecking = 1, kAccountSavings = 2, kAccountOther = 3 };

// Everything the program knows about the one client: names, addresses and phones,
// the lender, the bank account, the vendor code, and the loan analysis (whose texts
// hold the loan as typed). Texts are UTF-8 and kept exactly as the screens put them.
class CClientRecord {
public:
    // Client
    std::string FirstName1; // first name of the mortgagor
    std::string LastName1;
    std::string Address;
    std::string City;
    std::string FirstName2; // co-mortgagor
    std::string HomePhone;
    std::string LastName2;
    std::string MI1;
    std::string MI2;
    std::string PropertyAddress;
    std::string PropertyCity;
    std::string PropertyState;
    std::string PropertyZip;
    std::string State;
    std::string WorkPhone1;
    std::string WorkPhone2;
    std::string Zip;

    // Mortgage (the lender); the current and additional payment texts live in Analysis.
    std::string MortgageAccountNumber;
    std::string MortgageAddress;
    std::string MortgageCity;
    std::string GracePeriod;
    std::string MortgageName;
    std::string MortgagePhone;
    std::string MortgageState;
    std::string MortgageZip;

    // Bank to be debited
    std::string BankAccountNumber;
    std::string BankAddress;
    std::string BankCity;
    std::string BankName;
    std::string BankPhone;
    std::string BankState;
    std::string BankZip;
    std::string AccountOptionalDescription; // meaningful with kAccountOther only

    std::string VendorCode;
    int AccountType = kAccountNotChosen;

    // The loan as typed (dates, term, amount, rates, variable flag, payment texts),
    // the plan and the figures.
    LoanAnalysis Analysis;

    // Reads [General] VendorCode, then every stored key, each defaulting to "";
    // [Bank] AccountType defaults to "1" and any unknown value keeps the type.
    void LoadFromProfile(const CProfileStore &profile);
    // The same from a profile already read.
    void LoadFromSnapshot(const CProfileSnapshot &snapshot);
    // Writes the Loan, Client, Mortgage and Bank sections in one file replacement.
    SaveStatus SaveToProfile(CProfileStore &profile) const;
    // Writes the bi-weekly schedule as grid data, unless [PrinBal] Mth1 is already there.
    SaveStatus SaveGridData(CProfileStore &profile) const;
};

} // namespace tw
