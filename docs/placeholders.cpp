#include "docs/placeholders.h"

#include "docs/document_file.h"
#include "engine/costs.h"
#include "engine/debits.h"
#include "engine/figures.h"
#include "format/number_text.h"
#include "record/client_record.h"
#include "record/company.h"

#include <cmath>
#include <utility>
#include <vector>

namespace tw {

namespace {

using Entry = std::pair<const char *, std::string>;
using PlaceholderList = std::vector<Entry>;

constexpr double kOneThirtieth = 1.0 / 30.0;
constexpr const char *kSampleLoanText = "$100,000";
constexpr const char *kSampleClientName = "Daniel Whitfield";

std::string Money(double v)
{
    return FormatMoney(v);
}

std::string Years(double v)
{
    return FormatOneDecimal(v);
}

std::string Count(int n)
{
    return std::to_string(n);
}

std::string RateText(const LoanAnalysis &a)
{
    return FormatRate(a.AnnualRate) + (a.VariableFlag != 0 ? "% varible" : "% fixed");
}

// The monthly savings after the plan's own charges (FeePerDebit on 26 debits a year,
// averaged over the months); a plan that saves less than it charges shows no savings
// rather than a misleading positive amount.
double SavingsAfterFee(const LoanAnalysis &a)
{
    const double v = a.AverageMonthlySavings - AverageMonthlyFee();
    return v > 0 ? v : 0;
}

// The plan's charges as the answers state them, from the one fee: worked in whole cents,
// 26 debits of 3.45 are 89.70 a year and 7.475 a month, which shows as 7.48.
PlaceholderList FeeTexts()
{
    const long long yearly = std::llround(FeePerDebit * 100) * 26;
    const long long monthly = (yearly * 2 + 12) / 24; // halves up
    return {{"{{DEBITFEE}}", Money(FeePerDebit)}, {"{{YEARLYFEES}}", Money(static_cast<double>(yearly) / 100)},
        {"{{MONTHLYFEES}}", Money(static_cast<double>(monthly) / 100)}};
}

PlaceholderList Joined(PlaceholderList first, const PlaceholderList &second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// The lender screen stores the payment as typed ("$1,200.00"): read the number it shows.
double CurrentPayment(const LoanAnalysis &a)
{
    return TextToDouble(CleanNumberText(a.CurrentPaymentText));
}

PlaceholderList SlideNineList(const CClientRecord &r)
{
    const LoanAnalysis &a = r.Analysis;
    const SlideNineFigures f = ComputeSlideNineFigures(a);
    const double loan = a.MonthlySchedule[0].Balance;
    return {
        {"{{FIRSTNAME}}", r.FirstName1},
        {"{{CLIENTYEARS}}", Years(a.TermYears)},
        {"{{BORROWAMOUNT}}", Money(loan)},
        {"{{INTERESTRATE}}", RateText(a)},
        {"{{5YRTOTALPMTS}}", Money(f.fiveYearPayments)},
        {"{{5YRPRINDED}}", Money(f.fiveYearPrincipal)},
        {"{{5YRINTPMT}}", Money(f.fiveYearInterest)},
        {"{{5YRBALANCE}}", Money(f.fiveYearBalance)},
        {"{{10YRTOTPMTS}}", Money(f.tenYearPayments)},
        {"{{10YRPRINREDUCTION}}", Money(f.tenYearPrincipal)},
        {"{{10YRTOTINT}}", Money(f.tenYearInterest)},
        {"{{YRBALANCE}}", Money(f.tenYearBalance)},
        {"{{YRSTOPAYHALF}}", Years(f.yearsToPayHalf)},
        {"{{HALFOFPRINTOT}}", Money(f.halfPrincipalPayments)},
        {"{{TOTALINTREST}}", Money(f.totalInterest)},
        {"{{TOTALPAIDONLOAN}}", Money(f.totalPaid)},
        {"{{BORROWAMOUNT}}", Money(loan)},
    };
}

PlaceholderList SlideElevenList(const CClientRecord &r)
{
    const LoanAnalysis &a = r.Analysis;
    const std::string shortenYears = Years(a.PaymentsEliminated * kOneTwelfth);
    return {
        {"{{FIRSTNAME}}", r.FirstName1},
        {"{{OVERPAIDINT}}", Money(a.InterestSavings)},
        {"{{EXCESSPMTS}}", Count(a.PaymentsEliminated)},
        {"{{TOTSAVINGS}}", Money(a.TotalPaymentSavings)},
        {"{{SHORTENYEARS}}", shortenYears},
        {"{{BIWEEKLYYEARS}}", Years(a.PlanYears)},
        {"{{CLIENTYEARS}}", Years(a.RemainingYears)},
        {"{{NETWORTHINC}}", Money(a.BalanceAtPayoff)},
        {"{{SHORTENYEARS}}", shortenYears},
        {"{{EXCESSPMTS}}", Count(a.PaymentsEliminated)},
        {"{{TOTINVESTRETURN}}", Money(a.InvestmentValue)},
        {"{{AVGMONSAV}}", Money(a.AverageMonthlySavings)},
        {"{{AVGYRSAV}}", Money(a.AverageYearlySavings)},
    };
}

PlaceholderList SlideThirteenList(const CClientRecord &r)
{
    const LoanAnalysis &a = r.Analysis;
    const std::string normalYears = Years(a.RemainingYears);
    const std::string planYears = Years(a.PlanYears);
    return {
        {"{{FIRSTNAME}}", r.FirstName1},
        {"{{NORMALYEARS}}", normalYears},
        {"{{BIWEEKLYYRS}}", planYears},
        {"{{SAVEPAYMENTS}}", Count(a.PaymentsEliminated)},
        {"{{NORMALEQUITY}}", Money(a.NormalEquity10)},
        {"{{BIWEEKLYEQUITY}}", Money(a.BiWeeklyEquity10)},
        {"{{10YRPRINSAVING}}", Money(a.BiWeeklyEquity10 - a.NormalEquity10)},
        {"{{BIWEEKLYYRS}}", planYears},
        {"{{BALANCEAFTERBIWEEKLY}}", Money(a.BalanceAtPayoff)},
        {"{{BALANCEAFTERBIWEEKLY}}", Money(a.BalanceAtPayoff)},
        {"{{TOTALSAVINGS}}", Money(a.TotalPaymentSavings)},
        {"{{TOTALSAVINGS}}", Money(a.TotalPaymentSavings)},
        {"{{NORMALYEARS}}", normalYears},
        {"{{INVESTMENT}}", Money(a.InvestmentValue)},
        {"{{LOSSPERMONTH}}", Money(a.AverageMonthlySavings)},
        {"{{LOSSPERMONTH}}", Money(a.AverageMonthlySavings)},
        {"{{BIWEEKLYYRS}}", planYears},
    };
}

PlaceholderList AnswerList(int answer, const CClientRecord &r)
{
    const LoanAnalysis &a = r.Analysis;
    const double principal = a.BiWeeklySchedule[0].Balance;
    switch (answer) {
    case 1:
        return {{"{{COMPANY}}", Company().Name}, {"{{COMPANY}}", Company().Name}};
    case 3:
        return {{"{{PMTAMOUNT}}", Money(CurrentPayment(a))}};
    case 4:
        return Joined(FeeTexts(), {{"{{MONTHLYSAVINGS}}", Money(SavingsAfterFee(a))}});
    case 5:
        return {{"{{TOTALINTREST}}", Money(ComputeSlideNineFigures(a).totalInterest)}};
    case 7: {
        const double savings = SavingsAfterFee(a);
        return Joined(FeeTexts(),
            {
                {"{{TOTSAVINGS}}", Money(a.TotalPaymentSavings)},
                {"{{MONTHLYINTRESTSAVINGS}}", Money(savings)},
                {"{{PMTAMOUNT}}", Money(CurrentPayment(a))},
                {"{{ROI%}}", Money(savings > 0 ? CurrentPayment(a) / savings : 0) + "%"},
            });
    }
    case 8:
        return {{"{{NETWORTH}}", Money(a.BalanceAtPayoff)}};
    case 10:
        return {
            {"{{YEARSPAIDOFF}}", Years(a.PlanYears)},
            {"{{CASH}}", Money(a.InvestmentValue)},
            {"{{STILLOWED}}", Money(a.BalanceAtPayoff)},
            {"{{PRINCIPLE}}", Money(principal)},
            {"{{PRINCIPLEPLUSSTILLOWED}}", Money(principal + a.BalanceAtPayoff)},
        };
    default:
        return {};
    }
}

PlaceholderList SignUpList(const CClientRecord &r)
{
    const LoanAnalysis &a = r.Analysis;
    const auto &plan = a.BiWeeklySchedule;
    return {
        {"{{FIRSTNAME}}", r.FirstName1},
        {"{{TOTALSAVINGS}}", Money(a.TotalPaymentSavings)},
        {"{{TOTALPAYMENT}}", Money(a.TermMonths * plan[0].Payment)},
        {"{{LOANAMOUNT}}", Money(plan[0].Balance)},
        {"{{NORMALYEARS}}", Count(a.TermYears)},
        {"{{TOTALSAVINGS}}", Money(a.TotalPaymentSavings)},
        {"{{NETWORTH}}", Money(a.BalanceAtPayoff)},
        {"{{YEARSSAVED}}", Years(a.TermYears - a.YearsToPayoff)},
        {"{{ELIMPAYMENTS}}", Count(a.PaymentsEliminated)},
        {"{{10YRPRINSAVING}}", Money(a.BiWeeklyEquity10 - a.NormalEquity10)},
        {"{{INVESTMENT}}", Money(a.InvestmentValue)},
        {"{{NORMALYEARS}}", Count(a.TermYears)},
        {"{{DAILY}}", Money(a.AverageMonthlySavings * kOneThirtieth)},
    };
}

void Run(StyledDocument &doc, const PlaceholderList &list)
{
    for (const auto &[token, text] : list)
        ReplaceFirstToken(doc, token, text);
}

std::string TwoDigitName(const char *prefix, int n)
{
    return std::string(prefix) + (n < 10 ? "0" : "") + std::to_string(n) + ".qnl";
}

} // namespace

std::string SlideFileName(int slide)
{
    switch (slide) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 8:
    case 11:
    case 13:
        return TwoDigitName("0", slide);
    case 9:
        return "bottoml.qnl";
    default:
        return {};
    }
}

std::string AnswerFileName(int answer)
{
    return answer >= 1 && answer <= 10 ? TwoDigitName("answer", answer) : std::string();
}

void SubstituteSlidePlaceholders(StyledDocument &doc, int slide, const CClientRecord &record)
{
    switch (slide) {
    case 1:
        Run(doc, {{"{{loanamnt}}", kSampleLoanText}, {"{{clientname}}", kSampleClientName}});
        break;
    case 9:
        Run(doc, SlideNineList(record));
        break;
    case 11:
        Run(doc, SlideElevenList(record));
        Run(doc, SlideThirteenList(record));
        break;
    case 13:
        Run(doc, SlideThirteenList(record));
        break;
    default:
        break;
    }
}

void SubstituteAnswerPlaceholders(StyledDocument &doc, int answer, const CClientRecord &record)
{
    Run(doc, AnswerList(answer, record));
}

void SubstituteSignUpPlaceholders(StyledDocument &doc, const CClientRecord &record)
{
    Run(doc, SignUpList(record));
}

StyledDocument LoadSlide(const std::string &directory, int slide, const CClientRecord &record)
{
    StyledDocument doc;
    const std::string name = SlideFileName(slide);
    if (name.empty())
        return doc;
    LoadDocumentFile(doc, directory, name);
    SubstituteSlidePlaceholders(doc, slide, record);
    return doc;
}

StyledDocument LoadAnswer(const std::string &directory, int answer, const CClientRecord &record)
{
    StyledDocument doc;
    const std::string name = AnswerFileName(answer);
    if (name.empty())
        return doc;
    LoadDocumentFile(doc, directory, name);
    SubstituteAnswerPlaceholders(doc, answer, record);
    return doc;
}

StyledDocument LoadSignUp(const std::string &directory, const CClientRecord &record)
{
    StyledDocument doc;
    LoadDocumentFile(doc, directory, kSignUpFileName);
    SubstituteSignUpPlaceholders(doc, record);
    return doc;
}

} // namespace tw
