#include "rules/analysis_checks.h"

#include "engine/schedules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tw {
namespace {

const char *const kCurrentInvalid = "The current date is invalid.\n"
                                    "For example, 02/29/1995 is invalid because it is not a leap year.\n"
                                    "Please use the format MM/DD/YYYY.\n"
                                    "A valid date would be 01/01/1996.";
const char *const kStartFormat = "The loan start date format is incorrect.\n"
                                 "Please use the format MM/DD/YYYY.\n"
                                 "A valid date would be 01/01/1996.";
const char *const kStartInvalid = "The loan start date is invalid.\n"
                                  "For example, 02/29/1995 is invalid because it is not a leap year.\n"
                                  "Please use the format MM/DD/YYYY.\n"
                                  "A valid date would be 01/01/1996.";
const char *const kTermRange = "Please enter the number of years for the loan (has to be to be less than 40).";
const char *const kTermMissing = "Please enter the number of years for the loan.";

using F = AnalysisField;

AnalysisForm GoodForm()
{
    AnalysisForm f;
    f.currentDate = "06/15/1999";
    f.firstName = "Ann";
    f.lastName = "Smith";
    f.firstPaymentDate = "01/01/1995";
    f.term = "30";
    f.amount = "150000";
    f.currentPayment = "1200";
    f.variable = false;
    f.lowestRate = "7.5";
    return f;
}

// Each field in the screen's order: where the form holds it and where the record stores it.
struct Place {
    F field;
    std::string AnalysisForm::*form;
    std::string CClientRecord::*client;
    std::string LoanAnalysis::*loan;
};
const Place kPlaces[] = {{F::CurrentDate, &AnalysisForm::currentDate, nullptr, &LoanAnalysis::CurrentDate},
    {F::FirstName, &AnalysisForm::firstName, &CClientRecord::FirstName1, nullptr},
    {F::LastName, &AnalysisForm::lastName, &CClientRecord::LastName1, nullptr},
    {F::FirstPaymentDate, &AnalysisForm::firstPaymentDate, nullptr, &LoanAnalysis::FirstPaymentDate},
    {F::Term, &AnalysisForm::term, nullptr, &LoanAnalysis::TermText},
    {F::Amount, &AnalysisForm::amount, nullptr, &LoanAnalysis::AmountText},
    {F::CurrentPayment, &AnalysisForm::currentPayment, nullptr, &LoanAnalysis::CurrentPaymentText},
    {F::LowestRate, &AnalysisForm::lowestRate, nullptr, &LoanAnalysis::LowestRateText},
    {F::HighestRate, &AnalysisForm::highestRate, nullptr, &LoanAnalysis::HighestRateText}};

const Place &PlaceOf(F field)
{
    return *std::find_if(std::begin(kPlaces), std::end(kPlaces), [field](const Place &p) { return p.field == field; });
}

std::string &FormText(AnalysisForm &f, F field)
{
    return f.*PlaceOf(field).form;
}

const std::string &Stored(const CClientRecord &r, F field)
{
    const Place &p = PlaceOf(field);
    return p.client ? r.*p.client : r.Analysis.*p.loan;
}

struct FieldCase {
    const char *name;
    F field;
    const char *typed;
    const char *stored; // the record's text after a pass; nullptr when the check fails
    const char *message; // when it fails
};

void PrintTo(const FieldCase &c, std::ostream *os)
{
    *os << c.name;
}

class AnalysisFieldTest : public ::testing::TestWithParam<FieldCase> { };

TEST_P(AnalysisFieldTest, PassesAndStoresOrNamesTheField)
{
    const FieldCase &c = GetParam();
    AnalysisForm form = GoodForm();
    FormText(form, c.field) = c.typed;
    auto record = std::make_unique<CClientRecord>();
    const auto failure = ApplyAnalysisForm(form, *record);
    if (c.stored) {
        ASSERT_FALSE(failure) << failure->message;
        EXPECT_EQ(Stored(*record, c.field), c.stored);
    } else {
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->field, c.field);
        EXPECT_EQ(failure->message, c.message);
    }
}

