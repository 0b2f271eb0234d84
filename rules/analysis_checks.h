#pragma once

#include "record/client_record.h"

#include <optional>
#include <string>

namespace tw {

// What the loan-entry screen's fields hold when Continue is pressed.
struct AnalysisForm {
    std::string currentDate;
    std::string firstName;
    std::string lastName;
    std::string firstPaymentDate;
    std::string term;
    std::string amount;
    std::string currentPayment;
    bool variable = false;
    std::string lowestRate;
    std::string highestRate;
};

enum class AnalysisField {
    CurrentDate,
    FirstName,
    LastName,
    FirstPaymentDate,
    Term,
    Amount,
    CurrentPayment,
    LowestRate,
    HighestRate,
};

struct AnalysisCheckFailure {
    AnalysisField field;
    std::string message;
};

// The screen's checks in their order. Each passing field is written into the record at
// once (a later failure leaves it written); the variable flag is always written. With
// checkNames false the two name checks are skipped (the command line has no names).
std::optional<AnalysisCheckFailure> ApplyAnalysisForm(
    const AnalysisForm &form, CClientRecord &record, bool checkNames = true);

// The highest interest rate, fixed or variable, taken as a real mortgage's (percent).
inline constexpr double kMaxPlausibleRate = 25.0;

// After the form passed: whether the calculation can run on what the record now holds
// and give figures that mean something: a first payment at most 12 months after the
// current date, dates inside the debit calendar, amounts and rates that are numbers, a
// loan the engine computes, rates of at most kMaxPlausibleRate, a loan not yet paid off,
// a current payment that covers at least the loan's principal and interest, and a plan
// that eliminates at least one monthly payment. The failure names the field to correct.
// Every entry path (loan entry, vendor form, bulk letters, command line) asks this.
std::optional<AnalysisCheckFailure> CheckAnalysisCanRun(const LoanAnalysis &a);

// For a variable rate the calculation may raise a current payment that covers the loan
// at its lowest rate to the payment at the average rate, and shows the raised one from
// then on. What to tell the user when it did (payment texts before and after the
// calculation); "" when the payment stayed.
std::string RaisedPaymentNotice(const std::string &typed, const std::string &used);

} // namespace tw
