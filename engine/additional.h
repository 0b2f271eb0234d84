#pragma once

#include "engine/analysis.h"

#include <optional>
#include <string>
#include <string_view>

namespace tw {

// One column of the additional-payment comparison.
struct SavingsColumn {
    double YearsToPayoff = 0;
    double InterestSavings = 0;
    int PaymentsEliminated = 0;
    double TotalPaymentSavings = 0;
    double BiWeeklyEquity5 = 0;
    double BiWeeklyEquity10 = 0;
    double AverageMonthlySavings = 0;
    double AverageYearlySavings = 0;
    double InvestmentValue = 0;
};

// The plan's own figures as the analysis holds them now.
SavingsColumn PlanColumn(const LoanAnalysis &a);

struct AdditionalComparison {
    SavingsColumn additional; // the plan with AdditionalPayment every month from the plan's start
    SavingsColumn difference; // additional minus the plan
};

// Fills AdditionalSchedule for the current AdditionalPayment and compares it with the
// plan; also stores the gain in payment savings as AdditionalSavingsGain.
AdditionalComparison RecalculateAdditional(LoanAnalysis &a);

// Recomputes the schedules and the plan's figures without any additional payment
// (PayoffDate and the current payment text stay as they are).
void RecomputeBaseSchedules(LoanAnalysis &a);

// A full computation makes the plan without any additional payment, so an amount kept
// from an earlier comparison goes too: afterwards the amount is 0 and its text "0".
void ClearAdditionalPayment(LoanAnalysis &a);

// Why a typed additional payment cannot be used, in words for the user; nullopt when it
// can (an empty text too: it leaves the amount as it is). The amount is money paid on
// top, so it needs a digit and no sign.
std::optional<std::string> CheckAdditionalAmount(std::string_view typedAmount);

// The comparison screen's flow, without the screen: it starts at 10.00, recalculates
// only when the typed amount changes, and either keeps the amount (Use) or drops it.
class AdditionalPaymentSession {
public:
    explicit AdditionalPaymentSession(LoanAnalysis &a);

    // Restores the plan if an earlier session kept an amount, then compares with 10.00.
    void Start();
    // The ReCalculate button: returns true when the amount changed and was recalculated.
    bool Recalculate(std::string_view typedAmount);
    // OK: takes a typed amount not yet recalculated, then makes the plan in the analysis
    // the plan with the additional payment.
    void Use(std::string_view typedAmount);
    // Exit: the additional payment is dropped; schedules and figures stay.
    void Decline();

    const SavingsColumn &Plan() const { return plan_; }
    const AdditionalComparison &Comparison() const { return comparison_; }
    static constexpr const char *kStartAmountText = "10.00";

private:
    LoanAnalysis &a_;
    SavingsColumn plan_;
    AdditionalComparison comparison_;
};

} // namespace tw
