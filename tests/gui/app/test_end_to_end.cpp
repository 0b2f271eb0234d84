// Whole demonstrations through the real screens: from the start-up code to the
// thank-you message, and from the sign-up to the enrollment form and the profile it leaves.
#include "app/main_frame.h"
#include "app/tallowin_app.h"
#include "app/tallowin_view.h"
#include "app/wizard.h"
#include "app_test_support.h"
#include "format/number_text.h"
#include "print/enrollment_page.h"
#include "print/recording_surface.h"
#include "record/profile_store.h"
#include "screens/rich_text_view.h"
#include "record/sample_client.h"
#include "screens/slide_dlg.h"

#include <QCheckBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace tw;

namespace {

// The loan both runs type, and the same loan for the command line.
struct Loan {
    QString today = "12/07/2026";
    QString firstPayment = "06/01/2019";
    QString term = "30";
    QString amount = "180000";
    QString payment = "1450";
    QString rate = "6.5";
};

QString Q(const std::string &s)
{
    return QString::fromStdString(s);
}

// Helpers for the script's handlers: a missing control or a dialog that will not close
// is written into the script's failure, and the dialog is closed so that the run ends.
class Driver {
public:
    explicit Driver(test::ModalScript &script)
        : script_(script)
    {
    }

    template <typename T>
    T *Find(QWidget *dlg, const char *name)
    {
        T *w = dlg->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            Fail(dlg, QStringLiteral("no %1 on %2").arg(name, dlg->metaObject()->className()));
        return w;
    }

    void Type(QWidget *dlg, const char *name, const QString &text)
    {
        if (auto *edit = Find<QLineEdit>(dlg, name))
            edit->setText(text);
    }

    // Clicks the button; the dialog must close on it.
    void Leave(QWidget *dlg, const char *button)
    {
        QPointer<QWidget> guard(dlg);
        if (auto *b = Find<QPushButton>(dlg, button))
            QTest::mouseClick(b, Qt::LeftButton);
        if (guard && guard->isVisible())
            Fail(dlg, QStringLiteral("%1 stayed open after %2").arg(dlg->metaObject()->className(), button));
    }

    // Continues through a run of slides; the slides shown are appended to `slides`.
    void ContinueThroughSlides(QWidget *dlg, QList<int> &slides)
    {
        auto *slide = qobject_cast<CSlideDlg *>(dlg);
        QPointer<QWidget> guard(dlg);
        for (int clicks = 0; guard && guard->isVisible() && clicks < 10; ++clicks) {
            slides << slide->SlideNumber();
            if (auto *view = slide->findChild<CRichTextView *>("richText"); view && view->PlainText().contains("{{"))
                Fail(nullptr, QStringLiteral("slide %1 shows a placeholder").arg(slide->SlideNumber()));
            QTest::mouseClick(Find<QPushButton>(dlg, "continueButton"), Qt::LeftButton);
        }
        if (guard && guard->isVisible())
            Fail(dlg, QStringLiteral("the slides did not end"));
    }

    void TypeLoan(QWidget *dlg, const Loan &loan, const CClientRecord &client)
    {
        Type(dlg, "firstNameEdit", Q(client.FirstName1));
        Type(dlg, "lastNameEdit", Q(client.LastName1));
        Type(dlg, "currentDateEdit", loan.today);
        Type(dlg, "firstPaymentDateEdit", loan.firstPayment);
        Type(dlg, "termEdit", loan.term);
        Type(dlg, "amountEdit", loan.amount);
        Type(dlg, "currentPaymentEdit", loan.payment);
        if (auto *variable = Find<QCheckBox>(dlg, "variableCheck"))
            variable->setChecked(false);
        Type(dlg, "lowestRateEdit", loan.rate);
    }

