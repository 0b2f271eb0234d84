#pragma once

#include "record/client_record.h"

#include <optional>
#include <string>

namespace tw {

// The sign-up screens' fields are named by their control ids, so a failure tells the
// screen directly which control gets the focus.

// A failed check: the field to correct and the message to show, exactly as worded.
template <typename Field>
struct EntryFailure {
    Field field;
    std::string message;
};

// --- Personal information (dialog 147) ----------------------------------------------

enum class PersonalField : int {
    FirstName1 = 1009,
    LastName1 = 1013,
    MI1 = 1093,
    FirstName2 = 1011,
    LastName2 = 1094,
    MI2 = 1095,
    Address = 1002,
    City = 1004,
    State = 1005,
    Zip = 1006,
    PropertyAddress = 1096,
    PropertyCity = 1097,
    PropertyState = 1098,
    PropertyZip = 1099,
    HomePhone = 1100,
    WorkPhone1 = 1101,
    WorkPhone2 = 1102,
};

struct PersonalForm {
    std::string firstName1;
    std::string lastName1;
    std::string mi1;
    std::string firstName2;
    std::string lastName2;
    std::string mi2;
    std::string address;
    std::string city;
    std::string state;
    std::string zip;
    std::string propertyAddress;
    std::string propertyCity;
    std::string propertyState;
    std::string propertyZip;
    std::string homePhone;
    std::string workPhone1;
    std::string workPhone2;
};

using PersonalFailure = EntryFailure<PersonalField>;

// What the screen opens with: the record's texts.
PersonalForm PersonalFormFromRecord(const CClientRecord &record);
// The required fields in their order; the first empty one fails.
std::optional<PersonalFailure> CheckPersonalForm(const PersonalForm &form);
// Every non-empty field replaces the record's; an empty one keeps it.
void StorePersonalForm(const PersonalForm &form, CClientRecord &record);

// --- Lender information (dialog 152) -------------------------------------------------

enum class LenderField : int {
    Name = 1086,
    Address = 1087,
    City = 1088,
    State = 1089,
    Zip = 1090,
    Phone = 1104,
    AccountNumber = 1030,
    CurrentPayment = 1159,
    AdditionalPayment = 1172,
    GracePeriod = 1092,
};

struct LenderForm {
    std::string name;
    std::string address;
    std::string city;
    std::string state;
    std::string zip;
    std::string phone;
    std::string accountNumber;
    std::string currentPayment;
    std::string additionalPayment; // shown read-only
    std::string gracePeriod;
};

using LenderFailure = EntryFailure<LenderField>;

LenderForm LenderFormFromRecord(const CClientRecord &record);
// The current payment only has to hold a number once "$" and "," are dropped; it is
// stored as typed.
std::optional<LenderFailure> CheckLenderForm(const LenderForm &form);
void StoreLenderForm(const LenderForm &form, CClientRecord &record);

// --- Debit bank (dialog 150) -----------------------------------------------------------

enum class BankField : int {
    Name = 1020,
    Address = 1050,
    City = 1055,
    State = 1059,
    Zip = 1062,
    Phone = 1066,
    AccountNumber = 1085,
    Description = 1044,
};

struct BankForm {
    std::string name;
    std::string address;
    std::string city;
    std::string state;
    std::string zip;
    std::string phone;
    std::string accountNumber;
    int accountType = kAccountChecking; // the ticked button; kAccountNotChosen when none is
    std::string description;
};

using BankFailure = EntryFailure<BankField>;

// Savings and Other open as they are; any other type (never chosen included) opens as
// Checking.
BankForm BankFormFromRecord(const CClientRecord &record);
// The description is asked for only while Other is ticked.
std::optional<BankFailure> CheckBankForm(const BankForm &form);
// Non-empty fields replace the record's; the ticked type becomes the record's, and only
// with Other does a non-empty description replace the record's description (switching
// away from Other keeps the old one).
void StoreBankForm(const BankForm &form, CClientRecord &record);
// The description edit is usable only while Other is ticked.
inline bool BankDescriptionEnabled(int accountType)
{
    return accountType == kAccountOther;
}

} // namespace tw
