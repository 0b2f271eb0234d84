#include "rules/signup_checks.h"

#include "format/number_text.h"

#include <initializer_list>
#include <utility>

namespace tw {

namespace {

// The screens cannot clear a field: only a non-empty text replaces the record's.
void StoreNonEmpty(std::initializer_list<std::pair<const std::string &, std::string &>> fields)
{
    for (const auto &[typed, stored] : fields) {
        if (!typed.empty())
            stored = typed;
    }
}

template <typename Field>
struct Required {
    const std::string &text;
    Field field;
    const char *message;
};

template <typename Field>
std::optional<EntryFailure<Field>> FirstEmpty(std::initializer_list<Required<Field>> required)
{
    for (const Required<Field> &r : required) {
        if (r.text.empty())
            return EntryFailure<Field> {r.field, r.message};
    }
    return std::nullopt;
}

} // namespace

// --- Personal information ---------------------------------------------------------------

PersonalForm PersonalFormFromRecord(const CClientRecord &r)
{
    PersonalForm f;
    f.firstName1 = r.FirstName1;
    f.lastName1 = r.LastName1;
    f.mi1 = r.MI1;
    f.firstName2 = r.FirstName2;
    f.lastName2 = r.LastName2;
    f.mi2 = r.MI2;
    f.address = r.Address;
    f.city = r.City;
    f.state = r.State;
    f.zip = r.Zip;
    f.propertyAddress = r.PropertyAddress;
    f.propertyCity = r.PropertyCity;
    f.propertyState = r.PropertyState;
    f.propertyZip = r.PropertyZip;
    f.homePhone = r.HomePhone;
    f.workPhone1 = r.WorkPhone1;
    f.workPhone2 = r.WorkPhone2;
    return f;
}

std::optional<PersonalFailure> CheckPersonalForm(const PersonalForm &f)
{
    using F = PersonalField;
    return FirstEmpty<F>({
        {f.firstName1, F::FirstName1, "Please enter your first name"},
        {f.lastName1, F::LastName1, "Please enter your last name"},
        {f.address, F::Address, "Please enter your address"},
        {f.city, F::City, "Please enter your city"},
        {f.state, F::State, "Please enter your state"},
        {f.zip, F::Zip, "Please enter your Zip Code"},
        {f.homePhone, F::HomePhone, "Please enter your home phone number or a contact phone number"},
    });
}

void StorePersonalForm(const PersonalForm &f, CClientRecord &r)
{
    StoreNonEmpty({
        {f.firstName1, r.FirstName1},
        {f.lastName1, r.LastName1},
        {f.mi1, r.MI1},
        {f.firstName2, r.FirstName2},
        {f.lastName2, r.LastName2},
        {f.mi2, r.MI2},
        {f.address, r.Address},
        {f.city, r.City},
        {f.state, r.State},
        {f.zip, r.Zip},
        {f.propertyAddress, r.PropertyAddress},
        {f.propertyCity, r.PropertyCity},
        {f.propertyState, r.PropertyState},
        {f.propertyZip, r.PropertyZip},
        {f.homePhone, r.HomePhone},
        {f.workPhone1, r.WorkPhone1},
        {f.workPhone2, r.WorkPhone2},
    });
}

// --- Lender information ---------------------------------------------------------------

LenderForm LenderFormFromRecord(const CClientRecord &r)
{
    LenderForm f;
    f.name = r.MortgageName;
    f.address = r.MortgageAddress;
    f.city = r.MortgageCity;
    f.state = r.MortgageState;
    f.zip = r.MortgageZip;
    f.phone = r.MortgagePhone;
    f.accountNumber = r.MortgageAccountNumber;
    f.currentPayment = r.Analysis.CurrentPaymentText;
    f.additionalPayment = r.Analysis.AdditionalPaymentText;
    f.gracePeriod = r.GracePeriod;
    return f;
}

std::optional<LenderFailure> CheckLenderForm(const LenderForm &f)
{
    using F = LenderField;
    if (auto failure = FirstEmpty<F>({
            {f.name, F::Name, "Please enter your lender's name"},
            {f.address, F::Address, "Please enter your lender's address"},
            {f.city, F::City, "Please enter your lender's city"},
            {f.state, F::State, "Please enter your lender's state"},
            {f.zip, F::Zip, "Please enter your lender's Zip Code"},
            {f.accountNumber, F::AccountNumber, "Please enter your Account Number"},
        }))
        return failure;
    if (CleanNumberText(f.currentPayment).empty())
        return LenderFailure {F::CurrentPayment, "Please enter your total current payment amount"};
    if (f.gracePeriod.empty())
        return LenderFailure {F::GracePeriod, "Please enter your grace period"};
    return std::nullopt;
}

void StoreLenderForm(const LenderForm &f, CClientRecord &r)
{
    StoreNonEmpty({
        {f.name, r.MortgageName},
        {f.address, r.MortgageAddress},
        {f.city, r.MortgageCity},
        {f.state, r.MortgageState},
        {f.zip, r.MortgageZip},
        {f.phone, r.MortgagePhone},
        {f.accountNumber, r.MortgageAccountNumber},
        {f.currentPayment, r.Analysis.CurrentPaymentText},
        {f.additionalPayment, r.Analysis.AdditionalPaymentText},
        {f.gracePeriod, r.GracePeriod},
    });
}

// --- Debit bank ---------------------------------------------------------------

BankForm BankFormFromRecord(const CClientRecord &r)
{
    BankForm f;
    f.name = r.BankName;
    f.address = r.BankAddress;
    f.city = r.BankCity;
    f.state = r.BankState;
    f.zip = r.BankZip;
    f.phone = r.BankPhone;
    f.accountNumber = r.BankAccountNumber;
    f.accountType
        = (r.AccountType == kAccountSavings || r.AccountType == kAccountOther) ? r.AccountType : kAccountChecking;
    f.description = r.AccountOptionalDescription;
    return f;
}

std::optional<BankFailure> CheckBankForm(const BankForm &f)
{
    using F = BankField;
    if (auto failure = FirstEmpty<F>({
            {f.name, F::Name, "Please enter your bank's name"},
            {f.address, F::Address, "Please enter your bank's address"},
            {f.city, F::City, "Please enter your bank's city"},
            {f.state, F::State, "Please enter your bank's state"},
            {f.zip, F::Zip, "Please enter your bank's Zip Code"},
            {f.accountNumber, F::AccountNumber, "Please enter your bank Account Number"},
        }))
        return failure;
    if (f.accountType == kAccountOther && f.description.empty())
        return BankFailure {F::Description, "Please enter your account's description"};
    return std::nullopt;
}

void StoreBankForm(const BankForm &f, CClientRecord &r)
{
    StoreNonEmpty({
        {f.name, r.BankName},
        {f.address, r.BankAddress},
        {f.city, r.BankCity},
        {f.state, r.BankState},
        {f.zip, r.BankZip},
        {f.phone, r.BankPhone},
        {f.accountNumber, r.BankAccountNumber},
    });
    if (f.accountType == kAccountChecking || f.accountType == kAccountSavings || f.accountType == kAccountOther)
        r.AccountType = f.accountType;
    if (f.accountType == kAccountOther && !f.description.empty())
        r.AccountOptionalDescription = f.description;
}

} // namespace tw
