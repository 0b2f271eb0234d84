#include "print/debit_schedule.h"

#include "format/dates.h"

#include <string>

namespace tw {

namespace {

constexpr int kScheduleFont = 14;
constexpr int kTitleFont = 114;
constexpr int kFirstRowY = -1000;
constexpr int kColumnBottomY = -10000;
constexpr int kFirstColumnX = 1000;
constexpr int kColumnStep = 2500;

int LastCalendarIndex()
{
    return kCalendarEntries - 1;
}

} // namespace

std::optional<std::string> PrepareDebitSchedule(LoanAnalysis &a)
{
    if (a.DebitCalendar[0] <= 0 || !IsDateText(a.FirstDebitDate) || !IsDateText(a.PayoffDate))
        return std::string(kNoDemoForScheduleMessage);

    const int start = DayNumberOfDateText(a.FirstDebitDate);
    const int end = DayNumberOfDateText(a.PayoffDate);
    const int last = LastCalendarIndex();

    int first = 0;
    while (first < last && a.DebitCalendar[first] < start)
        ++first;
    int payoff = first;
    int count = 1;
    while (payoff < last && a.DebitCalendar[payoff] < end) {
        ++payoff;
        ++count;
    }
    a.FirstDebitIndex = first;
    a.PayoffDebitIndex = payoff;
    a.DebitCount = count;
    return std::nullopt;
}

DebitPageLayout DebitLayoutForHeight(int textHeight)
{
    // A font that reports no height would never fill a column; one unit keeps the
    // count finite (the page's own limits stop the drawing).
    const int h = textHeight < 1 ? 1 : (textHeight > -kColumnBottomY ? -kColumnBottomY : textHeight);
    DebitPageLayout layout;
    layout.lineStep = h + h / 2;
    // Counted as the rows are laid out: from 1000 down the page, until the next row
    // would be at or below 10000.
    double y = 1000.0;
    int lines = 0;
    while (y < 10000.0) {
        y += layout.lineStep;
        ++lines;
    }
    layout.linesPerColumn = lines;
    layout.linesPerPage = 3 * lines;
    return layout;
}

DebitPageLayout DrawDebitSchedulePage(PrintSurface &s, int page, const LoanAnalysis &a)
{
    s.SelectPrintFont(kScheduleFont);
    const DebitPageLayout layout = DebitLayoutForHeight(s.TextHeight("X"));
    const long long startIndex = static_cast<long long>(page - 1) * layout.linesPerPage + a.FirstDebitIndex;

    s.SelectPrintFont(kTitleFont);
    s.TextCentred(kPageCentreX, -700, "Bi-Weekly Debit Dates");
    s.SelectPrintFont(kScheduleFont);

    // Dates run through the payoff debit, never past the calendar's ends.
    const long long lastIndex = a.PayoffDebitIndex < kCalendarEntries ? a.PayoffDebitIndex : LastCalendarIndex();
    if (page >= 1 && startIndex >= 0 && startIndex <= lastIndex) {
        long long index = startIndex;
        int x = kFirstColumnX;
        int y = kFirstRowY;
        for (int n = 0; n < layout.linesPerPage && index <= lastIndex; ++n, ++index) {
            if (y <= kColumnBottomY) {
                y = kFirstRowY;
                x += kColumnStep;
            }
            const std::string date = DateTextOfDay(a.DebitCalendar[static_cast<std::size_t>(index)]);
            s.TextLeft(x, y, LongDateText(CompactFromDateText(date)));
            y -= layout.lineStep;
        }
    }

    s.TextCentred(kPageCentreX, -10500, "Page " + std::to_string(page));
    return layout;
}

} // namespace tw
