// Page routines drawn onto a recording surface with a fixed pitch, so that every
// position the printouts fix can be checked to the unit.
#include "engine/plan_dates.h"
#include "format/dates.h"
#include "format/number_text.h"
#include "print/debit_schedule.h"
#include "print/enrollment_page.h"
#include "print/print_dispatch.h"
#include "print/print_types.h"
#include "print/recording_surface.h"
#include "record/client_record.h"
#include "record/company.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include <string>
#include <tuple>
#include <vector>

namespace tw {
namespace {

using Kind = PrintCall::Kind;

// Font 14 (152 high) is 83 units a character on the recording surface.
constexpr int kBodyChar = 83;

RecordingSurface Draw(int printType, int page, const CClientRecord &r)
{
    RecordingSurface s;
    DrawPrintPage(s, printType, page, r);
    return s;
}

auto Key(const PrintCall &c)
{
    return std::tie(c.kind, c.fontCode, c.pen, c.x, c.y, c.x2, c.y2, c.text);
}

CClientRecord SampleClient()
{
    CClientRecord r;
    r.FirstName1 = "Ada";
    r.LastName1 = "Lindqvist";
    r.MI1 = "M";
    r.Address = "12 Orchard Row";
    r.City = "Brookfield";
    r.State = "OH";
    r.Zip = "44999";
    r.MortgageName = "Harbor Savings";
    r.GracePeriod = "30";
    r.BankName = "Valley Bank";
    r.VendorCode = "TW-1001";
    r.AccountType = kAccountChecking;
    LoanAnalysis &a = r.Analysis;
    a.CurrentDate = "03/15/2024";
    a.FirstPaymentDate = "06/21/2019";
    a.FirstPlanPaymentDate = "05/21/2024";
    a.PayoffDate = "02/21/2043";
    a.CurrentPaymentText = "$1,250.00";
    a.AdditionalPaymentText = "50.00";
    a.AdditionalPayment = 50;
    a.InterestSavings = 50070.56;
    a.TotalPaymentSavings = 85329.18;
    a.AverageMonthlySavings = 299.4;
    a.PaymentsEliminated = 75;
    a.PlanYears = 20.25;
    return r;
}

// ---- Fonts, primitives, dispatch ----

// Codes outside the table print with the twelve-point font.
TEST(PrintFonts, TableHeightsAndWeights)
{
    const std::vector<std::tuple<int, int, bool, int>> rows = {{6, 97, false, 6}, {8, 111, false, 8},
        {10, 125, false, 10}, {12, 138, false, 12}, {14, 152, false, 14}, {15, 166, false, 15}, {16, 180, false, 16},
        {18, 194, false, 18}, {20, 208, false, 20}, {106, 97, true, 106}, {108, 111, true, 108}, {110, 125, true, 110},
        {112, 138, true, 112}, {114, 152, true, 114}, {115, 166, true, 115}, {116, 180, true, 116},
        {118, 194, true, 118}, {120, 208, true, 120}, {124, 236, true, 124}, {13, 138, false, 12}, {2, 138, false, 12},
        {0, 138, false, 12}, {-1, 138, false, 12}, {7, 138, false, 12}, {105, 138, false, 12}, {999, 138, false, 12}};
    for (const auto &[code, height, bold, printedAs] : rows) {
        const PrintFont f = PrintFontFor(code);
        EXPECT_EQ(std::tie(f.height, f.bold, f.code), std::tie(height, bold, printedAs)) << code;
    }
}

TEST(PrintSurfaceText, CentredAndRightAlignedPlacement)
{
    RecordingSurface s;
    s.SelectPrintFont(14);
    s.TextCentred(4250, -100, "abc"); // 249 wide: odd
    s.TextCentred(4250, -200, "ab"); // 166 wide: even
    s.TextRight(8000, -300, "abc");
    const auto t = s.Texts();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].x, 4250 - 124); // half a unit right of exact centring
    EXPECT_EQ(t[1].x, 4250 - 83);
    EXPECT_EQ(t[2].x + t[2].width, 8000);
    EXPECT_EQ(t[2].anchor, PrintSurface::TextAnchor::Right);
}

TEST(PrintDispatch, PageCounts)
{
    const CClientRecord r = SampleClient();
    RecordingSurface s;
    EXPECT_EQ(PrintPageCount(s, kPrintEnrollment, r), 7);
    for (const int other : {-1, 0, 4, 100})
        EXPECT_EQ(PrintPageCount(s, other, r), 1) << other;
    for (const int page : {0, 8, -3, 1000})
        EXPECT_TRUE(Draw(kPrintEnrollment, page, r).Calls().empty()) << page;
}

