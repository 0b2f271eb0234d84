#include "docs/document_file.h"
#include "docs/placeholders.h"
#include "docs/rtf_reader.h"
#include "engine/figures.h"
#include "engine/plan_dates.h"
#include "engine/schedules.h"
#include "format/number_text.h"
#include "record/client_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

namespace tw {
namespace {

// The reference client: 100,000 at 7.5 % over 30 years, first paid 01/01/2020.
std::unique_ptr<CClientRecord> Client()
{
    auto r = std::make_unique<CClientRecord>();
    r->FirstName1 = "Maria";
    LoanAnalysis &a = r->Analysis;
    a.CurrentDate = "12/07/2026";
    a.FirstPaymentDate = "01/01/2020";
    a.TermText = "30";
    a.AmountText = "100000";
    a.CurrentPaymentText = "900";
    a.LowestRateText = "7.5";
    SetUpDebitDates(a);
    ComputeSchedules(a);
    ComputeSummaryScreenFigures(a);
    return r;
}

StyledDocument Doc(const std::string &body)
{
    return ParseRtf("{\\rtf1\\ansi " + body + "}");
}

TEST(Placeholders, FileNames)
{
    EXPECT_EQ(SlideFileName(1), "001.qnl");
    EXPECT_EQ(SlideFileName(9), "bottoml.qnl");
    EXPECT_EQ(SlideFileName(11), "011.qnl");
    EXPECT_EQ(SlideFileName(13), "013.qnl");
    for (int none : {0, 7, 10, 12, 14})
        EXPECT_EQ(SlideFileName(none), "") << none;
    EXPECT_EQ(AnswerFileName(1), "answer01.qnl");
    EXPECT_EQ(AnswerFileName(10), "answer10.qnl");
    EXPECT_EQ(AnswerFileName(11), "");
}

TEST(Placeholders, OnlyTheFirstOccurrenceOfAnyCaseIsReplaced)
{
    auto doc = Doc("\\{\\{LoanAmnt\\}\\} \\{\\{loanamnt\\}\\} \\{\\{LOANAMNT\\}\\} \\{\\{clientname\\}\\}");
    SubstituteSlidePlaceholders(doc, 1, *Client());
    EXPECT_EQ(PlainText(doc), "$100,000 {{loanamnt}} {{LOANAMNT}} Daniel Whitfield");
}

TEST(Placeholders, ATokenListedTwiceFillsTwoOccurrences)
{
    const auto client = Client();
    auto doc = Doc("\\{\\{BORROWAMOUNT\\}\\} \\{\\{BORROWAMOUNT\\}\\} \\{\\{BORROWAMOUNT\\}\\} "
                   "\\{\\{CLIENTYEARS\\}\\} \\{\\{INTERESTRATE\\}\\}");
    SubstituteSlidePlaceholders(doc, 9, *client);
    EXPECT_EQ(PlainText(doc), "100,000.00 100,000.00 {{BORROWAMOUNT}} 30.0 7.50% fixed");
}

TEST(Placeholders, SignUpFillsTwoOfThreeTotalSavings)
{
    const auto client = Client();
    const std::string total = "41,952.87"; // 60 payments of 699.2145 eliminated
    auto doc
        = Doc("\\{\\{TOTALSAVINGS\\}\\} \\{\\{TOTALSAVINGS\\}\\} \\{\\{TOTALSAVINGS\\}\\} \\{\\{NORMALYEARS\\}\\}");
    SubstituteSignUpPlaceholders(doc, *client);
    EXPECT_EQ(PlainText(doc), total + " " + total + " {{TOTALSAVINGS}} 30");
}

TEST(Placeholders, SlideElevenAlsoRunsTheClosingSlidesList)
{
    const auto client = Client();
    auto doc = Doc("\\{\\{CLIENTYEARS\\}\\}|\\{\\{NORMALYEARS\\}\\}|\\{\\{FIRSTNAME\\}\\}|\\{\\{FIRSTNAME\\}\\}|"
                   "\\{\\{LOSSPERMONTH\\}\\}");
    SubstituteSlidePlaceholders(doc, 11, *client);
    EXPECT_EQ(PlainText(doc), "22.8|22.8|Maria|Maria|139.84"); // (360 - 86) / 12 years; 41,952.87 / 300
}

TEST(Placeholders, EachTokenShowsItsFigure)
{
    // The reference client's plan starts with payment 86 and ends with payment 300, 60
    // payments (5 years) early: (300 - 86) / 12 = 17.8 years under the plan.
    auto client = Client();
    client->Analysis.CurrentPaymentText = "$900.00"; // as the lender screen stores it
    struct Case {
        int where; // a slide number, 100 + an answer number, or 0 for the sign-up
        const char *token, *text;
    };
    for (const Case &c : {Case {0, "YEARSSAVED", "5.0"}, Case {0, "ELIMPAYMENTS", "60"}, Case {0, "NORMALYEARS", "30"},
             Case {0, "TOTALPAYMENT", "251,717.23"}, Case {0, "DAILY", "4.66"}, Case {0, "10YRPRINSAVING", "14,036.58"},
             Case {11, "SHORTENYEARS", "5.0"}, Case {11, "BIWEEKLYYEARS", "17.8"}, Case {11, "EXCESSPMTS", "60"},
             Case {13, "BIWEEKLYYRS", "17.8"}, Case {103, "PMTAMOUNT", "900.00"}, Case {110, "YEARSPAIDOFF", "17.8"},
             Case {110, "PRINCIPLEPLUSSTILLOWED", "135,376.78"}}) {
        auto doc = Doc(std::string("\\{\\{") + c.token + "\\}\\}");
        if (c.where == 0)
            SubstituteSignUpPlaceholders(doc, *client);
        else if (c.where > 100)
            SubstituteAnswerPlaceholders(doc, c.where - 100, *client);
        else
            SubstituteSlidePlaceholders(doc, c.where, *client);
        EXPECT_EQ(PlainText(doc), c.text) << c.where << " " << c.token;
    }
}

TEST(Placeholders, AnswersWithoutAListAreShownAsWritten)
{
    const auto client = Client();
    for (int answer : {1, 2, 6, 9}) {
        auto doc = Doc("\\{\\{PMTAMOUNT\\}\\} \\{\\{NETWORTH\\}\\}");
        SubstituteAnswerPlaceholders(doc, answer, *client);
        EXPECT_EQ(PlainText(doc), "{{PMTAMOUNT}} {{NETWORTH}}") << answer;
    }
}

TEST(Placeholders, SavingsBelowTheFeeShowZero)
{
    auto client = Client();
    // The plan charges 3.45 on 26 debits a year: 89.70 / 12 = 7.475 a month.
    client->Analysis.AverageMonthlySavings = 7.47;
    auto four = Doc("\\{\\{MONTHLYSAVINGS\\}\\}");
    SubstituteAnswerPlaceholders(four, 4, *client);
    EXPECT_EQ(PlainText(four), "0.00");
    auto seven = Doc("\\{\\{MONTHLYINTRESTSAVINGS\\}\\} \\{\\{ROI%\\}\\} \\{\\{PMTAMOUNT\\}\\}");
    SubstituteAnswerPlaceholders(seven, 7, *client);
    EXPECT_EQ(PlainText(seven), "0.00 0.00% 900.00");

    client->Analysis.AverageMonthlySavings = 107.475;
    auto roi = Doc("\\{\\{MONTHLYSAVINGS\\}\\} \\{\\{ROI%\\}\\}");
    SubstituteAnswerPlaceholders(roi, 7, *client);
    SubstituteAnswerPlaceholders(roi, 4, *client);
    EXPECT_EQ(PlainText(roi), "100.00 9.00%");

    // The charges themselves, as the answers state them: 7.475 shows as 7.48.
    auto fees = Doc("\\{\\{DEBITFEE\\}\\} \\{\\{YEARLYFEES\\}\\} \\{\\{MONTHLYFEES\\}\\}");
    SubstituteAnswerPlaceholders(fees, 4, *client);
    EXPECT_EQ(PlainText(fees), "3.45 89.70 7.48");
}

TEST(Placeholders, MissingDocumentsLoadEmpty)
{
    const auto client = Client();
    EXPECT_TRUE(LoadSlide("/nonexistent/", 1, *client).empty());
    EXPECT_TRUE(LoadSlide(TALLOWIN_DOCUMENTS_DIR, 7, *client).empty());
    EXPECT_TRUE(LoadAnswer(TALLOWIN_DOCUMENTS_DIR, 0, *client).empty());
}

// How many times each shipped document must carry each token.
using TokenCounts = std::map<std::string, int>;
const std::map<std::string, TokenCounts> kShipped = {
    {"001.qnl", {{"{{LOANAMNT}}", 1}, {"{{CLIENTNAME}}", 1}}},
    {"bottoml.qnl",
        {{"{{FIRSTNAME}}", 1}, {"{{CLIENTYEARS}}", 1}, {"{{BORROWAMOUNT}}", 2}, {"{{INTERESTRATE}}", 1},
            {"{{5YRTOTALPMTS}}", 1}, {"{{5YRPRINDED}}", 1}, {"{{5YRINTPMT}}", 1}, {"{{5YRBALANCE}}", 1},
            {"{{10YRTOTPMTS}}", 1}, {"{{10YRPRINREDUCTION}}", 1}, {"{{10YRTOTINT}}", 1}, {"{{YRBALANCE}}", 1},
            {"{{YRSTOPAYHALF}}", 1}, {"{{HALFOFPRINTOT}}", 1}, {"{{TOTALINTREST}}", 1}, {"{{TOTALPAIDONLOAN}}", 1}}},
    {"011.qnl",
        {{"{{FIRSTNAME}}", 1}, {"{{OVERPAIDINT}}", 1}, {"{{EXCESSPMTS}}", 2}, {"{{TOTSAVINGS}}", 1},
            {"{{SHORTENYEARS}}", 2}, {"{{BIWEEKLYYEARS}}", 1}, {"{{CLIENTYEARS}}", 1}, {"{{NETWORTHINC}}", 1},
            {"{{TOTINVESTRETURN}}", 1}, {"{{AVGMONSAV}}", 1}, {"{{AVGYRSAV}}", 1}}},
    {"013.qnl",
        {{"{{FIRSTNAME}}", 1}, {"{{NORMALYEARS}}", 2}, {"{{BIWEEKLYYRS}}", 3}, {"{{SAVEPAYMENTS}}", 1},
            {"{{NORMALEQUITY}}", 1}, {"{{BIWEEKLYEQUITY}}", 1}, {"{{10YRPRINSAVING}}", 1},
            {"{{BALANCEAFTERBIWEEKLY}}", 2}, {"{{TOTALSAVINGS}}", 2}, {"{{INVESTMENT}}", 1}, {"{{LOSSPERMONTH}}", 2}}},
    {"answer03.qnl", {{"{{PMTAMOUNT}}", 1}}},
    {"answer01.qnl", {{"{{COMPANY}}", 2}}},
    {"answer04.qnl", {{"{{DEBITFEE}}", 1}, {"{{YEARLYFEES}}", 1}, {"{{MONTHLYFEES}}", 1}, {"{{MONTHLYSAVINGS}}", 1}}},
    {"answer05.qnl", {{"{{TOTALINTREST}}", 1}}},
    {"answer07.qnl",
        {{"{{TOTSAVINGS}}", 1}, {"{{DEBITFEE}}", 1}, {"{{MONTHLYFEES}}", 1}, {"{{MONTHLYINTRESTSAVINGS}}", 1},
            {"{{PMTAMOUNT}}", 1}, {"{{ROI%}}", 1}}},
    {"answer08.qnl", {{"{{NETWORTH}}", 1}}},
    {"answer10.qnl",
        {{"{{YEARSPAIDOFF}}", 1}, {"{{CASH}}", 1}, {"{{STILLOWED}}", 1}, {"{{PRINCIPLE}}", 1},
            {"{{PRINCIPLEPLUSSTILLOWED}}", 1}}},
    {"signup.qnl",
        {{"{{FIRSTNAME}}", 1}, {"{{TOTALSAVINGS}}", 2}, {"{{TOTALPAYMENT}}", 1}, {"{{LOANAMOUNT}}", 1},
            {"{{NORMALYEARS}}", 2}, {"{{NETWORTH}}", 1}, {"{{YEARSSAVED}}", 1}, {"{{ELIMPAYMENTS}}", 1},
            {"{{10YRPRINSAVING}}", 1}, {"{{INVESTMENT}}", 1}, {"{{DAILY}}", 1}}},
};

TokenCounts TokensIn(const std::string &text)
{
    std::string upper = text;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    TokenCounts counts;
    for (std::size_t at = upper.find("{{"); at != std::string::npos; at = upper.find("{{", at + 2)) {
        const std::size_t end = upper.find("}}", at);
        if (end != std::string::npos)
            ++counts[upper.substr(at, end + 2 - at)];
    }
    return counts;
}

TEST(ShippedDocuments, CarryEveryTokenOfTheirListAndNothingElse)
{
    const auto client = Client();
    const char *all[] = {"001.qnl", "002.qnl", "003.qnl", "004.qnl", "005.qnl", "006.qnl", "008.qnl", "bottoml.qnl",
        "011.qnl", "013.qnl", "answer01.qnl", "answer02.qnl", "answer03.qnl", "answer04.qnl", "answer05.qnl",
        "answer06.qnl", "answer07.qnl", "answer08.qnl", "answer09.qnl", "answer10.qnl", "signup.qnl"};
    for (const char *name : all) {
        StyledDocument doc;
        LoadDocumentFile(doc, TALLOWIN_DOCUMENTS_DIR, name);
        ASSERT_FALSE(doc.empty()) << name;
        const auto expected = kShipped.count(name) ? kShipped.at(name) : TokenCounts {};
        EXPECT_EQ(TokensIn(PlainText(doc)), expected) << name;
    }
    for (int slide : {1, 2, 3, 4, 5, 6, 8, 9, 11, 13})
        EXPECT_EQ(PlainText(LoadSlide(TALLOWIN_DOCUMENTS_DIR, slide, *client)).find("{{"), std::string::npos) << slide;
    for (int answer = 1; answer <= 10; ++answer)
        EXPECT_EQ(PlainText(LoadAnswer(TALLOWIN_DOCUMENTS_DIR, answer, *client)).find("{{"), std::string::npos)
            << answer;
    const std::string signUp = PlainText(LoadSignUp(TALLOWIN_DOCUMENTS_DIR, *client));
    EXPECT_EQ(signUp.find("{{"), std::string::npos);
    EXPECT_NE(signUp.find("Maria"), std::string::npos);
    EXPECT_NE(signUp.find("41,952.87"), std::string::npos);
}

} // namespace
} // namespace tw
