// The analysis letter on a recording surface with a fixed pitch: which figure lands in
// which blank, and where.
#include "engine/figures.h"
#include "engine/plan_dates.h"
#include "engine/schedules.h"
#include "format/number_text.h"
#include "print/analysis_letter.h"
#include "print/letter_graph.h"
#include "print/print_dispatch.h"
#include "print/print_types.h"
#include "print/recording_surface.h"
#include "record/client_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tw {
namespace {

// Font 14 (152 high) is 83 units a character on the recording surface.
constexpr int kChar = 83;

// A client whose figures are all different, so a figure in the wrong blank shows.
std::unique_ptr<CClientRecord> LetterClient()
{
    auto r = std::make_unique<CClientRecord>();
    r->FirstName1 = "Margaret";
    r->MI1 = "A";
    r->LastName1 = "Ellison";
    r->Address = "418 Larkspur Lane";
    r->City = "Fairhaven";
    r->State = "OH";
    r->Zip = "44123";
    LoanAnalysis &a = r->Analysis;
    a.CurrentDate = "12/07/2026";
    a.TermText = "30";
    a.LowestRateText = "6.125%";
    a.LoanAmount = 180000;
    a.InterestSavings = 32149.27;
    a.PaymentsEliminated = 52;
    a.TotalPaymentSavings = 59161.57;
    a.YearsToPayoff = 25.75;
    a.PlanYears = 17.92;
    a.RemainingYears = 22.33;
    a.BalanceAtPayoff = 52295.69;
    a.NormalEquity5 = 38242.42;
    a.BiWeeklyEquity5 = 47586.91;
    a.NormalEquity10 = 64382.37;
    a.BiWeeklyEquity10 = 85780.61;
    a.AverageMonthlySavings = 192.08;
    a.AverageYearlySavings = 2305.0;
    a.InvestmentValue = 73686.79;
    a.FiveYearPayments = 68263.35;
    a.FiveYearPrincipal = 11500.06;
    a.FiveYearInterest = 56763.14;
    a.FiveYearBalance = 168723.74;
    a.TenYearPayments = 136526.69;
    a.TenYearPrincipal = 27402.54;
    a.TenYearInterest = 109123.86;
    a.TenYearBalance = 152906.93;
    a.YearsToPayHalf = 21.42;
    a.PaymentsToPayHalf = 292394.67;
    a.TotalInterest = 229581.89;
    a.TotalPaid = 409581.89;
    return r;
}

RecordingSurface DrawPage(int page, const CClientRecord &r)
{
    RecordingSurface s;
    DrawPrintPage(s, kPrintAnalysisLetter, page, r);
    return s;
}

// The values drawn at y after the line itself, each with the number of characters of the
// line before it (from the line's own x).
struct Placed {
    std::string text;
    int column;
    bool operator==(const Placed &) const = default;
};
std::vector<Placed> ValuesAt(const RecordingSurface &s, int y, int lineX = 500)
{
    const auto texts = s.TextsAt(y);
    std::vector<Placed> out;
    for (std::size_t i = 1; i < texts.size(); ++i)
        out.push_back({texts[i].text, (texts[i].x - lineX) / kChar});
    return out;
}

void PrintTo(const Placed &p, std::ostream *os)
{
    *os << '"' << p.text << "\"@" << p.column;
}

TEST(AnalysisLetter, BlanksHoldTheirFigures)
{
    const auto r = LetterClient();
    struct Row {
        int page;
        int y;
        std::vector<Placed> values;
        int lineX = 500;
    };
    // Columns are where each run of underscores starts in the line's wording.
    const std::vector<Row> rows = {
        {1, -3720, {{"30", 36}, {"180,000.00", 50}, {"6.125", 82}}},
        {1, -3950, {{"fixed", 0}}},
        {1, -4410, {{"68,263.35", 57}}},
        {1, -4640, {{"11,500.06", 13}, {"56,763.14", 34}}},
        {1, -4870, {{"168,723.74", 5}}},
        {1, -5330, {{"136,526.69", 43}}},
        {1, -5560, {{"27,402.54", 5}, {"109,123.86", 35}, {"152,906.93", 78}}},
        {1, -6020, {{"21.4", 35}, {"292,394.67", 73}}},
        {1, -6710, {{"229,581.89", 21}, {"409,581.89", 73}}},
        {1, -6940, {{"180,000.00", 36}}},
        {1, -9640, {{"59,161.57", 32}}},
        {3, -3020, {{"32,149.27", 15}, {"52", 63}}},
        {3, -3250, {{"59,161.57", 34}}, 500 + 5 * kChar}, // indented to the item's text, after "1.   "
        {3, -3940, {{"17.9", 0}, {"22.3", 25}}, 500 + 5 * kChar},
        {3, -7850, {{"2,305.00", 20}}, 500 + 5 * kChar},
        {3, -3710, {{"4.3", 30}}}, // 30 less 25.75 years
        {3, -4400, {{"52,295.69", 87}}},
        {3, -7620, {{"192.08", 76}}},
        {3, -8770, {{"30", 53}}},
        {5, -2430, {{"22.3", 14}}},
        {5, -2660, {{"17.9", 57}}},
        {5, -4040, {{"21,398.24", 36}}}, // the two ten-year equities apart
        {5, -8410, {{"192.08", 31}, {"30", 65}}},
        {6, -1600, {{"409,581.89", 10}, {"180,000.00", 58}, {"30", 93}}},
        {6, -3000, {{"4.3", 8}, {"52", 52}}},
        {6, -3400, {{"73,686.79", 11}, {"30", 54}}},
        {6, -6200, {{"52", 6}, {"59,161.57", 32}}},
    };
    for (const Row &row : rows) {
        const RecordingSurface s = DrawPage(row.page, *r);
        EXPECT_EQ(ValuesAt(s, row.y, row.lineX), row.values) << "page " << row.page << " y " << row.y;
    }
}

TEST(AnalysisLetter, VariableRateIsNamedAndAveraged)
{
    auto r = LetterClient();
    r->Analysis.LowestRateText = "5.5";
    r->Analysis.HighestRateText = "8.0";
    r->Analysis.VariableFlag = 0; // the stored highest rate decides, not the flag
    const RecordingSurface s = DrawPage(1, *r);
    EXPECT_EQ(ValuesAt(s, -3720).back(), (Placed {"6.75", 82}));
    EXPECT_EQ(ValuesAt(s, -3950), (std::vector<Placed> {{"variable", 0}}));
}

TEST(AnalysisLetter, WideValuesAreShortenedToTheirBlank)
{
    auto r = LetterClient();
    r->Analysis.TermText = "thirty years and some more";
    r->Analysis.TotalPaymentSavings = 1.0e12;
    const RecordingSurface s = DrawPage(1, *r);
    EXPECT_EQ(ValuesAt(s, -3720).front(), (Placed {"thirty", 36})); // six underscores
    EXPECT_LE(CharacterCount(ValuesAt(s, -9640).front().text), 15);

    // A client's text pasted a million times over keeps to the page, the words around it whole.
    r->FirstName1 = std::string(1 << 20, 'Z');
    r->Address = std::string(1 << 20, 'Y');
    r->City = std::string(1 << 20, 'X');
    for (int page = 1; page <= 7; ++page) {
        for (const PrintCall &t : DrawPage(page, *r).Texts()) {
            if (t.text.find("ZZ") != std::string::npos || t.text.find("YY") != std::string::npos
                || t.text.find("XX") != std::string::npos) {
                EXPECT_LE(t.x + t.width, kRightMargin) << page << " " << t.text.substr(0, 20);
            }
        }
    }
    const RecordingSurface first = DrawPage(1, *r);
    const PrintCall *city = first.FindTextStarting("XXX");
    const PrintCall *greeting = first.FindTextStarting("Dear ZZZ");
    ASSERT_TRUE(city && greeting);
    EXPECT_TRUE(city->text.ends_with(", OH   44123")) << city->text.substr(city->text.size() - 20);
    EXPECT_TRUE(greeting->text.ends_with("Z,"));
}

TEST(AnalysisLetter, EveryPageIsNumberedAndOnlySevenExist)
{
    const auto r = LetterClient();
    for (int page = 1; page <= 7; ++page) {
        const auto texts = DrawPage(page, *r).Texts();
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.back().text, "Page " + std::to_string(page));
        EXPECT_EQ(texts.back().y, -10500);
        EXPECT_EQ(texts.back().anchorX, 4250);
    }
    for (const int page : {0, 8, -1})
        EXPECT_TRUE(DrawPage(page, *r).Calls().empty()) << page;
    RecordingSurface counter;
    EXPECT_EQ(PrintPageCount(counter, kPrintAnalysisLetter, *r), 7);
}

