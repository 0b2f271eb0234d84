#include "format/dates.h"
#include "loan_fixture.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using testing_support::Analyse;
using testing_support::LoanTexts;
using testing_support::MakeLoan;

std::vector<int> Listed(const LoanAnalysis &a)
{
    std::vector<int> out;
    for (int n : a.ExtraDebitPayments)
        if (n > 0)
            out.push_back(n);
    return out;
}

TEST(SetUpDebitDates, ReferenceLoanAlreadyRunning)
{
    auto a = MakeLoan();
    ASSERT_TRUE(SetUpDebitDates(*a));
    EXPECT_EQ(a->FirstDebitDate, "01/08/2027");
    EXPECT_EQ(a->FirstPlanPaymentDate, "02/01/2027");
    EXPECT_EQ(a->PlanStartPayment, 86);
    EXPECT_EQ(std::vector<int>(a->ExtraDebitPayments.begin(), a->ExtraDebitPayments.begin() + 4),
        (std::vector<int> {88, 94, 99, 105}));
    EXPECT_EQ(a->DebitCalendar[0], DayNumber("19960105"));
    EXPECT_EQ(a->DebitCalendar[2599], DayNumber("19960105") + 14 * 2599);
}

TEST(SetUpDebitDates, ReferenceLoanNotYetStarted)
{
    auto a = MakeLoan({.firstPayment = "03/01/2027"});
    ASSERT_TRUE(SetUpDebitDates(*a));
    EXPECT_EQ(a->FirstDebitDate, "02/05/2027");
    EXPECT_EQ(a->FirstPlanPaymentDate, "03/01/2027");
    EXPECT_EQ(a->PlanStartPayment, 1);
    EXPECT_EQ(std::vector<int>(a->ExtraDebitPayments.begin(), a->ExtraDebitPayments.begin() + 3),
        (std::vector<int> {2, 8, 13}));
}

TEST(SetUpDebitDates, ListsSixtyNineMonthsAndKeepsTheLastSlotEmpty)
{
    auto a = MakeLoan();
    a->ExtraDebitPayments.fill(777); // an earlier analysis
    ASSERT_TRUE(SetUpDebitDates(*a));
    EXPECT_EQ(Listed(*a).size(), 69u);
    EXPECT_EQ(a->ExtraDebitPayments[69], 0);
}

TEST(SetUpDebitDates, LateFirstPaymentDaysFallOnThe28th)
{
    for (const char *first : {"01/29/2020", "01/30/2020", "01/31/2020", "03/31/2027", "02/29/2028"}) {
        auto a = MakeLoan({.firstPayment = first});
        ASSERT_TRUE(SetUpDebitDates(*a)) << first;
        EXPECT_EQ(a->FirstPlanPaymentDate.substr(3, 2), "28") << first;
        const int firstDebit = DayNumberOfDateText(a->FirstDebitDate);
        EXPECT_EQ((firstDebit - a->DebitCalendar[0]) % 14, 0) << first;
    }
}

TEST(SetUpDebitDates, FirstDebitIsAtLeastTwelveDaysAway)
{
    // Loan first paid 03/01/2027: the debit chosen before the payment is 02/05/2027.
    auto close = MakeLoan({.today = "01/31/2027", .firstPayment = "03/01/2027"});
    ASSERT_TRUE(SetUpDebitDates(*close));
    EXPECT_EQ(close->FirstDebitDate, "03/05/2027"); // 5 days away: two debits later

    auto twelve = MakeLoan({.today = "01/24/2027", .firstPayment = "03/01/2027"});
    ASSERT_TRUE(SetUpDebitDates(*twelve));
    EXPECT_EQ(twelve->FirstDebitDate, "02/05/2027"); // 12 days away: kept
}

TEST(SetUpDebitDates, LoanNotStartedDebitsTwoToFourWeeksBeforeItsFirstPayment)
{
    for (int month = 1; month <= 12; ++month)
        for (int day : {1, 5, 14, 20, 28, 31}) {
            if (day > MonthLength(month, 2028))
                continue;
            const std::string first = DateText(month, day, 2028);
            auto a = MakeLoan({.firstPayment = first});
            ASSERT_TRUE(SetUpDebitDates(*a)) << first;
            const int start = DayNumber(2028, month, std::min(day, 28));
            const int gap = start - DayNumberOfDateText(a->FirstDebitDate);
            EXPECT_GE(gap, 14) << first;
            EXPECT_LE(gap, 27) << first;
        }
}

