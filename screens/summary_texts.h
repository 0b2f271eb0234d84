#pragma once

#include "engine/analysis.h"

#include <QString>

#include <array>

namespace tw {

// The rows of the summary comparison, top to bottom.
enum SummaryRow : int {
    kRowRemainingYears,
    kRowInterestSavings,
    kRowPaymentsSaved,
    kRowTotalSavings,
    kRowEquity5,
    kRowEquity10,
    kRowBalanceDue,
    kRowAverageMonthly,
    kRowAverageYearly,
    kRowCashAvailable,
    kRowOvercharged,
    kSummaryRowCount
};

struct SummaryRowTexts {
    QString label;
    QString without; // the loan paid monthly
    QString with; // the bi-weekly plan
};

// The block under the comparison that says what the plan charges.
enum CostRow : int { kCostFees, kCostNetSavings, kCostBreakEven, kCostRowCount };

struct CostTexts {
    QString title;
    std::array<QString, kCostRowCount> labels;
    std::array<QString, kCostRowCount> values;
    QString breakEvenSentence; // what the break-even date means for selling or refinancing
    QString doItYourself; // the same extra principal paid without the plan
};

struct SummaryTexts {
    QString title;
    QString withoutHeading;
    QString withHeading;
    std::array<SummaryRowTexts, kSummaryRowCount> rows;
    CostTexts costs;
};

// What the summary comparison shows for figures already computed and stored
// (ComputeSummaryScreenFigures).
SummaryTexts BuildSummaryTexts(const LoanAnalysis &a);

// The plan's costs and the do-it-yourself alternative for the schedules as computed.
CostTexts BuildCostTexts(const LoanAnalysis &a);

// The Cash Available label with its "30" replaced by the years still to pay: the text
// before the first "30" less its last character, a blank, |years|, the text after "30".
// A label without "30" stays as it is.
QString RebuildCashAvailableLabel(const QString &label, const QString &years);

// "Balance Due After %s Years:" with the plan's years.
QString BalanceDueLabel(const QString &years);

} // namespace tw