const FieldCase kFieldCases[] = {
    {"LeapDayCurrent", F::CurrentDate, "02/29/2000", "02/29/2000", nullptr},
    {"NoLeapDayCurrent", F::CurrentDate, "02/29/1999", nullptr, kCurrentInvalid},
    {"ShortCurrent", F::CurrentDate, "2/5/1999", nullptr, kCurrentInvalid},
    {"Year1960Current", F::CurrentDate, "01/01/1960", nullptr, kCurrentInvalid},
    {"Year2050Current", F::CurrentDate, "01/01/2050", nullptr, kCurrentInvalid},
    {"FirstYearCurrent", F::CurrentDate, "01/01/1961", "01/01/1961", nullptr},
    {"LastDayCurrent", F::CurrentDate, "12/31/2049", "12/31/2049", nullptr},
    {"EmptyCurrent", F::CurrentDate, "", nullptr, "Please enter the current date."},
    {"EmptyFirstName", F::FirstName, "", nullptr, "Please enter your first name."},
    {"AccentedFirstName", F::FirstName, "Ren\xC3\xA9", "Ren\xC3\xA9", nullptr},
    {"EmptyLastName", F::LastName, "", nullptr, "Please enter your last name."},
    {"LeapDayStart", F::FirstPaymentDate, "02/29/2000", "02/29/2000", nullptr},
    {"NoLeapDayStart", F::FirstPaymentDate, "02/29/1999", nullptr, kStartInvalid},
    {"ShortStart", F::FirstPaymentDate, "2/5/1999", nullptr, kStartFormat},
    {"Year1960Start", F::FirstPaymentDate, "01/01/1960", nullptr, kStartInvalid},
    {"Year2050Start", F::FirstPaymentDate, "01/01/2050", nullptr, kStartInvalid},
    {"Month13Start", F::FirstPaymentDate, "13/01/1999", nullptr, kStartInvalid},
    {"EmptyStart", F::FirstPaymentDate, "", nullptr, "Please enter the loan start date."},
    {"Term40", F::Term, "40", "40", nullptr},
    {"Term1", F::Term, "1", "1", nullptr},
    {"Term41", F::Term, "41", nullptr, kTermRange},
    {"Term0", F::Term, "0", nullptr, kTermRange},
    {"TermWithWord", F::Term, "30 years", nullptr, kTermMissing},
    {"TermLeadingBlank", F::Term, " 30", nullptr, kTermMissing},
    {"TermEmpty", F::Term, "", nullptr, kTermMissing},
    {"TermFraction", F::Term, "1.5", "1.5", nullptr},
    {"TermBelowOne", F::Term, ".5", nullptr, kTermRange},
    {"TermHuge", F::Term, "9999999999999999999", nullptr, kTermRange},
    {"AmountWithSigns", F::Amount, "$150,000.00", "150000.00", nullptr},
    {"AmountLonePoint", F::Amount, ".", ".", nullptr},
    {"AmountNineteenChars", F::Amount, "1234567890123456789", "1234567890123456789", nullptr},
    {"AmountTwentyChars", F::Amount, "12345678901234567890", nullptr, "Please enter the loan amount."},
    {"AmountWithBlank", F::Amount, "150 000", nullptr, "Please enter the loan amount."},
    {"PaymentWithSigns", F::CurrentPayment, "$1,200.50", "1200.50", nullptr},
    {"PaymentEmpty", F::CurrentPayment, "", nullptr, "Please enter the total amount of your current payment."},
    {"FixedRatePercent", F::LowestRate, "7.5%", "7.5", nullptr},
    {"FixedRateEmpty", F::LowestRate, "", nullptr, "Please enter the fixed interest rate."},
};
INSTANTIATE_TEST_SUITE_P(Rows, AnalysisFieldTest, ::testing::ValuesIn(kFieldCases),
    [](const auto &info) { return std::string(info.param.name); });

