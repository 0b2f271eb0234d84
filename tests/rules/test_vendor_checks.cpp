#include "rules/vendor_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace tw {
namespace {

using F = VendorField;

const char *const kDateHint = "Please use the format MM/DD/YYYY.\nA valid date would be 01/01/1996.";
const char *const kLeap = "For example, 02/29/1995 is invalid because it is not a leap year.\n";
const char *const kTermDigits = "Please enter the term as a whole number of years in digits, for example 30.";

VendorForm GoodForm()
{
    VendorForm f;
    f.currentDate = "12/07/2026";
    f.firstName1 = "Margaret";
    f.lastName1 = "Ellison";
    f.address = "418 Larkspur Lane";
    f.city = "Fairhaven";
    f.state = "OH";
    f.zip = "44123";
    f.firstPaymentDate = "06/01/2019";
    f.term = "30";
    f.amount = "180000";
    f.currentPayment = "1450";
    f.lowestRate = "6.5";
    return f;
}

// The checked fields in the order Print checks them, with the message an empty one gets.
struct Step {
    F field;
    std::string VendorForm::*member;
    const char *emptyMessage;
};
const std::vector<Step> kSteps = {
    {F::CurrentDate, &VendorForm::currentDate, "Please enter the current date."},
    {F::FirstName1, &VendorForm::firstName1, "Please enter your first name."},
    {F::LastName1, &VendorForm::lastName1, "Please enter your last name."},
    {F::Address, &VendorForm::address, "Please enter your address."},
    {F::City, &VendorForm::city, "Please enter your city."},
    {F::State, &VendorForm::state, "Please enter your state."},
    {F::Zip, &VendorForm::zip, "Please enter your zip code."},
    {F::FirstPaymentDate, &VendorForm::firstPaymentDate, "Please enter the date the loan started."},
    {F::Term, &VendorForm::term, "Please enter the number of years for the loan."},
    {F::Amount, &VendorForm::amount, "Please enter the loan amount."},
    {F::CurrentPayment, &VendorForm::currentPayment,
        "Please enter the total monthly payment amount (including taxes and insurance)."},
    {F::LowestRate, &VendorForm::lowestRate, "Please enter the fixed interest rate."},
};

TEST(VendorChecks, FirstEmptyFieldInOrderFailsWithItsMessage)
{
    // Emptying a field and every later one must name that field: the order is fixed.
    for (std::size_t i = 0; i < kSteps.size(); ++i) {
        VendorForm f = GoodForm();
        for (std::size_t j = i; j < kSteps.size(); ++j)
            f.*kSteps[j].member = "";
        auto r = std::make_unique<CClientRecord>();
        const auto failure = ApplyVendorForm(f, *r);
        ASSERT_TRUE(failure.has_value()) << i;
        EXPECT_EQ(failure->field, kSteps[i].field) << i;
        EXPECT_EQ(failure->message, kSteps[i].emptyMessage) << i;
    }
    auto r = std::make_unique<CClientRecord>();
    EXPECT_FALSE(ApplyVendorForm(GoodForm(), *r).has_value());
}

// Print's refusals on their field: the form's checks word a malformed date or term
// exactly; a loan the engine declines passes them, stays as typed, and is refused by the
// loan check before anything is computed, so no earlier client's figures are shown.
TEST(VendorChecks, RefusalsNameTheirField)
{
    struct Row {
        std::string VendorForm::*member;
        const char *text;
        F field;
        std::string message; // all of it, or for the loan check a part
        bool byTheLoanCheck = false;
    };
    const std::vector<Row> rows = {
        {&VendorForm::currentDate, "1/1/1999", F::CurrentDate,
            "The current date format is incorrect.\n" + std::string(kDateHint)},
        {&VendorForm::currentDate, "02/29/1995", F::CurrentDate,
            "The current date is invalid.\n" + std::string(kLeap) + kDateHint},
        {&VendorForm::currentDate, "13/01/2000", F::CurrentDate,
            "The current date is invalid.\n" + std::string(kLeap) + kDateHint},
        {&VendorForm::firstPaymentDate, "2019-06-01", F::FirstPaymentDate,
            "The loan start date format is incorrect.\n" + std::string(kDateHint)},
        {&VendorForm::firstPaymentDate, "06/01/2050", F::FirstPaymentDate,
            "The loan start date is invalid.\n" + std::string(kLeap) + kDateHint},
        {&VendorForm::term, "30 years", F::Term, kTermDigits},
        {&VendorForm::term, " ", F::Term, kTermDigits},
        {&VendorForm::term, "1000", F::Term, kTermDigits}, // three digits at most
        {&VendorForm::term, "100", F::Term, "", true},
        {&VendorForm::term, "45", F::Term, "", true},
        {&VendorForm::term, "1", F::Term, "", true},
        {&VendorForm::amount, "$0.50", F::Amount, "", true},
        {&VendorForm::amount, "none", F::Amount, "The loan amount \"none\" is not a number.", true},
        {&VendorForm::lowestRate, "0.5%", F::LowestRate, "", true},
        {&VendorForm::lowestRate, "abc", F::LowestRate, "The interest rate \"abc\" is not a number.", true},
    };
    for (const Row &row : rows) {
        VendorForm f = GoodForm();
        f.*row.member = row.text;
        auto r = std::make_unique<CClientRecord>();
        auto failure = ApplyVendorForm(f, *r);
        if (row.byTheLoanCheck) {
            ASSERT_FALSE(failure.has_value()) << row.text;
            EXPECT_EQ(r->Analysis.TermText, row.member == &VendorForm::term ? row.text : "30");
            failure = CheckVendorLoanCanRun(*r);
            EXPECT_TRUE(ComputeVendorAnalysis(*r).has_value()) << row.text;
            EXPECT_EQ(r->Analysis.MonthlySchedule[0].Balance, 0) << row.text;
        }
        ASSERT_TRUE(failure.has_value()) << row.text;
        EXPECT_EQ(failure->field, row.field) << row.text;
        if (row.byTheLoanCheck)
            EXPECT_NE(failure->message.find(row.message), std::string::npos) << failure->message;
        else
            EXPECT_EQ(failure->message, row.message) << row.text;
    }
    // A leap day in a leap year is a date.
    VendorForm f = GoodForm();
    f.currentDate = "02/29/2028";
    auto r = std::make_unique<CClientRecord>();
    EXPECT_FALSE(ApplyVendorForm(f, *r).has_value());
}

TEST(VendorChecks, WhatIsWrittenBeforeAndAfterAFailure)
{
    auto r = std::make_unique<CClientRecord>();
    r->City = "Old City";
    r->Analysis.HighestRateText = "9.0";
    r->Analysis.VariableFlag = 1;
    VendorForm f = GoodForm();
    f.firstName2 = "Daniel";
    f.workPhone2 = "";
    f.city = "";
    f.variable = false;
    const auto failure = ApplyVendorForm(f, *r);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->field, F::City);
    // Copied without a check, empty texts too.
    EXPECT_EQ(r->FirstName2, "Daniel");
    EXPECT_EQ(r->City, "");
    // Written by the checks that passed.
    EXPECT_EQ(r->Analysis.CurrentDate, "12/07/2026");
    EXPECT_EQ(r->FirstName1, "Margaret");
    // Not reached.
    EXPECT_EQ(r->Analysis.TermText, "");
    // The Variable step runs after a failure too.
    EXPECT_EQ(r->Analysis.VariableFlag, 0);
    EXPECT_EQ(r->Analysis.HighestRateText, "");

