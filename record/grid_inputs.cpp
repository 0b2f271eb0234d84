#include "record/grid_inputs.h"

#include "engine/additional.h"
#include "engine/figures.h"
#include "engine/grid_text.h"
#include "engine/plan_dates.h"
#include "engine/schedules.h"
#include "format/number_text.h"
#include "record/profile_store.h"

#include <cmath>
#include <memory>

namespace tw {

namespace {

constexpr const char *kInputSections[] = {"AddPmt", "IntRate", "Adjust"};
constexpr int kInputFields[] = {kGridExtra, kGridRate, kGridAdjustment};

double StoredNumber(const std::string &text)
{
    const double v = TextToDouble(text);
    return std::isfinite(v) ? v : 0;
}

// A value as the profile keeps it: rounded to two decimals.
double AsStored(double value)
{
    return TextToDouble(PlainAmountText(value));
}

} // namespace

GridTable LoadGridInputs(const CProfileSnapshot &profile)
{
    GridTable t;
    for (int s = 0; s < 3; ++s) {
        const std::vector<std::string> months = profile.ReadMonths(kInputSections[s], kGridRows);
        for (int n = 1; n <= kGridRows; ++n)
            SetGridValue(t.Month(n), kInputFields[s], StoredNumber(months[static_cast<std::size_t>(n - 1)]));
    }
    t.Month(1).Balance = StoredNumber(profile.Read("PrinBal", "Mth1"));
    const std::string term = profile.Read("PrinBal", "LoanTermYears");
    const int years = TextToInt(term);
    t.TermYears = years >= 1 && years <= kGridMaxTermYears ? years : kGridDefaultTermYears;
    t.StartDate = profile.Read("PrinBal", "LoanStartDate");
    return t;
}

SaveStatus StoreGridInputs(const GridTable &t, CProfileStore &profile, bool withLoan)
{
    CProfileEdit edit = profile.Edit();
    if (!GridHasLoan(t))
        return edit.Commit();
    const int months = GridMonthCount(t);
    std::string key;
    for (int n = 1; n <= months; ++n) {
        key = "Mth" + std::to_string(n);
        for (int s = 0; s < 3; ++s) {
            const double v = GridValue(t.Month(n), kInputFields[s]);
            edit.Write(
                kInputSections[s], key, kInputFields[s] == kGridRate ? GridRateStoredText(v) : PlainAmountText(v));
        }
    }
    if (withLoan) {
        edit.Write("PrinBal", "Mth1", PlainAmountText(t.Month(1).Balance));
        edit.Write("PrinBal", "LoanTermYears", std::to_string(GridTermMonths(t) / 12));
        edit.Write("PrinBal", "LoanStartDate", t.StartDate);
    }
    return edit.Commit();
}

std::optional<GridTable> EnrollmentGridInputs(const CClientRecord &record, std::string *why)
{
    auto a = std::make_unique<LoanAnalysis>(record.Analysis);
    const auto fail = [&](std::string reason) -> std::optional<GridTable> {
        if (why)
            *why = std::move(reason);
        return std::nullopt;
    };
    if (!SetUpDebitDates(*a))
        return fail("The stored loan's dates do not give a bi-weekly plan.");
    if (!ComputeSchedules(*a))
        return fail(ExplainDeclinedLoan(*a));
    // An additional payment the client kept is part of the plan, as the comparison
    // screen's OK made it.
    const std::string additionalText = a->AdditionalPaymentText;
    if (TextToDouble(CleanNumberText(additionalText)) > 0) {
        ComputeSummaryScreenFigures(*a);
        AdditionalPaymentSession session(*a);
        session.Start();
        session.Use(additionalText);
    } else {
        a->AdditionalPayment = 0;
    }

    GridTable t;
    const auto &plan = a->BiWeeklySchedule;
    const double rate = a->AnnualRate > 0 ? TextToDouble(GridRateStoredText(a->AnnualRate)) : 0;
    const double adjust = a->AdditionalPayment > 0 ? AsStored(a->AdditionalPayment) : 0;
    for (int i = 0; i < kGridRows && i < static_cast<int>(plan.size()); ++i) {
        GridRow &row = t.Rows[static_cast<std::size_t>(i)];
        row.Extra = plan[static_cast<std::size_t>(i)].Extra > 0 ? AsStored(plan[static_cast<std::size_t>(i)].Extra) : 0;
        row.Rate = rate;
        row.Adjustment = adjust;
        if (i + 1 >= static_cast<int>(plan.size()) || !(plan[static_cast<std::size_t>(i + 1)].Balance > 0))
            break;
    }
    t.Month(1).Balance = plan[0].Balance > 0 ? AsStored(plan[0].Balance) : 0;
    const int years = TextToInt(a->TermText);
    t.TermYears = years >= 1 && years <= kGridMaxTermYears ? years : kGridDefaultTermYears;
    t.StartDate = a->FirstPaymentDate;
    return t;
}

std::unique_ptr<LoanAnalysis> PlanAnalysisFor(const CClientRecord &record)
{
    auto a = std::make_unique<LoanAnalysis>(record.Analysis);
    if (!SetUpDebitDates(*a) || !ComputeSchedules(*a))
        return nullptr;
    ComputeSummaryFigures(*a);
    return a;
}

} // namespace tw