TEST(PrintDispatch, AnyOtherTypePrintsTheErrorPage)
{
    const CClientRecord r = SampleClient();
    for (const int type : {int(kPrintNone), 0, 4, 77}) {
        const RecordingSurface s = Draw(type, 1, r);
        const auto t = s.Texts();
        ASSERT_EQ(t.size(), 1u) << type;
        EXPECT_EQ(t[0].text, "INCORRECT PRINTOUT TYPE");
        EXPECT_EQ(t[0].fontHeight, 138);
        EXPECT_FALSE(t[0].bold);
        EXPECT_EQ(t[0].y, -5500);
        EXPECT_EQ(t[0].anchor, PrintSurface::TextAnchor::Centre);
        EXPECT_EQ(t[0].x, 4250 - t[0].width / 2);
    }
}

// ---- Enrollment package ----

TEST(EnrollmentForm, DiskCodeIsShortenedWithAnEllipsisTo6000Units)
{
    CClientRecord r = SampleClient();
    r.VendorCode = std::string(100, 'V');
    const RecordingSurface s = Draw(kPrintEnrollment, 2, r);
    const PrintCall *disk = s.FindTextStarting("Disk Code: ");
    ASSERT_NE(disk, nullptr);
    // 72 characters fit 6000 units; one more goes for the ellipsis.
    EXPECT_EQ(disk->text, "Disk Code: " + std::string(71, 'V') + "...");
    EXPECT_EQ(disk->x + disk->width, 8000);
    EXPECT_EQ(disk->y, -550);
    EXPECT_EQ(disk->fontCode, 14);

    r.VendorCode = "TW-22";
    EXPECT_NE(Draw(kPrintEnrollment, 2, r).FindText("Disk Code: TW-22"), nullptr);
}

TEST(EnrollmentForm, NameLineBlanksAndLabels)
{
    CClientRecord r = SampleClient();
    r.LastName1 = std::string(60, 'L');
    const RecordingSurface s = Draw(kPrintEnrollment, 2, r);
    const auto line = s.TextsAt(-1960);
    ASSERT_EQ(line.size(), 4u);
    EXPECT_EQ(line[0].x, 500);
    EXPECT_EQ(line[0].text, std::string(48, '_') + "     " + std::string(33, '_') + "     " + std::string(6, '_'));
    EXPECT_EQ(line[1].text, std::string(48, 'L')); // cut to its run, no ellipsis
    EXPECT_EQ(line[1].x, 500);
    EXPECT_EQ(line[2].text, "Ada");
    EXPECT_EQ(line[2].x, 500 + 53 * kBodyChar);
    EXPECT_EQ(line[3].text, "M");
    EXPECT_EQ(line[3].x, 500 + 91 * kBodyChar);

    const auto labels = s.TextsAt(-1960 - 180);
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[0].text, "Last Name");
    EXPECT_EQ(labels[1].text, "First Name");
    EXPECT_EQ(labels[1].x, line[2].x);
    EXPECT_EQ(labels[2].text, "MI");
    EXPECT_EQ(labels[2].x, line[3].x);
}

TEST(EnrollmentForm, AddressTemplateAndPropertyNote)
{
    const RecordingSurface s = Draw(kPrintEnrollment, 2, SampleClient());
    const auto line = s.TextsAt(-2840);
    ASSERT_GE(line.size(), 5u);
    EXPECT_EQ(line[0].text,
        std::string(37, '_') + "     " + std::string(29, '_') + "     " + std::string(6, '_') + "      "
            + std::string(12, '_'));
    EXPECT_EQ(line[4].text, "44999");
    EXPECT_EQ(line[4].x, 500 + (37 + 5 + 29 + 5 + 6 + 6) * kBodyChar);

    const PrintCall *note = s.FindText("(if different than Mailing Address)");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(std::tie(note->x, note->y, note->fontHeight), std::make_tuple(1750, -3472, 125));
    // An empty property address leaves its blanks empty.
    EXPECT_EQ(s.TextsAt(-3280).size(), 1u);
}

