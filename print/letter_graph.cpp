#include "print/letter_graph.h"

#include "engine/figures.h"
#include "engine/schedules.h"
#include "format/number_text.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

constexpr int kLabelFont = 10;
constexpr int kSmallFont = 8;
constexpr double kDash = 150;
constexpr double kGap = 90;
constexpr int kTick = 60;
constexpr int kMarker = 55;

int Round(double v)
{
    return static_cast<int>(std::lround(v));
}

template <std::size_t N>
std::vector<BalancePoint> CurveOf(const Schedule<N> &s, int lastRow)
{
    std::vector<BalancePoint> points;
    const int end = std::clamp(lastRow, 0, static_cast<int>(N) - 1);
    points.reserve(static_cast<std::size_t>(end) + 1);
    for (int k = 0; k <= end; ++k)
        points.push_back({k * kOneTwelfth, BalanceOrZero(s, k)});
    return points;
}

void DrawMarker(PrintSurface &s, bool diamond, double x, double y)
{
    if (diamond) {
        const int r = kMarker + 15;
        const int cx = Round(x);
        const int cy = Round(y);
        s.DrawPrintLine(cx - r, cy, cx, cy + r);
        s.DrawPrintLine(cx, cy + r, cx + r, cy);
        s.DrawPrintLine(cx + r, cy, cx, cy - r);
        s.DrawPrintLine(cx, cy - r, cx - r, cy);
        return;
    }
    constexpr int kSides = 12;
    for (int i = 0; i < kSides; ++i) {
        const double a0 = 2 * M_PI * i / kSides;
        const double a1 = 2 * M_PI * (i + 1) / kSides;
        s.DrawPrintLine(Round(x + kMarker * std::cos(a0)), Round(y + kMarker * std::sin(a0)),
            Round(x + kMarker * std::cos(a1)), Round(y + kMarker * std::sin(a1)));
    }
}

void DrawSolidPolyline(PrintSurface &s, const std::vector<PagePoint> &points)
{
    for (std::size_t i = 1; i < points.size(); ++i)
        s.DrawPrintLine(Round(points[i - 1].x), Round(points[i - 1].y), Round(points[i].x), Round(points[i].y));
}

} // namespace

GraphBox LetterGraphBox()
{
    return {1500, -8500, 7800, -9880};
}

BalanceCurves LetterBalanceCurves(const LoanAnalysis &a)
{
    BalanceCurves c;
    const int rows = ComputedRows(a);
    const int planMonths = CountRowsAbove(a.BiWeeklySchedule, &ScheduleRow::Interest, rows);
    c.monthly = CurveOf(a.MonthlySchedule, a.TermMonths);
    c.plan = CurveOf(a.BiWeeklySchedule, planMonths);
    c.monthlyPayoffYears = a.TermMonths * kOneTwelfth;
    c.planPayoffYears = planMonths * kOneTwelfth;
    c.todayYears = a.PlanStartPayment * kOneTwelfth;
    return c;
}

AxisScale BalanceAxisScale(double largest)
{
    if (!(largest > 0))
        return {1, 1};
    const double magnitude = std::pow(10.0, std::floor(std::log10(largest)));
    for (const double unit : {0.2, 0.25, 0.5, 1.0, 2.0, 2.5, 5.0}) {
        const double step = unit * magnitude;
        const double steps = std::ceil(largest / step - 1e-9);
        if (steps <= 5)
            return {steps * step, step};
    }
    return {10 * magnitude, 2 * magnitude};
}

int YearStep(double years)
{
    for (const int step : {1, 2, 5, 10})
        if (years / step <= 8)
            return step;
    return 20;
}

std::string WholeDollars(double value)
{
    std::string money = FormatMoney(value);
    if (money.size() > 3)
        money.resize(money.size() - 3);
    else
        money = "0";
    return "$" + money;
}

void DrawDashedPolyline(PrintSurface &s, const std::vector<PagePoint> &points, double dash, double gap)
{
    if (dash <= 0 || gap < 0) {
        DrawSolidPolyline(s, points);
        return;
    }
    bool drawing = true;
    double left = dash; // of the current dash or gap
    for (std::size_t i = 1; i < points.size(); ++i) {
        PagePoint from = points[i - 1];
        const PagePoint to = points[i];
        double length = std::hypot(to.x - from.x, to.y - from.y);
        while (length > 0) {
            const double step = std::min(left, length);
            const double t = step / length;
            const PagePoint next {from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t};
            if (drawing)
                s.DrawPrintLine(Round(from.x), Round(from.y), Round(next.x), Round(next.y));
            from = next;
            length -= step;
            left -= step;
            if (left <= 1e-9) {
                drawing = !drawing;
                left = drawing ? dash : gap;
            }
        }
    }
}

