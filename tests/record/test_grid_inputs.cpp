// The amortization grid's inputs in the profile: loading, storing, and the inputs an
// enrollment gives.
#include "record/grid_inputs.h"

#include "engine/grid_tools.h"
#include "record/grid_scenarios.h"

#include "engine/plan_dates.h"
#include "engine/schedules.h"
#include "record/profile_store.h"
#include "tests/record/record_test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace tw {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

class GridProfile : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.File("tallowin.ini");
    CProfileStore store {path};

    std::unique_ptr<GridTable> Load() { return std::make_unique<GridTable>(LoadGridInputs(store.Snapshot())); }
};

void ExpectSameTable(const GridTable &a, const GridTable &b)
{
    EXPECT_EQ(a.TermYears, b.TermYears);
    EXPECT_EQ(a.StartDate, b.StartDate);
    ASSERT_EQ(GridMonthCount(a), GridMonthCount(b));
    for (int n = 1; n <= GridMonthCount(a); ++n)
        for (int f = 0; f < kGridFieldCount; ++f)
            ASSERT_EQ(GridValue(a.Month(n), f), GridValue(b.Month(n), f)) << "month " << n << " field " << f;
}

TEST_F(GridProfile, StoredInputsReloadToTheSameSchedule)
{
    WriteBytes(path, "[PrinBal]\nMth1=200000.00\nLoanTermYears=40\nLoanStartDate=03/01/2021\n[IntRate]\nMth1=6.25\n");
    auto t = Load();
    ASSERT_TRUE(GridHasLoan(*t));
    EXPECT_EQ(t->TermYears, 40);
    t->Month(12).Extra = 1000;
    t->Month(3).Adjustment = 0.25;
    SetGridRateFrom(*t, 60, 7.125); // stored with two decimals, as the grid shows it
    RecalculateGrid(*t);
    ASSERT_TRUE(StoreGridInputs(*t, store));

    const CProfileSnapshot stored = store.Snapshot();
    EXPECT_EQ(stored.Read("AddPmt", "Mth12"), "1000.00");
    EXPECT_EQ(stored.Read("AddPmt", "Mth11"), "0.00"); // zeros are written too
    EXPECT_EQ(stored.Read("Adjust", "Mth3"), ".25");
    EXPECT_EQ(stored.Read("IntRate", "Mth2"), "6.25");
    EXPECT_EQ(stored.Read("IntRate", "Mth60"), "7.125"); // an eighth keeps its third decimal
    const int months = GridMonthCount(*t);
    EXPECT_GT(months, 450); // months 451 to 480 are stored and read back too
    EXPECT_TRUE(stored.Contains("IntRate", "Mth" + std::to_string(months)));
    EXPECT_FALSE(stored.Contains("IntRate", "Mth" + std::to_string(months + 1)));
    EXPECT_EQ(stored.Read("PrinBal", "Mth1"), "200000.00"); // not rewritten

    auto back = Load();
    RecalculateGrid(*back);
    ExpectSameTable(*back, *t);

    // A table reset to the client's loan stores that loan too, so that it reopens.
    std::remove(path.c_str());
    ASSERT_TRUE(StoreGridInputs(*t, store, true));
    back = Load();
    RecalculateGrid(*back);
    ExpectSameTable(*back, *t);
}