TEST(EnrollmentForm, AccountTypeBlank)
{
    const std::vector<std::pair<int, std::string>> rows
        = {{0, ""}, {1, "Checking"}, {2, "Savings"}, {3, "Credit union share draft"}, {7, ""}};
    for (const auto &[type, expected] : rows) {
        CClientRecord r = SampleClient();
        r.AccountType = type;
        r.AccountOptionalDescription = "Credit union share draft";
        EXPECT_EQ(AccountTypeText(r), expected) << type;
        const auto line = Draw(kPrintEnrollment, 2, r).TextsAt(-8284);
        ASSERT_EQ(line.size(), expected.empty() ? 1u : 2u) << type;
        if (!expected.empty()) {
            EXPECT_EQ(line[1].text, expected.substr(0, 19));
            EXPECT_EQ(line[1].x, 500 + 57 * kBodyChar);
        }
    }
}

TEST(EnrollmentForm, PaymentAsTypedAndDayOfMonth)
{
    const RecordingSurface s = Draw(kPrintEnrollment, 2, SampleClient());
    const auto payment = s.TextsAt(-6052);
    ASSERT_EQ(payment.size(), 3u);
    EXPECT_EQ(payment[1].text, "$1,250.00"); // shortened to its 13-character run
    EXPECT_EQ(payment[2].text, "50.00");
    const auto due = s.TextsAt(-6412);
    ASSERT_EQ(due.size(), 3u);
    EXPECT_EQ(due[1].text, "21");
    EXPECT_EQ(due[2].text, "30");
    EXPECT_EQ(s.TextsAt(-4180).at(3).text, "02/21/2043");
}

TEST(EnrollmentForm, HeadingsBoxAndNote)
{
    const RecordingSurface s = Draw(kPrintEnrollment, 2, SampleClient());
    for (const auto &[text, y] : std::vector<std::pair<std::string, int>> {{"1. CUSTOMER INFORMATION", -1600},
             {"2. MORTGAGE INFORMATION", -4712}, {"3. BANK INFORMATION", -6944}, {"NOTE:", -8644}}) {
        const PrintCall *c = s.FindText(text);
        ASSERT_NE(c, nullptr) << text;
        EXPECT_EQ(std::tie(c->x, c->y, c->fontCode), std::make_tuple(500, y, 114)) << text;
    }
    const PrintCall *title = s.FindText("THE TALLOWIN(TM)");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(std::tie(title->y, title->fontCode), std::make_tuple(-700, 124));
    EXPECT_EQ(s.FindTextStarting("Credit Union's")->x, 1150);

    const auto lines = s.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(std::tie(lines[0].x, lines[0].y, lines[0].x2, lines[0].y2), std::make_tuple(480, -9850, 8020, -9850));
    EXPECT_EQ(std::tie(lines[2].x, lines[2].y, lines[2].x2, lines[2].y2), std::make_tuple(8020, -10150, 480, -10150));
    for (const PrintCall &l : lines)
        EXPECT_EQ(l.pen, 0);
}

TEST(EnrollmentCharges, AmountsFromAPaymentTypedWithDollarAndComma)
{
    struct Row {
        double additional;
        const char *a;
        const char *d;
    };
    for (const Row &row : {Row {50, "650.00", "653.45"}, Row {0, "625.00", "628.45"}}) {
        CClientRecord r = SampleClient();
        r.Analysis.AdditionalPayment = row.additional;
        const RecordingSurface s = Draw(kPrintEnrollment, 3, r);
        const auto a = s.TextsAt(-1280);
        ASSERT_EQ(a.size(), 2u);
        EXPECT_EQ(a[1].text, row.a);
        EXPECT_EQ(a[1].x, 500 + 4 * kBodyChar);
        const auto d = s.TextsAt(-3235);
        ASSERT_EQ(d.size(), 3u);
        EXPECT_EQ(d[0].text, "D) $________");
        EXPECT_EQ(d[1].text, row.d);
        EXPECT_EQ(d[1].x, 500 + 4 * kBodyChar);
        EXPECT_EQ(d[2].text, "Total Amount");
        EXPECT_EQ(d[2].fontCode, 114);
        EXPECT_EQ(d[2].x, 500 + 14 * kBodyChar);
        EXPECT_EQ(s.TextsAt(-1450).at(1).text, FormatMoney(row.additional));
    }
}