TEST(AnalysisChecks, RunInTheScreensOrder)
{
    AnalysisForm good = [] {
        AnalysisForm f = GoodForm();
        f.variable = true;
        f.highestRate = "9";
        return f;
    }();
    AnalysisForm form;
    form.variable = true;
    for (const Place &p : kPlaces) {
        auto record = std::make_unique<CClientRecord>();
        const auto failure = ApplyAnalysisForm(form, *record);
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->field, p.field);
        form.*p.form = good.*p.form;
    }
    auto record = std::make_unique<CClientRecord>();
    EXPECT_FALSE(ApplyAnalysisForm(form, *record));
}

TEST(AnalysisChecks, FieldsBeforeAFailureAreWrittenAndLaterOnesKept)
{
    auto record = std::make_unique<CClientRecord>();
    record->Analysis.AmountText = "old amount";
    record->Analysis.LowestRateText = "old rate";
    AnalysisForm form = GoodForm();
    form.term = "41";
    form.amount = "99";
    ASSERT_TRUE(ApplyAnalysisForm(form, *record));
    EXPECT_EQ(record->Analysis.CurrentDate, "06/15/1999");
    EXPECT_EQ(record->FirstName1, "Ann");
    EXPECT_EQ(record->LastName1, "Smith");
    EXPECT_EQ(record->Analysis.FirstPaymentDate, "01/01/1995");
    EXPECT_EQ(record->Analysis.TermText, "");
    EXPECT_EQ(record->Analysis.AmountText, "old amount");
    EXPECT_EQ(record->Analysis.LowestRateText, "old rate");
}

// The variable flag is written whatever else fails; a fixed rate leaves the stored
// highest rate alone.
TEST(AnalysisChecks, VariableFlagIsAlwaysWrittenAndAFixedRateKeepsTheHighest)
{
    auto record = std::make_unique<CClientRecord>();
    record->Analysis.HighestRateText = "9.9";
    AnalysisForm form = GoodForm();
    form.variable = true;
    form.currentDate = "";
    const auto failure = ApplyAnalysisForm(form, *record);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->field, F::CurrentDate);
    EXPECT_EQ(record->Analysis.VariableFlag, 1);
    EXPECT_FALSE(ApplyAnalysisForm(GoodForm(), *record));
    EXPECT_EQ(record->Analysis.VariableFlag, 0);
    EXPECT_EQ(record->Analysis.HighestRateText, "9.9");
}

TEST(AnalysisChecks, VariableRateAsksForBothRates)
{
    auto record = std::make_unique<CClientRecord>();
    AnalysisForm form = GoodForm();
    form.variable = true;
    form.lowestRate = "";
    auto failure = ApplyAnalysisForm(form, *record);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->message, "Please enter the lowest interest rate for the variable interest.");

    form.lowestRate = "6";
    failure = ApplyAnalysisForm(form, *record);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->field, F::HighestRate);
    EXPECT_EQ(failure->message, "Please enter highest interest rate for the variable interest.");

    form.highestRate = "$9.25%";
    EXPECT_FALSE(ApplyAnalysisForm(form, *record));
    EXPECT_EQ(record->Analysis.LowestRateText, "6");
    EXPECT_EQ(record->Analysis.HighestRateText, "9.25");
}

// The loan the program was tried with, seen on 12/08/2026; each case changes one thing.
struct ImplausibleLoan {
    const char *name;
    std::function<void(AnalysisForm &)> change;
    std::optional<AnalysisField> field; // nullopt: the loan is fine
    const char *messagePart;
};

AnalysisForm TriedLoan()
{
    AnalysisForm f;
    f.currentDate = "12/08/2026";
    f.firstName = "Ann";
    f.lastName = "Smith";
    f.firstPaymentDate = "04/15/2019";
    f.term = "30";
    f.amount = "187,500.00";
    f.currentPayment = "1,412.80";
    f.lowestRate = "6.125";
    return f;
}

