#include "print/grid_print.h"

#include "engine/grid_text.h"
#include "engine/to_cents.h"
#include "format/number_text.h"
#include "print/grid_chart.h"
#include "print/print_job.h"
#include "print/print_kit.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace tw {

namespace {

constexpr int kTitleFont = 114;
constexpr int kNoteFont = 10;
constexpr int kHeaderFont = 108;
constexpr int kRowFont = 8;
constexpr int kSubtotalFont = 108;
constexpr int kLineStep = 130; // the row font's 111 units and a gap
constexpr int kHeaderY = -1050;
constexpr int kFirstRowY = kHeaderY - kLineStep - 40;
constexpr int kLastRowBottom = -10150;
constexpr int kFooterY = -10500;

// Right edges of the number columns, in field order; the month's number ends at
// kMonthRight and the date starts at kDateLeft.
constexpr int kMonthRight = 900;
constexpr int kDateLeft = 1050;
constexpr int kFieldRight[kGridFieldCount] = {2800, 3650, 4450, 5250, 6100, 6850, 7950};
constexpr const char *kFieldTitle[kGridFieldCount]
    = {"Balance", "Payment", "Interest", "Principal", "Extra", "Rate", "Adjustment"};

std::string Money(double v)
{
    return FormatMoney(v);
}

} // namespace

CGridPrintout::CGridPrintout(const GridTable &table)
    : table_(table)
    , level_(LevelPaymentGrid(table))
    , totals_(ComputeGridTotals(table, level_))
{
    const int months = GridMonthCount(table_);
    for (int n = 1; n <= months; ++n) {
        lines_.push_back({n, (n + 11) / 12});
        if (n % 12 == 0 || n == months)
            lines_.push_back({0, (n + 11) / 12});
    }
    linesPerPage_ = std::max(1, (kFirstRowY - kLastRowBottom) / kLineStep);
    tablePages_ = static_cast<int>((lines_.size() + linesPerPage_ - 1) / linesPerPage_);
    pageCount_ = tablePages_ + 1; // the totals and the chart
}

void CGridPrintout::DrawHeader(PrintSurface &s, int y) const
{
    s.SelectPrintFont(kHeaderFont);
    s.TextRight(kMonthRight, y, "Month");
    s.TextLeft(kDateLeft, y, "Date");
    for (int f = 0; f < kGridFieldCount; ++f)
        s.TextRight(kFieldRight[f], y, kFieldTitle[f]);
    s.SelectPrintPen(kPenThin);
    s.DrawPrintLine(kLeftMargin, y - kLineStep + 10, kRightMargin, y - kLineStep + 10);
}

