// The screens' texts and rules, without a window.
#include "engine/figures.h"
#include "screens/questions_dlg.h"
#include "rules/result_codes.h"
#include "screens/screen_texts.h"
#include "rules/slide_paging.h"
#include "screens/summary_texts.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QTest>
#include <QTextLayout>

using namespace tw;

Q_DECLARE_METATYPE(tw::SlideMove)

namespace {

// The first line of |text| laid out at |width| with |font|, as a word-wrapping label
// lays it out.
QString FirstLine(const QString &text, const QFont &font, int width)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(width);
    layout.endLayout();
    return text.mid(line.textStart(), line.textLength());
}

} // namespace

class TestScreenTexts : public QObject {
    Q_OBJECT
private slots:
    void cashAvailableLabel_data();
    void cashAvailableLabel();
    void summaryLabelsFollowTheYears();
    void signUpNoText_data();
    void signUpNoText();
    void comparisonColumnOrder();
    void slidePaging_data();
    void slidePaging();
    void questionsOpenTheirAnswers();
    void questionTextsBreakInsideTheirRuns_data();
    void questionTextsBreakInsideTheirRuns();
    void questionWidthNeverExceedsTheRoom();
};

void TestScreenTexts::cashAvailableLabel_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("years");
    QTest::addColumn<QString>("expected");
    const char *const rows[][4] = {{"the screen's label", "Cash Available After 30 Years\n(Based on a 10% Investment)",
                                       "25.5", "Cash Available After 25.5 Years\n(Based on a 10% Investment)"},
        {"only the first 30", "After 30 of 30", "7.0", "After 7.0 of 30"},
        {"30 first", "30 Years", "1.5", " 1.5 Years"},
        {"no 30", "Cash Available Later", "25.5", "Cash Available Later"},
        {"300 holds a 30", "After 300 days", "2.0", "After 2.00 days"}};
    for (const auto &[name, label, years, expected] : rows)
        QTest::newRow(name) << QString(label) << QString(years) << QString(expected);
}

void TestScreenTexts::cashAvailableLabel()
{
    QFETCH(QString, label);
    QFETCH(QString, years);
    QFETCH(QString, expected);
    QCOMPARE(RebuildCashAvailableLabel(label, years), expected);
}

void TestScreenTexts::summaryLabelsFollowTheYears()
{
    LoanAnalysis a;
    a.TermYears = 30;
    a.TermMonths = 360;
    a.PlanStartPayment = 54;
    ComputeSummaryScreenFigures(a);
    const SummaryTexts t = BuildSummaryTexts(a);
    QCOMPARE(t.rows[kRowRemainingYears].without, QStringLiteral("25.5"));
    QCOMPARE(t.rows[kRowCashAvailable].label,
        QStringLiteral("Cash Available After 25.5 Years\n(Based on a 10% Investment)"));

    a.PlanYears = 21.25;
    QCOMPARE(BuildSummaryTexts(a).rows[kRowBalanceDue].label, QStringLiteral("Balance Due After 21.3 Years:"));
}

void TestScreenTexts::signUpNoText_data()
{
    QTest::addColumn<int>("payments");
    QTest::addColumn<double>("total");
    QTest::addColumn<QString>("expected");
    QTest::newRow("52 payments") << 52 << 41616.00
                                 << "My lender needs the 52 payments totaling $41,616.00 more than I do";
    QTest::newRow("nothing saved") << 0 << 0.0 << "My lender needs the 0 payments totaling $0.00 more than I do";
    QTest::newRow("cents rounded") << 7 << 9876.545
                                   << "My lender needs the 7 payments totaling $9,876.55 more than I do";
}

void TestScreenTexts::signUpNoText()
{
    QFETCH(int, payments);
    QFETCH(double, total);
    QFETCH(QString, expected);
    LoanAnalysis a;
    a.PaymentsEliminated = payments;
    a.TotalPaymentSavings = total;
    QCOMPARE(SignUpNoText(a), expected);
}

void TestScreenTexts::comparisonColumnOrder()
{
    SavingsColumn c;
    c.YearsToPayoff = 22.75;
    c.InterestSavings = 1000;
    c.PaymentsEliminated = -3;
    c.TotalPaymentSavings = 2000;
    c.BiWeeklyEquity5 = 3000;
    c.BiWeeklyEquity10 = 4000;
    c.AverageMonthlySavings = 5000;
    c.AverageYearlySavings = 6000;
    c.InvestmentValue = -7000;
    const auto texts = ComparisonColumnTexts(c);
    const std::array<QString, kComparisonRows> expected
        = {"22.8", "1,000.00", "-3", "2,000.00", "3,000.00", "4,000.00", "5,000.00", "6,000.00", "-7,000.00"};
    QCOMPARE(texts, expected);
    QCOMPARE(ComparisonRowLabels()[2], QStringLiteral("Monthly pmts. eliminated"));
    QCOMPARE(ComparisonRowLabels()[8], QStringLiteral("Cash avalible after 30 years:"));
}

