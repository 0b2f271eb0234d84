#include "cli/analysis_run.h"

#include "engine/figures.h"
#include "engine/plan_dates.h"
#include "engine/schedules.h"

namespace tw::cli {

const std::set<std::string> kLoanOptions
    = {"--today", "--first-payment", "--term", "--amount", "--payment", "--rate", "--highest-rate", "--profile"};

namespace {

// The option, or a note that it is missing: the screen's own message then names it.
std::string Value(const Options &options, const char *name)
{
    return options.value(name).value_or("");
}

AnalysisForm FormFromOptions(const Options &options)
{
    AnalysisForm form;
    form.currentDate = Value(options, "--today");
    form.firstPaymentDate = Value(options, "--first-payment");
    form.term = Value(options, "--term");
    form.amount = Value(options, "--amount");
    form.currentPayment = Value(options, "--payment");
    form.lowestRate = Value(options, "--rate");
    form.variable = options.has("--highest-rate");
    form.highestRate = Value(options, "--highest-rate");
    return form;
}

AnalysisForm FormFromProfile(const Options &options, const CProfileSnapshot &profile, CClientRecord &record)
{
    record.LoadFromSnapshot(profile);
    const std::string &stored = record.Analysis.CurrentDate;
    return LoanFormOfRecord(record, options.value("--today").value_or(stored.empty() ? TodayText() : stored));
}

} // namespace

AnalysisForm LoanFormOfRecord(const CClientRecord &record, const std::string &currentDate)
{
    const LoanAnalysis &a = record.Analysis;
    AnalysisForm form;
    form.currentDate = currentDate;
    form.firstName = record.FirstName1;
    form.lastName = record.LastName1;
    form.firstPaymentDate = a.FirstPaymentDate;
    form.term = a.TermText;
    form.amount = a.AmountText;
    form.currentPayment = a.CurrentPaymentText;
    form.variable = !a.HighestRateText.empty();
    form.lowestRate = a.LowestRateText;
    form.highestRate = a.HighestRateText;
    return form;
}

std::string RunAnalysis(const Options &options, CClientRecord &record)
{
    const bool fromProfile = options.has("--profile");
    CProfileSnapshot profile;
    if (fromProfile) {
        if (std::string problem = ReadProfile(*options.value("--profile"), false, profile); !problem.empty())
            return problem;
    }
    const AnalysisForm form = fromProfile ? FormFromProfile(options, profile, record) : FormFromOptions(options);
    if (auto failure = ApplyAnalysisForm(form, record, false))
        return failure->message;
    LoanAnalysis &a = record.Analysis;
    if (auto failure = CheckAnalysisCanRun(a))
        return failure->message;
    if (!SetUpDebitDates(a) || !ComputeSchedules(a))
        return "The savings could not be calculated for this loan.";
    ComputeSummaryFigures(a);
    return {};
}

} // namespace tw::cli
