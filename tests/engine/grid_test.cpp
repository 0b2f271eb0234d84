// The amortization grid's recalculation, its mends, dates and exports.
#include "engine/grid.h"
#include "engine/grid_compare.h"
#include "engine/grid_text.h"
#include "engine/grid_tools.h"
#include "format/number_text.h"
#include "tests/engine/grid_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>

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
    // The principal rounds down by about half a cent a month: 6.38 is left after month
    // 360, and month 361 pays it with its 0.04 of interest.
    EXPECT_EQ(t.Month(361).Balance, 6.38);
    EXPECT_EQ(t.Month(361).Payment, 6.42);
    EXPECT_EQ(GridMonthCount(t), 361);
    EXPECT_EQ(GridShownRows(t), 361); // the grid shows month 361 too
}

// 300,000.00 over 30 years at 6 %: 1,798.65 a month (published tables), 279,163.14 owed
// after 60 payments. A change of rate is recast over the months left, as lenders do.
TEST(RecalculateGrid, ChangeOfRateIsRecastOverTheMonthsLeft)
{
    struct Case {
        const char *name;
        std::vector<std::pair<int, double>> rates; // month, rate from then on
        int month;
        const char *payment; // of that month
        const char *balance; // owed before it
    };
    // Hand computation, the level payment B r / (1 - (1 + r)^-n): 279,163.14 over 300
    // months at 7 % is 1,973.07 (not 1,995.91, 300,000 over 360), at 8 % 2,154.63; the
    // 275,508.56 owed after 72 months, over 288 months at 8.25 %, is 2,199.93.
    const Case cases[] = {
        {"one rate", {{1, 6}}, 61, "1,798.65", "279,163.14"},
        {"7 % from month 61", {{1, 6}, {61, 7}}, 61, "1,973.07", "279,163.14"},
        {"7 % from month 61, a year on", {{1, 6}, {61, 7}}, 73, "1,973.07", "274,892.42"},
        {"5/1 ARM at its first change", {{1, 6}, {61, 8}, {73, 8.25}}, 61, "2,154.63", "279,163.14"},
        {"5/1 ARM at its second change", {{1, 6}, {61, 8}, {73, 8.25}}, 73, "2,199.93", "275,508.56"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto t = std::make_unique<GridTable>();
        t->StartDate = "01/01/2020";
        t->Month(1).Balance = 300000;
        for (const auto &[month, rate] : c.rates)
            t->Month(month).Rate = rate;
        RecalculateGrid(*t);
        EXPECT_EQ(Shown(t->Month(c.month).Payment), c.payment);
        EXPECT_EQ(Shown(t->Month(c.month).Balance), c.balance);
        EXPECT_EQ(Shown(t->Month(c.month + 1).Payment), c.payment); // kept until the next change
        EXPECT_EQ(GridMonthCount(*t), 360); // the term still ends the loan (the old rule: 351)
    }
}

// Every field of every month against the rules worked one month at a time; after the
// last month no figure of a longer earlier table is left, and the inputs stay.
void ExpectTheRules(GridTable t, const std::string &name)
{
    std::vector<MonthByRules> inputs;
    for (const GridRow &r : t.Rows)
        inputs.push_back({0, 0, 0, 0, r.Extra, r.Rate, r.Adjustment});
    const std::vector<MonthByRules> want = GridByRules(t.Rows[0].Balance, t.TermYears, inputs);
    const GridTable before = t;
    RecalculateGrid(t);
    const int months = static_cast<int>(want.size());
    ASSERT_EQ(GridMonthCount(t), months) << name;
    for (int n = 1; n <= kGridRows; ++n) {
        const GridRow &g = t.Month(n);
        const MonthByRules w = n <= months ? want[static_cast<std::size_t>(n - 1)] : MonthByRules {};
        ASSERT_TRUE(
            g.Balance == w.balance && g.Payment == w.payment && g.Interest == w.interest && g.Principal == w.principal)
            << name << " month " << n << ": " << g.Balance << " " << g.Payment << " " << g.Interest << " "
            << g.Principal << " against " << w.balance << " " << w.payment << " " << w.interest << " " << w.principal;
        if (n <= months) {
            ASSERT_TRUE(g.Extra == w.extra && g.Rate == w.rate && g.Adjustment == w.adjustment)
                << name << " month " << n << ": " << g.Extra << " " << g.Rate << " " << g.Adjustment;
        } else if (n > months + 1) {
            ASSERT_TRUE(g.Extra == before.Month(n).Extra && g.Adjustment == before.Month(n).Adjustment)
                << name << " month " << n;
        }
    }
}

GridTable Loan(double balance, int years, std::vector<std::pair<int, double>> rates)
{
    GridTable t;
    t.TermYears = years;
    t.Month(1).Balance = balance;
    for (const auto &[month, rate] : rates)
        t.Month(month).Rate = rate;
    return t;
}

// 300,000.00 at 6 %, recast at 7 % from month 61 to a payment of 1,973.07, with an
// adjustment in month 99 that leaves `below` less than that payment owed in month 100:
// at the payment the month still pays it, a cent below it pays the loan off. A
// fraction of a cent of extra takes the month off the engine's whole-cents path.
GridTable MeetingThePayment(double below, double fraction)
{
    GridTable t = Loan(300000, 30, {{1, 6}, {61, 7}});
    std::vector<MonthByRules> inputs(kGridRows);
    inputs[0].rate = 6;
    inputs[60].rate = 7;
    const double owed = GridByRules(300000, 30, inputs)[99].balance;
    t.Month(99).Adjustment = ReferenceToCents(owed - (1973.07 - below));
    t.Month(99).Extra = fraction;
    return t;
}

TEST(RecalculateGrid, FollowsTheRulesMonthByMonth)
{
    std::vector<std::pair<std::string, GridTable>> cases = {
        {"level payment", Loan(100000, 30, {{1, 7.5}})},
        {"three rates", Loan(300000, 30, {{1, 6}, {61, 7}, {121, 5.5}})},
        {"no rate at all", Loan(12000, 10, {})},
        {"rates that are none keep the one before",
            Loan(100000, 40, {{1, 7.5}, {24, 100.01}, {36, 100}, {48, -3}, {60, NAN}})},
        // 100 % over 40 years pays no principal; past the term a change is recast over
        // one month, and pays the loan off.
        {"recast past the term", Loan(100000, 40, {{1, 100}, {481, 50}})},
        {"recast in the term's last month", Loan(100000, 40, {{1, 100}, {480, 50}})},
        {"balance at the payment", MeetingThePayment(0, 0)},
        {"balance a cent below the payment", MeetingThePayment(0.01, 0)},
        {"balance at the payment, by the rules", MeetingThePayment(0, 0.001)},
        {"balance a cent below, by the rules", MeetingThePayment(0.01, 0.001)},
    };
    for (const auto &[field, amount] : {std::pair {kGridExtra, 200000.0}, std::pair {kGridAdjustment, 1e19}}) {
        GridTable t = Loan(100000, 30, {{1, 7.5}});
        RecalculateGrid(t); // its 361 months' figures go
        SetGridValue(t.Month(5), field, amount);
        t.Month(100).Extra = t.Month(100).Adjustment = 5; // kept for a longer table
        cases.emplace_back(std::string(GridFieldHeading(field)) + " above the balance in month 5", t);
    }
    std::mt19937_64 rng(42);
    for (int i = 0; i < 60; ++i) {
        GridTable t
            = Loan(1 + double(rng() % 100000000) / 100, int(1 + rng() % 40), {{1, 1 + double(rng() % 12000) / 1000}});
        for (int changes = int(rng() % 4); changes > 0; --changes)
            t.Month(int(2 + rng() % 400)).Rate = double(rng() % 13000) / 1000 - 0.5; // some unusable
        for (int extras = int(rng() % 6); extras > 0; --extras)
            SetGridValue(t.Month(int(1 + rng() % 400)), rng() % 2 ? kGridExtra : kGridAdjustment,
                double(rng() % 5000000) / (rng() % 2 ? 100 : 1000)); // fractions of a cent too
        cases.emplace_back("random " + std::to_string(i), t);
    }
    for (const auto &[name, t] : cases)
        ExpectTheRules(t, name);
    // The boundary cases sit where they should: at the payment month 100 pays it and
    // month 101 the rest; a cent below, month 100 is the last.
    for (const auto &[below, balance, last] : {std::tuple {0.0, 1973.07, 101}, std::tuple {0.01, 1973.06, 100}}) {
        GridTable t = MeetingThePayment(below, 0);
        RecalculateGrid(t);
        EXPECT_EQ(t.Month(100).Balance, balance);
        EXPECT_EQ(GridMonthCount(t), last);
    }
}

TEST(RecalculateGrid, TheTablesLastRowPaysOffWhatIsLeft)
{
    // At 100 % over 40 years the level payment exceeds the interest by far less than a
    // cent: no principal is ever paid, and only the table's end settles the loan.
    GridTable t;
    t.TermYears = 40;
    t.Month(1).Balance = 100000;
    t.Month(1).Rate = 100;
    RecalculateGrid(t);
    ExpectEveryFigureClean(t);
    EXPECT_EQ(GridMonthCount(t), kGridRows);
    const GridRow &last = t.Month(kGridRows);
    EXPECT_EQ(last.Balance, 100000);
    EXPECT_EQ(last.Principal, last.Balance);
    EXPECT_EQ(Shown(last.Payment), "108,333.33");
    // A change of rate past the term is recast over one month: 100,000.00 and its
    // interest at 50 % / 12.
    t.Month(481).Rate = 50;
    RecalculateGrid(t);
    EXPECT_EQ(GridMonthCount(t), 481);
    EXPECT_EQ(Shown(t.Month(481).Payment), "104,166.67");
}

// Every field the grid shows is read back, in every month of the table and no further.
TEST(ReadGridCells, TakesEveryFieldOfEveryMonthUpToTheLast)
{
    GridTable t = ReferenceGrid(); // 361 months
    ReadGridCells(
        t, [](int month, int field) { return "$" + std::to_string(month) + "," + std::to_string(field) + "5.5%"; });
    for (int n = 1; n <= 362; ++n)
        for (int f = 0; f < kGridFieldCount; ++f)
            ASSERT_EQ(GridValue(t.Month(n), f), n <= 361 ? n * 100 + f * 10 + 5.5 : 0) << n << " " << f;
}

TEST(RecalculateGrid, TermOutsideOneToFortyYearsReadsAsThirtyAndOnlyALoanIsComputed)
{
    for (const auto &[years, months] : {std::pair {0, 360}, {-5, 360}, {41, 360}, {1000, 360}, {1, 12}, {40, 480}}) {
        GridTable t;
        t.TermYears = years;
        EXPECT_EQ(GridTermMonths(t), months) << years;
    }
    for (const auto &[balance, loan] : {std::pair {1e9, true}, {1000000000.01, false}, {0.01, true}, {0.0, false}}) {
        GridTable t;
        t.Month(1).Balance = balance;
        EXPECT_EQ(GridHasLoan(t), loan) << balance;
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
    // Across the year end into a February, leap or not.
    EXPECT_EQ(GridDateText("11/30/2019", 4), "02/29/2020");
    EXPECT_EQ(GridDateText("12/31/2020", 3), "02/28/2021");
    EXPECT_EQ(GridIsoDate("11/30/2019", 5), "2020-03-30");
    for (const char *bad : {"", "13/01/2020", "2020-01-01", "02/30/2020"})
        EXPECT_EQ(GridDateText(bad, 1), "") << bad;
}

TEST(CheckGridInput, RefusesNegativeAndNonNumericEntries)
{
    struct Case {
        const char *text;
        int field;
        const char *expected; // a part of the message, "" for accepted
        int month = 7;
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
        {"100.01", kGridRate, "at most 100%"},
        {"0", kGridRate, "cannot be empty or 0", 1}, // the loan's own rate
        {"0.01", kGridRate, "", 1},
        {"", kGridRate, "", 2},
    };
    for (const Case &c : cases) {
        const std::string message = CheckGridInput(c.text, c.field, c.month);
        if (*c.expected == 0) {
            EXPECT_EQ(message, "") << c.text;
        } else {
            EXPECT_NE(message.find(c.expected), std::string::npos) << c.text << ": " << message;
            EXPECT_NE(message.find("month " + std::to_string(c.month)), std::string::npos) << message;
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

    // An extra above what is owed, or an adjustment in the month that ends the loan, is
    // never paid: what was paid is still the loan and its interest.
    for (const double huge : {200000.0, 99500.0, 1.7e308}) {
        t = plain;
        t.Month(5).Extra = huge;
        t.Month(6).Adjustment = 50;
        RecalculateGrid(t);
        const GridTotals over = ComputeGridTotals(t, LevelPaymentGrid(t));
        EXPECT_EQ(FormatMoney(over.totalPaid), FormatMoney(100000 + over.totalInterest)) << huge;
    }
}

// A scenario's name as a CSV cell and a JSON string: quoted where CSV needs it (a comma,
// a quote, a blank at either end), escaped where JSON does (a quote, a backslash, a
// control character, not a blank).
TEST(GridExports, ComparisonNamesAreQuotedAndEscaped)
{
    GridComparison c;
    for (const char *name : {"a, b", " lead", "end ", "mid dle", "say \"hi\"", "back\\slash\x1f"})
        c.series.push_back({name, {360, 1234.5, 34.5, "06/15/2040", 360, -2}, {}});
    EXPECT_EQ(ComparisonCsv(c),
        "Scenario,Months,TotalPaid,TotalInterest,PayoffDate,MonthsSaved\n\"a, b\",360,1234.50,34.50,2040-06-15,-2\n"
        "\" lead\",360,1234.50,34.50,2040-06-15,-2\n\"end \",360,1234.50,34.50,2040-06-15,-2\n"
        "mid dle,360,1234.50,34.50,2040-06-15,-2\n\"say \"\"hi\"\"\",360,1234.50,34.50,2040-06-15,-2\n"
        "back\\slash\x1f,360,1234.50,34.50,2040-06-15,-2\n");
    const std::string json = ComparisonJson(c);
    for (const char *escaped :
        {"[\n{\"Scenario\":\"a, b\",\"Months\":360,\"TotalPaid\":1234.50,\"TotalInterest\":34.50,"
         "\"PayoffDate\":\"2040-06-15\",\"MonthsSaved\":-2},\n",
            "{\"Scenario\":\"mid dle\",", "{\"Scenario\":\"say \\\"hi\\\"\",",
            "{\"Scenario\":\"back\\\\slash\\u001f\","})
        EXPECT_NE(json.find(escaped), std::string::npos) << escaped << "\n" << json;
    EXPECT_EQ(ComparisonJson({}), "[]\n");
}

TEST(GridTools, AdjustableRatesFollowTheIndexWithinTheCaps)
{
    struct Case {
        const char *name;
        ArmTerms terms;
        double initial;
        std::vector<RateChange> expected; // the first changes
    };
    const auto preset = [](const char *name, double margin, double index, bool worst = false) {
        ArmTerms t = FindArmPreset(name)->terms;
        t.margin = margin;
        t.index = index;
        t.worstCase = worst;
        return t;
    };
    // Fully indexed 2.75 + 5.5 = 8.25: the first change may rise 2 points, the next the rest.
    const Case cases[] = {
        {"5/1 with 2/2/5", preset("5/1", 2.75, 5.5), 6, {{61, 8}, {73, 8.25}, {85, 8.25}}},
        {"5/6 with 2/1/5", preset("5/6", 2.75, 5.5), 6, {{61, 8}, {67, 8.25}}},
        {"7/6 falling to 1.00 + 2.75", preset("7/6", 2.75, 1), 6, {{85, 3.75}, {91, 3.75}}},
        {"10/6 held at the floor, the margin", preset("10/6", 2.75, 0), 4, {{121, 2.75}}},
        {"5/6 falling by the caps to the floor", preset("5/6", 3, 0), 6, {{61, 4}, {67, 3}, {73, 3}}},
        {"5/1 worst case up to the lifetime cap", preset("5/1", 0, 0, true), 6,
            {{61, 8}, {73, 10}, {85, 11}, {97, 11}}},
        {"3/6 of one's own, 1/1/2", {3, 6, 1, 1, 2, 2.25, 5}, 5.5, {{37, 6.5}, {43, 7.25}, {49, 7.25}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(CheckArmTerms(c.terms), "");
        const std::vector<RateChange> changes = ArmRateChanges(c.terms, c.initial);
        ASSERT_GE(changes.size(), c.expected.size());
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(changes[i].month, c.expected[i].month) << i;
            EXPECT_EQ(changes[i].rate, c.expected[i].rate) << i;
        }
    }
    // To the nearest eighth, a tie going down: 5.8125 lies halfway between 5.75 and 5.875.
    EXPECT_EQ(FullyIndexedRate(3.0625, 2.75), 5.75);
    EXPECT_EQ(FullyIndexedRate(3.0626, 2.75), 5.875);
    EXPECT_EQ(FullyIndexedRate(3.1, 2.25), 5.375);
    EXPECT_NE(CheckArmTerms({4, 6, 2, 1, 5}), "");
    EXPECT_NE(CheckArmTerms({5, 3, 2, 1, 5}), "");
    EXPECT_EQ(CheckArmTerms({5, 6, 0, 1, 25}), "");
    EXPECT_NE(CheckArmTerms({5, 6, 2, 1, 25.01}), "");
    EXPECT_NE(CheckArmTerms({5, 6, -0.01, 1, 5}), "");
    // Changes run up to the last month asked for, that month included.
    EXPECT_EQ(ArmRateChanges(preset("5/1", 2.75, 5.5), 6, 73).size(), 2u);
    EXPECT_EQ(ArmRateChanges(preset("5/1", 2.75, 5.5), 6, 72).size(), 1u);
    // A loan paid off in the month of the first change still has that change.
    for (const auto &[paidOff, applies] : {std::pair {61, true}, std::pair {60, false}}) {
        GridTable t = ReferenceGrid();
        t.Month(paidOff).Extra = 1e6;
        RecalculateGrid(t);
        EXPECT_EQ(ApplyArm(t, preset("5/6", 2.75, 5.5)).empty(), applies) << paidOff;
        EXPECT_EQ(t.Month(61).Rate, applies ? 8.25 : 7.5) << paidOff;
    }
}

// What a tool takes, at its limits: an amount rounds to a cent above 0 and at most the
// largest loan, a percent at most 25.
TEST(GridTools, AmountsAndPercentsAtTheirLimits)
{
    const std::tuple<const char *, double, const char *> amounts[]
        = {{"$1,000.00", 1000, ""}, {"0.005", 0.01, ""}, {"0.004", 0, "must be more than 0.00"},
            {"1000000000", 1e9, ""}, {"1000000000.01", 0, "must be at most 1000000000.00"},
            {"-5", 0, "cannot be negative"}, {" ", 0, "is missing"}, {"1.2.3", 0, "is not a number"}};
    for (const auto &[text, value, says] : amounts) {
        std::string problem;
        EXPECT_EQ(ReadToolAmount(text, "The amount", &problem).value_or(0), value) << text;
        EXPECT_NE(problem.find(says), std::string::npos) << text << ": " << problem;
    }
    for (const auto &[text, value] : {std::pair {"25%", 25.0}, {"0", 0.0}, {"25.01", -1.0}, {"abc", -1.0}})
        EXPECT_EQ(ReadToolPercent(text, "The index", nullptr).value_or(-1), value) << text;
}

TEST(GridTools, ExtrasAddToTheMonthsChosen)
{
    GridTable t = ReferenceGrid(); // first payment 11/15/1999
    t.Month(5).Extra = 50; // an extra of the plan's, kept under the new ones
    ASSERT_EQ(AddYearlyExtra(t, 2500, 3, 2001), "");
    // March 2000 is month 5, March 2001 month 17.
    EXPECT_EQ(t.Month(5).Extra, 50);
    EXPECT_EQ(t.Month(16).Extra, 0);
    EXPECT_EQ(t.Month(17).Extra, 2500);
    EXPECT_EQ(t.Month(29).Extra, 2500);
    ASSERT_EQ(AddMonthlyExtra(t, 100, 5, 17), "");
    EXPECT_EQ(t.Month(4).Extra, 0);
    EXPECT_EQ(t.Month(5).Extra, 150);
    EXPECT_EQ(t.Month(17).Extra, 2600);
    EXPECT_EQ(t.Month(18).Extra, 0);
    EXPECT_NE(AddMonthlyExtra(t, 100, 400), ""); // past the loan's last month
    // From the loan's first month to its last (361), up to the table's last row (499).
    for (const auto &[from, to, done] :
        {std::tuple {361, 0, true}, {362, 0, false}, {0, 0, false}, {1, 499, true}, {1, 500, false}, {17, 16, false}}) {
        GridTable copy = t;
        EXPECT_EQ(AddMonthlyExtra(copy, 1, from, to).empty(), done) << from << "-" << to;
    }
    // From the year of the first payment (1999) to that of the last (2029).
    for (const auto &[year, done] : {std::pair {1998, false}, {1999, true}, {2029, true}, {2030, false}}) {
        GridTable copy = t;
        EXPECT_EQ(AddYearlyExtra(copy, 1, 3, year).empty(), done) << year;
    }
    EXPECT_NE(AddYearlyExtra(t, 100, 0), "");
    EXPECT_NE(AddYearlyExtra(t, 100, 13), "");
    GridTable undated = ReferenceGrid();
    undated.StartDate.clear();
    EXPECT_NE(AddYearlyExtra(undated, 100, 3), "");
}

TEST(GridTools, PaidOffByFindsTheSmallestExtraToTheCent)
{
    // 12,000.00 at 0 % over 10 years pays 100.00 a month. Done in 60 months, it needs
    // 200.00 a month: 100.00 more. At 199.99, 0.60 is left for month 61.
    GridTable even;
    even.TermYears = 10;
    even.StartDate = "01/15/2020";
    even.Month(1).Balance = 12000;
    RecalculateGrid(even);
    struct Case {
        int by, from;
        PayoffSearch::Outcome outcome;
        double extra;
        const char *says;
    };
    const Case cases[] = {
        {60, 1, PayoffSearch::kFound, 100, "An extra of $100.00 a month from month 1 (01/15/2020)"},
        {120, 1, PayoffSearch::kNotNeeded, 0, "No extra is needed"},
        {30, 31, PayoffSearch::kImpossible, 0, "Not even the whole balance"},
        {30, 30, PayoffSearch::kFound, 9000, "month 30 (06/15/2022)"}, // 9,100.00 owed, less 100.00
        {0, 1, PayoffSearch::kRefused, 0, "01/15/2020"},
        {60, 121, PayoffSearch::kRefused, 0, "1 to 120"},
        // Done in 119 months: 119 x 100.85 covers 12,000.00, 119 x 100.84 falls 0.04 short.
        {119, 1, PayoffSearch::kFound, 0.85, "An extra of $0.85 a month"},
    };
    for (const Case &c : cases) {
        const PayoffSearch s = FindPayoffExtra(even, c.by, c.from);
        SCOPED_TRACE(s.message);
        EXPECT_EQ(s.outcome, c.outcome);
        EXPECT_EQ(s.extra, c.extra);
        EXPECT_NE(s.message.find(c.says), std::string::npos);
        EXPECT_LE(s.recalculations, 32);
    }

    // On a real loan the answer is the boundary: a cent less misses the month.
    GridTable loan;
    loan.StartDate = "01/01/2020";
    loan.Month(1).Balance = 300000;
    loan.Month(1).Rate = 6;
    RecalculateGrid(loan);
    const int by = GridMonthOfPaymentDate(loan, 6, 2040);
    EXPECT_EQ(by, 246);
    const PayoffSearch s = FindPayoffExtra(loan, by, 13);
    ASSERT_EQ(s.outcome, PayoffSearch::kFound);
    for (const auto &[extra, endsInTime] : {std::pair {s.extra, true}, std::pair {s.extra - 0.01, false}}) {
        GridTable t = loan;
        ASSERT_EQ(AddMonthlyExtra(t, extra, 13), "");
        RecalculateGrid(t);
        EXPECT_EQ(GridMonthCount(t) <= by, endsInTime) << extra;
    }
}

TEST(GridTools, ReopenedCellsCountAsTypedByWhatTheyHold)
{
    GridTable t = ReferenceGrid();
    t.Month(12).Extra = 1000;
    t.Month(40).Adjustment = 0.25;
    SetGridRateFrom(t, 100, 6.125);
    RecalculateGrid(t);
    const std::pair<int, int> typed[] = {{12, kGridExtra}, {40, kGridAdjustment}, {100, kGridRate}};
    for (int n = 1; n <= GridMonthCount(t); ++n)
        for (int f : {kGridExtra, kGridRate, kGridAdjustment}) {
            const bool expected = std::find(std::begin(typed), std::end(typed), std::pair {n, f}) != std::end(typed);
            ASSERT_EQ(GridInputLooksTyped(t, n, f), expected) << n << " " << f;
        }
    // A rate with a third decimal is shown, stored and exported with it; others as before.
    EXPECT_EQ(GridRateText(6.125), "6.125");
    EXPECT_EQ(GridRateText(7.5), "7.50");
    EXPECT_EQ(GridRateStoredText(0.125), ".125");
    EXPECT_NE(GridCsv(t).find("\n100,2008-02-15,"), std::string::npos);
    EXPECT_NE(GridCsv(t).find(",6.125,0.00\n"), std::string::npos);
}

} // namespace
} // namespace tw