TEST(SetUpDebitDates, ListedMonthsHoldThreeDebitsTwoOrThreeTimesAYear)
{
    for (const char *today : {"12/07/2026", "02/15/2031", "07/30/2040"}) {
        auto a = MakeLoan({.today = today, .firstPayment = "06/15/2019"});
        ASSERT_TRUE(SetUpDebitDates(*a));
        const std::vector<int> listed = Listed(*a);
        // Month offset from the first debit's month of each listed payment number.
        const CalendarDate d0 = DateOfDay(DayNumberOfDateText(a->FirstDebitDate));
        for (int n : listed) {
            const int offset = n - (a->PlanStartPayment - 1);
            const int month0 = d0.month - 1 + offset;
            const int year = d0.year + month0 / 12, month = month0 % 12 + 1;
            int debits = 0;
            for (int day : a->DebitCalendar)
                debits += DateOfDay(day).year == year && DateOfDay(day).month == month;
            EXPECT_EQ(debits, 3) << today << " payment " << n;
        }
        for (std::size_t i = 0; i + 1 < listed.size(); ++i) {
            int inWindow = 0;
            for (int n : listed)
                inWindow += n >= listed[i] && n < listed[i] + 12;
            if (listed[i] + 12 <= listed.back()) {
                EXPECT_TRUE(inWindow == 2 || inWindow == 3) << listed[i];
            }
        }
    }
}

TEST(SetUpDebitDates, DatesOutsideTheCalendarAreDeclined)
{
    for (const LoanTexts &t : {LoanTexts {.today = "01/01/1990", .firstPayment = "01/01/1980"},
             LoanTexts {.today = "11/01/1995", .firstPayment = "01/01/1990"},
             // The debit two weeks before 01/06/1996 would be 12/22/1995, before the first entry.
             LoanTexts {.today = "11/01/1995", .firstPayment = "01/06/1996"},
             LoanTexts {.today = "01/01/2100", .firstPayment = "01/01/2099"},
             LoanTexts {.today = "", .firstPayment = ""}}) {
        auto a = MakeLoan(t);
        EXPECT_FALSE(SetUpDebitDates(*a)) << t.today;
        EXPECT_EQ(a->DebitCalendar[0], 0);
        EXPECT_TRUE(a->FirstDebitDate.empty());
        EXPECT_FALSE(CheckPlanCalendar(t.today, t.firstPayment, 30).empty()) << t.today;
    }
    EXPECT_NE(CheckPlanCalendar("01/01/2049", "01/01/2060", 40).find("08/19/2095"), std::string::npos);
    EXPECT_EQ(CheckPlanCalendar("12/07/2026", "01/01/2020", 30), "");
    EXPECT_EQ(CheckPlanCalendar("01/01/1996", "03/01/1996", 30), "");
}

TEST(SetUpDebitDates, TheCalendarsFirstAndLastDaysAreUsable)
{
    // 01/19/1996 is two entries into the calendar, so its first debit is the first entry.
    auto first = MakeLoan({.today = "11/01/1995", .firstPayment = "01/19/1996"});
    ASSERT_TRUE(SetUpDebitDates(*first));
    EXPECT_EQ(first->FirstDebitDate, "01/05/1996");
    // Entry 2599 is 01/05/1996 + 36386 days = 08/19/2095: a 40-year loan may end on it,
    // not a day later.
    EXPECT_EQ(CheckPlanCalendar("01/01/2049", "08/19/2055", 40), "");
    EXPECT_NE(CheckPlanCalendar("01/01/2049", "08/20/2055", 40), "");
}

TEST(SetUpDebitDates, ThirdDebitBeforeTheFirstPaymentDoesNotStopTheExtras)
{
    // A loan whose first debit month already holds three debits lists payment 0,
    // which no month can match. Find such dates and check the plan still pays extras.
    int found = 0;
    for (int day = DayNumber("20270101"); day < DayNumber("20300101") && found < 3; ++day) {
        const std::string first = DateTextOfDay(day);
        auto a = MakeLoan({.firstPayment = first});
        if (!SetUpDebitDates(*a) || a->ExtraDebitPayments[0] != 0 || a->ExtraDebitPayments[1] == 0)
            continue;
        ++found;
        ASSERT_TRUE(ComputeSchedules(*a));
        double extras = 0;
        for (const ScheduleRow &row : a->BiWeeklySchedule)
            extras += row.Extra;
        EXPECT_GT(extras, 0) << first;
        ComputeSummaryFigures(*a);
        EXPECT_GT(a->PaymentsEliminated, 0) << first;
    }
    EXPECT_GT(found, 0);
}

} // namespace
} // namespace tw
