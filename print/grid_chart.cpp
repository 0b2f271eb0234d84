#include "print/grid_chart.h"

#include "engine/grid.h"
#include "format/number_text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

std::vector<double> Balances(const GridTable &t)
{
    const int months = GridMonthCount(t);
    std::vector<double> v;
    v.reserve(static_cast<std::size_t>(months) + 1);
    for (int n = 1; n <= months; ++n)
        v.push_back(t.Month(n).Balance);
    if (months > 0)
        v.push_back(0); // paid off after the last month
    return v;
}

// A round step for about `ticks` marks up to `top`: 1, 2 or 5 times a power of ten.
double NiceStep(double top, int ticks)
{
    const double raw = top / std::max(ticks, 1);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= raw)
            return m * power;
    return 10 * power;
}

QPolygonF Line(const std::vector<double> &values, const QRectF &plot, int months, double top)
{
    QPolygonF points;
    points.reserve(static_cast<int>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double x = plot.left() + plot.width() * double(i) / months;
        const double y = plot.bottom() - plot.height() * std::clamp(values[i] / top, 0.0, 1.0);
        points << QPointF(x, y);
    }
    return points;
}

// The pen of series `i`: patterns and weights a photocopy keeps apart.
QPen SeriesPen(std::size_t i, double line)
{
    const double thin = std::max(1.0, line / 10);
    const double heavy = std::max(1.5, line / 6);
    switch (i % 7) {
    case 0:
        return QPen(QColor(110, 110, 110), thin, Qt::DashLine);
    case 1:
        return QPen(Qt::black, heavy, Qt::SolidLine);
    case 2:
        return QPen(Qt::black, thin * 1.5, Qt::DotLine);
    case 3:
        return QPen(Qt::black, thin * 1.5, Qt::DashDotLine);
    case 4:
        return QPen(Qt::black, thin * 1.5, Qt::DashDotDotLine);
    case 5:
        return QPen(QColor(90, 90, 90), thin, Qt::SolidLine);
    default: {
        QPen pen(Qt::black, heavy, Qt::CustomDashLine);
        pen.setDashPattern({6, 2, 1, 2});
        return pen;
    }
    }
}

struct LegendEntry {
    QPointF at; // left end of the swatch, on the text's middle line
    std::size_t series;
};

// Lays the legend's entries out in rows of `width`; returns the rows used.
int LayOutLegend(const BalanceChartData &data, const QFontMetricsF &fm, double left, double top, double width,
    double swatch, double gap, std::vector<LegendEntry> *entries)
{
    const double line = fm.height();
    int rows = data.empty() ? 0 : 1;
    double x = left;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const double w = swatch + gap + fm.horizontalAdvance(data[i].name);
        if (x > left && x + w > left + width) {
            x = left;
            ++rows;
        }
        if (entries)
            entries->push_back({QPointF(x, top + (rows - 1) * line + line / 2), i});
        x += w + 2 * line;
    }
    return rows;
}

} // namespace

BalanceChartData BalanceChartOf(const GridTable &grid, const GridTable &level)
{
    return {{QStringLiteral("Loan paid as agreed"), Balances(level)},
        {QStringLiteral("Balance in this grid"), Balances(grid)}};
}

void DrawBalanceChart(QPainter &painter, const QRectF &target, const BalanceChartData &data, const QFont &font)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    const QFontMetricsF fm(font, painter.device());
    const double line = fm.height();
    const double gap = line * 0.4;
    const double swatch = line * 2.4; // long enough to show a dash pattern

    double top = 0;
    std::size_t longest = 2;
    for (const ChartSeries &series : data) {
        for (double v : series.values)
            top = std::max(top, v);
        longest = std::max(longest, series.values.size());
    }
    const int months = static_cast<int>(longest) - 1; // x of the last point

    QPen axisPen(Qt::black, std::max(1.0, line / 14));
    if (top <= 0) {
        painter.setPen(axisPen);
        painter.drawText(target, Qt::AlignCenter, QStringLiteral("No balance to chart"));
        painter.restore();
        return;
    }
    const double step = NiceStep(top, 4);
    top = std::ceil(top / step) * step;

    // Room for the money labels on the left, the years and the legend below.
    double labelWidth = 0;
    for (double v = 0; v <= top + step / 2; v += step)
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(QString::fromStdString(FormatMoney(v))));
    const double plotLeft = target.left() + labelWidth + gap;
    const double plotWidth
        = std::max(1.0, target.width() - labelWidth - gap - fm.horizontalAdvance(QStringLiteral("00")) / 2);
    // "Years" stands at the right of the legend's first row.
    const QString yearsLabel = QStringLiteral("Years");
    const double legendWidth = std::max(line, plotWidth - fm.horizontalAdvance(yearsLabel) - line);
    const int legendRows = LayOutLegend(data, fm, plotLeft, 0, legendWidth, swatch, gap, nullptr);
    const QRectF plot(plotLeft, target.top() + line / 2, plotWidth,
        std::max(1.0, target.height() - line / 2 - (1 + legendRows) * line - 2 * gap));

    painter.setPen(QPen(QColor(225, 225, 225), axisPen.widthF()));
    for (double v = step; v <= top + step / 2; v += step) {
        const double y = plot.bottom() - plot.height() * v / top;
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    painter.setPen(axisPen);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    for (double v = 0; v <= top + step / 2; v += step) {
        const double y = plot.bottom() - plot.height() * v / top;
        const QString label = QString::fromStdString(FormatMoney(v));
        painter.drawText(
            QPointF(plot.left() - gap - fm.horizontalAdvance(label), y + fm.ascent() / 2 - fm.descent() / 2), label);
    }
    const int years = (months + 11) / 12;
    const int yearStep = years > 20 ? 5 : (years > 8 ? 2 : 1);
    for (int y = 0; y <= years; y += yearStep) {
        const double x = plot.left() + plot.width() * std::min(1.0, y * 12.0 / months);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + gap));
        const QString label = QString::number(y);
        painter.drawText(QPointF(x - fm.horizontalAdvance(label) / 2, plot.bottom() + gap + fm.ascent()), label);
    }

    painter.setBrush(Qt::NoBrush);
    for (std::size_t i = 0; i < data.size(); ++i) {
        painter.setPen(SeriesPen(i, line));
        painter.drawPolyline(Line(data[i].values, plot, months, top));
    }

    // The legend under the years, wrapping onto as many rows as it needs.
    std::vector<LegendEntry> entries;
    const double legendTop = plot.bottom() + gap + line + gap;
    LayOutLegend(data, fm, plot.left(), legendTop, legendWidth, swatch, gap, &entries);
    painter.setPen(axisPen);
    painter.drawText(QPointF(plot.right() - fm.horizontalAdvance(yearsLabel), legendTop + fm.ascent()), yearsLabel);
    for (const LegendEntry &e : entries) {
        painter.setPen(SeriesPen(e.series, line));
        painter.drawLine(e.at, e.at + QPointF(swatch, 0));
        painter.setPen(axisPen);
        painter.drawText(
            QPointF(e.at.x() + swatch + gap, e.at.y() + fm.ascent() / 2 - fm.descent() / 2), data[e.series].name);
    }
    painter.restore();
}

} // namespace tw
