#include "rules/analysis_checks.h"

#include "engine/figures.h"
#include "engine/plan_dates.h"
#include "engine/schedules.h"
#include "engine/to_cents.h"
#include "format/dates.h"
#include "format/number_text.h"

#include <memory>
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

// A new mortgage is first paid within a month or two of closing; a first payment further
// ahead than a year is a slip in the date, and a summary of a loan not yet begun would
// show "Equity 5 Years From Today" and remaining years as if it were being paid.
std::optional<AnalysisCheckFailure> CheckFirstPaymentNotFarAhead(const LoanAnalysis &a)
{
    const CalendarDate today = DateOfDay(DayNumberOfDateText(a.CurrentDate));
    const int yearAhead = DayNumber(today.year + 1, today.month, today.day);
    if (DayNumberOfDateText(a.FirstPaymentDate) <= yearAhead)
        return std::nullopt;
    return Fail(AnalysisField::FirstPaymentDate,
        "The date of first payment, " + a.FirstPaymentDate + ", is more than 12 months after the current date, "
            + a.CurrentDate
            + ".\nThe savings can be shown for a loan that is being paid or is about to be.\nPlease check the date "
              "of first payment and the current date.");
}

// The engine reads the leading number of a text and takes "abc" as 0, which would be
// reported as a rate or an amount too small rather than as what it is.
bool IsPlainNumber(std::string_view text)
{
    const auto point = text.find('.');
    const bool onePoint = point == std::string_view::npos || text.find('.', point + 1) == std::string_view::npos;
    return onePoint && text.find_first_not_of("0123456789.") == std::string_view::npos
        && text.find_first_of("0123456789") != std::string_view::npos;
}

std::optional<AnalysisCheckFailure> CheckNumbersAreNumbers(const LoanAnalysis &a)
{
    struct Number {
        AnalysisField field;
        const std::string &text;
        const char *what;
        const char *example;
    };
    const bool variable = a.VariableFlag != 0;
    const Number numbers[] = {
        {AnalysisField::Amount, a.AmountText, "loan amount", "150000.00"},
        {AnalysisField::CurrentPayment, a.CurrentPaymentText, "current payment", "1200.00"},
        {AnalysisField::LowestRate, a.LowestRateText, variable ? "lowest interest rate" : "interest rate", "6.125"},
        {AnalysisField::HighestRate, a.HighestRateText, "highest interest rate", "7.5"},
    };
    for (const Number &n : numbers) {
        if (n.field == AnalysisField::HighestRate && !variable)
            continue;
        if (!IsPlainNumber(n.text))
            return Fail(n.field,
                "The " + std::string(n.what) + " \"" + n.text + "\" is not a number.\nPlease type it in digits, for "
                    + "example " + n.example + ".");
    }
    return std::nullopt;
}

// Loans that end a few months after a plan could begin leave it no time for an extra
// payment: a letter would promise to "eliminate 0 monthly payments" and save $0.00.
// The plan is worked out on a copy, by the engine's own figures.
std::optional<AnalysisCheckFailure> CheckPlanEliminatesAPayment(const LoanAnalysis &a, int termYears)
{
    auto trial = std::make_unique<LoanAnalysis>(a);
    if (!SetUpDebitDates(*trial) || !ComputeSchedules(*trial))
        return std::nullopt; // the checks before this one speak for such loans
    ComputeSummaryScreenFigures(*trial);
    if (trial->PaymentsEliminated > 0)
        return std::nullopt;
    return Fail(AnalysisField::FirstPaymentDate,
        "A bi-weekly plan would not eliminate a single monthly payment of this loan: the plan could begin on "
            + trial->FirstPlanPaymentDate + ", and the loan's last payment is due on "
            + DateTextOfDay(LastPaymentDay(a.FirstPaymentDate, termYears))
            + ", too soon for the plan's extra payments to shorten it.\nPlease check the date of first payment and "
              "the term.");
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
    if (auto farAhead = CheckFirstPaymentNotFarAhead(a))
        return farAhead;
    const std::string calendar = CheckPlanCalendar(a.CurrentDate, a.FirstPaymentDate, TextToInt(a.TermText));
    if (!calendar.empty()) {
        const bool startProblem = !ComputePlanDates(a.CurrentDate, a.FirstPaymentDate).ok;
        return Fail(startProblem ? AnalysisField::CurrentDate : AnalysisField::FirstPaymentDate, calendar);
    }
    if (auto notANumber = CheckNumbersAreNumbers(a))
        return notANumber;
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
    if (auto payment = CheckPaymentCoversLoan(a, n))
        return payment;
    return CheckPlanEliminatesAPayment(a, n.termYears);
}

} // namespace tw
