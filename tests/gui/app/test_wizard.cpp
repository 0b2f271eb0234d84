// The demonstration's step table and its loop, driven by scripted screens.
#include "app/wizard.h"
#include "rules/result_codes.h"

#include <QtTest>

#include <deque>
#include <string>
#include <vector>

using namespace tw;

namespace {

// Screens that answer from a script and write down what was shown, in order.
class ScriptedScreens : public IScreenFactory {
public:
    std::deque<int> results;
    std::vector<std::string> shown;

    int Next(std::string name)
    {
        shown.push_back(std::move(name));
        if (results.empty()) {
            exhausted = true;
            return kResultCancel; // ends the wizard at the next screen that is not 0, 7, 14 or 17
        }
        const int r = results.front();
        results.pop_front();
        return r;
    }
    bool exhausted = false;

    int ShowIntro() override { return Next("intro"); }
    int ShowSlide(int position) override { return Next("slide" + std::to_string(position)); }
    int ShowAnalysisInfo() override { return Next("analysis"); }
    int ShowSummary() override { return Next("summary"); }
    int ShowQuestions() override { return Next("questions"); }
    int ShowSignUp() override { return Next("signup"); }
    int ShowPersonalInfo() override { return Next("personal"); }
    int ShowLenderInfo() override { return Next("lender"); }
    int ShowDebitBank() override { return Next("bank"); }
};

// Writes the actions into the same log as the screens, so their order is checked too.
class LoggedActions : public IWizardActions {
public:
    explicit LoggedActions(std::vector<std::string> &log)
        : log_(log)
    {
    }
    void Calculate() override { log_.push_back("calculate"); }
    void ThankYou() override { log_.push_back("thank-you"); }
    void FinishEnrollment() override { log_.push_back("enrollment-print"); }

private:
    std::vector<std::string> &log_;
};

QString Joined(const std::vector<std::string> &v)
{
    QStringList parts;
    for (const auto &s : v)
        parts << QString::fromStdString(s);
    return parts.join(QLatin1Char(' '));
}

} // namespace

class WizardTest : public QObject {
    Q_OBJECT
private slots:
    void transitionTable_data();
    void transitionTable();
    void roads_data();
    void roads();
    void secondRunStartsAtTheIntroduction();
    void thankYouText();
};

void WizardTest::transitionTable_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("next");

    // Per step: next for Back (5), for 0, for 1, and for anything else (2, 10, 50, -1).
    struct Row {
        int step, back, forward, yes, other;
    };
    const Row rows[] = {
        {0, 1, 1, 1, 1},
        {1, 0, 7, 18, 18},
        {2, 0, 7, 18, 18},
        {3, 0, 7, 18, 18},
        {4, 0, 7, 18, 18},
        {5, 0, 7, 18, 18},
        {6, 0, 7, 18, 18},
        {7, 6, 8, 8, 8},
        {8, 7, 10, 18, 18},
        {9, 7, 10, 18, 18},
        {10, 9, 11, 18, 18},
        {11, 10, 12, 18, 18},
        {12, 11, 13, 18, 18},
        {13, 12, 14, 18, 18},
        {14, 13, 500, 15, 13},
        {15, 14, 16, 18, 18},
        {16, 15, 17, 18, 18},
        {17, 16, 18, 18, 18},
    };
    for (const Row &r : rows) {
        QTest::addRow("step %d back", r.step) << r.step << int(kResultBack) << r.back;
        QTest::addRow("step %d forward", r.step) << r.step << int(kResultForward) << r.forward;
        QTest::addRow("step %d yes", r.step) << r.step << int(kResultYes) << r.yes;
        for (int other : {int(kResultCancel), int(kResultPrint), int(kResultLenderClosed), -1})
            QTest::addRow("step %d result %d", r.step, other) << r.step << other << r.other;
    }
    // Steps outside the screens end the wizard rather than wander.
    QTest::newRow("end state 18") << 18 << 0 << 18;
    QTest::newRow("end state 500") << 500 << 0 << 18;
    QTest::newRow("negative step") << -3 << 0 << 18;
}

void WizardTest::transitionTable()
{
    QFETCH(int, step);
    QFETCH(int, result);
    QFETCH(int, next);
    QCOMPARE(NextWizardStep(step, result), next);
}

