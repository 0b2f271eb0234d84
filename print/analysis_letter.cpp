#include "print/analysis_letter.h"

#include "engine/costs.h"
#include "engine/debits.h"
#include "format/fit_text.h"
#include "format/number_text.h"
#include "print/form_layout.h"
#include "print/letter_graph.h"
#include "record/client_record.h"
#include "record/company.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace tw {

namespace {

constexpr int kBody = 14;
constexpr int kBold = 114;
constexpr int kTitle = 124;

// The company as the build names it: "Quarnell's" and the like.
std::string CompanyName()
{
    return Company().Name;
}

std::string Money(double v)
{
    return FormatMoneyScaled(v, 1);
}

std::string Years(double v)
{
    return FormatOneDecimal(v);
}

std::string Count(int v)
{
    return std::to_string(v);
}

// The charge on every debit, as the enrollment form lists it.
std::string Fee()
{
    return FormatMoney(FeePerDebit);
}

// Words joined by single blanks, empty ones left out.
std::string Joined(std::initializer_list<std::string_view> words)
{
    std::string out;
    for (const std::string_view w : words) {
        if (w.empty())
            continue;
        if (!out.empty())
            out += ' ';
        out += w;
    }
    return out;
}

// A line that holds a client's text, cut to `width` as the enrollment form cuts its
// blanks: the text gives way first, so the words around it stay whole. A name pasted a
// thousand times over prints as one line, at once.
std::string Fitted(PrintSurface &s, std::string_view before, std::string_view value, std::string_view after,
    int width = kRightMargin - kLeftMargin)
{
    const TextWidthFunction measure = [&s](std::string_view t) { return s.TextWidth(t); };
    const int room = std::max(0, width - s.TextWidth(before) - s.TextWidth(after));
    const std::string line = std::string(before) + FitTextToWidth(measure, value, room, false) + std::string(after);
    return FitTextToWidth(measure, line, width, false);
}

// A line of fixed wording at the left margin.
void Say(PrintSurface &s, int y, std::string_view text, int x = kLeftMargin)
{
    s.TextLeft(x, y, text);
}

// A line with blanks: drawn whole, then each value over its run of underscores.
void Fill(PrintSurface &s, int y, std::string_view line, const std::vector<std::string> &values, int x = kLeftMargin)
{
    s.TextLeft(x, y, line);
    FillBlanks(s, x, y, line, values);
}

// Fixed lines from `y` down, `step` apart.
int SayLines(PrintSurface &s, int y, std::initializer_list<std::string_view> lines, int step = 230, int x = kLeftMargin)
{
    for (const std::string_view line : lines) {
        Say(s, y, line, x);
        y -= step;
    }
    return y;
}

// The x where an item's text starts after its number ("1.   ").
int ItemIndent(PrintSurface &s)
{
    return kLeftMargin + s.TextWidth("1.   ");
}

void PageNumber(PrintSurface &s, int page)
{
    s.SelectPrintFont(kBody);
    s.TextCentred(kPageCentreX, -10500, "Page " + std::to_string(page));
}

// ---- Page 1: the letter and the facts of the loan ----

void DrawFacts(PrintSurface &s, const CClientRecord &r)
{
    const LoanAnalysis &a = r.Analysis;
    s.SelectPrintFont(kBody);
    Say(s, -1000, a.CurrentDate);
    int y = -1400;
    const CompanyIdentity &company = Company();
    for (const std::string &line :
        {company.Name, std::string("Tallowin Client Services"), company.Street, company.City}) {
        Say(s, y, line);
        y -= 200;
    }

    s.SelectPrintFont(kBold);
    const int addressWidth = kRightMargin - 1500;
    Say(s, -2400, Fitted(s, "", Joined({r.FirstName1, r.MI1, r.LastName1}), "", addressWidth), 1500);
    Say(s, -2600, Fitted(s, "", r.Address, "", addressWidth), 1500);
    Say(s, -2800, Fitted(s, "", r.City, ", " + r.State + "   " + r.Zip, addressWidth), 1500);

    s.SelectPrintFont(kBody);
    Say(s, -3260, Fitted(s, "Dear ", r.FirstName1, ","));
    Fill(s, -3720, "We've finished the analysis on your ______ year, $_________________ mortgage at a ______%",
        {a.TermText, Money(a.LoanAmount), LetterRateText(a)});
    Fill(s, -3950, "_______________ rate, and here are the FACTS...", {LetterRateKind(a)});

    Fill(s, -4410,
        "*   In the first 5 years, you'll make total payments of $_______________, yet your balance will go down",
        {Money(a.FiveYearPayments)});
    Fill(s, -4640,
        "    by just $_______________, as $_______________ of those payments goes to interest. You will still owe",
        {Money(a.FiveYearPrincipal), Money(a.FiveYearInterest)});
    Fill(s, -4870, "    $_______________.", {Money(a.FiveYearBalance)});

    Fill(s, -5330,
        "*   After 10 years, you'll pay a total of $_______________, and your balance will have gone down by",
        {Money(a.TenYearPayments)});
    Fill(s, -5560, "    $_______________.  You'll pay $_______________ in interest and still owe $_______________.",
        {Money(a.TenYearPrincipal), Money(a.TenYearInterest), Money(a.TenYearBalance)});

    Fill(s, -6020, "*   It will take you approximately _____ years making total payments of $_______________",
        {Years(a.YearsToPayHalf), Money(a.PaymentsToPayHalf)});
    Say(s, -6250, "    just to pay off the first half of your loan.");

    Fill(s, -6710, "*   You'll pay over $_______________ in interest, for total payments of $_______________,",
        {Money(a.TotalInterest), Money(a.TotalPaid)});
    Fill(s, -6940, "    for the privilege of borrowing $_______________.", {Money(a.LoanAmount)});
    Say(s, -7170, "    These figures assume that every payment is made on time for the full term of the loan.");

    SayLines(s, -7630,
        {"Mortgage payments are handled by people and computers, and both make mistakes. An extra payment",
            "that is credited late, or not to principal, costs you interest for as long as the error stands."});
    SayLines(s, -8205,
        {"Making half of your monthly payment every two weeks adds up to one extra monthly payment each",
            "year. That extra payment goes to principal, so less interest builds up each month and the loan",
            "is paid off sooner. You make the same size of payment as today, with no new loan, no new",
            "lender and no change to your mortgage agreement."});
    Say(s, -9410, "So what if there were a simple service that could make your payments this way for you, a service");
    Fill(s, -9640, "that would save you a total of $_______________?", {Money(a.TotalPaymentSavings)});
}

// ---- Page 2: the service ----

void DrawService(PrintSurface &s)
{
    s.SelectPrintFont(kBody);
    SayLines(s, -1000,
        {CompanyName() + "'s Tallowin service turns your monthly mortgage payment into a bi-weekly payment,",
            "without refinancing and without changing your loan in any way."},
        200);
    s.SelectPrintFont(kBold);
    s.TextCentred(kPageCentreX, -1600, "IT'S FREE - IT'S EASY - AND IT REQUIRES ...");
    s.SelectPrintFont(kBody);
    Say(s, -2000, "NO Refinancing.", 2000);
    Say(s, -2000, "NO Credit Reports.", 4500);
    Say(s, -2200, "NO Home Appraisal.", 2000);
    Say(s, -2200, "NO Closing Costs Of Any Kind.", 4500);
    s.SelectPrintFont(kBold);
    s.TextCentred(kPageCentreX, -2600, "In fact, it requires NO change to your current mortgage agreement at all!");

    s.SelectPrintFont(kBody);
    const int indent = ItemIndent(s);
    Say(s, -3200, "1.");
    SayLines(s, -3200,
        {"Every two weeks, half of your monthly payment is debited from your bank account on a",
            "schedule we send you in advance. The debit dates are fixed, so you always know when",
            "money leaves your account."},
        230, indent);
    Say(s, -4800, "2.");
    SayLines(s, -4800,
        {"Each month we send your lender your full regular payment, on time, from the two debits",
            "collected for it. Your lender is paid as before; only the way you pay changes."},
        230, indent);
    Say(s, -6200, "3.");
    SayLines(s, -6200,
        {"Twice a year a month has a third debit. That half payment goes to your lender as extra",
            "principal, together with any additional principal payment you choose, and that is what",
            "shortens your mortgage and lowers the interest you pay."},
        230, indent);
    Say(s, -7800, "4.");
    SayLines(s, -7800,
        {"You can see every debit on your bank statement, and we send you a statement of every",
            "payment we make for you. You can stop the service at any time by writing to us; your",
            "mortgage then simply goes on as it is today. Each debit carries a banking fee of $" + Fee() + ",",
            "and a debit that your bank refuses for lack of funds costs a late fee of $15. Both charges",
            "are shown on your enrollment form before you sign anything."},
        230, indent);
}

// ---- Page 3: the savings ----

void DrawSavings(PrintSurface &s, const CClientRecord &r)
{
    const LoanAnalysis &a = r.Analysis;
    s.SelectPrintFont(kBold);
    s.TextCentred(kPageCentreX, -2100, Fitted(s, "", r.FirstName1, ", here is what our service can do for you:"));
    s.SelectPrintFont(kBody);
    Say(s, -2560, "Using the Tallowin service with your present mortgage will:");
    const int indent = ItemIndent(s);
    const std::string saved = LetterYearsSaved(a);

    Fill(s, -3020, "1.   Save you $_______________ in interest alone and eliminate _______ monthly payments,",
        {Money(a.InterestSavings), Count(a.PaymentsEliminated)});
    Fill(s, -3250, "increasing your total savings to $_______________.", {Money(a.TotalPaymentSavings)}, indent);

    Fill(s, -3710, "2.   Shorten your mortgage by ______ years, allowing you to own your home free and clear in just",
        {saved});
    Fill(s, -3940, "______ years rather than ______ years.", {Years(a.PlanYears), Years(a.RemainingYears)}, indent);

    Fill(s, -4400,
        "3.   Allow you to build equity in your home 300% faster, increasing your net worth by $_______________.",
        {Money(a.BalanceAtPayoff)});

    Say(s, -4860, "4.   Keep your mortgage exactly as it is: the same lender, the same rate, the same terms,");
    Say(s, -5090, "and no new loan or closing costs.", indent);

    Say(s, -5550, "5.   Give you the choice of what to do with the money you no longer owe. Our service");
    Fill(s, -5780, "will allow you to pay off your mortgage ______ years earlier, leaving you with ______ monthly",
        {saved, Count(a.PaymentsEliminated)}, indent);
    SayLines(s, -6010,
        {"payments you will no longer have to make. Suppose you save the amount of each of those",
            "payments instead, month after month, until the date your mortgage would have been paid",
            "off as it is now. If those savings earned 10% a year, the money you keep by doing nothing",
            "more than changing the way you pay your mortgage would put"},
        230, indent);
    Fill(s, -6930, "you in the neighborhood of $_______________ in cash, and you won't be paying a penny more than you",
        {Money(a.InvestmentValue)}, indent);
    Say(s, -7160, "pay each month today.", indent);

    Fill(s, -7620, "6.   Allow you to immediately start enjoying an average monthly savings of $__________ which is an",
        {Money(a.AverageMonthlySavings)});
    Fill(s, -7850, "average savings of $__________ each and every year for the life of your mortgage.",
        {Money(a.AverageYearlySavings)}, indent);

    Fill(s, -8770, "On the following page is a graph and summary of your ______ year mortgage as it is now, compared",
        {a.TermText});
    Say(s, -9000, "with the same mortgage paid through the Tallowin service.");
}

// ---- Page 4: the comparison and the graph ----

struct ComparisonRow {
    int y;
    std::string label;
    std::string current;
    std::string service;
    bool money;
};

void DrawComparison(PrintSurface &s, const CClientRecord &r)
{
    const LoanAnalysis &a = r.Analysis;
    s.SelectPrintFont(kTitle);
    s.TextCentred(kPageCentreX, -1000, "Comparison of Your Mortgage");
    s.SelectPrintFont(kBold);
    Say(s, -2800, "Current Mortgage:", 3500);
    Say(s, -2600, "With Our Mortgage", 5500);
    Say(s, -2800, "Management Service:", 5500);

    s.SelectPrintFont(kBody);
    const TextWidthFunction measure = [&s](std::string_view t) { return s.TextWidth(t); };
    const std::vector<ComparisonRow> rows = {
        {-3200, "Years To Pay Off:", Years(a.RemainingYears), Years(a.PlanYears), false},
        {-3600, "Interest Savings:", "0", Money(a.InterestSavings), true},
        {-4000, "Monthly Payments Saved:", "0", Count(a.PaymentsEliminated), false},
        {-4400, "Total Savings:", "0", Money(a.TotalPaymentSavings), true},
        {-4800, "Equity 5 Years From Today:", Money(a.NormalEquity5), Money(a.BiWeeklyEquity5), true},
        {-5200, "Equity 10 Years From Today:", Money(a.NormalEquity10), Money(a.BiWeeklyEquity10), true},
        {-5600, "Balance Due After " + Years(a.PlanYears) + " Years:", Money(a.BalanceAtPayoff), "0", true},
        {-6000, "Average Monthly Savings:", "0", Money(a.AverageMonthlySavings), true},
        {-6400, "Average Yearly Savings:", "0", Money(a.AverageYearlySavings), true},
        {-6800, "Cash Available After " + Years(a.RemainingYears) + " Years:", "0", Money(a.InvestmentValue), true},
        {-7800, "by a Lender Miscalculation", "1 in 2 (50%)", "None", false},
    };
    for (const ComparisonRow &row : rows) {
        Say(s, row.y, row.label);
        const std::string_view blank = row.money ? "$______________" : "_______________";
        const int valueOffset = row.money ? 100 : 400;
        const int fitWidth = s.TextWidth(blank) - valueOffset;
        for (const auto &[x, value] : {std::pair<int, const std::string &> {3500, row.current}, {5500, row.service}}) {
            Say(s, row.y, blank, x);
            const std::string fitted = FitTextToWidth(measure, value, fitWidth, false);
            if (!fitted.empty())
                Say(s, row.y, fitted, x + valueOffset);
        }
    }
    Say(s, -7000, "(Based on a 10% Investment)");
    Say(s, -7600, "Chances of being overcharged");
    Say(s, -8000, "according to the F.D.I.C.");

    DrawBalanceGraph(s, a, LetterGraphBox());
}

// ---- Page 5: the questions ----

void DrawQuestions(PrintSurface &s, const CClientRecord &r)
{
    const LoanAnalysis &a = r.Analysis;
    s.SelectPrintFont(kBody);
    Say(s, -1000,
        Fitted(
            s, "", r.FirstName1, ", now that you have seen the facts, please take a moment to answer the questions"));
    Say(s, -1200, "below. There are no wrong answers, and no one will ask you for them: they are simply a way to");
    Say(s, -1400, "see what the figures of your own mortgage mean for you.");
    const int answer = kLeftMargin + s.TextWidth("     B.   ");

    Say(s, -2200, "1.   Would you rather...");
    Fill(s, -2430, "     A.   Pay ______ years of monthly mortgage payments OR...", {Years(a.RemainingYears)});
    Fill(s, -2660, "     B.   Use our FREE service and own your home in just ______ years?", {Years(a.PlanYears)});
    Fill(
        s, -2890, "Wouldn't it be nice to get rid of ______ monthly mortgage payments?", {Count(a.PaymentsEliminated)});

    Say(s, -3350, "2.   Ten years from now, would you rather...");
    Fill(s, -3580, "     A.   Have just $_______________ in equity OR...", {Money(a.NormalEquity10)});
    Fill(s, -3810, "     B.   Use our FREE service and have $_______________?", {Money(a.BiWeeklyEquity10)});
    Fill(s, -4040, "If you moved in 10 years, an extra $_______________ would come in handy, wouldn't it?",
        {Money(a.BiWeeklyEquity10 - a.NormalEquity10)});

    Say(s, -4500, "3.   In " + Years(a.PlanYears) + " years, would you rather...");
    Fill(s, -4730, "     A.   Still owe $_______________ on your mortgage OR...", {Money(a.BalanceAtPayoff)});
    Say(s, -4960, "     B.   Use our FREE service and own your home free and clear?");
    Fill(s, -5190, "Doing nothing more than using our free service will increase your net worth by $______________.",
        {Money(a.BalanceAtPayoff)});

    Say(s, -5650, "4.   Would you rather...");
    Say(s, -5880, "     A.   Make every payment your lender asks for, for the full term of your loan OR...");
    Fill(s, -6110, "     B.   Let our FREE service make bi-weekly payments for you and save $_______________?",
        {Money(a.TotalPaymentSavings)});
    Fill(s, -6340, "Can you think of better things to do with $_______________ than pay it to your mortgage lender?",
        {Money(a.TotalPaymentSavings)});

    Say(s, -6800, "5.   When your mortgage is paid off in " + Years(a.PlanYears) + " years, would you rather...");
    Say(s, -7030, "     A.   Own your home and nothing more OR...");
    Fill(s, -7260, "     B.   Use our FREE service and own your home PLUS have about $_______________ in a cash",
        {Money(a.InvestmentValue)});
    Say(s, -7490, "savings account, by saving the payments you no longer make?", answer);

    Say(s, -8180, "6.   Would you rather...");
    Fill(s, -8410, "     A.   Waste an average of $__________ per month for the next ______ years in unnecessary",
        {Money(a.AverageMonthlySavings), a.TermText});
    Say(s, -8640, "interest payments OR...", answer);
    Fill(s, -8870,
        "     B.   Use our FREE service to enjoy average savings of $__________ each and every month for the",
        {Money(a.AverageMonthlySavings)});
    Fill(s, -9100, "next ______ years?", {Years(a.YearsToPayoff)}, answer);
}

// ---- Page 6: the conclusion ----

void DrawConclusion(PrintSurface &s, const CClientRecord &r)
{
    const LoanAnalysis &a = r.Analysis;
    s.SelectPrintFont(kBody);
    Say(s, -1000, Fitted(s, "", r.FirstName1, ", the choice is yours:"));
    Fill(s, -1400, "You can do nothing and needlessly overpay your mortgage by $_______________, paying your lender a",
        {Money(a.TotalPaymentSavings)});
    Fill(s, -1600,
        "total of $_______________ for the privilege of borrowing $_______________.  It will take you ______",
        {Money(a.TotalPaid), Money(a.LoanAmount), a.TermText});
    Say(s, -1800, "years in all to own your home free and clear.");

    s.SelectPrintFont(kBold);
    s.TextCentred(kPageCentreX, -2200, "OR");
    s.SelectPrintFont(kBody);
    Fill(s, -2600,
        "You can let " + CompanyName()
            + "'s Tallowin service pay your mortgage bi-weekly to save $_______________, build equity 300%",
        {Money(a.TotalPaymentSavings)});
    Fill(s, -2800, "faster, increasing your net worth by $_______________.  You'll own your home in just ______ years,",
        {Money(a.BalanceAtPayoff), Years(a.PlanYears)});
    Fill(s, -3000,
        "cutting ______ years off your mortgage, eliminating ______ monthly payments.  This allows you to turn",
        {LetterYearsSaved(a), Count(a.PaymentsEliminated)});
    Say(s, -3200, "those payments into savings of your own which, earning 10% a year, would grow to an");
    Fill(s, -3400, "estimated $_______________ in cash at the end of your ______ year mortgage term.",
        {Money(a.InvestmentValue), a.TermText});
    Say(s, -3800, "All of this comes from the figures of your own loan, computed payment by payment.");
    SayLines(s, -4000,
        {"Nothing about your loan changes: the savings come only from paying the same amount in",
            "smaller, more frequent parts."},
        200);

    s.SelectPrintFont(kBold);
    s.TextCentred(kPageCentreX, -5000, "BOTTOM LINE");
    s.SelectPrintFont(kBody);
    SayLines(s, -5400,
        {"Every payment you make to your lender is money you have worked for. The sooner your",
            "mortgage is paid off, the sooner that money stays with you. Our service asks of you a",
            "signature on the enclosed enrollment form and a banking fee of $" + Fee() + " with each debit, and",
            "you may stop it whenever you wish. So ask yourself: after all your hard work, who deserves"},
        200);
    Fill(s, -6200, "those ______ payments totaling $_______________ more than you?",
        {Count(a.PaymentsEliminated), Money(a.TotalPaymentSavings)});

    Say(s, -6800, "Sincerely,");
    Say(s, -7400, CompanyName() + " Client Services");
    Say(s, -7600, "for the Tallowin bi-weekly mortgage service");
}

// ---- Page 7: what the plan costs, and the alternative ----

int Paragraph(PrintSurface &s, int y, std::string_view text)
{
    return DrawParagraph(s, y, text, 230);
}

int Heading(PrintSurface &s, int y, std::string_view text)
{
    s.SelectPrintFont(kBold);
    Say(s, y, text);
    s.SelectPrintFont(kBody);
    return y - 230;
}

void DrawCosts(PrintSurface &s, const CClientRecord &r)
{
    const LoanAnalysis &a = r.Analysis;
    const PlanCosts costs = ComputePlanCosts(a);
    const DoItYourself &diy = a.Diy;
    const double interestSaved = a.InterestSavings;

    s.SelectPrintFont(kTitle);
    s.TextCentred(kPageCentreX, -1000, "What the plan costs, and your alternative");
    s.SelectPrintFont(kBody);
    // The name as the other pages fit it, on one line at most.
    int y = Paragraph(s, -1600,
        Fitted(s, "", r.FirstName1, ",")
            + " the pages before this one show what the bi-weekly plan saves. This page shows what it costs, so "
              "that you can judge it on what it really leaves you with, and what you could do instead on your own.");

    y = Heading(s, y - 230, "The plan's charges");
    y = Paragraph(s, y,
        "Each bi-weekly debit carries a banking charge of $" + Money(FeePerDebit) + ". Your plan makes "
            + Count(costs.PlanDebits) + " debits, from your first debit on " + a.FirstDebitDate
            + " to the one that pays your loan off, so its charges come to $" + Money(costs.TotalFees)
            + " in all. The extra half payments you make, $" + Money(costs.ExtraPaid)
            + " over the plan, are your own money paid to principal ahead of time.");

    y = Heading(s, y - 230, "What you really save");
    y = Paragraph(s, y,
        "The plan saves you $" + Money(interestSaved) + " in interest. Take away its charges and you are left with $"
            + SignedMoney(costs.NetSavings)
            + ": that is the true difference between everything you would pay monthly and everything you pay "
              "through the plan, charges included.");

    y = Heading(s, y - 230, "When the plan pays for itself");
    y = Paragraph(s, y,
        costs.BreakEvenDate.empty()
            ? std::string("On your loan the interest saved never catches up with the charges: the plan would cost "
                          "you more than it saves.")
            : "The interest saved first covers the charges debited so far on " + costs.BreakEvenDate
                + ". If you sell your home or refinance before that date, the plan will have cost you more than it "
                  "saved.");

    y = Heading(s, y - 230, "Your alternative: do it yourself");
    y = Paragraph(s, y,
        "You can get much the same result on your own, at no charge: add $" + Money(diy.ExtraPerMonth)
            + " to principal with each monthly payment from " + a.FirstPlanPaymentDate
            + " on. That puts in the same money each year as the plan's two extra half payments. Your loan would "
              "then be paid off by "
            + diy.DiyPayoffDate + ", eliminating " + Count(diy.DiyPaymentsEliminated) + " monthly payments and saving $"
            + Money(diy.DiyInterestSavings) + " in interest, with nothing to pay anyone for it.");

    // The two side by side.
    y -= 460;
    constexpr int kPlanColumn = 5600; // right edges of the two columns
    constexpr int kOwnColumn = 7800;
    s.SelectPrintFont(kBold);
    s.TextRight(kPlanColumn, y, "With the plan");
    s.TextRight(kOwnColumn, y, "On your own");
    s.SelectPrintFont(kBody);
    const std::string rows[][3] = {
        {"Paid off by", a.PayoffDate, diy.DiyPayoffDate},
        {"Monthly payments eliminated", Count(a.PaymentsEliminated), Count(diy.DiyPaymentsEliminated)},
        {"Interest saved", "$" + Money(interestSaved), "$" + Money(diy.DiyInterestSavings)},
        {"Charges", "$" + Money(costs.TotalFees), "$0.00"},
        {"Interest saved less charges", "$" + SignedMoney(costs.NetSavings), "$" + Money(diy.DiyInterestSavings)},
    };
    for (const auto &row : rows) {
        y -= 230;
        Say(s, y, row[0]);
        s.TextRight(kPlanColumn, y, row[1]);
        s.TextRight(kOwnColumn, y, row[2]);
    }
}

} // namespace