void TestScreenTexts::slidePaging_data()
{
    QTest::addColumn<int>("slide");
    QTest::addColumn<SlideMove>("onContinue");
    QTest::addColumn<SlideMove>("onBack");
    const SlideMove stay;
    auto show = [](int s) { return SlideMove {SlideMove::Show, s}; };
    const SlideMove forward {SlideMove::Close, kResultForward};
    const SlideMove back {SlideMove::Close, kResultBack};
    QTest::newRow("1") << 1 << show(2) << back;
    for (int s = 2; s <= 5; ++s)
        QTest::addRow("%d", s) << s << show(s + 1) << show(s - 1);
    QTest::newRow("6") << 6 << forward << show(5);
    QTest::newRow("7 is another screen") << 7 << stay << stay;
    QTest::newRow("8") << 8 << show(9) << back;
    QTest::newRow("9") << 9 << forward << show(8);
    QTest::newRow("10 is another screen") << 10 << stay << stay;
    QTest::newRow("11") << 11 << forward << back;
    QTest::newRow("12 is another screen") << 12 << stay << stay;
    QTest::newRow("13") << 13 << forward << back;
    QTest::newRow("0") << 0 << stay << stay;
    QTest::newRow("14") << 14 << stay << stay;
}

void TestScreenTexts::slidePaging()
{
    QFETCH(int, slide);
    QFETCH(SlideMove, onContinue);
    QFETCH(SlideMove, onBack);
    QCOMPARE(ContinueFromSlide(slide), onContinue);
    QCOMPARE(BackFromSlide(slide), onBack);
}

void TestScreenTexts::questionsOpenTheirAnswers()
{
    const auto &q = Questions();
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(q[i].answer, i + 1);
        QVERIFY(q[i].text.startsWith(QString::number(i + 1) + QStringLiteral(". ")));
    }
    QCOMPARE(q[7].answer, 10);
    QCOMPARE(q[8].answer, 9);
    QVERIFY(QuestionsIntroductionFirstLine().endsWith(QStringLiteral("please feel free to call our customer")));
}

void TestScreenTexts::questionTextsBreakInsideTheirRuns_data()
{
    QTest::addColumn<int>("question");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("4") << 4
                       << "4. I think I've heard of this service before, but it was never free.  How can you provide "
                          "so much at no";
    QTest::newRow("6") << 6
                       << "6. I contacted my mortgage lender and they said they would not accept electronic "
                          "bi-weekly payments -";
    QTest::newRow("7") << 7
                       << "7. I'm on a tight budget, always paying my bills at the last possible minute.  Can I "
                          "still enjoy these";
}

void TestScreenTexts::questionTextsBreakInsideTheirRuns()
{
    QFETCH(int, question);
    QFETCH(QString, firstLine);
    const QString text = Questions()[question - 1].text;
    const QFont base = QApplication::font();

    const auto wide = QuestionWrapWidth(base, 2000);
    QVERIFY(wide);
    QCOMPARE(FirstLine(text, base, *wide).trimmed(), firstLine);

    // Where the screen's font is too wide for its room, a slightly smaller one is taken.
    double longest = 0;
    for (int q : {4, 6, 7}) {
        const QString t = Questions()[q - 1].text;
        longest = std::max(longest, QFontMetricsF(base).horizontalAdvance(t.left(t.indexOf(QStringLiteral("   ")))));
    }
    const int tight = static_cast<int>(longest * 0.96);
    QVERIFY(!QuestionWrapWidth(base, tight));
    const QuestionTextFit fit = FitQuestionTexts(base, tight);
    QVERIFY(fit.font.pointSizeF() < base.pointSizeF());
    QVERIFY(fit.font.pointSizeF() >= base.pointSizeF() * 0.85);
    QVERIFY(fit.width <= tight);
    QCOMPARE(FirstLine(text, fit.font, fit.width).trimmed(), firstLine);
}

void TestScreenTexts::questionWidthNeverExceedsTheRoom()
{
    const QFont font = QApplication::font();
    const QuestionTextFit narrow = FitQuestionTexts(font, 200);
    QCOMPARE(narrow.width, 200);
    QCOMPARE(narrow.font, font);
    const int wide = *QuestionWrapWidth(font, 2000);
    QCOMPARE(QuestionWrapWidth(font, wide), std::optional<int>(wide));
    QCOMPARE(FitQuestionTexts(font, 2000).font, font);
}

QTEST_MAIN(TestScreenTexts)
#include "tst_screen_texts.moc"