class CanRunRefusesNonsense : public ::testing::TestWithParam<ImplausibleLoan> { };

TEST_P(CanRunRefusesNonsense, NamesTheFieldAndWhy)
{
    const ImplausibleLoan &c = GetParam();
    AnalysisForm form = TriedLoan();
    c.change(form);
    auto record = std::make_unique<CClientRecord>();
    ASSERT_FALSE(ApplyAnalysisForm(form, *record));
    const std::string paymentBefore = record->Analysis.CurrentPaymentText;
    const auto failure = CheckAnalysisCanRun(record->Analysis);
    EXPECT_EQ(record->Analysis.CurrentPaymentText, paymentBefore); // nothing rewritten
    if (!c.field) {
        EXPECT_FALSE(failure) << failure->message;
        return;
    }
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->field, *c.field);
    EXPECT_NE(failure->message.find(c.messagePart), std::string::npos) << failure->message;
}

// P&I of 187,500.00 at 6.125 % over 360 months, by the annuity formula: 1,139.27.
INSTANTIATE_TEST_SUITE_P(AnalysisChecks, CanRunRefusesNonsense,
    ::testing::Values(ImplausibleLoan {"AsTried", [](AnalysisForm &) {}, std::nullopt, ""},
        // Before the debit calendar (from 01/05/1996), and outside the engine's loans.
        ImplausibleLoan {"DebitsBefore1996",
            [](AnalysisForm &f) {
                f.currentDate = "01/01/1990";
                f.firstPaymentDate = "01/01/1985";
            },
            AnalysisField::CurrentDate, "1996"},
        ImplausibleLoan {"TermOfOneYear", [](AnalysisForm &f) { f.term = "1"; }, AnalysisField::Term, ""},
        ImplausibleLoan {"AmountOfAPoint", [](AnalysisForm &f) { f.amount = "."; }, AnalysisField::Amount, ""},
        ImplausibleLoan {
            "RateOfOnePercent", [](AnalysisForm &f) { f.lowestRate = "1"; }, AnalysisField::LowestRate, ""},
        ImplausibleLoan {
            "RateWithComma", [](AnalysisForm &f) { f.lowestRate = "6,125"; }, AnalysisField::LowestRate, "6125%"},
        ImplausibleLoan {"RateAtCeiling",
            [](AnalysisForm &f) {
                f.lowestRate = "25";
                f.currentPayment = "4000"; // P&I at 25 %: 3,908.59
            },
            std::nullopt, ""},
        ImplausibleLoan {
            "RateJustAboveCeiling", [](AnalysisForm &f) { f.lowestRate = "25.01"; }, AnalysisField::LowestRate, "25%"},
        ImplausibleLoan {"VariableHighestRateWithComma",
            [](AnalysisForm &f) {
                f.variable = true;
                f.lowestRate = "5";
                f.highestRate = "9,5";
            },
            AnalysisField::HighestRate, "95%"},
        // The last of 360 payments the day before the current date, on it, and the plan's
        // first payment one past it (361), or on it (360).
        ImplausibleLoan {"LastPaymentYesterday", [](AnalysisForm &f) { f.firstPaymentDate = "01/07/1997"; },
            AnalysisField::FirstPaymentDate, "paid off: its last payment was due on 12/07/2026"},
        ImplausibleLoan {"LastPaymentToday", [](AnalysisForm &f) { f.firstPaymentDate = "01/08/1997"; },
            AnalysisField::FirstPaymentDate, "as good as paid off: its last payment is due on 12/08/2026"},
        ImplausibleLoan {"LastPaymentBeforeThePlanStarts", [](AnalysisForm &f) { f.firstPaymentDate = "02/15/1997"; },
            AnalysisField::FirstPaymentDate, "as good as paid off: its last payment is due on 01/15/2027"},
        ImplausibleLoan {"PlanStartsOnTheLastPayment", [](AnalysisForm &f) { f.firstPaymentDate = "03/15/1997"; },
            AnalysisField::FirstPaymentDate, "not eliminate a single monthly payment"},
        ImplausibleLoan {"PlanBeginsTooLateToEliminateAPayment",
            [](AnalysisForm &f) { f.firstPaymentDate = "11/15/1997"; }, AnalysisField::FirstPaymentDate,
            "not eliminate a single monthly payment"},
        ImplausibleLoan {
            "PlanEliminatesOnePayment", [](AnalysisForm &f) { f.firstPaymentDate = "12/15/1997"; }, std::nullopt, ""},
        ImplausibleLoan {
            "FirstPaymentAYearAhead", [](AnalysisForm &f) { f.firstPaymentDate = "12/08/2027"; }, std::nullopt, ""},
        ImplausibleLoan {"FirstPaymentMoreThanAYearAhead", [](AnalysisForm &f) { f.firstPaymentDate = "12/09/2027"; },
            AnalysisField::FirstPaymentDate, "12/09/2027, is more than 12 months after the current date, 12/08/2026"},
        ImplausibleLoan {"PaymentBelowPrincipalAndInterest", [](AnalysisForm &f) { f.currentPayment = "1000"; },
            AnalysisField::CurrentPayment, "less than $1,139.27"},
        ImplausibleLoan {"PaymentOneCentShort", [](AnalysisForm &f) { f.currentPayment = "1139.26"; },
            AnalysisField::CurrentPayment, "less than $1,139.27"},
        ImplausibleLoan {"PaymentOfPrincipalAndInterestExactly", [](AnalysisForm &f) { f.currentPayment = "1139.27"; },
            std::nullopt, ""},
        ImplausibleLoan {"VariablePaymentBelowTheAverageRateOnly",
            [](AnalysisForm &f) {
                f.variable = true;
                f.lowestRate = "6.125";
                f.highestRate = "9";
                f.currentPayment = "1140";
            },
            std::nullopt, ""}),
    [](const ::testing::TestParamInfo<ImplausibleLoan> &info) { return std::string(info.param.name); });