TEST(EnrollmentCharges, FixedChargesAndSavingsBlanks)
{
    const RecordingSurface s = Draw(kPrintEnrollment, 3, SampleClient());
    EXPECT_EQ(s.TextsAt(-2045).at(1).text, "  FREE");
    EXPECT_EQ(s.TextsAt(-2640).at(1).text, "3.45");
    EXPECT_EQ(s.TextsAt(-1790).at(1).text, "50,070.56");
    EXPECT_EQ(s.TextsAt(-2980).at(1).text, "299.40");
    EXPECT_EQ(s.TextsAt(-3420).at(1).text, "85,329.18");
    EXPECT_EQ(s.TextsAt(-3250).size(), 1u);
    EXPECT_NE(s.FindText("of my mortgage.  (A $395.00 minimum value.)"), nullptr);
}

TEST(EnrollmentCharges, SignatureLinesAndLabels)
{
    for (const auto &[page, y, label] : std::vector<std::tuple<int, int, std::string>> {
             {3, -4440, "(Signature)"}, {4, -5660, "(Client's Signature)"}}) {
        const RecordingSurface s = Draw(kPrintEnrollment, page, SampleClient());
        const auto lines = s.Lines();
        ASSERT_EQ(lines.size(), 4u);
        const int from[] = {500, 3150, 4250, 6900};
        const int to[] = {3000, 4000, 6750, 7750};
        const auto labels = s.TextsAt(y - 30);
        ASSERT_EQ(labels.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(
                std::tie(lines[i].x, lines[i].y, lines[i].x2, lines[i].y2), std::make_tuple(from[i], y, to[i], y));
            EXPECT_EQ(labels[i].x, from[i]);
            EXPECT_EQ(labels[i].text, i % 2 == 0 ? label : "(Date)");
        }
    }
}

// Checks the paragraph rule over a page's sections (a heading's y of 0: 340 below
// the section before) and returns each section's line count.
std::vector<int> CheckSections(const RecordingSurface &s, const std::vector<std::pair<std::string, int>> &headings)
{
    const auto texts = s.Texts();
    std::vector<int> counts;
    int lastLineY = 0;
    for (const auto &[heading, headingY] : headings) {
        const auto at = std::find_if(texts.begin(), texts.end(), [&](const PrintCall &c) { return c.text == heading; });
        EXPECT_NE(at, texts.end()) << heading;
        if (at == texts.end())
            return counts;
        EXPECT_EQ(std::tie(at->x, at->fontCode), std::make_tuple(500, 114)) << heading;
        EXPECT_EQ(at->y, headingY != 0 ? headingY : lastLineY - 340) << heading;

        std::set<int> lineYs;
        int y = at->y - 15;
        int count = 0;
        for (auto c = at + 1; c != texts.end() && c->fontCode == 14; ++c) {
            if (lineYs.count(c->y))
                continue; // a value over a blank of a line already seen
            if (c->y != y)
                break;
            // The first line follows the heading and one bold blank (83 units).
            EXPECT_EQ(c->x, count == 0 ? 500 + at->width + 83 : 500) << heading << " line " << count;
            lineYs.insert(y);
            lastLineY = y;
            ++count;
            y -= 170;
        }
        counts.push_back(count);
    }
    return counts;
}

TEST(EnrollmentAgreement, SectionsFollowTheParagraphRule)
{
    const RecordingSurface page3 = Draw(kPrintEnrollment, 3, SampleClient());
    EXPECT_EQ(CheckSections(page3,
                  {{"Approved Charges:", -500}, {"4. GUARANTEE:", -4810}, {"5. MODIFICATIONS OR CANCELLATION:", 0},
                      {"6. TERM:", 0}, {"7. FUND TRANSFERS AND PAYMENT GUARANTEE:", 0}}),
        (std::vector<int> {4, 8, 6, 6, 11}));

    const RecordingSurface page4 = Draw(kPrintEnrollment, 4, SampleClient());
    EXPECT_EQ(CheckSections(page4,
                  {{"8. NOTICES:", -500}, {"9. TERMINATION AND REINSTATEMENT:", -2045},
                      {"10. ACCURACY OF COMPUTER ANALYSIS:", -3590}, {"11. ESTIMATED BI-WEEKLY SAVINGS:", -4455}}),
        (std::vector<int> {8, 8, 4, 5}));
}

