#include "rules/signup_checks.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tw {
namespace {

// Fills the required fields one at a time in the screen's order and checks that each
// step reports the next one; at the end the form passes.
template <typename Form, typename Field>
struct Step {
    std::string Form::*member;
    Field field;
    const char *message;
};

template <typename Form, typename Field, typename Check>
void ExpectOrder(Form form, const std::vector<Step<Form, Field>> &steps, Check check)
{
    for (const auto &step : steps) {
        const auto failure = check(form);
        ASSERT_TRUE(failure) << "expected " << step.message;
        EXPECT_EQ(failure->field, step.field);
        EXPECT_EQ(failure->message, step.message);
        form.*step.member = "1"; // also a number, for the payment check
    }
    EXPECT_FALSE(check(form));
}

// --- Personal information ---------------------------------------------------------

TEST(PersonalChecks, RequiredFieldsInOrderWithoutFullStops)
{
    using F = PersonalField;
    using P = PersonalForm;
    using S = Step<P, F>;
    ExpectOrder(P {},
        std::vector<S> {
            {&P::firstName1, F::FirstName1, "Please enter your first name"},
            {&P::lastName1, F::LastName1, "Please enter your last name"},
            {&P::address, F::Address, "Please enter your address"},
            {&P::city, F::City, "Please enter your city"},
            {&P::state, F::State, "Please enter your state"},
            {&P::zip, F::Zip, "Please enter your Zip Code"},
            {&P::homePhone, F::HomePhone, "Please enter your home phone number or a contact phone number"},
        },
        &CheckPersonalForm);
}

TEST(PersonalChecks, StoringReplacesOnlyWithNonEmptyTexts)
{
    auto record = std::make_unique<CClientRecord>();
    record->FirstName1 = "Ann";
    record->City = "Springfield";
    record->WorkPhone2 = "555-0100";
    PersonalForm form = PersonalFormFromRecord(*record);
    EXPECT_EQ(form.city, "Springfield");
    form.firstName1 = "J\xC3\xB6rg"; // typed over
    form.city = ""; // cleared: the record keeps its city
    form.mi2 = "Q";
    form.propertyZip = "12345";
    StorePersonalForm(form, *record);
    EXPECT_EQ(record->FirstName1, "J\xC3\xB6rg");
    EXPECT_EQ(record->City, "Springfield");
    EXPECT_EQ(record->WorkPhone2, "555-0100");
    EXPECT_EQ(record->MI2, "Q");
    EXPECT_EQ(record->PropertyZip, "12345");
    EXPECT_EQ(record->Address, "");
}

// --- Lender information ---------------------------------------------------------

LenderForm CompleteLender()
{
    LenderForm f;
    f.name = "First Savings";
    f.address = "1 Bank St";
    f.city = "Dayton";
    f.state = "OH";
    f.zip = "45402";
    f.accountNumber = "778-12";
    f.currentPayment = "1200";
    f.gracePeriod = "15";
    return f;
}

TEST(LenderChecks, RequiredFieldsInOrder)
{
    using F = LenderField;
    using L = LenderForm;
    using S = Step<L, F>;
    ExpectOrder(L {},
        std::vector<S> {
            {&L::name, F::Name, "Please enter your lender's name"},
            {&L::address, F::Address, "Please enter your lender's address"},
            {&L::city, F::City, "Please enter your lender's city"},
            {&L::state, F::State, "Please enter your lender's state"},
            {&L::zip, F::Zip, "Please enter your lender's Zip Code"},
            {&L::accountNumber, F::AccountNumber, "Please enter your Account Number"},
            {&L::currentPayment, F::CurrentPayment, "Please enter your total current payment amount"},
            {&L::gracePeriod, F::GracePeriod, "Please enter your grace period"},
        },
        &CheckLenderForm);
}

struct PaymentCase {
    const char *name;
    const char *typed;
    bool passes;
};
void PrintTo(const PaymentCase &c, std::ostream *os)
{
    *os << '"' << c.typed << '"';
}
class LenderPaymentTest : public ::testing::TestWithParam<PaymentCase> { };

TEST_P(LenderPaymentTest, NeedsANumberAfterDroppingSigns)
{
    LenderForm form = CompleteLender();
    form.currentPayment = GetParam().typed;
    const auto failure = CheckLenderForm(form);
    if (GetParam().passes) {
        EXPECT_FALSE(failure);
    } else {
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->field, LenderField::CurrentPayment);
    }
}
const PaymentCase kPaymentCases[] = {
    {"DollarAlone", "$", false},
    {"WithBlank", "$1 250", false},
    {"Letters", "about 1200", false},
    {"Empty", "", false},
    {"DollarsAndCommas", "$1,250.00", true},
    {"LonePoint", ".", true},
};
INSTANTIATE_TEST_SUITE_P(Rows, LenderPaymentTest, ::testing::ValuesIn(kPaymentCases),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LenderChecks, StoresAsTypedAndKeepsWhatWasLeftEmpty)
{
    auto record = std::make_unique<CClientRecord>();
    record->MortgagePhone = "555-0199";
    record->Analysis.AdditionalPaymentText = "100.00";
    LenderForm form = CompleteLender(); // no phone
    form.currentPayment = "$1,250.00";
    form.gracePeriod = "fifteen";
    form.additionalPayment = LenderFormFromRecord(*record).additionalPayment;
    ASSERT_FALSE(CheckLenderForm(form));
    StoreLenderForm(form, *record);
    EXPECT_EQ(record->MortgageName, "First Savings");
    EXPECT_EQ(record->Analysis.CurrentPaymentText, "$1,250.00");
    EXPECT_EQ(record->GracePeriod, "fifteen");
    EXPECT_EQ(record->MortgagePhone, "555-0199");
    EXPECT_EQ(record->Analysis.AdditionalPaymentText, "100.00");
}