TEST_F(GridProfile, ScenariosSurviveSavingReopeningAndAnOlderBuildsSave)
{
    WriteBytes(path, "[PrinBal]\nMth1=200000.00\nLoanTermYears=30\nLoanStartDate=03/01/2021\n[IntRate]\nMth1=6.00\n");
    auto t = Load();
    RecalculateGrid(*t);
    auto bonus = std::make_unique<GridTable>(*t);
    ASSERT_EQ(AddYearlyExtra(*bonus, 2500, 3, 0), "");
    ASSERT_EQ(AddMonthlyExtra(*bonus, 0.25, 13, 24), "");
    SetGridRateFrom(*bonus, 61, 6.125);
    RecalculateGrid(*bonus);
    bonus->Month(kGridRows).Adjustment = 3; // the table's last row is kept too
    ASSERT_TRUE(SaveGridScenario(store, "Bonus, and 1/8 more", *bonus));
    ASSERT_TRUE(SaveGridScenario(store, "Plain", *t));
    EXPECT_EQ(store.Read("GridScenario1", "Rate"), "1-60:6.00 61-360:6.125");
    EXPECT_FALSE(SaveGridScenario(store, " ", *t));
    EXPECT_FALSE(SaveGridScenario(store, "two\nlines", *t));
    // Up to 60 characters, however many bytes they take; no control character.
    std::string accented;
    for (int i = 0; i < 60; ++i)
        accented += "\xC3\xA9";
    for (const auto &[name, usable] : {std::pair {accented, true}, {std::string(61, 'a'), false},
             {std::string("tab\x1f"), false}, {std::string("del\x7f"), false}, {std::string("~ "), true}})
        EXPECT_EQ(CheckScenarioName(name).empty(), usable) << name;

    // What an older build does with the profile: the record's save, the grid's OK.
    auto record = std::make_unique<CClientRecord>();
    record->LoadFromProfile(store);
    ASSERT_TRUE(record->SaveToProfile(store));
    ASSERT_TRUE(StoreGridInputs(*t, store));

    std::vector<GridScenario> back = LoadGridScenarios(store.Snapshot());
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].name, "Bonus, and 1/8 more");
    for (int n = 1; n <= kGridRows; ++n)
        for (int f : {kGridExtra, kGridRate, kGridAdjustment})
            ASSERT_EQ(GridValue(back[0].inputs.Month(n), f), GridValue(bonus->Month(n), f)) << n << " " << f;

    // Deleting frees the slot, the next save takes it; a name is matched in any case.
    ASSERT_TRUE(DeleteGridScenario(store, "BONUS, AND 1/8 MORE"));
    EXPECT_FALSE(DeleteGridScenario(store, "Bonus, and 1/8 more"));
    ASSERT_TRUE(SaveGridScenario(store, "Third", *t));
    back = LoadGridScenarios(store.Snapshot());
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].name, "Third");
    EXPECT_TRUE(FindScenario(back, "plain"));

    // Twenty are kept, and no more.
    for (int i = 3; i <= kMaxGridScenarios; ++i) // beside "Third" and "Plain"
        ASSERT_TRUE(SaveGridScenario(store, "Scenario " + std::to_string(i), *t)) << i;
    EXPECT_NE(SaveGridScenario(store, "One more", *t).message.find("At most 20"), std::string::npos);
    EXPECT_EQ(LoadGridScenarios(store.Snapshot()).size(), 20u);

    // A hand-edited list keeps the runs it can read, months 1 to 499, and drops the rest.
    WriteBytes(
        path, "[GridScenario3]\nName=Edited\nExtra=12:100 x:5 20-10:5 30-31:abc 0:3 497-500:9 498-499:1 40-41:7.5\n");
    back = LoadGridScenarios(store.Snapshot());
    ASSERT_EQ(back.size(), 1u);
    for (int n = 1; n <= kGridRows; ++n)
        EXPECT_EQ(back[0].inputs.Month(n).Extra, n == 12 ? 100 : (n == 40 || n == 41 ? 7.5 : n >= 498 ? 1 : 0)) << n;
}

TEST_F(GridProfile, MissingKeysReadAsDefaults)
{
    for (const auto &[typed, years] : {std::pair {"1", 1}, {"40", 40}, {"41", 30}, {"0", 30}}) {
        WriteBytes(path, std::string("[PrinBal]\nLoanTermYears=") + typed + "\n");
        EXPECT_EQ(Load()->TermYears, years) << typed;
    }
    WriteBytes(path, "[PrinBal]\nLoanTermYears=abc\n[AddPmt]\nMth480=12.50\nMth499=1\nMth500=2\n[Adjust]\nMth2=nan\n");
    auto t = Load();
    EXPECT_FALSE(GridHasLoan(*t)); // no opening balance: the corruption message
    EXPECT_EQ(t->TermYears, 30);
    EXPECT_EQ(t->StartDate, "");
    EXPECT_EQ(t->Month(480).Extra, 12.50);
    EXPECT_EQ(t->Month(499).Extra, 1);
    EXPECT_EQ(t->Month(2).Adjustment, 0);

    // Without a balance there is nothing to store.
    ASSERT_TRUE(StoreGridInputs(*t, store));
    EXPECT_FALSE(store.Snapshot().Contains("IntRate", "Mth1"));
}