// A variable loan's payment may be raised to the payment at the average rate: 6.125 %
// and 9 % average 7.5625 %, where 187,500.00 over 360 months takes 1,319.06 (annuity
// formula). The user is told; a payment the calculation keeps needs no word.
TEST(AnalysisChecks, RaisedPaymentIsTold)
{
    AnalysisForm form = TriedLoan();
    form.variable = true;
    form.highestRate = "9";
    form.currentPayment = "1,140.00";
    auto record = std::make_unique<CClientRecord>();
    ASSERT_FALSE(ApplyAnalysisForm(form, *record));
    ASSERT_FALSE(CheckAnalysisCanRun(record->Analysis));
    const std::string typed = record->Analysis.CurrentPaymentText;
    ASSERT_TRUE(ComputeSchedules(record->Analysis));
    const std::string notice = RaisedPaymentNotice(typed, record->Analysis.CurrentPaymentText);
    EXPECT_NE(notice.find("$1,140.00 is less than $1,319.06"), std::string::npos) << notice;

    record = std::make_unique<CClientRecord>();
    ASSERT_FALSE(ApplyAnalysisForm(TriedLoan(), *record));
    const std::string kept = record->Analysis.CurrentPaymentText;
    ASSERT_TRUE(ComputeSchedules(record->Analysis));
    EXPECT_EQ(RaisedPaymentNotice(kept, record->Analysis.CurrentPaymentText), "");
    EXPECT_EQ(RaisedPaymentNotice("$1,140.00", "1140.00"), ""); // the same payment, written otherwise
    EXPECT_NE(RaisedPaymentNotice("$1,140.00", "1140.01"), ""); // a cent more is said
}

} // namespace
} // namespace tw
