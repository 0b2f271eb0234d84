#pragma once

#include "engine/grid.h"
#include "print/grid_chart.h"
#include "print/print_surface.h"

#include <QString>

#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace tw {

// Where a page leaves room for a balance chart, in page units (y up): x, y of the
// top-left corner, width and height; empty on pages without one.
struct PrintChartBox {
    int left = 0, top = 0, width = 0, height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
};

// The amortization grid on paper: a title, the months in rows under a column header
// that every page repeats, a subtotal line after each year of the loan, "Page n of N" at
// the foot, and a last page with the totals and the balance chart.
class CGridPrintout {
public:
    explicit CGridPrintout(const GridTable &table);

    int PageCount() const { return pageCount_; }
    int LinesPerPage() const { return linesPerPage_; }

    // Draws page `page` (1-based) except the chart, whose rectangle in page units (y up,
    // as x, y of the top-left corner, width and height) it returns; empty on pages
    // without it.
    using ChartBox = PrintChartBox;
    ChartBox DrawPage(PrintSurface &s, int page) const;

    const GridTable &Table() const { return table_; }
    const GridTable &Level() const { return level_; }

private:
    struct Line {
        int month = 0; // a month's row, or 0 for the subtotal of `year`
        int year = 0;
    };
    void DrawHeader(PrintSurface &s, int y) const;

    GridTable table_;
    GridTable level_;
    GridTotals totals_;
    std::vector<Line> lines_;
    int linesPerPage_ = 1;
    int tablePages_ = 0;
    int pageCount_ = 1;
};

// Draws pages `fromPage` to `toPage` (0: all) of a printout on an active painter over a
// paged device, through the print kit; in the box a page leaves, the chart of `chart`
// through the same routine as the screen.
using ChartPageFunction = std::function<PrintChartBox(PrintSurface &surface, int page)>;
bool RenderChartPages(QPainter &painter, QPagedPaintDevice &device, int pageCount, const ChartPageFunction &drawPage,
    const BalanceChartData &chart, int fromPage = 0, int toPage = 0);

// Every page (or from..to) of the grid's printout, as above.
bool RenderGridPrintout(
    QPainter &painter, QPagedPaintDevice &device, const CGridPrintout &printout, int fromPage = 0, int toPage = 0);

// Writes the printout to a letter-size PDF through WritePrivatePdf.
bool WriteGridPdf(const CGridPrintout &printout, const QString &path, QString *error);

} // namespace tw
