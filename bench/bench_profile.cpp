// Saving and loading the profile: the debit bank screen saves the whole record and then
// 40 years of grid data; both must feel instant (goal: under 50 ms together, fsyncs
// included). Set TALLOWIN_BENCH_DIR to measure on another disk than the temporary folder.
#include "record/client_record.h"
#include "record/profile_store.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string BenchFolder()
{
    const char *env = std::getenv("TALLOWIN_BENCH_DIR");
    std::string pattern = ((env && *env) ? fs::path(env) : fs::temp_directory_path()) / "tw-bench-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        std::abort();
    return pattern;
}

std::unique_ptr<tw::CClientRecord> FullRecord()
{
    auto r = std::make_unique<tw::CClientRecord>();
    r->FirstName1 = "Zoë";
    r->LastName1 = "Ångström-Núñez";
    r->Address = "1200 Longwood Avenue, Apartment 4B";
    r->City = "Springfield";
    r->State = "OR";
    r->Zip = "97477";
    r->HomePhone = "(541) 555-0100";
    r->MortgageName = "Cascade Home Lending";
    r->MortgageAccountNumber = "0012345678";
    r->BankName = "First Valley Bank";
    r->BankAccountNumber = "987654321";
    r->AccountType = tw::kAccountOther;
    r->AccountOptionalDescription = "Credit union share draft";
    auto &a = r->Analysis;
    a.CurrentDate = "03/01/2024";
    a.FirstPaymentDate = "05/01/2020";
    a.TermText = "40";
    a.AmountText = "150000";
    a.LowestRateText = "7.5";
    a.CurrentPaymentText = "1250.00";
    a.AnnualRate = 7.5f;
    a.AdditionalPayment = 100;
    double balance = 150000;
    for (int i = 0; i < 480; ++i) {
        a.BiWeeklySchedule[static_cast<std::size_t>(i)].Balance = balance;
        a.BiWeeklySchedule[static_cast<std::size_t>(i)].Extra = i % 12 == 5 ? 493.65 : 0;
        balance -= 300.12;
    }
    return r;
}

void BM_SaveRecordAndGridData(benchmark::State &state)
{
    const std::string dir = BenchFolder();
    const std::string path = dir + "/tallowin.ini";
    const auto record = FullRecord();
    tw::CProfileStore store(path);
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(path);
        state.ResumeTiming();
        if (!record->SaveToProfile(store) || !record->SaveGridData(store))
            state.SkipWithError("save failed");
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(path));
    fs::remove_all(dir);
}
BENCHMARK(BM_SaveRecordAndGridData)->Unit(benchmark::kMillisecond);

void BM_LoadRecordAndGridMonths(benchmark::State &state)
{
    const std::string dir = BenchFolder();
    tw::CProfileStore store(dir + "/tallowin.ini");
    const auto record = FullRecord();
    if (!record->SaveToProfile(store) || !record->SaveGridData(store))
        state.SkipWithError("save failed");
    auto loaded = std::make_unique<tw::CClientRecord>();
    for (auto _ : state) {
        loaded->LoadFromProfile(store);
        const tw::CProfileSnapshot grid = store.Snapshot();
        for (const char *section : {"AddPmt", "IntRate", "Adjust"})
            benchmark::DoNotOptimize(grid.ReadMonths(section, 450));
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_LoadRecordAndGridMonths)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