TEST_F(GridProfile, FailedStoreIsReportedAndLeavesTheFile)
{
    const std::string before = "[PrinBal]\nMth1=1000.00\n[IntRate]\nMth1=5.00\n";
    WriteBytes(path, before);
    auto fs = std::make_shared<test::FaultyFileSystem>();
    fs->failAt = test::kRename;
    CProfileStore failing(path, fs);
    auto t = std::make_unique<GridTable>(LoadGridInputs(failing.Snapshot()));
    t->Month(2).Extra = 100;
    RecalculateGrid(*t);
    const SaveStatus saved = StoreGridInputs(*t, failing);
    EXPECT_FALSE(saved.ok);
    EXPECT_NE(saved.message.find(path), std::string::npos) << saved.message;
    EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(GridProfile, EnrollmentInputsAreWhatTheEnrollmentStores)
{
    auto record = std::make_unique<CClientRecord>();
    LoanAnalysis &a = record->Analysis;
    a.CurrentDate = "12/07/2026";
    a.FirstPaymentDate = "01/15/2020";
    a.TermText = "30";
    a.AmountText = "180000";
    a.LowestRateText = "6.125"; // kept to its third decimal, as the client gave it
    a.CurrentPaymentText = "1450";
    // The second path: the enrollment's own save, from the schedules it computed.
    auto enrolled = std::make_unique<CClientRecord>(*record);
    ASSERT_TRUE(SetUpDebitDates(enrolled->Analysis) && ComputeSchedules(enrolled->Analysis));
    ASSERT_TRUE(enrolled->SaveGridData(store));
    std::string why;
    auto fromRecord = EnrollmentGridInputs(*record, &why);
    ASSERT_TRUE(fromRecord) << why;
    EXPECT_EQ(store.Snapshot().Read("IntRate", "Mth1"), "6.125");
    auto stored = Load();
    RecalculateGrid(*fromRecord);
    RecalculateGrid(*stored);
    EXPECT_GT(GridMonthCount(*stored), 300);
    ExpectSameTable(*fromRecord, *stored);
    EXPECT_EQ(fromRecord->Month(1).Balance, 180000);
    // An additional payment the client kept is every month's adjustment.
    auto additional = std::make_unique<CClientRecord>(*record);
    additional->Analysis.AdditionalPaymentText = "150.00";
    auto withAdditional = EnrollmentGridInputs(*additional);
    ASSERT_TRUE(withAdditional);
    EXPECT_EQ(withAdditional->Month(1).Adjustment, 150.00);
    EXPECT_EQ(withAdditional->Month(1).Rate, 6.125);

    // The plan in a comparison is the analysis of this loan, its months counted from the
    // first payment to the payoff date; a grid of another loan leaves it out.
    auto grid = std::make_unique<GridTable>(*EnrollmentGridInputs(*record));
    RecalculateGrid(*grid);
    const auto plan = PlanAnalysisFor(*record);
    ASSERT_TRUE(plan);
    GridComparison c = CompareGrid(*grid, {}, plan.get());
    ASSERT_EQ(c.series.size(), 4u);
    const ComparisonSeries &planned = c.series[2];
    EXPECT_EQ(planned.name, "Bi-weekly plan, fees included");
    EXPECT_EQ(c.series[3].totals.payoffDate, plan->Diy.DiyPayoffDate);
    const std::string payoff = planned.totals.payoffDate; // MM/15/YYYY
    const int months = (std::stoi(payoff.substr(6)) - 2020) * 12 + std::stoi(payoff.substr(0, 2));
    EXPECT_EQ(planned.totals.months, months);
    EXPECT_EQ(planned.totals.monthsSaved, c.series[0].totals.months - months);
    EXPECT_EQ(c.note, "");
    grid->Month(1).Balance = 180000.01;
    RecalculateGrid(*grid);
    c = CompareGrid(*grid, {}, plan.get());
    EXPECT_EQ(c.series.size(), 2u);
    EXPECT_NE(c.note, "");

    auto none = std::make_unique<CClientRecord>();
    why.clear();
    EXPECT_FALSE(EnrollmentGridInputs(*none, &why));
    EXPECT_FALSE(why.empty());
}

} // namespace
} // namespace tw
