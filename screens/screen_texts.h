#pragma once

#include "engine/additional.h"
#include "engine/analysis.h"

#include <QString>

#include <array>

namespace tw {

// The questions screen: its two introduction lines and nine questions, each with the
// number of the answer its button opens.
struct Question {
    QString text;
    int answer;
};
QString QuestionsIntroductionFirstLine();
QString QuestionsIntroductionSecondLine();
const std::array<Question, 9> &Questions();

// The sign-up screen's text beside NO, with the payments saved and the total savings.
QString SignUpNoText(const LoanAnalysis &a);

// The nine rows of the additional-payment comparison, top to bottom.
inline constexpr int kComparisonRows = 9;
const std::array<QString, kComparisonRows> &ComparisonRowLabels();

// One column's texts: years with one decimal, money as money text, payments as a whole
// number. Money and one-decimal text carry no sign of their own, so a value below zero
// that does not round to zero gets a leading "-": a difference must never read as a gain
// when it is a loss.
std::array<QString, kComparisonRows> ComparisonColumnTexts(const SavingsColumn &column);

} // namespace tw
