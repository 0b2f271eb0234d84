#pragma once

#include "engine/grid_compare.h"
#include "print/grid_print.h"

#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace tw {

// The grid's scenarios side by side on one page: the loan, a row per scenario with its
// totals, what was left out, and the balance chart of them all.
class CComparisonPrintout {
public:
    CComparisonPrintout(const GridTable &grid, GridComparison comparison);

    int PageCount() const { return 1; }
    PrintChartBox DrawPage(PrintSurface &s, int page) const;
    const GridComparison &Comparison() const { return comparison_; }

private:
    std::string loanNote_;
    GridComparison comparison_;
};

// The chart's lines for a comparison, in its order.
BalanceChartData ComparisonChartOf(const GridComparison &comparison);

bool RenderComparisonPrintout(QPainter &painter, QPagedPaintDevice &device, const CComparisonPrintout &printout,
    int fromPage = 0, int toPage = 0);
// Writes the printout to a letter-size PDF through WritePrivatePdf.
bool WriteComparisonPdf(const CComparisonPrintout &printout, const QString &path, QString *error);

} // namespace tw
