#include "rules/analysis_checks.h"

#include "engine/plan_dates.h"
#include "engine/schedules.h"
#include "engine/to_cents.h"
#include "format/dates.h"
#include "format/number_text.h"

#include <string_view>

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

namespace {

// A rate typed with a comma ("6,125") reads as 6125 %; nothing in the calculation
// would stop it. The highest rates fixed-rate mortgages ever carried stayed below 19 %,
// so 25 % keeps every real loan, a variable one's highest rate included, with room.
bool RateIsPlausible(std::string_view rateText)
{
    return TextToDouble(rateText) <= kMaxPlausibleRate;
}

std::string RateTooHigh(std::string_view rateText)
{
    return "An interest rate of " + std::string(rateText) + "% cannot be right: no mortgage rate has come near "
        + std::to_string(static_cast<int>(kMaxPlausibleRate))
        + "%.\nPlease type the rate as a percentage with a point, for example 6.125 for 6.125%.";
}

// Day number of the loan's last payment under its term: the first payment date moved on
// by term x 12 - 1 months, the day kept (an overlong day runs into the next month).
int LastPaymentDay(const std::string &firstPaymentDate, int termYears)
{
    const CalendarDate first = DateOfDay(DayNumberOfDateText(firstPaymentDate));
    const int months = first.month - 1 + termYears * 12 - 1;
    return DayNumber(first.year + months / 12, months % 12 + 1, first.day);
}

// A loan whose last payment is behind it, or comes before the plan could take over,
// leaves nothing to save; the summary would show its remaining years as negative or
// the sign-up screen "0 payments totaling $0.00".
std::optional<AnalysisCheckFailure> CheckLoanNotPaidOff(const LoanAnalysis &a, int termYears)
{
    const int last = LastPaymentDay(a.FirstPaymentDate, termYears);
    const std::string lastText = DateTextOfDay(last);
    if (last < DayNumberOfDateText(a.CurrentDate))
        return Fail(AnalysisField::FirstPaymentDate,
            "This loan is paid off: its last payment was due on " + lastText
                + ".\nPlease check the date of first payment and the term.");
    const PlanDates plan = ComputePlanDates(a.CurrentDate, a.FirstPaymentDate);
    if (plan.planStartPayment > termYears * 12)
        return Fail(AnalysisField::FirstPaymentDate,
            "This loan is as good as paid off: its last payment is due on " + lastText
                + ", before a bi-weekly plan could begin on " + DateTextOfDay(plan.firstPlanPaymentDay)
                + ".\nPlease check the date of first payment and the term.");
    return std::nullopt;
}

// The payment typed includes taxes and insurance, so it is never below what principal
// and interest alone take at the lowest rate. A lower one is a slip in the payment, the
// amount, the term or the rate; calculating anyway would replace the payment typed with
// the loan's own (a figure the user never saw) and carry it into the next run.
std::optional<AnalysisCheckFailure> CheckPaymentCoversLoan(const LoanAnalysis &a, const LoanNumbers &n)
{
    const double rate = TextToDouble(a.LowestRateText);
    const double loanPayment = LevelPayment(static_cast<float>(rate / 1200.0), n.termYears * 12, n.loanAmount);
    const double entered = TextToDouble(a.CurrentPaymentText);
    // Within half a cent the loan's payment rounds to the payment typed.
    if (entered + 0.005 >= loanPayment)
        return std::nullopt;
    return Fail(AnalysisField::CurrentPayment,
        "The current payment of $" + FormatMoney(entered) + " is less than $" + FormatMoney(ToCents(loanPayment))
            + ", the principal and interest alone of this loan" + (a.VariableFlag ? " at its lowest rate" : "")
            + ".\nPlease check the current payment, the loan amount, the term and the rate.");
}

} // namespace

std::string RaisedPaymentNotice(const std::string &typed, const std::string &used)
{
    const double before = TextToDouble(CleanNumberText(typed));
    const double after = TextToDouble(CleanNumberText(used));
    if (!(after > before + 0.005))
        return {};
    return "Your current payment of $" + FormatMoney(before) + " is less than $" + FormatMoney(after)
        + ", what principal and interest come to at the average of your lowest and highest rates.\n"
          "The savings are calculated with $"
        + FormatMoney(after) + ", which the Current Payment field now shows.";
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
    if (!RateIsPlausible(a.LowestRateText))
        return Fail(AnalysisField::LowestRate, RateTooHigh(a.LowestRateText));
    if (a.VariableFlag && !RateIsPlausible(a.HighestRateText))
        return Fail(AnalysisField::HighestRate, RateTooHigh(a.HighestRateText));
    if (auto paidOff = CheckLoanNotPaidOff(a, n.termYears))
        return paidOff;
    return CheckPaymentCoversLoan(a, n);
}

} // namespace tw
