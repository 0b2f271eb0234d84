#include "format/dates.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(IsDateText, RequiresTwoDigitsSlashTwoDigitsSlashFourDigits)
{
    EXPECT_TRUE(IsDateText("01/05/1999"));
    EXPECT_TRUE(IsDateText("99/99/0000")); // form only; CheckDate judges the values
    EXPECT_FALSE(IsDateText("1/5/1999"));
    EXPECT_FALSE(IsDateText("01-05-1999"));
    EXPECT_FALSE(IsDateText("01/05/199x"));
    EXPECT_FALSE(IsDateText("01/05/19999"));
    EXPECT_FALSE(IsDateText(""));
}

struct CheckCase {
    const char *compact;
    int result;
};
class CheckDateTest : public testing::TestWithParam<CheckCase> { };

TEST_P(CheckDateTest, ChecksYearThenMonthThenDay)
{
    EXPECT_EQ(CheckDate(GetParam().compact), GetParam().result) << GetParam().compact;
}

INSTANTIATE_TEST_SUITE_P(Boundaries, CheckDateTest,
    testing::Values(CheckCase {"19600101", kDateBadYear}, CheckCase {"19601399", kDateBadYear},
        CheckCase {"19610101", kDateOk}, CheckCase {"20491231", kDateOk}, CheckCase {"20500101", kDateBadYear},
        CheckCase {"20490229", kDateBadDay}, CheckCase {"20000229", kDateOk}, CheckCase {"19000229", kDateBadYear},
        CheckCase {"19990229", kDateBadDay}, CheckCase {"19960229", kDateOk}, CheckCase {"19991301", kDateBadMonth},
        CheckCase {"19990001", kDateBadMonth}, CheckCase {"19990100", kDateBadDay}, CheckCase {"19990431", kDateBadDay},
        CheckCase {"", kDateBadYear}));

TEST(DayNumber, CountsFromTheFirstOfJanuary1938)
{
    EXPECT_EQ(DayNumber("19380101"), 1);
    EXPECT_EQ(DayNumber("19390101"), 366);
    EXPECT_EQ(DayNumber("19960105"), 21189);
    EXPECT_EQ(DayNumber("19990131") + 1, DayNumber("19990201"));
    EXPECT_EQ(DayNumber("19990231"), DayNumber("19990303")); // a day past the month counts on
    EXPECT_EQ(DayNumberOfDateText("01/05/1996"), 21189);
}

TEST(DateOfDay, InvertsDayNumberForEveryDate)
{
    for (int year = 1938; year <= 2100; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= MonthLength(month, year); ++day) {
                const CalendarDate c = DateOfDay(DayNumber(year, month, day));
                ASSERT_EQ(c.year, year);
                ASSERT_EQ(c.month, month);
                ASSERT_EQ(c.day, day);
            }
}

TEST(SameDayInAnotherMonth, KeepsTheDayAndLetsItCarryOver)
{
    struct Case {
        const char *date, *next, *previous;
    };
    for (const Case &c : {Case {"19990131", "03/03/1999", "12/31/1998"}, Case {"19991115", "12/15/1999", "10/15/1999"},
             Case {"19991215", "01/15/2000", "11/15/1999"}, Case {"20000115", "02/15/2000", "12/15/1999"},
             Case {"19990331", "05/01/1999", "03/03/1999"}}) {
        EXPECT_EQ(DateTextOfDay(SameDayNextMonth(DayNumber(c.date))), c.next) << c.date;
        EXPECT_EQ(DateTextOfDay(SameDayPreviousMonth(DayNumber(c.date))), c.previous) << c.date;
    }
    EXPECT_EQ(MonthOfDay(DayNumber("20240229")), 2);
}

TEST(DateTexts, WriteAndRearrange)
{
    EXPECT_EQ(DateText(1, 5, 1999), "01/05/1999");
    EXPECT_EQ(DateText(12, 31, 2049), "12/31/2049");
    EXPECT_EQ(CompactFromDateText("01/05/1999"), "19990105");
    EXPECT_EQ(CompactFromDateText("1/5"), "1/"); // short texts never read past their end
    EXPECT_EQ(LongDateText("19990105"), "January 5, 1999");
    EXPECT_EQ(LongDateText("19961231"), "December 31, 1996");
    EXPECT_EQ(MonthName("12"), "December");
    EXPECT_EQ(MonthName("13"), "");
    EXPECT_EQ(MonthName("00"), "");
    EXPECT_EQ(MonthName(""), "");
}

} // namespace
} // namespace tw