std::string LetterRateText(const LoanAnalysis &a)
{
    if (!a.HighestRateText.empty()) {
        const double lowest = TextToDouble(CleanNumberText(a.LowestRateText));
        const double highest = TextToDouble(CleanNumberText(a.HighestRateText));
        return FormatRate((lowest + highest) * 0.5);
    }
    // The blank is followed by "%": a typed "6.125%" would otherwise read "6.125%%".
    const std::string clean = CleanNumberText(a.LowestRateText);
    return clean.empty() ? a.LowestRateText : clean;
}

std::string LetterRateKind(const LoanAnalysis &a)
{
    return a.HighestRateText.empty() ? "fixed" : "variable";
}

std::string LetterYearsSaved(const LoanAnalysis &a)
{
    const std::string clean = CleanNumberText(a.TermText);
    return Years(TextToInt(clean.empty() ? a.TermText : clean) - a.YearsToPayoff);
}

void DrawAnalysisLetterPage(PrintSurface &s, int page, const CClientRecord &record)
{
    switch (page) {
    case 1:
        DrawFacts(s, record);
        break;
    case 2:
        DrawService(s);
        break;
    case 3:
        DrawSavings(s, record);
        break;
    case 4:
        DrawComparison(s, record);
        break;
    case 5:
        DrawQuestions(s, record);
        break;
    case 6:
        DrawConclusion(s, record);
        break;
    case 7:
        DrawCosts(s, record);
        break;
    default:
        return;
    }
    PageNumber(s, page);
}

} // namespace tw