TEST(AnalysisLetter, LastPageSaysWhatThePlanCostsWithinTheMargins)
{
    // 187,500 at 6.125 % from 04/15/2019, paying 1,412.80: figures worked out from the
    // written rules apart from this code.
    auto r = LetterClient();
    LoanAnalysis &a = r->Analysis;
    a.FirstPaymentDate = "04/15/2019";
    a.AmountText = "187500";
    a.CurrentPaymentText = "1412.80";
    a.LowestRateText = "6.125";
    ASSERT_TRUE(SetUpDebitDates(a) && ComputeSchedules(a));
    ComputeSummaryFigures(a);
    std::string page;
    for (const PrintCall &t : DrawPage(7, *r).Texts()) {
        page += t.text + "\n";
        EXPECT_GE(t.x, kLeftMargin) << t.text;
        EXPECT_LE(t.x + CharacterCount(t.text) * kChar, kRightMargin) << t.text;
    }
    for (const char *said :
        {"What the plan costs, and your alternative", "475 debits", "$1,638.75 in all", "$26,987.28: that is",
            "on 01/15/2029.", "add $117.73 to principal", "paid off by 05/15/2045", "saving $27,533.68 in"})
        EXPECT_NE(page.find(said), std::string::npos) << said << "\n" << page;

    // The enrollment package's instruction sheet says the same in one sentence.
    RecordingSurface sheet;
    DrawPrintPage(sheet, kPrintEnrollment, 1, *r);
    std::string text;
    for (const PrintCall &t : sheet.Texts())
        text += t.text + " ";
    EXPECT_NE(text.find("475 debits comes to $1,638.75 over the plan; the interest it saves has paid for the charges "
                        "by 01/15/2029, so selling or refinancing before then means the plan cost more than it saved."),
        std::string::npos)
        << text;
}

