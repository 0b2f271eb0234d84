// The amortization grid's recalculation, its mends, dates and exports.
#include "engine/grid.h"
#include "engine/grid_text.h"
#include "format/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

namespace tw {
namespace {

// 100,000.00 at 7.5 % over 30 years, first paid on 11/15/1999, only month 1's rate stored.
GridTable ReferenceGrid()
{
    GridTable t;
    t.StartDate = "11/15/1999";
    t.Month(1).Balance = 100000;
    t.Month(1).Rate = 7.5;
    RecalculateGrid(t);
    return t;
}

std::string Shown(double v)
{
    return FormatMoney(v);
}

void ExpectEveryFigureClean(const GridTable &t)
{
    for (int n = 1; n <= kGridRows; ++n)
        for (int f = 0; f < kGridFieldCount; ++f) {
            const double v = GridValue(t.Month(n), f);
            ASSERT_TRUE(std::isfinite(v)) << "month " << n << " field " << f;
            ASSERT_GE(v, 0) << "month " << n << " field " << f;
            ASSERT_FALSE(std::signbit(v)) << "negative zero in month " << n << " field " << f;
        }
}

TEST(RecalculateGrid, ReproducesTheLevelPaymentLoanToTheLastCent)
{
    const GridTable t = ReferenceGrid();
    // Hand computation: 625.00 interest on 100,000.00 at 7.5 % / 12; the level payment of
    // 699.21 leaves 74.21 of principal (the payment itself is 699.2145...).
    EXPECT_EQ(Shown(t.Month(1).Payment), "699.21");
    EXPECT_EQ(t.Month(1).Interest, 625.00);
    EXPECT_EQ(t.Month(1).Principal, 74.21);
    EXPECT_EQ(t.Month(2).Balance, 99925.79);
    EXPECT_EQ(t.Month(2).Interest, 624.54);
    // The principal rounds down by about half a cent a month: 6.38 is left after month
    // 360, and month 361 pays it with its 0.04 of interest.
    EXPECT_EQ(t.Month(360).Balance, 701.21);
    EXPECT_EQ(t.Month(361).Balance, 6.38);
    EXPECT_EQ(t.Month(361).Payment, 6.42);
    EXPECT_EQ(t.Month(361).Principal, 6.38);
    EXPECT_EQ(t.Month(362).Balance, 0);
    EXPECT_EQ(GridMonthCount(t), 361);
    EXPECT_EQ(GridShownRows(t), 361); // the grid shows month 361 too
    // Every month without a stored rate took the month before's.
    EXPECT_EQ(t.Month(200).Rate, 7.5);
    EXPECT_EQ(t.Month(361).Rate, 7.5);
}

TEST(RecalculateGrid, RateChangeMovesLaterPaymentsToTheLevelPaymentAtTheNewRate)
{
    GridTable t = ReferenceGrid();
    SetGridRateFrom(t, 200, 8.0);
    SetGridRateFrom(t, 13, 6.0); // up to the change in month 200, which stays
    RecalculateGrid(t);
    EXPECT_EQ(Shown(t.Month(12).Payment), "699.21");
    EXPECT_EQ(t.Month(199).Rate, 6.0);
    EXPECT_EQ(t.Month(200).Rate, 8.0);
    // 100,000.00 over 30 years at 6 % is 599.55 a month (published tables), not a payment
    // re-amortized over the 348 months left.
    for (int n : {13, 14, 100, 199})
        EXPECT_EQ(Shown(t.Month(n).Payment), "599.55") << n;
    EXPECT_EQ(Shown(t.Month(200).Payment), "733.76"); // 100,000.00 over 30 years at 8 %
}

TEST(RecalculateGrid, ExtraPrincipalLowersTheNextBalanceAndEndsTheLoanEarlier)
{
    const GridTable plain = ReferenceGrid();
    GridTable t = plain;
    t.Month(12).Extra = 1000;
    RecalculateGrid(t);
    EXPECT_EQ(t.Month(13).Balance, plain.Month(13).Balance - 1000);
    EXPECT_EQ(Shown(t.Month(13).Payment), "699.21");
    EXPECT_LT(GridMonthCount(t), GridMonthCount(plain));

    const GridTable withExtra = t;
    t.Month(40).Adjustment = 250;
    RecalculateGrid(t);
    EXPECT_EQ(Shown(t.Month(41).Balance), Shown(withExtra.Month(41).Balance - 250));
}

TEST(RecalculateGrid, ExtraOrAdjustmentAboveTheBalanceEndsTheTable)
{
    for (const double amount : {200000.0, 1e19}) // the largest a cell takes: 19 digits
        for (int field : {kGridExtra, kGridAdjustment}) {
            GridTable t = ReferenceGrid();
            SetGridValue(t.Month(5), field, amount);
            RecalculateGrid(t);
            EXPECT_EQ(t.Month(6).Balance, 0);
            EXPECT_EQ(GridMonthCount(t), 5);
            // Figures of the longer table before are gone, the inputs below are kept.
            EXPECT_EQ(t.Month(100).Balance, 0);
            EXPECT_EQ(t.Month(100).Payment, 0);
            EXPECT_EQ(t.Month(100).Rate, 7.5);
        }
}

// The cells of a 40-year loan as a user leaves them: rates typed as 0, "abc" or nothing.
TEST(RecalculateGrid, MissingOrUnusableRatesNeverGiveNaN)
{
    for (const char *typed : {"0", "abc", "", "0.00", "-3"}) {
        GridTable t;
        t.TermYears = 40;
        t.StartDate = "01/01/2020";
        t.Month(1).Balance = 250000;
        for (int n = 1; n <= 120; ++n)
            t.Month(n).Rate = 5.25; // as an enrollment stores them, up to the plan's payoff
        RecalculateGrid(t);
        std::map<std::pair<int, int>, std::string> typedCells {{{2, kGridRate}, typed}, {{121, kGridRate}, typed}};
        ReadGridCells(t, [&](int month, int field) {
            const auto it = typedCells.find({month, field});
            return it != typedCells.end() ? it->second : FormatMoney(GridValue(t.Month(month), field));
        });
        RecalculateGrid(t);
        SCOPED_TRACE(typed);
        ExpectEveryFigureClean(t);
        EXPECT_EQ(t.Month(2).Rate, 5.25);
        EXPECT_EQ(t.Month(480).Rate, 5.25);
        EXPECT_GE(GridMonthCount(t), 480); // the 40 years are all there, months 451 to 480 too
        EXPECT_EQ(t.Month(GridMonthCount(t) + 1).Balance, 0);
    }
}

TEST(RecalculateGrid, NoRateAtAllSpreadsTheLoanEvenly)
{
    GridTable t;
    t.TermYears = 10;
    t.Month(1).Balance = 12000;
    RecalculateGrid(t);
    ExpectEveryFigureClean(t);
    EXPECT_EQ(t.Month(1).Payment, 100);
    EXPECT_EQ(GridMonthCount(t), 120);
}

TEST(RecalculateGrid, TheTablesLastRowPaysOffWhatIsLeft)
{
    // 20 % for 25 years, then 1 %: the low payment would need months beyond the table.
    GridTable t;
    t.Month(1).Balance = 100000;
    t.Month(1).Rate = 20;
    t.Month(301).Rate = 1;
    RecalculateGrid(t);
    ExpectEveryFigureClean(t);
    EXPECT_EQ(GridMonthCount(t), kGridRows);
    const GridRow &last = t.Month(kGridRows);
    EXPECT_EQ(last.Principal, last.Balance);
    EXPECT_EQ(Shown(last.Payment), Shown(last.Balance + last.Interest));
}

TEST(RecalculateGrid, TermOutsideOneToFortyYearsReadsAsThirty)
{
    for (int years : {0, -5, 41, 1000}) {
        GridTable t;
        t.TermYears = years;
        EXPECT_EQ(GridTermMonths(t), 360) << years;
    }
    GridTable none;
    RecalculateGrid(none); // no opening balance: nothing to compute, nothing touched
    EXPECT_EQ(GridMonthCount(none), 0);
    EXPECT_EQ(none.Month(1).Payment, 0);
}

TEST(GridDates, AdvanceMonthByMonthKeepingTheDay)
{
    EXPECT_EQ(GridDateText("11/15/1999", 1), "11/15/1999");
    EXPECT_EQ(GridDateText("11/15/1999", 2), "12/15/1999");
    EXPECT_EQ(GridDateText("11/15/1999", 3), "01/15/2000");
    EXPECT_EQ(GridIsoDate("11/15/1999", 361), "2029-11-15");
    // A day the month does not have falls on its last day; the next month has it again.
    EXPECT_EQ(GridDateText("01/31/2020", 2), "02/29/2020");
    EXPECT_EQ(GridDateText("01/31/2020", 3), "03/31/2020");
    EXPECT_EQ(GridDateText("01/31/2021", 2), "02/28/2021");
    for (const char *bad : {"", "13/01/2020", "2020-01-01", "02/30/2020"})
        EXPECT_EQ(GridDateText(bad, 1), "") << bad;
}

TEST(CheckGridInput, RefusesNegativeAndNonNumericEntries)
{
    struct Case {
        const char *text;
        int field;
        const char *expected; // a part of the message, "" for accepted
    };
    const Case cases[] = {
        {"", kGridExtra, ""},
        {"  ", kGridRate, ""},
        {"1,000.00", kGridExtra, ""},
        {"$250", kGridAdjustment, ""},
        {"7.25%", kGridRate, ""},
        {"100", kGridRate, ""},
        {"-5", kGridExtra, "cannot be negative"},
        {"abc", kGridRate, "is not a number"},
        {"1.2.3", kGridExtra, "is not a number"},
        {".", kGridAdjustment, "is not a number"},
        {"12345678901234567890", kGridExtra, "is not a number"},
        {"150", kGridRate, "at most 100%"},
        {"150", kGridExtra, ""},
    };
    for (const Case &c : cases) {
        const std::string message = CheckGridInput(c.text, c.field, 7);
        if (*c.expected == 0) {
            EXPECT_EQ(message, "") << c.text;
        } else {
            EXPECT_NE(message.find(c.expected), std::string::npos) << c.text << ": " << message;
            EXPECT_NE(message.find("month 7"), std::string::npos) << message;
        }
    }
}

TEST(GridTotals, CountAgainstTheLevelPaymentLoan)
{
    const GridTable plain = ReferenceGrid();
    const GridTotals same = ComputeGridTotals(plain, LevelPaymentGrid(plain));
    EXPECT_EQ(same.months, 361);
    EXPECT_EQ(same.monthsSaved, 0);
    EXPECT_EQ(same.payoffDate, "11/15/2029");
    // Every dollar paid is either the loan or its interest.
    EXPECT_EQ(FormatMoney(same.totalPaid), FormatMoney(100000 + same.totalInterest));

    GridTable t = plain;
    t.Month(12).Extra = 1000;
    RecalculateGrid(t);
    const GridTotals extra = ComputeGridTotals(t, LevelPaymentGrid(t));
    EXPECT_EQ(extra.levelMonths, 361);
    EXPECT_EQ(extra.monthsSaved, 361 - extra.months);
    EXPECT_GT(extra.monthsSaved, 0);
    EXPECT_LT(extra.totalInterest, same.totalInterest);
}

TEST(GridExports, CsvAndJsonHaveOneRowPerMonthOfTheTable)
{
    const GridTable t = ReferenceGrid();
    const std::string csv = GridCsv(t);
    std::istringstream lines(csv);
    std::string line;
    std::vector<std::string> rows;
    while (std::getline(lines, line))
        rows.push_back(line);
    ASSERT_EQ(rows.size(), 362u);
    EXPECT_EQ(rows[0], "Month,Date,Balance,Payment,Interest,Principal,Extra,Rate,Adjustment");
    EXPECT_EQ(rows[1], "1,1999-11-15,100000.00,699.21,625.00,74.21,0.00,7.50,0.00");
    EXPECT_EQ(rows[361], "361,2029-11-15,6.38,6.42,0.04,6.38,0.00,7.50,0.00");

    const std::string json = GridJson(t);
    EXPECT_EQ(json.rfind("[\n{\"Month\":1,\"Date\":\"1999-11-15\",\"Balance\":100000.00,\"Payment\":699.21,", 0), 0u);
    EXPECT_NE(json.find("{\"Month\":361,\"Date\":\"2029-11-15\",\"Balance\":6.38,"), std::string::npos);
    EXPECT_EQ(json.find("\"Month\":362"), std::string::npos);
    EXPECT_EQ(GridNumberText(0.25), "0.25");
    EXPECT_EQ(GridNumberText(1234567.891), "1234567.89");
}

} // namespace
} // namespace tw