// Another build's company, with the longest name the build takes. No page of the
// enrollment package or the analysis letter names Quarnell; the agreement's sections that
// name it are broken again between the margins and page 4's keep their gaps; the letter
// states the charges the form makes.
TEST(Printouts, NameTheCompanyTheBuildSets)
{
    const ScopedCompanyIdentity other({"Northwind Mortgage Trust", "Northwind Mortgage Trust, LLC", "1 Pier Road",
        "Bayport, ME 04999", "1-800-555-0100", "1-800-555-0101"});
    const CClientRecord r = SampleClient();
    std::string letter[8];
    int named = 0;
    for (int page = 1; page <= 7; ++page) {
        for (const PrintCall &t : Draw(kPrintAnalysisLetter, page, r).Texts())
            letter[page] += t.text + "\n";
        EXPECT_EQ(letter[page].find("Quarnell"), std::string::npos) << "letter page " << page;
        for (const PrintCall &t : Draw(kPrintEnrollment, page, r).Texts()) {
            EXPECT_EQ(t.text.find("Quarnell"), std::string::npos) << page << ": " << t.text;
            named += t.text.find("Northwind Mortgage Trust") != std::string::npos;
            if ((page == 4 || page == 7) && t.text.find("Northwind Mortgage Trust") != std::string::npos) {
                EXPECT_LE(t.x + t.width, kRightMargin) << page << ": " << t.text;
            }
        }
    }
    EXPECT_GE(named, 30);
    const std::pair<int, const char *> said[]
        = {{1, "Northwind Mortgage Trust\n"}, {1, "1 Pier Road\n"}, {2, "costs a late fee of $15."},
            {2, "Each debit carries a banking fee of $3.45,"}, {6, "a banking fee of $3.45 with each debit"}};
    for (const auto &[page, text] : said)
        EXPECT_NE(letter[page].find(text), std::string::npos) << page << ": " << text << "\n" << letter[page];
    int lastLineY = 0;
    for (const PrintCall &t : Draw(kPrintEnrollment, 4, r).Texts()) {
        if (t.fontCode == 114 && lastLineY != 0) {
            EXPECT_GE(lastLineY - t.y, 340) << t.text;
        }
        if (t.fontCode == 14)
            lastLineY = t.y;
    }
}

TEST(EnrollmentAgreement, EstimatedSavingsBlanks)
{
    const RecordingSurface s = Draw(kPrintEnrollment, 4, SampleClient());
    const std::vector<std::tuple<int, std::string, int>> rows
        = {{-4810, "50,070.56", 81}, {-4980, "75", 23}, {-5150, "20.3", 8}};
    for (const auto &[y, value, prefixChars] : rows) {
        const auto line = s.TextsAt(y);
        ASSERT_EQ(line.size(), 2u) << y;
        EXPECT_EQ(line[1].text, value);
        EXPECT_EQ(line[1].x, 500 + prefixChars * kBodyChar) << y;
    }
}

TEST(EnrollmentPackage, InstructionSheet)
{
    const RecordingSurface s = Draw(kPrintEnrollment, 1, SampleClient());
    const PrintCall *title = s.FindText("INSTRUCTION SHEET");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(std::tie(title->y, title->fontCode, title->anchorX), std::make_tuple(-600, 124, 4250));
    const auto lines = s.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(std::tie(lines[0].x, lines[0].y, lines[0].x2, lines[0].y2), std::make_tuple(500, -500, 8000, -500));
    EXPECT_EQ(std::tie(lines[1].x, lines[1].y, lines[1].x2, lines[1].y2), std::make_tuple(500, -900, 8000, -900));
    EXPECT_EQ(lines[0].pen, 0);

    EXPECT_EQ(s.FindTextStarting("Please read over your enrollment form to ensure that your Personal, Mortgage, "
                                 "and Bank information are correct.")
                  ->y,
        -1500);
    for (const int y : {-2300, -2500, -2700, -2900}) {
        const auto block = s.TextsAt(y);
        ASSERT_EQ(block.size(), 1u) << y;
        EXPECT_EQ(block[0].fontCode, 124);
        EXPECT_EQ(block[0].anchor, PrintSurface::TextAnchor::Centre);
    }
    EXPECT_EQ(s.TextsAt(-2300)[0].text, "Quarnell");

    const auto savings = s.TextsAt(-3500);
    ASSERT_EQ(savings.size(), 2u);
    EXPECT_EQ(savings[0].text, "to maximize your total savings at approximately $_______________.");
    EXPECT_EQ(savings[1].text, "85,329.18");
    EXPECT_EQ(savings[1].x, 500 + 49 * kBodyChar);
    // Mailing lines every 200 units with a gap before the plan's costs, the closing and the
    // contact lines.
    const int thanks = s.FindText("Thank you for enrolling.")->y;
    const int costs = s.FindTextStarting("The banking charge of $3.45")->y;
    for (int y = -3300; y >= thanks - 800; y -= 200)
        EXPECT_EQ(s.TextsAt(y).empty(), y == costs + 200 || y == thanks + 200 || y == thanks - 400) << y;
}

