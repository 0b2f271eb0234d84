#include "print/grid_compare_print.h"

#include "engine/grid_text.h"
#include "format/fit_text.h"
#include "format/number_text.h"
#include "print/print_job.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace tw {

namespace {

constexpr int kTitleFont = 114;
constexpr int kNoteFont = 10;
constexpr int kHeaderFont = 108;
constexpr int kRowFont = 8;
constexpr int kLineStep = 150;
constexpr int kHeaderY = -1050;
constexpr int kFooterY = -10500;
constexpr int kChartBottom = -10150;

// Right edges of the figures' columns; the name runs from the left margin to kNameRight.
constexpr int kNameRight = 3300;
constexpr int kColumnRight[] = {4100, 5250, 6400, 7200, 7950};
constexpr const char *kColumnTitle[] = {"Months", "Total paid", "Total interest", "Paid off", "Saved"};

} // namespace

CComparisonPrintout::CComparisonPrintout(const GridTable &grid, GridComparison comparison)
    : comparison_(std::move(comparison))
{
    if (GridHasLoan(grid)) {
        loanNote_ = "Loan of " + FormatMoney(grid.Month(1).Balance) + " over "
            + std::to_string(GridTermMonths(grid) / 12) + " years";
        if (const std::string first = GridDateText(grid.StartDate, 1); !first.empty())
            loanNote_ += ", first payment " + first;
        loanNote_ += "; months saved against the loan as agreed";
    } else {
        loanNote_ = "There is no amortization data to compare.";
    }
}

PrintChartBox CComparisonPrintout::DrawPage(PrintSurface &s, int page) const
{
    PrintChartBox chart;
    s.SelectPrintFont(kTitleFont);
    s.TextCentred(kPageCentreX, kPageTopY, "Scenarios Compared");
    s.SelectPrintFont(kNoteFont);
    s.TextCentred(kPageCentreX, kPageTopY - 260, loanNote_);
    s.TextCentred(kPageCentreX, kFooterY, "Page " + std::to_string(page) + " of 1");
    if (comparison_.series.empty())
        return chart;

    s.SelectPrintFont(kHeaderFont);
    int y = kHeaderY;
    s.TextLeft(kLeftMargin, y, "Scenario");
    for (int c = 0; c < 5; ++c)
        s.TextRight(kColumnRight[c], y, kColumnTitle[c]);
    s.SelectPrintPen(kPenThin);
    s.DrawPrintLine(kLeftMargin, y - kLineStep + 20, kRightMargin, y - kLineStep + 20);
    y -= kLineStep + 40;
    s.SelectPrintFont(kRowFont);
    const auto measure = [&](std::string_view text) { return s.TextWidth(text); };
    for (const ComparisonSeries &series : comparison_.series) {
        const GridTotals &t = series.totals;
        s.TextLeft(kLeftMargin, y, FitTextToWidth(measure, series.name, kNameRight - kLeftMargin, true));
        const std::string cells[] = {std::to_string(t.months), FormatMoney(t.totalPaid), FormatMoney(t.totalInterest),
            t.payoffDate.empty() ? std::string("-") : t.payoffDate, std::to_string(t.monthsSaved)};
        for (int c = 0; c < 5; ++c)
            s.TextRight(kColumnRight[c], y, cells[c]);
        y -= kLineStep;
    }
    if (!comparison_.note.empty()) {
        s.SelectPrintFont(kNoteFont);
        s.TextLeft(kLeftMargin, y - 40, FitTextToWidth(measure, comparison_.note, kRightMargin - kLeftMargin, true));
        y -= kLineStep + 40;
    }
    chart.left = kLeftMargin;
    chart.top = y - 200;
    chart.width = kRightMargin - kLeftMargin;
    chart.height = std::min(5500, chart.top - kChartBottom);
    return chart;
}

BalanceChartData ComparisonChartOf(const GridComparison &comparison)
{
    BalanceChartData data;
    for (const ComparisonSeries &s : comparison.series)
        data.push_back({QString::fromStdString(s.name), s.balances});
    return data;
}

bool RenderComparisonPrintout(
    QPainter &painter, QPagedPaintDevice &device, const CComparisonPrintout &printout, int fromPage, int toPage)
{
    return RenderChartPages(
        painter, device, printout.PageCount(), [&](PrintSurface &s, int page) { return printout.DrawPage(s, page); },
        ComparisonChartOf(printout.Comparison()), fromPage, toPage);
}

bool WriteComparisonPdf(const CComparisonPrintout &printout, const QString &path, QString *error)
{
    return WritePrivatePdf(
        path, QStringLiteral("Scenarios Compared"),
        [&](QPainter &painter, QPagedPaintDevice &device) {
            return RenderComparisonPrintout(painter, device, printout);
        },
        error);
}

} // namespace tw
