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

} // namespace

BalanceChartData BalanceChartOf(const GridTable &grid, const GridTable &level)
{
    return {Balances(grid), Balances(level)};
}

void DrawBalanceChart(QPainter &painter, const QRectF &target, const BalanceChartData &data, const QFont &font)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    const QFontMetricsF fm(font, painter.device());
    const double line = fm.height();
    const double gap = line * 0.4;

    double top = 0;
    for (const auto *series : {&data.grid, &data.level})
        for (double v : *series)
            top = std::max(top, v);
    const int months
        = static_cast<int>(std::max({data.grid.size(), data.level.size(), std::size_t(2)})) - 1; // x of the last point

    QPen axisPen(Qt::black, std::max(1.0, line / 14));
    QPen gridPen(QColor(0, 90, 170), std::max(1.5, line / 7));
    QPen levelPen(QColor(120, 120, 120), std::max(1.0, line / 10), Qt::DashLine);

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
    const QRectF plot(target.left() + labelWidth + gap, target.top() + line / 2,
        std::max(1.0, target.width() - labelWidth - gap - fm.horizontalAdvance(QStringLiteral("00")) / 2),
        std::max(1.0, target.height() - line / 2 - 2 * line - 2 * gap));

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
    painter.setPen(levelPen);
    painter.drawPolyline(Line(data.level, plot, months, top));
    painter.setPen(gridPen);
    painter.drawPolyline(Line(data.grid, plot, months, top));

    // Legend under the years.
    const double legendY = plot.bottom() + gap + line + gap + fm.ascent() / 2;
    const double swatch = line * 1.6;
    double x = plot.left();
    const QString gridLabel = QStringLiteral("Balance in this grid");
    const QString levelLabel = QStringLiteral("Loan paid as agreed");
    const QString yearsLabel = QStringLiteral("Years");
    painter.setPen(gridPen);
    painter.drawLine(QPointF(x, legendY), QPointF(x + swatch, legendY));
    x += swatch + gap;
    painter.setPen(axisPen);
    painter.drawText(QPointF(x, legendY + fm.ascent() / 2 - fm.descent() / 2), gridLabel);
    x += fm.horizontalAdvance(gridLabel) + 2 * line;
    painter.setPen(levelPen);
    painter.drawLine(QPointF(x, legendY), QPointF(x + swatch, legendY));
    x += swatch + gap;
    painter.setPen(axisPen);
    painter.drawText(QPointF(x, legendY + fm.ascent() / 2 - fm.descent() / 2), levelLabel);
    painter.drawText(
        QPointF(plot.right() - fm.horizontalAdvance(yearsLabel), legendY + fm.ascent() / 2 - fm.descent() / 2),
        yearsLabel);
    painter.restore();
}

} // namespace tw