TEST(AnalysisLetter, ComparisonTable)
{
    const auto r = LetterClient();
    const RecordingSurface s = DrawPage(4, *r);
    const std::tuple<int, int, const char *> cells[]
        = {{-3200, 3900, "22.3"}, {-3200, 5900, "17.9"}, {-3600, 3600, "0"}, {-3600, 5600, "32,149.27"},
            {-4000, 5900, "52"}, {-5200, 3600, "64,382.37"}, {-5600, 500, "Balance Due After 17.9 Years:"},
            {-5600, 3600, "52,295.69"}, {-5600, 5600, "0"}, {-6800, 500, "Cash Available After 22.3 Years:"},
            {-6800, 5600, "73,686.79"}, {-7800, 5900, "None"}, {-3600, 3500, "$______________"},
            {-3200, 5500, "_______________"}, {-7800, 3900, "1 in 2"}}; // cut at the blank's end on this wide pitch
    for (const auto &[y, x, text] : cells) {
        std::string found = "(nothing)";
        for (const PrintCall &c : s.TextsAt(y))
            if (c.x == x)
                found = c.text;
        EXPECT_TRUE(found == text || (y == -7800 && found.rfind(text, 0) == 0)) << y << " " << x << ": " << found;
    }
}

// ---- The graph ----

TEST(LetterGraph, AxisScalesAreRound)
{
    const std::vector<std::tuple<double, double, double>> rows = {{180000, 200000, 50000}, {150000, 150000, 50000},
        {98000, 100000, 20000}, {1234567, 1250000, 250000}, {450, 500, 100}};
    for (const auto &[largest, top, step] : rows) {
        const AxisScale sc = BalanceAxisScale(largest);
        EXPECT_DOUBLE_EQ(sc.top, top) << largest;
        EXPECT_DOUBLE_EQ(sc.step, step) << largest;
    }
    EXPECT_EQ(YearStep(30), 5);
    EXPECT_EQ(YearStep(15), 2);
    EXPECT_EQ(YearStep(40), 5);
    EXPECT_EQ(YearStep(5), 1);
    EXPECT_EQ(WholeDollars(150000), "$150,000");
    EXPECT_EQ(WholeDollars(0), "$0");
}

