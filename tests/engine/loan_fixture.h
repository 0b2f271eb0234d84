#pragma once

#include "engine/analysis.h"
#include "engine/figures.h"
#include "engine/plan_dates.h"
#include "engine/schedules.h"

#include <memory>
#include <string>

namespace tw::testing_support {

struct LoanTexts {
    std::string today = "12/07/2026";
    std::string firstPayment = "01/01/2020";
    std::string term = "30";
    std::string amount = "100000";
    std::string payment = "900";
    std::string rate = "7.5";
    std::string highestRate;
};

// The analysis is large; tests keep it on the heap.
inline std::unique_ptr<LoanAnalysis> MakeLoan(const LoanTexts &t = {})
{
    auto a = std::make_unique<LoanAnalysis>();
    a->CurrentDate = t.today;
    a->FirstPaymentDate = t.firstPayment;
    a->TermText = t.term;
    a->AmountText = t.amount;
    a->CurrentPaymentText = t.payment;
    a->LowestRateText = t.rate;
    a->HighestRateText = t.highestRate;
    a->VariableFlag = t.highestRate.empty() ? 0 : 1;
    return a;
}

// As the vendor command runs it: plan dates, schedules, every figure.
inline std::unique_ptr<LoanAnalysis> Analyse(const LoanTexts &t = {})
{
    auto a = MakeLoan(t);
    if (!SetUpDebitDates(*a) || !ComputeSchedules(*a))
        return nullptr;
    ComputeSummaryFigures(*a);
    return a;
}

} // namespace tw::testing_support
