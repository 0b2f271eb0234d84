// The grid's what-if tools: "Paid off by" (a binary search on the recalculation) and a
// comparison of five scenarios, each on a 40-year loan of 480 months.
// Run: build/bench/bench_grid --benchmark_repetitions=7
#include "engine/grid_compare.h"
#include "engine/grid_tools.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

std::unique_ptr<tw::GridTable> FortyYearLoan()
{
    auto t = std::make_unique<tw::GridTable>();
    t->TermYears = 40;
    t->StartDate = "01/01/2020";
    t->Month(1).Balance = 300000;
    t->Month(1).Rate = 6.5;
    tw::RecalculateGrid(*t);
    return t;
}

void PaidOffBy(benchmark::State &state)
{
    const auto t = FortyYearLoan();
    const int by = tw::GridMonthOfPaymentDate(*t, 6, 2045);
    int recalculations = 0;
    for (auto _ : state) {
        const tw::PayoffSearch s = tw::FindPayoffExtra(*t, by, 13);
        recalculations = s.recalculations;
        benchmark::DoNotOptimize(s.extra);
    }
    state.counters["recalculations"] = recalculations;
}
BENCHMARK(PaidOffBy)->Unit(benchmark::kMicrosecond);

void CompareFiveScenarios(benchmark::State &state)
{
    const auto t = FortyYearLoan();
    std::vector<tw::GridScenario> scenarios(5);
    for (std::size_t i = 0; i < scenarios.size(); ++i) {
        scenarios[i].name = "Scenario " + std::to_string(i + 1);
        auto inputs = std::make_unique<tw::GridTable>(*t);
        tw::AddMonthlyExtra(*inputs, 50.0 * static_cast<double>(i), 1 + static_cast<int>(i) * 12);
        tw::ArmTerms arm = tw::FindArmPreset("5/6")->terms;
        arm.worstCase = i % 2 == 1;
        arm.margin = 2.75;
        arm.index = 4.5;
        tw::ApplyArm(*inputs, arm);
        scenarios[i].inputs = *inputs;
    }
    for (auto _ : state) {
        const tw::GridComparison c = tw::CompareGrid(*t, scenarios, nullptr);
        benchmark::DoNotOptimize(c.series.back().totals.totalPaid);
    }
}
BENCHMARK(CompareFiveScenarios)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
