#include "rules/vendor_checks.h"

#include "engine/figures.h"
#include "engine/plan_dates.h"
#include "engine/schedules.h"
#include "format/dates.h"
#include "format/number_text.h"
#include "rules/analysis_checks.h"

namespace tw {

namespace {

const char *const kDateHint = "Please use the format MM/DD/YYYY.\nA valid date would be 01/01/1996.";
const char *const kLeapHint = "For example, 02/29/1995 is invalid because it is not a leap year.\n";

std::optional<VendorFailure> Fail(VendorField field, std::string message)
{
    return VendorFailure {field, std::move(message)};
}

// A date field's three checks; `what` names it in the messages ("current date").
std::optional<VendorFailure> CheckDateField(
    VendorField field, const std::string &text, const char *emptyMessage, const std::string &what)
{
    if (text.empty())
        return Fail(field, emptyMessage);
    if (!IsDateText(text))
        return Fail(field, "The " + what + " format is incorrect.\n" + kDateHint);
    if (CheckDate(CompactFromDateText(text)) != kDateOk)
        return Fail(field, "The " + what + " is invalid.\n" + kLeapHint + kDateHint);
    return std::nullopt;
}

std::string_view WithoutBlanksAround(std::string_view t)
{
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        t.remove_suffix(1);
    return t;
}

// The letter prints the term as typed ("your 30 year mortgage"): "30 years" would read
// "your 30 years year", and "thirty" or "30.5" is no term the engine reads as typed.
// Blanks around the digits (the form's Clear leaves one) are dropped.
bool IsWholeYears(std::string_view t)
{
    return !t.empty() && t.size() <= 3 && t.find_first_not_of("0123456789") == std::string_view::npos;
}

// Steps 3 to 13; the caller runs step 14 whatever happens here.
std::optional<VendorFailure> CheckPersonAndLoan(const VendorForm &f, CClientRecord &r)
{
    LoanAnalysis &a = r.Analysis;
    if (auto failure
        = CheckDateField(VendorField::CurrentDate, f.currentDate, "Please enter the current date.", "current date"))
        return failure;
    a.CurrentDate = f.currentDate;

    struct Required {
        VendorField field;
        const std::string &text;
        std::string *target;
        const char *message;
    };
    const Required required[] = {
        {VendorField::FirstName1, f.firstName1, &r.FirstName1, "Please enter your first name."},
        {VendorField::LastName1, f.lastName1, &r.LastName1, "Please enter your last name."},
        {VendorField::Address, f.address, &r.Address, "Please enter your address."},
        {VendorField::City, f.city, &r.City, "Please enter your city."},
        {VendorField::State, f.state, &r.State, "Please enter your state."},
        {VendorField::Zip, f.zip, &r.Zip, "Please enter your zip code."},
    };
    for (const Required &q : required) {
        if (q.text.empty())
            return Fail(q.field, q.message);
        *q.target = q.text;
    }

    if (auto failure = CheckDateField(VendorField::FirstPaymentDate, f.firstPaymentDate,
            "Please enter the date the loan started.", "loan start date"))
        return failure;
    a.FirstPaymentDate = f.firstPaymentDate;

    if (f.term.empty())
        return Fail(VendorField::Term, "Please enter the number of years for the loan.");
    const std::string_view term = WithoutBlanksAround(f.term);
    if (!IsWholeYears(term))
        return Fail(VendorField::Term, "Please enter the term as a whole number of years in digits, for example 30.");
    a.TermText = term;

    const Required loan[] = {
        {VendorField::Amount, f.amount, &a.AmountText, "Please enter the loan amount."},
        {VendorField::CurrentPayment, f.currentPayment, &a.CurrentPaymentText,
            "Please enter the total monthly payment amount (including taxes and insurance)."},
    };
    for (const Required &q : loan) {
        if (q.text.empty())
            return Fail(q.field, q.message);
        *q.target = q.text;
    }
    return std::nullopt;
}

VendorField VendorFieldOf(AnalysisField field)
{
    switch (field) {
    case AnalysisField::CurrentDate:
        return VendorField::CurrentDate;
    case AnalysisField::FirstName:
        return VendorField::FirstName1;
    case AnalysisField::LastName:
        return VendorField::LastName1;
    case AnalysisField::FirstPaymentDate:
        return VendorField::FirstPaymentDate;
    case AnalysisField::Term:
        return VendorField::Term;
    case AnalysisField::Amount:
        return VendorField::Amount;
    case AnalysisField::CurrentPayment:
        return VendorField::CurrentPayment;
    case AnalysisField::LowestRate:
        return VendorField::LowestRate;
    case AnalysisField::HighestRate:
        return VendorField::HighestRate;
    }
    return VendorField::Term;
}

// The loan texts as typed, put back when it goes out of scope; meanwhile the record holds
// their computable forms. A current payment the engine raised to the loan's own payment
// is kept, as the other screens keep it.
class ComputableLoanTexts {
public:
    explicit ComputableLoanTexts(LoanAnalysis &a)
        : a_(a)
        , term_(a.TermText)
        , amount_(a.AmountText)
        , payment_(a.CurrentPaymentText)
        , lowest_(a.LowestRateText)
        , highest_(a.HighestRateText)
    {
        a.TermText = ComputableNumberText(term_);
        a.AmountText = ComputableNumberText(amount_);
        a.CurrentPaymentText = readablePayment_ = ComputableNumberText(payment_);
        a.LowestRateText = ComputableNumberText(lowest_);
        a.HighestRateText = ComputableNumberText(highest_);
    }
    ~ComputableLoanTexts()
    {
        a_.TermText = term_;
        a_.AmountText = amount_;
        if (a_.CurrentPaymentText == readablePayment_)
            a_.CurrentPaymentText = payment_;
        a_.LowestRateText = lowest_;
        a_.HighestRateText = highest_;
    }
    ComputableLoanTexts(const ComputableLoanTexts &) = delete;
    ComputableLoanTexts &operator=(const ComputableLoanTexts &) = delete;

private:
    LoanAnalysis &a_;
    std::string term_, amount_, payment_, lowest_, highest_;
    std::string readablePayment_;
};

} // namespace

VendorForm VendorFormFromRecord(const CClientRecord &r, const std::string &today)
{
    const LoanAnalysis &a = r.Analysis;
    VendorForm f;
    f.firstName1 = r.FirstName1;
    f.lastName1 = r.LastName1;
    f.firstName2 = r.FirstName2;
    f.lastName2 = r.LastName2;
    f.address = r.Address;
    f.city = r.City;
    f.state = r.State;
    f.zip = r.Zip;
    f.homePhone = r.HomePhone;
    f.workPhone1 = r.WorkPhone1;
    f.workPhone2 = r.WorkPhone2;
    f.term = a.TermText;
    f.firstPaymentDate = a.FirstPaymentDate;
    f.amount = a.AmountText;
    f.currentDate = today;
    f.currentPayment = a.CurrentPaymentText;
    f.variable = !a.HighestRateText.empty();
    f.lowestRate = a.LowestRateText;
    f.highestRate = a.HighestRateText;
    return f;
}

void ClearVendorForm(VendorForm &f)
{
    using V = VendorForm;
    static constexpr std::string V::*kCleared[] = {&V::firstName1, &V::lastName1, &V::firstPaymentDate, &V::term,
        &V::amount, &V::lowestRate, &V::highestRate, &V::firstName2, &V::lastName2, &V::address, &V::city, &V::state,
        &V::zip, &V::homePhone, &V::workPhone1, &V::workPhone2};
    for (std::string V::*member : kCleared)
        (f.*member).assign(1, ' ');
}

std::optional<VendorFailure> ApplyVendorForm(const VendorForm &f, CClientRecord &r)
{
    r.FirstName2 = f.firstName2;
    r.LastName2 = f.lastName2;
    r.Address = f.address;
    r.City = f.city;
    r.State = f.state;
    r.Zip = f.zip;
    r.HomePhone = f.homePhone;
    r.WorkPhone1 = f.workPhone1;
    r.WorkPhone2 = f.workPhone2;

    auto failure = CheckPersonAndLoan(f, r);
    LoanAnalysis &a = r.Analysis;
    a.VariableFlag = f.variable ? 1 : 0;
    if (!f.variable)
        a.HighestRateText.clear();
    if (failure)
        return failure;

    if (f.lowestRate.empty())
        return Fail(VendorField::LowestRate,
            f.variable ? "Please enter the lowest interest rate for the variable interest."
                       : "Please enter the fixed interest rate.");
    a.LowestRateText = f.lowestRate;

    if (f.variable) {
        if (f.highestRate.empty())
            return Fail(VendorField::HighestRate, "Please enter highest interest rate for the variable interest.");
        a.HighestRateText = f.highestRate;
    }
    return std::nullopt;
}

std::string ComputableNumberText(std::string_view typed)
{
    std::string clean = CleanNumberText(WithoutBlanksAround(typed));
    return clean.empty() ? std::string(typed) : clean;
}

std::optional<VendorFailure> CheckVendorLoanCanRun(CClientRecord &record)
{
    const ComputableLoanTexts readable(record.Analysis);
    if (auto failure = CheckAnalysisCanRun(record.Analysis))
        return VendorFailure {VendorFieldOf(failure->field), failure->message};
    return std::nullopt;
}

std::optional<VendorFailure> ComputeVendorAnalysis(CClientRecord &record)
{
    LoanAnalysis &a = record.Analysis;
    const ComputableLoanTexts readable(a);
    if (auto failure = CheckAnalysisCanRun(a))
        return VendorFailure {VendorFieldOf(failure->field), failure->message};
    if (!SetUpDebitDates(a) || !ComputeSchedules(a))
        return VendorFailure {VendorField::Term, "The savings could not be calculated for this loan."};
    ComputeSummaryFigures(a);
    return std::nullopt;
}

const std::vector<VendorFormKey> &VendorFormKeys()
{
    using F = VendorField;
    using V = VendorForm;
    static const std::vector<VendorFormKey> keys = {
        {"CurrentDate", F::CurrentDate, &V::currentDate},
        {"FirstName1", F::FirstName1, &V::firstName1},
        {"LastName1", F::LastName1, &V::lastName1},
        {"FirstName2", F::FirstName2, &V::firstName2},
        {"LastName2", F::LastName2, &V::lastName2},
        {"Address", F::Address, &V::address},
        {"City", F::City, &V::city},
        {"State", F::State, &V::state},
        {"Zip", F::Zip, &V::zip},
        {"HomePhone", F::HomePhone, &V::homePhone},
        {"WorkPhone1", F::WorkPhone1, &V::workPhone1},
        {"WorkPhone2", F::WorkPhone2, &V::workPhone2},
        {"LoanStartDate", F::FirstPaymentDate, &V::firstPaymentDate},
        {"LoanTermYears", F::Term, &V::term},
        {"LoanAmount", F::Amount, &V::amount},
        {"CurrentPayment", F::CurrentPayment, &V::currentPayment},
        {"LowestRate", F::LowestRate, &V::lowestRate},
        {"HighestRate", F::HighestRate, &V::highestRate},
    };
    return keys;
}

std::string VendorProfileKey(VendorField field)
{
    for (const VendorFormKey &k : VendorFormKeys())
        if (k.field == field)
            return k.key;
    return {};
}

std::optional<VendorFailure> PrepareVendorLetter(CClientRecord &record, const std::string &today)
{
    return PrepareVendorLetter(VendorFormFromRecord(record, today), record);
}

std::optional<VendorFailure> PrepareVendorLetter(const VendorForm &form, CClientRecord &record)
{
    if (auto failure = ApplyVendorForm(form, record))
        return failure;
    return ComputeVendorAnalysis(record);
}

} // namespace tw
