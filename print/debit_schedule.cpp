#include "print/debit_schedule.h"

#include "format/dates.h"
#include "format/fit_text.h"
#include "format/number_text.h"
#include "print/enrollment_page.h"
#include "record/client_record.h"

#include <string>

namespace tw {

namespace {

constexpr int kScheduleFont = 14;
constexpr int kTitleFont = 114;
constexpr int kFirstRowY = -1000;
constexpr int kColumnBottomY = -10000;
constexpr int kFirstColumnX = 1000;
constexpr int kColumnStep = 2500;

constexpr int kHeaderFont = 6;
constexpr int kHeaderY = -872;
constexpr int kHeaderWidth = kRightMargin - kLeftMargin;

int LastCalendarIndex()
{
    return kCalendarEntries - 1;
}

// The prepared range, kept inside the calendar.
int FirstIndex(const LoanAnalysis &a)
{
    return a.FirstDebitIndex < 0 ? 0
                                 : (a.FirstDebitIndex > LastCalendarIndex() ? LastCalendarIndex() : a.FirstDebitIndex);
}
int LastIndex(const LoanAnalysis &a)
{
    return a.PayoffDebitIndex < kCalendarEntries ? a.PayoffDebitIndex : LastCalendarIndex();
}

std::string LastFourDigits(const std::string &account)
{
    std::string digits;
    for (const char c : account)
        if (c >= '0' && c <= '9')
            digits += c;
    return digits.size() > 4 ? digits.substr(digits.size() - 4) : digits;
}

} // namespace

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

std::string DebitScheduleHeader(PrintSurface &s, const CClientRecord &r, int maxWidth)
{
    const LoanAnalysis &a = r.Analysis;
    const TextWidthFunction measure = [&s](std::string_view t) { return s.TextWidth(t); };
    std::string name;
    for (const std::string *part : {&r.FirstName1, &r.MI1, &r.LastName1})
        if (!part->empty())
            name += (name.empty() ? "" : " ") + *part;
    std::string text = FitTextToWidth(measure, name, maxWidth / 4, true);
    std::string bank = FitTextToWidth(measure, r.BankName, maxWidth / 4, true);
    const std::string four = LastFourDigits(r.BankAccountNumber);
    if (!four.empty())
        bank += (bank.empty() ? "account ending " : ", account ending ") + four;
    if (!bank.empty())
        text += (text.empty() ? "" : "  -  ") + bank;
    const int first = FirstIndex(a);
    const int last = LastIndex(a);
    text += (text.empty() ? "" : "  -  ") + std::string("$") + FormatMoney(BiWeeklyTotalAmount(r)) + " every two weeks";
    if (last >= first) {
        text += "  -  " + DateTextOfDay(a.DebitCalendar[static_cast<std::size_t>(first)]) + " to "
            + DateTextOfDay(a.DebitCalendar[static_cast<std::size_t>(last)]) + "  -  "
            + std::to_string(last - first + 1) + " debits";
    }
    return FitTextToWidth(measure, text, maxWidth, true);
}

void DrawDebitSchedulePage(PrintSurface &s, int page, const CClientRecord &record)
{
    DrawDebitSchedulePage(s, page, record.Analysis);
    s.SelectPrintFont(kHeaderFont);
    s.TextCentred(kPageCentreX, kHeaderY, DebitScheduleHeader(s, record, kHeaderWidth));
    s.SelectPrintFont(kScheduleFont);
}

int DebitSchedulePageCount(PrintSurface &s, const LoanAnalysis &a)
{
    s.SelectPrintFont(kScheduleFont);
    const DebitPageLayout layout = DebitLayoutForHeight(s.TextHeight("X"));
    const long long dates = static_cast<long long>(LastIndex(a)) - FirstIndex(a) + 1;
    if (dates <= 0 || layout.linesPerPage <= 0)
        return 1;
    return static_cast<int>((dates + layout.linesPerPage - 1) / layout.linesPerPage);
}

} // namespace tw