TEST(EnrollmentPackage, PagesFiveToSevenRepeatTwoToFour)
{
    CClientRecord r = SampleClient();
    r.Analysis.AdditionalPayment = 12.5;
    for (int page = 2; page <= 4; ++page) {
        const auto first = Draw(kPrintEnrollment, page, r).Calls();
        const auto copy = Draw(kPrintEnrollment, page + 3, r).Calls();
        ASSERT_EQ(first.size(), copy.size()) << page;
        ASSERT_FALSE(first.empty());
        for (std::size_t i = 0; i < first.size(); ++i)
            EXPECT_EQ(Key(first[i]), Key(copy[i])) << "page " << page << " call " << i;
    }
}

// ---- Debit schedule ----

LoanAnalysis CalendarAnalysis()
{
    LoanAnalysis a;
    for (int i = 0; i < kCalendarEntries; ++i)
        a.DebitCalendar[i] = CalendarEntryDay(i);
    return a;
}

TEST(DebitLayout, LineStepAndLinesPerColumn)
{
    const std::vector<std::tuple<int, int, int>> rows
        = {{152, 228, 40}, {150, 225, 40}, {151, 226, 40}, {200, 300, 30}, {1, 1, 9000}, {0, 1, 9000}, {-5, 1, 9000}};
    for (const auto &[height, step, perColumn] : rows) {
        const DebitPageLayout l = DebitLayoutForHeight(height);
        EXPECT_EQ(l.lineStep, step) << height;
        EXPECT_EQ(l.linesPerColumn, perColumn) << height;
        EXPECT_EQ(l.linesPerPage, 3 * perColumn) << height;
    }
}

TEST(DebitPreparation, NeedsACalculatedDemonstration)
{
    LoanAnalysis a;
    a.FirstDebitDate = "04/05/2024";
    a.PayoffDate = "02/01/2043";
    a.FirstDebitIndex = 7;
    EXPECT_EQ(PrepareDebitSchedule(a),
        std::string("You must run through the demo before generating the withdrawal schedule."));
    EXPECT_EQ(a.FirstDebitIndex, 7);

    a = CalendarAnalysis();
    for (const auto &[first, payoff] : std::vector<std::pair<std::string, std::string>> {
             {"", "02/01/2043"}, {"04/05/2024", ""}, {"4/5/2024", "02/01/2043"}, {"04/05/2024", "2043-02-01"}}) {
        a.FirstDebitDate = first;
        a.PayoffDate = payoff;
        a.DebitCount = -9;
        EXPECT_TRUE(PrepareDebitSchedule(a).has_value()) << first << " " << payoff;
        EXPECT_EQ(a.DebitCount, -9);
    }
}

TEST(DebitPreparation, RangeRunsThroughTheFirstDebitOnOrAfterPayoff)
{
    struct Row {
        const char *first;
        const char *payoff;
        int firstIndex;
        int payoffIndex;
    };
    // 01/05/1996 is entry 0; 01/19/1996 entry 1; 04/05/2024 entry 737.
    const Row rows[] = {
        {"01/05/1996", "01/05/1996", 0, 0}, {"01/06/1996", "01/19/1996", 1, 1}, // payoff on a debit date: that date
        {"01/06/1996", "01/20/1996", 1, 2}, // otherwise the next one
        {"04/05/2024", "04/05/2024", 737, 737},
        {"12/01/1990", "01/20/1996", 0, 2}, // before the calendar: its first entry
        {"04/05/2024", "01/01/2200", 737, 2599}, // past its end: the scan stops at the last entry
        {"01/01/2200", "01/01/2300", 2599, 2599},
        {"04/05/2024", "01/01/2000", 737, 737}, // payoff before the first debit: one debit
    };
    for (const Row &row : rows) {
        LoanAnalysis a = CalendarAnalysis();
        a.FirstDebitDate = row.first;
        a.PayoffDate = row.payoff;
        ASSERT_FALSE(PrepareDebitSchedule(a).has_value());
        EXPECT_EQ(a.FirstDebitIndex, row.firstIndex) << row.first;
        EXPECT_EQ(a.PayoffDebitIndex, row.payoffIndex) << row.payoff;
        EXPECT_EQ(a.DebitCount, row.payoffIndex - row.firstIndex + 1);
    }
}