void WizardTest::roads_data()
{
    QTest::addColumn<QList<int>>("results");
    QTest::addColumn<QString>("road");
    QTest::addColumn<int>("end");

    const QString toSignUp = "intro slide1 analysis calculate slide8 summary slide11 questions slide13 signup";
    QTest::newRow("declined") << QList<int> {1, 0, 1, 0, 0, 0, 0, 0, 0} << toSignUp + " thank-you" << 500;
    QTest::newRow("escape on the introduction still shows slide 1") << QList<int> {2, 2} << "intro slide1" << 18;
    QTest::newRow("back on slide 1 returns to the introduction, then slide 1")
        << QList<int> {1, 5, 1, 2} << "intro slide1 intro slide1" << 18;
    QTest::newRow("back on the analysis opens slide 6")
        << QList<int> {1, 0, 5, 2} << "intro slide1 analysis slide6" << 18;
    QTest::newRow("summary back opens slide 9, back there the analysis")
        << QList<int> {1, 0, 1, 0, 5, 5, 5, 2}
        << "intro slide1 analysis calculate slide8 summary slide9 analysis slide6" << 18;
    QTest::newRow("closing the sign-up shows slide 13 again")
        << QList<int> {1, 0, 1, 0, 0, 0, 0, 0, 2, 0, 0} << toSignUp + " slide13 signup thank-you" << 500;
    QTest::newRow("back on the sign-up shows slide 13 again")
        << QList<int> {1, 0, 1, 0, 0, 0, 0, 0, 5, 2} << toSignUp + " slide13" << 18;
    QTest::newRow("enrolled") << QList<int> {1, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 10}
                              << toSignUp + " personal lender bank enrollment-print" << 18;
    QTest::newRow("bank closed by escape still prints")
        << QList<int> {1, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 2} << toSignUp + " personal lender bank enrollment-print" << 18;
    QTest::newRow("bank left by ending the demonstration prints nothing")
        << QList<int> {1, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 3} << toSignUp + " personal lender bank" << 18;
    QTest::newRow("personal left by ending the demonstration ends it")
        << QList<int> {1, 0, 1, 0, 0, 0, 0, 0, 1, 3} << toSignUp + " personal" << 18;
    QTest::newRow("back through bank, lender and personal")
        << QList<int> {1, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 5, 5, 5, 0}
        << toSignUp + " personal lender bank lender personal signup thank-you" << 500;
    QTest::newRow("lender closed by its frame ends the wizard")
        << QList<int> {1, 0, 1, 0, 0, 0, 0, 0, 1, 0, 50} << toSignUp + " personal lender" << 18;
    QTest::newRow("analysis left by escape still calculates")
        << QList<int> {1, 0, 2, 2} << "intro slide1 analysis calculate slide8" << 18;
    QTest::newRow("calculation runs every time step 7 is passed forward")
        << QList<int> {1, 0, 1, 5, 1, 2} << "intro slide1 analysis calculate slide8 analysis calculate slide8" << 18;
}

void WizardTest::roads()
{
    QFETCH(QList<int>, results);
    QFETCH(QString, road);
    QFETCH(int, end);

    ScriptedScreens screens;
    screens.results.assign(results.begin(), results.end());
    LoggedActions actions(screens.shown);
    int step = 1;
    const int ended = CWizardLoop(screens, actions).Run(step);
    QCOMPARE(ended, end);
    QCOMPARE(step, end);
    QVERIFY2(screens.results.empty(), "the script has results left over");
    QVERIFY2(!screens.exhausted, "the wizard asked for more screens than scripted");
    QCOMPARE(Joined(screens.shown), road);
}

void WizardTest::secondRunStartsAtTheIntroduction()
{
    ScriptedScreens screens;
    LoggedActions actions(screens.shown);
    CWizardLoop loop(screens, actions);
    int step = 1;
    screens.results = {1, 0, 1, 0, 0, 0, 0, 0, 0};
    QCOMPARE(loop.Run(step), kWizardDeclined);
    screens.shown.clear();
    screens.results = {1, 2};
    QCOMPARE(loop.Run(step), kWizardEnded);
    QCOMPARE(Joined(screens.shown), QStringLiteral("intro slide1"));
}

void WizardTest::thankYouText()
{
    QCOMPARE(QString::fromStdString(ThankYouMessage(1234.5)),
        QStringLiteral("Thank you for using our free software to analyze your mortgage.  Please keep the Tallowin(TM) "
                       "on your hard drive.  If you change your mind, you can sign up at any time.  Remember though, "
                       "each month you procrastinate will cost you $1,234.50 in lost savings that you can never get "
                       "back.  If you have a friend or relative you think would like to save money, please pass this "
                       "disk on to them."));
    QVERIFY(QString::fromStdString(ThankYouMessage(87.254)).contains("cost you $87.25 in lost"));
}

QTEST_APPLESS_MAIN(WizardTest)
#include "test_wizard.moc"
