#include "screens/screen_texts.h"

#include "format/number_text.h"
#include "record/company.h"

namespace tw {

QString QuestionsIntroductionFirstLine()
{
    return QStringLiteral("At this point, it's likely that you have some questions about us, and about our free "
                          "service.  Here are some common questions we often get from customers.  If your question "
                          "is not addressed here, please feel free to call our customer");
}

QString QuestionsIntroductionSecondLine()
{
    const CompanyIdentity &company = Company();
    return QString::fromStdString("service department at " + company.Phone
        + ", or fax your question at any hour, day or night, to " + company.Fax + ".");
}

const std::array<Question, 9> &Questions()
{
    static const std::array<Question, 9> questions = {{
        {QStringLiteral("1. Who is %1 and what kind of people will be managing my mortgage?")
                .arg(QString::fromStdString(Company().Name)),
            1},
        {QStringLiteral("2. How long am I committed to your service?  What if I decide to try it, but later change "
                        "my mind?"),
            2},
        {QStringLiteral("3. How is my mortgage payment protected with your service?"), 3},
        {QStringLiteral("4. I think I've heard of this service before, but it was never free.  How can you provide so "
                        "much at no        cost?"),
            4},
        {QStringLiteral("5. Can I do the same thing myself without your services?"), 5},
        {QStringLiteral("6. I contacted my mortgage lender and they said they would not accept electronic bi-weekly "
                        "payments -      so how can you do it?"),
            6},
        {QStringLiteral("7. I'm on a tight budget, always paying my bills at the last possible minute.  Can I still "
                        "enjoy these              savings?"),
            7},
        {QStringLiteral("8. What affect will your service have on my ability to deduct interest on my taxes?"), 10},
        {QStringLiteral("9. Can I increase my monthly payment to save even more?"), 9},
    }};
    return questions;
}

QString SignUpNoText(const LoanAnalysis &a)
{
    return QStringLiteral("My lender needs the %1 payments totaling $%2 more than I do")
        .arg(QString::number(a.PaymentsEliminated), QString::fromStdString(FormatMoney(a.TotalPaymentSavings)));
}

const std::array<QString, kComparisonRows> &ComparisonRowLabels()
{
    static const std::array<QString, kComparisonRows> labels = {
        QStringLiteral("Years to pay off:"),
        QStringLiteral("Interest savings:"),
        QStringLiteral("Monthly pmts. eliminated"),
        QStringLiteral("Total payment savings:"),
        QStringLiteral("Equity after 5 years:"),
        QStringLiteral("Equity after 10 years:"),
        QStringLiteral("Average monthly savings:"),
        QStringLiteral("Average yearly savings:"),
        QStringLiteral("Cash avalible after 30 years:"),
    };
    return labels;
}

std::array<QString, kComparisonRows> ComparisonColumnTexts(const SavingsColumn &c)
{
    return {
        QString::fromStdString(SignedOneDecimal(c.YearsToPayoff)),
        QString::fromStdString(SignedMoney(c.InterestSavings)),
        QString::number(c.PaymentsEliminated),
        QString::fromStdString(SignedMoney(c.TotalPaymentSavings)),
        QString::fromStdString(SignedMoney(c.BiWeeklyEquity5)),
        QString::fromStdString(SignedMoney(c.BiWeeklyEquity10)),
        QString::fromStdString(SignedMoney(c.AverageMonthlySavings)),
        QString::fromStdString(SignedMoney(c.AverageYearlySavings)),
        QString::fromStdString(SignedMoney(c.InvestmentValue)),
    };
}

} // namespace tw
