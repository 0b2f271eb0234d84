// The calculation engine's speed: one full analysis of a 30-year loan, and the cents
// rounding done numerically against the text round trip it must equal.
#include "engine/costs.h"
#include "engine/figures.h"
#include "engine/grid.h"
#include "engine/plan_dates.h"
#include "engine/schedules.h"
#include "engine/to_cents.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

namespace {

std::unique_ptr<tw::LoanAnalysis> ReferenceLoan()
{
    auto a = std::make_unique<tw::LoanAnalysis>();
    a->CurrentDate = "12/07/2026";
    a->FirstPaymentDate = "01/01/2020";
    a->TermText = "30";
    a->AmountText = "100000";
    a->CurrentPaymentText = "900";
    a->LowestRateText = "7.5";
    return a;
}

// Everything the letter and the summary show: plan dates, both schedules with the
// do-it-yourself loan beside them, the summary figures and the plan's costs.
void FullAnalysis(benchmark::State &state)
{
    auto a = ReferenceLoan();
    for (auto _ : state) {
        tw::SetUpDebitDates(*a);
        tw::ComputeSchedules(*a);
        tw::ComputeSummaryFigures(*a);
        const tw::PlanCosts costs = tw::ComputePlanCosts(*a);
        benchmark::DoNotOptimize(a->InterestSavings);
        benchmark::DoNotOptimize(costs.NetSavings);
        benchmark::DoNotOptimize(a->Diy.DiyInterestSavings);
    }
}
BENCHMARK(FullAnalysis)->Unit(benchmark::kMicrosecond);

// The full analysis step by step, to show where its time goes.
void AnalysisStep(benchmark::State &state)
{
    auto a = ReferenceLoan();
    tw::SetUpDebitDates(*a);
    tw::ComputeSchedules(*a);
    tw::ComputeSummaryFigures(*a);
    const auto step = state.range(0);
    for (auto _ : state) {
        switch (step) {
        case 0:
            tw::SetUpDebitDates(*a);
            break;
        case 1:
            tw::ComputeSchedules(*a);
            break;
        case 2:
            tw::ComputeSummaryFigures(*a);
            break;
        default:
            benchmark::DoNotOptimize(tw::ComputePlanCosts(*a).NetSavings);
        }
        benchmark::DoNotOptimize(a->InterestSavings);
    }
    static const char *const names[] = {"plan dates", "schedules", "summary figures", "costs"};
    state.SetLabel(names[step]);
}
BENCHMARK(AnalysisStep)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// The amortization grid of a 40-year loan with a rate change and an extra payment, as
// Calculate recomputes it: 480 months.
void RecalculateGrid480(benchmark::State &state)
{
    auto t = std::make_unique<tw::GridTable>();
    t->TermYears = 40;
    t->StartDate = "01/01/2020";
    t->Month(1).Balance = 300000;
    t->Month(1).Rate = 6.5;
    t->Month(100).Rate = 5.25;
    t->Month(24).Extra = 1000;
    tw::RecalculateGrid(*t);
    if (tw::GridMonthCount(*t) < 470)
        state.SkipWithError("the grid does not run to 480 months");
    for (auto _ : state) {
        tw::RecalculateGrid(*t);
        benchmark::DoNotOptimize(t->Month(480).Balance);
    }
}
BENCHMARK(RecalculateGrid480)->Unit(benchmark::kMicrosecond);

std::vector<double> Amounts()
{
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> d(0, 300000);
    std::vector<double> v(4096);
    for (double &x : v)
        x = d(rng);
    return v;
}

void ToCentsNumeric(benchmark::State &state)
{
    const std::vector<double> v = Amounts();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tw::ToCents(v[i++ & 4095]));
    }
}
BENCHMARK(ToCentsNumeric);

// The rounding as a program of the platform's era would write it: print the value with
// two decimals and read the text back.
void ToCentsTextRoundTrip(benchmark::State &state)
{
    const std::vector<double> v = Amounts();
    std::size_t i = 0;
    char buf[64];
    for (auto _ : state) {
        std::snprintf(buf, sizeof buf, "%.2f", v[i++ & 4095]);
        benchmark::DoNotOptimize(std::strtod(buf, nullptr));
    }
}
BENCHMARK(ToCentsTextRoundTrip);

} // namespace

BENCHMARK_MAIN();