TEST(LetterGraph, DashesFollowThePathWithGaps)
{
    RecordingSurface s;
    DrawDashedPolyline(s, {{0, 0}, {300, 0}, {300, -500}}, 150, 100);
    const auto lines = s.Lines();
    // 800 units of path: dashes at 0-150, 250-400 (round the corner at 300), 500-650, 750-800.
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(std::tie(lines[0].x, lines[0].y, lines[0].x2, lines[0].y2), std::make_tuple(0, 0, 150, 0));
    EXPECT_EQ(std::tie(lines[1].x, lines[1].y, lines[1].x2, lines[1].y2), std::make_tuple(250, 0, 300, 0));
    EXPECT_EQ(std::tie(lines[2].x, lines[2].y, lines[2].x2, lines[2].y2), std::make_tuple(300, 0, 300, -100));
    EXPECT_EQ(std::tie(lines[3].y, lines[3].y2), std::make_tuple(-200, -350));
    EXPECT_EQ(std::tie(lines[4].y, lines[4].y2), std::make_tuple(-450, -500));
}

TEST(LetterGraph, CurvesRunFromTheLoanToEachPayoff)
{
    auto a = std::make_unique<LoanAnalysis>();
    a->TermMonths = 24;
    a->PlanStartPayment = 6;
    a->FirstPaymentDate = "01/01/2020";
    a->CurrentDate = "07/01/2020";
    for (int k = 0; k <= 24; ++k) {
        a->MonthlySchedule[k] = {1200.0 - 50 * k, 60, k < 24 ? 5.0 : 0.0, 0, 0, 0};
        const double plan = std::max(0.0, 1200.0 - 60 * k);
        a->BiWeeklySchedule[k] = {plan, 60, plan > 0 ? 5.0 : 0.0, 0, 0, 0};
    }
    const BalanceCurves c = LetterBalanceCurves(*a);
    ASSERT_EQ(c.monthly.size(), 25u);
    EXPECT_DOUBLE_EQ(c.monthly.back().balance, 0);
    EXPECT_DOUBLE_EQ(c.monthlyPayoffYears, 2.0);
    EXPECT_EQ(c.plan.size(), 21u); // 1200 / 60 months, then the zero
    EXPECT_NEAR(c.planPayoffYears, 20 / 12.0, 1e-12);
    EXPECT_NEAR(c.todayYears, 0.5, 0.01);

    RecordingSurface s;
    const GraphBox box = LetterGraphBox();
    DrawBalanceGraph(s, *a, box);
    // Thick lines are the curves; every one stays inside the plot.
    int thick = 0;
    for (const PrintCall &l : s.Lines()) {
        if (l.pen != kPenThick || l.y > box.top + 50)
            continue; // the legend's samples stand above the plot
        ++thick;
        for (const auto &[x, y] : {std::pair {l.x, l.y}, {l.x2, l.y2}}) {
            EXPECT_GE(x, box.left);
            EXPECT_LE(x, box.right);
            EXPECT_LE(y, box.top);
            EXPECT_GE(y, box.bottom);
        }
    }
    EXPECT_GT(thick, 24);
    for (const char *label : {"$0", "$1,250", "0", "2", "Today", "as now 2.0", "with our service 1.7",
             "Years from the first mortgage payment"})
        EXPECT_NE(s.FindText(label), nullptr) << label;
}

// Page 4 of loans from new to nearly paid off on 12/07/2026; today by hand: days since the first payment / 365.25.
class LetterGraphPage : public ::testing::TestWithParam<std::tuple<const char *, const char *, const char *, double>> {
};

// Whether a line's bounding box meets a box (the curves' and markers' lines are short).
bool Meets(const PrintCall &l, int left, int top, int right, int bottom)
{
    return std::max(l.x, l.x2) >= left && std::min(l.x, l.x2) <= right && std::max(l.y, l.y2) >= bottom
        && std::min(l.y, l.y2) <= top;
}