    // Ticked: the flag is set and the highest rate is asked for with its own message.
    f = GoodForm();
    f.variable = true;
    f.highestRate = "";
    const auto variable = ApplyVendorForm(f, *r);
    ASSERT_TRUE(variable.has_value());
    EXPECT_EQ(variable->field, F::HighestRate);
    EXPECT_EQ(variable->message, "Please enter highest interest rate for the variable interest.");
    EXPECT_EQ(r->Analysis.VariableFlag, 1);
    f.lowestRate = "";
    EXPECT_EQ(ApplyVendorForm(f, *r)->message, "Please enter the lowest interest rate for the variable interest.");
}

TEST(VendorChecks, AfterClearPrintStopsAtTheLoanStartDateFormat)
{
    VendorForm f = GoodForm();
    f.currentPayment = "1450";
    ClearVendorForm(f);
    EXPECT_EQ(f.currentDate, "12/07/2026");
    EXPECT_EQ(f.currentPayment, "1450");
    EXPECT_EQ(f.highestRate, " ");
    auto r = std::make_unique<CClientRecord>();
    const auto failure = ApplyVendorForm(f, *r);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->field, F::FirstPaymentDate);
    EXPECT_EQ(failure->message, "The loan start date format is incorrect.\n" + std::string(kDateHint));
    EXPECT_EQ(r->FirstName1, " ");
    EXPECT_EQ(r->Zip, " ");
}

TEST(VendorChecks, FormOpensVariableWhenAHighestRateIsStored)
{
    CClientRecord r;
    r.Analysis.HighestRateText = "8.0";
    r.Analysis.VariableFlag = 0;
    EXPECT_TRUE(VendorFormFromRecord(r, "01/02/2027").variable);
    EXPECT_EQ(VendorFormFromRecord(r, "01/02/2027").currentDate, "01/02/2027");
    r.Analysis.HighestRateText = "";
    r.Analysis.VariableFlag = 1;
    EXPECT_FALSE(VendorFormFromRecord(r, "01/02/2027").variable);
}

TEST(VendorChecks, ComputableNumberText)
{
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"$150,000", "150000"},
        {"6.125%", "6.125"},
        {" 30 ", "30"},
        {"$1,450.00", "1450.00"},
        {"30 years", "30 years"}, // no plain number: as typed, the engine reads 30
        {"", ""},
    };
    for (const auto &[typed, readable] : rows)
        EXPECT_EQ(ComputableNumberText(typed), readable) << typed;
}

TEST(VendorLoan, TypedSymbolsStillComputeAndStayAsTyped)
{
    auto r = std::make_unique<CClientRecord>();
    VendorForm f = GoodForm();
    f.amount = "$150,000";
    f.lowestRate = "6.125%";
    f.currentPayment = "$1,200.00";
    f.term = " 30 ";
    ASSERT_FALSE(ApplyVendorForm(f, *r).has_value());
    EXPECT_EQ(r->Analysis.TermText, "30");
    EXPECT_EQ(r->Analysis.AmountText, "$150,000");
    ASSERT_FALSE(CheckVendorLoanCanRun(*r).has_value());
    ASSERT_FALSE(ComputeVendorAnalysis(*r).has_value());
    const LoanAnalysis &a = r->Analysis;
    EXPECT_EQ(a.LoanAmount, 150000.0);
    EXPECT_FLOAT_EQ(a.AnnualRate, 6.125f);
    EXPECT_EQ(a.TermYears, 30);
    // The published payment of 150,000 over 30 years at 6.125 %.
    EXPECT_NEAR(a.MonthlySchedule[0].Payment, 911.42, 0.006);
    EXPECT_GT(a.TotalPaymentSavings, 0);
    EXPECT_GT(a.FiveYearPayments, 0);
    EXPECT_EQ(a.AmountText, "$150,000");
    EXPECT_EQ(a.LowestRateText, "6.125%");
    EXPECT_EQ(a.CurrentPaymentText, "$1,200.00");
}

} // namespace
} // namespace tw