CGridPrintout::ChartBox CGridPrintout::DrawPage(PrintSurface &s, int page) const
{
    ChartBox chart;
    s.SelectPrintFont(kTitleFont);
    s.TextCentred(kPageCentreX, kPageTopY, "Amortization Grid");
    s.SelectPrintFont(kNoteFont);
    std::string note;
    if (GridHasLoan(table_)) {
        note = "Loan of " + Money(table_.Month(1).Balance) + " over " + std::to_string(GridTermMonths(table_) / 12)
            + " years";
        if (const std::string first = GridDateText(table_.StartDate, 1); !first.empty())
            note += ", first payment " + first;
    } else {
        note = "There is no amortization data to print.";
    }
    s.TextCentred(kPageCentreX, kPageTopY - 260, note);

    if (page >= 1 && page <= tablePages_) {
        DrawHeader(s, kHeaderY);
        const std::size_t first = static_cast<std::size_t>(page - 1) * linesPerPage_;
        const std::size_t last = std::min(lines_.size(), first + linesPerPage_);
        int y = kFirstRowY;
        for (std::size_t i = first; i < last; ++i, y -= kLineStep) {
            const Line &line = lines_[i];
            if (line.month > 0) {
                s.SelectPrintFont(kRowFont);
                const GridRow &row = table_.Month(line.month);
                s.TextRight(kMonthRight, y, std::to_string(line.month));
                s.TextLeft(kDateLeft, y, GridDateText(table_.StartDate, line.month));
                for (int f = 0; f < kGridFieldCount; ++f)
                    s.TextRight(kFieldRight[f], y, GridFieldText(f, GridValue(row, f)));
                continue;
            }
            // The year's sums of what was paid; balances and rates do not add up.
            double sums[kGridFieldCount] = {};
            const int from = (line.year - 1) * 12 + 1;
            const int to = std::min(line.year * 12, GridMonthCount(table_));
            for (int n = from; n <= to; ++n) {
                const GridRow &row = table_.Month(n);
                sums[kGridPayment] += ToCents(row.Payment);
                sums[kGridInterest] += row.Interest;
                sums[kGridPrincipal] += row.Principal;
                sums[kGridExtra] += row.Extra;
                sums[kGridAdjustment] += row.Adjustment;
            }
            s.SelectPrintFont(kSubtotalFont);
            s.TextLeft(kDateLeft, y, "Year " + std::to_string(line.year));
            for (int f : {kGridPayment, kGridInterest, kGridPrincipal, kGridExtra, kGridAdjustment})
                s.TextRight(kFieldRight[f], y, Money(sums[f]));
            s.SelectPrintPen(kPenThin);
            s.DrawPrintLine(kDateLeft, y + 10, kRightMargin, y + 10);
        }
    } else if (page == pageCount_ && GridHasLoan(table_)) {
        s.SelectPrintFont(kHeaderFont);
        int y = kHeaderY;
        const std::pair<std::string, std::string> totals[] = {
            {"Total paid", Money(totals_.totalPaid)},
            {"Total interest", Money(totals_.totalInterest)},
            {"Payoff date", totals_.payoffDate.empty() ? std::string("-") : totals_.payoffDate},
            {"Months of payments", std::to_string(totals_.months)},
            {"Months saved against the loan paid as agreed", std::to_string(totals_.monthsSaved)},
        };
        for (const auto &[label, value] : totals) {
            s.TextLeft(kLeftMargin + 500, y, label);
            s.TextRight(kRightMargin - 500, y, value);
            y -= kLineStep + 40;
        }
        chart.left = kLeftMargin;
        chart.top = y - 200;
        chart.width = kRightMargin - kLeftMargin;
        chart.height = 4500;
    }

    s.SelectPrintFont(kNoteFont);
    s.TextCentred(kPageCentreX, kFooterY, "Page " + std::to_string(page) + " of " + std::to_string(pageCount_));
    return chart;
}

bool RenderChartPages(QPainter &painter, QPagedPaintDevice &device, int pageCount, const ChartPageFunction &drawPage,
    const BalanceChartData &chart, int fromPage, int toPage)
{
    const int first = fromPage > 0 ? std::min(fromPage, pageCount) : 1;
    const int last = toPage > 0 ? std::clamp(toPage, first, pageCount) : pageCount;
    CPrintKit kit(painter);
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage())
            return false;
        painter.save();
        const PageGeometry geometry = GeometryOf(device);
        kit.PreparePrintDC(geometry);
        const PrintChartBox box = drawPage(kit, page);
        if (!box.empty()) {
            // The chart draws with y down: flip the page's y axis back for it.
            painter.setTransform(QTransform(1, 0, 0, -1, 0, 0) * PageTransform(geometry));
            QFont font(QStringLiteral("Arial"));
            font.setStyleHint(QFont::SansSerif);
            font.setPixelSize(110);
            DrawBalanceChart(painter, QRectF(box.left, -box.top, box.width, box.height), chart, font);
        }
        painter.restore();
    }
    return true;
}

bool RenderGridPrintout(
    QPainter &painter, QPagedPaintDevice &device, const CGridPrintout &printout, int fromPage, int toPage)
{
    return RenderChartPages(
        painter, device, printout.PageCount(), [&](PrintSurface &s, int page) { return printout.DrawPage(s, page); },
        BalanceChartOf(printout.Table(), printout.Level()), fromPage, toPage);
}

bool WriteGridPdf(const CGridPrintout &printout, const QString &path, QString *error)
{
    return WritePrivatePdf(
        path, QStringLiteral("Amortization Grid"),
        [&](QPainter &painter, QPagedPaintDevice &device) { return RenderGridPrintout(painter, device, printout); },
        error);
}

} // namespace tw