TEST_P(LetterGraphPage, FitsThePageAndTellsTheTruth)
{
    const auto &[name, firstPayment, term, todayYears] = GetParam();
    auto r = std::make_unique<CClientRecord>();
    LoanAnalysis &a = r->Analysis;
    std::tie(a.CurrentDate, a.FirstPaymentDate, a.TermText) = std::tuple {"12/07/2026", firstPayment, term};
    std::tie(a.AmountText, a.LowestRateText, a.CurrentPaymentText) = std::tuple {"150000", "6.5", "1400"};
    ASSERT_TRUE(SetUpDebitDates(a) && ComputeSchedules(a));
    ComputeSummaryFigures(a);
    const RecordingSurface s = DrawPage(4, *r);
    const PrintCall *table = s.FindText("according to the F.D.I.C."), *footer = s.FindText("Page 4");
    // Nothing leaves the space between the table, the page number and the side margins.
    for (const PrintCall &c : s.Calls()) {
        const bool text = c.kind == PrintCall::Kind::Text;
        const int x2 = text ? c.x + c.width : c.x2, y2 = text ? c.y - c.fontHeight : c.y2;
        EXPECT_TRUE((!text && c.kind != PrintCall::Kind::Line) || (text && (c.y >= table->y || &c == footer))
            || (std::min(c.x, x2) >= 500 && std::max(c.x, x2) <= 8000
                && std::max(c.y, y2) <= table->y - table->fontHeight && std::min(c.y, y2) > footer->y))
            << c.text << " at " << c.x << "," << c.y;
    }
    // The years axis (the longest line across) has a labelled tick at both ends, the plot
    // is at least 1.5 inches high, and today's line is dashed 20 units at a time.
    PrintCall axis, yAxis;
    int todayX = -1;
    for (const PrintCall &l : s.Lines()) {
        axis = l.y == l.y2 && l.x2 - l.x > axis.x2 - axis.x ? l : axis;
        yAxis = l.x == l.x2 && l.y2 - l.y > yAxis.y2 - yAxis.y ? l : yAxis;
        todayX = l.x == l.x2 && l.y2 - l.y == 20 ? l.x : todayX;
    }
    std::map<int, int> tickX; // year -> x
    for (const PrintCall &t : s.Texts())
        if (t.y < axis.y && t.y > axis.y - 150 && t.text.find_first_not_of("0123456789") == std::string::npos)
            tickX[std::stoi(t.text)] = t.anchorX;
    EXPECT_EQ(tickX.begin()->second, axis.x);
    EXPECT_EQ(tickX.rbegin()->second, axis.x2) << "the last tick is not at the axis's end";
    EXPECT_GE(tickX.rbegin()->first, std::stoi(term));
    EXPECT_GE(yAxis.y2 - yAxis.y, 1500);

    // Above the plot the legend's dashed sample shows two gaps that no marker covers or encloses.
    const auto lines = s.Lines();
    const PrintCall *before = nullptr;
    int clearGaps = 0;
    for (const PrintCall &d : lines) {
        if (d.pen != kPenThick || d.y != d.y2 || d.y <= yAxis.y2)
            continue;
        clearGaps += before && d.x > before->x2 + 30 && std::none_of(lines.begin(), lines.end(), [&](auto &l) {
            return l.pen == kPenThin && Meets(l, before->x2 + 1, d.y + 80, d.x - 1, d.y - 80);
        });
        before = &d;
    }
    EXPECT_GE(clearGaps, 2);
    // "Today" stands at today on that axis, its label clear of the curves.
    const PrintCall *label = s.FindText("Today");
    ASSERT_EQ(label != nullptr, todayYears >= 0);
    if (!label)
        return;
    EXPECT_NEAR(todayX, axis.x + todayYears * (axis.x2 - axis.x) / tickX.rbegin()->first, 3);
    for (const PrintCall &l : s.Lines())
        EXPECT_FALSE(
            l.pen == kPenThick && Meets(l, label->x, label->y, label->x + label->width, label->y - label->fontHeight));
}

INSTANTIATE_TEST_SUITE_P(TermsAndStarts, LetterGraphPage,
    ::testing::Values(std::tuple {"Sample30", "04/15/2019", "30", 2793 / 365.25},
        std::tuple {"New40", "11/01/2026", "40", 36 / 365.25}, std::tuple {"NotBegun40", "02/01/2027", "40", -1.0},
        std::tuple {"NearlyPaid15", "06/01/2012", "15", 5302 / 365.25},
        std::tuple {"Short5", "03/10/2024", "5", 1002 / 365.25}),
    [](const auto &info) { return std::string(std::get<0>(info.param)); });

} // namespace
} // namespace tw
