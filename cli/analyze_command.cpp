#include "cli/analysis_run.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "engine/additional.h"
#include "engine/costs.h"
#include "engine/debits.h"
#include "format/number_text.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>

namespace tw::cli {

namespace {

void WriteColumn(JsonWriter &json, const char *name, const SavingsColumn &c)
{
    json.BeginObject(name);
    json.Number("YearsToPayoff", c.YearsToPayoff);
    json.Number("InterestSavings", c.InterestSavings);
    json.Integer("PaymentsEliminated", c.PaymentsEliminated);
    json.Number("TotalPaymentSavings", c.TotalPaymentSavings);
    json.Number("BiWeeklyEquity5", c.BiWeeklyEquity5);
    json.Number("BiWeeklyEquity10", c.BiWeeklyEquity10);
    json.Number("AverageMonthlySavings", c.AverageMonthlySavings);
    json.Number("AverageYearlySavings", c.AverageYearlySavings);
    json.Number("InvestmentValue", c.InvestmentValue);
    json.EndObject();
}

template <std::size_t N>
void WriteSchedule(JsonWriter &json, const char *name, const Schedule<N> &s, int rows)
{
    json.BeginArray(name);
    for (int i = 0; i < rows && i < static_cast<int>(N); ++i) {
        const ScheduleRow &r = s[i];
        json.BeginArray();
        for (double v : {r.Balance, r.Payment, r.Interest, r.Principal, r.Extra, r.Reserved})
            json.Number(v);
        json.EndArray();
    }
    json.EndArray();
}

std::string Json(const LoanAnalysis &a, bool schedules, const AdditionalComparison *extra)
{
    JsonWriter json;
    json.BeginObject();
    json.BeginObject("inputs");
    json.Number("LoanAmount", a.LoanAmount);
    json.Integer("TermYears", a.TermYears);
    json.Integer("TermMonths", a.TermMonths);
    json.Number("AnnualRate", a.AnnualRate);
    json.Number("MonthlyRate", a.MonthlyRate);
    json.Number("HalfPayment", a.HalfPayment);
    json.String("CurrentPayment", a.CurrentPaymentText);
    json.EndObject();

    json.BeginObject("plan");
    json.String("FirstDebitDate", a.FirstDebitDate);
    json.String("FirstPlanPaymentDate", a.FirstPlanPaymentDate);
    json.String("PayoffDate", a.PayoffDate);
    json.Integer("PlanStartPayment", a.PlanStartPayment);
    json.BeginArray("ExtraDebitPayments");
    for (int i = 0; i < kExtraDebitFilled; ++i)
        json.Integer(a.ExtraDebitPayments[i]);
    json.EndArray();
    json.EndObject();

    json.BeginObject("figures");
    json.Integer("PaymentsEliminated", a.PaymentsEliminated);
    const std::pair<const char *, double> figures[] = {
        {"YearsToPayoff", a.YearsToPayoff},
        {"InterestSavings", a.InterestSavings},
        {"TotalPaymentSavings", a.TotalPaymentSavings},
        {"BiWeeklyEquity5", a.BiWeeklyEquity5},
        {"BiWeeklyEquity10", a.BiWeeklyEquity10},
        {"NormalEquity5", a.NormalEquity5},
        {"NormalEquity10", a.NormalEquity10},
        {"BalanceAtPayoff", a.BalanceAtPayoff},
        {"AverageMonthlySavings", a.AverageMonthlySavings},
        {"AverageYearlySavings", a.AverageYearlySavings},
        {"InvestmentValue", a.InvestmentValue},
        {"AdditionalSavingsGain", a.AdditionalSavingsGain},
        {"FiveYearPayments", a.FiveYearPayments},
        {"FiveYearPrincipal", a.FiveYearPrincipal},
        {"FiveYearInterest", a.FiveYearInterest},
        {"FiveYearBalance", a.FiveYearBalance},
        {"TenYearPayments", a.TenYearPayments},
        {"TenYearPrincipal", a.TenYearPrincipal},
        {"TenYearInterest", a.TenYearInterest},
        {"TenYearBalance", a.TenYearBalance},
        {"YearsToPayHalf", a.YearsToPayHalf},
        {"PaymentsToPayHalf", a.PaymentsToPayHalf},
        {"TotalInterest", a.TotalInterest},
        {"TotalPaid", a.TotalPaid},
        {"RemainingYears", a.RemainingYears},
        {"PlanYears", a.PlanYears},
    };
    for (const auto &[name, value] : figures)
        json.Number(name, value);
    json.EndObject();

    const PlanCosts costs = ComputePlanCosts(a);
    json.BeginObject("costs");
    json.Money("FeePerDebit", FeePerDebit);
    json.Integer("PlanDebits", costs.PlanDebits);
    json.Money("TotalFees", costs.TotalFees);
    json.Money("ExtraPaid", costs.ExtraPaid);
    json.Money("NetSavings", costs.NetSavings);
    json.String("BreakEvenDate", costs.BreakEvenDate);
    json.EndObject();
    const DoItYourself &diy = a.Diy;
    json.BeginObject("doItYourself");
    json.Money("ExtraPerMonth", diy.ExtraPerMonth);
    json.String("PayoffDate", diy.DiyPayoffDate);
    json.Integer("PaymentsEliminated", diy.DiyPaymentsEliminated);
    json.Money("InterestSavings", diy.DiyInterestSavings);
    json.Money("TotalPaymentSavings", diy.DiyTotalPaymentSavings);
    json.EndObject();

    if (schedules) {
        json.BeginObject("schedules");
        WriteSchedule(json, "MonthlySchedule", a.MonthlySchedule, a.TermMonths + 1);
        WriteSchedule(json, "BiWeeklySchedule", a.BiWeeklySchedule, a.TermMonths + 1);
        json.EndObject();
    }
    if (extra) {
        WriteColumn(json, "additional", extra->additional);
        WriteColumn(json, "difference", extra->difference);
        json.Number("AdditionalSavingsGain", a.AdditionalSavingsGain);
    }
    json.EndObject();
    return json.Text() + "\n";
}

// One row of the readable comparison: label, then the two columns right-aligned.
std::string Row(const std::string &label, const std::string &without, const std::string &with)
{
    char line[160];
    std::snprintf(line, sizeof line, "%-32s %16s %16s\n", label.c_str(), without.c_str(), with.c_str());
    return line;
}

// What the plan charges and the do-it-yourself alternative, under the comparison.
std::string CostsBlock(const LoanAnalysis &a)
{
    const PlanCosts costs = ComputePlanCosts(a);
    const DoItYourself &diy = a.Diy;
    std::string out = "\nWhat the plan costs\n";
    out += Row("Fees over the plan", std::to_string(costs.PlanDebits) + " x " + FormatMoney(FeePerDebit),
        FormatMoney(costs.TotalFees));
    out += Row("Extra half payments paid in", "", FormatMoney(costs.ExtraPaid));
    out += Row("Net savings after fees", "", SignedMoney(costs.NetSavings));
    out += Row("Break-even date", "", costs.BreakEvenDate.empty() ? "none" : costs.BreakEvenDate);
    out += costs.BreakEvenDate.empty()
        ? "The interest saved never catches up with the fees: the plan costs more than it saves.\n"
        : "Selling or refinancing before " + costs.BreakEvenDate + " means the plan cost more than it saved.\n";
    out += "\nDoing it yourself: " + FormatMoney(diy.ExtraPerMonth)
        + " more to principal every month from the plan's start, at no charge\n";
    out += Row("Paid off", "", diy.DiyPayoffDate);
    out += Row("Interest Savings", "", FormatMoney(diy.DiyInterestSavings));
    out += Row("Monthly Payments Saved", "", std::to_string(diy.DiyPaymentsEliminated));
    out += Row("Total Savings", "", FormatMoney(diy.DiyTotalPaymentSavings));
    return out;
}

std::string Table(const LoanAnalysis &a, const AdditionalComparison *extra)
{
    const std::string none = "-0-";
    std::string out;
    out += "Loan of " + FormatMoney(a.LoanAmount) + " over " + std::to_string(a.TermYears) + " years at "
        + FormatRate(a.AnnualRate) + (a.VariableFlag ? "% (variable, averaged)" : "% fixed") + "\n";
    out += "Monthly payment " + FormatMoney(a.MonthlySchedule[0].Payment) + ", bi-weekly debit "
        + FormatMoney(a.HalfPayment) + "\n";
    out += "First debit " + a.FirstDebitDate + ", first plan payment " + a.FirstPlanPaymentDate + " (payment "
        + std::to_string(a.PlanStartPayment) + "), paid off " + a.PayoffDate + "\n\n";
    out += Row("", "WITHOUT", "WITH");
    out += Row("Remaining Years To Pay", FormatOneDecimal(a.RemainingYears), FormatOneDecimal(a.PlanYears));
    out += Row("Interest Savings", none, FormatMoney(a.InterestSavings));
    out += Row("Monthly Payments Saved", none, std::to_string(a.PaymentsEliminated));
    out += Row("Total Savings", none, FormatMoney(a.TotalPaymentSavings));
    out += Row("Equity 5 Years From Today", FormatMoney(a.NormalEquity5), FormatMoney(a.BiWeeklyEquity5));
    out += Row("Equity 10 Years From Today", FormatMoney(a.NormalEquity10), FormatMoney(a.BiWeeklyEquity10));
    out += Row("Balance Due After " + FormatOneDecimal(a.PlanYears) + " Years", FormatMoney(a.BalanceAtPayoff), none);
    out += Row("Average Monthly Savings", none, FormatMoney(a.AverageMonthlySavings));
    out += Row("Average Yearly Savings", none, FormatMoney(a.AverageYearlySavings));
    out += Row(
        "Cash Available After " + FormatOneDecimal(a.RemainingYears) + " Years", none, FormatMoney(a.InvestmentValue));
    out += CostsBlock(a);
    if (extra) {
        const SavingsColumn &x = extra->additional;
        out += "\nWith an additional " + FormatMoney(a.AdditionalPayment) + " every month:\n";
        out += Row("", "Additional", "Difference");
        const SavingsColumn &d = extra->difference;
        out += Row("Years to pay off", FormatOneDecimal(x.YearsToPayoff), SignedOneDecimal(d.YearsToPayoff));
        out += Row("Interest savings", SignedMoney(x.InterestSavings), SignedMoney(d.InterestSavings));
        out += Row(
            "Monthly pmts. eliminated", std::to_string(x.PaymentsEliminated), std::to_string(d.PaymentsEliminated));
        out += Row("Total payment savings", SignedMoney(x.TotalPaymentSavings), SignedMoney(d.TotalPaymentSavings));
        out += Row("Equity after 5 years", SignedMoney(x.BiWeeklyEquity5), SignedMoney(d.BiWeeklyEquity5));
        out += Row("Equity after 10 years", SignedMoney(x.BiWeeklyEquity10), SignedMoney(d.BiWeeklyEquity10));
        out += Row(
            "Average monthly savings", SignedMoney(x.AverageMonthlySavings), SignedMoney(d.AverageMonthlySavings));
        out += Row("Average yearly savings", SignedMoney(x.AverageYearlySavings), SignedMoney(d.AverageYearlySavings));
        out += Row("Cash available", SignedMoney(x.InvestmentValue), SignedMoney(d.InvestmentValue));
    }
    return out;
}

} // namespace

int RunAnalyzeCommand(const std::vector<std::string> &args)
{
    std::set<std::string> valued = kLoanOptions;
    valued.insert("--additional");
    const Options options(args, valued, {"--schedules", "--json"});
    if (!options.error().empty() || !options.positional().empty()) {
        std::cerr << (options.error().empty() ? "Unexpected argument " + options.positional()[0] + "."
                                              : options.error())
                  << "\n";
        return kExitRefused;
    }
    auto record = std::make_unique<CClientRecord>();
    LoanAnalysis &a = record->Analysis;
    if (const std::string refused = RunAnalysis(options, *record); !refused.empty()) {
        std::cerr << refused << "\n";
        return kExitRefused;
    }

    std::unique_ptr<AdditionalComparison> extra;
    if (const auto amount = options.value("--additional")) {
        // The comparison screen's rule, and an amount has to be given.
        const auto problem = amount->empty()
            ? std::optional<std::string>("The additional payment must be an amount such as 100.00.")
            : CheckAdditionalAmount(*amount);
        if (problem) {
            std::cerr << *problem << "\n";
            return kExitRefused;
        }
        AdditionalPaymentSession session(a);
        session.Start();
        session.Recalculate(*amount);
        extra = std::make_unique<AdditionalComparison>(session.Comparison());
    }
    std::cout << (options.has("--json") ? Json(a, options.has("--schedules"), extra.get()) : Table(a, extra.get()));
    return 0;
}

} // namespace tw::cli
