// The amortization grid's printout on a recording surface: header on every page, a
// subtotal per year, "Page n of N", and the totals page.
#include "engine/grid.h"
#include "print/grid_print.h"
#include "print/recording_surface.h"

#include <gtest/gtest.h>

#include <memory>

namespace tw {
namespace {

std::unique_ptr<CGridPrintout> ReferencePrintout()
{
    auto t = std::make_unique<GridTable>();
    t->StartDate = "11/15/1999";
    t->Month(1).Balance = 100000;
    t->Month(1).Rate = 7.5;
    RecalculateGrid(*t);
    return std::make_unique<CGridPrintout>(*t);
}

TEST(GridPrintout, EveryPageRepeatsTheHeaderAndCountsThePages)
{
    const auto printout = ReferencePrintout();
    // 361 months and 31 yearly subtotals, then the totals page.
    const int lines = 361 + 31;
    const int tablePages = (lines + printout->LinesPerPage() - 1) / printout->LinesPerPage();
    ASSERT_EQ(printout->PageCount(), tablePages + 1);
    int monthsSeen = 0;
    int subtotalsSeen = 0;
    for (int page = 1; page <= printout->PageCount(); ++page) {
        RecordingSurface s;
        const auto chart = printout->DrawPage(s, page);
        const std::string footer = "Page " + std::to_string(page) + " of " + std::to_string(printout->PageCount());
        EXPECT_TRUE(s.FindText(footer)) << footer;
        EXPECT_TRUE(s.FindText("Amortization Grid"));
        if (page <= tablePages) {
            const PrintCall *header = s.FindText("Balance");
            ASSERT_TRUE(header) << page;
            EXPECT_EQ(s.TextsAt(header->y).size(), 9u);
            EXPECT_TRUE(chart.empty());
            for (const PrintCall &c : s.Texts()) {
                monthsSeen += c.text.find('/') == 2 && c.text.size() == 10; // a payment date
                subtotalsSeen += c.text.rfind("Year ", 0) == 0;
            }
        } else {
            EXPECT_TRUE(s.FindText("Total interest"));
            EXPECT_TRUE(s.FindText("11/15/2029"));
            EXPECT_FALSE(chart.empty());
        }
    }
    EXPECT_EQ(monthsSeen, 361);
    EXPECT_EQ(subtotalsSeen, 31);
}

TEST(GridPrintout, YearlySubtotalAddsTheYearsPayments)
{
    const auto printout = ReferencePrintout();
    RecordingSurface s;
    printout->DrawPage(s, 1);
    const PrintCall *year = s.FindText("Year 1");
    ASSERT_TRUE(year);
    // Twelve payments of 699.21; the interest and principal of the year add up to them.
    int found = 0;
    for (const PrintCall &c : s.TextsAt(year->y))
        found += c.text == "8,390.52" || c.text == "7,468.75" || c.text == "921.77";
    EXPECT_EQ(found, 3);
}

TEST(GridPrintout, NoLoanPrintsOnePageThatSaysSo)
{
    const CGridPrintout printout {GridTable {}};
    EXPECT_EQ(printout.PageCount(), 1);
    RecordingSurface s;
    EXPECT_TRUE(printout.DrawPage(s, 1).empty());
    EXPECT_TRUE(s.FindText("There is no amortization data to print."));
    EXPECT_TRUE(s.FindText("Page 1 of 1"));
}

} // namespace
} // namespace tw
