#include "print/letter_graph.h"

#include "engine/figures.h"
#include "engine/schedules.h"
#include "format/dates.h"
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
// Long enough for three dashes and two gaps, so the sample reads as dashed.
constexpr double kLegendSample = 540;
// The row above the plot that holds the dollar axis's title and the legend.
constexpr int kLegendRise = 220;
// Room between the "Today" line and its label, and between the label and the plot's edges.
constexpr int kLabelClearance = 40;

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

// A text's cell on the page: left, top, right, bottom (top above bottom).
struct PageRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// Whether the segment from a to b passes through the rectangle (clipped by Liang and
// Barsky: the parts of the segment's parameter range inside each pair of edges).
bool SegmentMeetsRect(PagePoint a, PagePoint b, const PageRect &r)
{
    double t0 = 0;
    double t1 = 1;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const std::pair<double, double> edges[]
        = {{-dx, a.x - r.left}, {dx, r.right - a.x}, {-dy, a.y - r.bottom}, {dy, r.top - a.y}};
    for (const auto &[p, q] : edges) {
        if (p == 0) {
            if (q < 0)
                return false;
            continue;
        }
        const double t = q / p;
        if (p < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

bool PolylineMeetsRect(const std::vector<PagePoint> &points, const PageRect &r)
{
    for (std::size_t i = 1; i < points.size(); ++i)
        if (SegmentMeetsRect(points[i - 1], points[i], r))
            return true;
    return false;
}

// Where the "Today" label goes: beside the line at the top of the plot, else at its
// foot, on whichever side keeps it inside the plot and clear of both curves (a curve
// is near the top for a new loan and near the foot for one nearly paid off). The
// thick pen's half width and the payoff markers on the axis are kept clear too.
PagePoint TodayLabelPlace(
    double lineX, int width, int height, const GraphBox &box, const std::vector<std::vector<PagePoint>> &curves)
{
    const double pad = 15;
    const double tops[] = {box.top - kLabelClearance / 2.0, box.bottom + kMarker + 15.0 + kLabelClearance + height};
    const double lefts[] = {lineX + kLabelClearance, lineX - kLabelClearance - width};
    PagePoint fallback {lefts[0], tops[0]};
    bool haveFallback = false;
    for (const double top : tops) {
        for (const double left : lefts) {
            if (left < box.left + kLabelClearance || left + width > box.right - kLabelClearance)
                continue;
            if (!haveFallback) {
                fallback = {left, top};
                haveFallback = true;
            }
            const PageRect r {left - pad, top + pad, left + width + pad, top - height - pad};
            if (std::none_of(curves.begin(), curves.end(), [&](const auto &c) { return PolylineMeetsRect(c, r); }))
                return {left, top};
        }
    }
    return fallback;
}

} // namespace

GraphBox LetterGraphBox()
{
    return {1500, -8470, 7750, -10060};
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
    c.todayYears = YearsFromFirstPayment(a.FirstPaymentDate, a.CurrentDate);
    return c;
}

double YearsFromFirstPayment(const std::string &firstPaymentDate, const std::string &date)
{
    if (!IsDateText(firstPaymentDate) || !IsDateText(date))
        return std::nan("");
    return (DayNumberOfDateText(date) - DayNumberOfDateText(firstPaymentDate)) / kDaysPerYear;
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

int YearAxisEnd(double years)
{
    const int step = YearStep(years);
    return std::max(step, static_cast<int>(std::ceil(years / step - 1e-9)) * step);
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
    // The axis ends on a tick, so a 15-year loan's axis runs to 16 with ticks every 2.
    const double span = std::max(c.monthlyPayoffYears, 1.0);
    const int yearStep = YearStep(span);
    const int axisEnd = YearAxisEnd(span);
    const AxisScale scale = BalanceAxisScale(c.monthly.front().balance);
    const double width = box.right - box.left;
    const double height = box.top - box.bottom;
    auto px = [&](double years) { return box.left + width * std::clamp(years / axisEnd, 0.0, 1.0); };
    auto py = [&](double balance) { return box.bottom + height * std::clamp(balance / scale.top, 0.0, 1.0); };
    auto toPage = [&](const std::vector<BalancePoint> &curve) {
        std::vector<PagePoint> points;
        points.reserve(curve.size());
        for (const BalancePoint &p : curve)
            points.push_back({px(p.years), py(p.balance)});
        return points;
    };
    const std::vector<PagePoint> monthly = toPage(c.monthly);
    const std::vector<PagePoint> plan = toPage(c.plan);

    // Axes with their ticks and labels.
    s.SelectPrintPen(kPenThin);
    s.DrawPrintLine(box.left, box.bottom, box.right, box.bottom);
    s.DrawPrintLine(box.left, box.bottom, box.left, box.top);
    s.SelectPrintFont(kLabelFont);
    const int labelHeight = s.TextHeight("0");
    for (int year = 0; year <= axisEnd; year += yearStep) {
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
    s.TextCentred(Round((box.left + box.right) / 2.0), box.bottom - kTick - 30 - labelHeight,
        "Years from the first mortgage payment");
    const int legendY = box.top + kLegendRise;
    s.TextLeft(kLeftMargin, legendY, "Balance owed");

    // Today, on the axis of years after the first payment; a loan whose first payment is
    // still ahead has no today on it.
    if (c.todayYears >= 0 && c.todayYears <= axisEnd) {
        const double x = px(c.todayYears);
        std::vector<PagePoint> line {{x, double(box.bottom)}, {x, double(box.top)}};
        DrawDashedPolyline(s, line, 20, 50);
        s.SelectPrintFont(kSmallFont);
        const PagePoint at = TodayLabelPlace(x, s.TextWidth("Today"), s.TextHeight("Today"), box, {monthly, plan});
        s.TextLeft(Round(at.x), Round(at.y), "Today");
    }

    // The two balances: heavy solid as now, heavy dashed with the plan.
    s.SelectPrintPen(kPenThick);
    DrawSolidPolyline(s, monthly);
    DrawDashedPolyline(s, plan, kDash, kGap);
    s.SelectPrintPen(kPenThin);
    DrawMarker(s, false, px(c.monthlyPayoffYears), box.bottom);
    DrawMarker(s, true, px(c.planPayoffYears), box.bottom);

    // The legend, above the plot: the payoff years count from the first payment, as the
    // axis does, not from today as the comparison's "Years To Pay Off" above it.
    s.SelectPrintFont(kSmallFont);
    const int legendMid = legendY - s.TextHeight("0") / 2;
    int x = box.left;
    const std::string lead = "Paid off, years from the first payment:";
    s.TextLeft(x, legendY, lead);
    x += s.TextWidth(lead) + 120;
    const std::pair<bool, std::string> entries[] = {
        {false, "as now " + FormatOneDecimal(c.monthlyPayoffYears)},
        {true, "with our service " + FormatOneDecimal(c.planPayoffYears)},
    };
    for (const auto &[dashed, text] : entries) {
        s.SelectPrintPen(kPenThick);
        const std::vector<PagePoint> sample {{double(x), double(legendMid)}, {x + kLegendSample, double(legendMid)}};
        if (dashed)
            DrawDashedPolyline(s, sample, kDash, kGap);
        else
            DrawSolidPolyline(s, sample);
        // The marker stands where the sample ends, as on the curve, clear of its gaps.
        s.SelectPrintPen(kPenThin);
        const int markerRadius = dashed ? kMarker + 15 : kMarker;
        DrawMarker(s, dashed, x + kLegendSample + markerRadius, legendMid);
        x += Round(kLegendSample) + 2 * markerRadius + 60;
        s.TextLeft(x, legendY, text);
        x += s.TextWidth(text) + 200;
    }
}

} // namespace tw
