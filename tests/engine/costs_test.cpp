#include "engine/costs.h"
#include "engine/to_cents.h"
#include "loan_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tw {
namespace {

// Whole cents, halves away from zero, either sign.
long long Cents(double v)
{
    return v < 0 ? -std::llround(ToCents(-v) * 100) : std::llround(ToCents(v) * 100);
}

struct CostCase {
    const char *name;
    testing_support::LoanTexts loan;
    int planDebits;
    long long totalFees, extraPaid, netSavings; // cents
    const char *breakEven;
    long long extraPerMonth;
    const char *diyPayoff;
    int diyEliminated;
    long long diyInterest, diyTotal;
};

// Worked out apart from this code, from the written rules alone, with exact decimals
// for every sum: the plan dates, both schedules, the debit range, the month-by-month
// race of interest saved against fees debited, and the monthly loan with a twelfth of
// the payment added from the plan's first payment on.
const CostCase kCases[] = {
    {"sample loan", {.firstPayment = "04/15/2019", .amount = "187500", .payment = "1412.80", .rate = "6.125"}, 475,
        163875, 2684320, 2698728, "01/15/2029", 11773, "05/15/2045", 46, 2753368, 5240641},
    // Not yet started, first paid on the 31st, a half payment of a fraction of a cent.
    {"starts on the 31st", {.firstPayment = "01/31/2027", .amount = "250000", .payment = "1600.01", .rate = "5.5"}, 633,
        218385, 4080026, 5622339, "11/31/2028", 13333, "05/31/2051", 67, 5630014, 9510466},
    // A payment below the loan's own is raised to it first; 15 years.
    {"raised payment", {.term = "15", .payment = "500"}, 186, 64170, 695259, 185654, "06/01/2029", 7725, "03/01/2034",
        9, 237308, 834311},
    // The plan starts one month before the end: it never earns its fees back.
    {"never breaks even",
        {.today = "06/22/2029",
            .firstPayment = "10/25/1999",
            .amount = "22794.27",
            .payment = "269.25",
            .rate = "12.369"},
        5, 1725, 13463, -1446, "", 2244, "09/25/2029", 0, 23, 0},
};

TEST(PlanCosts, AgreeWithTheFiguresWorkedOutByHand)
{
    for (const CostCase &c : kCases) {
        SCOPED_TRACE(c.name);
        const auto a = testing_support::Analyse(c.loan);
        ASSERT_TRUE(a);
        const PlanCosts costs = ComputePlanCosts(*a);
        EXPECT_EQ(costs.PlanDebits, c.planDebits);
        EXPECT_EQ(Cents(costs.TotalFees), c.totalFees);
        EXPECT_EQ(Cents(costs.ExtraPaid), c.extraPaid);
        EXPECT_EQ(Cents(costs.NetSavings), c.netSavings);
        EXPECT_EQ(costs.BreakEvenDate, c.breakEven);
        const DoItYourself &diy = a->Diy;
        EXPECT_EQ(Cents(diy.ExtraPerMonth), c.extraPerMonth);
        EXPECT_EQ(diy.DiyPayoffDate, c.diyPayoff);
        EXPECT_EQ(diy.DiyPaymentsEliminated, c.diyEliminated);
        EXPECT_EQ(Cents(diy.DiyInterestSavings), c.diyInterest);
        EXPECT_EQ(Cents(diy.DiyTotalPaymentSavings), c.diyTotal);
    }
}

} // namespace
} // namespace tw