// --- Debit bank ---------------------------------------------------------------

BankForm CompleteBank(int type)
{
    BankForm f;
    f.name = "Credit Union";
    f.address = "9 Elm";
    f.city = "Akron";
    f.state = "OH";
    f.zip = "44308";
    f.accountNumber = "0042";
    f.accountType = type;
    return f;
}

TEST(BankChecks, RequiredFieldsInOrder)
{
    using F = BankField;
    using B = BankForm;
    using S = Step<B, F>;
    B form;
    form.accountType = kAccountOther;
    ExpectOrder(form,
        std::vector<S> {
            {&B::name, F::Name, "Please enter your bank's name"},
            {&B::address, F::Address, "Please enter your bank's address"},
            {&B::city, F::City, "Please enter your bank's city"},
            {&B::state, F::State, "Please enter your bank's state"},
            {&B::zip, F::Zip, "Please enter your bank's Zip Code"},
            {&B::accountNumber, F::AccountNumber, "Please enter your bank Account Number"},
            {&B::description, F::Description, "Please enter your account's description"},
        },
        &CheckBankForm);
}

TEST(BankChecks, DescriptionIsAskedForOnlyWithOther)
{
    EXPECT_TRUE(CheckBankForm(CompleteBank(kAccountOther)));
    EXPECT_FALSE(CheckBankForm(CompleteBank(kAccountSavings)));
    EXPECT_FALSE(CheckBankForm(CompleteBank(kAccountChecking)));
    EXPECT_FALSE(BankDescriptionEnabled(kAccountSavings));
    EXPECT_TRUE(BankDescriptionEnabled(kAccountOther));
}

struct TypeCase {
    int stored;
    int opens;
};
void PrintTo(const TypeCase &c, std::ostream *os)
{
    *os << "type " << c.stored;
}
class BankOpeningTypeTest : public ::testing::TestWithParam<TypeCase> { };

TEST_P(BankOpeningTypeTest, OpensWithSavingsOtherOrElseChecking)
{
    auto record = std::make_unique<CClientRecord>();
    record->AccountType = GetParam().stored;
    EXPECT_EQ(BankFormFromRecord(*record).accountType, GetParam().opens);
}
INSTANTIATE_TEST_SUITE_P(Rows, BankOpeningTypeTest,
    ::testing::Values(
        TypeCase {0, 1}, TypeCase {1, 1}, TypeCase {2, 2}, TypeCase {3, 3}, TypeCase {7, 1}, TypeCase {-1, 1}),
    [](const auto &info) {
        const int stored = info.param.stored;
        return "Stored" + (stored < 0 ? std::string("Negative") : std::to_string(stored)) + "Opens"
            + std::to_string(info.param.opens);
    });

TEST(BankChecks, NeverChosenTypeIsStoredAsChecking)
{
    auto record = std::make_unique<CClientRecord>();
    ASSERT_EQ(record->AccountType, kAccountNotChosen);
    StoreBankForm(BankFormFromRecord(*record), *record);
    EXPECT_EQ(record->AccountType, kAccountChecking);
}

TEST(BankChecks, SwitchingAwayFromOtherKeepsTheOldDescription)
{
    auto record = std::make_unique<CClientRecord>();
    record->AccountType = kAccountOther;
    record->AccountOptionalDescription = "Money market";
    BankForm form = BankFormFromRecord(*record);
    EXPECT_EQ(form.description, "Money market");
    form.accountType = kAccountChecking;
    form.description = "typed while disabled";
    StoreBankForm(form, *record);
    EXPECT_EQ(record->AccountType, kAccountChecking);
    EXPECT_EQ(record->AccountOptionalDescription, "Money market");

    form.accountType = kAccountOther;
    form.description = "Trust account";
    StoreBankForm(form, *record);
    EXPECT_EQ(record->AccountType, kAccountOther);
    EXPECT_EQ(record->AccountOptionalDescription, "Trust account");

    form.description = "";
    StoreBankForm(form, *record);
    EXPECT_EQ(record->AccountOptionalDescription, "Trust account");
}

TEST(BankChecks, NoTickedButtonLeavesTheType)
{
    auto record = std::make_unique<CClientRecord>();
    record->AccountType = kAccountSavings;
    BankForm form = CompleteBank(kAccountNotChosen);
    StoreBankForm(form, *record);
    EXPECT_EQ(record->AccountType, kAccountSavings);
    EXPECT_EQ(record->BankName, "Credit Union");
}

} // namespace
} // namespace tw
