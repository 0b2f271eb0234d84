#include "entry/rules/analysis_checks.h"

#include "engine/plan_dates.h"
#include "engine/schedules.h"
#include "format/dates.h"
#include "format/number_text.h"

namespace tw {

namespace {

const char *const kCurrentDateInvalid = "The current date is invalid.\n"
                                        "For example, 02/29/1995 is invalid because it is not a leap year.\n"
                                        "Please use the format MM/DD/YYYY.\n"
                                        "A valid date would be 01/01/1996.";
const char *const kStartDateFormat = "The loan start date format is incorrect.\n"
                                     "Please use the format MM/DD/YYYY.\n"
                                     "A valid date would be 01/01/1996.";
const char *const kStartDateInvalid = "The loan start date is invalid.\n"
                                      "For example, 02/29/1995 is invalid because it is not a leap year.\n"
                                      "Please use the format MM/DD/YYYY.\n"
                                      "A valid date would be 01/01/1996.";

bool IsValidDate(const std::string &text)
{
    return IsDateText(text) && CheckDate(CompactFromDateText(text)) == kDateOk;
}

std::optional<AnalysisCheckFailure> Fail(AnalysisField field, std::string message)
{
    return AnalysisCheckFailure {field, std::move(message)};
}

// Steps 1 to 7; the caller writes the variable flag whatever happens here.
std::optional<AnalysisCheckFailure> CheckLoanFields(const AnalysisForm &f, CClientRecord &r, bool checkNames)
{
    LoanAnalysis &a = r.Analysis;
    if (f.currentDate.empty())
        return Fail(AnalysisField::CurrentDate, "Please enter the current date.");
    if (!IsValidDate(f.currentDate))
        return Fail(AnalysisField::CurrentDate, kCurrentDateInvalid);
    a.CurrentDate = f.currentDate;

    if (checkNames) {
        if (f.firstName.empty())
            return Fail(AnalysisField::FirstName, "Please enter your first name.");
        r.FirstName1 = f.firstName;
        if (f.lastName.empty())
            return Fail(AnalysisField::LastName, "Please enter your last name.");
        r.LastName1 = f.lastName;
    }

    if (f.firstPaymentDate.empty())
        return Fail(AnalysisField::FirstPaymentDate, "Please enter the loan start date.");
    if (!IsDateText(f.firstPaymentDate))
        return Fail(AnalysisField::FirstPaymentDate, kStartDateFormat);
    if (CheckDate(CompactFromDateText(f.firstPaymentDate)) != kDateOk)
        return Fail(AnalysisField::FirstPaymentDate, kStartDateInvalid);
    a.FirstPaymentDate = f.firstPaymentDate;

    const std::string term = CleanNumberText(f.term);
    if (term.empty())
        return Fail(AnalysisField::Term, "Please enter the number of years for the loan.");
    const int years = TextToInt(term);
    if (years < 1 || years > kMaxTermYears)
        return Fail(
            AnalysisField::Term, "Please enter the number of years for the loan (has to be to be less than 40).");
    a.TermText = term;

    const std::string amount = CleanNumberText(f.amount);
    if (amount.empty())
        return Fail(AnalysisField::Amount, "Please enter the loan amount.");
    a.AmountText = amount;

    const std::string payment = CleanNumberText(f.currentPayment);
    if (payment.empty())
        return Fail(AnalysisField::CurrentPayment, "Please enter the total amount of your current payment.");
    a.CurrentPaymentText = payment;
    return std::nullopt;
}

} // namespace

std::optional<AnalysisCheckFailure> ApplyAnalysisForm(const AnalysisForm &form, CClientRecord &record, bool checkNames)
{
    auto failure = CheckLoanFields(form, record, checkNames);
    LoanAnalysis &a = record.Analysis;
    a.VariableFlag = form.variable ? 1 : 0;
    if (failure)
        return failure;

    const std::string lowest = CleanNumberText(form.lowestRate);
    if (lowest.empty())
        return Fail(AnalysisField::LowestRate,
            a.VariableFlag ? "Please enter the lowest interest rate for the variable interest."
                           : "Please enter the fixed interest rate.");
    a.LowestRateText = lowest;

    if (a.VariableFlag) {
        const std::string highest = CleanNumberText(form.highestRate);
        if (highest.empty())
            return Fail(AnalysisField::HighestRate, "Please enter highest interest rate for the variable interest.");
        a.HighestRateText = highest;
    }
    return std::nullopt;
}

std::optional<AnalysisCheckFailure> CheckAnalysisCanRun(const LoanAnalysis &a)
{
    const std::string calendar = CheckPlanCalendar(a.CurrentDate, a.FirstPaymentDate, TextToInt(a.TermText));
    if (!calendar.empty()) {
        const bool startProblem = !ComputePlanDates(a.CurrentDate, a.FirstPaymentDate).ok;
        return Fail(startProblem ? AnalysisField::CurrentDate : AnalysisField::FirstPaymentDate, calendar);
    }
    const LoanNumbers n = ReadLoanNumbers(a);
    if (!n.computable) {
        AnalysisField field = AnalysisField::LowestRate;
        if (!(n.loanAmount > 1.0))
            field = AnalysisField::Amount;
        else if (n.termYears <= 1 || n.termYears > kMaxTermYears)
            field = AnalysisField::Term;
        return Fail(field, ExplainDeclinedLoan(a));
    }
    return std::nullopt;
}

} // namespace tw