    void Fail(QWidget *dlg, const QString &why)
    {
        if (script_.failure.isEmpty())
            script_.failure = why;
        if (dlg)
            QMetaObject::invokeMethod(dlg, "reject", Qt::QueuedConnection);
    }

private:
    test::ModalScript &script_;
};

} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void fromStartUpToTheThankYou();
    void signUpToTheEnrollmentForm();
    void anAdditionalPaymentStaysInItsRun();

private:
    QJsonObject CliFigures(const Loan &loan);
    void DriveToSignUp(test::ModalScript &script, Driver &d, const Loan &loan, QMap<QString, QString> &summary,
        const QString &additional = QString());
    void DriveSignUpScreens(test::ModalScript &script, Driver &d, const std::function<void()> &atPreview = {});

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<test::MessageLog> messages_;
    CClientRecord client_; // who types, from the sample client
    QList<int> slides_;
};

void EndToEndTest::initTestCase()
{
    static QTemporaryDir guard;
    qputenv("TALLOWIN_PROFILE", guard.filePath("never-used.ini").toUtf8());
    SetDocumentDirectory(TALLOWIN_DOCUMENT_DIR "/");
    FillSampleClient(client_);
}

void EndToEndTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    messages_ = std::make_unique<test::MessageLog>();
    slides_.clear();
}

void EndToEndTest::cleanup()
{
    messages_.reset();
}

