#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

namespace tw {

struct GridTable;

// One line of a balance chart: a balance month by month from month 1 to the month
// after the last payment.
struct ChartSeries {
    QString name;
    std::vector<double> values;
};
using BalanceChartData = std::vector<ChartSeries>;

// The grid's balance against the loan paid as agreed.
BalanceChartData BalanceChartOf(const GridTable &grid, const GridTable &level);

// Draws the chart into `target` (y pointing down) with `font` for its labels: axes with
// money and year marks, one line per series and a legend under them. Lines are told
// apart by their dash pattern and weight, never by colour alone, so that a greyscale
// printout reads as well as the screen: the first series is dashed grey, the second
// solid and heavy. The same routine draws on the screen, on paper and into images.
void DrawBalanceChart(QPainter &painter, const QRectF &target, const BalanceChartData &data, const QFont &font);

} // namespace tw