RecordingSurface DrawSchedule(int page, const LoanAnalysis &a)
{
    RecordingSurface s;
    s.SetCellHeight(152);
    DrawDebitSchedulePage(s, page, a);
    return s;
}

TEST(DebitSchedulePage, ThreeColumnsOfFortyDates)
{
    LoanAnalysis a = CalendarAnalysis();
    a.FirstDebitDate = "01/05/1996";
    a.PayoffDate = "01/01/2010";
    ASSERT_FALSE(PrepareDebitSchedule(a).has_value());
    const RecordingSurface s = DrawSchedule(1, a);
    const auto texts = s.Texts();
    ASSERT_EQ(texts.size(), 1u + 120u + 1u);
    EXPECT_EQ(std::tie(texts[0].text, texts[0].y, texts[0].fontCode),
        std::make_tuple(std::string("Bi-Weekly Debit Dates"), -700, 114));
    EXPECT_EQ(texts[0].anchorX, 4250);
    for (int n = 0; n < 120; ++n) {
        const PrintCall &d = texts[1 + n];
        EXPECT_EQ(d.x, 1000 + 2500 * (n / 40)) << n;
        EXPECT_EQ(d.y, -1000 - 228 * (n % 40)) << n;
        EXPECT_EQ(d.fontCode, 14);
    }
    EXPECT_EQ(texts[1].text, "January 5, 1996");
    EXPECT_EQ(texts[2].text, "January 19, 1996");
    EXPECT_EQ(texts.back().text, "Page 1");
    EXPECT_EQ(std::tie(texts.back().y, texts.back().fontCode, texts.back().anchorX), std::make_tuple(-10500, 14, 4250));

    // Page 2 goes on where page 1 stopped.
    EXPECT_EQ(
        DrawSchedule(2, a).Texts().at(1).text, LongDateText(CompactFromDateText(DateTextOfDay(CalendarEntryDay(120)))));
}

// 120 dates a page, through the payoff's debit and never past the calendar's ends; a
// page past them has only its title and number.
TEST(DebitSchedulePage, PagesFollowTheDates)
{
    struct Row {
        int first, last, pages, page;
        std::size_t dates; // on that page
    };
    const Row rows[] = {{100, 100, 1, 1, 1}, {100, 219, 1, 1, 120}, {100, 219, 1, 2, 0}, {100, 220, 2, 2, 1},
        {0, 2599, 22, 22, 80}, {2590, 100000, 1, 1, 10}, {-50, 10, 1, 1, 0}, {50, 10, 1, 1, 0}};
    auto r = std::make_unique<CClientRecord>();
    r->Analysis = CalendarAnalysis();
    for (const Row &row : rows) {
        SCOPED_TRACE(
            std::to_string(row.first) + " to " + std::to_string(row.last) + ", page " + std::to_string(row.page));
        r->Analysis.FirstDebitIndex = row.first;
        r->Analysis.PayoffDebitIndex = row.last;
        RecordingSurface s;
        s.SetCellHeight(152);
        EXPECT_EQ(PrintPageCount(s, kPrintDebitSchedule, *r), row.pages);
        const auto texts = DrawSchedule(row.page, r->Analysis).Texts();
        ASSERT_EQ(texts.size(), 2 + row.dates);
        EXPECT_EQ(texts.front().text, "Bi-Weekly Debit Dates");
        EXPECT_EQ(texts.back().text, "Page " + std::to_string(row.page));
    }
}

// A new 40-year loan at 3 %: about 900 debits, more than the 720 of the six pages that
// once held every schedule. Every date prints, on as many pages as they need, and no page is empty.
TEST(DebitSchedulePage, LongPlanPrintsEveryDateOnItsOwnPages)
{
    auto r = std::make_unique<CClientRecord>();
    LoanAnalysis &a = r->Analysis;
    a = CalendarAnalysis();
    a.FirstDebitDate = "01/08/2027";
    a.PayoffDate = "06/01/2061";
    ASSERT_FALSE(PrepareDebitSchedule(a).has_value());
    ASSERT_EQ(a.DebitCount, 899); // through 06/10/2061, the first debit on or after the payoff

    RecordingSurface s;
    s.SetCellHeight(152);
    const int pages = PrintPageCount(s, kPrintDebitSchedule, *r);
    EXPECT_EQ(pages, 8); // 120 dates a page
    std::vector<std::string> dates;
    for (int page = 1; page <= pages; ++page) {
        RecordingSurface p;
        p.SetCellHeight(152);
        DrawPrintPage(p, kPrintDebitSchedule, page, *r);
        int onPage = 0;
        for (const PrintCall &t : p.Texts())
            if (t.y <= -1000 && t.y > -10000) {
                dates.push_back(t.text);
                ++onPage;
            }
        EXPECT_GT(onPage, 0) << page;
    }
    ASSERT_EQ(dates.size(), 899u);
    EXPECT_EQ(dates.front(), "January 8, 2027");
    EXPECT_EQ(dates[720], "August 14, 2054"); // the first date the six pages used to lose
    EXPECT_EQ(dates.back(), "June 10, 2061");
}