QJsonObject EndToEndTest::CliFigures(const Loan &loan)
{
    QProcess cli;
    cli.start(QStringLiteral(TALLOWIN_CLI_EXECUTABLE),
        {"analyze", "--today", loan.today, "--first-payment", loan.firstPayment, "--term", loan.term, "--amount",
            loan.amount, "--payment", loan.payment, "--rate", loan.rate, "--json"});
    if (!cli.waitForFinished() || cli.exitCode() != 0) {
        qWarning() << cli.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(cli.readAllStandardOutput()).object().value("figures").toObject();
}

void EndToEndTest::DriveToSignUp(
    test::ModalScript &script, Driver &d, const Loan &loan, QMap<QString, QString> &summary, const QString &additional)
{
    script.Add("tw::CIntroDlg", [&d](QWidget *w) { d.Leave(w, "continueButton"); });
    script.Add("tw::CSlideDlg", [this, &d](QWidget *w) { d.ContinueThroughSlides(w, slides_); });
    script.Add("tw::CAnalysisInfoDlg", [this, &d, loan](QWidget *w) {
        d.TypeLoan(w, loan, client_);
        d.Leave(w, "continueButton");
    });
    script.Add("tw::CSlideDlg", [this, &d](QWidget *w) { d.ContinueThroughSlides(w, slides_); });
    script.Add("tw::CSummaryDlg", [&d, &summary](QWidget *w) {
        for (QLineEdit *field : w->findChildren<QLineEdit *>())
            summary[field->objectName()] = field->text().trimmed();
        d.Leave(w, "continueButton");
    });
    script.Add("tw::CSlideDlg", [this, &d](QWidget *w) { d.ContinueThroughSlides(w, slides_); });
    if (additional.isEmpty()) {
        script.Add("tw::CQuestionsDlg", [&d](QWidget *w) { d.Leave(w, "continueButton"); });
    } else {
        // Question 9, its Additional button, the amount, Ok. Each button that opens a
        // dialog is pressed from a timer of its own, so that the script sees that dialog.
        script.Add("tw::CQuestionsDlg", [&d](QWidget *w) {
            auto *answer = d.Find<QPushButton>(w, "answerButton9");
            auto *next = d.Find<QPushButton>(w, "continueButton");
            QTimer::singleShot(0, w, [answer, next] {
                answer->click();
                next->click();
            });
        });
        script.Add("tw::CAnswerDlg", [&d](QWidget *w) {
            auto *more = d.Find<QPushButton>(w, "additionalButton");
            QTimer::singleShot(0, w, [more] { more->click(); });
        });
        script.Add("tw::CAdditionalPaymentDlg", [&d, additional](QWidget *w) {
            d.Type(w, "additionalPaymentEdit", additional);
            d.Leave(w, "okButton");
        });
    }
    script.Add("tw::CSlideDlg", [this, &d](QWidget *w) { d.ContinueThroughSlides(w, slides_); });
}

void EndToEndTest::DriveSignUpScreens(test::ModalScript &script, Driver &d, const std::function<void()> &atPreview)
{
    const CClientRecord &c = client_;
    script.Add("tw::CSignUpDlg", [&d](QWidget *w) { d.Leave(w, "yesButton"); });
    script.Add("tw::CPersonalInfoDlg", [&d, &c](QWidget *w) {
        const std::pair<const char *, const std::string &> fields[]
            = {{"firstName1Edit", c.FirstName1}, {"lastName1Edit", c.LastName1}, {"mi1Edit", c.MI1},
                {"firstName2Edit", c.FirstName2}, {"lastName2Edit", c.LastName2}, {"mi2Edit", c.MI2},
                {"addressEdit", c.Address}, {"cityEdit", c.City}, {"stateEdit", c.State}, {"zipEdit", c.Zip},
                {"propertyAddressEdit", c.PropertyAddress}, {"propertyCityEdit", c.PropertyCity},
                {"propertyStateEdit", c.PropertyState}, {"propertyZipEdit", c.PropertyZip},
                {"homePhoneEdit", c.HomePhone}, {"workPhone1Edit", c.WorkPhone1}, {"workPhone2Edit", c.WorkPhone2}};
        for (const auto &[name, value] : fields)
            d.Type(w, name, Q(value));
        d.Leave(w, "continueButton");
    });
    script.Add("tw::CLenderInfoDlg", [&d, &c](QWidget *w) {
        const std::pair<const char *, const std::string &> fields[]
            = {{"lenderNameEdit", c.MortgageName}, {"addressEdit", c.MortgageAddress}, {"cityEdit", c.MortgageCity},
                {"stateEdit", c.MortgageState}, {"zipEdit", c.MortgageZip}, {"phoneEdit", c.MortgagePhone},
                {"accountNumberEdit", c.MortgageAccountNumber}, {"gracePeriodEdit", c.GracePeriod}};
        for (const auto &[name, value] : fields)
            d.Type(w, name, Q(value));
        d.Leave(w, "continueButton");
    });
    script.Add("tw::CDebitBankDlg", [&d, &c](QWidget *w) {
        const std::pair<const char *, const std::string &> fields[] = {{"bankNameEdit", c.BankName},
            {"addressEdit", c.BankAddress}, {"cityEdit", c.BankCity}, {"stateEdit", c.BankState},
            {"zipEdit", c.BankZip}, {"phoneEdit", c.BankPhone}, {"accountNumberEdit", c.BankAccountNumber}};
        for (const auto &[name, value] : fields)
            d.Type(w, name, Q(value));
        if (auto *checking = d.Find<QRadioButton>(w, "checkingRadio"))
            checking->setChecked(true);
        d.Leave(w, "printButton");
    });
    script.Add("QPrintPreviewDialog", [atPreview](QWidget *w) {
        if (atPreview)
            atPreview();
        QMetaObject::invokeMethod(w, "reject", Qt::QueuedConnection);
    });
}

void EndToEndTest::fromStartUpToTheThankYou()
{
    const Loan loan;
    const QJsonObject figures = CliFigures(loan);
    QVERIFY2(!figures.isEmpty(), "tallowin-cli analyze gave no figures");

    CTallowinApp app({dir_->filePath("tallowin.ini").toStdString(), dir_->path().toStdString()});
    test::ModalScript script;
    Driver d(script);
    QMap<QString, QString> summary;
    QString noText;
    script.Add("tw::CCodeDlg", [&d](QWidget *w) {
        d.Type(w, "codeEdit", "TW-4711");
        d.Leave(w, "okButton");
    });
    DriveToSignUp(script, d, loan, summary);
    script.Add("tw::CSignUpDlg", [&d, &noText](QWidget *w) {
        if (auto *label = w->findChild<QWidget *>("noText"))
            noText = label->property("text").toString();
        d.Leave(w, "noButton");
    });

    QVERIFY(app.InitInstance());
    CTallowinView *view = app.MainFrame()->View();
    QTRY_VERIFY_WITH_TIMEOUT(view->WizardStep() == kWizardDeclined || !script.failure.isEmpty(), 120000);
    QVERIFY2(script.failure.isEmpty(), qPrintable(script.failure));
    QVERIFY(script.Done());
    QCOMPARE(slides_, (QList<int> {1, 2, 3, 4, 5, 6, 8, 9, 11, 13}));

    // The summary shows the figures the command line computes for the same loan.
    const auto money = [&figures](const char *key) { return Q(FormatMoney(figures.value(key).toDouble())); };
    const auto oneDecimal = [&figures](const char *key) { return Q(FormatOneDecimal(figures.value(key).toDouble())); };
    QCOMPARE(summary.value("remainingYearsWithout"), oneDecimal("RemainingYears"));
    QCOMPARE(summary.value("remainingYearsWith"), oneDecimal("PlanYears"));
    QCOMPARE(summary.value("interestSavingsWith"), money("InterestSavings"));
    QCOMPARE(summary.value("paymentsSavedWith"), QString::number(figures.value("PaymentsEliminated").toInt()));
    QCOMPARE(summary.value("totalSavingsWith"), money("TotalPaymentSavings"));
    QCOMPARE(summary.value("equity5Without"), money("NormalEquity5"));
    QCOMPARE(summary.value("equity5With"), money("BiWeeklyEquity5"));
    QCOMPARE(summary.value("equity10Without"), money("NormalEquity10"));
    QCOMPARE(summary.value("equity10With"), money("BiWeeklyEquity10"));
    QCOMPARE(summary.value("balanceDueWithout"), money("BalanceAtPayoff"));
    QCOMPARE(summary.value("averageMonthlyWith"), money("AverageMonthlySavings"));
    QCOMPARE(summary.value("averageYearlyWith"), money("AverageYearlySavings"));
    QCOMPARE(summary.value("cashAvailableWith"), money("InvestmentValue"));
    QVERIFY2(noText.contains(money("TotalPaymentSavings")), qPrintable(noText));

    // NO ends with the thank-you, quoting the monthly savings; nothing else was said.
    QCOMPARE(messages_->texts, QStringList {Q(ThankYouMessage(figures.value("AverageMonthlySavings").toDouble()))});
    QVERIFY(messages_->texts[0].contains("$" + money("AverageMonthlySavings") + " in lost savings"));
    CProfileStore profile(dir_->filePath("tallowin.ini").toStdString());
    QCOMPARE(profile.Read("General", "VendorCode"), std::string("TW-4711"));
    QCOMPARE(Q(profile.Read("Loan", "LoanAmount")), loan.amount);
    QCOMPARE(view->PrintType(), -1);
}

void EndToEndTest::signUpToTheEnrollmentForm()
{
    const Loan loan;
    const std::string profilePath = dir_->filePath("tallowin.ini").toStdString();
    QVERIFY(CProfileStore(profilePath).Write("General", "VendorCode", "TW-2002"));
    CMainFrame frame(profilePath);
    frame.show();
    CTallowinView *view = frame.View();

    test::ModalScript script;
    Driver d(script);
    QMap<QString, QString> summary;
    QStringList messagesAtPreview;
    const CClientRecord &c = client_;
    DriveToSignUp(script, d, loan, summary);
    DriveSignUpScreens(script, d, [this, &messagesAtPreview] { messagesAtPreview = messages_->texts; });

    frame.ExecuteCommand(kCmdSavingsDemonstration);
    QVERIFY2(script.failure.isEmpty(), qPrintable(script.failure));
    QVERIFY(script.Done());
    QCOMPARE(view->WizardStep(), kWizardEnded);
    QCOMPARE(messagesAtPreview,
        QStringList {QStringLiteral("After printing your enrollment form, choose Run|Bi-Weekly Debit Schedule to "
                                    "generate a schedule of your electronic bi-weekly mortgage payments.")});
    QCOMPARE(messages_->texts, messagesAtPreview);
    QCOMPARE(view->PrintType(), 1);
    const CClientRecord &r = view->Record();
    QCOMPARE(r.VendorCode, std::string("TW-2002"));

    // What the screens typed is what a fresh load of the profile gives back.
    CProfileStore profile(profilePath);
    CClientRecord loaded;
    loaded.LoadFromProfile(profile);
    const std::pair<std::string, std::string> same[] = {{loaded.FirstName1, c.FirstName1},
        {loaded.LastName2, c.LastName2}, {loaded.MI2, c.MI2}, {loaded.PropertyZip, c.PropertyZip},
        {loaded.WorkPhone2, c.WorkPhone2}, {loaded.MortgageName, c.MortgageName},
        {loaded.MortgageAccountNumber, c.MortgageAccountNumber}, {loaded.GracePeriod, c.GracePeriod},
        {loaded.BankName, c.BankName}, {loaded.BankAccountNumber, c.BankAccountNumber}, {loaded.BankZip, c.BankZip},
        {loaded.VendorCode, std::string("TW-2002")},
        {loaded.Analysis.FirstPaymentDate, loan.firstPayment.toStdString()},
        {loaded.Analysis.AmountText, loan.amount.toStdString()},
        {loaded.Analysis.LowestRateText, loan.rate.toStdString()}};
    for (const auto &[got, want] : same)
        QCOMPARE(Q(got), Q(want));
    QCOMPARE(loaded.AccountType, int(kAccountChecking));
    QCOMPARE(profile.Read("Bank", "AccountType"), std::string("1"));

    // The grid data: the plan's opening balance, its term and start, and per month the
    // rate and any extra principal, for as long as the plan runs.
    const CProfileSnapshot snap = profile.Snapshot();
    const LoanAnalysis &a = r.Analysis;
    QCOMPARE(Q(snap.Read("PrinBal", "Mth1")), Q(PlainAmountText(a.BiWeeklySchedule[0].Balance)));
    QCOMPARE(Q(snap.Read("PrinBal", "LoanTermYears")), loan.term);
    QCOMPARE(Q(snap.Read("PrinBal", "LoanStartDate")), loan.firstPayment);
    int months = 0;
    while (months < kScheduleRows && a.BiWeeklySchedule[months].Balance > 0)
        ++months;
    QVERIFY(months > 100 && months < 360);
    const std::vector<std::string> rates = snap.ReadMonths("IntRate", months + 1);
    const std::vector<std::string> extras = snap.ReadMonths("AddPmt", months + 1);
    int extraMonths = 0;
    for (int n = 1; n <= months; ++n) {
        QCOMPARE(Q(rates[n - 1]), QStringLiteral("6.50"));
        const double extra = a.BiWeeklySchedule[n - 1].Extra;
        QCOMPARE(Q(extras[n - 1]), extra > 0 ? Q(PlainAmountText(extra)) : QString());
        extraMonths += extra > 0;
    }
    QVERIFY(extraMonths > 10);
    QVERIFY(!snap.Contains("IntRate", "Mth" + std::to_string(months + 1)));
    QVERIFY(!snap.Contains("Adjust", "Mth1")); // no additional payment was chosen
}

namespace {

// The texts printed on one line of an enrollment page, joined by " | ".
QString PrintedAt(const CClientRecord &r, int page, int y)
{
    RecordingSurface s;
    DrawEnrollmentPage(s, page, r);
    QStringList texts;
    for (const PrintCall &c : s.TextsAt(y))
        texts << Q(c.text).trimmed();
    return texts.join(QStringLiteral(" | "));
}

// Every text printed on one enrollment page.
QStringList PrintedOn(const CClientRecord &r, int page)
{
    RecordingSurface s;
    DrawEnrollmentPage(s, page, r);
    QStringList texts;
    for (const PrintCall &c : s.Texts())
        texts << Q(c.text).trimmed();
    return texts;
}

} // namespace

// An amount kept on the comparison screen in a run that ended with NO must not reach
// the form of a later run that never opened that screen: the form's additional payment
// and its savings describe the plan the second run showed.
void EndToEndTest::anAdditionalPaymentStaysInItsRun()
{
    const Loan loan;
    const std::string profilePath = dir_->filePath("tallowin.ini").toStdString();
    CMainFrame frame(profilePath);
    frame.show();
    CTallowinView *view = frame.View();

    {
        // Each run has a script of its own; a finished one must not answer the next run's screens.
        test::ModalScript first;
        Driver d1(first);
        QMap<QString, QString> firstSummary;
        DriveToSignUp(first, d1, loan, firstSummary, QStringLiteral("25"));
        first.Add("tw::CSignUpDlg", [&d1](QWidget *w) { d1.Leave(w, "noButton"); });
        frame.ExecuteCommand(kCmdSavingsDemonstration);
        QVERIFY2(first.failure.isEmpty(), qPrintable(first.failure));
        QVERIFY(first.Done());
        QCOMPARE(view->WizardStep(), kWizardDeclined);
        QCOMPARE(view->Record().Analysis.AdditionalPayment, 25.0); // kept for the rest of that run
    }

    test::ModalScript second;
    Driver d2(second);
    QMap<QString, QString> summary;
    DriveToSignUp(second, d2, loan, summary);
    DriveSignUpScreens(second, d2);
    frame.ExecuteCommand(kCmdSavingsDemonstration);
    QVERIFY2(second.failure.isEmpty(), qPrintable(second.failure));
    QVERIFY2(second.Done(), qPrintable(second.handled.join(" ")));
    QCOMPARE(view->PrintType(), 1);

    // The second run's summary is the plan without an additional payment.
    const QJsonObject figures = CliFigures(loan);
    QVERIFY2(!figures.isEmpty(), "tallowin-cli analyze gave no figures");
    const QString interest = Q(FormatMoney(figures.value("InterestSavings").toDouble()));
    QCOMPARE(summary.value("interestSavingsWith"), interest);

    // Approved charges: half of 1,450.00, no increase, that plan's interest savings.
    const CClientRecord &r = view->Record();
    QCOMPARE(PrintedAt(r, 3, -1280),
        QStringLiteral("A) $________  To be debited Bi-Weekly which is 1/2 of my monthly "
                       "mortgage payment plus the option I chose | 725.00"));
    QVERIFY2(PrintedAt(r, 3, -1450).endsWith(QStringLiteral("| 0.00")), qPrintable(PrintedAt(r, 3, -1450)));
    QVERIFY2(PrintedAt(r, 3, -1790).endsWith("| " + interest), qPrintable(PrintedAt(r, 3, -1790)));
    // The agreement's estimate: the same plan's interest, payments and years.
    const QStringList agreement = PrintedOn(r, 4);
    for (const QString &figure : {interest, summary.value("paymentsSavedWith"), summary.value("remainingYearsWith")})
        QVERIFY2(agreement.contains(figure), qPrintable(figure));
    // What the profile keeps for the next start: no additional payment either.
    QCOMPARE(CProfileStore(profilePath).Read("Mortgage", "AdditionalPayment"), std::string("0"));
}

QTEST_MAIN(EndToEndTest)
#include "test_end_to_end.moc"
