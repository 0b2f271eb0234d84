#pragma once

#include <QFont>
#include <QRectF>

#include <vector>

class QPainter;

namespace tw {

struct GridTable;

// What the balance chart shows: the grid's balance month by month against the loan paid
// as agreed, each from month 1 to the month after its last payment.
struct BalanceChartData {
    std::vector<double> grid;
    std::vector<double> level;
};
BalanceChartData BalanceChartOf(const GridTable &grid, const GridTable &level);

// Draws the chart into `target` (y pointing down) with `font` for its labels: axes with
// money and year marks, the level-payment loan dashed, the grid's balance solid, and a
// legend. The same routine draws on the screen, on paper and into images.
void DrawBalanceChart(QPainter &painter, const QRectF &target, const BalanceChartData &data, const QFont &font);

} // namespace tw