void DrawBalanceGraph(PrintSurface &s, const LoanAnalysis &a, const GraphBox &box)
{
    const BalanceCurves c = LetterBalanceCurves(a);
    if (c.monthly.size() < 2 || !(c.monthly.front().balance > 0))
        return;
    const double span = std::max(c.monthlyPayoffYears, 1.0);
    const AxisScale scale = BalanceAxisScale(c.monthly.front().balance);
    const double width = box.right - box.left;
    const double height = box.top - box.bottom;
    auto px = [&](double years) { return box.left + width * std::clamp(years / span, 0.0, 1.0); };
    auto py = [&](double balance) { return box.bottom + height * std::clamp(balance / scale.top, 0.0, 1.0); };
    auto toPage = [&](const std::vector<BalancePoint> &curve) {
        std::vector<PagePoint> points;
        points.reserve(curve.size());
        for (const BalancePoint &p : curve)
            points.push_back({px(p.years), py(p.balance)});
        return points;
    };

    // Axes with their ticks and labels.
    s.SelectPrintPen(kPenThin);
    s.DrawPrintLine(box.left, box.bottom, box.right, box.bottom);
    s.DrawPrintLine(box.left, box.bottom, box.left, box.top);
    s.SelectPrintFont(kLabelFont);
    const int labelHeight = s.TextHeight("0");
    const int yearStep = YearStep(span);
    for (int year = 0; year <= span + 1e-9; year += yearStep) {
        const int x = Round(px(year));
        s.DrawPrintLine(x, box.bottom, x, box.bottom - kTick);
        s.TextCentred(x, box.bottom - kTick - 10, std::to_string(year));
    }
    const int steps = static_cast<int>(std::lround(scale.top / scale.step));
    for (int i = 0; i <= steps; ++i) {
        const int y = Round(py(i * scale.step));
        s.DrawPrintLine(box.left - kTick, y, box.left, y);
        s.TextRight(box.left - kTick - 30, y + labelHeight / 2, WholeDollars(i * scale.step));
    }
    s.TextCentred(Round((box.left + box.right) / 2.0), box.bottom - kTick - 20 - labelHeight,
        "Years from the first mortgage payment");
    s.TextLeft(kLeftMargin, box.top + 230, "Balance owed");

    // Where the plan begins.
    if (c.todayYears > 0 && c.todayYears < span) {
        const double x = px(c.todayYears);
        std::vector<PagePoint> line {{x, double(box.bottom)}, {x, double(box.top)}};
        DrawDashedPolyline(s, line, 20, 50);
        s.SelectPrintFont(kSmallFont);
        s.TextLeft(Round(x) + 40, box.top, "Today");
    }

    // The two balances: heavy solid as now, heavy dashed with the plan.
    s.SelectPrintPen(kPenThick);
    DrawSolidPolyline(s, toPage(c.monthly));
    DrawDashedPolyline(s, toPage(c.plan), kDash, kGap);
    s.SelectPrintPen(kPenThin);
    DrawMarker(s, false, px(c.monthlyPayoffYears), box.bottom);
    DrawMarker(s, true, px(c.planPayoffYears), box.bottom);

    // The legend, above the plot, says which is which and when each is paid off.
    s.SelectPrintFont(kLabelFont);
    const int legendY = box.top + 230;
    const int legendMid = legendY - labelHeight / 2;
    struct Entry {
        int x;
        bool dashed;
        std::string text;
    };
    const Entry entries[] = {
        {1500, false, "As now: paid off in " + FormatOneDecimal(c.monthlyPayoffYears) + " years"},
        {4300, true, "With our service: paid off in " + FormatOneDecimal(c.planPayoffYears) + " years"},
    };
    for (const Entry &e : entries) {
        s.SelectPrintPen(kPenThick);
        const std::vector<PagePoint> sample {{double(e.x), double(legendMid)}, {e.x + 400.0, double(legendMid)}};
        if (e.dashed)
            DrawDashedPolyline(s, sample, kDash, kGap);
        else
            DrawSolidPolyline(s, sample);
        s.SelectPrintPen(kPenThin);
        DrawMarker(s, e.dashed, e.x + 200.0, legendMid);
        s.TextLeft(e.x + 480, legendY, e.text);
    }
}

} // namespace tw
