// Saving and loading the profile: the debit bank screen saves the whole record and then
// 40 years of grid data; both must feel instant (goal: under 50 ms together, fsyncs
// included). Set TALLOWIN_BENCH_DIR to measure on another disk than the temporary folder.
#include "record/client_record.h"
#include "record/profile_store.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <malloc.h>
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

// The costliest profiles that are still read: 16 MiB of what costs the reader most per
// byte. Each must take well under a second. "held_MiB" is what the read profile keeps
// on the heap, which must stay in proportion to the file's 16 MiB.
void BM_WorstCaseProfile(benchmark::State &state)
{
    const std::size_t size = tw::kMaxProfileBytes;
    std::string text;
    const auto fill = [&](const std::string &line) {
        while (text.size() + line.size() <= size)
            text += line;
    };
    switch (state.range(0)) {
    case 0:
        state.SetLabel("bare CRs");
        fill("\r");
        break;
    case 1:
        state.SetLabel("empty section headers, refused past the limit");
        fill("[]\r");
        break;
    case 2:
        state.SetLabel("keys, refused past the limit");
        fill("a=\r");
        break;
    case 3:
        state.SetLabel("sections and keys up to the limits, long values");
        for (std::size_t i = 0; i < tw::kMaxProfileSections; ++i) {
            text += "[S" + std::to_string(i) + "]\n";
            for (std::size_t k = 1; k < tw::kMaxProfileKeys / tw::kMaxProfileSections; ++k)
                text += "Mth" + std::to_string(k) + "=" + std::string(150, '9') + "\n";
        }
        fill(";");
        break;
    default:
        state.SetLabel("one key up to the limit, the rest one comment");
        text = "[AddPmt]\nMth1=1.00\n";
        fill("; comment\r\n");
        break;
    }
    const std::string dir = BenchFolder();
    const std::string path = dir + "/tallowin.ini";
    std::ofstream(path, std::ios::binary) << text;
    tw::CProfileStore store(path);
    double held = 0;
    for (auto _ : state) {
        const std::size_t before = ::mallinfo2().uordblks;
        const tw::CProfileSnapshot snapshot = store.Snapshot();
        held = static_cast<double>(::mallinfo2().uordblks - before);
        benchmark::DoNotOptimize(snapshot.Read("AddPmt", "Mth1"));
    }
    state.counters["file_MiB"] = static_cast<double>(text.size()) / (1 << 20);
    state.counters["held_MiB"] = held / (1 << 20);
    fs::remove_all(dir);
}
BENCHMARK(BM_WorstCaseProfile)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