TEST(DebitSchedulePage, HeaderLineSaysWhoWhatAndWhen)
{
    auto r = std::make_unique<CClientRecord>(SampleClient());
    r->BankName = "Lakeshore Savings Bank";
    r->BankAccountNumber = "0044-7198 2";
    r->Analysis.CurrentPaymentText = "1450.00";
    r->Analysis.AdditionalPayment = 0;
    LoanAnalysis &a = r->Analysis;
    const LoanAnalysis calendar = CalendarAnalysis();
    a.DebitCalendar = calendar.DebitCalendar;
    a.FirstDebitDate = "01/05/1996";
    a.PayoffDate = "03/01/1996";
    ASSERT_FALSE(PrepareDebitSchedule(a).has_value());

    RecordingSurface s(45); // a pitch near the real font's, so the whole line fits
    s.SetCellHeight(152);
    DrawPrintPage(s, kPrintDebitSchedule, 1, *r);
    const auto texts = s.Texts();
    ASSERT_GE(texts.size(), 4u);
    const auto found = std::find_if(texts.begin(), texts.end(), [](const PrintCall &t) { return t.fontCode == 6; });
    ASSERT_NE(found, texts.end());
    const PrintCall &header = *found;
    EXPECT_EQ(header.text,
        "Ada M Lindqvist  -  Lakeshore Savings Bank, account ending 1982  -  $728.45 every two weeks  -  "
        "01/05/1996 to 03/01/1996  -  5 debits");
    // Between the title (152 high at -700) and the first row at -1000.
    EXPECT_LT(header.y, -700 - 152);
    EXPECT_GT(header.y - header.fontHeight, -1000);
    EXPECT_EQ(header.anchorX, 4250);
    EXPECT_EQ(texts[0].text, "Bi-Weekly Debit Dates");
    EXPECT_EQ(texts[1].text, "January 5, 1996");
}

// The wording must not promise that nothing is debited before the Start Date: the first
// debit comes first. Both dates are printed where the wording names them.
TEST(EnrollmentPackage, WordingNamesTheFirstDebitBeforeTheStartDate)
{
    CClientRecord r = SampleClient();
    r.Analysis.FirstDebitDate = "01/22/2027";
    r.Analysis.FirstPlanPaymentDate = "02/15/2027";
    std::string all;
    for (const int page : {1, 3, 6})
        for (const PrintCall &t : Draw(kPrintEnrollment, page, r).Texts())
            all += t.text + " ";
    EXPECT_EQ(all.find("before the Start Date"), std::string::npos);
    EXPECT_EQ(all.find("on or after the Start"), std::string::npos);
    EXPECT_NE(all.find("first bi-weekly debit is planned for 01/22/2027, and the Start Date on your form, 02/15/2027, "
                       "is the first mortgage payment made under the plan"),
        std::string::npos);
    EXPECT_NE(all.find("the first debit for it is taken before it, on 01/22/2027."), std::string::npos);
    EXPECT_EQ(all.find("{"), std::string::npos);
    // Who pays the Start Date's payment; a warning when verification may outlast the first debit.
    EXPECT_NE(all.find("reaches you by 01/22/2027, we pay your 02/15/2027 payment and every later"), std::string::npos);
    EXPECT_NE(all.find("pay your 02/15/2027 payment yourself as well; no debit is taken for it"), std::string::npos);
    for (const auto &[enrolled, warned] : {std::pair {"12/17/2026", false}, {"12/18/2026", true}}) {
        r.Analysis.CurrentDate = enrolled;
        std::string page;
        for (const PrintCall &t : Draw(kPrintEnrollment, 1, r).Texts())
            page += t.text + " ";
        EXPECT_EQ(page.find("may reach you after it") != std::string::npos, warned) << enrolled;
    }
}

} // namespace
} // namespace tw
